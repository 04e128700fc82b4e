// Throughput and growth of every text transform. Each runs on 1, 8 and 64 MB so that the fitted
// complexity shows it linear; the 64 MB figures are the ones the performance bounds speak of.

#include "BenchText.h"
#include "CodeChanger.h"
#include "OrvelUtils.h"
#include "TextCommands.h"

#include <benchmark/benchmark.h>

#include <map>
#include <string>

namespace {

constexpr std::int64_t kMB = 1 << 20;

enum class Input { Prose, Koi8R, Latin, HexDigits, BinaryDigits, RepeatedA };

const std::string &input(Input kind, std::size_t bytes)
{
    static std::map<std::pair<Input, std::size_t>, std::string> cache;
    auto &text = cache[{kind, bytes}];
    if (!text.empty())
        return text;
    switch (kind) {
    case Input::Prose: text = benchtext::sampleText(bytes); break;
    case Input::Koi8R: {
        text = benchtext::sampleText(bytes);
        TCodeChanger changer;
        changer.SetSourceCode(ctWin1251);
        changer.SetDestCode(ctKoi8R);
        changer.Change(text);
        break;
    }
    case Input::Latin: text = Translit(benchtext::sampleText(bytes)); text.resize(bytes); break;
    case Input::HexDigits: for (std::size_t i = 0; i < bytes; ++i) text += "0123456789abcdefABCDEF"[i % 22]; break;
    case Input::BinaryDigits: for (std::size_t i = 0; i < bytes; ++i) text += "0110100111"[i % 10]; break;
    case Input::RepeatedA: text.assign(bytes, 'a'); break;
    }
    return text;
}

void configure(benchmark::internal::Benchmark *b, benchmark::BigO complexity = benchmark::oN)
{
    b->Arg(1 * kMB)->Arg(8 * kMB)->Arg(64 * kMB)->Unit(benchmark::kMillisecond)->Complexity(complexity);
    b->Repetitions(3)->ReportAggregatesOnly(true);
}

template <typename Transform>
void measure(benchmark::State &state, Input kind, Transform transform)
{
    const std::string &text = input(kind, static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        auto result = transform(text);
        benchmark::DoNotOptimize(result);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
    state.SetComplexityN(state.range(0));
}

// Every text command as the editor and the command line run it. The number commands work on one
// number at a time and are measured through their digit-string conversions below.
void registerCommands()
{
    for (const TextCommand &command : textCommands()) {
        if (command.actionName.starts_with("N"))
            continue;
        const Input kind = command.name == "detranslit" ? Input::Latin
                           : command.name == "autocod"  ? Input::Koi8R
                                                        : Input::Prose;
        const bool sorts = command.name.starts_with("sort");
        auto *b = benchmark::RegisterBenchmark(("command/" + std::string(command.name)).c_str(),
                                               [&command, kind](benchmark::State &state) {
                                                   measure(state, kind, [&](const std::string &t) { return command.run(t); });
                                               });
        configure(b, sorts ? benchmark::oNLogN : benchmark::oN);
    }
}

void BM_ChangeInPlace(benchmark::State &state, TCodeTable from, TCodeTable to)
{
    std::string text = input(Input::Prose, static_cast<std::size_t>(state.range(0)));
    TCodeChanger changer;
    changer.SetSourceCode(from);
    changer.SetDestCode(to);
    for (auto _ : state) {
        changer.Change(text); // converting an already converted text costs the same table walk
        benchmark::DoNotOptimize(text);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
    state.SetComplexityN(state.range(0));
}
BENCHMARK_CAPTURE(BM_ChangeInPlace, win_to_koi8r, ctWin1251, ctKoi8R)->Apply([](auto *b) { configure(b); });
BENCHMARK_CAPTURE(BM_ChangeInPlace, dos_to_mac, ctOem, ctMac)->Apply([](auto *b) { configure(b); });

void BM_ChangeToUtf16(benchmark::State &state)
{
    measure(state, Input::Prose, [](const std::string &t) {
        TCodeChanger changer;
        changer.SetSourceCode(ctWin1251);
        changer.SetDestCode(ctUtf16);
        std::string copy = t;
        changer.Change(copy);
        return copy;
    });
}
BENCHMARK(BM_ChangeToUtf16)->Apply([](auto *b) { configure(b); });

void BM_ChangeFromUtf16(benchmark::State &state)
{
    TCodeChanger toUtf16;
    toUtf16.SetSourceCode(ctWin1251);
    toUtf16.SetDestCode(ctUtf16);
    std::string utf16 = input(Input::Prose, static_cast<std::size_t>(state.range(0)) / 2 - 1);
    toUtf16.Change(utf16);
    TCodeChanger changer;
    changer.SetSourceCode(ctUtf16);
    changer.SetDestCode(ctKoi8R);
    for (auto _ : state) {
        std::string copy = utf16;
        changer.Change(copy);
        benchmark::DoNotOptimize(copy);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ChangeFromUtf16)->Apply([](auto *b) { configure(b); });

void BM_DetectCoding(benchmark::State &state)
{
    measure(state, Input::Koi8R, [](const std::string &t) { return DetectCoding(t); });
}
BENCHMARK(BM_DetectCoding)->Apply([](auto *b) { configure(b); });

void BM_ReplaceAllWord(benchmark::State &state)
{
    measure(state, Input::Prose, [](const std::string &t) { return ReplaceAllText(t, "world", "planet earth"); });
}
BENCHMARK(BM_ReplaceAllWord)->Apply([](auto *b) { configure(b); });

// The trap of a naive search: a pattern that almost matches everywhere.
void BM_ReplaceAllNearMisses(benchmark::State &state)
{
    measure(state, Input::RepeatedA, [](const std::string &t) { return ReplaceAllText(t, std::string(64, 'a') + "b", "x"); });
}
BENCHMARK(BM_ReplaceAllNearMisses)->Apply([](auto *b) { configure(b); });

void BM_HexToBin(benchmark::State &state)
{
    measure(state, Input::HexDigits, [](const std::string &t) { return HexToBin(t); });
}
BENCHMARK(BM_HexToBin)->Apply([](auto *b) { configure(b); });

void BM_BinToHex(benchmark::State &state)
{
    measure(state, Input::BinaryDigits, [](const std::string &t) { return BinToHex(t); });
}
BENCHMARK(BM_BinToHex)->Apply([](auto *b) { configure(b); });

} // namespace

int main(int argc, char **argv)
{
    registerCommands();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
