// The start parameters against the session's settings.
#include "ui/program_start.h"

namespace zelvora {

tStartRequests ProcessStartParameters(const std::vector<std::string>& arguments,
    const tSettingsView& settings, const std::function<bool(const std::string&)>& fileExists)
{
    return ProcessStartParameters(arguments, settings.Settings(), fileExists);
}

} // namespace zelvora
