# The INI files, value encodings, window placement and shortcut texts, built into tavlen_app.
set(TAVLEN_APP_SETTINGS_SOURCES
  IniValues.cpp
  IniFile.cpp
  IniFiles32.cpp
  jvFormIni.cpp
  ShortcutText.cpp
)
