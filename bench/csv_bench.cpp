// Writing and reading a 1000 x 1000 matrix as CSV (width 26, 18 significant digits) beside C stdio
// doing the same work: fprintf with "%26.17Le" and a whole-file read parsed with strtold.
#include "best_time_reporter.h"
#include "formats/csv_format.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using namespace zelvora;

constexpr std::int32_t Size = 1000;
long double sink = 0;

std::string FileName(const char* name)
{
    return (std::filesystem::temp_directory_path() / name).string();
}

const trealmatrix& Data()
{
    static const trealmatrix m = [] {
        trealmatrix data(Size, Size);
        for (std::int32_t r = 1; r <= Size; ++r) {
            for (std::int32_t c = 1; c <= Size; ++c)
                data(r, c) = std::sin(static_cast<long double>(r * 7919 + c))
                    * std::pow(10.0L, (c % 41) - 20);
        }
        return data;
    }();
    return m;
}

void OursWrite(benchmark::State& state)
{
    for (auto _ : state) {
        if (!CsvWrite(Data(), FileName("zelvora-bench.csv"), 26, -1, "T.").Ok)
            state.SkipWithError("the file was not written");
    }
}

void StdioWrite(benchmark::State& state)
{
    for (auto _ : state) {
        std::FILE* file = std::fopen(FileName("zelvora-bench-stdio.csv").c_str(), "wb");
        for (std::int32_t r = 1; r <= Size; ++r) {
            for (std::int32_t c = 1; c <= Size; ++c)
                std::fprintf(file, c > 1 ? "\t%26.17Le" : "%26.17Le", Data()(r, c));
            std::fputs("\r\n", file);
        }
        std::fclose(file);
    }
}

void OursRead(benchmark::State& state)
{
    CsvWrite(Data(), FileName("zelvora-bench.csv"), 26, -1, "T.");
    for (auto _ : state) {
        const tMatrixReadResult read = CsvRead(FileName("zelvora-bench.csv"), "");
        sink += read.Matrix(Size, Size);
    }
}

void StdioRead(benchmark::State& state)
{
    CsvWrite(Data(), FileName("zelvora-bench.csv"), 26, -1, "T.");
    for (auto _ : state) {
        std::FILE* file = std::fopen(FileName("zelvora-bench.csv").c_str(), "rb");
        const auto size
            = static_cast<std::size_t>(std::filesystem::file_size(FileName("zelvora-bench.csv")));
        std::string text(size, '\0');
        text.resize(std::fread(text.data(), 1, size, file));
        std::fclose(file);
        std::vector<long double> values;
        values.reserve(static_cast<std::size_t>(Size) * Size);
        const char* p = text.c_str();
        char* end = nullptr;
        for (long double x = std::strtold(p, &end); end != p; x = std::strtold(p, &end)) {
            values.push_back(x);
            p = end;
        }
        sink += values.back();
    }
}

} // namespace

int main(int argc, char** argv)
{
    const std::pair<const char*, void (*)(benchmark::State&)> cases[] = {
        { "write/ours", OursWrite },
        { "write/stdio", StdioWrite },
        { "read/ours", OursRead },
        { "read/stdio", StdioRead },
    };
    for (const auto& [name, function] : cases) {
        zelvora::bench::BestOfRepeats(
            benchmark::RegisterBenchmark(name, function)->Iterations(1), 5);
    }
    return zelvora::bench::RunAndPrint(
        argc, argv, [](const zelvora::bench::tBestTimeReporter& reporter) {
            std::printf(
                "\n%-8s %12s %12s %12s\n", "CSV 1000", "ours [ms]", "stdio [ms]", "ours/stdio");
            for (const char* operation : { "write", "read" }) {
                const auto ours = reporter.Best(operation + std::string("/ours"));
                const auto stdio = reporter.Best(operation + std::string("/stdio"));
                if (ours && stdio)
                    std::printf(
                        "%-8s %12.1f %12.1f %12.3f\n", operation, *ours, *stdio, *ours / *stdio);
            }
            std::printf("(sink %.3Lg)\n", sink);
        });
}
