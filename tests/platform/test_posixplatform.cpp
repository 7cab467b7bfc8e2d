#include "platform/paths.h"
#include "platform/posix/launch.h"
#include "platform/posix/posixplatform.h"
#include "platform/posix/rename.h"
#include "platform/posix/textfile.h"
#include "platform/shelllink.h"
#include "tempfolder.h"
#include "twodrives.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <set>
#include <sys/stat.h>
#include <sys/xattr.h>

namespace fs = std::filesystem;
using platform::DriveType;
using platform::posix::DriveTable;
using platform::posix::HostSetup;
using platform::posix::PosixPlatform;

namespace {

using Fixture = TwoDrives;

} // namespace

// The rest of existence and ForceDirectories is in test_services: here what only the drive
// table decides.
TEST(PosixPlatform, ExistenceAndForceDirectoriesFollowTheDriveTable)
{
    Fixture f;
    EXPECT_TRUE(f.platform.directoryExists(u"C:"));
    EXPECT_FALSE(f.platform.fileExists(u"Q:\\Data\\brev.txt"));
    EXPECT_TRUE(f.platform.forceDirectories(u"D:\\a\\b"));
    EXPECT_TRUE(fs::is_directory(f.d.path() / "a/b"));
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

TEST(PosixPlatform, DeleteFolderRemovesLinksAsLinks)
{
    Fixture f;
    f.c.write("Slet/a.txt", "A");
    f.c.write("Slet/Under/Dybere/b.txt", "B");
    fs::create_directories(f.c.path() / "Slet/Tom");
    f.c.write("Maal/behold.txt", "K");
    fs::create_directory_symlink(f.c.path() / "Maal", f.c.path() / "Slet/Under/genvej");
    fs::create_symlink(f.c.path() / "Maal/behold.txt", f.c.path() / "Slet/fil-genvej");
    fs::create_directory_symlink(f.c.path() / "Slet", f.c.path() / "Slet/Under/loop");
    ASSERT_TRUE(f.platform.deleteFolder(u"C:\\slet"));
    EXPECT_FALSE(fs::exists(fs::symlink_status(f.c.path() / "Slet")));
    EXPECT_EQ(readFile(f.c.path() / "Maal/behold.txt"), "K");

    // A link given as the folder goes itself; what it leads to stays.
    fs::create_directory_symlink(f.c.path() / "Maal", f.c.path() / "Genvej");
    ASSERT_TRUE(f.platform.deleteFolder(u"C:\\Genvej"));
    EXPECT_FALSE(fs::exists(fs::symlink_status(f.c.path() / "Genvej")));
    EXPECT_EQ(readFile(f.c.path() / "Maal/behold.txt"), "K");

    EXPECT_FALSE(f.platform.deleteFolder(u"C:\\Mangler"));
    EXPECT_FALSE(f.platform.deleteFolder(u"C:\\Maal\\behold.txt"));
    EXPECT_TRUE(fs::exists(f.c.path() / "Maal/behold.txt"));
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
    // A missing XDG folder, or one that is the home folder itself, gets a folder of our own.
    EXPECT_TRUE(fs::is_directory(user / "Music") && !fs::is_symlink(user / "Music"));
    EXPECT_TRUE(fs::is_directory(user / "Downloads") && !fs::is_symlink(user / "Downloads"));
    EXPECT_TRUE(fs::is_directory(driveC / "Users/Public/Pictures"));
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

namespace {

// Records what would be started instead of starting it.
class RecordingPlatform : public PosixPlatform
{
public:
    using PosixPlatform::PosixPlatform;
    struct Start
    {
        platform::posix::Launch launch;
        std::string directory;
    };
    std::vector<Start> starts;

protected:
    int startDetached(const platform::posix::Launch &launch, const std::string &directory) override
    {
        starts.push_back({launch, directory});
        return 0;
    }
};

struct RecordingFixture
{
    TempFolder c, d;
    RecordingPlatform platform{[this] {
        DriveTable table;
        table.add({u'C', c.str(), DriveType::Fixed, u""});
        table.add({u'D', d.str(), DriveType::Fixed, u""});
        return table;
    }()};
};

} // namespace

TEST(PosixPlatform, ShellExecuteStartsAProgramWithHostPathArguments)
{
    RecordingFixture f;
    f.c.write("Programmer/vis.sh", "#!/bin/sh\nprintf '%s|' \"$@\" > \"$PWD/args.out\"\n");
    fs::permissions(f.c.path() / "Programmer/vis.sh", fs::perms::owner_all);
    fs::create_directories(f.d.path() / "Mine ting");
    const int result =
        f.platform.shellExecute(u"open", u"C:\\Programmer\\vis.sh", u"\"D:\\Mine ting\\brev.txt\" plain \"\"",
                                u"D:\\Mine ting", platform::SW_SHOW);
    EXPECT_GT(result, 32);
    ASSERT_EQ(f.platform.starts.size(), 1u);
    EXPECT_EQ(f.platform.starts[0].launch.program, f.c.str() + "/Programmer/vis.sh");
    EXPECT_EQ(f.platform.starts[0].launch.arguments,
              (std::vector<std::string>{f.d.str() + "/Mine ting/brev.txt", "plain", ""}));
    EXPECT_EQ(f.platform.starts[0].directory, f.d.str() + "/Mine ting");
}

// Only a real program runs by itself; a document with the execute bit goes to the opener.
TEST(PosixPlatform, ShellExecuteRunsOnlyRealProgramsDirectly)
{
    RecordingFixture f;
    const auto executable = fs::perms::owner_all | fs::perms::group_read | fs::perms::others_read;
    f.c.write("P/readme.txt", "echo dette er ikke et program\n");
    f.c.write("P/skript", "#!/bin/sh\necho hej\n");
    f.c.write("P/elf", std::string("\x7F"
                                   "ELF\x02\x01\x01",
                                   7));
    f.c.write("P/ikke-markeret", "#!/bin/sh\necho hej\n");
    // Disguised as documents: the extension wins over the execute bit and the first line.
    f.c.write("P/faktura.pdf", "#!/bin/sh\necho hej\n");
    f.c.write("P/Billede.JPG", std::string("\x7F"
                                           "ELF\x02\x01\x01",
                                           7));
    f.c.write("P/kør.sh", "#!/bin/sh\necho hej\n");
    const std::string entry = "[Desktop Entry]\nType=Application\nName=x\nExec=/bin/echo hej\n";
    f.c.write("P/start.desktop", entry);
    f.c.write("P/ukendt.desktop", entry);
    fs::create_directories(f.c.path() / "P/Mappe");
    ASSERT_EQ(::mkfifo((f.c.path() / "P/fifo").c_str(), 0755), 0);
    for (const char *name : {"P/readme.txt", "P/skript", "P/elf", "P/faktura.pdf", "P/Billede.JPG",
                             "P/kør.sh", "P/start.desktop"})
        fs::permissions(f.c.path() / name, executable);

    struct Case
    {
        std::u16string verb, file;
        bool direct;
    };
    const Case cases[] = {
        {u"open", u"C:\\P\\readme.txt", false},
        {u"open", u"C:\\P\\skript", true},
        {u"", u"C:\\P\\elf", true},
        {u"open", u"C:\\P\\ikke-markeret", false},
        {u"open", u"C:\\P\\Mappe", false},
        {u"open", u"C:\\P\\fifo", false},
        {u"edit", u"C:\\P\\skript", false},
        {u"open", u"et-program", true},
        {u"open", u"C:\\P\\faktura.pdf", false},
        {u"open", u"C:\\P\\Billede.JPG", false},
        {u"open", u"C:\\P\\kør.sh", true},
        {u"open", u"C:\\P\\ukendt.desktop", false},
    };
    for (const auto &c : cases) {
        f.platform.starts.clear();
        EXPECT_GT(f.platform.shellExecute(c.verb, c.file, u"\"C:\\P\\a b.txt\"", u"", platform::SW_SHOW), 32);
        ASSERT_EQ(f.platform.starts.size(), 1u);
        const auto &launch = f.platform.starts[0].launch;
        const std::string target =
            c.file[1] == u':' ? f.platform.driveTable().toHost(c.file) : platform::toUtf8(c.file);
        if (c.direct)
            EXPECT_EQ(launch, (platform::posix::Launch{target, {f.c.str() + "/P/a b.txt"}}))
                << platform::toUtf8(c.file);
        else
            EXPECT_EQ(launch, (platform::posix::Launch{"xdg-open", {target}})) << platform::toUtf8(c.file);
    }
}

// An executable desktop entry starts its Exec line; the MIME database's program types stay
// runnable, its other types are documents.
TEST(PosixPlatform, DocumentsByTheMimeDatabaseAndExecutableDesktopEntries)
{
    RecordingFixture f;
    for (const char *name : {"faktura.pdf", "kør.sh", "ukendt.desktop"}) {
        f.c.write(std::string("P/") + name, "#!/bin/sh\n");
        fs::permissions(f.c.path() / "P" / name, fs::perms::owner_all);
    }
    fs::permissions(f.c.path() / "P/ukendt.desktop", fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_FALSE(f.platform.isProgramFile(u"C:\\P\\faktura.pdf"));
    EXPECT_FALSE(f.platform.isConsoleScript(u"C:\\P\\faktura.pdf"));
    EXPECT_TRUE(f.platform.isProgramFile(u"C:\\P\\kør.sh"));
    EXPECT_FALSE(f.platform.isProgramFile(u"C:\\P\\ukendt.desktop"));
    f.c.write("P/start.desktop", "[Desktop Entry]\nType=Application\nName=x\nExec=/bin/echo hej\n");
    fs::permissions(f.c.path() / "P/start.desktop", fs::perms::owner_all);
    EXPECT_TRUE(f.platform.isProgramFile(u"C:\\P\\start.desktop"));
    ASSERT_GT(f.platform.shellExecute(u"open", u"C:\\P\\start.desktop", u"", u"", platform::SW_SHOW), 32);
    ASSERT_EQ(f.platform.starts.size(), 1u);
    EXPECT_EQ(f.platform.starts[0].launch, (platform::posix::Launch{"/bin/echo", {"hej"}}));

    const std::string globs = "# a comment\n"
                              "50:application/pdf:*.pdf\n"
                              "50:application/x-shellscript:*.sh\n"
                              "60:text/x-python:*.py\n"
                              "50:text/plain:*.TXT:cs\n"
                              "50:text/x-readme:README*\n"
                              "50:application/x-tar:*.tar.gz\n"
                              "50:text/x-makefile:[Mm]akefile\n";
    EXPECT_EQ(platform::posix::documentExtensions(globs), (std::set<std::string>{".pdf", ".txt", ".gz"}));

    // An installed program's entry is trusted without the execute bit; the same file elsewhere not.
    TempFolder share;
    share.write("applications/vis.desktop", "[Desktop Entry]\nExec=vis\n");
    share.write("andet/vis.desktop", "[Desktop Entry]\nExec=vis\n");
    const char *before = std::getenv("XDG_DATA_DIRS");
    const std::string saved = before ? before : "";
    ::setenv("XDG_DATA_DIRS", (share.str() + "/").c_str(), 1);
    EXPECT_TRUE(platform::posix::isTrustedDesktopEntry(share.str() + "/applications/vis.desktop"));
    EXPECT_FALSE(platform::posix::isTrustedDesktopEntry(share.str() + "/andet/vis.desktop"));
    EXPECT_FALSE(platform::posix::isTrustedDesktopEntry(share.str() + "/applications/../andet/vis.desktop"));
    if (before)
        ::setenv("XDG_DATA_DIRS", saved.c_str(), 1);
    else
        ::unsetenv("XDG_DATA_DIRS");
}

// A quote in a path cannot smuggle extra arguments in when the path is quoted properly.
TEST(PosixPlatform, ShellExecuteKeepsAQuotedPathWithQuotesAsOneArgument)
{
    RecordingFixture f;
    f.c.write("P/skript", "#!/bin/sh\n");
    fs::permissions(f.c.path() / "P/skript", fs::perms::owner_all);
    const std::u16string evil = u"C:\\P\\x\" --evil \"y.txt";
    f.c.write("P/x\" --evil \"y.txt", "x");
    ASSERT_GT(f.platform.shellExecute(u"open", u"C:\\P\\skript", platform::quoteArgument(evil) + u" last",
                                      u"", platform::SW_SHOW),
              32);
    ASSERT_EQ(f.platform.starts.size(), 1u);
    EXPECT_EQ(f.platform.starts[0].launch.arguments,
              (std::vector<std::string>{f.c.str() + "/P/x\" --evil \"y.txt", "last"}));
}

TEST(PosixPlatform, ShellExecuteReportsWindowsErrorCodes)
{
    Fixture f;
    fs::create_directories(f.c.path() / "Data");
    EXPECT_EQ(f.platform.shellExecute(u"open", u"C:\\Data\\mangler.exe", u"", u"", 1), 2);
    EXPECT_EQ(f.platform.shellExecute(u"open", u"C:\\Mangler\\x.exe", u"", u"", 1), 3);
    EXPECT_EQ(f.platform.shellExecute(u"open", u"C:\\Data", u"", u"C:\\Ingen mappe", 1), 3);
    EXPECT_EQ(f.platform.shellExecute(u"open", u"program-der-ikke-findes-xyz", u"", u"", 1), 2);
    f.c.write("Data/a.txt", "x");
    EXPECT_EQ(f.platform.shellExecute(u"print", u"C:\\Data\\a.txt", u"", u"", 1), 31);
}

// A shortcut opens its target through the drive table, as runFilname calls it (the name in its
// folder); a damaged one, or one that leads to another shortcut, gives "bad format" (11).
TEST(PosixPlatform, ShellExecuteOfAShortcutOpensItsTarget)
{
    RecordingFixture f;
    f.c.write("Programmer/vis.sh", "#!/bin/sh\n");
    fs::permissions(f.c.path() / "Programmer/vis.sh", fs::perms::owner_all);
    f.d.write("Mine ting/brev æ.txt", "x");
    fs::create_directories(f.c.path() / "Genveje");
    const auto place = [&](const std::string &name, const std::u16string &target, bool directory,
                           const std::u16string &workingDir) {
        f.c.write("Genveje/" + name, platform::writeShellLink(target, directory, workingDir, u"C:\\Genveje"));
    };
    place("program.lnk", u"C:\\Programmer\\vis.sh", false, u"D:\\Mine ting");
    place("brev.lnk", u"D:\\Mine ting\\brev æ.txt", false, u"C:\\Ingen mappe");
    place("mappe.LNK", u"D:\\Mine ting", true, u"");
    place("mangler.lnk", u"D:\\Mine ting\\væk.txt", false, u"");
    place("kæde.lnk", u"C:\\Genveje\\mappe.LNK", false, u"");
    f.c.write("Genveje/skadet.lnk",
              platform::writeShellLink(u"D:\\Mine ting", true, u"", u"C:\\").substr(0, 90));

    struct Case
    {
        std::u16string name;
        int result;
        platform::posix::Launch launch;
        std::string directory;
    };
    const std::string letter = f.d.str() + "/Mine ting/brev \xC3\xA6.txt";
    const Case cases[] = {
        {u"program.lnk", 42, {f.c.str() + "/Programmer/vis.sh", {"x y"}}, f.d.str() + "/Mine ting"},
        {u"brev.lnk", 42, {"xdg-open", {letter}}, ""},
        {u"mappe.LNK", 42, {"xdg-open", {f.d.str() + "/Mine ting"}}, ""},
        {u"mangler.lnk", 2, {}, ""},
        {u"kæde.lnk", 11, {}, ""},
        {u"skadet.lnk", 11, {}, ""},
    };
    for (const Case &c : cases) {
        f.platform.starts.clear();
        const int result = f.platform.shellExecute(u"open", c.name, u"\"x y\"", u"C:\\Genveje", 1);
        EXPECT_EQ(result > 32 ? 42 : result, c.result) << platform::toUtf8(c.name);
        if (c.result > 32) {
            ASSERT_EQ(f.platform.starts.size(), 1u) << platform::toUtf8(c.name);
            EXPECT_EQ(f.platform.starts[0].launch, c.launch) << platform::toUtf8(c.name);
            EXPECT_EQ(f.platform.starts[0].directory, c.directory) << platform::toUtf8(c.name);
        } else {
            EXPECT_TRUE(f.platform.starts.empty()) << platform::toUtf8(c.name);
        }
    }
    EXPECT_EQ(f.platform.scriptFileName(u"createShortcutMappe.vbs"), u"createShortcutMappe");
}

// The terminal comes from the search path: Debian's choice first, then the desktop's own,
// then xterm; a name that is there but not executable does not count.
TEST(PosixPlatform, FindTerminalPrefersDebiansChoiceThenTheDesktopsThenXterm)
{
    TempFolder bin1, bin2;
    const auto place = [](const TempFolder &folder, const std::string &name, bool executable) {
        folder.write(name, "#!/bin/sh\n");
        fs::permissions(folder.path() / name, executable ? fs::perms::owner_all : fs::perms::owner_read);
    };
    place(bin1, "xterm", true);
    place(bin2, "konsole", true);
    place(bin2, "gnome-terminal", false);
    const std::string path = bin1.str() + "::" + bin2.str();
    EXPECT_EQ(platform::posix::findTerminal(path, "KDE"), "konsole");
    EXPECT_EQ(platform::posix::findTerminal(path, "ubuntu:KDE"), "konsole");
    EXPECT_EQ(platform::posix::findTerminal(path, "GNOME"), "xterm");
    EXPECT_EQ(platform::posix::findTerminal(path, ""), "xterm");
    place(bin2, "x-terminal-emulator", true);
    EXPECT_EQ(platform::posix::findTerminal(path, "KDE"), "x-terminal-emulator");
    EXPECT_EQ(platform::posix::findTerminal(bin2.str() + "/none", "KDE"), "");
}

TEST(PosixPlatform, TerminalArgumentsKeepTheCommandAsSeparateArguments)
{
    const std::vector<std::string> command{"/p/a b.sh"};
    const std::map<std::string, std::vector<std::string>> expected{
        {"xterm", {"-hold", "-e", "/p/a b.sh"}},           {"konsole", {"--hold", "-e", "/p/a b.sh"}},
        {"xfce4-terminal", {"--hold", "-x", "/p/a b.sh"}}, {"gnome-terminal", {"--", "/p/a b.sh"}},
        {"x-terminal-emulator", {"-e", "/p/a b.sh"}},
    };
    for (const auto &[terminal, arguments] : expected)
        EXPECT_EQ(platform::posix::terminalArguments(terminal, command), arguments) << terminal;
}

TEST(PosixPlatform, ProgramAndConsoleRulesFollowTheHost)
{
    RecordingFixture f;
    const auto executable = fs::perms::owner_all;
    f.c.write("P/skript.sh", "echo hej\n");
    f.c.write("P/KØR.SH", "echo hej\n");
    f.c.write("P/prog", "#!/bin/sh\n");
    fs::permissions(f.c.path() / "P/prog", executable);
    f.c.write("P/brev.txt", "#!/bin/sh\n");
    f.c.write("P/vlc.desktop", "[Desktop Entry]\nExec=vlc %U\n");
    fs::permissions(f.c.path() / "P/vlc.desktop", fs::perms::owner_all);
    f.c.write("P/gammel.bat", "echo hej\n");
    fs::create_directories(f.c.path() / "P/mappe.sh");
    struct Case
    {
        std::u16string file;
        bool program, console;
    };
    const Case cases[] = {
        {u"C:\\P\\skript.sh", false, true},    {u"C:\\P\\KØR.SH", false, true},
        {u"C:\\P\\prog", true, true},          {u"C:\\P\\brev.txt", false, false},
        {u"C:\\P\\vlc.desktop", true, false},  {u"C:\\P\\gammel.bat", false, false},
        {u"C:\\P\\mappe.sh", false, false},    {u"C:\\P\\mangler.exe", true, false},
        {u"C:\\P\\MANGLER.EXE", false, false},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(f.platform.isProgramFile(c.file), c.program) << platform::toUtf8(c.file);
        EXPECT_EQ(f.platform.isConsoleScript(c.file), c.console) << platform::toUtf8(c.file);
    }
}

// A script runs in the terminal as one argument, however its name is made; one without the
// execute bit through sh; without a terminal the answer is "no program associated".
TEST(PosixPlatform, RunInConsoleStartsTheTerminalWithTheScript)
{
    RecordingFixture f;
    TempFolder bin;
    bin.write("xterm", "#!/bin/sh\n");
    fs::permissions(bin.path() / "xterm", fs::perms::owner_all);
    const std::string name = "a \"b\" $(rm -rf x); c.sh";
    f.c.write("S/" + name, "echo hej\n");
    f.c.write("S/prog", "#!/bin/sh\n");
    fs::permissions(f.c.path() / "S/prog", fs::perms::owner_all);
    const std::u16string script = u"C:\\S\\" + platform::fromUtf8(name);

    EXPECT_EQ(f.platform.runInConsole(script, u"C:\\S"), 31);
    EXPECT_TRUE(f.platform.starts.empty());

    f.platform.setConsoleSearch(bin.str(), "");
    EXPECT_GT(f.platform.runInConsole(script, u"C:\\S"), 32);
    EXPECT_GT(f.platform.runInConsole(u"C:\\S\\prog", u"C:\\S"), 32);
    EXPECT_EQ(f.platform.runInConsole(u"C:\\S\\mangler.sh", u"C:\\S"), 2);
    ASSERT_EQ(f.platform.starts.size(), 2u);
    EXPECT_EQ(f.platform.starts[0].launch,
              (platform::posix::Launch{"xterm", {"-hold", "-e", "sh", f.c.str() + "/S/" + name}}));
    EXPECT_EQ(f.platform.starts[0].directory, f.c.str() + "/S");
    EXPECT_EQ(f.platform.starts[1].launch,
              (platform::posix::Launch{"xterm", {"-hold", "-e", f.c.str() + "/S/prog"}}));
}

// A registered desktop entry runs its program with the files, each one argument.
TEST(PosixPlatform, ShellExecuteStartsADesktopEntrysProgram)
{
    RecordingFixture f;
    f.c.write("P/vis.desktop", "[Desktop Entry]\nName=Vis\nExec=\"/opt/vis ting/vis\" --ny %F %i\n");
    f.c.write("P/en.desktop", "[Desktop Entry]\nExec=en %u 100%%\n");
    for (const char *entry : {"P/vis.desktop", "P/en.desktop"})
        fs::permissions(f.c.path() / entry, fs::perms::owner_all);
    f.c.write("P/a b.txt", "x");
    f.c.write("P/c.txt", "x");
    const std::u16string files = u"\"C:\\P\\a b.txt\" \"C:\\P\\c.txt\"";
    ASSERT_GT(f.platform.shellExecute(u"open", u"C:\\P\\vis.desktop", files, u"", platform::SW_SHOW), 32);
    ASSERT_GT(f.platform.shellExecute(u"open", u"C:\\P\\en.desktop", files, u"", platform::SW_SHOW), 32);
    ASSERT_GT(f.platform.shellExecute(u"open", u"C:\\P\\en.desktop", u"", u"", platform::SW_SHOW), 32);
    ASSERT_EQ(f.platform.starts.size(), 3u);
    EXPECT_EQ(f.platform.starts[0].launch,
              (platform::posix::Launch{"/opt/vis ting/vis",
                                       {"--ny", f.c.str() + "/P/a b.txt", f.c.str() + "/P/c.txt"}}));
    EXPECT_EQ(f.platform.starts[1].launch,
              (platform::posix::Launch{"en", {f.c.str() + "/P/a b.txt", "100%"}}));
    EXPECT_EQ(f.platform.starts[2].launch, (platform::posix::Launch{"en", {"100%"}}));
}

TEST(PosixPlatform, ExtractIconTakesTheDeclaredIconOrTheExecutableIcon)
{
    Fixture f;
    TempFolder apps;
    apps.write("mitprogram.desktop", "[Desktop Entry]\nName=Mit\nExec=/opt/x/mitprogram %F\nIcon=mit-ikon\n"
                                     "[Desktop Action ny]\nIcon=forkert\n");
    apps.write("ingen.desktop", "[Desktop Entry]\nExec=ingen\n");
    f.platform.setApplicationDirs({apps.str(), "/nonexistent"});
    f.c.write("P/mitprogram", "#!/bin/sh\n");
    f.c.write("P/andet", "#!/bin/sh\n");
    f.c.write("P/ingen", "#!/bin/sh\n");
    for (const char *name : {"P/mitprogram", "P/andet", "P/ingen"})
        fs::permissions(f.c.path() / name, fs::perms::owner_all);
    f.c.write("P/brev.txt", "x");
    f.c.write("P/genvej.desktop", "[Desktop Entry]\nIcon=/usr/share/pixmaps/x.png\n");
    f.c.write("P/billede.ICO", "x");

    EXPECT_EQ(f.platform.extractIcon(u"C:\\P\\mitprogram").themeName, u"mit-ikon");
    EXPECT_EQ(f.platform.extractIcon(u"C:\\P\\andet").themeName, u"application-x-executable");
    EXPECT_EQ(f.platform.extractIcon(u"C:\\P\\ingen").themeName, u"application-x-executable");
    EXPECT_TRUE(f.platform.extractIcon(u"C:\\P\\brev.txt").empty());
    EXPECT_TRUE(f.platform.extractIcon(u"C:\\P\\mangler.exe").empty());
    EXPECT_TRUE(f.platform.extractIcon(u"C:\\P").empty());
    EXPECT_EQ(f.platform.extractIcon(u"C:\\P\\genvej.desktop").imageFile, u"/usr/share/pixmaps/x.png");
    EXPECT_EQ(f.platform.extractIcon(u"C:\\P\\billede.ICO").imageFile,
              platform::fromUtf8(f.c.str() + "/P/billede.ICO"));
}

TEST(PosixPlatform, FindFilesListsEveryEntryWithWindowsAttributes)
{
    Fixture f;
    f.c.write("Data/a.txt", "12345");
    f.c.write("Data/.skjult", "x");
    f.c.write("Data/Under/b.txt", "x");
    f.c.write("Data/dos.txt", "x");
    fs::create_directory_symlink(f.c.path() / "Data/Under", f.c.path() / "Data/link");
    fs::create_symlink(f.c.path() / "Data/mangler", f.c.path() / "Data/brudt");
    const bool xattrs = ::setxattr((f.c.path() / "Data/dos.txt").c_str(), "user.DOSATTRIB", "0x6", 3, 0) == 0;

    using namespace platform;
    std::vector<FindData> entries;
    // Without sizes the kinds come from the entries' types: the same attributes either way, but
    // for the DOS attributes a listing of names and kinds does not read.
    for (const FindDetail detail : {FindDetail::All, FindDetail::NoSizes, FindDetail::Kinds}) {
        SCOPED_TRACE(detail == FindDetail::All ? "All" : detail == FindDetail::NoSizes ? "NoSizes" : "Kinds");
        entries.clear();
        ASSERT_TRUE(f.platform.findFiles(u"c:\\DATA", entries, detail));
        std::map<std::u16string, FindData> byName;
        for (const auto &entry : entries)
            byName[entry.name] = entry;
        ASSERT_EQ(byName.size(), 8u); // ".", "..", and six entries
        EXPECT_TRUE(byName[u"."].attributes & FILE_ATTRIBUTE_DIRECTORY);
        EXPECT_FALSE(byName[u".."].attributes & FILE_ATTRIBUTE_HIDDEN);
        EXPECT_EQ(byName[u"a.txt"].size, detail == FindDetail::All ? 5u : 0u);
        EXPECT_EQ(byName[u"a.txt"].attributes, FILE_ATTRIBUTE_ARCHIVE);
        EXPECT_EQ(byName[u".skjult"].attributes, FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN);
        EXPECT_EQ(byName[u"Under"].attributes, FILE_ATTRIBUTE_DIRECTORY);
        EXPECT_EQ(byName[u"link"].attributes, FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT);
        EXPECT_EQ(byName[u"brudt"].attributes, FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_REPARSE_POINT);
        if (detail == FindDetail::Kinds) {
            EXPECT_EQ(byName[u"dos.txt"].attributes, FILE_ATTRIBUTE_ARCHIVE);
        } else if (xattrs) {
            EXPECT_TRUE(byName[u"dos.txt"].attributes & FILE_ATTRIBUTE_HIDDEN);
            EXPECT_TRUE(byName[u"dos.txt"].attributes & FILE_ATTRIBUTE_SYSTEM);
        }
    }
    entries.clear();
    EXPECT_FALSE(f.platform.findFiles(u"C:\\Mangler", entries));
    EXPECT_FALSE(f.platform.findFiles(u"C:\\Data\\a.txt", entries));
    EXPECT_TRUE(entries.empty());
}

TEST(PosixPlatform, DrivesComeInTableOrderWithKindAndLabel)
{
    Fixture f;
    f.platform.driveTable().add({u'E', "/nonexistent-media", DriveType::CdRom, u"DVD"});
    f.platform.driveTable().add({u'D', f.d.str(), DriveType::Removable, u"USB (gammel)"});
    EXPECT_EQ(f.platform.logicalDrives(), (std::vector<std::u16string>{u"C:\\", u"D:\\", u"E:\\"}));
    EXPECT_EQ(f.platform.driveType(u"D:\\"), DriveType::Removable);
    EXPECT_EQ(f.platform.driveType(u"e:\\"), DriveType::CdRom);
    EXPECT_EQ(f.platform.driveType(u"Q:\\"), DriveType::NoRootDir);
    EXPECT_EQ(f.platform.driveType(u"C:\\Data"), DriveType::NoRootDir);
    std::u16string label = u"uændret";
    EXPECT_TRUE(f.platform.volumeLabel(u"D:\\", label));
    EXPECT_EQ(label, u"USB (gammel)");
    label = u"uændret";
    EXPECT_FALSE(f.platform.volumeLabel(u"E:\\", label)); // no medium
    EXPECT_EQ(label, u"uændret");
}

TEST(PosixPlatform, KnownFoldersLieUnderTheUsersProfile)
{
    TempFolder home;
    HostSetup host;
    host.home = home.str();
    host.dataHome = home.str() + "/data";
    host.configHome = home.str() + "/config";
    host.mountInfo = "/nonexistent";
    PosixPlatform::prepareDriveC(host, PosixPlatform::hostUserName().value_or("Brugernavn"));
    DriveTable table;
    table.add({u'C', host.driveC(), DriveType::Fixed, u""});
    PosixPlatform backEnd(table);
    std::u16string user;
    ASSERT_TRUE(backEnd.userName(user));
    platform::Path path;
    ASSERT_TRUE(backEnd.specialFolder(platform::CSIDL_MYPICTURES, path));
    EXPECT_EQ(path, u"C:\\Users\\" + user + u"\\Pictures");
    ASSERT_TRUE(backEnd.specialFolder(platform::CSIDL_FAVORITES, path));
    ASSERT_TRUE(backEnd.specialFolder(platform::CSIDL_COMMON_VIDEO, path));
    EXPECT_EQ(path, u"C:\\Users\\Public\\Videos");
    EXPECT_FALSE(backEnd.specialFolder(12345, path));
}

namespace {

std::string trashInfo(const fs::path &trash, const std::string &name)
{
    return readFile(trash / "info" / (name + ".trashinfo"));
}

} // namespace

TEST(Trash, HomeTrashIsMadeWhenMissingAndKeepsTheOriginalPath)
{
    Fixture f;
    TempFolder home;
    platform::posix::TrashPlaces places{home.str() + "/.local/share/Trash", {"/"}, ::getuid()};
    f.platform.setTrashPlaces(places);
    f.c.write("Mine ting/brev æ.txt", "A");
    f.c.write("Andet/brev æ.txt", "B");
    ASSERT_TRUE(f.platform.moveToRecycleBin(u"C:\\Mine ting\\brev æ.txt"));
    ASSERT_TRUE(f.platform.moveToRecycleBin(u"C:\\Andet\\brev æ.txt"));
    EXPECT_FALSE(fs::exists(f.c.path() / "Mine ting/brev æ.txt"));
    const fs::path trash = places.homeTrash;
    EXPECT_EQ(readFile(trash / "files/brev æ.txt"), "A");
    EXPECT_EQ(readFile(trash / "files/brev æ.txt.2"), "B");
    const std::string info = trashInfo(trash, "brev æ.txt");
    EXPECT_EQ(info.rfind("[Trash Info]\nPath=" +
                             platform::posix::percentEncode(f.c.str() + "/Mine ting/brev æ.txt") +
                             "\nDeletionDate=",
                         0),
              0u)
        << info;
    EXPECT_NE(info.find("%20"), std::string::npos);
    EXPECT_NE(info.find("%C3%A6"), std::string::npos);
    EXPECT_EQ(platform::posix::percentDecode("a%20b%C3%A6/c"), "a bæ/c");
    // Folders go the same way.
    f.c.write("Mappe/x.txt", "x");
    EXPECT_TRUE(f.platform.moveToRecycleBin(u"C:\\Mappe"));
    EXPECT_EQ(readFile(trash / "files/Mappe/x.txt"), "x");
    EXPECT_FALSE(f.platform.moveToRecycleBin(u"C:\\Findes ikke"));
}

TEST(Trash, AnotherVolumeUsesItsOwnTrashWithRelativePaths)
{
    Fixture f;
    TempFolder home;
    platform::posix::TrashPlaces places{home.str() + "/Trash", {"/", f.d.str()}, 1234};
    f.platform.setTrashPlaces(places);
    f.d.write("Foto/a.jpg", "A");
    ASSERT_TRUE(f.platform.moveToRecycleBin(u"D:\\Foto\\a.jpg"));
    const fs::path volumeTrash = f.d.path() / ".Trash-1234";
    EXPECT_EQ(readFile(volumeTrash / "files/a.jpg"), "A");
    EXPECT_NE(trashInfo(volumeTrash, "a.jpg").find("\nPath=Foto/a.jpg\n"), std::string::npos);
    EXPECT_FALSE(fs::exists(places.homeTrash));

    // The administrator's sticky .Trash takes precedence.
    fs::create_directory(f.d.path() / ".Trash");
    fs::permissions(f.d.path() / ".Trash", fs::perms::all | fs::perms::sticky_bit);
    f.d.write("b.jpg", "B");
    ASSERT_TRUE(f.platform.moveToRecycleBin(u"D:\\b.jpg"));
    EXPECT_EQ(readFile(f.d.path() / ".Trash/1234/files/b.jpg"), "B");
}

TEST(Trash, NoTrashMeansTheFileStays)
{
    Fixture f;
    TempFolder home;
    home.write("blokeret", "a file where the trash would go");
    f.platform.setTrashPlaces({home.str() + "/blokeret/Trash", {"/"}, ::getuid()});
    f.c.write("a.txt", "A");
    EXPECT_FALSE(f.platform.moveToRecycleBin(u"C:\\a.txt"));
    EXPECT_EQ(readFile(f.c.path() / "a.txt"), "A");
    f.platform.setTrashPlaces({});
    EXPECT_FALSE(f.platform.moveToRecycleBin(u"C:\\a.txt"));
    EXPECT_EQ(readFile(f.c.path() / "a.txt"), "A");
}

TEST(Trash, EmptyingOneDriveLeavesTheOthersAlone)
{
    Fixture f;
    TempFolder home, elsewhere;
    platform::posix::TrashPlaces places{home.str() + "/Trash", {"/", f.d.str()}, ::getuid()};
    f.platform.setTrashPlaces(places);
    f.c.write("c1.txt", "1");
    f.c.write("Under/c2.txt", "2");
    f.d.write("d1.txt", "3");
    ASSERT_TRUE(f.platform.moveToRecycleBin(u"C:\\c1.txt"));
    ASSERT_TRUE(f.platform.moveToRecycleBin(u"C:\\Under\\c2.txt"));
    ASSERT_TRUE(f.platform.moveToRecycleBin(u"D:\\d1.txt"));
    // Something the user trashed outside the program's drives, in the same home trash.
    elsewhere.write("fremmed.txt", "4");
    ASSERT_TRUE(platform::posix::moveToTrash(places, (elsewhere.path() / "fremmed.txt").string(), 0));

    EXPECT_EQ(f.platform.emptyRecycleBin(u"C:\\"), 0);
    EXPECT_FALSE(fs::exists(fs::path(places.homeTrash) / "files/c1.txt"));
    EXPECT_FALSE(fs::exists(fs::path(places.homeTrash) / "info/c2.txt.trashinfo"));
    EXPECT_TRUE(fs::exists(fs::path(places.homeTrash) / "files/fremmed.txt"));
    EXPECT_TRUE(fs::exists(f.d.path() / (".Trash-" + std::to_string(::getuid())) / "files/d1.txt"));

    EXPECT_EQ(f.platform.emptyRecycleBin(u"D:\\"), 0);
    EXPECT_FALSE(fs::exists(f.d.path() / (".Trash-" + std::to_string(::getuid())) / "files/d1.txt"));
    EXPECT_TRUE(fs::exists(fs::path(places.homeTrash) / "files/fremmed.txt"));
    EXPECT_NE(f.platform.emptyRecycleBin(u"Q:\\"), 0);
}

TEST(PosixPlatform, MoveFileNeverReplacesATarget)
{
    Fixture f;
    f.c.write("a.txt", "A");
    f.c.write("b.txt", "B");
    f.c.write("Mappe/x.txt", "x");
    EXPECT_FALSE(f.platform.moveFile(u"C:\\a.txt", u"C:\\b.txt"));
    EXPECT_EQ(readFile(f.c.path() / "b.txt"), "B");
    EXPECT_EQ(readFile(f.c.path() / "a.txt"), "A");
    EXPECT_TRUE(f.platform.moveFile(u"C:\\a.txt", u"D:\\ny.txt")); // another drive
    EXPECT_EQ(readFile(f.d.path() / "ny.txt"), "A");
    EXPECT_TRUE(f.platform.moveFile(u"C:\\Mappe", u"C:\\Omdøbt"));
    EXPECT_EQ(readFile(f.c.path() / "Omdøbt/x.txt"), "x");
    EXPECT_FALSE(f.platform.moveFile(u"C:\\Væk", u"C:\\Andet"));
    EXPECT_FALSE(f.platform.moveFile(u"C:\\b.txt", u"Q:\\b.txt"));
}

TEST(PosixPlatform, FindFilesListsInTheOrderNtfsKeeps)
{
    Fixture f;
    for (const char *name : {"b.txt", "C.txt", "a.txt", "Æble.txt", "_x", "B2"})
        f.c.write(std::string("L/") + name, "x");
    std::vector<platform::FindData> entries;
    ASSERT_TRUE(f.platform.findFiles(u"C:\\L", entries));
    std::vector<std::u16string> names;
    for (const auto &entry : entries)
        names.push_back(entry.name);
    EXPECT_EQ(names, (std::vector<std::u16string>{u".", u"..", u"a.txt", u"b.txt", u"B2", u"C.txt", u"_x",
                                                  u"Æble.txt"}));
}

// Latin-1 names are not UTF-8; each must still be its own file to the program.
TEST(PosixPlatform, NamesThatAreNotUtf8StayDistinct)
{
    Fixture f;
    f.c.write("L/\xE6"
              "ble",
              "ae");
    f.c.write("L/\xF8"
              "ble",
              "oe");
    f.c.write("L/\xC0\xAE", "overlong dot");
    std::vector<platform::FindData> entries;
    ASSERT_TRUE(f.platform.findFiles(u"C:\\L", entries));
    std::vector<std::u16string> names;
    for (const auto &entry : entries) {
        if (entry.name != u"." && entry.name != u"..")
            names.push_back(entry.name);
    }
    ASSERT_EQ(names.size(), 3u);
    std::map<std::string, std::u16string> byHostName;
    for (const auto &name : names)
        byHostName[platform::toUtf8(name)] = name;
    ASSERT_EQ(byHostName.size(), 3u);
    ASSERT_TRUE(byHostName.count("\xE6"
                                 "ble") &&
                byHostName.count("\xF8"
                                 "ble") &&
                byHostName.count("\xC0\xAE"));

    EXPECT_TRUE(f.platform.fileExists(u"C:\\L\\" + byHostName["\xC0\xAE"]));
    ASSERT_TRUE(f.platform.deleteFile(u"C:\\L\\" + byHostName["\xE6"
                                                              "ble"]));
    EXPECT_FALSE(fs::exists(f.c.path() / "L/\xE6"
                                         "ble"));
    EXPECT_EQ(readFile(f.c.path() / "L/\xF8"
                                    "ble"),
              "oe");
    ASSERT_TRUE(f.platform.moveFile(u"C:\\L\\" + byHostName["\xF8"
                                                            "ble"],
                                    u"C:\\L\\øble"));
    EXPECT_EQ(readFile(f.c.path() / "L/øble"), "oe");
    ASSERT_TRUE(f.platform.deleteFile(u"C:\\L\\" + byHostName["\xC0\xAE"]));
    EXPECT_TRUE(fs::is_directory(f.c.path() / "L"));
    EXPECT_EQ(f.platform.programPath(platform::fromUtf8(f.c.str() + "/L/\xE6"
                                                                    "ble")),
              u"C:\\L\\" + byHostName["\xE6"
                                      "ble"]);
}

// Names a Windows name cannot hold are names, never paths, through every file service; each
// returns to its own bytes.
TEST(PosixPlatform, HostNamesWindowsRefusesStayOneName)
{
    const std::vector<std::string> hostNames = {
        "sub\\x.txt", "a:b.txt",  "hvad?.txt", "x*y", "q\"q",
        "<|>",        "ctl\x01x", "tab\tx",    "\\",  "\xEF\x81\x9C" /* a real U+F05C */,
        "\xE6\\x" /* Latin-1 and a backslash */};
    Fixture f;
    TempFolder home;
    f.platform.setTrashPlaces({home.str() + "/Trash", {"/"}, ::getuid()});
    f.c.write("L/sub/x.txt", "mappens fil");
    for (std::size_t i = 0; i < hostNames.size(); ++i)
        f.c.write("L/" + hostNames[i], "indhold " + std::to_string(i));

    std::vector<platform::FindData> entries;
    ASSERT_TRUE(f.platform.findFiles(u"C:\\L", entries));
    std::map<std::string, std::u16string> byHostName;
    for (const auto &entry : entries) {
        EXPECT_EQ(entry.name.find(u'\\'), std::u16string::npos);
        EXPECT_EQ(entry.name.find(u':'), std::u16string::npos);
        if (entry.name != u"." && entry.name != u".." && entry.name != u"sub")
            byHostName[platform::hostNameOf(entry.name)] = entry.name;
    }
    ASSERT_EQ(byHostName.size(), hostNames.size());

    for (std::size_t i = 0; i < hostNames.size(); ++i) {
        const std::string &host = hostNames[i];
        SCOPED_TRACE(testing::PrintToString(host));
        ASSERT_EQ(byHostName.count(host), 1u);
        const std::u16string name = byHostName[host];
        EXPECT_EQ(platform::windowsNameOf(host), name);
        const std::string content = "indhold " + std::to_string(i);
        const std::u16string path = u"C:\\L\\" + name;
        EXPECT_TRUE(f.platform.fileExists(path));
        platform::FindData data;
        ASSERT_TRUE(f.platform.fileAttributes(path, data));
        EXPECT_EQ(data.name, name);
        EXPECT_EQ(f.platform.programPath(platform::fromUtf8(f.c.str() + "/L/" + host)), path);

        // Copied, moved across drives, renamed, and deleted: always this file and no other.
        ASSERT_TRUE(f.platform.copyFileEx(path, u"D:\\" + name, {}, nullptr, true));
        EXPECT_EQ(readFile(f.d.path() / host), content);
        ASSERT_TRUE(f.platform.moveFile(u"D:\\" + name, u"C:\\M-" + name));
        EXPECT_EQ(readFile(f.c.path() / ("M-" + host)), content);
        ASSERT_TRUE(f.platform.moveFile(u"C:\\M-" + name, u"C:\\" + name + u"-2"));
        EXPECT_EQ(readFile(f.c.path() / (host + "-2")), content);
        ASSERT_TRUE(f.platform.deleteFile(u"C:\\" + name + u"-2"));
        EXPECT_FALSE(fs::exists(fs::symlink_status(f.c.path() / (host + "-2"))));

        // Into the trash under its own name, the original path kept byte for byte.
        ASSERT_TRUE(f.platform.moveToRecycleBin(path));
        EXPECT_FALSE(fs::exists(fs::symlink_status(f.c.path() / "L" / host)));
        EXPECT_NE(trashInfo(home.path() / "Trash", host)
                      .find(platform::posix::percentEncode(f.c.str() + "/L/" + host)),
                  std::string::npos);
        EXPECT_EQ(readFile(f.c.path() / "L/sub/x.txt"), "mappens fil");
    }
    // A folder of such a name goes whole, and nothing beside it.
    f.c.write("L/a\\b/c.txt", "c");
    f.c.write("L/a/b/c.txt", "andet");
    ASSERT_TRUE(f.platform.deleteFolder(u"C:\\L\\a" + platform::windowsNameOf("\\") + u"b"));
    EXPECT_FALSE(fs::exists(f.c.path() / "L/a\\b"));
    EXPECT_EQ(readFile(f.c.path() / "L/a/b/c.txt"), "andet");
}

TEST(PosixPlatform, FileAttributesComeFromMetadataWithoutOpening)
{
    Fixture f;
    f.c.write("A/fem.txt", "12345");
    fs::create_directories(f.c.path() / "A/Mappe");
    ASSERT_EQ(::mkfifo((f.c.path() / "A/fifo").c_str(), 0600), 0);
    fs::create_symlink(f.c.path() / "A/mangler", f.c.path() / "A/brudt");
    fs::create_symlink(f.c.path() / "A/fem.txt", f.c.path() / "A/link");
    using namespace platform;
    struct Case
    {
        std::u16string path;
        bool exists;
        std::optional<std::uint64_t> size; // none: not checked
        std::uint32_t attributes;
    };
    const Case cases[] = {
        {u"c:\\a\\FEM.TXT", true, 5, FILE_ATTRIBUTE_ARCHIVE},
        {u"C:\\A\\Mappe", true, 0, FILE_ATTRIBUTE_DIRECTORY},
        {u"C:\\A\\fifo", true, 0, FILE_ATTRIBUTE_ARCHIVE}, // returns at once: nothing is opened
        {u"C:\\A\\link", true, 5, FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_REPARSE_POINT},
        {u"C:\\A\\brudt", true, std::nullopt, FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_REPARSE_POINT},
        {u"C:\\A\\væk", false, 0, 0},
        {u"Q:\\A", false, 0, 0},
    };
    for (const auto &c : cases) {
        FindData data;
        ASSERT_EQ(f.platform.fileAttributes(c.path, data), c.exists) << toUtf8(c.path);
        if (!c.exists)
            continue;
        if (c.size) {
            EXPECT_EQ(data.size, *c.size) << toUtf8(c.path);
        }
        EXPECT_EQ(data.attributes, c.attributes) << toUtf8(c.path);
    }
}

// A volume trash that is a link (or an administrator's trash that is a link or not sticky)
// is never used: files would land, and permissions change, wherever the link points.
TEST(Trash, LinkedOrUnprotectedVolumeTrashesAreRefused)
{
    using Arrange = std::function<void(const fs::path &top, const fs::path &outside)>;
    struct Case
    {
        const char *what;
        Arrange arrange;
        const char *usedTrash; // below the volume top; none: refused and the file stays
    };
    const Case cases[] = {
        {"own trash is a link",
         [](auto &top, auto &outside) { fs::create_directory_symlink(outside, top / ".Trash-1234"); },
         nullptr},
        {"own trash's files folder is a link",
         [](auto &top, auto &outside) {
             fs::create_directory(top / ".Trash-1234");
             fs::create_directory_symlink(outside, top / ".Trash-1234/files");
         },
         nullptr},
        {"administrator's trash is a link to a sticky folder",
         [](auto &top, auto &outside) {
             fs::permissions(outside, fs::perms::all | fs::perms::sticky_bit);
             fs::create_directory_symlink(outside, top / ".Trash");
         },
         ".Trash-1234"},
        {"administrator's trash is not sticky",
         [](auto &top, auto &) { fs::create_directory(top / ".Trash"); }, ".Trash-1234"},
        {"administrator's trash holds a link for the user",
         [](auto &top, auto &outside) {
             fs::create_directory(top / ".Trash");
             fs::permissions(top / ".Trash", fs::perms::all | fs::perms::sticky_bit);
             fs::create_directory_symlink(outside, top / ".Trash/1234");
         },
         ".Trash-1234"},
        {"administrator's trash is usable",
         [](auto &top, auto &) {
             fs::create_directory(top / ".Trash");
             fs::permissions(top / ".Trash", fs::perms::all | fs::perms::sticky_bit);
         },
         ".Trash/1234"},
    };
    for (const auto &c : cases) {
        Fixture f;
        TempFolder home, outside;
        fs::permissions(outside.path(), fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec);
        c.arrange(f.d.path(), outside.path());
        const auto outsidePermissions = fs::status(outside.path()).permissions();
        f.platform.setTrashPlaces({home.str() + "/Trash", {"/", f.d.str()}, 1234});
        f.d.write("a.jpg", "A");

        const bool moved = f.platform.moveToRecycleBin(u"D:\\a.jpg");
        EXPECT_EQ(moved, c.usedTrash != nullptr) << c.what;
        if (c.usedTrash)
            EXPECT_EQ(readFile(f.d.path() / c.usedTrash / "files/a.jpg"), "A") << c.what;
        else
            EXPECT_EQ(readFile(f.d.path() / "a.jpg"), "A") << c.what;
        EXPECT_EQ(fs::status(outside.path()).permissions(), outsidePermissions) << c.what;
        EXPECT_FALSE(fs::exists(outside.path() / "a.jpg") || fs::exists(outside.path() / "files") ||
                     fs::exists(outside.path() / "info") || fs::exists(outside.path() / "1234"))
            << c.what;
        EXPECT_FALSE(fs::exists(home.path() / "Trash")) << c.what;
    }
}

TEST(Trash, EmptyingNeverReachesThroughALinkedTrash)
{
    Fixture f;
    TempFolder home, outside;
    outside.write("files/a.jpg", "someone else's");
    outside.write("info/a.jpg.trashinfo", "[Trash Info]\nPath=a.jpg\nDeletionDate=2024-01-01T00:00:00\n");
    fs::create_directory_symlink(outside.path(), f.d.path() / ".Trash-1234");
    f.platform.setTrashPlaces({home.str() + "/Trash", {"/", f.d.str()}, 1234});
    EXPECT_EQ(f.platform.emptyRecycleBin(u"D:\\"), 0);
    EXPECT_EQ(readFile(outside.path() / "files/a.jpg"), "someone else's");
}

// Both the flag and the way taken where a file system refuses it never replace a target.
TEST(PosixPlatform, RenameWithoutReplacingWorksWithAndWithoutTheFlag)
{
    using Rename = bool (*)(const std::string &, const std::string &);
    for (const Rename rename :
         {Rename(platform::posix::renameNoReplace), Rename(platform::posix::renameNoReplaceByHand)}) {
        const std::string how = rename == Rename(platform::posix::renameNoReplace) ? "flag" : "by hand";
        TempFolder t;
        const auto at = [&](const char *name) { return (t.path() / name).string(); };
        t.write("a.txt", "A");
        t.write("b.txt", "B");
        t.write("Mappe/x.txt", "x");
        fs::create_directory(t.path() / "Tom");
        fs::create_symlink("a.txt", t.path() / "link");
        fs::create_hard_link(t.path() / "b.txt", t.path() / "b-igen.txt");

        EXPECT_FALSE(rename(at("a.txt"), at("b.txt"))) << how;
        EXPECT_EQ(errno, EEXIST) << how;
        EXPECT_FALSE(rename(at("Mappe"), at("Tom"))) << how; // a plain rename would replace it
        EXPECT_FALSE(rename(at("b.txt"), at("b-igen.txt"))) << how;
        EXPECT_FALSE(rename(at("mangler"), at("ny"))) << how;
        EXPECT_EQ(readFile(t.path() / "a.txt"), "A") << how;
        EXPECT_EQ(readFile(t.path() / "b.txt"), "B") << how;
        EXPECT_TRUE(fs::exists(t.path() / "Mappe/x.txt") && fs::is_directory(t.path() / "Tom")) << how;

        EXPECT_TRUE(rename(at("a.txt"), at("A.TXT"))) << how;
        EXPECT_FALSE(fs::exists(t.path() / "a.txt")) << how;
        EXPECT_EQ(readFile(t.path() / "A.TXT"), "A") << how;
        EXPECT_TRUE(rename(at("Mappe"), at("Omdøbt"))) << how;
        EXPECT_EQ(readFile(t.path() / "Omdøbt/x.txt"), "x") << how;
        EXPECT_TRUE(rename(at("link"), at("link2"))) << how;
        EXPECT_EQ(fs::read_symlink(t.path() / "link2"), "a.txt") << how; // moved as a link
    }
}

// The back end's own small text files: only regular files of sane size are read, and a FIFO or a
// device never blocks.
TEST(TextFiles, OnlyRegularFilesOfSaneSizeAreRead)
{
    TempFolder folder;
    const std::string base = folder.str();
    {
        std::ofstream(base + "/user-dirs.dirs") << "XDG_DESKTOP_DIR=\"$HOME/Skrivebord\"\n";
    }
    ASSERT_EQ(::mkfifo((base + "/fifo.desktop").c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", base + "/zero.desktop");
    fs::create_directory(base + "/folder.desktop");
    {
        std::ofstream(base + "/big.trashinfo") << std::string(2 * 1024 * 1024, 'x');
    }

    std::string text;
    EXPECT_TRUE(platform::posix::readRegularTextFile(base + "/user-dirs.dirs", text));
    EXPECT_EQ(text, "XDG_DESKTOP_DIR=\"$HOME/Skrivebord\"\n");
    for (const char *name :
         {"/fifo.desktop", "/zero.desktop", "/folder.desktop", "/big.trashinfo", "/none"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(platform::posix::readRegularTextFile(base + name, text));
        EXPECT_TRUE(text.empty());
    }
}

// A console opens in the folder asked for: the terminal's own shell for the command prompt,
// "pwsh" for PowerShell, and only where both are found.
TEST(PosixPlatform, ConsolesOpenInTheirFolderAndOnlyWhereTheyExist)
{
    RecordingFixture f;
    TempFolder bin;
    bin.write("xterm", "#!/bin/sh\n");
    fs::permissions(bin.path() / "xterm", fs::perms::owner_all);
    fs::create_directories(f.c.path() / "Mine ting");
    using platform::ConsoleKind;

    EXPECT_FALSE(f.platform.consoleAvailable(ConsoleKind::CommandPrompt));
    EXPECT_EQ(f.platform.openConsole(ConsoleKind::CommandPrompt, u"C:\\Mine ting"), 31);
    f.platform.setConsoleSearch(bin.str(), "");
    EXPECT_TRUE(f.platform.consoleAvailable(ConsoleKind::CommandPrompt));
    EXPECT_FALSE(f.platform.consoleAvailable(ConsoleKind::PowerShell));
    EXPECT_EQ(f.platform.openConsole(ConsoleKind::PowerShell, u"C:\\Mine ting"), 31);
    EXPECT_TRUE(f.platform.starts.empty());

    EXPECT_GT(f.platform.openConsole(ConsoleKind::CommandPrompt, u"C:\\Mine ting"), 32);
    bin.write("pwsh", "#!/bin/sh\n");
    fs::permissions(bin.path() / "pwsh", fs::perms::owner_all);
    EXPECT_TRUE(f.platform.consoleAvailable(ConsoleKind::PowerShell));
    EXPECT_GT(f.platform.openConsole(ConsoleKind::PowerShell, u"C:\\Mine ting"), 32);
    ASSERT_EQ(f.platform.starts.size(), 2u);
    EXPECT_EQ(f.platform.starts[0].launch, (platform::posix::Launch{"xterm", {}}));
    EXPECT_EQ(f.platform.starts[1].launch, (platform::posix::Launch{"xterm", {"-e", "pwsh"}}));
    for (const auto &start : f.platform.starts)
        EXPECT_EQ(start.directory, f.c.str() + "/Mine ting");
    EXPECT_EQ(f.platform.openConsole(ConsoleKind::CommandPrompt, u"C:\\Findes ikke"), 3);
}

// An interactive console closes with its shell; a script's console stays open.
TEST(PosixPlatform, TerminalArgumentsWithoutHoldForInteractiveConsoles)
{
    const std::map<std::string, std::vector<std::string>> expected{
        {"xterm", {"-e", "pwsh"}},          {"konsole", {"-e", "pwsh"}},
        {"xfce4-terminal", {"-x", "pwsh"}}, {"gnome-terminal", {"--", "pwsh"}},
        {"mate-terminal", {"-x", "pwsh"}},  {"x-terminal-emulator", {"-e", "pwsh"}},
    };
    for (const auto &[terminal, arguments] : expected)
        EXPECT_EQ(platform::posix::terminalArguments(terminal, {"pwsh"}, false), arguments) << terminal;
}

// The Exec line keeps a path with blanks, quotes, dollars, backslashes and percent signs one
// argument; a line break cannot stand in it.
TEST(PosixPlatform, AutostartEntryQuotesTheProgram)
{
    const auto plain = platform::posix::autostartEntry("/opt/zun kolvra/bin/zunkolvra", "zunKolvra");
    ASSERT_TRUE(plain);
    EXPECT_NE(plain->find("[Desktop Entry]\nType=Application\nName=zunKolvra\n"), std::string::npos);
    EXPECT_NE(plain->find("\nExec=\"/opt/zun kolvra/bin/zunkolvra\"\n"), std::string::npos);
    const auto odd = platform::posix::autostartEntry("/a\"b/$c/d\\e/100%/x", "zunKolvra");
    ASSERT_TRUE(odd);
    EXPECT_NE(odd->find("\nExec=\"/a\\\\\"b/\\\\$c/d\\\\\\\\e/100%%/x\"\n"), std::string::npos) << *odd;
    // What a desktop makes of the line: the value's escapes first, then the Exec quoting.
    EXPECT_FALSE(platform::posix::autostartEntry("/a\nb", "zunKolvra"));
    EXPECT_FALSE(platform::posix::autostartEntry("", "zunKolvra"));
}

// The start-up entry is a desktop entry in the autostart folder, made from the shortcut's target,
// never over an entry that is there.
TEST(PosixPlatform, StartupEntryIsMadeFromTheShortcut)
{
    RecordingFixture f;
    platform::Path folder;
    EXPECT_FALSE(f.platform.startupFolder(folder));
    f.platform.setAutostartFolder(f.c.str() + "/config/autostart");
    ASSERT_TRUE(f.platform.startupFolder(folder));
    EXPECT_EQ(folder, u"C:\\config\\autostart");
    EXPECT_TRUE(fs::is_directory(f.c.path() / "config/autostart"));
    EXPECT_EQ(f.platform.startupEntryName(u"zunKolvra.lnk"), u"zunKolvra.desktop");

    f.c.write("Program/zun kolvra", "#!/bin/sh\n");
    f.c.write("Genveje/zunKolvra.lnk",
              platform::writeShellLink(u"C:\\Program\\zun kolvra", false, u"C:\\Program", u"C:\\Genveje"));
    EXPECT_FALSE(
        f.platform.addStartupEntry(u"C:\\Genveje\\mangler.lnk", u"C:\\config\\autostart\\z.desktop"));
    ASSERT_TRUE(f.platform.addStartupEntry(u"C:\\Genveje\\zunKolvra.lnk",
                                           u"C:\\config\\autostart\\zunKolvra.desktop"));
    const std::string entry = readFile(f.c.path() / "config/autostart/zunKolvra.desktop");
    EXPECT_NE(entry.find("Exec=\"" + f.c.str() + "/Program/zun kolvra\"\n"), std::string::npos) << entry;
    EXPECT_FALSE(f.platform.addStartupEntry(u"C:\\Genveje\\zunKolvra.lnk",
                                            u"C:\\config\\autostart\\zunKolvra.desktop"));
    EXPECT_EQ(platform::lastError(), platform::Win32Error::FileExists);
    EXPECT_FALSE(fs::exists(f.c.path() / "config/autostart/zunKolvra.desktop.ny"));
}
