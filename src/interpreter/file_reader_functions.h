// The formula functions that read matrix files: CSVDatei/readCSV, HexDatei/ReadHEX,
// OXFDatei/readOXF, BinDatei/ReadBIN, DefRawDatei/ReadDefRaw and BmpDatei/ReadBMP, as dispatch
// rows for the session's function dispatch.
#pragma once

#include "language/builtin_dispatch.h"

#include <span>

namespace zelvora {

// CSVDatei(name [, format]): one or two arguments (else empty); the name "CLIP" in any case reads
// the session's clipboard (tFunctionDispatch::SetClipboard), any other is resolved against the
// script directory. HexDatei(name): the name resolved. OXFDatei(name): the matrix and the n x 2
// labels. BinDatei(name, columns): columns outside 1..1023 end the run with the range error.
// DefRawDatei(name): name's ".def" and ".raw"; DefRawDatei(def, raw): the two files; three or
// more arguments: the 1 x 1 zero matrix, none: the slot. BmpDatei(name): the red, green and blue
// planes. Each gives the numeric matrices read, or fails with the reader's message (code 17; 1 for
// the definition/raw reader).
std::span<const tDispatchRow> FileReaderRows();

} // namespace zelvora
