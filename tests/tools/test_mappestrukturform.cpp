// The folder-structure tool "Mappestruktur": saving under the typed name, the edit flag and its
// questions, moving folders, and structure files with lines that no longer fit.

#include "core/files.h"
#include "core/linefile.h"
#include "core/messages.h"
#include "dialogs/actionlist.h"
#include "faketoolhost.h"
#include "structures/mappestrukturfiler.h"
#include "support/headlessdialogs.h"
#include "support/testdrives.h"
#include "tools/mappestruktur/mappestrukturform.h"

#include <QDir>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>
#include <QTest>

using testsupport::ScriptedResponder;

namespace {

const QString kDir = "C:\\zunKolvra\\Tester\\Mappestrukturer\\";

QStringList items(const QListWidget *list)
{
    QStringList result;
    for (int i = 0; i < list->count(); ++i)
        result << list->item(i)->text();
    return result;
}

// A tool over the test's structures folder, with the main window's reading of the folder.
struct Tool
{
    explicit Tool(const TestDrives &drives)
    {
        QDir().mkpath(drives.host(kDir));
        QDir().mkpath(drives.host("C:\\Data\\Breve"));
        QDir().mkpath(drives.host("C:\\Musik"));
        window = new Tmappestrukturform(true);
        host.onLoadMappeStruktur = [this](bool med) {
            ++loads;
            if (med)
                window->setStrukturer(mappestruktur::names(kDir).value_or(QStringList()));
        };
    }
    ~Tool() { delete window; }
    bool enabled(const char *name)
    {
        window->actions->updateAll();
        return window->actions->action(name)->isEnabled();
    }
    void choose(const QString &name) const
    {
        const QList<QListWidgetItem *> found = window->strukturListe->findItems(name, Qt::MatchExactly);
        QVERIFY(!found.isEmpty());
        window->strukturListe->setCurrentItem(found.first());
    }

    FakeToolHost host;
    Tmappestrukturform *window = nullptr;
    int loads = 0;
};

} // namespace

class TestMappestrukturform : public QObject
{
    Q_OBJECT
    // Messages, questions and progress windows without a user.
    testsupport::HeadlessDialogs m_dialogs;
private slots:
    void savedUnderTheNameWithoutExtension_data();
    void savedUnderTheNameWithoutExtension();
    void overwritingAsksFirst();
    void upAndDownStopAtTheEnds();
    void closingWithUnsavedEditsAsks();
    void aStructureWithGoneFoldersOpensWithTheRest();
    void structureFilesWrittenByOtherEditors_data();
    void structureFilesWrittenByOtherEditors();
    void aStructureOnAnUnpluggedDriveNamesTwentyLines();
    void deletingAsksAndSaysWhenTheFileIsGone();
    void aWindowOfItsOwnKeepsItsPlaceAndPanel();
    void aMouseClickLoadsTheStructure();
};

void TestMappestrukturform::savedUnderTheNameWithoutExtension_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("name");
    QTest::newRow("Arbejde.txt") << "Arbejde.txt"
                                 << "Arbejde";
    QTest::newRow("a dot in the name") << "Projekt 2.0"
                                       << "Projekt 2";
    QTest::newRow("an ampersand") << "Mor & Far"
                                  << "Mor & Far";
}

void TestMappestrukturform::savedUnderTheNameWithoutExtension()
{
    QFETCH(QString, typed);
    QFETCH(QString, name);
    TestDrives drives;
    Tool t(drives);
    ScriptedResponder responder;
    QVERIFY(!t.enabled("aGemStrukturen"));
    t.window->tilfoejMappe("C:\\Musik");
    t.window->tilfoejMappe("C:\\Data\\Breve");
    QCOMPARE(t.window->strukturBog->currentIndex(), 1);
    QVERIFY(t.host.redigeret);
    QVERIFY(!t.enabled("aGemStrukturen")); // no name yet
    t.window->navnEdit->setText(typed);
    QVERIFY(t.enabled("aGemStrukturen"));
    t.window->gemStrukturen();
    QVERIFY(responder.shown.isEmpty());
    QCOMPARE(core::readLines(kDir + name + ".txt").value(), (QStringList{"C:\\Musik", "C:\\Data\\Breve"}));
    QCOMPARE(QDir(drives.host(kDir)).entryList(QDir::Files), QStringList{name + ".txt"});
    QVERIFY(!t.host.redigeret);
    // The list is read again and the saved structure is the chosen one.
    QCOMPARE(items(t.window->strukturListe), QStringList{name});
    QCOMPARE(t.window->valgtStruktur(), name);
    QCOMPARE(items(t.window->mappeListe), (QStringList{"C:\\Musik", "C:\\Data\\Breve"}));
}

void TestMappestrukturform::overwritingAsksFirst()
{
    TestDrives drives;
    Tool t(drives);
    QVERIFY(core::writeLines(kDir + "Arbejde.txt", {"C:\\Data"}));
    t.window->tilfoejMappe("C:\\Musik");
    t.window->navnEdit->setText("Arbejde");
    ScriptedResponder responder;
    responder.answerNej();
    t.window->gemStrukturen();
    QCOMPARE(responder.texts(), QStringList{"Skal filen \"" + kDir + "Arbejde.txt\" overskrives?"});
    QCOMPARE(core::readLines(kDir + "Arbejde.txt").value(), QStringList{"C:\\Data"});
    QVERIFY(t.host.redigeret);
    responder.answerJa();
    t.window->gemStrukturen();
    QCOMPARE(core::readLines(kDir + "Arbejde.txt").value(), QStringList{"C:\\Musik"});
    QVERIFY(!t.host.redigeret);
}

void TestMappestrukturform::upAndDownStopAtTheEnds()
{
    TestDrives drives;
    Tool t(drives);
    for (const char *folder : {"C:\\A", "C:\\B", "C:\\C"})
        t.window->tilfoejMappe(folder);
    QListWidget *list = t.window->strukturListeMapper;
    QVERIFY(!t.enabled("aOP") && !t.enabled("aNed") && !t.enabled("aFjernMappe")); // nothing selected
    list->setCurrentRow(0);
    QVERIFY(!t.enabled("aOP"));
    QVERIFY(t.enabled("aNed"));
    t.window->flyt(1);
    QCOMPARE(items(list), (QStringList{"C:\\B", "C:\\A", "C:\\C"}));
    QCOMPARE(list->currentRow(), 1);
    t.window->flyt(1);
    QCOMPARE(list->currentRow(), 2);
    QVERIFY(t.enabled("aOP"));
    QVERIFY(!t.enabled("aNed"));
    t.host.redigeret = false;
    t.window->fjernMappe();
    QCOMPARE(items(list), (QStringList{"C:\\B", "C:\\C"}));
    QVERIFY(t.host.redigeret);
    // Typing a name marks the structure as edited only while it has folders.
    t.host.redigeret = false;
    QTest::keyClicks(t.window->navnEdit, "x");
    QVERIFY(t.host.redigeret);
    list->clear();
    t.host.redigeret = false;
    QTest::keyClicks(t.window->navnEdit, "y");
    QVERIFY(!t.host.redigeret);
}

void TestMappestrukturform::closingWithUnsavedEditsAsks()
{
    TestDrives drives;
    Tool t(drives);
    t.window->show();
    t.window->tilfoejMappe("C:\\Musik");
    ScriptedResponder responder;
    responder.answerNej();
    QVERIFY(!t.window->close());
    QCOMPARE(responder.texts(), QStringList{"Den hjemmelavede struktur er ikke gemt. Hvis der lukkes, går "
                                            "ændringerne tabt.\rSkal der lukkes alligevel?"});
    QCOMPARE(Mappestrukturform, t.window);
    QCOMPARE(items(t.window->strukturListeMapper), QStringList{"C:\\Musik"});
    QVERIFY(t.host.redigeret);
    // "Klargør til ny" asks too, and "Nej" keeps the edits.
    responder.answerNej();
    t.window->klargoerTilNy();
    QCOMPARE(responder.texts().last(), QString("Der er rediget i strukturen! Skal der klargøres alligevel?"));
    QCOMPARE(t.window->strukturListeMapper->count(), 1);
    responder.answerJa();
    QPointer<Tmappestrukturform> window = t.window;
    t.window->close();
    QVERIFY(!t.host.redigeret);
    QTRY_VERIFY(!window); // closed and gone
    QCOMPARE(Mappestrukturform, nullptr);
    t.window = nullptr;
}

void TestMappestrukturform::aStructureWithGoneFoldersOpensWithTheRest()
{
    TestDrives drives;
    Tool t(drives);
    QVERIFY(core::writeLines(kDir + "Mor & Far.txt", {"C:\\Data\\Breve\\", "", "C:\\Borte", "C:\\"}));
    t.window->opdater();
    ScriptedResponder responder;
    t.choose("Mor & Far");
    // The gone folder stays, greyed, for editing; the structures are built without it.
    QCOMPARE(items(t.window->mappeListe), (QStringList{"C:\\Data\\Breve", "C:\\Borte", "C:"}));
    QVERIFY(t.window->mappeListe->item(1)->foreground().color() !=
            t.window->mappeListe->item(0)->foreground().color());
    QCOMPARE(responder.texts(), QStringList{"Strukturen \"Mor & Far\" er åbnet uden:\rLinje 2 er tom.\r"
                                            "Linje 3: mappen \"C:\\Borte\" findes ikke.\r"
                                            "Strukturfilen er ikke ændret.\r"});
    QCOMPARE(core::readLines(kDir + "Mor & Far.txt").value(),
             (QStringList{"C:\\Data\\Breve\\", "", "C:\\Borte", "C:\\"}));
    // A drive root stays a drive: "C:" in both kinds of structure.
    t.window->visSomStruktur(true);
    t.window->visSomStruktur(false);
    QCOMPARE(t.host.calls, (QStringList{"stifinder", "punkt C:\\Data\\Breve|C:", "stifinder",
                                        "niveau C:\\Data\\Breve|C:"}));
    // "Rediger valgte" takes every folder, with the structure's own name: saving it loses none.
    t.window->redigerValgte();
    QCOMPARE(items(t.window->strukturListeMapper), (QStringList{"C:\\Data\\Breve", "C:\\Borte", "C:"}));
    QCOMPARE(t.window->navnEdit->text(), QString("Mor & Far"));
    QVERIFY(!t.host.redigeret);
}

void TestMappestrukturform::structureFilesWrittenByOtherEditors_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("folders");
    QTest::newRow("UTF-8 without a mark")
        << QByteArray("C:\\Test\\\xC3\x98st\n") << QStringList{"C:\\Test\\Øst"};
    QTest::newRow("Windows-1252") << QByteArray("C:\\Test\\\xD8st\r\n") << QStringList{"C:\\Test\\Øst"};
    QTest::newRow("slashes") << QByteArray("C:/Test/\xC3\x98st/b\nC:/Test/\n")
                             << QStringList{"C:\\Test\\Øst\\b", "C:\\Test"};
}

void TestMappestrukturform::structureFilesWrittenByOtherEditors()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, folders);
    TestDrives drives;
    Tool t(drives);
    QDir().mkpath(drives.host("C:\\Test\\Øst\\b"));
    drives.writeBytes(kDir + "Hånd.txt", bytes);
    t.window->opdater();
    ScriptedResponder responder;
    t.choose("Hånd");
    QCOMPARE(responder.texts(), QStringList());
    QCOMPARE(items(t.window->mappeListe), folders);
    t.window->visSomStruktur(true);
    QCOMPARE(t.host.calls, (QStringList{"stifinder", "punkt " + folders.join(u'|')}));
}

void TestMappestrukturform::aStructureOnAnUnpluggedDriveNamesTwentyLines()
{
    TestDrives drives;
    Tool t(drives);
    QStringList lines;
    QStringList named;
    for (int i = 1; i <= 40; ++i) {
        lines << QString("Q:\\Foto\\Sommerferie 2019\\Dag %1").arg(i);
        if (i <= 20)
            named << QString("Linje %1: mappen \"%2\" findes ikke.").arg(i).arg(lines.last());
    }
    QVERIFY(core::writeLines(kDir + "Ferie.txt", lines));
    t.window->opdater();
    ScriptedResponder responder;
    t.choose("Ferie");
    QCOMPARE(responder.texts(), QStringList{"Strukturen \"Ferie\" er åbnet uden:\r" + named.join(u'\r') +
                                            "\r… og 20 mere\rStrukturfilen er ikke ændret.\r"});
    // Every folder stays in the list for editing, greyed.
    QCOMPARE(items(t.window->mappeListe), lines);

    // A million lines: the message is as short, and only what it shows is kept.
    QStringList many(1200000, "Q:\\Borte");
    QVERIFY(core::writeLines(kDir + "Stor.txt", many));
    const auto indhold = mappestruktur::hent(kDir + "Stor.txt");
    QVERIFY(indhold);
    QCOMPARE(indhold->udeladt.size(), 1200000);
    QCOMPARE(indhold->udeladt.vist().size(), 20);
    QVERIFY(mappestruktur::udeladtBesked("Stor", indhold->udeladt).size() < 1000);
}

void TestMappestrukturform::deletingAsksAndSaysWhenTheFileIsGone()
{
    TestDrives drives;
    Tool t(drives);
    QVERIFY(core::writeLines(kDir + "Arbejde.txt", {"C:\\Musik"}));
    QVERIFY(core::writeLines(kDir + "Ferie.txt", {"C:\\Musik"}));
    t.window->opdater();
    t.choose("Arbejde");
    t.window->tilfoejMappe("C:\\Data");
    ScriptedResponder responder;
    responder.answerNej();
    t.window->sletValgte();
    QCOMPARE(responder.texts(),
             QStringList{"En struktur er ikke gemt! Ændringerne vil gå tabt, hvis der slettes.\r"
                         "Skal elementet \"Arbejde\" slettes permanent?"});
    QVERIFY(core::fileExists(kDir + "Arbejde.txt"));
    responder.clear();
    responder.answerJa();
    t.window->sletValgte();
    QVERIFY(!core::fileExists(kDir + "Arbejde.txt"));
    QVERIFY(!t.host.redigeret);
    QCOMPARE(items(t.window->strukturListe), QStringList{"Ferie"});
    QCOMPARE(t.window->strukturListeMapper->count(), 0);
    // The file went behind the tool's back.
    t.choose("Ferie");
    QVERIFY(core::deleteFile(kDir + "Ferie.txt"));
    responder.clear();
    responder.answerJa();
    t.window->sletValgte();
    QCOMPARE(responder.texts(),
             (QStringList{"Skal elementet \"Ferie\" slettes permanent?", "Filen blev ikke fundet."}));
}

void TestMappestrukturform::aWindowOfItsOwnKeepsItsPlaceAndPanel()
{
    TestDrives drives;
    FakeToolHost host;
    const QString options = host.options + "mappestruktur.txt";
    QDir().mkpath(drives.host(host.options));
    {
        // No file: the default place and size, the panel shown.
        Tmappestrukturform window(false);
        QCOMPARE(window.pos(), QPoint(20, 40));
        QCOMPARE(window.size(), QSize(860, 580));
        QVERIFY(!window.venstrePanel->isHidden());
    }
    QVERIFY(core::writeLines(options, {"100", "120", "600", "900", "0"}));
    {
        Tmappestrukturform window(false);
        QCOMPARE(window.pos(), QPoint(100, 120));
        QCOMPARE(window.size(), QSize(900, 600));
        QVERIFY(window.venstrePanel->isHidden());
        window.show();
        window.panelKnapClick();
        QVERIFY(window.venstrePanel->isVisible());
        QVERIFY(window.width() > 900);
        window.move(50, 60);
        const QSize size = window.size();
        window.close();
        QCOMPARE(core::readLines(options).value(),
                 (QStringList{QString::number(window.x()), QString::number(window.y()),
                              QString::number(size.height()), QString::number(size.width()), "1"}));
    }
    // A line that is no number: the defaults.
    QVERIFY(core::writeLines(options, {"100", "x", "600", "900", "1"}));
    Tmappestrukturform window(false);
    QCOMPARE(window.pos(), QPoint(20, 40));
}

QTEST_MAIN(TestMappestrukturform)
// A click on a structure's name shows its folders, and a second click the other's: an edit and
// save that follows never writes a half-loaded structure over the file.
void TestMappestrukturform::aMouseClickLoadsTheStructure()
{
    TestDrives drives;
    Tool t(drives);
    ScriptedResponder responder;
    QStringList many;
    for (int i = 0; i < 50; ++i)
        many << "C:\\Data\\Mappe " + QString::number(i);
    QVERIFY(core::writeLines(kDir + "Stor.txt", many));
    QVERIFY(core::writeLines(kDir + "Lille.txt", {"C:\\Musik"}));
    t.window->setStrukturer({"Lille", "Stor"});
    t.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(t.window));
    auto click = [&](const QString &name) {
        QListWidgetItem *item = t.window->strukturListe->findItems(name, Qt::MatchExactly).value(0);
        QVERIFY(item);
        const QRect place = t.window->strukturListe->visualItemRect(item);
        QTest::mouseClick(t.window->strukturListe->viewport(), Qt::LeftButton, {}, place.center());
    };
    click("Stor");
    QCOMPARE(t.window->valgtStruktur(), QString("Stor"));
    QCOMPARE(items(t.window->mappeListe), many);
    click("Lille");
    QCOMPARE(items(t.window->mappeListe), QStringList{"C:\\Musik"});
    QCOMPARE(core::readLines(kDir + "Stor.txt").value(), many);
}

#include "test_mappestrukturform.moc"
