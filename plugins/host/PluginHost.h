#pragma once
// The plug-in host of the main window. It turns the libraries in the plug-in folder into two menus
// (the Plugins menu, one command per plug-in, and the About Plugin menu, one information entry per
// plug-in; sub-folders become submenus in both), runs a plug-in on the editor's text and shows a
// plug-in's information. Every generated entry keeps only the full path of its library (in
// QAction::data); no plug-in stays loaded between two operations.

#include "PluginFolder.h"

#include <QObject>
#include <QString>
#include <functional>
#include <string>
#include <vector>

class QAction;
class QMenu;
class QWidget;
class TRichViewEdit;

class PluginHost : public QObject
{
    Q_OBJECT
public:
    enum class Icon { Information, Warning, Error };
    // Shows a modal message box with a single OK button.
    using MessageFn = std::function<void(Icon icon, const QString &title, const QString &text)>;

    // The title of the host's warning and error boxes: the application's title.
    static inline const QString kMessageTitle = QStringLiteral("Tavlen v2.0");

    // `owner` is the window handed to plug-ins; `pluginFolder` ends in "/"; `miPlugins` holds the
    // fixed "Update Plugins" entry as its first child and nothing the host did not put there
    // after it; `miPluginsAbout` holds nothing but what the host puts there.
    PluginHost(QWidget *owner, TRichViewEdit *editor, const QString &pluginFolder, QMenu *miPlugins,
               QMenu *miPluginsAbout, MessageFn message, QObject *parent = nullptr);

    // Rebuilds both menus from the plug-in folder.
    void RefreshPlugins();
    // Lists `folder` (ending in "/") into a pair of parent menus.
    void ScanPluginFolder(const QString &folder, QMenu *commandParent, QMenu *informationParent);
    // The library at `path` loads and exports all three entry points.
    static bool IsPlugin(const QString &path);
    // The caption the plug-in at `path` gives its command (from the code page, unchanged).
    static QString ReadPluginCaption(const QString &path);

    // Click handlers of the generated entries.
    void PluginClick(QAction *entry);
    void PluginAboutClick(QAction *entry);

private:
    void scanFolder(const QString &folder, QMenu *commandParent, QMenu *informationParent,
                    std::vector<pluginfolder::FolderId> &openFolders);
    void addPlugin(const QString &path, QMenu *commandParent, QMenu *informationParent);
    // True (after telling the user and rebuilding the menus) when the entry's library has gone.
    bool reportMissingFile(const QString &path);
    // Puts a plug-in's returned text in place of the selection or of the whole document; a text
    // equal to what the plug-in was given leaves the document as it is.
    void applyText(const char *returned, const std::string &given, bool wholeDocument);

    QWidget *owner_;
    TRichViewEdit *editor_;
    QString folder_;
    QMenu *miPlugins_;
    QMenu *miPluginsAbout_;
    MessageFn message_;
};
