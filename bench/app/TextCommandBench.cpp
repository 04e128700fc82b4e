// Text commands end to end in the main window on an 8 MB document, against Qt's setPlainText of
// the same text in the same editor.

#include "Interaction.h"
#include "RVText.h"
#include "TMainFrm.h"
#include "TRichViewEdit.h"

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// No dialog is ever shown here.
struct NoDialogs : Interaction {
    FileDialogResult openFile(QWidget *, const FileDialogRequest &) override { return {}; }
    FileDialogResult saveFile(QWidget *, const FileDialogRequest &) override { return {}; }
    SaveChangesAnswer askSaveChanges(QWidget *, const QString &) override { return SaveChangesAnswer::Discard; }
    void message(QWidget *, MessageIcon, const QString &, const QString &) override {}
};

// About 8 MB in 200,000 lines of lower-case Russian and English words, Windows-1251.
std::string makeText()
{
    const char *words[] = {"\xef\xf0\xe8\xe2\xe5\xf2", "world", "\xf2\xe5\xea\xf1\xf2", "editor", "\xf1\xeb\xee\xe2\xee",
                           "line", "\xe2\xee\xeb\xe3\xe0", "code", "\xea\xee\xe4\xe8\xf0\xee\xe2\xea\xe0", "page"};
    std::string out;
    unsigned seed = 7;
    for (int line = 0; line < 200000; ++line) {
        const std::size_t end = out.size() + 40;
        while (out.size() < end) {
            seed = seed * 1103515245 + 12345;
            out += words[(seed >> 16) % 10];
            out += ' ';
        }
        out += "\r\n";
    }
    return out;
}

// The same text as KOI8-R bytes shown as Windows-1251 (what "Auto" repairs).
std::string asKoi8(const std::string &win)
{
    static const char koiOf[] = // Windows-1251 а..я → KOI8-R
        "\xc1\xc2\xd7\xc7\xc4\xc5\xd6\xda\xc9\xca\xcb\xcc\xcd\xce\xcf\xd0\xd2\xd3\xd4\xd5\xc6\xc8\xc3\xde\xdb\xdd\xdf\xd9\xd8\xdc\xc0\xd1";
    std::string out = win;
    for (char &c : out)
        if (static_cast<unsigned char>(c) >= 0xE0)
            c = koiOf[static_cast<unsigned char>(c) - 0xE0];
    return out;
}

struct Window {
    QTemporaryDir dir;
    NoDialogs dialogs;
    TMainFrm frm{AppPaths(dir.path()), dialogs, {}};
    TRichViewEdit &ed = *frm.editor();

    void load(const std::string &text)
    {
        ed.clearDocument();
        ed.insertText(text);
        ed.clearUndo();
        ed.selectAll(); // as a user sees it: laid out, everything selected
    }
};

void setBytes(benchmark::State &state, std::size_t bytes)
{
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes));
}

void BM_QtSetPlainText(benchmark::State &state)
{
    Window w;
    const std::string text = makeText();
    const QString unicode = rvtext::paragraphsFrom1251(text);
    for (auto _ : state) {
        state.PauseTiming();
        w.load(text);
        state.ResumeTiming();
        w.ed.document()->setPlainText(unicode);
    }
    setBytes(state, text.size());
}

void runCommand(benchmark::State &state, const char *action, const std::string &text)
{
    Window w;
    for (auto _ : state) {
        state.PauseTiming();
        w.load(text);
        state.ResumeTiming();
        w.frm.actionList().run(w.frm.action(QLatin1String(action)));
    }
    setBytes(state, text.size());
}

void BM_UpperCaseOnTheSelection(benchmark::State &state)
{
    runCommand(state, "actUpperCase", makeText());
}

void BM_AutoOnAKoi8Document(benchmark::State &state)
{
    runCommand(state, "actAutoCod", asKoi8(makeText()));
}

BENCHMARK(BM_QtSetPlainText)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
BENCHMARK(BM_UpperCaseOnTheSelection)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
BENCHMARK(BM_AutoOnAKoi8Document)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
