#include "platform/posix/drivetable.h"
#include "tempfolder.h"

#include <filesystem>
#include <gtest/gtest.h>

using platform::DriveType;
using platform::posix::DriveTable;

namespace {
DriveTable twoDrives(const TempFolder &c, const TempFolder &d)
{
    DriveTable table;
    table.add({u'D', d.str(), DriveType::Fixed, u""});
    table.add({u'c', c.str() + "/", DriveType::Fixed, u""});
    return table;
}
} // namespace

TEST(DriveTable, KeepsLetterOrderAndMapsBothWays)
{
    TempFolder c, d;
    const DriveTable table = twoDrives(c, d);
    ASSERT_EQ(table.drives().size(), 2u);
    EXPECT_EQ(table.drives()[0].letter, u'C');
    EXPECT_EQ(table.drives()[1].letter, u'D');

    EXPECT_EQ(table.toHost(u"C:"), c.str());
    EXPECT_EQ(table.toHost(u"d:\\Data\\Foto"), d.str() + "/Data/Foto");
    EXPECT_EQ(table.toHost(u"E:\\x"), "");
    EXPECT_EQ(table.toHost(u"relative\\x"), "");

    EXPECT_EQ(table.fromHost(c.str()), u"C:");
    EXPECT_EQ(table.fromHost(d.str() + "/Data/Foto/"), u"D:\\Data\\Foto");
    EXPECT_EQ(table.fromHost("/somewhere/else"), u"");
    // A folder beside a drive's root whose name starts the same is not on that drive.
    EXPECT_EQ(table.fromHost(c.str() + "x/file"), u"");
}

TEST(DriveTable, FindsExistingNamesWithoutRegardToCase)
{
    TempFolder c, d;
    c.write("Data/Ærø Foto/billede.JPG", "x");
    const DriveTable table = twoDrives(c, d);
    EXPECT_EQ(table.toHost(u"C:\\DATA\\ærø foto\\Billede.jpg"), c.str() + "/Data/Ærø Foto/billede.JPG");
    // Missing tail components keep the case they were given, below the matched part.
    EXPECT_EQ(table.toHost(u"c:\\data\\Ny Mappe\\Under"), c.str() + "/Data/Ny Mappe/Under");
}

// The look-up of a folder's names is kept between calls: it must see a name that another
// program made meanwhile, and the names this program makes itself.
TEST(DriveTable, CaseLookUpsFollowChangesToTheFolder)
{
    TempFolder c, d;
    c.write("Mappe/a.txt", "x");
    const DriveTable table = twoDrives(c, d);
    const std::string folder = c.str() + "/Mappe";
    EXPECT_EQ(table.toHost(u"C:\\mappe\\NY.TXT"), folder + "/NY.TXT"); // nothing there yet
    c.write("Mappe/Ny.txt", "made by someone else");
    EXPECT_EQ(table.toHost(u"C:\\mappe\\NY.TXT"), folder + "/Ny.txt");

    c.write("Mappe/Egen.txt", "made by this program");
    table.noteCreated(folder + "/Egen.txt");
    EXPECT_EQ(table.toHost(u"C:\\Mappe\\EGEN.TXT"), folder + "/Egen.txt");
    std::filesystem::remove(folder + "/Egen.txt");
    EXPECT_EQ(table.toHost(u"C:\\Mappe\\EGEN.TXT"), folder + "/EGEN.TXT");

    // A folder made anew under the same name is read anew.
    std::filesystem::remove_all(folder);
    c.write("Mappe/B.txt", "x");
    EXPECT_EQ(table.toHost(u"C:\\Mappe\\b.TXT"), folder + "/B.txt");
}

TEST(DriveTable, HostRootIsTheShortestMatch)
{
    TempFolder c;
    DriveTable table;
    table.add({u'Z', "/", DriveType::Fixed, u""});
    table.add({u'C', c.str(), DriveType::Fixed, u""});
    EXPECT_EQ(table.fromHost(c.str() + "/a"), u"C:\\a");
    EXPECT_EQ(table.fromHost("/etc/hostname"), u"Z:\\etc\\hostname");
    EXPECT_EQ(table.fromHost("/"), u"Z:");
    EXPECT_EQ(table.toHost(u"Z:\\etc"), "/etc");
}

TEST(DriveTable, StandardTableTakesMediaFromTheMountTable)
{
    TempFolder c, info;
    info.write("mountinfo", "22 1 8:1 / / rw,relatime shared:1 - ext4 /dev/sda1 rw\n"
                            "40 22 8:17 / /media/ole/USB\\040STICK rw,nosuid shared:2 - vfat /dev/sdb1 rw\n"
                            "41 22 11:0 / /run/media/ole/DVD rw shared:3 - iso9660 /dev/sr0 ro\n"
                            "42 22 0:50 / /mnt/nas rw shared:4 - nfs4 nas:/export rw\n"
                            "43 22 0:51 / /mnt/ram rw shared:5 - tmpfs tmpfs rw\n"
                            "44 22 0:52 / /home rw shared:6 - ext4 /dev/sda2 rw\n"
                            "45 22 0:53 / /mnt rw shared:7 - ext4 /dev/sda3 rw\n"
                            "garbage line\n");
    const DriveTable table = DriveTable::standard(c.str(), (info.path() / "mountinfo").string());
    struct Expected
    {
        char16_t letter;
        std::string root;
        DriveType type;
        std::u16string label;
    };
    const Expected expected[] = {
        {u'C', c.str(), DriveType::Fixed, u"Lokal disk"},
        {u'D', "/media/ole/USB STICK", DriveType::Removable, u"USB STICK"},
        {u'E', "/run/media/ole/DVD", DriveType::CdRom, u"DVD"},
        {u'F', "/mnt/nas", DriveType::Remote, u"nas"},
        {u'G', "/mnt/ram", DriveType::RamDisk, u"ram"},
        {u'Z', "/", DriveType::Fixed, u"Filsystem"},
    };
    ASSERT_EQ(table.drives().size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(table.drives()[i].letter, expected[i].letter);
        EXPECT_EQ(table.drives()[i].root, expected[i].root);
        EXPECT_EQ(table.drives()[i].type, expected[i].type);
        EXPECT_EQ(table.drives()[i].label, expected[i].label);
    }
}

TEST(DriveTable, MissingMountTableGivesCAndZ)
{
    TempFolder c;
    const DriveTable table = DriveTable::standard(c.str(), "/nonexistent/mountinfo");
    ASSERT_EQ(table.drives().size(), 2u);
    EXPECT_EQ(table.drives()[0].letter, u'C');
    EXPECT_EQ(table.drives()[1].letter, u'Z');
}
