#pragma once
// Every prompt, file dialog and message box the main window shows goes through this one interface,
// so that tests can answer them from a script and never block on a real dialog.

#include <QString>
#include <QStringList>

class QDialog;
class QWidget;

struct FileDialogRequest {
    QStringList filters;  // "RTF Files (*.rtf)" … in order; indexes below are 1-based as the user sees them
    int filterIndex = 1;
    QString folder;       // empty: let the dialog choose
    QString fileName;     // preset name (no folder)
    QString defaultSuffix;
};

struct FileDialogResult {
    bool accepted = false;
    QString fileName;     // full path
    int filterIndex = 1;
};

enum class SaveChangesAnswer { Save, Discard, Cancel };
enum class MessageIcon { Information, Warning, Error };

class Interaction
{
public:
    virtual ~Interaction() = default;
    virtual FileDialogResult openFile(QWidget *owner, const FileDialogRequest &request) = 0;
    virtual FileDialogResult saveFile(QWidget *owner, const FileDialogRequest &request) = 0;
    virtual SaveChangesAnswer askSaveChanges(QWidget *owner, const QString &documentName) = 0;
    virtual void message(QWidget *owner, MessageIcon icon, const QString &title, const QString &text) = 0;
    // Shows a modal dialog of the program's own; true when the user accepted it. Interactions that
    // show no dialogs (benchmarks) cancel it.
    virtual bool runDialog(QDialog &) { return false; }
};

// The real dialogs.
class QtInteraction : public Interaction
{
public:
    FileDialogResult openFile(QWidget *owner, const FileDialogRequest &request) override;
    FileDialogResult saveFile(QWidget *owner, const FileDialogRequest &request) override;
    SaveChangesAnswer askSaveChanges(QWidget *owner, const QString &documentName) override;
    void message(QWidget *owner, MessageIcon icon, const QString &title, const QString &text) override;
    bool runDialog(QDialog &dialog) override;
};
