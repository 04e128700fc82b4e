// The editor on a large document: replacing everything through the editor's text insertion and
// undoing it, against Qt's own setPlainText of the same text; reading the document as 8-bit text.

#include "BenchText.h"
#include "RVText.h"
#include "TRichViewEdit.h"

#include <benchmark/benchmark.h>
#include <string>

namespace {

const std::string &bigText()
{
    static const std::string text = benchtext::editorDocument();
    return text;
}

void setBytes(benchmark::State &state)
{
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bigText().size()));
}

// The document as a user has it in front of them: filled, laid out, nothing to undo.
void fill(TRichViewEdit &ed)
{
    ed.clearDocument();
    ed.insertText(bigText());
    ed.clearUndo();
    ed.selectAll(); // showing the end of the selection lays out the whole document
    ed.deselect();
}

void BM_QtSetPlainText(benchmark::State &state)
{
    TRichViewEdit ed;
    const QString text = rvtext::paragraphsFrom1251(bigText());
    for (auto _ : state) {
        state.PauseTiming();
        fill(ed);
        state.ResumeTiming();
        ed.document()->setPlainText(text);
    }
    setBytes(state);
}

void BM_InsertTextReplacingEverything(benchmark::State &state)
{
    TRichViewEdit ed;
    for (auto _ : state) {
        state.PauseTiming();
        fill(ed);
        ed.selectAll();
        state.ResumeTiming();
        ed.insertText(bigText());
    }
    setBytes(state);
}

void BM_UndoOfTheReplacement(benchmark::State &state)
{
    TRichViewEdit ed;
    for (auto _ : state) {
        state.PauseTiming();
        fill(ed);
        ed.selectAll();
        ed.insertText(bigText());
        state.ResumeTiming();
        ed.undo();
    }
    setBytes(state);
}

void BM_ReadWholeDocumentAs8Bit(benchmark::State &state)
{
    TRichViewEdit ed;
    fill(ed);
    for (auto _ : state)
        benchmark::DoNotOptimize(ed.getText());
    setBytes(state);
}

BENCHMARK(BM_QtSetPlainText)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
BENCHMARK(BM_InsertTextReplacingEverything)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
BENCHMARK(BM_UndoOfTheReplacement)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
BENCHMARK(BM_ReadWholeDocumentAs8Bit)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
