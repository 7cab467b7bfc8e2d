#pragma once
// The host's back end and a temporary folder addressed by program paths, for the tests that state
// Windows behaviour and so run against both back ends. Linux: the posix back end with the folder
// as drive C:. Windows: the Windows back end over a folder below the temporary folder, whose
// program path is its host path.

#include "platform/Platform.h"
#ifdef _WIN32
#include "platform/win32/win32platform.h"
#else
#include "platform/posix/posixplatform.h"
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>
#include <string>
#include <system_error>

// Whether the Windows tests run under Wine, which leaves some services out (each test that
// skips says which and why).
// makeLink: a symbolic link to `target` (as written: a relative target stays relative); false
// with the reason where none can be made.
#ifdef _WIN32
bool runningUnderWine();
bool makeLink(const std::filesystem::path &target, const std::filesystem::path &link, bool folder,
              std::string &why);
#else
inline bool runningUnderWine()
{
    return false;
}
inline bool makeLink(const std::filesystem::path &target, const std::filesystem::path &link, bool folder,
                     std::string &why)
{
    std::error_code error;
    if (folder)
        std::filesystem::create_directory_symlink(target, link, error);
    else
        std::filesystem::create_symlink(target, link, error);
    why = error.message();
    return !error;
}
#endif

// Holds `file` as a running copy holds its temporary file (Linux: an exclusive flock; Windows:
// open without sharing delete) until it goes.
class HeldFile
{
public:
    explicit HeldFile(const std::filesystem::path &file);
    ~HeldFile();
    HeldFile(const HeldFile &) = delete;
    HeldFile &operator=(const HeldFile &) = delete;
    bool held() const { return m_held; }

private:
    std::intptr_t m_handle = -1;
    bool m_held = false;
};

#ifndef _WIN32
inline HeldFile::HeldFile(const std::filesystem::path &file)
    : m_handle(::open(file.c_str(), O_RDONLY | O_CLOEXEC))
    , m_held(m_handle >= 0 && ::flock(int(m_handle), LOCK_EX) == 0)
{}
inline HeldFile::~HeldFile()
{
    if (m_handle >= 0)
        ::close(int(m_handle));
}
#endif

class TestDrive
{
public:
    TestDrive()
    {
        namespace fs = std::filesystem;
        std::random_device random;
        for (int attempt = 0; attempt < 100 && m_host.empty(); ++attempt) {
            const auto candidate = fs::temp_directory_path() / ("zunplatform-" + std::to_string(random()));
            std::error_code error;
            if (fs::create_directory(candidate, error))
                m_host = candidate;
        }
#ifdef _WIN32
        m_root = m_host.u16string();
        m_platform = std::make_unique<platform::win32::Win32Platform>();
#else
        m_root = u"C:";
        platform::posix::DriveTable table;
        table.add({u'C', m_host.string(), platform::DriveType::Fixed, u""});
        m_platform = std::make_unique<platform::posix::PosixPlatform>(std::move(table));
#endif
    }
    ~TestDrive()
    {
        namespace fs = std::filesystem;
        if (m_host.empty())
            return;
        std::error_code error;
        // A read-only file would stop the removal on Windows.
        for (auto it = fs::recursive_directory_iterator(m_host, error); !error && it != fs::end(it);
             it.increment(error))
            if (!it->is_symlink())
                fs::permissions(it->path(), fs::perms::owner_write, fs::perm_options::add, error);
        fs::remove_all(m_host, error);
    }
    TestDrive(const TestDrive &) = delete;
    TestDrive &operator=(const TestDrive &) = delete;

    bool ready() const
    {
        return !m_host.empty();
    }
    platform::Platform &platform()
    {
        return *m_platform;
    }

    // The program path of `relative` (backslashes) inside the folder.
    platform::Path path(const std::u16string &relative) const
    {
        return m_root + u"\\" + relative;
    }
    std::filesystem::path host(std::u16string relative) const
    {
#ifndef _WIN32
        for (auto &c : relative)
            if (c == u'\\')
                c = u'/';
#endif
        return m_host / std::filesystem::path(relative);
    }

    void write(const std::u16string &relative, const std::string &content) const
    {
        const auto file = host(relative);
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << content;
    }
    std::string read(const std::u16string &relative) const
    {
        std::ifstream in(host(relative), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

private:
    std::filesystem::path m_host;
    platform::Path m_root;
    std::unique_ptr<platform::Platform> m_platform;
};
