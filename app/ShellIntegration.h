#pragma once
// The desktop's "Открыть в <title>" entry for every file, and the application entry that opens a
// file with the program. Linux desktops keep these as files under the user's data folder:
//   applications/<title>.desktop        the application entry (the file-class command)
//   kio/servicemenus/<title>.desktop    the context-menu entry of KDE's file managers
//   nautilus/scripts/Открыть в <title>  the same entry in GNOME Files' Scripts menu
// Each starts the program with the chosen file as its one argument.

#include <QString>

struct ShellIntegrationFiles {
    QString applicationEntry;
    QString serviceMenu;
    QString nautilusScript;
};

class ShellIntegration
{
public:
    // `dataHome` is the user's data folder, `programFile` the program's absolute path.
    ShellIntegration(QString dataHome, QString programFile, QString title);

    ShellIntegrationFiles files() const;
    QString caption() const; // "Открыть в " + title

    // The application entry first, then the context-menu entries; stops at the first file that
    // cannot be written with EShellIntegrationError "Failed to set data for '<file>'".
    void install() const;
    // Deletes the files; whatever cannot be deleted is left without notice.
    void remove() const;

private:
    QString dataHome_, program_, title_;
};
