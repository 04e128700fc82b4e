#include "HotKeys.h"

#include "IniFile.h"
#include "ShortcutText.h"

#include <QAction>

const QStringList &hotkeyCommands()
{
    static const QStringList names = [] {
        QStringList list;
        for (const char *name :
             {"actNew",          "actSave",          "actSaveAs",        "actOpen",         "actExit",
              "actSaveSet",      "actClearUndo",     "actSelectCurWord", "actSelectCurLine", "actDelAll",
              "actDel",          "actAddCP",         "actGoToCP",        "actDate",         "actTime",
              "actDateTime",     "actFFname",        "actFname",         "actCFname",       "actFCFname",
              "actUser",         "actCoolBar",       "actStatus",        "actRuler",        "actFileToolbar",
              "actEditToolbar",  "actInsertToolbar", "actFormatToolbar", "actFontToolbar",  "actComboToolbar",
              "actReadOnly",     "actUnixBreak",     "actMacBreak",      "actDos",          "actSortDesc",
              "actSortAsc",      "actExportToPDF",   "actAbout",         "actHelp",         "actHome",
              "actUpdatePlug",   "actRandomCase",    "actUpperCase",     "actLowerCase",    "actInvertCase",
              "actFirstUp",      "actEFFUp",         "actEWFUp",         "actLatRus",       "actRusLat",
              "actConvert",      "actClearHistory",  "actRun",           "actCurRun",       "actCalendar",
              "actWinDos",       "actWinMac",        "actWinISO",        "actWinKoi8R",     "actDosWin",
              "actKoi8RWin",     "actISOWin",        "actMacWin",        "actAutoCod",      "actTranslit",
              "actDetranslit",   "actADDrBook"})
            list << QLatin1String(name);
        return list;
    }();
    return names;
}

void LoadHotKeys(const TIniFile &ini, const QString &formName, const std::vector<QAction *> &actions)
{
    const QString section = QStringLiteral("HOTKEYS");
    for (const QString &name : hotkeyCommands()) {
        for (QAction *action : actions) {
            if (action->objectName() != name || action->property("menuItemOnly").toBool())
                continue;
            // Only a key that is there counts: a built-in shortcut the file's language cannot
            // write would otherwise be read back as "none" and lost.
            const QString key = formName + name;
            if (ini.ValueExists(section, key))
                action->setShortcut(textToShortcut(ini.ReadString(section, key, QString())));
        }
    }
}
