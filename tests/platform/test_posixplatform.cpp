#include "platform/paths.h"
#include "platform/posix/posixplatform.h"
#include "tempfolder.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace fs = std::filesystem;
using platform::DriveType;
using platform::posix::DriveTable;
using platform::posix::HostSetup;
using platform::posix::PosixPlatform;

namespace {

struct Fixture
{
    TempFolder c, d;
    PosixPlatform platform{[this] {
        DriveTable table;
        table.add({u'C', c.str(), DriveType::Fixed, u""});
        table.add({u'D', d.str(), DriveType::Fixed, u""});
        return table;
    }()};
};

std::string readFile(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

} // namespace

TEST(PosixPlatform, ExistenceTellsFilesFromFolders)
{
    Fixture f;
    f.c.write("Data/brev.txt", "hej");
    EXPECT_TRUE(f.platform.fileExists(u"C:\\Data\\brev.txt"));
    EXPECT_TRUE(f.platform.fileExists(u"c:\\data\\BREV.TXT"));
    EXPECT_FALSE(f.platform.fileExists(u"C:\\Data"));
    EXPECT_TRUE(f.platform.directoryExists(u"C:\\Data"));
    EXPECT_TRUE(f.platform.directoryExists(u"C:"));
    EXPECT_FALSE(f.platform.directoryExists(u"C:\\Data\\brev.txt"));
    EXPECT_FALSE(f.platform.directoryExists(u"C:\\Mangler"));
    EXPECT_FALSE(f.platform.fileExists(u"Q:\\Data\\brev.txt"));
    EXPECT_FALSE(f.platform.directoryExists(u""));
}

TEST(PosixPlatform, ForceDirectoriesMakesEveryMissingParent)
{
    Fixture f;
    EXPECT_TRUE(f.platform.forceDirectories(u"D:\\a\\b\\Ærø"));
    EXPECT_TRUE(fs::is_directory(f.d.path() / "a/b/Ærø"));
    EXPECT_TRUE(f.platform.forceDirectories(u"D:\\a\\b\\Ærø")); // already there
    // A file in the way, or a drive that does not exist, fails.
    f.d.write("fil", "x");
    EXPECT_FALSE(f.platform.forceDirectories(u"D:\\fil\\under"));
    EXPECT_FALSE(f.platform.forceDirectories(u"Q:\\x"));
}

TEST(PosixPlatform, CopyFolderCopiesRecursivelyAcrossDrives)
{
    Fixture f;
    f.c.write("Skabelon/a.txt", "A");
    f.c.write("Skabelon/Under/b.txt", "B");
    f.c.write("Skabelon/Under/Dybere/c.txt", "C");
    fs::create_directories(f.c.path() / "Skabelon/Tom");
    ASSERT_TRUE(f.platform.copyFolder(u"C:\\Skabelon", u"D:\\Kopi\\Ny"));
    EXPECT_EQ(readFile(f.d.path() / "Kopi/Ny/a.txt"), "A");
    EXPECT_EQ(readFile(f.d.path() / "Kopi/Ny/Under/b.txt"), "B");
    EXPECT_EQ(readFile(f.d.path() / "Kopi/Ny/Under/Dybere/c.txt"), "C");
    EXPECT_TRUE(fs::is_directory(f.d.path() / "Kopi/Ny/Tom"));
    EXPECT_FALSE(f.platform.copyFolder(u"C:\\Mangler", u"D:\\X"));
    EXPECT_FALSE(fs::exists(f.d.path() / "X"));
}

TEST(PosixPlatform, CopyFolderDoesNotFollowALoopForever)
{
    Fixture f;
    f.c.write("Loop/a.txt", "A");
    fs::create_directory_symlink(f.c.path() / "Loop", f.c.path() / "Loop/igen");
    ASSERT_TRUE(f.platform.copyFolder(u"C:\\Loop", u"D:\\Loop"));
    EXPECT_EQ(readFile(f.d.path() / "Loop/a.txt"), "A");
    EXPECT_FALSE(fs::exists(f.d.path() / "Loop/igen/igen"));
}

TEST(PosixPlatform, PathsMapBothWays)
{
    Fixture f;
    EXPECT_EQ(f.platform.hostPath(u"D:\\x\\y"), platform::fromUtf8(f.d.str() + "/x/y"));
    EXPECT_EQ(f.platform.programPath(platform::fromUtf8(f.d.str() + "/x/y")), u"D:\\x\\y");
}

TEST(PosixPlatform, PrepareDriveCLinksProgramAndExistingUserFolders)
{
    TempFolder home;
    HostSetup host;
    host.home = home.str();
    host.dataHome = home.str() + "/.local/share";
    host.configHome = home.str() + "/.config";
    host.installedProgram = home.str() + "/installed/Program";
    home.write("installed/Program/Egenskaber/Filtertyper.txt", "x");
    home.write(".config/user-dirs.dirs", "# made by xdg-user-dirs\n"
                                         "XDG_DESKTOP_DIR=\"$HOME/Skrivebord\"\n"
                                         "XDG_PICTURES_DIR=\"$HOME/Billeder\"\n"
                                         "XDG_MUSIC_DIR=\"$HOME/Musik\"\n"
                                         "XDG_DOWNLOAD_DIR=\"$HOME/\"\n");
    fs::create_directories(home.path() / "Skrivebord");
    fs::create_directories(home.path() / "Billeder");

    PosixPlatform::prepareDriveC(host, "ole");
    const fs::path driveC = host.driveC();
    EXPECT_EQ(readFile(driveC / "zunKolvra/Program/Egenskaber/Filtertyper.txt"), "x");
    const fs::path user = driveC / "Users/ole";
    EXPECT_EQ(fs::read_symlink(user / "Desktop"), home.path() / "Skrivebord");
    EXPECT_EQ(fs::read_symlink(user / "Pictures"), home.path() / "Billeder");
    EXPECT_FALSE(fs::exists(fs::symlink_status(user / "Music")));     // the folder does not exist
    EXPECT_FALSE(fs::exists(fs::symlink_status(user / "Downloads"))); // the home folder itself
    EXPECT_EQ(fs::read_symlink(user / "AppData/Roaming"), host.configHome);

    // A second start re-points our links and leaves what the user made alone.
    fs::remove(user / "Desktop");
    fs::create_directory(user / "Desktop");
    home.write("installed2/Program/ny.txt", "2");
    host.installedProgram = home.str() + "/installed2/Program";
    PosixPlatform::prepareDriveC(host, "ole");
    EXPECT_FALSE(fs::is_symlink(user / "Desktop"));
    EXPECT_EQ(readFile(driveC / "zunKolvra/Program/ny.txt"), "2");
}

TEST(PosixPlatform, ForHostMapsCAndTheHostRoot)
{
    TempFolder home;
    HostSetup host;
    host.home = home.str();
    host.dataHome = home.str() + "/data";
    host.configHome = home.str() + "/config";
    host.installedProgram = home.str() + "/Program";
    host.mountInfo = "/nonexistent";
    fs::create_directories(home.path() / "Program");
    const auto backEnd = PosixPlatform::forHost(host);
    EXPECT_TRUE(backEnd->directoryExists(u"C:\\zunKolvra\\Program"));
    EXPECT_TRUE(backEnd->directoryExists(u"Z:\\"));
    std::u16string name = u"unchanged";
    EXPECT_TRUE(backEnd->userName(name));
    EXPECT_FALSE(name.empty());
}
