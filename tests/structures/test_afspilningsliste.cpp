#include "core/messages.h"
#include "structures/skrivtekstfiler.h"
#include "support/headlessdialogs.h"
#include "support/testdrives.h"

#include <QDir>
#include <QFile>
#include <QTest>

using testsupport::ScriptedResponder;
using Afspiller = TSkrivTekstfiler::Afspiller;

namespace {

const QByteArray kBom("\xEF\xBB\xBF");

// The lines of a page as written: after the byte-order mark, every line ends with CR LF.
QStringList pageLines(const QByteArray &bytes)
{
    if (!bytes.startsWith(kBom) || !bytes.endsWith("\r\n"))
        return {"not UTF-8 with BOM and a last CR LF"};
    QStringList lines = QString::fromUtf8(bytes.mid(3).chopped(2)).split("\r\n");
    for (const QString &line : lines) {
        if (line.contains(u'\r') || line.contains(u'\n'))
            return {"a bare CR or LF"};
    }
    return lines;
}

} // namespace

class TestAfspilningsliste : public QObject
{
    Q_OBJECT
    // Messages, questions and progress windows without a user.
    testsupport::HeadlessDialogs m_dialogs;
private slots:
    void filmListOfThreeFiles();
    void musicAndPictureListsDiffer();
    void namesThatWouldBreakThePageAreEscaped_data();
    void namesThatWouldBreakThePageAreEscaped();
    void writesUnderAFreeNameBesideTheFiles();
    void noNamesWritesNothing();
};

void TestAfspilningsliste::filmListOfThreeFiles()
{
    const QStringList l = TSkrivTekstfiler::afspilningsliste(Afspiller::Film, "/data/film/",
                                                             {"film1.mp4", "film2.mp4", "film3.mkv"});
    // The head, the script's switch and the player, line by line.
    QCOMPARE(l.mid(0, 20), (QStringList{"<!DOCTYPE html>",
                                        "<html>",
                                        "<head>",
                                        "<title>Filmliste</title>",
                                        "<base href=\"/data/film/\">",
                                        "",
                                        "<script>",
                                        "function afspil(melodiNo,checkid){",
                                        "var eleSrc;",
                                        "switch(melodiNo){",
                                        "case 0:",
                                        "eleSrc=\"film1.mp4\";",
                                        "break;",
                                        "case 1:",
                                        "eleSrc=\"film2.mp4\";",
                                        "break;",
                                        "case 2:",
                                        "eleSrc=\"film3.mkv\";",
                                        "break;",
                                        "}"}));
    const qsizetype body = l.indexOf("<body style=\"display: flex; flex-wrap: wrap;\">");
    QVERIFY(body > 0);
    QCOMPARE(l.mid(body - 3, 3), (QStringList{"</style>", "", "</head>"}));
    QCOMPARE(l.at(l.indexOf("button::before{") + 1), "content: \"\\25B6\" \" \";");
    QCOMPARE(
        l.mid(body + 1, 13),
        (QStringList{"", "<div>", "<video controls id=\"afspiller\" style=\"width: auto;\">",
                     "<source src=\"film1.mp4\">", "</video>", "</div>", "",
                     "<div style=\"margin: 16px 0px 0px 16px;\">", "<table>", "<caption>Filmliste</caption>",
                     "<colgroup>", " <col span=\"1\" style=\"background-color: #DDDDDD;\">",
                     " <col span=\"1\" style=\"background-color: #FFFFFF;\">"}));
    const qsizetype header = l.indexOf("<tr><th>&nbsp;</th><th>Titel</th><th>&nbsp;</th></tr>");
    QCOMPARE(l.mid(header + 1, 16),
             (QStringList{
                 "<tr>", " <td><input type=\"radio\" name=\"aktuel\" id=\"melodi0\" disabled checked></td>",
                 " <td>film1.mp4</td>", " <td><button onclick=\"afspil(0,'melodi0')\">Afspil</button></td>",
                 "</tr>", "<tr>", " <td><input type=\"radio\" name=\"aktuel\" id=\"melodi1\" disabled></td>",
                 " <td>film2.mp4</td>", " <td><button onclick=\"afspil(1,'melodi1')\">Afspil</button></td>",
                 "</tr>", "<tr>", " <td><input type=\"radio\" name=\"aktuel\" id=\"melodi2\" disabled></td>",
                 " <td>film3.mkv</td>", " <td><button onclick=\"afspil(2,'melodi2')\">Afspil</button></td>",
                 "</tr>", "</table>"}));
    QCOMPARE(l.mid(header + 17), (QStringList{"</div>", "", "</body>", "</html>"}));
    QCOMPARE(l.size(), 70 + 3 * 8);
}

void TestAfspilningsliste::musicAndPictureListsDiffer()
{
    const QStringList film = TSkrivTekstfiler::afspilningsliste(Afspiller::Film, "/m/", {"a.mp3", "b.mp3"});
    const QStringList musik = TSkrivTekstfiler::afspilningsliste(Afspiller::Musik, "/m/", {"a.mp3", "b.mp3"});
    // The music list: its own title, mark and body, the audio player without divisions.
    QCOMPARE(musik.at(3), "<title>Musikliste</title>");
    QVERIFY(musik.contains("content: \"\\266C\" \" \";"));
    const qsizetype body = musik.indexOf("<body>");
    QCOMPARE(musik.mid(body, 7),
             (QStringList{"<body>", "", "<audio controls id=\"afspiller\" style=\"width: auto;\">",
                          "<source src=\"a.mp3\">", "</audio><br>", "", "<table>"}));
    QCOMPARE(musik.mid(musik.size() - 4), (QStringList{"</table>", "", "</body>", "</html>"}));
    QCOMPARE(musik.size(), film.size() - 4);

    const QStringList billed =
        TSkrivTekstfiler::afspilningsliste(Afspiller::Billeder, "/p/", {"a.jpg", "b.png"});
    QCOMPARE(billed.mid(6, 8),
             (QStringList{"<script>", "function setProcent(procent){", "procent=procent+\"%\";",
                          "var ele=document.getElementById(\"afspiller\");", "ele.style.width=procent;",
                          "ele.style.height=procent;}", "", "function afspil(melodiNo,checkid){"}));
    const qsizetype div = billed.indexOf("<div>");
    QCOMPARE(billed.mid(div, 20),
             (QStringList{"<div>",
                          "<table>",
                          "<caption>Billedstørrelse</caption>",
                          "<tr>",
                          "<td><input type=\"radio\" name=\"bredde\" checked=\"true\" "
                          "onclick=\"setProcent(100)\">100%</td>",
                          "<td><input type=\"radio\" name=\"bredde\" onclick=\"setProcent(90)\">90%</td>",
                          "<td><input type=\"radio\" name=\"bredde\" onclick=\"setProcent(80)\">80%</td>",
                          "<td><input type=\"radio\" name=\"bredde\" onclick=\"setProcent(70)\">70%</td>",
                          "<td><input type=\"radio\" name=\"bredde\" onclick=\"setProcent(60)\">60%</td>",
                          "</tr>",
                          "<tr>",
                          "<td><input type=\"radio\" name=\"bredde\" onclick=\"setProcent(50)\">50%</td>",
                          "<td><input type=\"radio\" name=\"bredde\" onclick=\"setProcent(40)\">40%</td>",
                          "<td><input type=\"radio\" name=\"bredde\" onclick=\"setProcent(30)\">30%</td>",
                          "<td><input type=\"radio\" name=\"bredde\" onclick=\"setProcent(20)\">20%</td>",
                          "<td><input type=\"radio\" name=\"bredde\" onclick=\"setProcent(10)\">10%</td>",
                          "</tr>",
                          "</table><br>",
                          "",
                          "<table>"}));
    QVERIFY(billed.contains(" <td><button onclick=\"afspil(1,'melodi1')\">Vis</button></td>"));
    QCOMPARE(billed.mid(billed.size() - 8),
             (QStringList{"</tr>", "</table>", "</div>", "",
                          "<img id=\"afspiller\" style=\"margin: 16px 0px 0px 16px;\" src=\"a.jpg\">", "",
                          "</body>", "</html>"}));
}

void TestAfspilningsliste::namesThatWouldBreakThePageAreEscaped_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("script"); // in the script's string
    QTest::addColumn<QString>("source"); // in the player's src attribute
    QTest::addColumn<QString>("cell");   // in the table

    QTest::newRow("plain") << "Sang 1.mp3"
                           << "Sang 1.mp3"
                           << "Sang 1.mp3"
                           << "Sang 1.mp3";
    QTest::newRow("double quotes") << "Han sagde \"hej\".mp3"
                                   << "Han sagde \\\"hej\\\".mp3"
                                   << "Han sagde &quot;hej&quot;.mp3"
                                   << "Han sagde &quot;hej&quot;.mp3";
    QTest::newRow("ampersand") << "Tom & Jerry.mp4"
                               << "Tom & Jerry.mp4"
                               << "Tom &amp; Jerry.mp4"
                               << "Tom &amp; Jerry.mp4";
    QTest::newRow("angle brackets, script end") << "</script><b>.mp3"
                                                << "\\x3C/script>\\x3Cb>.mp3"
                                                << "&lt;/script&gt;&lt;b&gt;.mp3"
                                                << "&lt;/script&gt;&lt;b&gt;.mp3";
    QTest::newRow("URL marks") << "Nr #1 100%?.mp3"
                               << "Nr %231 100%25%3F.mp3"
                               << "Nr %231 100%25%3F.mp3"
                               << "Nr #1 100%?.mp3";
    // A host name may hold "\\"; in an address it is no separator.
    QTest::newRow("backslash and apostrophe") << "a\\b's.mp3"
                                              << "a%5Cb's.mp3"
                                              << "a%5Cb's.mp3"
                                              << "a\\b's.mp3";
    QTest::newRow("a byte that is no UTF-8") << QString("k") + QChar(0xEFE6) + ".mp3"
                                             << "k%E6.mp3"
                                             << "k%E6.mp3" << QString("k") + QChar(0xEFE6) + ".mp3";
    QTest::newRow("line break") << "a\nb.mp3"
                                << "a%0Ab.mp3"
                                << "a%0Ab.mp3"
                                << "a&#10;b.mp3";
}

void TestAfspilningsliste::namesThatWouldBreakThePageAreEscaped()
{
    QFETCH(QString, name);
    QFETCH(QString, script);
    QFETCH(QString, source);
    QFETCH(QString, cell);
    const QStringList l = TSkrivTekstfiler::afspilningsliste(Afspiller::Film, "/x/", {name});
    QCOMPARE(l.at(l.indexOf("case 0:") + 1), "eleSrc=\"" + script + "\";");
    QVERIFY(l.contains("<source src=\"" + source + "\">"));
    QVERIFY(l.contains(" <td>" + cell + "</td>"));
    QCOMPARE(l.count("</script>"), 1);
}

void TestAfspilningsliste::writesUnderAFreeNameBesideTheFiles()
{
    TestDrives drives;
    drives.writeBytes("C:\\Film\\film1.mp4", "x");
    ScriptedResponder responder;
    TSkrivTekstfiler first;
    const QString written = first.opretFilmliste("C:\\Film\\Film_afspilningsliste.html", {"film1.mp4"});
    QCOMPARE(written, "C:\\Film\\Film_afspilningsliste.html");
    TSkrivTekstfiler second;
    QCOMPARE(second.opretFilmliste("C:\\Film\\Film_afspilningsliste.html", {"film1.mp4"}),
             "C:\\Film\\Film_afspilningsliste (1).html");
    QCOMPARE(responder.texts(), QStringList());
    // The base is the folder in the host's form, so the page finds the files beside it.
    const QString base = drives.host("C:\\Film") + (kWindowsHost ? "\\" : "/");
    const QStringList lines = pageLines(drives.readBytes(written));
    QCOMPARE(lines.at(4), "<base href=\"" + base + "\">");
    QCOMPARE(lines, TSkrivTekstfiler::afspilningsliste(Afspiller::Film, base, {"film1.mp4"}));
    QCOMPARE(pageLines(drives.readBytes("C:\\Film\\Film_afspilningsliste (1).html")), lines);

    // A name holding "\\" on the host (listed with its stand-in) is addressed by its host name.
    SKIP_ON_WINDOWS("a name holding \"\\\", which no Windows name can");
    QFile named(drives.host("C:\\Film") + "/del\\1.mp4");
    QVERIFY(named.open(QIODevice::WriteOnly));
    named.close();
    const QString listed = QString("del") + QChar(0xF05C) + "1.mp4";
    TSkrivTekstfiler third;
    const QString page = third.opretFilmliste("C:\\Film\\Film_afspilningsliste.html", {listed});
    QVERIFY(pageLines(drives.readBytes(page)).contains("eleSrc=\"del%5C1.mp4\";"));
}

void TestAfspilningsliste::noNamesWritesNothing()
{
    TestDrives drives;
    QDir().mkpath(drives.host("C:\\Tom"));
    ScriptedResponder responder;
    TSkrivTekstfiler skriv;
    QCOMPARE(skriv.opretMusikliste("C:\\Tom\\Musik_afspilningsliste.html", {}), QString());
    QCOMPARE(
        responder.texts(),
        QStringList{"Der er ingen valgte filer med efternavn.\rVælg en eller flere filer og prøv igen.\r"});
    QVERIFY(QDir(drives.host("C:\\Tom")).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
}

QTEST_GUILESS_MAIN(TestAfspilningsliste)
#include "test_afspilningsliste.moc"
