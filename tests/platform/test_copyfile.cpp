#include "patternbytes.h"
#include "platform/paths.h"
#include "platform/posix/copyfile.h"
#include "platform/posix/posixplatform.h"
#include "tempfolder.h"
#include "twodrives.h"

#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <optional>
#include <set>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <tuple>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;
using namespace platform;
using platform::posix::kCopyChunk;

namespace {

using Fixture = TwoDrives;

std::set<std::string> namesIn(const fs::path &folder)
{
    std::set<std::string> names;
    for (const auto &entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

std::optional<std::string> dosAttrib(const fs::path &path)
{
    char value[64];
    const ssize_t length = ::getxattr(path.c_str(), "user.DOSATTRIB", value, sizeof value);
    if (length < 0)
        return std::nullopt;
    return std::string(value, std::size_t(length));
}

// A source with a time in the past, mode 0640 and DOS attributes hidden + archive (where the
// file system keeps user attributes); true when it does.
bool makeSource(const fs::path &path, const std::string &content)
{
    std::ofstream(path, std::ios::binary) << content;
    ::chmod(path.c_str(), 0640);
    const bool attributes = ::setxattr(path.c_str(), "user.DOSATTRIB", "0x22", 4, 0) == 0;
    const timespec times[2] = {{0, UTIME_OMIT}, {978350400, 123456789}};
    ::utimensat(AT_FDCWD, path.c_str(), times, 0);
    return attributes;
}

struct Calls
{
    std::vector<std::pair<std::uint64_t, std::uint64_t>> seen;
    CopyProgressRoutine routine(CopyProgress answer = CopyProgress::Continue)
    {
        return [this, answer](std::uint64_t total, std::uint64_t done) {
            seen.emplace_back(total, done);
            return answer;
        };
    }
};

} // namespace

TEST(CopyFileEx, CopiesContentTimeAttributesAndModeChunkByChunk)
{
    struct Case
    {
        const char *what;
        std::uint64_t size;
        std::optional<std::string> existing; // an old target
        bool failIfExists;
        bool copied;
        std::size_t calls;
    };
    const Case cases[] = {
        {"new target", 3, std::nullopt, false, true, 1},
        {"empty file: one call (0, 0)", 0, std::nullopt, false, true, 1},
        {"exactly two chunks", 2 * kCopyChunk, std::nullopt, false, true, 2},
        {"two and a half chunks", 2 * kCopyChunk + kCopyChunk / 2, std::nullopt, false, true, 3},
        {"new target with fail-if-exists", 5, std::nullopt, true, true, 1},
        {"an old target is replaced", kCopyChunk + 1, std::string("gammel"), false, true, 2},
        {"an old target stays with fail-if-exists", 5, std::string("gammel"), true, false, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        Fixture f;
        const std::string content = pattern(c.size);
        const bool attributes = makeSource(f.c.path() / "kilde.bin", content);
        if (c.existing)
            f.d.write("mål.bin", *c.existing);

        Calls calls;
        setLastError(Win32Error::GenFailure);
        const bool ok =
            f.platform.copyFileEx(u"C:\\kilde.bin", u"D:\\mål.bin", calls.routine(), nullptr, c.failIfExists);
        ASSERT_EQ(ok, c.copied);
        EXPECT_EQ(lastError(), c.copied ? Win32Error::Success : Win32Error::FileExists);
        EXPECT_EQ(namesIn(f.d.path()), std::set<std::string>{"mål.bin"}); // nothing left beside it
        EXPECT_EQ(readFile(f.c.path() / "kilde.bin"), content);
        ASSERT_EQ(calls.seen.size(), c.calls);
        if (!c.copied) {
            EXPECT_EQ(readFile(f.d.path() / "mål.bin"), *c.existing);
            continue;
        }
        EXPECT_TRUE(readFile(f.d.path() / "mål.bin") == content);
        for (std::size_t i = 0; i < calls.seen.size(); ++i) {
            EXPECT_EQ(calls.seen[i].first, c.size);
            EXPECT_EQ(calls.seen[i].second, std::min<std::uint64_t>((i + 1) * kCopyChunk, c.size));
        }
        struct stat made;
        ASSERT_EQ(::stat((f.d.path() / "mål.bin").c_str(), &made), 0);
        EXPECT_EQ(made.st_mtim.tv_sec, 978350400);
        EXPECT_EQ(made.st_mtim.tv_nsec, 123456789);
        EXPECT_EQ(made.st_mode & 07777, 0640u);
        if (attributes) {
            EXPECT_EQ(dosAttrib(f.d.path() / "mål.bin"), std::optional<std::string>("0x22"));
        }
    }
}

TEST(CopyFileEx, RefusesWithWindowsErrorsAndTouchesNothing)
{
    Fixture f;
    f.c.write("a.txt", "A");
    f.c.write("Mappe/x.txt", "x");
    f.d.write("skrivebeskyttet.txt", "gammel");
    f.d.write("skjult.txt", "gammel");
    const bool attributes =
        ::setxattr((f.d.path() / "skrivebeskyttet.txt").c_str(), "user.DOSATTRIB", "0x21", 4, 0) == 0 &&
        ::setxattr((f.d.path() / "skjult.txt").c_str(), "user.DOSATTRIB", "0x22", 4, 0) == 0;
    fs::create_directories(f.d.path() / "Optaget");
    ASSERT_EQ(::mkfifo((f.c.path() / "fifo").c_str(), 0600), 0);
    fs::create_symlink("/dev/null", f.c.path() / "enhed");
    fs::create_symlink(f.c.path() / "mangler", f.c.path() / "brudt");
    struct Case
    {
        std::u16string from, to;
        Win32Error error;
        bool needsAttributes = false;
    };
    const Case cases[] = {
        {u"C:\\væk.txt", u"D:\\a.txt", Win32Error::FileNotFound},
        {u"C:\\brudt", u"D:\\a.txt", Win32Error::FileNotFound},
        {u"C:\\a.txt", u"D:\\Mangler\\a.txt", Win32Error::PathNotFound},
        {u"C:\\a.txt", u"Q:\\a.txt", Win32Error::PathNotFound},
        {u"C:\\a.txt", u"D:\\Optaget", Win32Error::AccessDenied},
        {u"C:\\Mappe", u"D:\\Mappe", Win32Error::AccessDenied},
        {u"C:\\fifo", u"D:\\fifo", Win32Error::NotSupported}, // returns at once: no writer needed
        {u"C:\\enhed", u"D:\\enhed", Win32Error::NotSupported},
        {u"C:\\a.txt", u"C:\\a.txt", Win32Error::SharingViolation},
        {u"C:\\a.txt", u"D:\\skrivebeskyttet.txt", Win32Error::AccessDenied, true},
        {u"C:\\a.txt", u"D:\\skjult.txt", Win32Error::AccessDenied, true},
    };
    const auto beforeC = namesIn(f.c.path());
    const auto beforeD = namesIn(f.d.path());
    for (const auto &c : cases) {
        if (c.needsAttributes && !attributes)
            continue;
        SCOPED_TRACE(toUtf8(c.from) + " -> " + toUtf8(c.to));
        Calls calls;
        EXPECT_FALSE(f.platform.copyFileEx(c.from, c.to, calls.routine(), nullptr, false));
        EXPECT_EQ(lastError(), c.error);
        EXPECT_TRUE(calls.seen.empty());
        EXPECT_EQ(namesIn(f.c.path()), beforeC);
        EXPECT_EQ(namesIn(f.d.path()), beforeD);
    }
    EXPECT_EQ(readFile(f.c.path() / "a.txt"), "A");
    EXPECT_EQ(readFile(f.d.path() / "skjult.txt"), "gammel");
}

TEST(CopyFileEx, ALinkedSourceIsCopiedAsTheFileItNames)
{
    Fixture f;
    f.c.write("rigtig.txt", "indhold");
    fs::create_symlink(f.c.path() / "rigtig.txt", f.c.path() / "link.txt");
    ASSERT_TRUE(f.platform.copyFileEx(u"C:\\link.txt", u"D:\\kopi.txt", {}, nullptr, true));
    EXPECT_FALSE(fs::is_symlink(f.d.path() / "kopi.txt"));
    EXPECT_EQ(readFile(f.d.path() / "kopi.txt"), "indhold");
}

TEST(CopyLink, CopiesTheLinkNotWhatItLeadsTo)
{
    Fixture f;
    f.c.write("Mappe/x.txt", "x");
    fs::create_symlink("Mappe", f.c.path() / "relativ");
    fs::create_symlink(f.c.path() / "Mappe", f.c.path() / "løkke");
    fs::create_symlink("findes/ikke", f.c.path() / "død");
    for (const auto &[from, to, points] : {std::tuple{u"C:\\relativ", u"D:\\relativ", fs::path("Mappe")},
                                           std::tuple{u"C:\\løkke", u"D:\\løkke", f.c.path() / "Mappe"},
                                           std::tuple{u"C:\\død", u"D:\\død", fs::path("findes/ikke")}}) {
        ASSERT_TRUE(f.platform.copyLink(from, to));
        const fs::path made = f.d.path() / fs::path(std::u16string(to).substr(3));
        ASSERT_TRUE(fs::is_symlink(made));
        EXPECT_EQ(fs::read_symlink(made), points);
    }
    EXPECT_FALSE(f.platform.copyLink(u"C:\\død", u"D:\\død"));
    EXPECT_EQ(lastError(), Win32Error::AlreadyExists);
    EXPECT_FALSE(f.platform.copyLink(u"C:\\Mappe\\x.txt", u"D:\\x.txt"));
    EXPECT_EQ(lastError(), Win32Error::NotSupported);
    EXPECT_FALSE(fs::exists(f.d.path() / "x.txt"));
}

// A stop between chunks, by the flag or by the routine's answer, removes what was written and
// leaves an old target as it was.
TEST(CopyFileEx, AStopRemovesThePartialCopyAndKeepsAnOldTarget)
{
    struct Case
    {
        const char *what;
        bool flagBefore;     // the flag is set before the copy starts
        bool flagInRoutine;  // the routine sets the flag, as a stop button pressed meanwhile
        CopyProgress answer; // what the routine answers
        bool oldTarget;
        bool copied;
        std::size_t calls;
    };
    const Case cases[] = {
        {"flag set after the first chunk", false, true, CopyProgress::Continue, false, false, 1},
        {"flag set after the first chunk, old target", false, true, CopyProgress::Continue, true, false, 1},
        {"flag set before the start", true, false, CopyProgress::Continue, true, false, 0},
        {"routine answers cancel", false, false, CopyProgress::Cancel, false, false, 1},
        {"routine answers stop", false, false, CopyProgress::Stop, true, false, 1},
        {"routine answers quiet: no more calls, copy completes", false, false, CopyProgress::Quiet, true,
         true, 1},
    };
    const std::string content = pattern(3 * kCopyChunk);
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        Fixture f;
        f.c.write("stor.bin", content);
        if (c.oldTarget)
            f.d.write("stor.bin", "gammel");
        std::atomic<bool> cancel = c.flagBefore;
        std::size_t calls = 0;
        const bool ok = f.platform.copyFileEx(
            u"C:\\stor.bin", u"D:\\stor.bin",
            [&](std::uint64_t, std::uint64_t) {
                ++calls;
                if (c.flagInRoutine)
                    cancel = true;
                return c.answer;
            },
            &cancel, false);
        ASSERT_EQ(ok, c.copied);
        EXPECT_EQ(calls, c.calls);
        EXPECT_EQ(readFile(f.c.path() / "stor.bin").size(), content.size());
        if (c.copied) {
            EXPECT_EQ(lastError(), Win32Error::Success);
            EXPECT_TRUE(readFile(f.d.path() / "stor.bin") == content);
        } else {
            EXPECT_EQ(lastError(), Win32Error::RequestAborted);
            if (c.oldTarget) {
                EXPECT_EQ(readFile(f.d.path() / "stor.bin"), "gammel");
            }
        }
        EXPECT_EQ(namesIn(f.d.path()).size(), c.copied || c.oldTarget ? 1u : 0u);
    }
}

// A sparse file is copied with its holes: only the data extents are written, the copy's length
// is the file's, and the routine sees the whole size go by.
TEST(CopyFileEx, ASparseFileKeepsItsHoles)
{
    constexpr std::uint64_t kSize = std::uint64_t(64) << 20, kBlock = 64 << 10;
    struct Case
    {
        const char *what;
        std::vector<std::uint64_t> data; // where blocks of data lie
    };
    const Case cases[] = {
        {"data between holes and a hole at the end", {0, 10 << 20, 40 << 20}},
        {"a hole at the start and data at the end", {kSize - kBlock}},
        {"a chunk of data across a chunk boundary", {kCopyChunk - kBlock / 2, 30 << 20}},
        {"nothing but a hole", {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        Fixture f;
        const fs::path source = f.c.path() / "tynd.bin";
        const int fd = ::open(source.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        ASSERT_GE(fd, 0);
        const std::string block = pattern(kBlock);
        for (const auto offset : c.data)
            ASSERT_EQ(::pwrite(fd, block.data(), block.size(), off_t(offset)), ssize_t(block.size()));
        ASSERT_EQ(::ftruncate(fd, off_t(kSize)), 0);
        ::close(fd);
        struct stat made;
        ASSERT_EQ(::stat(source.c_str(), &made), 0);
        if (std::uint64_t(made.st_blocks) * 512 >= kSize / 2)
            GTEST_SKIP() << "the temporary folder's file system keeps no holes";

        Calls calls;
        ASSERT_TRUE(f.platform.copyFileEx(u"C:\\tynd.bin", u"D:\\tynd.bin", calls.routine(), nullptr, true));
        struct stat copy;
        ASSERT_EQ(::stat((f.d.path() / "tynd.bin").c_str(), &copy), 0);
        EXPECT_EQ(std::uint64_t(copy.st_size), kSize);
        EXPECT_LE(std::uint64_t(copy.st_blocks) * 512, c.data.size() * kBlock + (1 << 20));
        EXPECT_TRUE(readFile(f.d.path() / "tynd.bin") == readFile(source));
        ASSERT_FALSE(calls.seen.empty());
        EXPECT_EQ(calls.seen.back(), std::make_pair(kSize, kSize));
        for (std::size_t i = 0; i < calls.seen.size(); ++i) {
            EXPECT_EQ(calls.seen[i].first, kSize);
            if (i > 0) {
                EXPECT_GT(calls.seen[i].second, calls.seen[i - 1].second);
            }
        }
    }
}

namespace {

// A child process copying C:\stor.bin to `to`, held in its progress routine after the first
// chunk: the copy is under way and its temporary file written in part once started() is true.
// Killed with SIGKILL at kill() or at the end.
class CopyHeldMidway
{
public:
    CopyHeldMidway(TwoDrives &f, const std::u16string &to)
    {
        std::fflush(nullptr); // the child must not write the test's pending output again
        int pipeFds[2];
        if (::pipe(pipeFds) != 0)
            return;
        m_child = ::fork();
        if (m_child == 0) {
            ::close(pipeFds[0]);
            f.platform.copyFileEx(
                u"C:\\stor.bin", to,
                [&](std::uint64_t, std::uint64_t) {
                    const char under = 1;
                    if (::write(pipeFds[1], &under, 1) == 1)
                        for (;;)
                            ::pause();
                    return CopyProgress::Cancel;
                },
                nullptr, false);
            ::_exit(1);
        }
        ::close(pipeFds[1]);
        char under = 0;
        m_started = m_child > 0 && ::read(pipeFds[0], &under, 1) == 1;
        ::close(pipeFds[0]);
    }
    ~CopyHeldMidway() { kill(); }
    bool started() const { return m_started; }
    void kill()
    {
        if (m_child <= 0)
            return;
        ::kill(m_child, SIGKILL);
        int status = 0;
        ::waitpid(m_child, &status, 0);
        m_child = -1;
    }

private:
    pid_t m_child = -1;
    bool m_started = false;
};

std::set<std::string> temporaryNamesIn(const fs::path &folder)
{
    std::set<std::string> names;
    for (const auto &name : namesIn(folder))
        if (name.starts_with(".zunkopi-"))
            names.insert(name);
    return names;
}

} // namespace

// A copy killed midway (kill -9, a power cut) leaves nothing under the target's name, only its
// temporary file; the next copy into that folder removes it, but never the temporary file of a
// copy still running.
TEST(CopyFileEx, AKilledCopyLeavesNoTargetAndItsTemporaryFileGoesWithTheNextCopy)
{
    Fixture f;
    f.c.write("stor.bin", pattern(3 * kCopyChunk));
    f.c.write("lille.txt", "lille");

    CopyHeldMidway running(f, u"D:\\anden.bin");
    ASSERT_TRUE(running.started());
    const auto held = temporaryNamesIn(f.d.path());
    ASSERT_EQ(held.size(), 1u);

    CopyHeldMidway killed(f, u"D:\\stor.bin");
    ASSERT_TRUE(killed.started());
    killed.kill();
    const auto names = namesIn(f.d.path());
    ASSERT_EQ(names.size(), 2u); // nothing under the target's name
    ASSERT_EQ(temporaryNamesIn(f.d.path()), names);
    auto orphans = names;
    orphans.erase(*held.begin());
    ASSERT_EQ(orphans.size(), 1u);
    EXPECT_GE(fs::file_size(f.d.path() / *orphans.begin()), kCopyChunk);

    ASSERT_TRUE(f.platform.copyFileEx(u"C:\\lille.txt", u"D:\\lille.txt", {}, nullptr, true));
    EXPECT_EQ(namesIn(f.d.path()), (std::set<std::string>{"lille.txt", *held.begin()}));
    EXPECT_EQ(readFile(f.d.path() / "lille.txt"), "lille");
}

// A file system that fills up: a file-size limit in a child process makes every write past
// 64 KiB fail as a full disk would. Neither a new nor an old target may be left half written.
TEST(CopyFileEx, AFullDiskFailsWithDiskFullAndLeavesNoHalfFile)
{
    for (const bool oldTarget : {false, true}) {
        SCOPED_TRACE(oldTarget ? "old target" : "new target");
        Fixture f;
        f.c.write("stor.bin", pattern(1 << 20));
        if (oldTarget)
            f.d.write("stor.bin", "gammel");
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{64 << 10, 64 << 10};
            ::setrlimit(RLIMIT_FSIZE, &limit);
            const bool ok = f.platform.copyFileEx(u"C:\\stor.bin", u"D:\\stor.bin", {}, nullptr, false);
            ::_exit(ok ? 255 : int(lastError()) & 0xFF);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), int(Win32Error::DiskFull));
        if (oldTarget) {
            EXPECT_EQ(readFile(f.d.path() / "stor.bin"), "gammel");
            EXPECT_EQ(namesIn(f.d.path()).size(), 1u);
        } else {
            EXPECT_TRUE(namesIn(f.d.path()).empty());
        }
    }
}

TEST(MoveFile, AFolderStaysOnItsDriveAndErrorsAreWindowsOnes)
{
    Fixture f;
    f.c.write("Mappe/x.txt", "x");
    f.c.write("a.txt", "A");
    f.d.write("a.txt", "D");
    // C: and D: share one host file system here; Windows still refuses the folder.
    EXPECT_FALSE(f.platform.moveFile(u"C:\\Mappe", u"D:\\Mappe"));
    EXPECT_EQ(lastError(), Win32Error::NotSameDevice);
    EXPECT_EQ(readFile(f.c.path() / "Mappe/x.txt"), "x");
    EXPECT_FALSE(fs::exists(f.d.path() / "Mappe"));

    EXPECT_FALSE(f.platform.moveFile(u"C:\\a.txt", u"D:\\a.txt"));
    EXPECT_EQ(lastError(), Win32Error::AlreadyExists);
    EXPECT_FALSE(f.platform.moveFile(u"C:\\væk.txt", u"D:\\b.txt"));
    EXPECT_EQ(lastError(), Win32Error::FileNotFound);
    EXPECT_TRUE(f.platform.moveFile(u"C:\\a.txt", u"D:\\b.txt"));
    EXPECT_EQ(lastError(), Win32Error::Success);
}

// Only where the test can reach a second host file system (/dev/shm is usually one).
TEST(MoveFile, AFileToAnotherFileSystemKeepsTimeAndAttributesAndALinkStaysALink)
{
    struct stat shm, tmp;
    if (::stat("/dev/shm", &shm) != 0 || ::stat(fs::temp_directory_path().c_str(), &tmp) != 0 ||
        shm.st_dev == tmp.st_dev || ::access("/dev/shm", W_OK) != 0)
        GTEST_SKIP() << "no second file system to move to";
    Fixture f("/dev/shm");
    ASSERT_FALSE(f.d.path().empty());
    const bool attributes = makeSource(f.c.path() / "a.bin", pattern(kCopyChunk + 3));
    fs::create_symlink("et/andet/sted", f.c.path() / "link");
    f.c.write("Mappe/x.txt", "x");

    ASSERT_TRUE(f.platform.moveFile(u"C:\\a.bin", u"D:\\a.bin"));
    EXPECT_FALSE(fs::exists(f.c.path() / "a.bin"));
    EXPECT_TRUE(readFile(f.d.path() / "a.bin") == pattern(kCopyChunk + 3));
    struct stat moved;
    ASSERT_EQ(::stat((f.d.path() / "a.bin").c_str(), &moved), 0);
    EXPECT_EQ(moved.st_mtim.tv_sec, 978350400);
    EXPECT_EQ(moved.st_mode & 07777, 0640u);
    if (attributes && dosAttrib(f.d.path() / "a.bin")) { // tmpfs keeps user attributes since Linux 6.6
        EXPECT_EQ(dosAttrib(f.d.path() / "a.bin"), std::optional<std::string>("0x22"));
    }

    ASSERT_TRUE(f.platform.moveFile(u"C:\\link", u"D:\\link"));
    EXPECT_FALSE(fs::is_symlink(f.c.path() / "link"));
    ASSERT_TRUE(fs::is_symlink(f.d.path() / "link"));
    EXPECT_EQ(fs::read_symlink(f.d.path() / "link"), "et/andet/sted");

    f.c.write("b.bin", "B");
    f.d.write("b.bin", "gammel");
    EXPECT_FALSE(f.platform.moveFile(u"C:\\b.bin", u"D:\\b.bin"));
    EXPECT_EQ(lastError(), Win32Error::AlreadyExists);
    EXPECT_EQ(readFile(f.c.path() / "b.bin"), "B");
    EXPECT_EQ(readFile(f.d.path() / "b.bin"), "gammel");
}

TEST(DiskFreeSpace, ReportsTheVolumeOfAnyFolderOnADrive)
{
    Fixture f;
    f.c.write("Mappe/x.txt", "x");
    DiskSpace root, folder;
    ASSERT_TRUE(f.platform.diskFreeSpace(u"C:\\", root));
    ASSERT_TRUE(f.platform.diskFreeSpace(u"C:\\Mappe", folder));
    EXPECT_GT(root.total, 0u);
    EXPECT_LE(root.freeToCaller, root.totalFree);
    EXPECT_LE(root.totalFree, root.total);
    EXPECT_EQ(folder.total, root.total);
    DiskSpace none;
    EXPECT_FALSE(f.platform.diskFreeSpace(u"Q:\\", none));
    EXPECT_FALSE(f.platform.diskFreeSpace(u"C:\\Mappe\\x.txt", none));
    EXPECT_FALSE(f.platform.diskFreeSpace(u"C:\\Væk", none));
}
