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
#include <vector>

#include "DocumentFormats.h"
#include "RVStyle.h"

class QComboBox;
class QFontComboBox;
class QMenu;
class QToolBar;
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

    // Settings, shortcuts and window placement: read once at start, written once at close.
    void LoadSettings();
    void SaveSettings();
    void LoadHotKeys();
    void LoadPlacement();
    void SavePlacement();

    // The recent-files list and its History submenu.
    void AddToHistory(const QString &name);
    void RefreshHistoryMenu();
    QMenu *historyMenu() const { return miHistory; }

    // What the ruler is to look like; the ruler itself is not there yet (see applyRulerSettings).
    struct RulerSettings {
        bool visible = true;
        RVColor color = 0x00C0C0C0;                // silver
        RVColor marginColor = rvsys::AppWorkspace;
    };
    const RulerSettings &rulerSettings() const { return ruler_; }

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
    // Settings, view and history commands.
    void actSaveSetExecute();
    void actStatusExecute();
    void actRulerExecute();
    void actCoolBarExecute();
    void actClearHistoryExecute();
    void OpenHistoryItem(const QString &name);
    // AddToHistory for the document commands: a list that cannot be written is logged and the
    // command goes on, so an unwritable program folder does not stop every Open.
    void recordInHistory(const QString &name);
    void createSettingsActions();
    // Shows the ruler or not, in its colours, once the window has one.
    void applyRulerSettings();
    void setCoolBarVisible(bool visible);
    void setViewCheck(const char *actionName, bool checked);

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
    QMenu *miHistory = nullptr;
    std::vector<QToolBar *> coolBar_;
    bool coolBarShown_ = true;
    RulerSettings ruler_;
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
