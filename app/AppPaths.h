#pragma once
// The files the program keeps beside itself (settings, hotkeys, error log, plug-in folder), all
// derived from one folder: the program's own, or another one that tests choose. The desktop's data
// folder (where the shell integration goes) comes along, so tests never touch the real one.

#include <QString>

class AppPaths
{
public:
    // The running program's folder and file; the data folder from the environment.
    AppPaths();
    // A program named "tavlen" in `programFolder`; an empty `dataHome` means the environment's.
    explicit AppPaths(const QString &programFolder, const QString &dataHome = {});

    QString programFolder() const { return folder_; }
    QString programFile() const { return program_; }
    QString errorLog() const;
    QString pluginFolder() const;
    // "Tavlen.ini": settings, recent files and the window placement.
    QString settingsFile() const;
    // The application title + ".ini": shortcuts, edited by hand.
    QString hotkeysFile() const;
    // $XDG_DATA_HOME, or ~/.local/share when it is unset, empty or not absolute.
    QString dataHome() const;

private:
    QString folder_; // always ends with "/"
    QString program_;
    QString dataHome_;
};
