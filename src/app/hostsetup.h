#pragma once
// Installs the platform back end of the host the program runs on.

namespace app {

// The installed data/Program folder is looked for beside the executable
// ("../share/zunkolvra/Program"), else the source tree's is used (a build run in place).
void installHostPlatform();

// The freedesktop icon theme (Breeze unless the desktop names one), found in the XDG data
// folders also where the platform plugin does not look (offscreen).
void installIconTheme();

} // namespace app
