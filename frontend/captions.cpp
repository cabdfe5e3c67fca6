#include "frontend/captions.h"

#include <QAbstractButton>
#include <QAction>
#include <QCoreApplication>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QMainWindow>
#include <QTabWidget>
#include <QTreeWidget>

namespace tarvolinde {

QString CaptionMemory::Read(QObject* object, Field kind, int index) {
    auto* action = qobject_cast<QAction*>(object);
    auto* widget = qobject_cast<QWidget*>(object);
    switch (kind) {
    case Field::Text:
        if (action) return action->text();
        if (auto* label = qobject_cast<QLabel*>(object)) return label->text();
        if (auto* button = qobject_cast<QAbstractButton*>(object)) return button->text();
        if (auto* group = qobject_cast<QGroupBox*>(object)) return group->title();
        return {};
    case Field::ToolTip: return action ? action->toolTip() : widget->toolTip();
    case Field::StatusTip: return action ? action->statusTip() : widget->statusTip();
    case Field::WindowTitle: return widget->windowTitle();
    case Field::Tab: return static_cast<QTabWidget*>(object)->tabText(index);
    case Field::Header: break;
    }
    return static_cast<QTreeWidget*>(object)->headerItem()->text(index);
}

void CaptionMemory::Write(QObject* object, Field kind, int index, const QString& text) {
    auto* action = qobject_cast<QAction*>(object);
    auto* widget = qobject_cast<QWidget*>(object);
    switch (kind) {
    case Field::Text:
        if (action) action->setText(text);
        else if (auto* label = qobject_cast<QLabel*>(object)) label->setText(text);
        else if (auto* button = qobject_cast<QAbstractButton*>(object)) button->setText(text);
        else if (auto* group = qobject_cast<QGroupBox*>(object)) group->setTitle(text);
        break;
    case Field::ToolTip: action ? action->setToolTip(text) : widget->setToolTip(text); break;
    case Field::StatusTip: action ? action->setStatusTip(text) : widget->setStatusTip(text); break;
    case Field::WindowTitle: widget->setWindowTitle(text); break;
    case Field::Tab: static_cast<QTabWidget*>(object)->setTabText(index, text); break;
    case Field::Header: static_cast<QTreeWidget*>(object)->headerItem()->setText(index, text); break;
    }
}

void CaptionMemory::Note(QObject* object, Field kind, int index) {
    const QString text = Read(object, kind, index);
    if (!text.isEmpty()) entries_.push_back({object, kind, index, text.toUtf8(), text});
}

void CaptionMemory::Visit(QObject* object, QObject* root) {
    if (object != root && (qobject_cast<QDialog*>(object) || qobject_cast<QMainWindow*>(object))) return;
    if (qobject_cast<QAction*>(object)) {
        for (const Field kind : {Field::Text, Field::ToolTip, Field::StatusTip}) Note(object, kind);
    } else if (auto* widget = qobject_cast<QWidget*>(object)) {
        for (const Field kind : {Field::Text, Field::ToolTip, Field::StatusTip}) Note(object, kind);
        if (widget->isWindow()) Note(object, Field::WindowTitle);
        if (auto* tabs = qobject_cast<QTabWidget*>(object))
            for (int i = 0; i < tabs->count(); ++i) Note(object, Field::Tab, i);
        if (auto* tree = qobject_cast<QTreeWidget*>(object))
            for (int i = 0; i < tree->columnCount(); ++i) Note(object, Field::Header, i);
    }
    for (QObject* child : object->children()) Visit(child, root);
}

void CaptionMemory::Remember(QObject* root, const char* context) {
    context_ = context;
    entries_.clear();
    Visit(root, root);
}

void CaptionMemory::Apply() {
    for (Entry& entry : entries_) {
        if (!entry.Object || Read(entry.Object, entry.Kind, entry.Index) != entry.Shown) continue;
        entry.Shown = QCoreApplication::translate(context_.constData(), entry.Source.constData());
        Write(entry.Object, entry.Kind, entry.Index, entry.Shown);
    }
}

}  // namespace tarvolinde
