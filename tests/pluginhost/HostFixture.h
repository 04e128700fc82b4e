#pragma once
// A plug-in host on real menus and a real editor, with a temporary plug-in folder and a recorder
// in place of the message boxes.

#include "PluginHost.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QStringList>
#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

class TRichViewEdit;

// Built libraries the tests install.
QString deliveredPlugin(const QString &name); // <build>/plugins/NAME.so
QString testPlugin(const QString &name);      // the four test plug-ins of tests/plugins
QString hostTestPlugin(const QString &name);  // this folder's own

// Test output shows texts as text.
void PrintTo(const QString &text, std::ostream *out);

struct ShownMessage {
    PluginHost::Icon icon;
    QString title;
    QString text;
    bool operator==(const ShownMessage &) const = default;
};
void PrintTo(const ShownMessage &message, std::ostream *out);

class HostFixture : public ::testing::Test
{
protected:
    HostFixture();
    ~HostFixture() override;

    // Copies `library` into the plug-in folder as `relativePath`, creating folders on the way.
    void install(const QString &library, const QString &relativePath);
    // Creates a folder (and its parents) inside the plug-in folder.
    void makeFolder(const QString &relativePath);
    QString pathInFolder(const QString &relativePath) const { return folder + relativePath; }

    // The entries of a menu, one text each: a command's caption, "-" for a separator, a submenu as
    // "Name{...}" with its own entries inside. `sorted` orders every level, for folders whose listing
    // order the test does not fix.
    static QStringList entries(const QMenu *menu, bool sorted = false);
    // The generated entries of the Plugins menu (below "Update Plugins" and the separator) and of
    // About Plugin, sorted at every level; both menus must hold the same.
    QStringList generatedEntries() const;
    // The first command (depth first) with this caption; fails the test when there is none.
    QAction *command(const QString &caption) const;
    QAction *information(const QString &caption) const;

    // The editor's document as one paragraph per line, and setting it.
    void setDocument(const QString &text);
    QString documentText() const;
    void select(int start, int end);

    QTemporaryDir temp;
    QString folder; // the plug-in folder, ending in "/"; not created until something is installed
    QWidget owner;
    TRichViewEdit *editor;
    QMenu plugins;
    QAction *updatePlugins;
    QMenu about;
    std::vector<ShownMessage> messages;
    std::unique_ptr<PluginHost> host;
};
