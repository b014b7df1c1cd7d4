// What a front end's start and end need besides the session: where the program's files are (the
// platform paths, the data directory, paths between the program's text and the file system), the
// start parameters of the command line, the settings file's format (the desktop keeps its window
// places in it beside the session's settings) and the allocator's setup of the process.
#pragma once

#include "interpreter/data_directory.h"
#include "interpreter/ini_file.h"
#include "interpreter/process_setup.h"
#include "interpreter/start_parameters.h"
#include "ui/settings_view.h"

#include <functional>
#include <string>
#include <vector>

namespace zelvora {

// The start parameters processed against the session's settings as they stand now.
tStartRequests ProcessStartParameters(const std::vector<std::string>& arguments,
    const tSettingsView& settings, const std::function<bool(const std::string&)>& fileExists);

} // namespace zelvora
