// Text bound for a terminal.
#include "text/terminal_text.h"

namespace zelvora {

std::string VisibleControls(std::string_view utf8)
{
    static constexpr char hexDigits[] = "0123456789abcdef";
    std::string shown;
    shown.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        const bool lineEnd
            = byte == '\n' || (byte == '\r' && i + 1 < utf8.size() && utf8[i + 1] == '\n');
        if (byte == '\t' || lineEnd) {
            shown += static_cast<char>(byte);
        } else if (byte < 0x20 || byte == 0x7F) {
            shown += '^';
            shown += static_cast<char>(byte ^ 0x40);
        } else if (byte == 0xC2 && i + 1 < utf8.size()
            && static_cast<unsigned char>(utf8[i + 1]) >= 0x80
            && static_cast<unsigned char>(utf8[i + 1]) <= 0x9F) {
            const auto control = static_cast<unsigned char>(utf8[++i]);
            shown += "\\x";
            shown += hexDigits[control >> 4];
            shown += hexDigits[control & 0xF];
        } else {
            shown += static_cast<char>(byte);
        }
    }
    return shown;
}

} // namespace zelvora
