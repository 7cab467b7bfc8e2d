#include "core/cp1252.h"
#include "core/linefile.h"
#include "support/testdrives.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>
#include <functional>
#ifndef _WIN32
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {

const QByteArray kUtf8Bom("\xEF\xBB\xBF");

#ifndef _WIN32
// Runs `work` in a child process, so that a hang, a runaway allocation or a resource limit
// fails one test instead of taking the run down. 1 when it returned true, 0 for false, -1
// when it did not finish.
int inChild(const std::function<void()> &limits, const std::function<bool()> &work)
{
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::alarm(20);
        limits();
        ::_exit(work() ? 1 : 0);
    }
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid)
        return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
#endif

} // namespace

class TestLineFile : public QObject
{
    Q_OBJECT
private slots:
    void writesWindows1252WithCrLfAfterEveryLine();
    void roundTripsDanishAndEmptyLines();
    void decodes_data();
    void decodes();
    void unrepresentableCharactersBecomeQuestionMarks();
    void missingFileIsNotAnEmptyList();
    void writeReplacesWholeAndLeavesNoTemporaryFile();
    void failedWriteLeavesTheOldFile();
    void writesEveryValueSoItReadsBackTheSame_data();
    void writesEveryValueSoItReadsBackTheSame();
    void writeThatRunsOutOfSpaceKeepsTheOldFile_data();
    void writeThatRunsOutOfSpaceKeepsTheOldFile();
    void readsOnlyRegularFilesOfSaneSize_data();
    void readsOnlyRegularFilesOfSaneSize();
    void neverWritesOverAFifo();
};

void TestLineFile::writesWindows1252WithCrLfAfterEveryLine()
{
    TestDrives drives;
    QVERIFY(core::writeLines("C:\\Egenskaber\\x.txt", {"Æblegrød", "", "€ 5"}) == false); // folder missing
    QDir().mkpath(drives.host("C:\\Egenskaber"));
    QVERIFY(core::writeLines("C:\\Egenskaber\\x.txt", {"Æblegrød", "", "€ 5"}));
    QCOMPARE(drives.readBytes("C:\\Egenskaber\\x.txt"), QByteArray("\xC6"
                                                                   "blegr\xF8"
                                                                   "d\r\n\r\n\x80 5\r\n"));
}

void TestLineFile::roundTripsDanishAndEmptyLines()
{
    TestDrives drives;
    const QStringList lines{"Søg på nettet", "", "  indrykket  ", "ÆØÅ æøå é ü", "1", ""};
    QVERIFY(core::writeLines("D:\\liste.txt", lines));
    QCOMPARE(core::readLines("D:\\liste.txt").value(), lines);
    QCOMPARE(core::readLines("d:\\LISTE.TXT").value(), lines);
}

void TestLineFile::decodes_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("empty") << QByteArray() << QStringList();
    QTest::newRow("no final break") << QByteArray("a\r\nb") << QStringList{"a", "b"};
    QTest::newRow("LF only") << QByteArray("a\nb\n") << QStringList{"a", "b"};
    QTest::newRow("CR only") << QByteArray("a\rb\r") << QStringList{"a", "b"};
    QTest::newRow("empty lines kept") << QByteArray("\r\n\r\nx\r\n") << QStringList{"", "", "x"};
    QTest::newRow("cp1252") << QByteArray("h\xF8j \x96 \x80") << QStringList{"høj – €"};
    QTest::newRow("UTF-8 BOM") << QByteArray("\xEF\xBB\xBFh\xC3\xB8j\r\n") << QStringList{"høj"};
    QTest::newRow("UTF-16LE BOM") << QByteArray("\xFF\xFEh\0\xF8\0j\0\r\0\n\0", 12) << QStringList{"høj"};
    QTest::newRow("UTF-16BE BOM") << QByteArray("\xFE\xFF\0h\0\xF8\0j", 8) << QStringList{"høj"};
    QTest::newRow("unassigned byte") << QByteArray("\x81") << QStringList{QString(QChar(0x81))};
    // Without a mark, valid UTF-8 with a byte above 127 is what a Linux editor wrote.
    QTest::newRow("UTF-8 without a mark") << QByteArray("C:\\Test\\\xC3\x98st\nbl\xC3\xA5"
                                                        "b\xC3\xA6r\n")
                                          << QStringList{"C:\\Test\\Øst", "blåbær"};
    QTest::newRow("one byte no UTF-8 makes it all Windows-1252")
        << QByteArray("\xC3\x98st\r\nh\xF8j") << QStringList{"Ã˜st", "høj"};
    QTest::newRow("UTF-8 cut off at the end") << QByteArray("h\xC3\xB8j\xC3") << QStringList{"hÃ¸jÃ"};
    // A value's own U+FEFF after the mark is kept, in either encoding.
    QTest::newRow("UTF-8 mark, then U+FEFF") << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBF"
                                                           "a\r\n")
                                             << QStringList{QStringLiteral(u"\uFEFFa")};
    QTest::newRow("UTF-16LE mark, then U+FEFF") << QByteArray("\xFF\xFE\xFF\xFE"
                                                              "a\0",
                                                              6)
                                                << QStringList{QStringLiteral(u"\uFEFFa")};
    QTest::newRow("UTF-16 lone surrogate") << QByteArray("\xFF\xFE\x00\xD8"
                                                         "a\0",
                                                         6)
                                           << QStringList{QString(QChar(0xD800)) + "a"};
    QTest::newRow("overlong UTF-8 form") << QByteArray("\xC0\xAF") << QStringList{"À¯"};
    QTest::newRow("line breaks inside values")
        << (kUtf8Bom + QStringLiteral(u"a\uE00Ab\uE00D\uE00A\r\n\uE000\uE00A\uE000\uE000").toUtf8())
        << QStringList{"a\nb\r\n", QStringLiteral(u"\uE00A\uE000")};
}

void TestLineFile::decodes()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    QCOMPARE(core::decodeLines(bytes), lines);
}

void TestLineFile::unrepresentableCharactersBecomeQuestionMarks()
{
    QCOMPARE(core::encodeCp1252(QString::fromUtf8("Ω ok 😀")), QByteArray("? ok ?"));
    for (int b = 0; b < 256; ++b) {
        const QByteArray byte(1, char(b));
        QCOMPARE(core::encodeCp1252(core::decodeCp1252(byte)), byte);
    }
}

void TestLineFile::missingFileIsNotAnEmptyList()
{
    TestDrives drives;
    QVERIFY(!core::readLines("C:\\mangler.txt").has_value());
    QVERIFY(!core::readLines("Q:\\ukendt drev.txt").has_value());
    drives.writeBytes("C:\\tom.txt", {});
    QCOMPARE(core::readLines("C:\\tom.txt").value(), QStringList());
}

void TestLineFile::writeReplacesWholeAndLeavesNoTemporaryFile()
{
    TestDrives drives;
    QVERIFY(core::writeLines("C:\\a.txt", {"1", "2", "3", "4"}));
    QVERIFY(core::writeLines("C:\\a.txt", {"ny"}));
    QCOMPARE(drives.readBytes("C:\\a.txt"), QByteArray("ny\r\n"));
    QCOMPARE(QDir(drives.rootC()).entryList(QDir::Files | QDir::Hidden), QStringList{"a.txt"});
}

void TestLineFile::failedWriteLeavesTheOldFile()
{
    TestDrives drives;
    QVERIFY(core::writeLines("C:\\a.txt", {"gammel"}));
    // A folder where the temporary file would go cannot be written: here a path on no drive.
    QVERIFY(!core::writeLines("Q:\\a.txt", {"ny"}));
    QVERIFY(!core::writeLines("C:\\a.txt\\under.txt", {"ny"}));
    QCOMPARE(drives.readBytes("C:\\a.txt"), QByteArray("gammel\r\n"));
}

void TestLineFile::writesEveryValueSoItReadsBackTheSame_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<bool>("utf8");
    QTest::newRow("Windows-1252") << QStringList{"Æblegrød", "", "€ 5 – «»"} << false;
    QTest::newRow("Cyrillic") << QStringList{"Документы", "C:\\Users\\Документы"} << true;
    QTest::newRow("outside the code page") << QStringList{"Genveje ő", "1"} << true;
    QTest::newRow("surrogate pair") << QStringList{"😀 glad"} << true;
    QTest::newRow("LF in a name") << QStringList{"Data", "C:\\a\nb", "x"} << true;
    QTest::newRow("CR LF and lone CR") << QStringList{"en\r\nto", "\r", "\n\n", ""} << true;
    QTest::newRow("the private-use marks")
        << QStringList{QStringLiteral(u"\uE00A\uE00D\uE000"), QStringLiteral(u"\uE000x")} << true;
    QTest::newRow("looks like a UTF-16LE mark") << QStringList{"ÿþ billeder", "2"} << true;
    QTest::newRow("looks like a UTF-16BE mark") << QStringList{"þÿ"} << true;
    QTest::newRow("looks like a UTF-8 mark") << QStringList{"ï»¿abc"} << true;
    QTest::newRow("mark-like text later on") << QStringList{"a", "ÿþ", "ï»¿"} << false;
    QTest::newRow("a mark later on that reads as UTF-8") << QStringList{"a", "ï»¿"} << true;
    QTest::newRow("starts with U+FEFF") << QStringList{QStringLiteral(u"\uFEFF\uFEFFa"), "b"} << true;
    // Only UTF-16 holds a lone surrogate; it is not made "?".
    QTest::newRow("lone surrogate") << QStringList{QString(QChar(0xDC00)) + "x", "ø"} << false;
    QTest::newRow("Windows-1252 whose bytes are UTF-8") << QStringList{"C:\\Ã˜st", "Ã¦Ã¸Ã¥"} << true;
}

void TestLineFile::writesEveryValueSoItReadsBackTheSame()
{
    QFETCH(QStringList, lines);
    QFETCH(bool, utf8);
    TestDrives drives;
    QVERIFY(core::writeLines("C:\\liste.txt", lines));
    const QByteArray bytes = drives.readBytes("C:\\liste.txt");
    QCOMPARE(bytes.startsWith(kUtf8Bom), utf8);
    QCOMPARE(bytes.count('\n'), lines.size());
    QCOMPARE(bytes.count('\r'), lines.size());
    QCOMPARE(core::readLines("C:\\liste.txt").value(), lines);
}

void TestLineFile::writeThatRunsOutOfSpaceKeepsTheOldFile_data()
{
    QTest::addColumn<int>("lineCount");
    QTest::newRow("fits the write buffer") << 100;
    QTest::newRow("larger than the write buffer") << 5000;
}

void TestLineFile::writeThatRunsOutOfSpaceKeepsTheOldFile()
{
#ifdef _WIN32
    QSKIP("a full disk is stood for by a file-size limit (setrlimit) in a forked child; Windows has neither");
#else
    QFETCH(int, lineCount);
    TestDrives drives;
    QVERIFY(core::writeLines("C:\\a.txt", {"gammel"}));
    const QStringList lines(lineCount, QString(60, u'x'));
    // A file-size limit makes the write fail as a full disk does.
    const int result = inChild(
        [] {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{1024, 1024};
            ::setrlimit(RLIMIT_FSIZE, &limit);
        },
        [&] { return core::writeLines("C:\\a.txt", lines); });
    QCOMPARE(result, 0);
    QCOMPARE(drives.readBytes("C:\\a.txt"), QByteArray("gammel\r\n"));
    QCOMPARE(QDir(drives.rootC()).entryList(QDir::Files | QDir::Hidden), QStringList{"a.txt"});
#endif
}

void TestLineFile::readsOnlyRegularFilesOfSaneSize_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("FIFO") << "fifo";
    QTest::newRow("link to a FIFO") << "fifo link";
    QTest::newRow("link to /dev/zero") << "/dev/zero";
    QTest::newRow("link to /dev/urandom") << "/dev/urandom";
    QTest::newRow("folder") << "folder";
    QTest::newRow("over 16 MiB") << "big";
}

void TestLineFile::readsOnlyRegularFilesOfSaneSize()
{
    QFETCH(QString, kind);
    if (kind != "folder" && kind != "big")
        SKIP_ON_WINDOWS("FIFOs and devices are POSIX, and Windows makes no symbolic link here");
    TestDrives drives;
    const QString path = drives.host("C:\\opt.txt");
    const QString fifo = drives.host("C:\\fifo");
    if (kHostHasFifos)
        QVERIFY(makeFifo(fifo));
    if (kind == "fifo")
        QVERIFY(makeFifo(path));
    else if (kind == "fifo link")
        QVERIFY(QFile::link(fifo, path));
    else if (kind.startsWith('/'))
        QVERIFY(QFile::link(kind, path));
    else if (kind == "folder")
        QVERIFY(QDir().mkpath(path));
    else if (kind == "big") {
        QFile big(path);
        QVERIFY(big.open(QIODevice::WriteOnly) && big.resize(16 * 1024 * 1024 + 1));
    }
#ifdef _WIN32
    // No child to hold a memory limit: read here.
    QVERIFY(!core::readLines("C:\\opt.txt").has_value());
#else
    // Room for 1 GiB more than the child has mapped, so a runaway read fails fast.
    const int result = inChild(
        [] {
            QFile statm("/proc/self/statm");
            const bool read = statm.open(QIODevice::ReadOnly);
            const rlim_t mapped = read ? statm.readAll().split(' ').first().toULongLong() : 0;
            const rlimit limit{mapped * rlim_t(::sysconf(_SC_PAGESIZE)) + (rlim_t(1) << 30), RLIM_INFINITY};
            if (mapped > 0)
                ::setrlimit(RLIMIT_AS, &limit);
        },
        [] { return !core::readLines("C:\\opt.txt").has_value(); });
    QCOMPARE(result, 1);
#endif

    // A link to a regular file is read as the file (Windows: no symbolic link made here).
    if (kWindowsHost)
        return;
    drives.writeBytes("C:\\rigtig.txt", "1\r\n2\r\n");
    QVERIFY(QFile::link(drives.host("C:\\rigtig.txt"), drives.host("C:\\link.txt")));
    QCOMPARE(core::readLines("C:\\link.txt").value(), (QStringList{"1", "2"}));
}

void TestLineFile::neverWritesOverAFifo()
{
#ifdef _WIN32
    QSKIP("Windows has no FIFOs");
#else
    TestDrives drives;
    const QString fifo = drives.host("C:\\opt.txt");
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QVERIFY(QFile::link(fifo, drives.host("C:\\link.txt")));
    for (const char *path : {"C:\\opt.txt", "C:\\link.txt"}) {
        QCOMPARE(inChild([] {}, [&] { return core::writeLines(path, {"ny"}); }), 0);
        struct stat info;
        QCOMPARE(::stat(QFile::encodeName(fifo).constData(), &info), 0);
        QVERIFY(S_ISFIFO(info.st_mode));
    }
#endif
}

QTEST_GUILESS_MAIN(TestLineFile)
#include "test_linefile.moc"
