// Reading and writing RTF: a text-heavy Russian document of 0.5 and 5 MB (reading must stay linear:
// ten times the input in at most twelve times the time), and writing the 5 MB document back.

#include "RVDocument.h"
#include "RtfFormat.h"
#include "RtfSample.h"
#include "RtfWriter.h"

#include <benchmark/benchmark.h>

namespace {

void BM_ReadRtf(benchmark::State &state)
{
    const std::string rtf = makeRtfSample(std::size_t(state.range(0)) * 1024);
    for (auto _ : state) {
        RVDocument doc;
        QString error;
        if (!rvformats::readRtf(doc, rtf, &error))
            state.SkipWithError(qPrintable(error));
        benchmark::DoNotOptimize(doc.textDocument());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(rtf.size()));
    state.SetComplexityN(int64_t(rtf.size()));
}

void BM_WriteRtf(benchmark::State &state)
{
    RVDocument doc;
    rvformats::readRtf(doc, makeRtfSample(5u << 20), nullptr);
    std::size_t size = 0;
    for (auto _ : state) {
        const std::string rtf = writeRtf(doc, QString());
        size = rtf.size();
        benchmark::DoNotOptimize(rtf.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(size));
}

BENCHMARK(BM_ReadRtf)->Arg(512)->Arg(5120)->Unit(benchmark::kMillisecond)->UseRealTime()->Complexity(benchmark::oN);
BENCHMARK(BM_WriteRtf)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
