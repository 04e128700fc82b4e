#pragma once
// A main window in a temporary program folder, with scripted dialogs.

#include "AppTitle.h"
#include "ScriptedInteraction.h"
#include "TMainFrm.h"
#include "TRichViewEdit.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

class MainWindowTest : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    ScriptedInteraction ui;
    std::unique_ptr<TMainFrm> frm;
    int quits = 0;

    void start(const QStringList &arguments = {})
    {
        // The desktop's data folder too: a start installs or removes the shell integration.
        frm = std::make_unique<TMainFrm>(AppPaths(dir.path(), dataHome()), ui, arguments);
        frm->quitApplication = [this] { ++quits; };
    }
    QString path(const QString &name) const { return dir.filePath(name); }
    QString dataHome() const { return dir.filePath(QStringLiteral("xdg-data")); }
    QString write(const QString &name, const QByteArray &bytes) const
    {
        QFile f(path(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path(name);
    }
    QByteArray read(const QString &name) const
    {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QString log() const { return QString::fromUtf8(read(QStringLiteral("tavlen_errors.log"))); }
    void run(const char *actionName) { frm->actionList().run(frm->action(QLatin1String(actionName))); }
    bool enabled(const char *actionName)
    {
        frm->actionList().updateAll();
        return frm->action(QLatin1String(actionName))->isEnabled();
    }
    // One autosave tick, delivered as the timer delivers it.
    void tick() { QMetaObject::invokeMethod(&frm->autoSaveTimer(), "timeout", Qt::DirectConnection); }
    void type(const std::string &text) { frm->editor()->insertText(text); }
};
