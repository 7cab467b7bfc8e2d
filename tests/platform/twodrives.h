#pragma once
// The back end over a drive table of the test's own: C: and D: as two temporary folders (D: below
// another base folder when a test needs another file system), and reading a file whole.

#include "platform/posix/posixplatform.h"
#include "tempfolder.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

struct TwoDrives
{
    explicit TwoDrives(const std::filesystem::path &dBase = std::filesystem::temp_directory_path())
        : d(dBase)
    {}
    TempFolder c, d;
    platform::posix::PosixPlatform platform{[this] {
        platform::posix::DriveTable table;
        table.add({u'C', c.str(), platform::DriveType::Fixed, u""});
        table.add({u'D', d.str(), platform::DriveType::Fixed, u""});
        return table;
    }()};
};

inline std::string readFile(const std::filesystem::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}
