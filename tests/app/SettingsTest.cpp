// The main window's settings file, hotkeys file, placement, Settings dialog and view toggles.

#include "MainWindowFixture.h"

#include "RVFOptions.h"

#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QMenu>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>

#include <functional>

namespace {
QString ini(const QString &text)
{
    QString crlf = text;
    return crlf.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
}
} // namespace

class SettingsTest : public MainWindowTest
{
protected:
    void writeSettings(const char *text) { write(QStringLiteral("Tavlen.ini"), ini(QLatin1String(text)).toLatin1()); }
    QString settings() const { return QString::fromLatin1(read(QStringLiteral("Tavlen.ini"))); }
    bool checked(const char *name) const { return frm->action(QLatin1String(name))->isChecked(); }
    QToolBar *comboBar() const { return frm->findChild<QToolBar *>(QStringLiteral("ComboToolBar")); }
};

TEST_F(SettingsTest, RulerOffSurvivesAStartAndACloseWithExactlyTheSettingsKeys)
{
    writeSettings("[SETTINGS]\nRuler=0\n");
    start();
    EXPECT_FALSE(checked("actRuler"));
    EXPECT_FALSE(frm->rulerSettings().visible);
    EXPECT_TRUE(checked("actStatus"));
    ASSERT_TRUE(frm->close());
    const QString text = settings();
    EXPECT_EQ(text.left(text.indexOf(QLatin1String("\r\n[MainFrm]"))),
              ini(QStringLiteral("[SETTINGS]\nRuler=0\nAutoSaveInt=180000\nReadOnly=0\nStatus=1\nCoolBar=1\n\n"
                                 "[RVFOPTIONS]\nSavePicturesBody=1\nSaveControlsBody=1\nSaveBackground=1\n"
                                 "SaveLayout=1\nSaveBinary=1\nLoadBack=1\nLoadLayout=1\nIgnoreUnknownPicFmt=0\n"
                                 "IgnoreUnknownCtrls=0\nConvUnknownStylesToZero=0\nConvLargeImageIdxToZero=0\n"
                                 "SaveTextStyles=1\nSaveParaStyles=1\nUseStyleNames=0\nSaveDocProperties=1\n"
                                 "LoadDocProperties=1\n")));
    const QString placement = text.mid(text.indexOf(QLatin1String("[MainFrm]")));
    EXPECT_TRUE(placement.startsWith(ini(QStringLiteral("[MainFrm]\nState=0\nLeft=")))) << placement.toStdString();
    for (const char *key : {"Top=", "Width=700", "Height=480"})
        EXPECT_TRUE(placement.contains(QLatin1String(key))) << key;
}

TEST_F(SettingsTest, SettingsTakeEffectAtStart)
{
    const struct {
        const char *file;
        std::function<void()> check;
    } cases[] = {
        {"[settings]\nStatus=0\nCoolBar=0\n",
         [this] {
             EXPECT_FALSE(checked("actStatus"));
             EXPECT_TRUE(frm->statusBar()->isHidden());
             EXPECT_FALSE(checked("actCoolBar"));
             EXPECT_TRUE(comboBar()->isHidden());
         }},
        {"[SETTINGS]\nReadOnly=1\n",
         [this] {
             EXPECT_TRUE(checked("actReadOnly"));
             EXPECT_TRUE(frm->editor()->isReadOnly());
         }},
        {"[SETTINGS]\nAutoSave=1\nAutoSaveInt=0x2BF20\n",
         [this] {
             EXPECT_TRUE(frm->autoSaveTimer().isActive());
             EXPECT_EQ(frm->autoSaveTimer().interval(), 180000);
         }},
        {"[SETTINGS]\nAutoSave=1\nAutoSaveInt=60000\n",
         [this] { EXPECT_EQ(frm->autoSaveTimer().interval(), 60000); }},
        // A zero interval stops autosave instead of saving at every idle moment.
        {"[SETTINGS]\nAutoSave=1\nAutoSaveInt=0\n",
         [this] { EXPECT_FALSE(frm->autoSaveTimer().isActive()); }},
        {"",
         [this] {
             EXPECT_FALSE(frm->autoSaveTimer().isActive());
             EXPECT_EQ(frm->autoSaveTimer().interval(), 180000);
             EXPECT_EQ(frm->rulerSettings().color, 0x00C0C0C0u);
             EXPECT_EQ(frm->rulerSettings().marginColor, 0xFF00000Cu);
             EXPECT_TRUE(frm->editor()->RVFOptions() == TRVFOptions::defaults());
         }},
        {"[SETTINGS]\nRulerColor=$FF\nRulerMarginColor=-16777208\n[RVFOPTIONS]\nSaveBinary=0\nUseStyleNames=7\n",
         [this] {
             EXPECT_EQ(frm->rulerSettings().color, 0x000000FFu);
             EXPECT_EQ(frm->rulerSettings().marginColor, 0xFF000008u);
             const TRVFOptions o = frm->editor()->RVFOptions();
             EXPECT_FALSE(o.has(rvfoSaveBinary));
             EXPECT_TRUE(o.has(rvfoUseStyleNames));
             EXPECT_TRUE(o.has(rvfoSaveLayout));
         }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.file);
        writeSettings(c.file);
        start();
        c.check();
        EXPECT_EQ(log(), QString());
    }
}

TEST_F(SettingsTest, NegativeAutoSaveIntervalStopsTheRestOfTheSettings)
{
    writeSettings("[RVFOPTIONS]\nSaveBinary=0\n[SETTINGS]\nAutoSaveInt=-5\nAutoSave=1\nReadOnly=1\n");
    start();
    EXPECT_TRUE(log().contains(QLatin1String("Exception ERangeError in module"))) << log().toStdString();
    EXPECT_FALSE(frm->editor()->RVFOptions().has(rvfoSaveBinary)); // read before the interval
    EXPECT_FALSE(frm->editor()->isReadOnly());
    EXPECT_FALSE(frm->autoSaveTimer().isActive());
}

TEST_F(SettingsTest, HostileSettingsFileGivesDefaults)
{
    QByteArray garbage("\x00\xff", 2);
    garbage += "[SETTINGS\n[SETTINGS]\nStatus\nAutoSaveInt=0x\nCoolBar=1\nRuler=" + QByteArray(100000, '7');
    garbage += "\n[SETTINGS]\nStatus=0\n[HISTORY]\nCount=1000000\nFile1=a.txt\n";
    garbage += "[FONT]\nSize=100000\nName=\nCharScale=0x\n";
    write(QStringLiteral("Tavlen.ini"), garbage);
    start();
    EXPECT_EQ(log(), QString());
    EXPECT_EQ(frm->autoSaveTimer().interval(), 180000);
    EXPECT_TRUE(checked("actRuler")); // a number too large for 32 bits is no number
    EXPECT_TRUE(checked("actStatus")); // only the first of two sections counts
    const RVTextStyle &normal = frm->editor()->rvStyle().TextStyles.front();
    EXPECT_EQ(normal.size, 12);
    EXPECT_EQ(normal.fontName, QStringLiteral("Times New Roman"));
    EXPECT_EQ(normal.charScale, 100);
    // Clear History, separator, a.txt and nine gaps: the count is cut to ten.
    EXPECT_EQ(frm->historyMenu()->actions().size(), 12);
}

TEST_F(SettingsTest, FontSectionRestylesTextStyleZeroOfTheLoadedDocument)
{
    const QString doc = write(QStringLiteral("doc.txt"), "plain text");
    writeSettings("[FONT]\nName=Arial\nBold=1\nHTMLCode=1\n");
    start({doc});
    const RVTextStyle &normal = frm->editor()->rvStyle().TextStyles.front();
    EXPECT_EQ(normal.fontName, QStringLiteral("Arial"));
    EXPECT_TRUE(normal.bold);
    EXPECT_EQ(normal.size, 12);
    EXPECT_FALSE(normal.italic);
    QTextCursor c(frm->editor()->document());
    c.setPosition(3);
    EXPECT_EQ(c.charFormat().fontFamilies().toStringList(), QStringList{QStringLiteral("Arial")});
    EXPECT_EQ(c.charFormat().fontWeight(), QFont::Bold);
    // Applying the settings is no edit: nothing to save, nothing to undo.
    EXPECT_FALSE(frm->editor()->isModified());
    EXPECT_EQ(frm->editor()->document()->availableUndoSteps(), 0);
    EXPECT_EQ(frm->statusPanelText(2), QStringLiteral("Times New Roman")); // refreshed before the settings
}

TEST_F(SettingsTest, HotkeysFileReplacesShortcuts)
{
    write(AppTitle + QStringLiteral(".ini"), ini(QStringLiteral("[hotkeys]\nMainFrmactSave=Ctrl+W\nMainFrmactExit=\n"
                                                                "MainFrmactOpen=ctrl+o\nmainfrmactNew=Ctrl+Ctrl+\n"
                                                                "MainFrmactDelAll=^Shift+F5\nMainFrmN48=Ctrl+1\n"))
                                                .toLatin1());
    start();
    const struct {
        const char *action, *shortcut;
    } expected[] = {
        {"actSave", "Ctrl+W"},     {"actExit", ""},         {"actOpen", "Ctrl+O"},
        {"actNew", ""},            {"actSaveAs", "Ctrl+Alt+S"}, {"actDelAll", "Ctrl+Shift+F5"},
        {"actSelectCurLine", "Ctrl+Shift+A"},
    };
    for (const auto &e : expected)
        EXPECT_EQ(frm->action(QLatin1String(e.action))->shortcut().toString(), QLatin1String(e.shortcut)) << e.action;
    // The number conversions are menu items only: the file does not reach them.
    for (QAction *a : frm->actionList().actions()) {
        if (a->property("menuItemOnly").toBool()) {
            EXPECT_NE(a->shortcut().toString(), QStringLiteral("Ctrl+1")) << a->objectName().toStdString();
        }
    }
}

TEST_F(SettingsTest, PlacementComesBackAndAMaximisedCloseKeepsTheBounds)
{
    writeSettings("[MainFrm]\nState=0\nLeft=40\nTop=30\nWidth=640\nHeight=400\n");
    start();
    EXPECT_EQ(frm->geometry().size(), QSize(640, 400));
    frm->showMaximized();
    ASSERT_TRUE(frm->close());
    EXPECT_TRUE(settings().contains(ini(QStringLiteral("[MainFrm]\nState=1\nLeft=40\nTop=30\nWidth=640\nHeight=400\n"))))
        << settings().toStdString();
    start();
    EXPECT_TRUE(frm->windowState() & Qt::WindowMaximized);
}

TEST_F(SettingsTest, UnwritableSettingsFileKeepsTheWindowOpenButExitStillEnds)
{
    QDir(dir.path()).mkdir(QStringLiteral("Tavlen.ini"));
    start();
    EXPECT_FALSE(frm->close());
    EXPECT_TRUE(log().contains(QLatin1String("Exception EIniFileException in module"))) << log().toStdString();
    EXPECT_TRUE(log().contains(QLatin1String("Unable to write to"))) << log().toStdString();
    run("actExit");
    EXPECT_EQ(quits, 1);
}

TEST_F(SettingsTest, SettingsDialogOkKeepsOnlyTickedOptions)
{
    start();
    QStringList pages;
    int boxes = 0;
    ui.onDialog = [&](QDialog &d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Settings"));
        const auto *tabs = d.findChild<QTabWidget *>();
        for (int i = 0; i < tabs->count(); ++i)
            pages << tabs->tabText(i);
        boxes = int(d.findChildren<QCheckBox *>().size());
        return true;
    };
    run("actSaveSet");
    EXPECT_EQ(pages, (QStringList{"Export RVF", "Import RVF"}));
    EXPECT_EQ(boxes, 13);

    const auto tick = [](const char *caption, bool on, bool accept) {
        return [=](QDialog &d) {
            for (QCheckBox *box : d.findChildren<QCheckBox *>())
                if (box->text() == QLatin1String(caption))
                    box->setChecked(on);
            return accept;
        };
    };
    const struct {
        std::function<bool(QDialog &)> answer;
        TRVFOption option;
        bool expected;
    } cases[] = {
        {tick("Binary Mode", false, false), rvfoSaveBinary, true},  // cancelled
        {tick("Binary Mode", false, true), rvfoSaveBinary, false},
        {tick("Styles", true, true), rvfoConvUnknownStylesToZero, true},
        {tick("Images Indices", true, false), rvfoConvLargeImageIdxToZero, false},
    };
    for (const auto &c : cases) {
        frm->editor()->setRVFOptions(TRVFOptions::defaults());
        ui.onDialog = c.answer;
        run("actSaveSet");
        EXPECT_EQ(frm->editor()->RVFOptions().has(c.option), c.expected) << c.option;
    }
    // "OK" switches off the three options without a box; the next close writes them so.
    ui.onDialog = [](QDialog &) { return true; };
    frm->editor()->setRVFOptions(TRVFOptions::defaults());
    run("actSaveSet");
    for (TRVFOption o : {rvfoUseStyleNames, rvfoSaveDocProperties, rvfoLoadDocProperties})
        EXPECT_FALSE(frm->editor()->RVFOptions().has(o)) << o;
    EXPECT_TRUE(frm->editor()->RVFOptions().has(rvfoSavePicturesBody));
    ASSERT_TRUE(frm->close());
    EXPECT_TRUE(settings().contains(QLatin1String("SaveDocProperties=0\r\nLoadDocProperties=0")));
}

TEST_F(SettingsTest, ViewTogglesFlipTheirBarsFromMenuAndCommand)
{
    start();
    QAction *status = frm->action(QStringLiteral("actStatus"));
    status->trigger(); // as a menu click: Qt flips the mark first
    EXPECT_FALSE(status->isChecked());
    EXPECT_TRUE(frm->statusBar()->isHidden());
    run("actStatus"); // as a shortcut or script: no automatic flip
    EXPECT_TRUE(status->isChecked());
    EXPECT_FALSE(frm->statusBar()->isHidden());
    frm->action(QStringLiteral("actCoolBar"))->trigger();
    EXPECT_TRUE(comboBar()->isHidden());
    EXPECT_FALSE(checked("actCoolBar"));
    frm->action(QStringLiteral("actRuler"))->trigger();
    EXPECT_FALSE(frm->rulerSettings().visible);
    EXPECT_FALSE(checked("actRuler"));
    ASSERT_TRUE(frm->close());
    start();
    EXPECT_FALSE(checked("actRuler"));
    EXPECT_TRUE(comboBar()->isHidden());
    EXPECT_TRUE(checked("actStatus"));
}

TEST_F(SettingsTest, ShellIntegrationFollowsTheSettingAtEveryStart)
{
    const QString verb = dataHome() + QStringLiteral("/kio/servicemenus/Tavlen v2.0.desktop");
    const QString entry = dataHome() + QStringLiteral("/applications/Tavlen v2.0.desktop");
    writeSettings("[EXPLORER]\nIntegrate=1\n");
    start();
    EXPECT_TRUE(QFile::exists(verb));
    EXPECT_TRUE(QFile::exists(entry));
    writeSettings("[EXPLORER]\nIntegrate=yes\n"); // no number: removes
    start();
    EXPECT_FALSE(QFile::exists(verb));
    EXPECT_FALSE(QFile::exists(entry));
    EXPECT_TRUE(QDir(dataHome() + QStringLiteral("/applications")).exists());
}

TEST_F(SettingsTest, IntegrationThatCannotBeWrittenEndsTheSettingsThere)
{
    QDir().mkpath(dataHome() + QStringLiteral("/applications/Tavlen v2.0.desktop")); // a folder in the way
    writeSettings("[EXPLORER]\nIntegrate=1\n[SETTINGS]\nStatus=0\n");
    start();
    EXPECT_TRUE(log().contains(QLatin1String("Failed to set data for '"))) << log().toStdString();
    EXPECT_FALSE(QFile::exists(dataHome() + QStringLiteral("/kio/servicemenus/Tavlen v2.0.desktop")));
    EXPECT_TRUE(checked("actStatus"));
}
