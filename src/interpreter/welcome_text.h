// The text of the command window's first tab: the version line, and on a first start a short
// introduction with an example.
#pragma once

#include "interpreter/settings.h"

#include <string>

namespace zelvora {

// The version line; with firstStart the introduction lines follow. Lines end in "\r\n".
std::string WelcomeText(bool firstStart);

// Builds the settings' welcome text from FirstTimeUsed, then clears FirstTimeUsed.
void BuildWelcomeText(tSettings& settings);

} // namespace zelvora
