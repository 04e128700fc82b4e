#pragma once
// The main window: the editor, its status bar and tray icon, and the commands around the document.

#include "ActionList.h"
#include "AppPaths.h"
#include "Interaction.h"

#include <QLabel>
#include <QMainWindow>
#include <QStringList>
#include <QTimer>
#include <array>
#include <memory>

#include "DocumentFormats.h"

class QComboBox;
class QFontComboBox;
class QMenu;
class QSystemTrayIcon;
class PluginHost;
class TRichViewEdit;
class TextCommandWiring;

class TMainFrm : public QMainWindow
{
    Q_OBJECT
public:
    // `arguments` are the program's arguments without the program name; the first names a document
    // to open. `interaction` answers every prompt and dialog.
    TMainFrm(const AppPaths &paths, Interaction &interaction, const QStringList &arguments,
             QWidget *parent = nullptr);
    ~TMainFrm() override;

    TRichViewEdit *editor() const { return ed; }
    ActionList &actionList() const { return *actions_; }
    QAction *action(const QString &name) const { return actions_->action(name); }
    QString fileName() const { return FileName; }
    QString statusPanelText(int panel) const;
    QSystemTrayIcon *trayIcon() const { return tray_; }
    const AppPaths &paths() const { return paths_; }
    QTimer &autoSaveTimer() { return ASTimer; }

    // Appends a record for `error` to the error log; the program goes on.
    void appevException(std::exception_ptr error);

    // The document commands and window behaviours, callable as the commands' handlers are.
    void LoadByExtension(const QString &name, bool testUtf16);
    void UpdateDocumentStatus();
    void UpdateCaretStatus();
    void MinimizeToTray();
    void RestoreFromTray();

    // The function that ends the program for Exit (tests replace it).
    std::function<void()> quitApplication;

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct FileDialogState {
        int filterIndex = 1;
        QString lastFileName;
    };

    void createActions();
    void createMenus();
    void createStatusBar();
    void createComboToolBar();
    void createTrayIcon();
    void FormCreate(const QStringList &arguments);
    void loadCommandLineDocument(const QString &name);

    // Document commands.
    void actNewExecute();
    void actOpenExecute();
    void actSaveExecute();
    void actSaveUpdate();
    void actSaveAsExecute();
    void actReadOnlyExecute();
    void ASTimerTimer();
    // Edit commands.
    void actExitExecute();
    void actClearUndoExecute();
    void actSelectCurWordExecute();
    void actSelectCurLineExecute();
    void actDelExecute();
    void actDelUpdate();
    void actDelAllExecute();
    void actDelAllUpdate();
    void actUpdatePlugExecute();

    // Asks whether a modified document should be saved first; false when the user cancels or the
    // save did not happen.
    bool confirmDiscard();
    void loadDocument(const QString &name, rvformats::DocFormat format);
    // Writes the document; on failure tells the user, keeps the modified flag and throws.
    void writeDocument(const QString &name, rvformats::DocFormat format);
    QString dialogFolder(const FileDialogState &state) const;
    void setCaptionFromFileName();
    void followCaretStyle();
    void snapToWorkArea();

    AppPaths paths_;
    Interaction &interaction_;
    std::unique_ptr<ActionList> actions_;
    TextCommandWiring *textCommands_ = nullptr;
    QMenu *miPlugins = nullptr;
    QMenu *miPluginsAbout = nullptr;
    PluginHost *plugins_ = nullptr;
    TRichViewEdit *ed = nullptr;
    QFontComboBox *cbFont = nullptr;
    QComboBox *cbSize = nullptr;
    std::array<QLabel *, 5> panels_{};
    QSystemTrayIcon *tray_ = nullptr;
    QMenu *trayMenu_ = nullptr;
    QTimer ASTimer;
    QString FileName;
    FileDialogState openDlg_, saveDlg_;
    bool saveDialogOpen_ = false;
    bool snapping_ = false;
};
