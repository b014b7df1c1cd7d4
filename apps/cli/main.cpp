// Console front end: runs a script as a batch, or reads statements at an interactive prompt.
#include "cli_options.h"
#include "console_display.h"
#include "console_ports.h"
#include "console_process.h"
#include "demo_runner.h"
#include "interrupt.h"
#include "kernel_mode.h"
#include "prompt.h"
#include "run_report.h"
#include "ui/front_end_text.h"
#include "ui/graphics/picture_file_graphics.h"
#include "ui/program_start.h"
#include "ui/session.h"

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <iterator>
#include <optional>

#include <fcntl.h>
#include <unistd.h>

namespace {

using namespace zelvora;
using namespace zelvora::cli;

// Whether a file can be written where it is named: opened for writing, created for the probe
// (and removed again) when it is not there yet.
bool CanWriteFile(const std::string& path)
{
    const bool existed = ::access(path.c_str(), F_OK) == 0;
    const int descriptor = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
    if (descriptor < 0)
        return false;
    ::close(descriptor);
    if (!existed)
        ::unlink(path.c_str());
    return !std::filesystem::is_directory(path);
}

// Whether pictures can be written into the folder, which is made when it is missing.
bool CanWriteIntoFolder(const std::string& folder)
{
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    std::string probe = (std::filesystem::path(folder) / ".zelvora-probe-XXXXXX").string();
    const int descriptor = ::mkstemp(probe.data());
    if (descriptor < 0)
        return false;
    ::close(descriptor);
    ::unlink(probe.c_str());
    return true;
}

// The first output the options ask for that cannot be written, so that nothing runs whose
// journal, listing or pictures would be lost.
std::optional<std::string> UnwritableOutput(const tCliOptions& options)
{
    for (const std::optional<std::string>& file : { options.JournalFile, options.ListingFile }) {
        if (file && !CanWriteFile(*file))
            return *file;
    }
    if (!options.PicturesDirectory.empty() && !CanWriteIntoFolder(options.PicturesDirectory))
        return options.PicturesDirectory;
    return std::nullopt;
}

// Writes the journal and the listing where the options ask for them; false when one failed.
bool WriteRequestedFiles(
    const tCliOptions& options, const tConsoleTextView& journal, const tConsoleTextView& listing)
{
    bool ok = true;
    auto write = [&](const std::optional<std::string>& path, const tConsoleTextView& view) {
        if (path && ReplaceFileContents(*path, view.FileText()) != 0) {
            std::fprintf(stderr, "zelvora-cli: %s kann nicht geschrieben werden\n", path->c_str());
            ok = false;
        }
    };
    write(options.JournalFile, journal);
    write(options.ListingFile, listing);
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    std::string error;
    const auto options = ParseCliOptions(std::vector<std::string>(argv + 1, argv + argc), error);
    if (!options) {
        std::fprintf(stderr, "zelvora-cli: %s\n\n%s", error.c_str(), UsageText);
        return ExitUsage;
    }
    if (options->Help) {
        std::fputs(UsageText, stdout);
        return ExitOk;
    }
    if (const auto unwritable = UnwritableOutput(*options)) {
        std::fprintf(
            stderr, "zelvora-cli: %s kann nicht geschrieben werden\n", unwritable->c_str());
        return ExitUsage;
    }

    KeepLargeBlocksForReuse();
    if (options->Kernel)
        return RunKernel(argv[0]);
    // The prompt writes its journal at the end; a batch run only the files asked for.
    const bool interactive = !options->Script && !options->DemoFile && isatty(STDIN_FILENO);
    tConsoleTextView journalView(interactive || options->JournalFile);
    tConsoleTextView listingView(interactive || options->ListingFile);
    // The journal file grows statement by statement: a killed run keeps what ran before.
    if (options->JournalFile && !journalView.WriteThrough(*options->JournalFile, false)) {
        std::fprintf(stderr, "zelvora-cli: %s kann nicht geschrieben werden\n",
            options->JournalFile->c_str());
        return ExitUsage;
    }
    tConsoleCommandWindow commandWindow(options->Quiet);
    tConsoleShelf shelf;
    tConsoleClipboard clipboard;
    tConsoleApplication application(shelf, options->Quiet);
    tPosixProcesses processes;
    const auto announcePicture = [quiet = options->Quiet](const std::string& path) {
        if (!quiet)
            std::printf("Zeichnung gespeichert: %s\n", path.c_str());
    };
    tPictureFileGraphics graphics(
        { options->PicturesDirectory, options->Frames, true }, announcePicture);
    tPictureFileListing listingPictures(options->PicturesDirectory, announcePicture);
    tConsoleDemoView demoView(!options->Batch && isatty(STDIN_FILENO), options->Quiet);
    tSession session(
        {
            .JournalView = &journalView,
            .ListingView = &listingView,
            .CommandWindow = &commandWindow,
            .Application = &application,
            .Shelf = &shelf,
            .ListingPictures = &listingPictures,
            .Clipboard = &clipboard,
            .Processes = &processes,
            .DemoView = &demoView,
            .Graphics = &graphics,
        },
        CurrentDateTimeText(), PlatformPathsFromEnvironment(argv[0]));
    session.SetReadableNumbers(true);
    // Asking for a listing file turns the listing on, as SET Listing=AN in the script would.
    if (options->ListingFile)
        session.SetListingOn(true);

    int status = ExitOk;
    const tConsoleSignals signals(session.StopHandle());
    std::optional<tConsoleSignals::tRunning> batchRun;
    if (options->Script || options->DemoFile || !isatty(STDIN_FILENO))
        batchRun.emplace();
    if (options->DemoFile) {
        status = PlayDemoFile(session, *options->DemoFile);
    } else if (options->Script) {
        const auto text = ReadScriptFile(*options->Script);
        if (!text) {
            std::fprintf(stderr, "zelvora-cli: Skript %s kann nicht gelesen werden\n",
                options->Script->c_str());
            return ExitUsage;
        }
        const std::string directory
            = std::filesystem::absolute(*options->Script).parent_path().string();
        status = ReportRun(session.RunText(*text, directory, ProgramPathText(*options->Script)));
    } else if (isatty(STDIN_FILENO)) {
        status = RunPrompt(session, application, journalView);
    } else {
        const std::string bytes(
            (std::istreambuf_iterator<char>(std::cin)), std::istreambuf_iterator<char>());
        status = ReportRun(session.RunText(
            DecodeFileText(bytes), std::filesystem::current_path().string(), "<stdin>"));
    }
    if (!WriteRequestedFiles(*options, journalView, listingView) && status == ExitOk)
        status = ExitRunTimeError;
    if (const int signal = tConsoleSignals::EndSignal(); signal != 0 && batchRun)
        status = 128 + signal;
    return status;
}
