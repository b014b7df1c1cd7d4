// Console front end: runs a script as a batch, or reads statements at an interactive prompt.
#include "cli_options.h"
#include "console_display.h"
#include "console_ports.h"
#include "console_process.h"
#include "demo_runner.h"
#include "interpreter/data_directory.h"
#include "interpreter/process_setup.h"
#include "interrupt.h"
#include "prompt.h"
#include "run_report.h"
#include "text/text_encoding.h"
#include "ui/graphics/picture_file_graphics.h"
#include "ui/session.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <sstream>

#include <unistd.h>

namespace {

using namespace zelvora;
using namespace zelvora::cli;

bool WriteWholeFile(const std::string& path, const std::string& text)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << text;
    return static_cast<bool>(file.flush());
}

// Writes the journal and the listing where the options ask for them; false when one failed.
bool WriteRequestedFiles(
    const tCliOptions& options, const tConsoleTextView& journal, const tConsoleTextView& listing)
{
    bool ok = true;
    auto write = [&](const std::optional<std::string>& path, const tConsoleTextView& view) {
        if (path && !WriteWholeFile(*path, view.FileText())) {
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

    KeepLargeBlocksForReuse();
    tConsoleTextView journalView;
    tConsoleTextView listingView;
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
    tSession session({ &journalView, &listingView, &commandWindow, nullptr, &application, &shelf,
                         &listingPictures, &clipboard, &processes, &demoView, &graphics },
        CurrentDateTimeText(), PlatformPathsFromEnvironment(argv[0]));
    session.Store().SetReadableNumbers(true);

    int status = ExitOk;
    const tConsoleSignals signals(session.Interpreter());
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
        status = RunPrompt(session, application);
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
