// The editor on a large document: replacing everything through the editor's text insertion and
// undoing it, against Qt's own setPlainText of the same text; reading the document as 8-bit text.

#include "RVText.h"
#include "TRichViewEdit.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <string>

namespace {

// About 8 MB in 200,000 lines of mixed Russian and English prose, as Windows-1251.
const std::string &bigText()
{
    static const std::string text = [] {
        const char *words[] = {"\xef\xf0\xe8\xe2\xe5\xf2", "world", "\xf2\xe5\xea\xf1\xf2", "editor", "\xf1\xeb\xee\xe2\xee",
                               "line", "\xc2\xee\xeb\xe3\xe0", "code", "\xea\xee\xe4\xe8\xf0\xee\xe2\xea\xe0", "page"};
        std::string out;
        out.reserve(8u << 20);
        unsigned seed = 1;
        for (int line = 0; line < 200000; ++line) {
            const std::size_t lineEnd = out.size() + 40;
            while (out.size() < lineEnd) {
                seed = seed * 1103515245 + 12345;
                out += words[(seed >> 16) % 10];
                out += ' ';
            }
            out += "\r\n";
        }
        return out;
    }();
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

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
