// Statements per second through the run loop: 100,000 scalar assignments "x = x + 1", each
// classified, evaluated by the formula machine and stored, with journal and listing echo on; the
// same assignment repeated by MACROEXEC; and a BATCH file run again and again.
#include "interpreter/commands_list.h"
#include "ui/session.h"
#include "variables/variable.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

#include <benchmark/benchmark.h>

namespace {

using namespace zelvora;

constexpr int StatementCount = 100000;

// A text window that keeps nothing, so the benchmark measures the interpreter, not a growing text.
class tNullTextView : public tTextViewPort {
public:
    void AppendLines(std::string_view, tTextStyle) override { }
    void Clear() override { }
    std::string PlainText() const override { return {}; }
};

void ScalarAssignments(benchmark::State& state)
{
    tNullTextView journal;
    tNullTextView listing;
    tSession session({ &journal, &listing }, "01.01.2026 00:00:00");
    std::vector<std::string> lines(StatementCount, "x = x + 1");
    lines.front() = "x = 0";
    tCommandsList list;
    list.Initialise();
    LoadLines(list, lines, 0, StatementCount - 1);
    long double last = 0;
    for (auto _ : state) {
        const tRunOutcome result = session.Run(tRunRequest::OfStatements(list, ""));
        if (!result.Success)
            state.SkipWithError("the run failed");
        last = session.Variable("x")->intvalue;
    }
    benchmark::DoNotOptimize(last);
    state.counters["statements/s"] = benchmark::Counter(
        static_cast<double>(StatementCount) * state.iterations(), benchmark::Counter::kIsRate);
}

BENCHMARK(ScalarAssignments)->Unit(benchmark::kMillisecond)->MinTime(1.0)->UseRealTime();

// The same assignment as a macro repeated 1,000,000 times: from the second repetition on it runs
// from its parsed form.
void MacroRepetitions(benchmark::State& state)
{
    constexpr int repetitions = 1000000;
    tNullTextView journal;
    tNullTextView listing;
    tSession session({ &journal, &listing }, "01.01.2026 00:00:00");
    if (!session.RunText("x = 0\nMACRODEF m\nx = x + 1\nMACROEND", "").Success)
        state.SkipWithError("the macro could not be defined");
    const std::string run = "MACROEXEC m " + std::to_string(repetitions);
    for (auto _ : state) {
        if (!session.RunText(run, "").Success)
            state.SkipWithError("the run failed");
    }
    benchmark::DoNotOptimize(session.Variable("x")->intvalue);
    state.counters["statements/s"] = benchmark::Counter(
        static_cast<double>(repetitions) * state.iterations(), benchmark::Counter::kIsRate);
}

BENCHMARK(MacroRepetitions)->Unit(benchmark::kMillisecond)->MinTime(1.0)->UseRealTime();

// A BATCH file of ten assignments run 10,000 times from a macro: from its second run on, the
// file's statements run from their parsed forms while its text stays the same.
void BatchReruns(benchmark::State& state)
{
    constexpr int runs = 10000;
    constexpr int statementsPerFile = 10;
    const std::filesystem::path file
        = std::filesystem::temp_directory_path() / "zelvora-bench-batch.rts";
    {
        std::ofstream out(file, std::ios::binary);
        for (int i = 0; i < statementsPerFile; ++i)
            out << "x = x + 1\n";
    }
    tNullTextView journal;
    tNullTextView listing;
    tSession session({ &journal, &listing }, "01.01.2026 00:00:00");
    if (!session.RunText("x = 0\nMACRODEF m\nBATCH \"" + file.string() + "\"\nMACROEND", "")
             .Success)
        state.SkipWithError("the macro could not be defined");
    const std::string run = "MACROEXEC m " + std::to_string(runs);
    for (auto _ : state) {
        if (!session.RunText(run, "").Success)
            state.SkipWithError("the run failed");
    }
    std::filesystem::remove(file);
    state.counters["statements/s"]
        = benchmark::Counter(static_cast<double>(runs) * statementsPerFile * state.iterations(),
            benchmark::Counter::kIsRate);
}

BENCHMARK(BatchReruns)->Unit(benchmark::kMillisecond)->MinTime(1.0)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
