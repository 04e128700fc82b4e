#include "HostFixture.h"

#include "TRichViewEdit.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextCursor>
#include <ostream>

QString deliveredPlugin(const QString &name)
{
    return QStringLiteral(TAVLEN_BUILD_DIR "/plugins/") + name + QStringLiteral(".so");
}

QString testPlugin(const QString &name)
{
    return QStringLiteral(TAVLEN_BUILD_DIR "/tests/plugin-fixtures/") + name + QStringLiteral(".so");
}

QString hostTestPlugin(const QString &name)
{
    return QStringLiteral(TAVLEN_BUILD_DIR "/tests/pluginhost-fixtures/") + name + QStringLiteral(".so");
}

void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

void PrintTo(const ShownMessage &message, std::ostream *out)
{
    static const char *const icons[] = {"information", "warning", "error"};
    *out << icons[int(message.icon)] << " \"" << message.title.toStdString() << "\": \""
         << message.text.toStdString() << '"';
}

HostFixture::HostFixture()
    : folder(temp.path() + QStringLiteral("/plugins/"))
    , editor(new TRichViewEdit(&owner))
    , updatePlugins(plugins.addAction(QStringLiteral("Update Plugins")))
{
    host = std::make_unique<PluginHost>(&owner, editor, folder, &plugins, &about,
                                        [this](PluginHost::Icon icon, const QString &title, const QString &text) {
                                            messages.push_back({icon, title, text});
                                        });
}

HostFixture::~HostFixture() = default;

void HostFixture::install(const QString &library, const QString &relativePath)
{
    const QString target = folder + relativePath;
    ASSERT_TRUE(QDir().mkpath(QFileInfo(target).path()));
    ASSERT_TRUE(QFile::copy(library, target)) << library.toStdString();
}

void HostFixture::makeFolder(const QString &relativePath)
{
    ASSERT_TRUE(QDir().mkpath(folder + relativePath));
}

QStringList HostFixture::entries(const QMenu *menu, bool sorted)
{
    QStringList out;
    for (const QAction *entry : menu->actions()) {
        if (entry->isSeparator())
            out << QStringLiteral("-");
        else if (entry->menu())
            out << entry->text() + QLatin1Char('{') + entries(entry->menu(), sorted).join(QLatin1Char(','))
                    + QLatin1Char('}');
        else
            out << entry->text();
    }
    if (sorted)
        out.sort();
    return out;
}

QStringList HostFixture::generatedEntries() const
{
    QStringList commands = entries(&plugins, true);
    commands.removeOne(QStringLiteral("Update Plugins"));
    commands.removeOne(QStringLiteral("-"));
    EXPECT_EQ(commands, entries(&about, true)) << "the About Plugin menu differs from the Plugins menu";
    return commands;
}

namespace {

QAction *findEntry(const QMenu *menu, const QString &caption)
{
    for (QAction *entry : menu->actions()) {
        if (entry->menu()) {
            if (QAction *found = findEntry(entry->menu(), caption))
                return found;
        } else if (!entry->isSeparator() && entry->text() == caption) {
            return entry;
        }
    }
    return nullptr;
}

} // namespace

QAction *HostFixture::command(const QString &caption) const
{
    QAction *entry = findEntry(&plugins, caption);
    EXPECT_NE(entry, nullptr) << "no command " << caption.toStdString();
    return entry;
}

QAction *HostFixture::information(const QString &caption) const
{
    QAction *entry = findEntry(&about, caption);
    EXPECT_NE(entry, nullptr) << "no information entry " << caption.toStdString();
    return entry;
}

void HostFixture::setDocument(const QString &text)
{
    editor->clearDocument();
    QTextCursor cursor = editor->textCursor();
    cursor.insertText(text);
    editor->setTextCursor(cursor);
    editor->clearUndo();
    editor->setModified(false);
}

QString HostFixture::documentText() const
{
    return editor->document()->toPlainText();
}

void HostFixture::select(int start, int end)
{
    QTextCursor cursor = editor->textCursor();
    cursor.setPosition(start);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    editor->setTextCursor(cursor);
}
