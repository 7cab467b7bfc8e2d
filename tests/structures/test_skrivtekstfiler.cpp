#include "core/messages.h"
#include "structures/skrivtekstfiler.h"
#include "support/headlessdialogs.h"
#include "support/testdrives.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTest>
#include <functional>
#ifndef _WIN32
#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

using testsupport::ScriptedResponder;

namespace {

const QByteArray kBom("\xEF\xBB\xBF");
const QByteArray kHtml("<!DOCTYPE html>\r\n<html>\r\n<head>\r\n<title></title>\r\n</head>\r\n<body>\r\n\r\n"
                       "</body>\r\n</html>\r\n");

#ifndef _WIN32
// Runs `work` in a child process under `limits`, so a file-size limit cannot reach the test
// itself. 1 when it returned true, 0 for false, -1 when it did not finish.
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

// Every name in a host folder, hidden ones too: a temporary file left behind shows here.
QStringList entries(const QString &hostFolder)
{
    return QDir(hostFolder)
        .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace

class TestSkrivTekstfiler : public QObject
{
    Q_OBJECT
    // Messages, questions and progress windows without a user.
    testsupport::HeadlessDialogs m_dialogs;
private slots:
    void createsTemplateUnderAFreeName_data();
    void createsTemplateUnderAFreeName();
    void freeNameSetsFolderAndExtension_data();
    void freeNameSetsFolderAndExtension();
    void refusesWithAMessageAndWritesNothing_data();
    void refusesWithAMessageAndWritesNothing();
    void aFullDiskLeavesNothingBehind();
    void aReadOnlyFolderLeavesNothingBehind();
};

void TestSkrivTekstfiler::createsTemplateUnderAFreeName_data()
{
    QTest::addColumn<QStringList>("existing"); // files already there; a trailing "\" makes a folder
    QTest::addColumn<QString>("asked");
    QTest::addColumn<QString>("created");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("html beside its namesake") << QStringList{"C:\\Data\\Ny.html"} << "C:\\Data\\Ny.html"
                                              << "C:\\Data\\Ny (1).html" << kBom + kHtml;
    QTest::newRow("html past two taken names")
        << QStringList{"C:\\Data\\Ny.html", "C:\\Data\\Ny (1).html"} << "C:\\Data\\Ny.html"
        << "C:\\Data\\Ny (2).html" << kBom + kHtml;
    QTest::newRow("a folder takes the name too") << QStringList{"C:\\Data\\Ny.html\\"} << "C:\\Data\\Ny.html"
                                                 << "C:\\Data\\Ny (1).html" << kBom + kHtml;
    QTest::newRow("txt holds only the byte-order mark") << QStringList{} << "C:\\Data\\Tekstfil.txt"
                                                        << "C:\\Data\\Tekstfil.txt" << kBom;
    QTest::newRow("asp") << QStringList{} << "C:\\Data\\Side.asp"
                         << "C:\\Data\\Side.asp"
                         << kBom + "<%@LANGUAGE=\"VBSCRIPT\" CODEPAGE=\"1252\"%>\r\n" + kHtml;
    QTest::newRow("wsf") << QStringList{} << "C:\\Data\\Job.wsf"
                         << "C:\\Data\\Job.wsf"
                         << kBom + "<job id=\"\">\r\n<script language=\"VBScript\">\r\n\r\n</script>\r\n"
                                   "</job>\r\n";
    QTest::newRow("extension compared exactly") << QStringList{} << "C:\\Data\\STOR.HTML"
                                                << "C:\\Data\\STOR.HTML" << kBom;
    QTest::newRow("no extension") << QStringList{"C:\\Data\\LÆSMIG"} << "C:\\Data\\LÆSMIG"
                                  << "C:\\Data\\LÆSMIG (1)" << kBom;
    QTest::newRow("drive root") << QStringList{"C:\\Ny.txt"} << "C:\\Ny.txt"
                                << "C:\\Ny (1).txt" << kBom;
    QTest::newRow("Danish letters") << QStringList{"D:\\Blåbær\\Æblegrød.html"} << "D:\\Blåbær\\Æblegrød.html"
                                    << "D:\\Blåbær\\Æblegrød (1).html" << kBom + kHtml;
    QTest::newRow("outside Windows-1252")
        << QStringList{"C:\\Документы\\Заметки.txt"} << "C:\\Документы\\Заметки.txt"
        << "C:\\Документы\\Заметки (1).txt" << kBom;
}

void TestSkrivTekstfiler::createsTemplateUnderAFreeName()
{
    QFETCH(QStringList, existing);
    QFETCH(QString, asked);
    QFETCH(QString, created);
    QFETCH(QByteArray, bytes);
    TestDrives drives;
    QDir().mkpath(drives.host(asked.left(asked.lastIndexOf(u'\\'))));
    for (const QString &path : existing) {
        if (path.endsWith(u'\\'))
            QDir().mkpath(drives.host(path.chopped(1)));
        else
            drives.writeBytes(path, "gammel");
    }
    ScriptedResponder responder;
    TSkrivTekstfiler skriv;

    QCOMPARE(skriv.opretTekstfil(asked), created);
    QCOMPARE(responder.texts(), QStringList());
    QCOMPARE(drives.readBytes(created), bytes);
    for (const QString &path : existing) {
        if (!path.endsWith(u'\\'))
            QCOMPARE(drives.readBytes(path), QByteArray("gammel"));
    }
    // The name on disk is the name asked for, and no temporary file is left.
    const QString hostFolder = drives.host(created.left(created.lastIndexOf(u'\\')));
    QStringList expected;
    for (const QString &path : existing + QStringList{created}) {
        const QString name = path.endsWith(u'\\') ? path.chopped(1) : path;
        expected << name.mid(name.lastIndexOf(u'\\') + 1);
    }
    expected.sort();
    QCOMPARE(entries(hostFolder), expected);
}

void TestSkrivTekstfiler::freeNameSetsFolderAndExtension_data()
{
    QTest::addColumn<QString>("asked");
    QTest::addColumn<QString>("free");
    QTest::addColumn<QString>("hovedmappe");
    QTest::addColumn<QString>("ext");

    QTest::newRow("free as asked") << "C:\\Data\\Ny.html"
                                   << "C:\\Data\\Ny.html"
                                   << "C:\\Data"
                                   << ".html";
    QTest::newRow("taken") << "C:\\Data\\Brev.txt"
                           << "C:\\Data\\Brev (1).txt"
                           << "C:\\Data"
                           << ".txt";
    QTest::newRow("last dot only") << "C:\\Data\\a.b.c"
                                   << "C:\\Data\\a.b.c"
                                   << "C:\\Data"
                                   << ".c";
    QTest::newRow("dot in a folder name") << "C:\\Data.1\\Navn"
                                          << "C:\\Data.1\\Navn"
                                          << "C:\\Data.1"
                                          << "";
    QTest::newRow("missing folder") << "C:\\Mangler\\Ny.txt"
                                    << "C:\\Mangler\\Ny.txt"
                                    << "C:\\Mangler"
                                    << ".txt";
    QTest::newRow("no folder") << "Ny.txt"
                               << ""
                               << ""
                               << ".txt";
    QTest::newRow("unusable name") << "C:\\Data\\a:b.txt"
                                   << ""
                                   << "C:\\Data"
                                   << ".txt";
    QTest::newRow("device name") << "C:\\Data\\nul.txt"
                                 << ""
                                 << "C:\\Data"
                                 << ".txt";
}

void TestSkrivTekstfiler::freeNameSetsFolderAndExtension()
{
    QFETCH(QString, asked);
    QFETCH(QString, free);
    QFETCH(QString, hovedmappe);
    QFETCH(QString, ext);
    TestDrives drives;
    drives.writeBytes("C:\\Data\\Brev.txt", "x");
    TSkrivTekstfiler skriv;
    QCOMPARE(skriv.getFilnavn(asked), free);
    QCOMPARE(skriv.Hovedmappe, hovedmappe);
    QCOMPARE(skriv.Ext, ext);
}

void TestSkrivTekstfiler::refusesWithAMessageAndWritesNothing_data()
{
    QTest::addColumn<QString>("asked");
    QTest::addColumn<QString>("message");

    QTest::newRow("empty") << ""
                           << "Der er fejl i filnavnet.\r";
    QTest::newRow("forbidden character") << "C:\\Data\\a*b.html"
                                         << "Der er fejl i filnavnet.\rNavnet \"a*b.html\" kan ikke "
                                            "bruges.\rEt navn må ikke indeholde tegnene "
                                            "\\ / : * ? \" < > |";
    QTest::newRow("no folder") << "Ny.txt"
                               << "Der er fejl i filnavnet.\r";
    QTest::newRow("missing folder") << "C:\\Data\\Mangler\\Ny.txt"
                                    << "Filen\rC:\\Data\\Mangler\\Ny.txt\rkunne ikke oprettes.\r"
                                       "Mappen C:\\Data\\Mangler findes ikke.";
    QTest::newRow("drive not in the table")
        << "Q:\\Ny.txt"
        << "Filen\rQ:\\Ny.txt\rkunne ikke oprettes.\rMappen Q: findes ikke.";
    QTest::newRow("folder is a file") << "C:\\Data\\fil.txt\\Ny.txt"
                                      << "Filen\rC:\\Data\\fil.txt\\Ny.txt\rkunne ikke oprettes.\r"
                                         "Mappen C:\\Data\\fil.txt findes ikke.";
}

void TestSkrivTekstfiler::refusesWithAMessageAndWritesNothing()
{
    QFETCH(QString, asked);
    QFETCH(QString, message);
    TestDrives drives;
    drives.writeBytes("C:\\Data\\fil.txt", "x");
    ScriptedResponder responder;
    TSkrivTekstfiler skriv;
    QCOMPARE(skriv.opretTekstfil(asked), QString());
    QCOMPARE(responder.texts(), QStringList{message});
    QCOMPARE(entries(drives.host("C:\\Data")), QStringList{"fil.txt"});
}

void TestSkrivTekstfiler::aFullDiskLeavesNothingBehind()
{
#ifdef _WIN32
    QSKIP("a full disk is stood for by a file-size limit (setrlimit) in a forked child; Windows has neither");
#else
    TestDrives drives;
    drives.writeBytes("C:\\Data\\Ny.html", "gammel");
    // A file-size limit makes the write fail as a full disk does: not even the whole template fits.
    const int result = inChild(
        [] {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{16, 16};
            ::setrlimit(RLIMIT_FSIZE, &limit);
        },
        [] {
            ScriptedResponder responder;
            TSkrivTekstfiler skriv;
            return skriv.opretTekstfil("C:\\Data\\Ny.html").isEmpty() &&
                   responder.texts() == QStringList{"Filen\rC:\\Data\\Ny (1).html\rkunne ikke oprettes.\r"
                                                    "Filen kunne ikke skrives færdig. Måske er disken fuld."};
        });
    QCOMPARE(result, 1);
    QCOMPARE(entries(drives.host("C:\\Data")), QStringList{"Ny.html"});
    QCOMPARE(drives.readBytes("C:\\Data\\Ny.html"), QByteArray("gammel"));
#endif
}

void TestSkrivTekstfiler::aReadOnlyFolderLeavesNothingBehind()
{
#ifdef _WIN32
    QSKIP("a read-only folder is made with POSIX permissions, which Windows folders do not have");
#else
    if (::geteuid() == 0)
        QSKIP("root writes in a read-only folder");
    TestDrives drives;
    drives.writeBytes("C:\\Laast\\Ny.txt", "gammel");
    const QString laast = drives.host("C:\\Laast");
    QVERIFY(QFile::setPermissions(laast, QFile::ReadOwner | QFile::ExeOwner));
    const auto restore = qScopeGuard(
        [&] { QFile::setPermissions(laast, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner); });
    ScriptedResponder responder;
    TSkrivTekstfiler skriv;
    QCOMPARE(skriv.opretTekstfil("C:\\Laast\\Ny.txt"), QString());
    QCOMPARE(responder.texts(), QStringList{"Filen\rC:\\Laast\\Ny (1).txt\rkunne ikke oprettes.\r"
                                            "Der er ikke adgang til at skrive i mappen C:\\Laast."});
    QCOMPARE(entries(laast), QStringList{"Ny.txt"});
#endif
}

QTEST_GUILESS_MAIN(TestSkrivTekstfiler)
#include "test_skrivtekstfiler.moc"
