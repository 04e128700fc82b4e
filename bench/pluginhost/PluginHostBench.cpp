// The plug-in host's own cost: one plug-in command on a 1 MB selection, against the plug-in's own
// work on the same text, and a rebuild of the menus from a folder of 100 plug-ins.
//
// BM_PluginCommand is everything a click does: load, the 8-bit copies of the selection and of the
// document, the call, the copy of the result, the insertion, the reformat and the release;
// BM_PluginOwnWork is the call alone on a library loaded once. Their difference is what the host
// adds. Two commands: "mirror" reverses the selection, so all of it is replaced; "squeeze" on a
// text without spaces hands it back unchanged, so nothing is inserted and what remains is the
// host's own work. The editor's share (reading the texts, inserting) is measured on its own.

#include "Cp1251.h"
#include "PluginHost.h"
#include "TRichViewEdit.h"
#include "TavlenPlugin.h"

#include <QCoreApplication>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <dlfcn.h>
#include <string>

namespace {

constexpr std::size_t kSelectionBytes = 1u << 20;

QString deliveredPlugin(const char *name)
{
    return QStringLiteral(TAVLEN_PLUGIN_DIR "/") + QLatin1String(name) + QStringLiteral(".so");
}

// 1 MB of Russian and English words in Windows-1251 joined by `separator`, CR LF about every 60
// bytes.
std::string makeMegabyte(char separator)
{
    const std::u16string_view words[] = {u"привет", u"world", u"текст", u"editor", u"line", u"Волга", u"code", u"page"};
    std::string out;
    unsigned seed = 1;
    std::size_t lineStart = 0;
    while (out.size() < kSelectionBytes - 16) {
        seed = seed * 1103515245 + 12345;
        out += cp1251::encode(words[(seed >> 16) % 8]);
        out += separator;
        if (out.size() - lineStart > 60) {
            out += "\r\n";
            lineStart = out.size();
        }
    }
    out.resize(kSelectionBytes, 'x');
    return out;
}

const std::string &megabyte()
{
    static const std::string text = makeMegabyte(' ');
    return text;
}

const std::string &megabyteWithoutSpaces()
{
    static const std::string text = makeMegabyte('-');
    return text;
}

// A host on its own menus and editor, with a plug-in folder of `copies` copies of one plug-in.
struct BenchHost {
    BenchHost(const char *plugin, int copies)
        : folder(temp.path() + QStringLiteral("/plugins/"))
        , editor(new TRichViewEdit(&owner))
        , host(&owner, editor, folder, &plugins, &about, [](PluginHost::Icon, const QString &, const QString &) {})
    {
        plugins.addAction(QStringLiteral("Update Plugins"));
        QDir().mkpath(folder);
        for (int i = 0; i < copies; ++i)
            QFile::copy(deliveredPlugin(plugin), folder + QStringLiteral("plugin%1.so").arg(i));
        host.RefreshPlugins();
    }
    QAction *firstCommand() const { return plugins.actions().value(2); }

    QTemporaryDir temp;
    QString folder;
    QWidget owner;
    TRichViewEdit *editor;
    QMenu plugins, about;
    PluginHost host;
};

void BM_PluginCommand(benchmark::State &state, const char *plugin, const std::string &(*selection)())
{
    BenchHost bench(plugin, 1);
    QAction *command = bench.firstCommand();
    if (!command) {
        state.SkipWithError("the plug-in is not listed");
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        bench.editor->clearDocument();
        bench.editor->insertText(selection());
        bench.editor->clearUndo();
        bench.editor->selectAll();
        state.ResumeTiming();
        command->trigger();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(kSelectionBytes));
}

void BM_PluginOwnWork(benchmark::State &state, const char *plugin, const std::string &(*text)())
{
    void *library = dlopen(QFile::encodeName(deliveredPlugin(plugin)).constData(), RTLD_NOW | RTLD_LOCAL);
    const auto handleData = library ? reinterpret_cast<TavlenHandleDataFn>(dlsym(library, TAVLEN_HANDLE_DATA)) : nullptr;
    if (!handleData) {
        state.SkipWithError("the plug-in does not load");
        return;
    }
    std::string selection = text(), document = text();
    for (auto _ : state) {
        char *selText = selection.data(), *docText = document.data(), *errorText = nullptr;
        benchmark::DoNotOptimize(handleData(0, "", &selText, &docText, &errorText));
        benchmark::DoNotOptimize(selText);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(kSelectionBytes));
    dlclose(library);
}

// What the editor costs the command: reading the selection and the document as 8-bit text, and
// putting 1 MB in place of the selection.
void BM_EditorReadsSelectionAndDocument(benchmark::State &state)
{
    TRichViewEdit editor;
    editor.insertText(megabyte());
    editor.selectAll();
    for (auto _ : state) {
        benchmark::DoNotOptimize(editor.getSelText());
        benchmark::DoNotOptimize(editor.getText());
    }
}

void BM_EditorInsertsInPlaceOfTheSelection(benchmark::State &state)
{
    TRichViewEdit editor;
    for (auto _ : state) {
        state.PauseTiming();
        editor.clearDocument();
        editor.insertText(megabyte());
        editor.clearUndo();
        editor.selectAll();
        state.ResumeTiming();
        editor.insertText(megabyte());
    }
}

void BM_RescanOf100Plugins(benchmark::State &state)
{
    BenchHost bench("mirror", 100);
    for (auto _ : state) {
        bench.host.RefreshPlugins();
        state.PauseTiming();
        if (bench.plugins.actions().size() != 102)
            state.SkipWithError("not all 100 plug-ins are listed");
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); // the previous entries
        state.ResumeTiming();
    }
}

BENCHMARK_CAPTURE(BM_PluginCommand, mirror, "mirror", megabyte)
    ->Unit(benchmark::kMillisecond)->Iterations(20)->UseRealTime();
BENCHMARK_CAPTURE(BM_PluginOwnWork, mirror, "mirror", megabyte)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_PluginCommand, squeeze_unchanged, "squeeze", megabyteWithoutSpaces)
    ->Unit(benchmark::kMillisecond)->Iterations(20)->UseRealTime();
BENCHMARK_CAPTURE(BM_PluginOwnWork, squeeze_unchanged, "squeeze", megabyteWithoutSpaces)
    ->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_EditorReadsSelectionAndDocument)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_EditorInsertsInPlaceOfTheSelection)->Unit(benchmark::kMillisecond)->Iterations(20)->UseRealTime();
BENCHMARK(BM_RescanOf100Plugins)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
