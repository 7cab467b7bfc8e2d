// What the properties window asks of the platform: times, attributes set and read back, and
// the file system a drive lies on.

#include "platform/posix/posixplatform.h"
#include "tempfolder.h"
#include "twodrives.h"

#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace platform;
using platform::posix::PosixPlatform;

namespace {

using Fixture = TwoDrives;

std::string dosAttrib(const fs::path &path)
{
    char value[64];
    const ssize_t length = ::getxattr(path.c_str(), "user.DOSATTRIB", value, sizeof value);
    return length < 0 ? std::string("(none)") : std::string(value, std::size_t(length));
}

bool keepsUserAttributes(const fs::path &path)
{
    return ::setxattr(path.c_str(), "user.zunprobe", "1", 1, 0) == 0 &&
           ::removexattr(path.c_str(), "user.zunprobe") == 0;
}

mode_t modeOf(const fs::path &path)
{
    struct stat info;
    return ::stat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}

void setTimes(const fs::path &path, std::int64_t access, std::int64_t write, int flags = 0)
{
    const timespec times[2] = {{access, 0}, {write, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, flags), 0);
}

// Both ways the program reads attributes: the listing of the folder and the entry alone.
std::uint32_t listedAttributes(const PosixPlatform &platform, const std::u16string &folder,
                               const std::u16string &name)
{
    std::vector<FindData> entries;
    EXPECT_TRUE(platform.findFiles(folder, entries, FindDetail::NoSizes));
    std::uint32_t listed = 0xFFFFFFFF;
    for (const auto &entry : entries) {
        if (entry.name == name)
            listed = entry.attributes;
    }
    FindData single;
    EXPECT_TRUE(platform.fileAttributes(folder + u"\\" + name, single));
    EXPECT_EQ(single.attributes, listed);
    return listed;
}

} // namespace

TEST(FileTimes, WriteAccessAndCreationOfFilesFoldersAndLinks)
{
    Fixture f;
    const auto before =
        std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch())
            .count();
    f.c.write("Data/brev.txt", "hej");
    fs::create_directories(f.c.path() / "Data/Under");
    fs::create_symlink(f.c.path() / "Data/brev.txt", f.c.path() / "Data/link");
    fs::create_symlink(f.c.path() / "Data/mangler", f.c.path() / "Data/brudt");
    setTimes(f.c.path() / "Data/brev.txt", 1000000000, 1100000000);
    setTimes(f.c.path() / "Data/Under", 1200000000, 1300000000);
    setTimes(f.c.path() / "Data/brudt", 1400000000, 1500000000, AT_SYMLINK_NOFOLLOW);

    struct Case
    {
        const char16_t *path;
        std::int64_t access, write;
    } const cases[] = {
        {u"C:\\Data\\brev.txt", 1000000000, 1100000000},
        {u"c:\\data\\UNDER", 1200000000, 1300000000},
        {u"C:\\Data\\link", 1000000000, 1100000000}, // a link stands for its target
        {u"C:\\Data\\brudt", -1,
         1500000000}, // a broken link for itself (reading it may touch its access time)
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.path, c.path + std::char_traits<char16_t>::length(c.path)));
        FileTimes times;
        ASSERT_TRUE(f.platform.fileTimes(c.path, times));
        if (c.access >= 0) {
            EXPECT_EQ(times.lastAccess, c.access);
        }
        EXPECT_EQ(times.lastWrite, c.write);
        // Made during the test (the birth time, or the status change the time setting made),
        // whatever times were set afterwards.
        EXPECT_GE(times.creation, before);
        EXPECT_LE(times.creation, before + 60);
    }
    FileTimes times;
    EXPECT_FALSE(f.platform.fileTimes(u"C:\\Data\\væk.txt", times));
    EXPECT_EQ(lastError(), Win32Error::FileNotFound);
    EXPECT_FALSE(f.platform.fileTimes(u"Q:\\x", times));
    EXPECT_EQ(lastError(), Win32Error::PathNotFound);
}

TEST(SetFileAttributes, WhatIsSetIsWhatTheListingReports)
{
    Fixture f;
    if (!keepsUserAttributes(f.c.path()))
        GTEST_SKIP() << "the temporary folder keeps no user attributes";
    constexpr auto R = FILE_ATTRIBUTE_READONLY, H = FILE_ATTRIBUTE_HIDDEN, S = FILE_ATTRIBUTE_SYSTEM,
                   A = FILE_ATTRIBUTE_ARCHIVE, D = FILE_ATTRIBUTE_DIRECTORY;
    struct Case
    {
        const char *name;
        bool folder;
        const char *oldDos; // nullptr: none
        mode_t oldMode;
        std::uint32_t set;
        std::uint32_t listed;
        const char *newDos;
        mode_t newMode;
    } const cases[] = {
        {"hidden", false, nullptr, 0644, A | H, A | H, "0x22", 0644},
        {"read-only takes every write bit", false, nullptr, 0664, A | R, A | R, "0x21", 0444},
        {"both", false, nullptr, 0644, A | R | H, A | R | H, "0x23", 0444},
        {"read-only cleared gives the owner's write bit back", false, "0x21", 0444, A, A, "0x20", 0644},
        {"hidden cleared, read-only kept", false, "0x23", 0444, A | R, A | R, "0x21", 0444},
        {"bits the program does not set survive", false, "0x124", 0600, A | S | H, A | S | H, "0x126", 0600},
        {"nothing to change writes nothing", false, nullptr, 0640, A, A, "(none)", 0640},
        {"a folder keeps its write bits", true, nullptr, 0755, D | R | H, D | R | H, "0x3", 0755},
        {"the attribute's other text form", false, "0X2", 0644, A, A, "0x20", 0644},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path host = f.c.path() / "Data" / c.name;
        if (c.folder)
            fs::create_directories(host);
        else
            f.c.write(std::string("Data/") + c.name, "x");
        if (c.oldDos) {
            ASSERT_EQ(::setxattr(host.c_str(), "user.DOSATTRIB", c.oldDos, std::strlen(c.oldDos), 0), 0);
        }
        ASSERT_EQ(::chmod(host.c_str(), c.oldMode), 0);
        const std::u16string name(c.name, c.name + std::strlen(c.name));

        ASSERT_TRUE(f.platform.setFileAttributes(u"C:\\Data\\" + name, c.set));
        EXPECT_EQ(lastError(), Win32Error::Success);
        EXPECT_EQ(listedAttributes(f.platform, u"C:\\Data", name), c.listed);
        EXPECT_EQ(dosAttrib(host), c.newDos);
        EXPECT_EQ(modeOf(host), c.newMode);
    }
}

TEST(SetFileAttributes, FailsWithWindowsErrors)
{
    Fixture f;
    EXPECT_FALSE(f.platform.setFileAttributes(u"C:\\væk.txt", FILE_ATTRIBUTE_HIDDEN));
    EXPECT_EQ(lastError(), Win32Error::FileNotFound);
    EXPECT_FALSE(f.platform.setFileAttributes(u"C:\\væk\\a.txt", FILE_ATTRIBUTE_HIDDEN));
    EXPECT_EQ(lastError(), Win32Error::FileNotFound);
    EXPECT_FALSE(f.platform.setFileAttributes(u"Q:\\a.txt", FILE_ATTRIBUTE_HIDDEN));
    EXPECT_EQ(lastError(), Win32Error::PathNotFound);
}

// Root may change anything, so the refusal a user meets is tried by a child that gives up root.
TEST(SetFileAttributes, AFileOfAnotherUserIsRefusedAndStaysAsItWas)
{
    if (::getuid() != 0)
        GTEST_SKIP() << "needs root to act as another user";
    Fixture f;
    ASSERT_EQ(::chmod(f.c.path().c_str(), 0755), 0);
    f.c.write("andens.txt", "x");
    const fs::path host = f.c.path() / "andens.txt";
    ASSERT_EQ(::chmod(host.c_str(), 0644), 0);
    const bool attributes = keepsUserAttributes(f.c.path());
    for (const std::uint32_t set : {FILE_ATTRIBUTE_READONLY, FILE_ATTRIBUTE_HIDDEN}) {
        SCOPED_TRACE(set);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            if (::setgid(65534) != 0 || ::setuid(65534) != 0)
                ::_exit(100);
            const bool done = f.platform.setFileAttributes(u"C:\\andens.txt", set);
            ::_exit(done ? 101 : int(lastError()));
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), int(Win32Error::AccessDenied));
        EXPECT_EQ(modeOf(host), mode_t(0644));
        if (attributes) {
            EXPECT_EQ(dosAttrib(host), "(none)");
        }
    }
}

TEST(FileSystemName, TheMountHoldingTheDrivesFolder)
{
    Fixture f;
    const std::string c = fs::canonical(f.c.path()).string();
    // A mount point that is only the start of the folder's name does not hold it.
    const std::string almost = c.substr(0, c.size() - 1);
    TempFolder table;
    table.write("mountinfo", "22 1 8:1 / / rw,relatime shared:1 - ext4 /dev/vda rw\n"
                             "40 22 0:40 / " +
                                 almost +
                                 " rw - vfat /dev/sdb1 rw\n"
                                 "41 22 0:41 / " +
                                 c + " rw - btrfs /dev/sdc1 rw\n" + "42 41 0:42 / " + c +
                                 " rw shared:7 - xfs /dev/sdd1 rw\n");
    f.platform.setMountInfo((table.path() / "mountinfo").string());
    fs::create_directories(f.c.path() / "Under");
    f.platform.driveTable().add({u'E', (f.c.path() / "Under").string(), DriveType::Fixed, u""});
    fs::create_directory_symlink(f.c.path(), f.d.path() / "til-c");
    f.platform.driveTable().add({u'F', (f.d.path() / "til-c").string(), DriveType::Fixed, u""});

    struct Case
    {
        const char16_t *root;
        const char16_t *expected; // nullptr: unknown
    } const cases[] = {
        {u"C:\\", u"xfs"}, // the last mount on a point covers the ones before
        {u"c:", u"xfs"},    {u"D:\\", u"ext4"},      {u"E:\\", u"xfs"}, // a folder below a mount point
        {u"F:\\", u"xfs"},                           // a drive folder reached through a link
        {u"Q:\\", nullptr}, {u"C:\\Under", nullptr}, // not a root
    };
    for (const auto &test : cases) {
        std::u16string name = u"uændret";
        const bool known = f.platform.fileSystemName(test.root, name);
        EXPECT_EQ(known, test.expected != nullptr);
        EXPECT_EQ(name, test.expected ? test.expected : u"uændret");
    }
    f.platform.setMountInfo("/nonexistent/mountinfo");
    std::u16string name;
    EXPECT_FALSE(f.platform.fileSystemName(u"C:\\", name));
}
