// What a front end's start and end need besides the session: where the program's files are (the
// platform paths, the data directory, paths between the program's text and the file system), the
// start parameters of the command line processed against the session's settings, the settings
// file's format (the desktop keeps its window places in it beside the session's settings) and the
// allocator's setup of the process.
#pragma once

#include "numerics/process_setup.h"
#include "text/data_directory.h"
#include "text/ini_file.h"
#include "ui/start_parameters.h"
