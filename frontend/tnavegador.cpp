#include "frontend/tnavegador.h"

#include <QBoxLayout>
#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QShowEvent>
#include <QStyledItemDelegate>
#include <QToolTip>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <array>
#include <vector>

#include "frontend/block_icons.h"
#include "tape/cinta.h"

namespace tarvolinde {

namespace {

// Each item keeps the absolute index of its node: that is what GoToBlock takes.
constexpr int kNodeIndexRole = Qt::UserRole;

// Long block names are cut short with "..." to the window's width; pointing
// at one shows it whole.
class ElidedTextTips final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override {
        if (event->type() != QEvent::ToolTip) return QStyledItemDelegate::helpEvent(event, view, option, index);
        const int shown = option.rect.intersected(view->viewport()->rect()).width();
        if (sizeHint(option, index).width() > shown)
            QToolTip::showText(event->globalPos(), index.data().toString(), view);
        else
            QToolTip::hideText();
        return true;
    }
};

// The tape's words for its blocks, as the tape model writes them in Spanish
// (tape/block_list.cpp); the names between quotes are the tape's own.
constexpr const char* kBlockWords[] = {
    QT_TRANSLATE_NOOP("Bloques", "Carga ROM"), QT_TRANSLATE_NOOP("Bloques", "Carga Turbo"),
    QT_TRANSLATE_NOOP("Bloques", "Tono puro"), QT_TRANSLATE_NOOP("Bloques", "Varios pulsos"),
    QT_TRANSLATE_NOOP("Bloques", "Datos puros"), QT_TRANSLATE_NOOP("Bloques", "Grabación directa"),
    QT_TRANSLATE_NOOP("Bloques", "Pausa"), QT_TRANSLATE_NOOP("Bloques", "Inicio grupo"),
    QT_TRANSLATE_NOOP("Bloques", "Fin grupo"), QT_TRANSLATE_NOOP("Bloques", "Salto"),
    QT_TRANSLATE_NOOP("Bloques", "Inicio bucle"), QT_TRANSLATE_NOOP("Bloques", "Fin bucle"),
    QT_TRANSLATE_NOOP("Bloques", "Llamada"), QT_TRANSLATE_NOOP("Bloques", "Retorno"),
    QT_TRANSLATE_NOOP("Bloques", "Elegir bloque"), QT_TRANSLATE_NOOP("Bloques", "Detener en 48k"),
    QT_TRANSLATE_NOOP("Bloques", "Texto"), QT_TRANSLATE_NOOP("Bloques", "Mensaje"),
    QT_TRANSLATE_NOOP("Bloques", "Información"), QT_TRANSLATE_NOOP("Bloques", "Hardware"),
    QT_TRANSLATE_NOOP("Bloques", "Emulación"), QT_TRANSLATE_NOOP("Bloques", "Mezcla"),
    QT_TRANSLATE_NOOP("Bloques", "cabecera"), QT_TRANSLATE_NOOP("Bloques", "datos"),
    QT_TRANSLATE_NOOP("Bloques", "Programa"), QT_TRANSLATE_NOOP("Bloques", "Matriz numérica"),
    QT_TRANSLATE_NOOP("Bloques", "Matriz alfanumérica"), QT_TRANSLATE_NOOP("Bloques", "Código"),
};

// A block's line in the interface's language: its words are translated, the quoted names left alone.
QString BlockText(const std::string& text) {
    static const QRegularExpression words = [] {
        QStringList alternatives;
        for (const char* word : kBlockWords) alternatives << QRegularExpression::escape(QString::fromUtf8(word));
        return QRegularExpression("\"[^\"]*\"|" + alternatives.join('|'));
    }();
    const QString source = QString::fromStdString(text);
    QString shown;
    qsizetype done = 0;
    for (const QRegularExpressionMatch& match : words.globalMatch(source)) {
        shown += source.mid(done, match.capturedStart() - done);
        const QString found = match.captured();
        shown += found.startsWith('"') ? found : QCoreApplication::translate("Bloques", found.toUtf8().constData());
        done = match.capturedEnd();
    }
    return shown + source.mid(done);
}

}  // namespace

TNavegador::TNavegador(TCinta& tape, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      tape_(tape),
      arbol_(new QTreeWidget(this)),
      changeButton_(new QPushButton(this)),
      leaveButton_(new QPushButton(this)) {
    setObjectName("TNavegador");
    setSizeGripEnabled(true);
    resize(kDefaultSize);

    arbol_->setObjectName("Arbol");
    arbol_->setItemDelegate(new ElidedTextTips(arbol_));
    arbol_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    arbol_->setSelectionMode(QAbstractItemView::SingleSelection);
    arbol_->setSelectionBehavior(QAbstractItemView::SelectRows);
    arbol_->setHeaderHidden(true);
    arbol_->setIndentation(19);
    arbol_->setColumnCount(1);
    // The chosen block stays plainly marked while the focus is on a button.
    QPalette palette = arbol_->palette();
    palette.setColor(QPalette::Inactive, QPalette::Highlight, palette.color(QPalette::Active, QPalette::Highlight));
    palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                     palette.color(QPalette::Active, QPalette::HighlightedText));
    arbol_->setPalette(palette);

    changeButton_->setObjectName("SpeedButton1");
    changeButton_->setAutoDefault(false);
    changeButton_->setMinimumHeight(33);
    leaveButton_->setObjectName("SpeedButton2");
    leaveButton_->setAutoDefault(false);
    leaveButton_->setMinimumHeight(33);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(7);
    layout->addWidget(arbol_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(7);
    buttons->addWidget(changeButton_, 1);
    buttons->addWidget(leaveButton_, 1);
    layout->addLayout(buttons);
    connect(changeButton_, &QPushButton::clicked, this, &TNavegador::ChangeToSelectedBlock);
    connect(leaveButton_, &QPushButton::clicked, this, &QDialog::reject);

    SetTexts();
    FillTree();
}

QTreeWidget* TNavegador::Arbol() const { return arbol_; }

void TNavegador::FillTree() {
    arbol_->setUpdatesEnabled(false);
    arbol_->clear();
    const auto& nodes = tape_.Blocks().Nodes();
    std::array<QIcon, 9> icons;
    for (size_t i = 0; i < icons.size(); ++i) icons[i] = block_icons::Block(BlockImage(i));
    // A node's parent always comes before it, so its item already exists.
    std::vector<QTreeWidgetItem*> items;
    items.reserve(nodes.size());
    for (size_t i = 0; i < nodes.size(); ++i) {
        const BlockNode& node = nodes[i];
        const bool hasParent = node.Parent >= 0 && size_t(node.Parent) < i;
        auto* item = hasParent ? new QTreeWidgetItem(items[size_t(node.Parent)]) : new QTreeWidgetItem(arbol_);
        item->setText(0, BlockText(node.Text));
        item->setIcon(0, icons[size_t(node.Image) % icons.size()]);
        item->setData(0, kNodeIndexRole, qlonglong(i));
        items.push_back(item);
    }
    arbol_->expandAll();
    arbol_->setUpdatesEnabled(true);
}

void TNavegador::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        if (const QScreen* shown = screen()) move(shown->availableGeometry().center() - rect().center());
    }
    // The block that plays next, so that "Cambiar" on it changes nothing.
    const int32_t index = tape_.NextBlockIndex();
    if (index < 0) return;
    for (QTreeWidgetItemIterator it(arbol_); *it; ++it) {
        if ((*it)->data(0, kNodeIndexRole).toLongLong() == index) {
            arbol_->setCurrentItem(*it);
            arbol_->scrollToItem(*it);
            break;
        }
    }
}

void TNavegador::ChangeToSelectedBlock() {
    const QList<QTreeWidgetItem*> selected = arbol_->selectedItems();
    if (selected.isEmpty()) return;
    tape_.GoToBlock(int32_t(selected.front()->data(0, kNodeIndexRole).toLongLong()));
    accept();
}

void TNavegador::SetTexts() {
    setWindowTitle(tr("Navegador de cintas"));
    changeButton_->setText(tr("Cambiar al bloque seleccionado"));
    leaveButton_->setText(tr("Salir"));
}

void TNavegador::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) {
        SetTexts();
        const auto& nodes = tape_.Blocks().Nodes();
        for (QTreeWidgetItemIterator it(arbol_); *it; ++it)
            (*it)->setText(0, BlockText(nodes[size_t((*it)->data(0, kNodeIndexRole).toLongLong())].Text));
    }
    QDialog::changeEvent(event);
}

}  // namespace tarvolinde
