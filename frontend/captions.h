#pragma once
// The captions of a window remembered in the source language (Spanish), so
// that a language change can show them again in the new language without
// rebuilding the window: its actions, menus and buttons keep their state.
//
// A window builds its widgets with source captions (marked QT_TR_NOOP, which
// leaves them untranslated), calls Remember once they are all there, and Apply
// then and at every QEvent::LanguageChange. Captions the program sets later
// (file names, values, notices) are not remembered: they are set with tr().

#include <QByteArray>
#include <QPointer>
#include <QString>
#include <vector>

class QObject;

namespace tarvolinde {

class CaptionMemory {
public:
    // Notes every non-empty caption under `root`: window titles, tool and status
    // tips, labels, buttons, group boxes, tabs, tree headers and actions (menus
    // included). Other dialogs and main windows below it keep their own.
    void Remember(QObject* root, const char* context);
    // Shows every noted caption in the current language. A caption the program
    // has changed since it was last shown here is left as the program set it.
    void Apply();

private:
    enum class Field { Text, ToolTip, StatusTip, WindowTitle, Tab, Header };
    struct Entry {
        QPointer<QObject> Object;
        Field Kind;
        int Index;
        QByteArray Source;
        QString Shown;
    };
    static QString Read(QObject* object, Field kind, int index);
    static void Write(QObject* object, Field kind, int index, const QString& text);
    void Note(QObject* object, Field kind, int index = 0);
    void Visit(QObject* object, QObject* root);

    QByteArray context_;
    std::vector<Entry> entries_;
};

}  // namespace tarvolinde
