// The system clipboard for texts (Windows-1252 inside the program) and window pictures.
#pragma once

#include "ports/picture_port.h"

namespace zelvora::gui {

class tQtClipboard : public tClipboardPort {
public:
    bool SetText(std::string_view text) override;
    bool SetPicture(const tPicture& picture) override;
    std::optional<std::string> Text() const override;
};

} // namespace zelvora::gui
