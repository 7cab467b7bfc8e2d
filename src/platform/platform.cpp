#include "platform/Platform.h"

#include <stdexcept>

namespace platform {

namespace {
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

} // namespace platform
