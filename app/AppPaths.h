#pragma once
// The files the program keeps beside itself (settings, hotkeys, error log, plug-in folder), all
// derived from one folder: the program's own, or another one that tests choose.

#include <QString>

class AppPaths
{
public:
    // The folder of the running program.
    AppPaths();
    explicit AppPaths(const QString &programFolder);

    QString programFolder() const { return folder_; }
    QString errorLog() const;
    QString pluginFolder() const;

private:
    QString folder_; // always ends with "/"
};
