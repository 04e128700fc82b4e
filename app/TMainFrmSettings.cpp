// The main window's settings: the settings file, the hotkeys file, the window placement, the
// Settings dialog, the view toggles that persist, and the recent-files list with its submenu.

#include "TMainFrm.h"

#include "AppTitle.h"
#include "Errors.h"
#include "FontSettings.h"
#include "HotKeys.h"
#include "IniFile.h"
#include "OptionsFrm.h"
#include "RecentFiles.h"
#include "RvfOptionKeys.h"
#include "ShellIntegration.h"
#include "TRichViewEdit.h"
#include "jvFormIni.h"

#include <QMenu>
#include <QStatusBar>
#include <QToolBar>

namespace {
const QString kSettings = QStringLiteral("SETTINGS");
const QString kRvfOptions = QStringLiteral("RVFOPTIONS");
const QString kExplorer = QStringLiteral("EXPLORER");
constexpr int kDefaultAutoSaveInterval = 180000;
} // namespace

void TMainFrm::createSettingsActions()
{
    ActionList &a = *actions_;
    a.add(QStringLiteral("actSaveSet"), QStringLiteral("Save Settings"), QKeySequence(), [this] { actSaveSetExecute(); });
    a.add(QStringLiteral("actClearHistory"), QStringLiteral("Clear History"), QKeySequence(),
          [this] { actClearHistoryExecute(); });
    const struct {
        const char *name, *caption;
        void (TMainFrm::*execute)();
    } toggles[] = {
        {"actStatus", "Status", &TMainFrm::actStatusExecute},
        {"actRuler", "Ruler", &TMainFrm::actRulerExecute},
        {"actCoolBar", "Cool Bar", &TMainFrm::actCoolBarExecute},
    };
    for (const auto &t : toggles) {
        QAction *toggle = a.add(QLatin1String(t.name), QLatin1String(t.caption), QKeySequence(),
                                [this, execute = t.execute] { (this->*execute)(); });
        toggle->setCheckable(true);
        toggle->setChecked(true);
    }
}

// A view toggle's check mark and its bar start equal and flip together. Qt flips a checkable
// action's mark itself when it is triggered from a menu, but not when the command runs otherwise,
// so the handlers set the mark from the bar rather than flipping it again.
void TMainFrm::setViewCheck(const char *actionName, bool checked)
{
    action(QLatin1String(actionName))->setChecked(checked);
}

void TMainFrm::actStatusExecute()
{
    statusBar()->setVisible(statusBar()->isHidden());
    setViewCheck("actStatus", !statusBar()->isHidden());
}

void TMainFrm::actRulerExecute()
{
    ruler_.visible = !ruler_.visible;
    setViewCheck("actRuler", ruler_.visible);
    applyRulerSettings();
}

void TMainFrm::actCoolBarExecute()
{
    setCoolBarVisible(!coolBarShown_);
    setViewCheck("actCoolBar", coolBarShown_);
}

void TMainFrm::setCoolBarVisible(bool visible)
{
    coolBarShown_ = visible;
    // The tool bars have no toggles of their own yet, so showing the cool bar shows them all.
    for (QToolBar *bar : coolBar_)
        bar->setVisible(visible);
}

void TMainFrm::applyRulerSettings()
{
    // The window has no ruler yet: `ruler_` keeps what the settings and the Ruler command asked for,
    // and this is where the ruler takes its visibility, colour and margin colour from it.
}

void TMainFrm::LoadPlacement()
{
    TjvFormIni(paths_.settingsFile()).LoadPlacement(this);
}

void TMainFrm::SavePlacement()
{
    TjvFormIni(paths_.settingsFile()).SavePlacement(this);
}

void TMainFrm::LoadHotKeys()
{
    ::LoadHotKeys(TIniFile(paths_.hotkeysFile()), objectName(), actions_->actions());
}

void TMainFrm::LoadSettings()
{
    const TIniFile ini(paths_.settingsFile());

    TRVFOptions options;
    for (const RvfOptionKey &k : kRvfOptionKeys)
        options.set(k.option, ini.ReadBool(kRvfOptions, QLatin1String(k.key), TRVFOptions::defaults().has(k.option)));
    ed->setRVFOptions(options);

    applyFontSection(ini, ed->rvStyle().TextStyles.front());
    reapplyTextStyle(*ed, 0);
    followCaretStyle();

    const QString integrate = QStringLiteral("Integrate");
    const ShellIntegration shell(paths_.dataHome(), paths_.programFile(), AppTitle);
    if (ini.ReadBool(kExplorer, integrate, false))
        shell.install();
    if (!ini.ReadBool(kExplorer, integrate, false))
        shell.remove();

    const int interval = ini.ReadInteger(kSettings, QStringLiteral("AutoSaveInt"), kDefaultAutoSaveInterval);
    if (interval < 0)
        throw ERangeError("Range check error: AutoSaveInt " + std::to_string(interval));
    ASTimer.setInterval(interval);
    // An interval of 0 stops the timer: a zero-interval timer would save at every idle moment.
    if (ini.ReadBool(kSettings, QStringLiteral("AutoSave"), false) && interval > 0)
        ASTimer.start();
    else
        ASTimer.stop();

    const bool readOnly = ini.ReadBool(kSettings, QStringLiteral("ReadOnly"), false);
    action(QStringLiteral("actReadOnly"))->setChecked(readOnly);
    ed->setReadOnly(ini.ReadBool(kSettings, QStringLiteral("ReadOnly"), readOnly));

    const bool rulerShown = ini.ReadBool(kSettings, QStringLiteral("Ruler"), true);
    setViewCheck("actRuler", rulerShown);
    ruler_.visible = ini.ReadBool(kSettings, QStringLiteral("Ruler"), rulerShown);

    const bool coolBarShown = ini.ReadBool(kSettings, QStringLiteral("CoolBar"), true);
    setViewCheck("actCoolBar", coolBarShown);
    setCoolBarVisible(ini.ReadBool(kSettings, QStringLiteral("CoolBar"), coolBarShown));

    const bool statusShown = ini.ReadBool(kSettings, QStringLiteral("Status"), true);
    setViewCheck("actStatus", statusShown);
    statusBar()->setVisible(ini.ReadBool(kSettings, QStringLiteral("Status"), statusShown));

    ruler_.color = ini.ReadColor(kSettings, QStringLiteral("RulerColor"), ruler_.color);
    ruler_.marginColor = ini.ReadColor(kSettings, QStringLiteral("RulerMarginColor"), ruler_.marginColor);
    applyRulerSettings();
}

void TMainFrm::SaveSettings()
{
    TIniFile ini(paths_.settingsFile());
    const TRVFOptions options = ed->RVFOptions();
    for (const RvfOptionKey &k : kRvfOptionKeys)
        ini.WriteBool(kRvfOptions, QLatin1String(k.key), options.has(k.option));
    ini.WriteInteger(kSettings, QStringLiteral("AutoSaveInt"), ASTimer.interval());
    for (const char *toggle : {"ReadOnly", "Status", "Ruler", "CoolBar"})
        ini.WriteBool(kSettings, QLatin1String(toggle), action(QLatin1String("act") + QLatin1String(toggle))->isChecked());
}

void TMainFrm::actSaveSetExecute()
{
    TfrmOptions dialog(ed->RVFOptions(), this);
    if (interaction_.runDialog(dialog))
        ed->setRVFOptions(dialog.chosenOptions());
}

void TMainFrm::AddToHistory(const QString &name)
{
    RecentFiles(paths_.settingsFile()).AddToHistory(name);
    RefreshHistoryMenu();
}

void TMainFrm::recordInHistory(const QString &name)
{
    try {
        AddToHistory(name);
    } catch (const EIniFileException &) {
        appevException(std::current_exception());
    }
}

void TMainFrm::RefreshHistoryMenu()
{
    const QList<QAction *> items = miHistory->actions();
    for (qsizetype i = 1; i < items.size(); ++i)
        delete items.at(i);
    const QStringList entries = RecentFiles(paths_.settingsFile()).entries();
    if (entries.isEmpty())
        return;
    miHistory->addSeparator();
    for (const QString &name : entries) {
        // "&" would be taken for an accelerator mark; the item opens the stored name, not its caption.
        QString caption = name;
        caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction *item = miHistory->addAction(caption);
        item->setData(name);
        connect(item, &QAction::triggered, this, [this, name] {
            try {
                OpenHistoryItem(name);
            } catch (...) {
                appevException(std::current_exception());
            }
        });
    }
}

void TMainFrm::OpenHistoryItem(const QString &name)
{
    if (!confirmDiscard())
        return;
    ed->clearDocument();
    FileName = name;
    LoadByExtension(FileName, false);
    setCaptionFromFileName();
    ed->setModified(false);
    ed->format();
}

void TMainFrm::actClearHistoryExecute()
{
    RecentFiles(paths_.settingsFile()).clear();
    RefreshHistoryMenu();
}
