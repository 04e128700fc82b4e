#pragma once
// The main window's thirty-four text commands: the Case and Coding menus, the Format menu's "Sort"
// and "Line Break" submenus and the Convert menu. Each takes the editor's text as Windows-1251
// bytes, runs a transform of the shared command table and puts the result back.

#include <QObject>

class ActionList;
class QMenu;
class TRichViewEdit;
struct TextCommand;

struct TextCommandMenus {
    QMenu *caseMenu;   // "Case"
    QMenu *coding;     // "Coding"
    QMenu *format;     // "Format": gets the "Sort" and "Line Break" submenus
    QMenu *convert;    // "Convert"
};

class TextCommandWiring : public QObject
{
    Q_OBJECT
public:
    TextCommandWiring(ActionList &actions, TRichViewEdit *editor, const TextCommandMenus &menus, QObject *parent);

    // Runs one command on the editor as its menu entry does (the enabling rule aside).
    void execute(const TextCommand &command);

private:
    void transformSelection(const TextCommand &command);
    void autoCoding(const TextCommand &command);

    ActionList &actions_;
    TRichViewEdit *ed_;
};
