// How a script file is written on disk (encoding, line breaks, byte order mark), so that the
// editor can save it back as it was read.
#pragma once

#include <string>
#include <string_view>

namespace zelvora {

struct tScriptFileForm {
    bool Utf8 = true; // new scripts are written as UTF-8; others keep what they were read in
    bool CrLf = false; // every line break is a carriage return and a line feed
    bool ByteOrderMark = false; // a UTF-8 file that began with EF BB BF
    bool operator==(const tScriptFileForm&) const = default;
};

struct tDecodedScript {
    std::string Utf8Text; // line breaks as line feeds, without the byte order mark
    tScriptFileForm Form;
};

// A script file's bytes as UTF-8 text: valid UTF-8 with non-ASCII characters (or a byte order
// mark) is taken as UTF-8, everything else as Windows-1252.
tDecodedScript DecodeScriptFile(std::string_view bytes);

// The bytes to write for UTF-8 text (line feeds) in the form. A Windows-1252 file whose text now
// holds characters that Windows-1252 cannot hold is written as UTF-8 instead, so that nothing
// typed is lost; usedForm tells which form was written.
std::string EncodeScriptFile(
    std::string_view utf8Text, const tScriptFileForm& form, tScriptFileForm* usedForm = nullptr);

} // namespace zelvora
