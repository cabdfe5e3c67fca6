#include "frontend/tdebug.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "machine/sp.h"

namespace tarvolinde {

namespace {

constexpr std::array<const char*, kRegisterCount> kRegisterNames{
    "AF", "AF2", "BC", "BC2", "DE", "DE2", "HL", "HL2", "IX", "IY", "PC", "SP", "IR"};
constexpr std::array<const char*, kRegisterCount> kRegisterCaptions{
    "AF:", "AF':", "BC:", "BC':", "DE:", "DE':", "HL:", "HL':", "IX:", "IY:", "PC:", "SP:", "IR:"};
// Flag labels from bit 7 to bit 0 of F.
constexpr std::array<const char*, 8> kFlagNames{"S", "Z", "5", "H", "3", "P", "N", "C"};
constexpr std::array<const char*, 8> kFlagCaptions{"S", "Z", "5", "H", "3", "P/V", "N", "C"};

QToolButton* Button(QWidget* parent, const char* name, const QString& caption) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setText(caption);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    return button;
}

QLineEdit* Box(QWidget* parent, const QString& name) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setReadOnly(true);
    box->setFont(QFont("Monospace"));
    return box;
}

void Colour(QWidget* widget, bool changed) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Text, changed ? Qt::red : QApplication::palette().color(QPalette::Text));
    widget->setPalette(palette);
}

}  // namespace

TDebug::TDebug(TSp& machine, DebugHost host, QWidget* parent)
    : QDialog(parent), machine_(machine), host_(std::move(host)), debugger_(machine) {
    setObjectName("Debug");
    setWindowTitle(QT_TR_NOOP("Monitor"));
    setModal(true);
    Ask = [this](const QString& caption, const QString& prompt, const QString& initial) -> std::optional<QString> {
        bool ok = false;
        const QString text = QInputDialog::getText(this, caption, prompt, QLineEdit::Normal, initial, &ok);
        if (!ok) return std::nullopt;
        return text;
    };

    auto* pages = new QTabWidget(this);
    pages->addTab(BuildZ80Page(), "Z80");
    pages->addTab(BuildHardwarePage(), QT_TR_NOOP("Hardware"));
    auto* options = new QWidget;
    auto* optionsLayout = new QVBoxLayout(options);
    hexadecimal_ = new QCheckBox(QT_TR_NOOP("Hexadecimal"), options);
    hexadecimal_->setObjectName("Hexa");
    hexadecimal_->setChecked(true);
    optionsLayout->addWidget(hexadecimal_);
    optionsLayout->addStretch();
    pages->addTab(options, QT_TR_NOOP("Opciones"));
    connect(hexadecimal_, &QCheckBox::toggled, this, [this](bool on) {
        debugger_.Format.Hexadecimal = on;
        Refresh();
        DrawBreakpoints();
    });

    // A focus target whose keys go to the Spectrum's keyboard.
    keys_ = new QComboBox(this);
    keys_->setObjectName("Vampir0");
    keys_->installEventFilter(this);
    keys_->setToolTip(QT_TR_NOOP("Teclado del Spectrum"));
    keys_->setMinimumWidth(160);
    auto* keyRow = new QHBoxLayout;
    keyRow->addWidget(new QLabel(QT_TR_NOOP("Teclado:"), this));
    keyRow->addWidget(keys_);
    keyRow->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages);
    layout->addLayout(keyRow);

    menu_ = new QMenu(this);
    menu_->setObjectName("PUM");
    for (int part = 0; part < 3; ++part) {
        QMenu* sub = menu_->addMenu(std::array{"Reg", "Reg.H", "Reg.L"}[size_t(part)]);
        connect(sub->addAction("+1"), &QAction::triggered, this, [this, part] { EditRegister(part, 1); });
        connect(sub->addAction("-1"), &QAction::triggered, this, [this, part] { EditRegister(part, -1); });
        connect(sub->addAction(QT_TR_NOOP("Dar valor")), &QAction::triggered, this,
                [this, part] { EditRegister(part, 0); });
    }

    debugger_.Format.Hexadecimal = true;
    DrawBreakpoints();
    Refresh();
    captions_.Remember(this, staticMetaObject.className());
    captions_.Apply();
}

TDebug::~TDebug() = default;

void TDebug::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) captions_.Apply();
    QDialog::changeEvent(event);
}

QWidget* TDebug::BuildZ80Page() {
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);

    auto* buttons = new QHBoxLayout;
    QToolButton* step = Button(page, "SpeedButton1", QT_TR_NOOP("Un paso"));
    QToolButton* over = Button(page, "SpeedButton3", QT_TR_NOOP("Siguiente"));
    QToolButton* out = Button(page, "SpeedButton4", QT_TR_NOOP("Hasta RET"));
    out->setToolTip(QT_TR_NOOP("Ejecuta hasta que vuelva la rutina actual"));
    run_ = Button(page, "E_P", QT_TR_NOOP("Ejec./Para"));
    run_->setCheckable(true);
    runTo_ = Button(page, "I_A", QT_TR_NOOP("Ir hasta..."));
    runTo_->setEnabled(false);
    for (QToolButton* b : {step, over, out, run_, runTo_}) buttons->addWidget(b);
    buttons->addStretch();
    grid->addLayout(buttons, 0, 0, 1, 3);
    connect(step, &QToolButton::clicked, this, &TDebug::StepClick);
    connect(over, &QToolButton::clicked, this, &TDebug::StepOverClick);
    connect(out, &QToolButton::clicked, this, [this] { RunClick(true); });
    connect(run_, &QToolButton::clicked, this, [this] { RunClick(); });
    connect(runTo_, &QToolButton::clicked, this, &TDebug::RunToClick);

    // Registers, flags and interrupt state.
    auto* group = new QGroupBox(QT_TR_NOOP("Registros:"), page);
    auto* regs = new QGridLayout(group);
    for (int tag = 0; tag < kRegisterCount; ++tag) {
        QLineEdit* box = Box(group, QString("E_") + kRegisterNames[size_t(tag)]);
        box->setProperty("Tag", tag);
        box->setContextMenuPolicy(Qt::CustomContextMenu);
        box->setMaximumWidth(70);
        connect(box, &QLineEdit::customContextMenuRequested, this, [this, tag, box](const QPoint& at) {
            menuTag_ = tag;
            menu_->popup(box->mapToGlobal(at));
        });
        registers_[size_t(tag)] = box;
        const int row = tag < 8 ? tag / 2 : 4 + (tag - 8) / 2, column = tag < 8 ? tag % 2 : (tag - 8) % 2;
        regs->addWidget(new QLabel(kRegisterCaptions[size_t(tag)], group), row, column * 2);
        regs->addWidget(box, row, column * 2 + 1);
    }
    auto* flagRow = new QHBoxLayout;
    for (size_t i = 0; i < flags_.size(); ++i) {
        flags_[i] = new QLabel(kFlagCaptions[i], group);
        flags_[i]->setObjectName(QString("L_") + kFlagNames[i]);
        flags_[i]->installEventFilter(this);
        flags_[i]->setToolTip(QT_TR_NOOP("Doble clic: cambia el flag"));
        flagRow->addWidget(flags_[i]);
    }
    regs->addLayout(flagRow, 7, 0, 1, 4);
    auto* stateRow = new QHBoxLayout;
    im_ = new QLabel(group);
    im_->setObjectName("L_Im");
    im_->installEventFilter(this);
    stateRow->addWidget(im_);
    for (int i = 0; i < 2; ++i) {
        iffs_[size_t(i)] = new QLabel(QString("Iff %1").arg(i), group);
        iffs_[size_t(i)]->setObjectName(QString("L_%1").arg(i));
        iffs_[size_t(i)]->installEventFilter(this);
        stateRow->addWidget(iffs_[size_t(i)]);
    }
    regs->addLayout(stateRow, 8, 0, 1, 4);
    regs->setRowStretch(9, 1);
    grid->addWidget(group, 1, 0, 2, 1);

    // The instruction list.
    list_ = new QTreeWidget(page);
    list_->setObjectName("Lista");
    list_->setHeaderLabels({QT_TR_NOOP("Dir"), "Hex", QT_TR_NOOP("Instr.")});
    list_->setRootIsDecorated(false);
    list_->setFont(QFont("Monospace"));
    list_->setMinimumWidth(300);
    list_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    connect(list_, &QTreeWidget::itemSelectionChanged, this,
            [this] { runTo_->setEnabled(!list_->selectedItems().isEmpty()); });
    grid->addWidget(list_, 1, 1, 2, 1);

    // Stack and breakpoints.
    auto* side = new QVBoxLayout;
    side->addWidget(new QLabel(QT_TR_NOOP("Pila:"), page));
    stack_ = new QListWidget(page);
    stack_->setObjectName("L_Pila");
    stack_->setFont(QFont("Monospace"));
    stack_->setMaximumWidth(110);
    side->addWidget(stack_);
    side->addWidget(new QLabel(QT_TR_NOOP("Breakpoints:"), page));
    breakpoints_ = new QListWidget(page);
    breakpoints_->setObjectName("L_BP");
    breakpoints_->setFont(QFont("Monospace"));
    breakpoints_->setMaximumWidth(110);
    side->addWidget(breakpoints_);
    auto* bpButtons = new QHBoxLayout;
    add_ = {Button(page, "BPA", "+"), Button(page, "BPW", "+W"), Button(page, "BPP", "+P")};
    add_[1]->setToolTip(QT_TR_NOOP("Breakpoint al escribir en memoria (dirección o rango)"));
    add_[2]->setToolTip(QT_TR_NOOP("Breakpoint al leer o escribir un puerto (con máscara)"));
    remove_ = Button(page, "BPQ", "-");
    remove_->setEnabled(false);
    for (QToolButton* b : {add_[0], add_[1], add_[2], remove_}) bpButtons->addWidget(b);
    side->addLayout(bpButtons);
    grid->addLayout(side, 1, 2, 2, 1);
    for (const BreakKind kind : {BreakKind::Address, BreakKind::Write, BreakKind::Port})
        connect(add_[size_t(kind)], &QToolButton::clicked, this, [this, kind] { AddBreakpointClick(kind); });
    connect(remove_, &QToolButton::clicked, this, &TDebug::RemoveBreakpointClick);
    connect(breakpoints_, &QListWidget::itemSelectionChanged, this,
            [this] { remove_->setEnabled(!breakpoints_->selectedItems().isEmpty()); });
    return page;
}

QWidget* TDebug::BuildHardwarePage() {
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    grid->addWidget(new QLabel(QT_TR_NOOP("Puertos:"), page), 0, 0);
    const std::array<const char*, 3> names{"E_FE", "E_7FFD", "E_1FFD"};
    const std::array<const char*, 3> captions{"$FE:", "$7FFD:", "$1FFD:"};
    const std::array<const char*, 3> legends{"xxxEMbbb", "xxpRvBBB", "xxPDmrsp"};
    for (int i = 0; i < 3; ++i) {
        ports_[size_t(i)] = Box(page, names[size_t(i)]);
        ports_[size_t(i)]->setMaximumWidth(100);
        grid->addWidget(new QLabel(captions[size_t(i)], page), i + 1, 0);
        grid->addWidget(ports_[size_t(i)], i + 1, 1);
        auto* legend = new QLabel(legends[size_t(i)], page);
        legend->setFont(QFont("Monospace"));
        grid->addWidget(legend, i + 1, 2);
    }
    tstates_ = Box(page, "E_TSt");
    tstates_->setMaximumWidth(100);
    grid->addWidget(new QLabel(QT_TR_NOOP("T-estados frame:"), page), 4, 0);
    grid->addWidget(tstates_, 4, 1);
    QToolButton* reset = Button(page, "SpeedButton2", QT_TR_NOOP("Reset"));
    grid->addWidget(reset, 5, 0);
    connect(reset, &QToolButton::clicked, this, [this] {
        machine_.Reset();
        Refresh();
    });
    grid->addWidget(new QLabel(QT_TR_NOOP("Registros AY:"), page), 0, 3);
    ay_ = new QTreeWidget(page);
    ay_->setObjectName("L_Ay");
    ay_->setHeaderLabels({"Reg", QT_TR_NOOP("Val")});
    ay_->setRootIsDecorated(false);
    ay_->setFont(QFont("Monospace"));
    for (int i = 0; i < 16; ++i) new QTreeWidgetItem(ay_);
    grid->addWidget(ay_, 1, 3, 6, 1);
    grid->setRowStretch(6, 1);
    grid->setColumnStretch(2, 1);
    return page;
}

void TDebug::Refresh() {
    const auto shown = debugger_.RefreshRegisters();
    for (size_t i = 0; i < shown.size(); ++i) {
        registers_[i]->setText(QString::fromStdString(shown[i].Text));
        Colour(registers_[i], shown[i].Changed);
    }
    const Z80& cpu = machine_.cpu;
    im_->setText(QString("Im %1").arg(cpu.IM));
    // A clear bit in the grey of disabled text; the label still takes its double-click.
    const auto dim = [](QLabel* label, bool on) {
        QPalette palette = label->palette();
        const QPalette& standard = QApplication::palette();
        palette.setColor(QPalette::WindowText, on ? standard.color(QPalette::WindowText)
                                                  : standard.color(QPalette::Disabled, QPalette::WindowText));
        label->setPalette(palette);
    };
    for (size_t i = 0; i < flags_.size(); ++i) dim(flags_[i], (cpu.F() >> (7 - i)) & 1);
    dim(iffs_[0], cpu.IFF1);
    dim(iffs_[1], cpu.IFF2);

    stack_->clear();
    for (const std::string& word : debugger_.Stack()) stack_->addItem(QString::fromStdString(word));

    list_->clear();
    for (const Debugger::Line& line : debugger_.Listing()) {
        auto* item = new QTreeWidgetItem(list_, {QString::fromStdString(line.AddressText), QString::fromStdString(line.Bytes),
                                                 QString::fromStdString(line.Text)});
        item->setData(0, Qt::UserRole, line.Address);
    }
    tstates_->setText(QString::number(cpu.FrameTStates));
    const auto ports = debugger_.RefreshPorts();
    for (size_t i = 0; i < ports.size(); ++i) {
        ports_[i]->setText(QString::fromStdString(ports[i].Text));
        Colour(ports_[i], ports[i].Changed);
    }
    const auto ay = debugger_.AyRegisters();
    for (int i = 0; i < 16; ++i) {
        QTreeWidgetItem* row = ay_->topLevelItem(i);
        row->setText(0, QString::fromStdString(debugger_.Format.Byte(uint8_t(i))));
        row->setText(1, QString::fromStdString(ay[size_t(i)]));
    }
}

void TDebug::DrawBreakpoints() {
    breakpoints_->clear();
    for (const Breakpoint& b : debugger_.Breakpoints())
        breakpoints_->addItem(QString::fromStdString(debugger_.BreakpointText(b)));
    for (QToolButton* add : add_) add->setEnabled(debugger_.Breakpoints().size() < Debugger::kMaxBreakpoints);
    remove_->setEnabled(false);
}

// --- Execution ------------------------------------------------------------------------------

void TDebug::StepClick() {
    if (debugger_.Running) return;
    debugger_.Step();
    Refresh();
    if (host_.Redraw) host_.Redraw();
}

void TDebug::StepOverClick() {
    if (!debugger_.Running) Run([this] { return debugger_.StepOver([this] { QApplication::processEvents(); }); });
}

void TDebug::RunToClick() {
    if (debugger_.Running || list_->selectedItems().isEmpty()) return;
    debugger_.RunToAddress = list_->selectedItems().front()->data(0, Qt::UserRole).toInt();
    RunClick();
}

void TDebug::RunClick(bool stepOut) {
    if (debugger_.Running) {
        debugger_.StopRequest = true;
        run_->setChecked(true);  // stays down until the run has ended
        return;
    }
    Run([this, stepOut] {
        return debugger_.Run(
            [this] {
                // The window and the Spectrum's keys keep working; the frame is drawn when due.
                QApplication::processEvents();
                if (machine_.screen.DrawFlag && host_.Redraw) host_.Redraw();
            },
            stepOut);
    });
}

void TDebug::Run(const std::function<RunResult()>& run) {
    run_->setChecked(true);
    keys_->setFocus();
    if (host_.StartSound) host_.StartSound();
    run();
    if (host_.StopSound) host_.StopSound();
    Refresh();
    if (host_.Redraw) host_.Redraw();
    run_->setChecked(false);
    list_->setFocus();
    if (closePending_) QDialog::reject();
}

void TDebug::reject() {
    // Closing during a run ends the run first; the window goes once it has.
    if (debugger_.Running) {
        debugger_.StopRequest = true;
        closePending_ = true;
        return;
    }
    QDialog::reject();
}

// --- Editing ----------------------------------------------------------------------------------

std::optional<uint32_t> TDebug::AskNumber(const QString& caption, const QString& prompt, const QString& initial) {
    const std::optional<QString> text = Ask(caption, prompt, initial);
    if (!text) return std::nullopt;
    const std::optional<uint32_t> value = debugger_.ParseNumber(text->trimmed().toStdString());
    if (!value) QMessageBox::critical(this, tr("Monitor"), tr("'%1' no es un número válido").arg(*text));
    return value;
}

void TDebug::EditRegister(int part, int change) {
    if (debugger_.Running) return;
    const uint16_t value = debugger_.Register(menuTag_);
    uint16_t result = value;
    if (part == 0) {
        if (change) {
            result = uint16_t(value + change);
        } else {
            const auto typed =
                AskNumber(tr("Monitor"), tr("Nuevo Valor:"), QString::fromStdString(debugger_.Format.Word(value)));
            if (!typed) return;
            result = uint16_t(*typed);
        }
    } else {
        const int shift = part == 1 ? 8 : 0;
        uint8_t byte = uint8_t(value >> shift);
        if (change) {
            byte = uint8_t(byte + change);
        } else {
            const auto typed =
                AskNumber(tr("Monitor"), tr("Nuevo Valor:"), QString::fromStdString(debugger_.Format.Byte(byte)));
            if (!typed) return;
            byte = uint8_t(*typed);
        }
        result = uint16_t((value & ~(0xFF << shift)) | byte << shift);
    }
    debugger_.SetRegister(menuTag_, result);
    Refresh();
}

void TDebug::AddBreakpointClick(BreakKind kind) {
    if (debugger_.Breakpoints().size() >= Debugger::kMaxBreakpoints) return;
    const QString prompt = kind == BreakKind::Address ? tr("Dirección:")
                           : kind == BreakKind::Write ? tr("Dirección o rango (desde-hasta):")
                                                      : tr("Puerto[/máscara]:");
    const std::optional<QString> text = Ask(tr("Nuevo Breakpoint"), prompt, "");
    if (!text) return;
    const QStringList parts = text->trimmed().split(kind == BreakKind::Port ? '/' : '-');
    std::optional<uint32_t> first = debugger_.ParseNumber(parts.front().trimmed().toStdString());
    std::optional<uint32_t> second = first;
    if (parts.size() == 2) second = debugger_.ParseNumber(parts.back().trimmed().toStdString());
    else if (kind == BreakKind::Port) second = 0xFFFF;
    if (!first || !second || parts.size() > (kind == BreakKind::Address ? 1u : 2u)) {
        QMessageBox::critical(this, tr("Monitor"), tr("'%1' no es un número válido").arg(*text));
        return;
    }
    Breakpoint b{kind, uint16_t(*first), uint16_t(*second)};
    if (kind == BreakKind::Write && b.Last < b.First) std::swap(b.First, b.Last);
    debugger_.AddBreakpoint(b);
    DrawBreakpoints();
}

void TDebug::RemoveBreakpointClick() {
    const int row = breakpoints_->currentRow();
    if (row < 0) return;
    debugger_.RemoveBreakpoint(size_t(row));
    DrawBreakpoints();
}

bool TDebug::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (watched == keys_ && (type == QEvent::KeyPress || type == QEvent::KeyRelease)) {
        if (host_.Key) host_.Key(static_cast<QKeyEvent*>(event), type == QEvent::KeyPress);
        return true;
    }
    if (watched == im_ && type == QEvent::MouseButtonPress) {
        debugger_.NextInterruptMode();
        Refresh();
        return true;
    }
    if (type == QEvent::MouseButtonDblClick) {
        for (size_t i = 0; i < flags_.size(); ++i)
            if (watched == flags_[i]) debugger_.ToggleFlag(int(7 - i));
        for (int i = 0; i < 2; ++i)
            if (watched == iffs_[size_t(i)]) debugger_.ToggleIff(i);
        Refresh();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace tarvolinde
