# The INI files, value encodings, window placement, shortcut texts, the settings of the main window,
# recent files and the shell integration, built into tavlen_app.
set(TAVLEN_APP_SETTINGS_SOURCES
  IniValues.cpp
  IniFile.cpp
  IniFiles32.cpp
  jvFormIni.cpp
  ShortcutText.cpp
  FontSettings.cpp
  HotKeys.cpp
  OptionsFrm.cpp
  RecentFiles.cpp
  ShellIntegration.cpp
  TMainFrmSettings.cpp
)
