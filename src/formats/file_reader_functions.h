// The formula functions that read matrix files: CSVDatei/readCSV and
// HexDatei/ReadHEX, as dispatch rows for the session's function dispatch.
#pragma once

#include "language/builtin_dispatch.h"

#include <span>

namespace zelvora {

// CSVDatei(name [, format]): one or two arguments (else empty); the name "CLIP" in any case reads
// the session's clipboard (tFunctionDispatch::SetClipboard), any other is resolved against the
// script directory. HexDatei(name): the name resolved. Each gives the numeric matrix read, or empty
// when the reader fails; a failure is left in the library's error pair (code 17 unless the reader
// set its own), so the formula stops with the reader's message.
std::span<const tDispatchRow> FileReaderRows();

} // namespace zelvora
