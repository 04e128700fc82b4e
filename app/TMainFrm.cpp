#include "TMainFrm.h"

#include "AppIcon.h"
#include "AppTitle.h"
#include "ErrorLog.h"
#include "PluginHost.h"
#include "TRichViewEdit.h"
#include "TextCommandWiring.h"
#include "WindowSnap.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QCursor>
#include <QFileInfo>
#include <QFontComboBox>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QSystemTrayIcon>
#include <QToolBar>
#include <QToolTip>

namespace {

// Set by the first snap to a work-area edge, for the rest of the run.
bool windowSnapped = false;

constexpr int kPanelWidth = 100;

} // namespace

TMainFrm::TMainFrm(const AppPaths &paths, Interaction &interaction, const QStringList &arguments, QWidget *parent)
    : QMainWindow(parent)
    , paths_(paths)
    , interaction_(interaction)
    , actions_(std::make_unique<ActionList>(this, [this](std::exception_ptr e) { appevException(e); }))
{
    setObjectName(QStringLiteral("MainFrm"));
    setWindowTitle(AppTitle);
    setWindowIcon(appIcon());
    setGeometry(192, 114, 700, 480);
    quitApplication = [] { QCoreApplication::exit(0); };

    ed = new TRichViewEdit(this);
    ed->setObjectName(QStringLiteral("ed"));
    setCentralWidget(ed);
    ed->viewport()->installEventFilter(this);

    createActions();
    createMenus();
    createComboToolBar();
    createStatusBar();
    createTrayIcon();
    plugins_ = new PluginHost(
        this, ed, paths_.pluginFolder(), miPlugins, miPluginsAbout,
        [this](PluginHost::Icon icon, const QString &title, const QString &text) {
            interaction_.message(this,
                                 icon == PluginHost::Icon::Error     ? MessageIcon::Error
                                 : icon == PluginHost::Icon::Warning ? MessageIcon::Warning
                                                                     : MessageIcon::Information,
                                 title, text);
        },
        this);

    ASTimer.setInterval(180000);
    connect(&ASTimer, &QTimer::timeout, this, &TMainFrm::ASTimerTimer);

    connect(ed, &QTextEdit::selectionChanged, actions_.get(), &ActionList::scheduleUpdate);
    connect(ed->document(), &QTextDocument::modificationChanged, actions_.get(), &ActionList::scheduleUpdate);
    connect(ed->document(), &QTextDocument::contentsChanged, actions_.get(), &ActionList::scheduleUpdate);
    connect(ed, &TRichViewEdit::curTextStyleChanged, this, &TMainFrm::followCaretStyle);

    // A change of display repaints the editor with the new screen's settings.
    auto repaint = [this] { ed->format(); };
    connect(qApp, &QGuiApplication::screenAdded, this, repaint);
    connect(qApp, &QGuiApplication::screenRemoved, this, repaint);
    connect(qApp, &QGuiApplication::primaryScreenChanged, this, repaint);

    FormCreate(arguments);
    actions_->updateAll();
}

TMainFrm::~TMainFrm()
{
    // FormDestroy: the tray icon never outlives the window.
    if (tray_)
        tray_->hide();
}

void TMainFrm::appevException(std::exception_ptr error)
{
    appendErrorRecord(paths_.errorLog(), error);
}

void TMainFrm::createActions()
{
    ActionList &a = *actions_;
    a.add(QStringLiteral("actNew"), QStringLiteral("New"), QKeySequence(QStringLiteral("Ctrl+N")),
          [this] { actNewExecute(); });
    a.add(QStringLiteral("actOpen"), QStringLiteral("Open"), QKeySequence(QStringLiteral("Ctrl+O")),
          [this] { actOpenExecute(); });
    a.add(QStringLiteral("actSave"), QStringLiteral("Save"), QKeySequence(QStringLiteral("Ctrl+S")),
          [this] { actSaveExecute(); }, [this] { actSaveUpdate(); });
    a.add(QStringLiteral("actSaveAs"), QStringLiteral("Save As"), QKeySequence(QStringLiteral("Ctrl+Alt+S")),
          [this] { actSaveAsExecute(); });
    QAction *readOnly = a.add(QStringLiteral("actReadOnly"), QStringLiteral("Read Only"), QKeySequence(),
                              [this] { actReadOnlyExecute(); });
    readOnly->setCheckable(true);
    // The check mark follows the editor's flag, not Qt's automatic toggling.
    connect(readOnly, &QAction::triggered, this, [this, readOnly] { readOnly->setChecked(ed->isReadOnly()); });
    a.add(QStringLiteral("actExit"), QStringLiteral("Exit"), QKeySequence(QStringLiteral("Shift+Esc")),
          [this] { actExitExecute(); });
    a.add(QStringLiteral("actClearUndo"), QStringLiteral("Clear Undo"), QKeySequence(),
          [this] { actClearUndoExecute(); });
    a.add(QStringLiteral("actSelectCurWord"), QStringLiteral("Select Word"), QKeySequence(QStringLiteral("Ctrl+Alt+A")),
          [this] { actSelectCurWordExecute(); });
    a.add(QStringLiteral("actSelectCurLine"), QStringLiteral("Select Line"),
          QKeySequence(QStringLiteral("Shift+Ctrl+A")), [this] { actSelectCurLineExecute(); });
    a.add(QStringLiteral("actDel"), QStringLiteral("Delete"), QKeySequence(), [this] { actDelExecute(); },
          [this] { actDelUpdate(); });
    a.add(QStringLiteral("actDelAll"), QStringLiteral("Delete All"), QKeySequence(QStringLiteral("Ctrl+Del")),
          [this] { actDelAllExecute(); }, [this] { actDelAllUpdate(); });
    a.add(QStringLiteral("actUpdatePlug"), QStringLiteral("Update Plugin"), QKeySequence(),
          [this] { actUpdatePlugExecute(); })
        ->setStatusTip(QStringLiteral("Update Plugin"));
    createSettingsActions();
}

void TMainFrm::createMenus()
{
    auto addMenu = [this](const QString &name, const QString &caption) {
        QMenu *m = menuBar()->addMenu(caption);
        m->setObjectName(name);
        actions_->watchMenu(m);
        return m;
    };
    auto act = [this](const char *name) { return actions_->action(QLatin1String(name)); };

    QMenu *file = addMenu(QStringLiteral("mipFile"), QStringLiteral("File"));
    file->addAction(act("actNew"));
    file->addAction(act("actOpen"));
    file->addSeparator();
    file->addAction(act("actSave"));
    actions_->addMenuItem(file, act("actSaveAs"), QStringLiteral("Save As..."));
    file->addAction(act("actSaveSet"));
    miHistory = file->addMenu(QStringLiteral("History"));
    miHistory->setObjectName(QStringLiteral("miHistory"));
    miHistory->addAction(act("actClearHistory"));
    file->addSeparator();
    file->addAction(act("actExit"));

    QMenu *edit = addMenu(QStringLiteral("mipEdit"), QStringLiteral("Edit"));
    edit->addAction(act("actClearUndo"));
    edit->addSeparator();
    edit->addAction(act("actSelectCurLine"));
    edit->addAction(act("actSelectCurWord"));
    edit->addSeparator();
    edit->addAction(act("actDel"));
    edit->addAction(act("actDelAll"));

    QMenu *view = addMenu(QStringLiteral("mipView"), QStringLiteral("View"));
    view->addAction(act("actStatus"));
    view->addAction(act("actRuler"));
    view->addAction(act("actCoolBar"));

    QMenu *format = addMenu(QStringLiteral("mipFormat"), QStringLiteral("Format"));
    QMenu *caseMenu = addMenu(QStringLiteral("mipCase"), QStringLiteral("Case"));
    QMenu *convert = addMenu(QStringLiteral("mipConvert"), QStringLiteral("Convert"));
    miPlugins = addMenu(QStringLiteral("miPlugins"), QStringLiteral("Plugins"));
    QAction *miUpdatePlug = actions_->addMenuItem(miPlugins, act("actUpdatePlug"), QStringLiteral("Update Plugins"));
    miUpdatePlug->setObjectName(QStringLiteral("miUpdatePlug"));
    miUpdatePlug->setStatusTip(QStringLiteral("Update Plugins"));
    QMenu *coding = addMenu(QStringLiteral("mipCod"), QStringLiteral("Coding"));
    QMenu *info = addMenu(QStringLiteral("mipInfo"), QStringLiteral("Info"));
    miPluginsAbout = info->addMenu(QStringLiteral("About Plugin"));
    miPluginsAbout->setObjectName(QStringLiteral("miPluginsAbout"));

    textCommands_ = new TextCommandWiring(*actions_, ed, {caseMenu, coding, format, convert}, this);
    format->addSeparator();
    format->addAction(act("actReadOnly"));
}

void TMainFrm::actUpdatePlugExecute()
{
    plugins_->RefreshPlugins();
}

void TMainFrm::createComboToolBar()
{
    QToolBar *bar = addToolBar(QStringLiteral("Combo Tool Bar"));
    bar->setObjectName(QStringLiteral("ComboToolBar"));
    coolBar_.push_back(bar);
    cbFont = new QFontComboBox(bar);
    cbFont->setObjectName(QStringLiteral("cbFont"));
    cbFont->setToolTip(QStringLiteral("Font"));
    cbSize = new QComboBox(bar);
    cbSize->setObjectName(QStringLiteral("cbSize"));
    cbSize->setToolTip(QStringLiteral("Size"));
    cbSize->setEditable(true);
    for (const char *size : {"8", "10", "11", "12", "14", "16", "18", "20", "22", "24", "26", "28", "30", "32", "36",
                             "48", "72"})
        cbSize->addItem(QLatin1String(size));
    bar->addWidget(cbFont);
    bar->addWidget(cbSize);
    followCaretStyle();
}

void TMainFrm::followCaretStyle()
{
    const TRVStyle &style = ed->rvDocument().style();
    const int no = ed->curTextStyleNo();
    const RVTextStyle &s = style.TextStyles[std::size_t(no >= 0 && std::size_t(no) < style.TextStyles.size() ? no : 0)];
    cbFont->setEditText(s.fontName);
    cbSize->setEditText(QString::number(s.size));
}

void TMainFrm::createStatusBar()
{
    QStatusBar *bar = statusBar();
    bar->setObjectName(QStringLiteral("Status"));
    bar->setSizeGripEnabled(false);
    for (std::size_t i = 0; i < panels_.size(); ++i) {
        panels_[i] = new QLabel(bar);
        panels_[i]->setFixedWidth(kPanelWidth);
        panels_[i]->setFrameShape(QFrame::Panel);
        panels_[i]->setFrameShadow(QFrame::Sunken);
        bar->addWidget(panels_[i]);
    }
}

QString TMainFrm::statusPanelText(int panel) const
{
    return panel >= 0 && std::size_t(panel) < panels_.size() ? panels_[std::size_t(panel)]->text() : QString();
}

void TMainFrm::createTrayIcon()
{
    trayMenu_ = new QMenu(this);
    trayMenu_->addAction(actions_->action(QStringLiteral("actExit")));
    tray_ = new QSystemTrayIcon(appIcon(), this);
    tray_->setToolTip(AppTitle);
    connect(tray_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger) {
            RestoreFromTray();
        } else if (reason == QSystemTrayIcon::Context) {
            activateWindow();
            trayMenu_->popup(QCursor::pos());
        }
    });
}

void TMainFrm::FormCreate(const QStringList &arguments)
{
    try {
        LoadPlacement();
        RefreshHistoryMenu();
        plugins_->RefreshPlugins();
        QPalette tips = QToolTip::palette();
        tips.setColor(QPalette::ToolTipBase, QColor(255, 255, 255));
        QToolTip::setPalette(tips);

        ed->clearDocument();
        if (!arguments.isEmpty() && !arguments.constFirst().isEmpty())
            loadCommandLineDocument(arguments.constFirst());
        LoadHotKeys();
        LoadSettings();
    } catch (...) {
        appevException(std::current_exception());
    }
}

void TMainFrm::loadCommandLineDocument(const QString &name)
{
    FileName = name;
    recordInHistory(FileName);
    LoadByExtension(FileName, true);
    UpdateDocumentStatus();
    ed->setModified(false);
    setCaptionFromFileName();
    ed->format();
}

void TMainFrm::UpdateDocumentStatus()
{
    panels_[1]->setText(FileName.isEmpty() ? QString() : QFileInfo(FileName).fileName());
    panels_[2]->setText(cbFont->currentText());
    panels_[3]->setText(QString::number(ed->itemCount()));
    panels_[4]->setText(cbSize->currentText());
}

void TMainFrm::UpdateCaretStatus()
{
    int line = 0, column = 0;
    ed->caretLineCol(line, column);
    panels_[0]->setText(QStringLiteral("Line: %1   Col: %2").arg(line).arg(column));
    UpdateDocumentStatus();
}

void TMainFrm::setCaptionFromFileName()
{
    setWindowTitle(FileName.isEmpty() ? AppTitle : QFileInfo(FileName).fileName() + QStringLiteral(" - ") + AppTitle);
}

void TMainFrm::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    ed->setFocus(); // FormShow
}

void TMainFrm::closeEvent(QCloseEvent *event)
{
    if (!confirmDiscard()) {
        event->ignore();
        return;
    }
    // A settings file that cannot be written keeps the window open: closing would lose the settings
    // without a word, and the error log says what went wrong. Exit still ends the program.
    try {
        SaveSettings();
        SavePlacement();
    } catch (...) {
        appevException(std::current_exception());
        event->ignore();
        return;
    }
    event->accept();
}

void TMainFrm::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && (windowState() & Qt::WindowMinimized) && isVisible())
        MinimizeToTray();
}

void TMainFrm::MinimizeToTray()
{
    hide();
    tray_->show();
}

void TMainFrm::RestoreFromTray()
{
    tray_->hide();
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

void TMainFrm::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    panels_[0]->setFixedWidth(frameGeometry().width() / 6);
    snapToWorkArea();
}

void TMainFrm::moveEvent(QMoveEvent *event)
{
    QMainWindow::moveEvent(event);
    snapToWorkArea();
}

void TMainFrm::snapToWorkArea()
{
    if (snapping_ || !isVisible() || isMaximized() || isFullScreen() || !screen())
        return;
    const QRect frame = frameGeometry();
    const SnapRect proposed{frame.x(), frame.y(), frame.width(), frame.height()};
    const SnapRect r = ::snapToWorkArea(proposed, workAreaOf(screen()->availableGeometry()), windowSnapped);
    if (r.x == proposed.x && r.y == proposed.y)
        return;
    snapping_ = true;
    move(r.x, r.y);
    snapping_ = false;
}

bool TMainFrm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ed->viewport() && event->type() == QEvent::MouseButtonRelease)
        UpdateCaretStatus(); // edClick
    return QMainWindow::eventFilter(watched, event);
}
