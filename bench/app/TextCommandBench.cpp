// Text commands end to end in the main window on an 8 MB document, against Qt's setPlainText of
// the same text in the same editor.

#include "BenchText.h"
#include "CodeChanger.h"
#include "Interaction.h"
#include "RVText.h"
#include "TMainFrm.h"
#include "TRichViewEdit.h"

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

std::string makeText()
{
    return benchtext::editorDocument();
}

// The same text written in KOI8-R and shown as Windows-1251: what "Auto" repairs.
std::string asKoi8(std::string text)
{
    TCodeChanger cc;
    cc.SetSourceCode(ctWin1251);
    cc.SetDestCode(ctKoi8R);
    cc.Change(text);
    return text;
}

struct Window {
    QTemporaryDir dir;
    NoDialogs dialogs;
    TMainFrm frm{AppPaths(dir.path(), dir.filePath(QStringLiteral("data"))), dialogs, {}};
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
