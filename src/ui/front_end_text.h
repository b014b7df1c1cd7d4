// The text helpers the front ends use where the program's Windows-1252 text meets the outside:
// Qt strings and the terminal (encoding, visible control characters), paths, files written whole,
// script files in their stored form, and rich text with its RTF form (help pages, editor files).
// They are the text layer's own, stateless and without a session; the front ends reach them
// through this header, as they reach everything else of the library through src/ui.
#pragma once

#include "text/paths.h"
#include "text/replacing_file.h"
#include "text/rich_text.h"
#include "text/rtf_reader.h"
#include "text/rtf_writer.h"
#include "text/script_file_form.h"
#include "text/terminal_text.h"
#include "text/text_encoding.h"
