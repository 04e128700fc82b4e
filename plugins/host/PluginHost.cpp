#include "PluginHost.h"

#include "Cp1251.h"
#include "PluginLibrary.h"
#include "TRichViewEdit.h"
#include "TavlenPlugin.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QStringList>
#include <algorithm>
#include <array>
#include <optional>
#include <string_view>

namespace {

const QString kFileMissing = QStringLiteral("File wasn't found!");
const QString kAboutTitle = QStringLiteral("About plugin");
// Between two neighbouring information texts: LF then CR, in that order.
const QString kInfoSeparator = QStringLiteral("\n\r");

// A text from a plug-in: read up to its first zero byte; a null pointer is the empty text.
std::string_view boundaryText(const char *text)
{
    return text ? std::string_view(text) : std::string_view();
}

QString fromBoundary(const char *text)
{
    const std::u16string units = cp1251::decode(boundaryText(text));
    return QString::fromUtf16(units.data(), qsizetype(units.size()));
}

// An entry leaves its menu at once; the object goes later, since the click being handled may
// belong to it.
void discardEntry(QMenu *menu, QAction *entry)
{
    menu->removeAction(entry);
    if (QMenu *submenu = entry->menu())
        submenu->deleteLater();
    else
        entry->deleteLater();
}

// Keeps the editor from repainting while the whole document is replaced.
class RepaintHold
{
public:
    explicit RepaintHold(QWidget *widget)
        : widget_(widget)
    {
        widget_->setUpdatesEnabled(false);
    }
    ~RepaintHold() { widget_->setUpdatesEnabled(true); }
    RepaintHold(const RepaintHold &) = delete;
    RepaintHold &operator=(const RepaintHold &) = delete;

private:
    QWidget *widget_;
};

} // namespace

PluginHost::PluginHost(QWidget *owner, TRichViewEdit *editor, const QString &pluginFolder, QMenu *miPlugins,
                       QMenu *miPluginsAbout, MessageFn message, QObject *parent)
    : QObject(parent)
    , owner_(owner)
    , editor_(editor)
    , folder_(pluginFolder)
    , miPlugins_(miPlugins)
    , miPluginsAbout_(miPluginsAbout)
    , message_(std::move(message))
{
}

void PluginHost::RefreshPlugins()
{
    const QList<QAction *> generated = miPlugins_->actions().mid(1);
    qsizetype topLevelItems = 0;
    for (QAction *entry : generated) {
        if (!entry->isSeparator())
            ++topLevelItems;
        discardEntry(miPlugins_, entry);
    }
    for (qsizetype i = 0; i < topLevelItems && !miPluginsAbout_->actions().isEmpty(); ++i)
        discardEntry(miPluginsAbout_, miPluginsAbout_->actions().constFirst());

    ScanPluginFolder(folder_, miPlugins_, miPluginsAbout_);

    const QList<QAction *> entries = miPlugins_->actions();
    if (entries.size() > 1)
        miPlugins_->insertSeparator(entries.at(1));
}

void PluginHost::ScanPluginFolder(const QString &folder, QMenu *commandParent, QMenu *informationParent)
{
    std::vector<pluginfolder::FolderId> openFolders;
    scanFolder(folder, commandParent, informationParent, openFolders);
}

void PluginHost::scanFolder(const QString &folder, QMenu *commandParent, QMenu *informationParent,
                            std::vector<pluginfolder::FolderId> &openFolders)
{
    const std::optional<pluginfolder::Listing> listing = pluginfolder::list(folder);
    if (!listing || std::ranges::find(openFolders, listing->id) != openFolders.end())
        return;
    openFolders.push_back(listing->id);
    for (const pluginfolder::Entry &entry : listing->entries) {
        const QString path = folder + entry.name;
        if (entry.kind == pluginfolder::EntryKind::Candidate) {
            if (IsPlugin(path))
                addPlugin(path, commandParent, informationParent);
            continue;
        }
        QMenu *commands = commandParent->addMenu(entry.name);
        QMenu *information = informationParent->addMenu(entry.name);
        scanFolder(path + QLatin1Char('/'), commands, information, openFolders);
    }
    openFolders.pop_back();
}

void PluginHost::addPlugin(const QString &path, QMenu *commandParent, QMenu *informationParent)
{
    const QString caption = ReadPluginCaption(path);
    QAction *command = commandParent->addAction(caption);
    command->setData(path);
    connect(command, &QAction::triggered, this, [this, command] { PluginClick(command); });
    QAction *information = informationParent->addAction(caption);
    information->setData(path);
    connect(information, &QAction::triggered, this, [this, information] { PluginAboutClick(information); });
}

bool PluginHost::IsPlugin(const QString &path)
{
    const PluginLibrary library(path);
    return library.entryPoint<TavlenGetMenuCaptionFn>(TAVLEN_GET_MENU_CAPTION)
        && library.entryPoint<TavlenGetPluginInfoFn>(TAVLEN_GET_PLUGIN_INFO)
        && library.entryPoint<TavlenHandleDataFn>(TAVLEN_HANDLE_DATA);
}

QString PluginHost::ReadPluginCaption(const QString &path)
{
    const PluginLibrary library(path);
    const auto getMenuCaption = library.entryPoint<TavlenGetMenuCaptionFn>(TAVLEN_GET_MENU_CAPTION);
    return getMenuCaption ? fromBoundary(getMenuCaption()) : QString();
}

bool PluginHost::reportMissingFile(const QString &path)
{
    if (pluginfolder::fileExists(path))
        return false;
    message_(Icon::Warning, kMessageTitle, kFileMissing);
    RefreshPlugins();
    return true;
}

void PluginHost::PluginClick(QAction *entry)
{
    const QString path = entry->data().toString();
    if (reportMissingFile(path))
        return;
    const PluginLibrary library(path);
    const auto handleData = library.entryPoint<TavlenHandleDataFn>(TAVLEN_HANDLE_DATA);
    // The plug-in gets copies: whatever it does with them, the editor's text is only changed below.
    std::string selection = editor_->getSelText();
    std::string document = editor_->getText();
    if (handleData) {
        const QByteArray nativePath = QFile::encodeName(path);
        char *selText = selection.data();
        char *docText = document.data();
        char *errorText = nullptr;
        const int32_t result = handleData(TavlenOwner(owner_->winId()), nativePath.constData(), &selText, &docText,
                                          &errorText);
        switch (result) {
        case TAVLEN_FAILED:
            if (!boundaryText(errorText).empty())
                message_(Icon::Error, kMessageTitle, fromBoundary(errorText));
            break;
        case TAVLEN_SELECTION_RESULT:
            applyText(selText, selection, false);
            break;
        case TAVLEN_DOCUMENT_RESULT:
            applyText(docText, document, true);
            break;
        default:
            break;
        }
    }
    editor_->format();
}

void PluginHost::applyText(const char *returned, const std::string &given, bool wholeDocument)
{
    const std::string_view text = boundaryText(returned);
    // Putting back the same text would only lose what the 8-bit copy cannot carry (formatting,
    // pictures, characters outside the code page) and add an undo step.
    if (text == given)
        return;
    std::optional<RepaintHold> hold;
    if (wholeDocument) {
        hold.emplace(editor_);
        editor_->selectAll();
    }
    if (text.empty())
        editor_->deleteSelection();
    else
        editor_->insertText(std::string(text));
}

void PluginHost::PluginAboutClick(QAction *entry)
{
    const QString path = entry->data().toString();
    if (reportMissingFile(path))
        return;
    const PluginLibrary library(path);
    const auto getPluginInfo = library.entryPoint<TavlenGetPluginInfoFn>(TAVLEN_GET_PLUGIN_INFO);
    if (!getPluginInfo)
        return;
    std::array<char *, 6> texts{}; // Name, Author, Version, EMail, HomePage, Description
    if (getPluginInfo(TavlenOwner(owner_->winId()), &texts[0], &texts[1], &texts[2], &texts[3], &texts[4],
                      &texts[5])
        != TAVLEN_INFO_AVAILABLE)
        return;
    QStringList lines;
    for (const char *text : texts)
        lines << fromBoundary(text);
    message_(Icon::Information, kAboutTitle, lines.join(kInfoSeparator));
}
