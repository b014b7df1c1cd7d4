// End-to-end speed: scripts run through zelvora-cli beside a reference program doing the same work
// with Eigen (long double) and C stdio in this process. Each case runs the script with and without
// its timed statements; the difference is the statements' time. Prints ours / reference.
// Usage: bench_end_to_end [path of zelvora-cli]
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <sstream>
#include <string>

#include <Eigen/Dense>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using Matrix = Eigen::Matrix<long double, Eigen::Dynamic, Eigen::Dynamic, Eigen::RowMajor>;

constexpr int Repeats = 3;

double Seconds(const std::function<void()>& work)
{
    double best = 1e300;
    for (int i = 0; i < Repeats; ++i) {
        const auto start = Clock::now();
        work();
        best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
    }
    return best;
}

class tScriptRunner {
public:
    tScriptRunner(std::string cli, fs::path folder)
        : m_cli(std::move(cli))
        , m_folder(std::move(folder))
    {
    }

    // Best time of the whole script, start of the program included.
    double Run(const std::string& name, const std::string& text) const
    {
        const fs::path script = m_folder / (name + ".rts");
        std::ofstream(script) << text;
        const std::string command = "cd '" + m_folder.string() + "' && '" + m_cli + "' --quiet '"
            + script.string() + "' >/dev/null";
        return Seconds([&] {
            if (std::system(command.c_str()) != 0) {
                std::fprintf(stderr, "%s failed\n", name.c_str());
                std::exit(1);
            }
        });
    }

    // Time of the timed part: the script with it less the script without it.
    double Timed(const std::string& name, const std::string& setup, const std::string& timed) const
    {
        return std::max(0.0, Run(name, setup + timed) - Run(name + "_setup", setup));
    }

    // Peak resident memory of one run of the script, in MB.
    double PeakMegabytes(const std::string& name, const std::string& text) const
    {
        const fs::path script = m_folder / (name + ".rts");
        std::ofstream(script) << text;
        const pid_t child = fork();
        if (child == 0) {
            const int quiet = open("/dev/null", O_WRONLY);
            dup2(quiet, STDOUT_FILENO);
            if (chdir(m_folder.c_str()) == 0)
                execl(m_cli.c_str(), m_cli.c_str(), "--quiet", script.c_str(), nullptr);
            _exit(127);
        }
        int status = 0;
        rusage usage {};
        if (child < 0 || wait4(child, &status, 0, &usage) != child || status != 0) {
            std::fprintf(stderr, "%s failed\n", name.c_str());
            std::exit(1);
        }
        return static_cast<double>(usage.ru_maxrss) / 1024;
    }

    const fs::path& Folder() const { return m_folder; }

private:
    std::string m_cli;
    fs::path m_folder;
};

Matrix RandomMatrix(int rows, int cols)
{
    std::mt19937 gen(1);
    std::uniform_real_distribution<double> u(0, 1);
    Matrix m(rows, cols);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c)
            m(r, c) = u(gen);
    return m;
}

std::string Repeated(const std::string& line, int times)
{
    std::string text;
    for (int i = 0; i < times; ++i)
        text += line + "\n";
    return text;
}

void Report(const char* what, double ours, double reference, const char* referenceName)
{
    std::printf("%-44s %9.3f s %9.3f s %7.2f x  (%s)\n", what, ours, reference,
        reference > 0 ? ours / reference : 0.0, referenceName);
}

void CsvReference(const Matrix& a, const fs::path& file)
{
    std::FILE* out = std::fopen(file.c_str(), "w");
    for (int r = 0; r < a.rows(); ++r) {
        for (int c = 0; c < a.cols(); ++c)
            std::fprintf(out, c + 1 < a.cols() ? "%26.17Le," : "%26.17Le\n", a(r, c));
    }
    std::fclose(out);
    std::ifstream in(file, std::ios::binary);
    std::stringstream buffer;
    buffer << in.rdbuf();
    const std::string text = buffer.str();
    Matrix b(a.rows(), a.cols());
    const char* p = text.c_str();
    for (int r = 0; r < a.rows(); ++r) {
        for (int c = 0; c < a.cols(); ++c) {
            char* end = nullptr;
            b(r, c) = std::strtold(p, &end);
            p = end + 1;
        }
    }
    if (b(0, 0) != b(0, 0))
        std::exit(1);
}

// The correlations of 500 cases of 50 variables: variable i loads 0.5 to 0.8 on factor
// (i - 1) mod 5 + 1 and 0.15 on the next; the factors correlate 0.2.
Matrix FiveFactorCorrelations()
{
    constexpr int p = 50;
    constexpr int k = 5;
    constexpr int n = 500;
    std::mt19937 gen(2026);
    std::normal_distribution<double> normal(0, 1);
    Matrix x(n, p);
    for (int c = 0; c < n; ++c) {
        const double common = normal(gen) * std::sqrt(0.2);
        double factor[k];
        for (double& f : factor)
            f = common + normal(gen) * std::sqrt(0.8);
        for (int i = 0; i < p; ++i) {
            const double main = 0.5 + 0.3 * (i / k) / (p / k - 1);
            x(c, i) = main * factor[i % k] + 0.15 * factor[(i + 1) % k] + normal(gen) * 0.6;
        }
    }
    const Matrix centred = x.rowwise() - x.colwise().mean();
    const Matrix covariance = centred.transpose() * centred;
    Matrix r(p, p);
    for (int i = 0; i < p; ++i)
        for (int j = 0; j < p; ++j)
            r(i, j) = covariance(i, j) / std::sqrt(covariance(i, i) * covariance(j, j));
    return r;
}

void WriteCsv(const Matrix& m, const fs::path& file)
{
    std::FILE* out = std::fopen(file.c_str(), "w");
    for (int r = 0; r < m.rows(); ++r)
        for (int c = 0; c < m.cols(); ++c)
            std::fprintf(out, c + 1 < m.cols() ? "%.21Lg," : "%.21Lg\n", m(r, c));
    std::fclose(out);
}

} // namespace

int main(int argc, char** argv)
{
    const std::string cli = argc > 1 ? argv[1] : "build/apps/cli/zelvora-cli";
    const fs::path folder = fs::temp_directory_path() / "zelvora-bench-e2e";
    fs::create_directories(folder);
    const tScriptRunner runner(fs::absolute(cli).string(), folder);
    const std::string twoMatrices = "A = RandomU(1000, 1000)\nB = RandomU(1000, 1000)\n";

    std::printf("%-44s %11s %11s %9s\n", "case", "ours", "reference", "ratio");
    // Memory: what the statements add to A and B, in 1000 x 1000 matrices. Measured first: a child
    // starts with the peak of this process, which is small only before the reference work.
    const double matrixMegabytes = 1001.0 * 1001.0 * sizeof(long double) / (1024 * 1024);
    const double operands = runner.PeakMegabytes("peak_setup", twoMatrices);
    std::printf("%-44s %9.1f matrices beside A and B\n", "memory peak of a first P = A + B",
        (runner.PeakMegabytes("peak_first", twoMatrices + "P = A + B\n") - operands)
            / matrixMegabytes);
    std::printf("%-44s %9.1f matrices beside A and B\n", "memory peak of P = A + B replacing P",
        (runner.PeakMegabytes("peak_again", twoMatrices + Repeated("P = A + B", 5)) - operands)
            / matrixMegabytes);

    const Matrix a = RandomMatrix(1000, 1000);
    const Matrix b = RandomMatrix(1000, 1000);
    Matrix p(1000, 1000);

    Report("P = A + B, 1000 x 1000, 20 times",
        runner.Timed("add", twoMatrices, Repeated("P = A + B", 20)), Seconds([&] {
            for (int i = 0; i < 20; ++i)
                p = a + b;
        }),
        "Eigen");
    Report("P = Transp(A), 1000 x 1000, 20 times",
        runner.Timed("transpose", twoMatrices, Repeated("P = Transp(A)", 20)), Seconds([&] {
            for (int i = 0; i < 20; ++i)
                p = a.transpose();
        }),
        "Eigen");
    Report("CSV write + read, 1000 x 1000",
        runner.Timed(
            "csv", twoMatrices, "MATWRITE CSV(\"a.csv\", 26, -1) = A\nC = CSVDatei(\"a.csv\")\n"),
        Seconds([&] { CsvReference(a, folder / "ref.csv"); }), "stdio %26.17Le / strtold");

    const std::string symmetric = "R = RandomU(300, 300)\nG = Transp(R) * R\n";
    const Matrix r = RandomMatrix(300, 300);
    const Matrix g = r.transpose() * r;
    Report("X, D, Q = EigenSys(G), symmetric 300 x 300",
        runner.Timed("eigen", symmetric, "X, D, Q = EigenSys(G)\n"), Seconds([&] {
            Eigen::SelfAdjointEigenSolver<Matrix> solver(g, Eigen::ComputeEigenvectors);
            if (solver.info() != Eigen::Success)
                std::exit(1);
        }),
        "Eigen SelfAdjointEigenSolver");

    // Raw VARIMAX of loadings without a hidden structure (more sweeps than structured ones).
    const double varimax
        = runner.Timed("varimax", "L = RandomU(2000, 10)\n", "R = Rot(L, \"VARIMAX\")\n");
    std::printf("%-44s %9.3f s\n", "R = Rot(L, \"VARIMAX\"), L 2000 x 10", varimax);

    // The factor analysis's speed targets through the program: a 50 x 50 correlation matrix of a
    // five-factor model (maximum likelihood, then GEOMIN of its loadings with 10 starts) and a
    // 20 x 20 one for parallel analysis against 100 random sets of 500 cases.
    const Matrix correlations = FiveFactorCorrelations();
    WriteCsv(correlations, folder / "r50.csv");
    WriteCsv(correlations.topLeftCorner(20, 20), folder / "r20.csv");
    const std::string factorSetup = "R = CSVDatei(\"r50.csv\")\nR20 = CSVDatei(\"r20.csv\")\n";
    const std::string extraction = "L, h2, u2, n, ok = Faktoren(R, 5, \"ML\", 500)\n";
    std::printf("%-44s %9.3f s\n", "Faktoren(R, 5, \"ML\", 500), R 50 x 50",
        runner.Timed("ml", factorSetup, extraction));
    std::printf("%-44s %9.3f s\n", "RotSchief(L, \"GEOMIN\", 0.01, 10), L 50 x 5",
        runner.Timed(
            "geomin", factorSetup + extraction, "P = RotSchief(L, \"GEOMIN\", 0.01, 10)\n"));
    std::printf("%-44s %9.3f s\n", "Parallelanalyse(R20, 500), 100 sets",
        runner.Timed("parallel", factorSetup, "E = Parallelanalyse(R20, 500)\n"));

    const double workspace = runner.Timed(
        "workspace", "A = RandomU(1000, 1000)\n", "SAVE \"w.ztw\"\nLOAD \"w.ztw\"\n");
    const double megabytes = 2 * fs::file_size(folder / "w.ztw") / 1e6;
    std::printf("%-44s %9.3f s %9.0f MB/s\n", "workspace SAVE + LOAD, 1000 x 1000", workspace,
        workspace > 0 ? megabytes / workspace : 0.0);

    constexpr int statements = 100000;
    const double script = runner.Timed("statements", "x = 0\n", Repeated("x = x + 1", statements));
    std::printf("%-44s %9.3f s %9.0f k statements/s\n", "100,000 statements in a script file",
        script, script > 0 ? statements / script / 1000 : 0.0);

    // A macro's statement runs from its parsed form after the first repetition.
    constexpr int repetitions = 1000000;
    const double macro = runner.Timed("macro", "x = 0\nMACRODEF m\nx = x + 1\nMACROEND\n",
        "MACROEXEC m " + std::to_string(repetitions) + "\n");
    std::printf("%-44s %9.3f s %9.0f k statements/s\n", "MACROEXEC of x = x + 1, 1,000,000 times",
        macro, macro > 0 ? repetitions / macro / 1000 : 0.0);
    fs::remove_all(folder);
    return 0;
}
