// The services as Windows behaves, run against the host's back end: the posix one on Linux, the
// Windows one in the MinGW build (under Wine here). What Wine leaves out is skipped there, with
// the reason.

#include "patternbytes.h"
#include "testdrive.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace fs = std::filesystem;
using namespace platform;

namespace {

std::set<std::u16string> namesIn(const fs::path &folder)
{
    std::set<std::u16string> names;
    for (const auto &entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().u16string());
    return names;
}

std::map<std::u16string, FindData> listing(Platform &platform, const Path &folder,
                                           FindDetail detail = FindDetail::All)
{
    std::vector<FindData> entries;
    EXPECT_TRUE(platform.findFiles(folder, entries, detail));
    std::map<std::u16string, FindData> byName;
    for (const auto &entry : entries)
        byName[entry.name] = entry;
    return byName;
}

// Two days back, so a copy that takes the current time instead shows.
void ageFile(const fs::path &file)
{
    fs::last_write_time(file, fs::last_write_time(file) - std::chrono::hours(48));
}

constexpr std::uint32_t kDosAttributes =
    FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;

// Whether the drive's file system keeps hidden and system (Linux: user attributes).
bool keepsDosAttributes(TestDrive &drive)
{
    drive.write(u"probe", "x");
    const bool kept = drive.platform().setFileAttributes(drive.path(u"probe"), FILE_ATTRIBUTE_HIDDEN);
    fs::remove(drive.host(u"probe"));
    return kept;
}

} // namespace

TEST(Services, ExistenceTellsFilesFromFoldersWithoutLetterCase)
{
    TestDrive d;
    ASSERT_TRUE(d.ready());
    auto &p = d.platform();
    d.write(u"Data\\brev.txt", "hej");
    EXPECT_TRUE(p.fileExists(d.path(u"Data\\brev.txt")));
    EXPECT_TRUE(p.fileExists(d.path(u"data\\BREV.TXT")));
    EXPECT_FALSE(p.fileExists(d.path(u"Data")));
    EXPECT_TRUE(p.directoryExists(d.path(u"Data")));
    EXPECT_FALSE(p.directoryExists(d.path(u"Data\\brev.txt")));
    EXPECT_FALSE(p.directoryExists(d.path(u"Mangler")));
    EXPECT_FALSE(p.fileExists(d.path(u"Mangler")));
    EXPECT_FALSE(p.directoryExists(u""));
}

TEST(Services, ForceDirectoriesMakesEveryMissingParent)
{
    TestDrive d;
    ASSERT_TRUE(d.ready());
    auto &p = d.platform();
    EXPECT_TRUE(p.forceDirectories(d.path(u"a\\b\\Ærø")));
    EXPECT_TRUE(fs::is_directory(d.host(u"a\\b\\Ærø")));
    EXPECT_TRUE(p.forceDirectories(d.path(u"a\\b\\Ærø"))); // already there
    d.write(u"fil", "x");
    EXPECT_FALSE(p.forceDirectories(d.path(u"fil\\under")));
}

TEST(Services, CopyFolderCopiesEverythingBelowKeepingTimesAttributesAndLinks)
{
    TestDrive d;
    ASSERT_TRUE(d.ready());
    auto &p = d.platform();
    const bool dosAttributes = keepsDosAttributes(d);
    d.write(u"Skabelon\\a.txt", "A");
    d.write(u"Skabelon\\Under\\Dybere\\c.txt", "C");
    d.write(u"Udenfor\\stor.bin", "ikke kopieret");
    fs::create_directories(d.host(u"Skabelon\\Tom"));
    ageFile(d.host(u"Skabelon\\a.txt"));
    if (dosAttributes) {
        ASSERT_TRUE(p.setFileAttributes(d.path(u"Skabelon\\Tom"), FILE_ATTRIBUTE_HIDDEN));
    }
    // Links below the folder: to a file, to a folder outside, and one that leads back up.
    std::string why;
    const bool links = makeLink(fs::path(u"a.txt"), d.host(u"Skabelon\\genvej.txt"), false, why) &&
                       makeLink(d.host(u"Udenfor"), d.host(u"Skabelon\\Ud"), true, why) &&
                       makeLink(d.host(u"Skabelon"), d.host(u"Skabelon\\Under\\Igen"), true, why);
    // Set through the platform: Wine lets std::filesystem set no folder's time.
    ASSERT_TRUE(p.setLastWriteTime(d.path(u"Skabelon\\Under"), 1600000000));

    ASSERT_TRUE(p.copyFolder(d.path(u"Skabelon"), d.path(u"Kopi\\Ny")));
    EXPECT_EQ(d.read(u"Kopi\\Ny\\a.txt"), "A");
    EXPECT_EQ(d.read(u"Kopi\\Ny\\Under\\Dybere\\c.txt"), "C");
    EXPECT_TRUE(fs::is_directory(d.host(u"Kopi\\Ny\\Tom")));
    auto source = listing(p, d.path(u"Skabelon"));
    auto copy = listing(p, d.path(u"Kopi\\Ny"));
    EXPECT_EQ(copy[u"a.txt"].lastWriteTime, source[u"a.txt"].lastWriteTime);
    EXPECT_EQ(copy[u"Under"].lastWriteTime, source[u"Under"].lastWriteTime);
    if (dosAttributes) {
        EXPECT_EQ(copy[u"Tom"].attributes & kDosAttributes, FILE_ATTRIBUTE_HIDDEN);
    }
    if (links) {
        // Copied as links, never followed: nothing of the folder outside, no endless tree.
        EXPECT_TRUE(copy[u"genvej.txt"].attributes & FILE_ATTRIBUTE_REPARSE_POINT);
        EXPECT_TRUE(copy[u"Ud"].attributes & FILE_ATTRIBUTE_REPARSE_POINT);
        EXPECT_TRUE(listing(p, d.path(u"Kopi\\Ny\\Under"))[u"Igen"].attributes &
                    FILE_ATTRIBUTE_REPARSE_POINT);
        EXPECT_EQ(d.read(u"Kopi\\Ny\\genvej.txt"), "A"); // relative, so it leads into the copy
    }
    EXPECT_FALSE(p.copyFolder(d.path(u"Mangler"), d.path(u"X")));
    EXPECT_FALSE(fs::exists(d.host(u"X")));
    if (!links)
        GTEST_SKIP() << "no links here, so none was copied: " << why;
}

TEST(Services, DeleteFileRemovesFilesOnlyAndSaysWhy)
{
    TestDrive d;
    ASSERT_TRUE(d.ready());
    auto &p = d.platform();
    d.write(u"Data\\a.txt", "x");
    EXPECT_TRUE(p.deleteFile(d.path(u"data\\A.TXT")));
    EXPECT_FALSE(fs::exists(d.host(u"Data\\a.txt")));
    EXPECT_FALSE(p.deleteFile(d.path(u"Data\\a.txt")));
    EXPECT_EQ(lastError(), Win32Error::FileNotFound);
    EXPECT_FALSE(p.deleteFile(d.path(u"Data")));
    EXPECT_EQ(lastError(), Win32Error::AccessDenied);
    EXPECT_TRUE(fs::is_directory(d.host(u"Data")));
}

TEST(Services, ReplaceFileRenamesOverAFileOnly)
{
    TestDrive d;
    ASSERT_TRUE(d.ready());
    auto &p = d.platform();
    d.write(u"Data\\struktur.txt.ny", "ny");
    d.write(u"Data\\struktur.txt", "gammel");
    EXPECT_TRUE(p.replaceFile(d.path(u"Data\\struktur.txt.ny"), d.path(u"Data\\struktur.txt")));
    EXPECT_FALSE(fs::exists(d.host(u"Data\\struktur.txt.ny")));
    EXPECT_EQ(d.read(u"Data\\struktur.txt"), "ny");
    // No target yet: a plain rename.
    d.write(u"Data\\data.txt.ny", "d");
    EXPECT_TRUE(p.replaceFile(d.path(u"Data\\data.txt.ny"), d.path(u"Data\\data.txt")));
    EXPECT_EQ(d.read(u"Data\\data.txt"), "d");
    // A folder on either side is refused and nothing moves.
    fs::create_directories(d.host(u"Data\\Mappe"));
    EXPECT_FALSE(p.replaceFile(d.path(u"Data\\data.txt"), d.path(u"Data\\Mappe")));
    EXPECT_EQ(lastError(), Win32Error::AccessDenied);
    EXPECT_FALSE(p.replaceFile(d.path(u"Data\\Mappe"), d.path(u"Data\\data.txt")));
    EXPECT_EQ(lastError(), Win32Error::AccessDenied);
    EXPECT_EQ(d.read(u"Data\\data.txt"), "d");
    EXPECT_FALSE(p.replaceFile(d.path(u"Data\\mangler.txt"), d.path(u"Data\\data.txt")));
    EXPECT_EQ(lastError(), Win32Error::FileNotFound);
}

TEST(Services, MoveFileRenamesButNeverReplaces)
{
    TestDrive d;
    ASSERT_TRUE(d.ready());
    auto &p = d.platform();
    d.write(u"a.txt", "A");
    d.write(u"b.txt", "B");
    d.write(u"Mappe\\x.txt", "x");
    EXPECT_FALSE(p.moveFile(d.path(u"a.txt"), d.path(u"b.txt")));
    EXPECT_EQ(lastError(), Win32Error::AlreadyExists);
    EXPECT_EQ(d.read(u"a.txt"), "A");
    EXPECT_EQ(d.read(u"b.txt"), "B");
    EXPECT_TRUE(p.moveFile(d.path(u"a.txt"), d.path(u"Mappe\\ny.txt")));
    EXPECT_EQ(d.read(u"Mappe\\ny.txt"), "A");
    EXPECT_TRUE(p.moveFile(d.path(u"Mappe"), d.path(u"Omdøbt")));
    EXPECT_EQ(d.read(u"Omdøbt\\x.txt"), "x");
    EXPECT_FALSE(p.moveFile(d.path(u"Væk"), d.path(u"Andet")));
    EXPECT_EQ(lastError(), Win32Error::FileNotFound);
}

TEST(Services, DeleteFolderRemovesTheTreeAndLinksAsLinks)
{
    TestDrive d;
    ASSERT_TRUE(d.ready());
    auto &p = d.platform();
    d.write(u"Slet\\a.txt", "A");
    d.write(u"Slet\\Under\\Dybere\\b.txt", "B");
    fs::create_directories(d.host(u"Slet\\Tom"));
    d.write(u"Maal\\behold.txt", "K");
    ASSERT_EQ(p.setFileAttributes(d.path(u"Slet\\a.txt"), FILE_ATTRIBUTE_READONLY), true);
    std::string why;
    const bool links = makeLink(d.host(u"Maal"), d.host(u"Slet\\Under\\genvej"), true, why) &&
                       makeLink(d.host(u"Maal\\behold.txt"), d.host(u"Slet\\fil-genvej"), false, why);
    ASSERT_TRUE(p.deleteFolder(d.path(u"slet")));
    EXPECT_FALSE(fs::exists(d.host(u"Slet")));
    EXPECT_EQ(d.read(u"Maal\\behold.txt"), "K");
    EXPECT_FALSE(p.deleteFolder(d.path(u"Mangler")));
    EXPECT_FALSE(p.deleteFolder(d.path(u"Maal\\behold.txt")));
    EXPECT_EQ(lastError(), Win32Error::PathNotFound);
    EXPECT_EQ(d.read(u"Maal\\behold.txt"), "K");
    if (!links)
        GTEST_SKIP() << "no links here, so none was met: " << why;
    // A link given as the folder goes itself; what it leads to stays.
    ASSERT_TRUE(makeLink(d.host(u"Maal"), d.host(u"Genvej"), true, why)) << why;
    ASSERT_TRUE(p.deleteFolder(d.path(u"Genvej")));
    EXPECT_FALSE(p.directoryExists(d.path(u"Genvej")));
    EXPECT_EQ(d.read(u"Maal\\behold.txt"), "K");
}

TEST(Services, ElementIdentityIsTheFileSystemsNotThePathText)
{
    TestDrive d;
    ASSERT_TRUE(d.ready());
    auto &p = d.platform();
    d.write(u"Dok\\Flyt\\Dyb\\a.txt", "A");
    d.write(u"Andet\\b.txt", "B");
    ElementId flyt, dyb, andet, file, viaCase;
    ASSERT_TRUE(p.elementId(d.path(u"Dok\\Flyt"), flyt));
    ASSERT_TRUE(p.elementId(d.path(u"Dok\\Flyt\\Dyb"), dyb));
    ASSERT_TRUE(p.elementId(d.path(u"Andet"), andet));
    ASSERT_TRUE(p.elementId(d.path(u"Dok\\Flyt\\Dyb\\a.txt"), file));
    ASSERT_TRUE(p.elementId(d.path(u"dok\\FLYT"), viaCase));
    EXPECT_EQ(flyt, viaCase);
    EXPECT_NE(flyt, dyb);
    EXPECT_NE(flyt, andet);
    EXPECT_NE(dyb, file);
    EXPECT_FALSE(p.elementId(d.path(u"Mangler"), file));

    const auto contains = [](const std::vector<ElementId> &chain, const ElementId &id) {
        return std::find(chain.begin(), chain.end(), id) != chain.end();
    };
    const auto ancestry = p.folderAncestry(d.path(u"Dok\\Flyt\\Dyb"));
    ASSERT_GE(ancestry.size(), 3u);
    EXPECT_EQ(ancestry[0], dyb);
    EXPECT_EQ(ancestry[1], flyt);
    EXPECT_FALSE(contains(ancestry, andet));
    EXPECT_TRUE(p.folderAncestry(d.path(u"Mangler")).empty());
    EXPECT_TRUE(p.folderAncestry(d.path(u"Andet\\b.txt")).empty());

    std::string why;
    if (!makeLink(d.host(u"Dok\\Flyt\\Dyb"), d.host(u"Genvej"), true, why))
        GTEST_SKIP() << "no folder links here: " << why;
    // Through a link the folder is the same folder, and it lies where it lies on disk.
    ElementId viaLink;
    ASSERT_TRUE(p.elementId(d.path(u"Genvej"), viaLink));
    EXPECT_EQ(viaLink, dyb);
    const auto linked = p.folderAncestry(d.path(u"Genvej"));
    ASSERT_GE(linked.size(), 2u);
    EXPECT_EQ(linked[0], dyb);
    EXPECT_TRUE(contains(linked, flyt));
}

// Each entry removed is told as a listing counts it, so a deletion's progress meets the counts
// made before it: files with their sizes, folders and links to folders as folders.
TEST(Services, DeleteFolderTellsOfEveryEntryAsTheListingCountsIt)
{
    TestDrive d;
    ASSERT_TRUE(d.ready());
    auto &p = d.platform();
    d.write(u"Slet\\a.txt", "AAA");
    d.write(u"Slet\\Under\\b.txt", "BBBBB");
    fs::create_directories(d.host(u"Slet\\Under\\Tom"));
    d.write(u"Maal\\behold.txt", "K");
    std::string why;
    const bool links = makeLink(d.host(u"Maal"), d.host(u"Slet\\genvej"), true, why) &&
                       makeLink(d.host(u"Maal\\behold.txt"), d.host(u"Slet\\fil-genvej"), false, why);
    // What the listings say of the files, links included.
    std::uint64_t listedBytes = 0;
    for (const Path folder : {u"Slet", u"Slet\\Under"}) {
        std::vector<FindData> listed;
        ASSERT_TRUE(p.findFiles(d.path(folder), listed));
        for (const auto &entry : listed)
            listedBytes += entry.attributes & FILE_ATTRIBUTE_DIRECTORY ? 0 : entry.size;
    }
    int files = 0;
    int folders = 0;
    std::uint64_t bytes = 0;
    Path failed = u"urørt";
    ASSERT_TRUE(p.deleteFolder(
        d.path(u"Slet"),
        [&](bool folder, std::uint64_t size) {
            ++(folder ? folders : files);
            bytes += size;
        },
        &failed));
    EXPECT_FALSE(fs::exists(d.host(u"Slet")));
    EXPECT_EQ(d.read(u"Maal\\behold.txt"), "K");
    EXPECT_EQ(files, links ? 3 : 2);
    EXPECT_EQ(folders, links ? 3 : 2);
    EXPECT_EQ(bytes, listedBytes);
    EXPECT_TRUE(failed.empty());
}

TEST(Services, FindFilesListsEveryEntryWithItsAttributesSizeAndTime)
{
    TestDrive d;
    ASSERT_TRUE(d.ready());
    auto &p = d.platform();
    d.write(u"Data\\a.txt", "12345");
    d.write(u"Data\\Under\\b.txt", "x");
    d.write(u"Data\\Æble.txt", "");
    const auto now = std::time(nullptr);
    for (const FindDetail detail : {FindDetail::All, FindDetail::NoSizes, FindDetail::Kinds}) {
        SCOPED_TRACE(static_cast<int>(detail));
        auto byName = listing(p, d.path(u"data"), detail);
        ASSERT_EQ(byName.size(), 5u); // ".", ".." and three entries
        EXPECT_TRUE(byName[u"."].attributes & FILE_ATTRIBUTE_DIRECTORY);
        EXPECT_TRUE(byName[u".."].attributes & FILE_ATTRIBUTE_DIRECTORY);
        EXPECT_TRUE(byName[u"Under"].attributes & FILE_ATTRIBUTE_DIRECTORY);
        EXPECT_FALSE(byName[u"a.txt"].attributes & FILE_ATTRIBUTE_DIRECTORY);
        EXPECT_FALSE(byName[u"Æble.txt"].attributes & FILE_ATTRIBUTE_DIRECTORY);
        if (detail == FindDetail::All) {
            EXPECT_EQ(byName[u"a.txt"].size, 5u);
            EXPECT_EQ(byName[u"Æble.txt"].size, 0u);
            EXPECT_LE(std::abs(byName[u"a.txt"].lastWriteTime - now), 60);
            FindData single;
            ASSERT_TRUE(p.fileAttributes(d.path(u"Data\\a.txt"), single));
            EXPECT_EQ(single.lastWriteTime, byName[u"a.txt"].lastWriteTime);
        } else {
            EXPECT_EQ(byName[u"a.txt"].size, 0u);
            EXPECT_EQ(byName[u"a.txt"].lastWriteTime, 0);
        }
    }
    std::vector<FindData> entries;
    EXPECT_FALSE(p.findFiles(d.path(u"Mangler"), entries));
    EXPECT_FALSE(p.findFiles(d.path(u"Data\\a.txt"), entries));
    EXPECT_TRUE(entries.empty());
}

TEST(Services, FileAttributesAndTimesComeFromTheFileItself)
{
    TestDrive d;
    ASSERT_TRUE(d.ready());
    auto &p = d.platform();
    d.write(u"Mappe\\fil.bin", "123456");
    ageFile(d.host(u"Mappe\\fil.bin"));
    FindData file, folder;
    ASSERT_TRUE(p.fileAttributes(d.path(u"mappe\\FIL.bin"), file));
    EXPECT_EQ(file.size, 6u);
    EXPECT_FALSE(file.attributes & FILE_ATTRIBUTE_DIRECTORY);
    ASSERT_TRUE(p.fileAttributes(d.path(u"Mappe"), folder));
    EXPECT_EQ(folder.name, u"Mappe");
    EXPECT_TRUE(folder.attributes & FILE_ATTRIBUTE_DIRECTORY);
    FindData missing;
    EXPECT_FALSE(p.fileAttributes(d.path(u"Mangler"), missing));

    FileTimes times;
    ASSERT_TRUE(p.fileTimes(d.path(u"Mappe\\fil.bin"), times));
    EXPECT_EQ(times.lastWrite, file.lastWriteTime);
    const auto now = std::time(nullptr);
    EXPECT_NEAR(static_cast<double>(now - times.lastWrite), 48.0 * 3600, 120);
    // Wine keeps no creation time and gives the last write instead.
    if (!runningUnderWine()) {
        EXPECT_LE(std::abs(times.creation - now), 120);
    }
    EXPECT_GT(times.lastAccess, 0);
    ASSERT_TRUE(p.fileTimes(d.path(u"Mappe"), times));
    EXPECT_EQ(times.lastWrite, folder.lastWriteTime);
    EXPECT_FALSE(p.fileTimes(d.path(u"Mangler"), times));
    EXPECT_EQ(lastError(), Win32Error::FileNotFound);
}

TEST(Services, SetLastWriteTimeIsWhatTimesAndListingsReport)
{
    TestDrive d;
    ASSERT_TRUE(d.ready());
    auto &p = d.platform();
    d.write(u"Mappe\\fil.txt", "x");
    constexpr std::int64_t kTime = 978350400; // 1 January 2001, 12:00 UTC
    for (const std::u16string name : {u"Mappe\\fil.txt", u"Mappe"}) {
        SCOPED_TRACE(std::string(name.begin(), name.end()));
        setLastError(Win32Error::GenFailure);
        ASSERT_TRUE(p.setLastWriteTime(d.path(name), kTime));
        EXPECT_EQ(lastError(), Win32Error::Success);
        FileTimes times;
        ASSERT_TRUE(p.fileTimes(d.path(name), times));
        EXPECT_EQ(times.lastWrite, kTime);
        FindData data;
        ASSERT_TRUE(p.fileAttributes(d.path(name), data));
        EXPECT_EQ(data.lastWriteTime, kTime);
    }
    EXPECT_EQ(listing(p, d.path(u""))[u"Mappe"].lastWriteTime, kTime);
    EXPECT_EQ(d.read(u"Mappe\\fil.txt"), "x");
    EXPECT_FALSE(p.setLastWriteTime(d.path(u"Mangler"), kTime));
    EXPECT_EQ(lastError(), Win32Error::FileNotFound);
}

TEST(Services, SetFileAttributesIsWhatTheListingReports)
{
    TestDrive d;
    ASSERT_TRUE(d.ready());
    auto &p = d.platform();
    if (!keepsDosAttributes(d))
        GTEST_SKIP() << "the temporary folder's file system keeps no DOS attributes";
    // Every case keeps archive: the Linux back end and Wine report it on every file.
    constexpr auto R = FILE_ATTRIBUTE_READONLY, H = FILE_ATTRIBUTE_HIDDEN, S = FILE_ATTRIBUTE_SYSTEM,
                   A = FILE_ATTRIBUTE_ARCHIVE;
    const std::uint32_t cases[] = {A | R, A | H | S, A | H, A | R | H | S, A, A | S};
    d.write(u"fil.txt", "x");
    for (const auto attributes : cases) {
        SCOPED_TRACE(attributes);
        // Bits beyond the four are ignored.
        ASSERT_TRUE(p.setFileAttributes(d.path(u"fil.txt"), attributes | FILE_ATTRIBUTE_DIRECTORY));
        EXPECT_EQ(lastError(), Win32Error::Success);
        FindData data;
        ASSERT_TRUE(p.fileAttributes(d.path(u"fil.txt"), data));
        EXPECT_EQ(data.attributes & (kDosAttributes | FILE_ATTRIBUTE_DIRECTORY), attributes);
        EXPECT_EQ(listing(p, d.path(u""))[u"fil.txt"].attributes & kDosAttributes, attributes);
    }
    // Folders keep them too.
    fs::create_directories(d.host(u"Mappe"));
    ASSERT_TRUE(p.setFileAttributes(d.path(u"Mappe"), FILE_ATTRIBUTE_HIDDEN));
    FindData folder;
    ASSERT_TRUE(p.fileAttributes(d.path(u"Mappe"), folder));
    EXPECT_EQ(folder.attributes & (kDosAttributes | FILE_ATTRIBUTE_DIRECTORY),
              FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_FALSE(p.setFileAttributes(d.path(u"Mangler"), FILE_ATTRIBUTE_HIDDEN));
    EXPECT_EQ(lastError(), Win32Error::FileNotFound);
}

TEST(Services, DiskFreeSpaceReportsTheVolumeOfAnyFolder)
{
    TestDrive d;
    ASSERT_TRUE(d.ready());
    fs::create_directories(d.host(u"Mappe"));
    DiskSpace space;
    ASSERT_TRUE(d.platform().diskFreeSpace(d.path(u"Mappe"), space));
    EXPECT_GT(space.total, 0u);
    EXPECT_LE(space.totalFree, space.total);
    EXPECT_LE(space.freeToCaller, space.totalFree);
    EXPECT_FALSE(d.platform().diskFreeSpace(d.path(u"Mangler\\Dybere"), space));
}

// Enough for several chunks of either back end's copy.
constexpr std::uint64_t kLargeFile = std::uint64_t(12) << 20;

TEST(Services, CopyFileExCopiesContentTimeAndAttributesAndReportsProgress)
{
    struct Case
    {
        const char *what;
        std::uint64_t size;
        bool oldTarget;
        bool failIfExists;
        bool copied;
    };
    const Case cases[] = {
        {"new target", 3, false, false, true},
        {"empty file", 0, false, false, true},
        {"large file", kLargeFile, false, false, true},
        {"an old target is replaced", kLargeFile, true, false, true},
        {"new target with fail-if-exists", 5, false, true, true},
        {"an old target stays with fail-if-exists", 5, true, true, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        TestDrive d;
        ASSERT_TRUE(d.ready());
        auto &p = d.platform();
        const std::string content = pattern(c.size);
        d.write(u"Kilde\\kilde.bin", content);
        ageFile(d.host(u"Kilde\\kilde.bin"));
        const bool hidden =
            keepsDosAttributes(d) &&
            p.setFileAttributes(d.path(u"Kilde\\kilde.bin"), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE);
        fs::create_directories(d.host(u"Mål"));
        if (c.oldTarget)
            d.write(u"Mål\\mål.bin", "gammel");

        std::vector<std::pair<std::uint64_t, std::uint64_t>> calls;
        setLastError(Win32Error::GenFailure);
        const bool ok = p.copyFileEx(
            d.path(u"Kilde\\kilde.bin"), d.path(u"Mål\\mål.bin"),
            [&](std::uint64_t total, std::uint64_t done) {
                calls.emplace_back(total, done);
                return CopyProgress::Continue;
            },
            nullptr, c.failIfExists);
        ASSERT_EQ(ok, c.copied);
        EXPECT_EQ(lastError(), c.copied ? Win32Error::Success : Win32Error::FileExists);
        EXPECT_EQ(namesIn(d.host(u"Mål")), std::set<std::u16string>{u"mål.bin"}); // nothing beside it
        if (!c.copied) {
            EXPECT_TRUE(calls.empty());
            EXPECT_EQ(d.read(u"Mål\\mål.bin"), "gammel");
            continue;
        }
        EXPECT_TRUE(d.read(u"Mål\\mål.bin") == content);
        ASSERT_FALSE(calls.empty());
        EXPECT_EQ(calls.back(), std::make_pair(c.size, c.size));
        for (std::size_t i = 0; i < calls.size(); ++i) {
            EXPECT_EQ(calls[i].first, c.size);
            if (i > 0) {
                EXPECT_GT(calls[i].second, calls[i - 1].second);
            }
        }
        FindData source, copy;
        ASSERT_TRUE(p.fileAttributes(d.path(u"Kilde\\kilde.bin"), source));
        ASSERT_TRUE(p.fileAttributes(d.path(u"Mål\\mål.bin"), copy));
        EXPECT_EQ(copy.lastWriteTime, source.lastWriteTime);
        EXPECT_EQ(copy.size, c.size);
        if (hidden) {
            EXPECT_EQ(copy.attributes & kDosAttributes, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE);
        }
    }
}

TEST(Services, CopyFileExReportsEveryChunkOfALargeFile)
{
    TestDrive d;
    ASSERT_TRUE(d.ready());
    d.write(u"stor.bin", pattern(kLargeFile));
    std::size_t calls = 0;
    ASSERT_TRUE(d.platform().copyFileEx(
        d.path(u"stor.bin"), d.path(u"kopi.bin"),
        [&](std::uint64_t, std::uint64_t) {
            ++calls;
            return CopyProgress::Continue;
        },
        nullptr, false));
    if (calls == 1 && runningUnderWine())
        GTEST_SKIP()
            << "Wine's CopyFileExW calls no progress routine while it copies: only the final call came";
    EXPECT_GT(calls, 1u);
}

TEST(Services, CopyFileExRefusesWithWindowsErrorsAndTouchesNothing)
{
    struct Case
    {
        const char *what;
        std::u16string from, to;
        std::uint32_t targetAttributes; // set on the old target
        Win32Error error;
    };
    const Case cases[] = {
        {"a folder as source", u"Mappe", u"ny.txt", 0, Win32Error::AccessDenied},
        {"a folder as target", u"kilde.txt", u"Mappe", 0, Win32Error::AccessDenied},
        {"a read-only target", u"kilde.txt", u"gammel.txt", FILE_ATTRIBUTE_READONLY,
         Win32Error::AccessDenied},
        {"a hidden target", u"kilde.txt", u"gammel.txt", FILE_ATTRIBUTE_HIDDEN, Win32Error::AccessDenied},
        {"the source as target", u"kilde.txt", u"KILDE.txt", 0, Win32Error::SharingViolation},
        {"a missing source", u"mangler.txt", u"ny.txt", 0, Win32Error::FileNotFound},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        TestDrive d;
        ASSERT_TRUE(d.ready());
        auto &p = d.platform();
        if (c.targetAttributes & FILE_ATTRIBUTE_HIDDEN && !keepsDosAttributes(d))
            continue; // nothing to refuse where hidden cannot be kept
        d.write(u"kilde.txt", "ny");
        d.write(u"gammel.txt", "gammel");
        fs::create_directories(d.host(u"Mappe"));
        if (c.targetAttributes) {
            ASSERT_TRUE(p.setFileAttributes(d.path(u"gammel.txt"), c.targetAttributes));
        }
        const auto before = namesIn(d.host(u""));
        EXPECT_FALSE(p.copyFileEx(d.path(c.from), d.path(c.to), {}, nullptr, false));
        EXPECT_EQ(lastError(), c.error);
        EXPECT_EQ(namesIn(d.host(u"")), before);
        EXPECT_EQ(d.read(u"gammel.txt"), "gammel");
        EXPECT_EQ(d.read(u"kilde.txt"), "ny");
    }
}

TEST(Services, ACancelledCopyLeavesNoPartialFileAndKeepsAnOldTarget)
{
    struct Case
    {
        const char *what;
        bool flagBefore;     // set before the copy starts
        bool flagInRoutine;  // set by the routine, as a stop button pressed meanwhile
        CopyProgress answer; // what the routine answers
        bool oldTarget;
        bool copied;
    };
    const Case cases[] = {
        {"flag set before the start", true, false, CopyProgress::Continue, true, false},
        {"flag set during the copy", false, true, CopyProgress::Continue, false, false},
        {"flag set during the copy, old target", false, true, CopyProgress::Continue, true, false},
        {"routine answers cancel", false, false, CopyProgress::Cancel, false, false},
        {"routine answers stop, old target", false, false, CopyProgress::Stop, true, false},
        {"routine answers quiet: the copy completes", false, false, CopyProgress::Quiet, true, true},
    };
    const std::string content = pattern(kLargeFile);
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        TestDrive d;
        ASSERT_TRUE(d.ready());
        d.write(u"Kilde\\stor.bin", content);
        fs::create_directories(d.host(u"Mål"));
        if (c.oldTarget)
            d.write(u"Mål\\stor.bin", "gammel");
        std::atomic<bool> cancel = c.flagBefore;
        std::size_t calls = 0;
        const bool ok = d.platform().copyFileEx(
            d.path(u"Kilde\\stor.bin"), d.path(u"Mål\\stor.bin"),
            [&](std::uint64_t, std::uint64_t) {
                ++calls;
                if (c.flagInRoutine)
                    cancel = true;
                return c.answer;
            },
            &cancel, false);
        ASSERT_EQ(ok, c.copied);
        EXPECT_EQ(calls, c.flagBefore ? 0u : 1u);
        EXPECT_EQ(d.read(u"Kilde\\stor.bin").size(), content.size());
        if (c.copied) {
            EXPECT_EQ(lastError(), Win32Error::Success);
            EXPECT_TRUE(d.read(u"Mål\\stor.bin") == content);
        } else {
            EXPECT_EQ(lastError(), Win32Error::RequestAborted);
            if (c.oldTarget) {
                EXPECT_EQ(d.read(u"Mål\\stor.bin"), "gammel");
            }
        }
        EXPECT_EQ(namesIn(d.host(u"Mål")).size(), c.copied || c.oldTarget ? 1u : 0u);
    }
}

// While a copy runs only its temporary file is there, under a name of the ".zunkopi-" family; a
// file that takes the target's name meanwhile is replaced only where the caller allows it.
TEST(Services, ACopyIsWrittenUnderATemporaryNameAndReplacesALateTargetOnlyWhenAllowed)
{
    for (const bool failIfExists : {true, false}) {
        SCOPED_TRACE(failIfExists ? "fail if exists" : "replace");
        TestDrive d;
        ASSERT_TRUE(d.ready());
        const std::string content = pattern(kLargeFile);
        d.write(u"kilde.bin", content);
        fs::create_directories(d.host(u"Mål"));
        std::set<std::u16string> during;
        const bool ok = d.platform().copyFileEx(
            d.path(u"kilde.bin"), d.path(u"Mål\\ny.bin"),
            [&](std::uint64_t, std::uint64_t) {
                if (during.empty()) {
                    during = namesIn(d.host(u"Mål"));
                    d.write(u"Mål\\ny.bin", "kom imens");
                }
                return CopyProgress::Continue;
            },
            nullptr, failIfExists);
        ASSERT_EQ(during.size(), 1u);
        EXPECT_TRUE(during.begin()->starts_with(u".zunkopi-"));
        EXPECT_EQ(ok, !failIfExists);
        EXPECT_EQ(lastError(), failIfExists ? Win32Error::FileExists : Win32Error::Success);
        EXPECT_EQ(namesIn(d.host(u"Mål")), std::set<std::u16string>{u"ny.bin"});
        EXPECT_TRUE(d.read(u"Mål\\ny.bin") == (failIfExists ? std::string("kom imens") : content));
    }
}

// The first copy into a folder removes the temporary files a killed copy left there, and neither
// one a running copy holds nor anything else of the name.
TEST(Services, ACopyRemovesTheTemporaryFilesNoRunningCopyHolds)
{
    TestDrive d;
    ASSERT_TRUE(d.ready());
    d.write(u"kilde.txt", "ny");
    d.write(u"Mål\\.zunkopi-efterladt", pattern(100000));
    d.write(u"Mål\\.zunkopi-igang", "under skrivning");
    d.write(u"Mål\\.zunkopi-mappe\\x.txt", "x");
    d.write(u"Mål\\zunkopi-andet.txt", "andet");
    const HeldFile running(d.host(u"Mål\\.zunkopi-igang"));
    ASSERT_TRUE(running.held());
    ASSERT_TRUE(d.platform().copyFileEx(d.path(u"kilde.txt"), d.path(u"Mål\\ny.txt"), {}, nullptr, false));
    EXPECT_EQ(namesIn(d.host(u"Mål")), (std::set<std::u16string>{u".zunkopi-igang", u".zunkopi-mappe",
                                                                 u"ny.txt", u"zunkopi-andet.txt"}));
    EXPECT_EQ(d.read(u"Mål\\.zunkopi-igang"), "under skrivning");
}

TEST(Services, CopyLinkCopiesTheLinkNotWhatItLeadsTo)
{
    TestDrive d;
    ASSERT_TRUE(d.ready());
    d.write(u"Mål\\fil.txt", "indhold");
    std::string why;
    if (!makeLink(fs::path(u"Mål") / "fil.txt", d.host(u"genvej"), false, why))
        GTEST_SKIP() << "no file links here: " << why;
    auto &p = d.platform();
    ASSERT_TRUE(p.copyLink(d.path(u"genvej"), d.path(u"kopi")));
    FindData copy;
    ASSERT_TRUE(p.fileAttributes(d.path(u"kopi"), copy));
    EXPECT_TRUE(copy.attributes & FILE_ATTRIBUTE_REPARSE_POINT);
    EXPECT_EQ(d.read(u"kopi"), "indhold"); // still relative: it leads to the same file
    EXPECT_FALSE(p.copyLink(d.path(u"genvej"), d.path(u"kopi")));
    EXPECT_EQ(lastError(), Win32Error::AlreadyExists);
}

// Paths of MAX_PATH (260) and more: Windows needs its long-path form for them.
TEST(Services, PathsLongerThanMaxPathWork)
{
    TestDrive d;
    ASSERT_TRUE(d.ready());
    auto &p = d.platform();
    std::u16string relative = u"Lang";
    for (int i = 0; i < 12; ++i)
        relative += u"\\" + std::u16string(24, static_cast<char16_t>(u'a' + i));
    const Path folder = d.path(relative);
    ASSERT_GT(folder.size(), 300u);
    ASSERT_TRUE(p.forceDirectories(folder));
    EXPECT_TRUE(p.directoryExists(folder));
    d.write(u"kilde.txt", "langt");
    ASSERT_TRUE(p.copyFileEx(d.path(u"kilde.txt"), folder + u"\\kopi.txt", {}, nullptr, false));
    EXPECT_TRUE(p.fileExists(folder + u"\\kopi.txt"));
    FindData data;
    ASSERT_TRUE(p.fileAttributes(folder + u"\\kopi.txt", data));
    EXPECT_EQ(data.size, 5u);
    EXPECT_EQ(listing(p, folder).size(), 3u);
    ASSERT_TRUE(p.moveFile(folder + u"\\kopi.txt", folder + u"\\flyttet.txt"));
    ASSERT_TRUE(p.deleteFolder(d.path(u"Lang")));
    EXPECT_FALSE(p.directoryExists(d.path(u"Lang")));
}

#ifdef _WIN32
// Only in Wine's throwaway prefix: on Windows itself this would reach the user's recycle bin.
TEST(Services, RecycleBinTakesAFileAndEmptiesUnderWine)
{
    if (!runningUnderWine())
        GTEST_SKIP() << "would use the user's real recycle bin";
    TestDrive d;
    ASSERT_TRUE(d.ready());
    auto &p = d.platform();
    d.write(u"skrald.txt", "x");
    d.write(u"Mappe\\a.txt", "y");
    EXPECT_TRUE(p.moveToRecycleBin(d.path(u"skrald.txt")));
    EXPECT_FALSE(p.fileExists(d.path(u"skrald.txt")));
    EXPECT_TRUE(p.moveToRecycleBin(d.path(u"Mappe")));
    EXPECT_FALSE(p.directoryExists(d.path(u"Mappe")));
    EXPECT_FALSE(p.moveToRecycleBin(d.path(u"Mangler")));
    EXPECT_EQ(p.emptyRecycleBin(u""), 0);
}

// The host's own drives, user and folders, and the rules that are plain Windows.
TEST(Services, WindowsHostServices)
{
    platform::win32::Win32Platform p;
    const auto drives = p.logicalDrives();
    ASSERT_FALSE(drives.empty());
    EXPECT_EQ(drives.front().size(), 3u); // "C:\"
    EXPECT_EQ(p.driveType(u"C:\\"), DriveType::Fixed);
    std::u16string name;
    EXPECT_TRUE(p.fileSystemName(u"C:\\", name));
    EXPECT_FALSE(name.empty());
    EXPECT_TRUE(p.userName(name));
    EXPECT_FALSE(name.empty());
    Path folder;
    ASSERT_TRUE(p.specialFolder(CSIDL_PERSONAL, folder));
    EXPECT_TRUE(p.directoryExists(folder));
    EXPECT_TRUE(p.programOnSearchPath(u"cmd"));
    EXPECT_FALSE(p.programOnSearchPath(u"zunkolvra-findes-ikke"));

    EXPECT_TRUE(p.isProgramFile(u"C:\\P\\a.exe"));
    EXPECT_FALSE(p.isProgramFile(u"C:\\P\\a.EXE")); // letter case counts
    EXPECT_FALSE(p.isProgramFile(u"C:\\P\\a.bat"));
    EXPECT_TRUE(p.isConsoleScript(u"C:\\P\\a.BaT"));
    EXPECT_FALSE(p.isConsoleScript(u"C:\\P\\a.sh"));
    EXPECT_EQ(p.scriptFileName(u"createShortcut.vbs"), u"createShortcut.vbs");
    EXPECT_EQ(p.startupEntryName(u"Stifinder.lnk"), u"Stifinder.lnk");
    EXPECT_EQ(p.hostPath(u"C:\\x"), u"C:\\x");
    EXPECT_EQ(p.programPath(u"C:\\x"), u"C:\\x");
    EXPECT_TRUE(p.consoleAvailable(ConsoleKind::PowerShell));
}
#endif
