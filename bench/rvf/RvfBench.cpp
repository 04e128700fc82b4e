// The native format and the XML form on one 5 MB formatted document (the RTF sample read once):
// loading and saving each form, against loading the same document from RTF (the sample itself and
// the RTF this program writes of it), and a round trip through every format side by side.

#include "RVDocument.h"
#include "RtfFormat.h"
#include "RtfSample.h"
#include "RtfWriter.h"
#include "RvfDocumentIO.h"
#include "XmlFormat.h"

#include <QTextCursor>
#include <chrono>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

enum Form { Binary, Text, Xml, Rtf };

const std::string &rtfSample()
{
    static const std::string rtf = makeRtfSample(5u << 20);
    return rtf;
}

const RVDocument &sampleDocument()
{
    static const std::unique_ptr<RVDocument> doc = [] {
        auto d = std::make_unique<RVDocument>();
        rvformats::readRtf(*d, rtfSample(), nullptr);
        return d;
    }();
    return *doc;
}

TRVFOptions optionsFor(Form form)
{
    TRVFOptions o = TRVFOptions::defaults();
    o.set(rvfoSaveBinary, form == Binary);
    return o;
}

QByteArray save(const RVDocument &doc, Form form)
{
    switch (form) {
    case Binary:
    case Text: return writeRvfBytes(doc, optionsFor(form));
    case Xml: return rvformats::writeXml(doc, TRVFOptions::defaults());
    case Rtf: {
        const std::string rtf = writeRtf(doc, QString());
        return QByteArray(rtf.data(), qsizetype(rtf.size()));
    }
    }
    return {};
}

bool load(RVDocument &doc, const QByteArray &bytes, Form form, QString *error)
{
    switch (form) {
    case Binary:
    case Text: {
        QTextCursor c(doc.textDocument());
        return readRvfBytes(doc, c, bytes, optionsFor(form), RvfReadMode::Load, error);
    }
    case Xml: return rvformats::readXml(doc, bytes, TRVFOptions::defaults(), error);
    case Rtf: return rvformats::readRtf(doc, {bytes.constData(), std::size_t(bytes.size())}, error);
    }
    return false;
}

void label(benchmark::State &state, Form form)
{
    static const char *const names[] = {"native binary", "native text", "XML", "RTF"};
    state.SetLabel(names[form]);
}

// A load is timed from an empty document to the loaded one. Throwing the document away afterwards is
// not part of loading (and would add the same to every format), so it is left out of the figures.
template <class Load> void timeLoads(benchmark::State &state, Load load)
{
    for (auto _ : state) {
        auto doc = std::make_unique<RVDocument>();
        QString error;
        if (!load(*doc, &error))
            state.SkipWithError(qPrintable(error));
        state.PauseTiming();
        doc.reset();
        state.ResumeTiming();
    }
}

void BM_Load(benchmark::State &state)
{
    const Form form = Form(state.range(0));
    const QByteArray bytes = save(sampleDocument(), form);
    timeLoads(state, [&](RVDocument &doc, QString *error) { return load(doc, bytes, form, error); });
    state.SetBytesProcessed(int64_t(state.iterations()) * bytes.size());
    label(state, form);
}

// The 5 MB document as it arrived: the RTF file it was read from.
void BM_LoadRtfOriginal(benchmark::State &state)
{
    timeLoads(state, [](RVDocument &doc, QString *error) { return rvformats::readRtf(doc, rtfSample(), error); });
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(rtfSample().size()));
    state.SetLabel("RTF as written by a word processor");
}

void BM_Save(benchmark::State &state)
{
    const Form form = Form(state.range(0));
    qsizetype size = 0;
    for (auto _ : state) {
        const QByteArray bytes = save(sampleDocument(), form);
        size = bytes.size();
        benchmark::DoNotOptimize(bytes.constData());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * size);
    label(state, form);
}

void BM_RoundTrip(benchmark::State &state)
{
    const Form form = Form(state.range(0));
    qsizetype size = 0;
    for (auto _ : state) {
        const QByteArray bytes = save(sampleDocument(), form);
        size = bytes.size();
        RVDocument doc;
        QString error;
        if (!load(doc, bytes, form, &error))
            state.SkipWithError(qPrintable(error));
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * size);
    label(state, form);
}

// The records alone, without building a document: how much of a load the format itself costs.
void BM_DecodeRecords(benchmark::State &state)
{
    const Form form = Form(state.range(0));
    const QByteArray bytes = save(sampleDocument(), form);
    for (auto _ : state) {
        std::size_t records = 0;
        decodeRvf(bytes, [&](const RvfRecord &, QString *) { return ++records, true; }, nullptr);
        benchmark::DoNotOptimize(records);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * bytes.size());
    label(state, form);
}

// The native binary form against RTF, loads taken in turn so that whatever else the machine does
// weighs on both alike: the time is the native load's; the counters give how many times longer the
// same document takes from RTF, as a word processor wrote it and as Tavlen writes it.
void BM_NativeAgainstRtf(benchmark::State &state)
{
    const QByteArray native = save(sampleDocument(), Binary);
    const QByteArray ownRtf = save(sampleDocument(), Rtf);
    const QByteArray sampleRtf(rtfSample().data(), qsizetype(rtfSample().size()));
    using Clock = std::chrono::steady_clock;
    double nativeSeconds = 0, sampleSeconds = 0, ownSeconds = 0;
    const auto timedLoad = [&](const QByteArray &bytes, Form form) {
        auto doc = std::make_unique<RVDocument>();
        QString error;
        const auto start = Clock::now();
        if (!load(*doc, bytes, form, &error))
            state.SkipWithError(qPrintable(error));
        return std::chrono::duration<double>(Clock::now() - start).count(); // the document goes untimed
    };
    for (auto _ : state) {
        const double seconds = timedLoad(native, Binary);
        nativeSeconds += seconds;
        state.SetIterationTime(seconds);
        sampleSeconds += timedLoad(sampleRtf, Rtf);
        ownSeconds += timedLoad(ownRtf, Rtf);
    }
    state.counters["rtf_as_written_by_a_word_processor_x"] = sampleSeconds / nativeSeconds;
    state.counters["rtf_as_tavlen_writes_it_x"] = ownSeconds / nativeSeconds;
    state.SetLabel("native binary load; RTF loads of the same document, times as long");
}

BENCHMARK(BM_DecodeRecords)->DenseRange(Binary, Text)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Load)->DenseRange(Binary, Rtf)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LoadRtfOriginal)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Save)->DenseRange(Binary, Xml)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RoundTrip)->DenseRange(Binary, Rtf)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_NativeAgainstRtf)->Unit(benchmark::kMillisecond)->UseManualTime()->MinTime(1);

} // namespace
