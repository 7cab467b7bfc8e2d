#include "platform/Platform.h"

#include <stdexcept>

namespace platform {

namespace {
thread_local Win32Error t_lastError = Win32Error::Success;

std::unique_ptr<Platform> &slot()
{
    static std::unique_ptr<Platform> backEnd;
    return backEnd;
}
} // namespace

Platform &current()
{
    auto &backEnd = slot();
    if (!backEnd)
        throw std::logic_error("no platform back end installed");
    return *backEnd;
}

void install(std::unique_ptr<Platform> backEnd)
{
    slot() = std::move(backEnd);
}

Win32Error lastError()
{
    return t_lastError;
}

void setLastError(Win32Error error)
{
    t_lastError = error;
}

} // namespace platform
