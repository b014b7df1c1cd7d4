// Command-line arguments of the console program.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zelvora::cli {

struct tCliOptions {
    std::optional<std::string> Script;
    std::optional<std::string> JournalFile;
    std::optional<std::string> ListingFile;
    std::string PicturesDirectory; // empty: the working directory
    std::int32_t Frames = 1; // picture files per animation
    bool Quiet = false;
    bool Help = false;
    std::optional<std::string> DemoFile; // played as by DEMO, instead of a script
    bool Batch = false; // demos run straight through, without waiting for Enter
    bool Kernel = false; // JSON requests on stdin, answers on stdout, for a notebook
};

// Parses the arguments after the program name; on a usage error returns nothing and sets error.
std::optional<tCliOptions> ParseCliOptions(
    const std::vector<std::string>& arguments, std::string& error);

extern const char* const UsageText;

} // namespace zelvora::cli
