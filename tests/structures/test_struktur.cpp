// The contents tree TStruktur: a tree file and a data file read, saved and looked up; a pair that
// disagrees opens with what fits and is never saved over without a copy.

#include "core/files.h"
#include "core/linefile.h"
#include "core/linepair.h"
#include "core/messages.h"
#include "structures/struktur.h"
#include "support/headlessdialogs.h"
#include "support/testdrives.h"

#include <QDir>
#include <QFile>
#include <QTest>

using testsupport::ScriptedResponder;

namespace {

const QString kTree = "C:\\Hjaelp\\struktur.txt";
const QString kData = "C:\\Hjaelp\\data.txt";

QByteArray fixture(const char *name)
{
    QFile file(QFINDTESTDATA(QString("fixtures/") + name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// "text|data|picture" of every node, indented by depth.
QStringList describe(const TStruktur &tree)
{
    QStringList lines;
    for (QTreeWidgetItem *node : tree.allNodes()) {
        int depth = 0;
        for (QTreeWidgetItem *up = node->parent(); up; up = up->parent())
            ++depth;
        lines << QString(depth * 2, u' ') + node->text(0) + "|" +
                     node->data(0, TStruktur::DataRole).toString() + "|" +
                     QString::number(node->data(0, TStruktur::PictureRole).toInt());
    }
    return lines;
}

struct Fixture
{
    TestDrives drives;
    TStruktur tree;
    Fixture()
    {
        QDir().mkpath(drives.host("C:\\Hjaelp\\tekstfiler"));
        tree.SetStrukturfile(kTree);
        tree.SetDatafile(kData);
        tree.SetInfomappe("C:\\Hjaelp\\tekstfiler\\");
        tree.SetDataOn(true);
    }
    QTreeWidgetItem *node(const QString &text) const
    {
        for (QTreeWidgetItem *each : tree.allNodes())
            if (each->text(0) == text)
                return each;
        return nullptr;
    }
};

} // namespace

class TestStruktur : public QObject
{
    Q_OBJECT
    // Messages, questions and progress windows without a user.
    testsupport::HeadlessDialogs m_dialogs;
private slots:
    void aPairThatDisagreesOpensWithWhatFits();
    void extraDataLinesAreNamed();
    void savingAPairReadWithGapsKeepsTheOldOneAside();
    void aMissingDataFileIsMadeWithPictureZero();
    void attachModesPlaceTheNewNode_data();
    void attachModesPlaceTheNewNode();
    void draggingMovesByTheAttachMode();
    void aBuiltTreeSurvivesSaveAndLoad();
    void lookUpsFindPagesByName();
};

void TestStruktur::aPairThatDisagreesOpensWithWhatFits()
{
    Fixture f;
    const QByteArray treeBytes = fixture("skaev_struktur.txt");
    const QByteArray dataBytes = fixture("skaev_data.txt");
    QVERIFY(!treeBytes.isEmpty() && !dataBytes.isEmpty());
    f.drives.writeBytes(kTree, treeBytes);
    f.drives.writeBytes(kData, dataBytes);
    ScriptedResponder responder;
    QVERIFY(f.tree.HentStruktur());
    QCOMPARE(describe(f.tree), (QStringList{"Indhold|0Indhold|0", "  Første side|1Forste|1",
                                            "  Anden side|2Anden|2", "    Underside|4Underside|4"}));
    QCOMPARE(responder.texts(),
             QStringList{"Strukturfilen \"" + kTree + "\" og datafilen \"" + kData +
                         "\" passer ikke sammen.\rStrukturen er åbnet uden:\r"
                         "Linje 4 \"For dybt\" springer mere end ét niveau ned.\r"
                         "Linje 5 \"Under for dybt\" ligger under en udeladt linje.\r"
                         "Linje 7 har intet navn.\r"
                         "Linje 8 \"Hjælp\" har en tom datalinje eller en uden billednummer.\r"
                         "Linje 9 \"Under hjælp\" ligger under en udeladt linje.\r"
                         "Linje 10 \"Sidste\" har en tom datalinje eller en uden billednummer.\r"
                         "Linje 11 \"Uden data\" har ingen datalinje.\r"
                         "Filerne er ikke ændret.\r"});
    QCOMPARE(f.drives.readBytes(kTree), treeBytes);
    QCOMPARE(f.drives.readBytes(kData), dataBytes);
    QVERIFY(!f.tree.FModified);
}

void TestStruktur::extraDataLinesAreNamed()
{
    Fixture f;
    QVERIFY(core::writeLines(kTree, {"A", "\tB"}));
    QVERIFY(core::writeLines(kData, {"0a", "1b", "2c", "3d"}));
    ScriptedResponder responder;
    QVERIFY(f.tree.HentStruktur());
    QCOMPARE(describe(f.tree), (QStringList{"A|0a|0", "  B|1b|1"}));
    QCOMPARE(f.tree.udeladt, QStringList{"Datalinje 3 til 4 hører ikke til nogen linje i strukturen."});
    QCOMPARE(responder.shown.size(), 1);
}

void TestStruktur::savingAPairReadWithGapsKeepsTheOldOneAside()
{
    Fixture f;
    f.drives.writeBytes(kTree, fixture("skaev_struktur.txt"));
    f.drives.writeBytes(kData, fixture("skaev_data.txt"));
    ScriptedResponder responder;
    QVERIFY(f.tree.HentStruktur());
    f.tree.setCurrentItem(f.node("Underside"));
    f.tree.NyNode("Ny side", "Ny", 6, false, false);
    responder.clear();
    QVERIFY(f.tree.GemStruktur());
    QCOMPARE(responder.texts(),
             QStringList{"Strukturen blev åbnet med udeladte linjer. Den tidligere udgave er bevaret i \"" +
                         kTree + ".beskadiget\" og \"" + kData + ".beskadiget\".\r"});
    QCOMPARE(f.drives.readBytes(kTree + ".beskadiget"), fixture("skaev_struktur.txt"));
    QCOMPARE(f.drives.readBytes(kData + ".beskadiget"), fixture("skaev_data.txt"));
    // The pair written is whole: it reads back without a word, and a second save copies nothing.
    responder.clear();
    TStruktur again;
    again.SetStrukturfile(kTree);
    again.SetDatafile(kData);
    again.SetDataOn(true);
    QVERIFY(again.HentStruktur());
    QVERIFY(responder.shown.isEmpty());
    QCOMPARE(describe(again), describe(f.tree));
    QCOMPARE(describe(again).last(), QString("    Ny side|6Ny|6"));
    QVERIFY(again.GemStruktur());
    QVERIFY(responder.shown.isEmpty());
}

void TestStruktur::aMissingDataFileIsMadeWithPictureZero()
{
    Fixture f;
    QVERIFY(core::writeLines(kTree, {"Start", "\tVelkommen", "Slut"}));
    ScriptedResponder responder;
    QVERIFY(f.tree.HentStruktur());
    QCOMPARE(core::readLines(kData).value(), (QStringList{"0Start", "0Velkommen", "0Slut"}));
    QCOMPARE(describe(f.tree), (QStringList{"Start|0Start|0", "  Velkommen|0Velkommen|0", "Slut|0Slut|0"}));
    QVERIFY(responder.shown.isEmpty());
    // No tree file: an empty tree and false.
    f.tree.SetStrukturfile("C:\\Hjaelp\\mangler.txt");
    QVERIFY(!f.tree.HentStruktur());
    QCOMPARE(f.tree.topLevelItemCount(), 0);
}

void TestStruktur::attachModesPlaceTheNewNode_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("last of its level")
        << 0 << QStringList{"A|0a|0", "  B|1b|1", "  C|2c|2", "  N|3n|3", "D|4d|4"};
    QTest::newRow("first of its level")
        << 1 << QStringList{"A|0a|0", "  N|3n|3", "  B|1b|1", "  C|2c|2", "D|4d|4"};
    QTest::newRow("last child") << 2 << QStringList{"A|0a|0", "  B|1b|1", "    N|3n|3", "  C|2c|2", "D|4d|4"};
    QTest::newRow("just before") << 4 << QStringList{"A|0a|0", "  N|3n|3", "  B|1b|1", "  C|2c|2", "D|4d|4"};
}

void TestStruktur::attachModesPlaceTheNewNode()
{
    QFETCH(int, mode);
    QFETCH(QStringList, expected);
    Fixture f;
    QVERIFY(core::writeLines(kTree, {"A", "\tB", "\tC", "D"}));
    QVERIFY(core::writeLines(kData, {"0a", "1b", "2c", "4d"}));
    QVERIFY(f.tree.HentStruktur());
    f.tree.SetFlytmode(mode);
    f.tree.setCurrentItem(f.node("B"));
    f.tree.NyNode("N", "n", 3, false, false);
    QCOMPARE(describe(f.tree), expected);
    QVERIFY(f.tree.FModified);
}

void TestStruktur::draggingMovesByTheAttachMode()
{
    Fixture f;
    QVERIFY(core::writeLines(kTree, {"A", "\tB", "\tC", "D"}));
    QVERIFY(core::writeLines(kData, {"0a", "1b", "2c", "4d"}));
    QVERIFY(f.tree.HentStruktur());
    f.tree.resize(300, 300);
    f.tree.show();
    f.tree.expandAll();
    auto centre = [&f](const QString &text) { return f.tree.visualItemRect(f.node(text)).center(); };
    // The first node stays where it is.
    f.tree.MusDown(centre("A").x(), centre("A").y());
    QVERIFY(!f.tree.MouseDown);
    f.tree.SetFlytmode(TStruktur::SidsteBarn);
    f.tree.MusDown(centre("B").x(), centre("B").y());
    QVERIFY(f.tree.MouseDown);
    f.tree.MusUp(centre("D").x(), centre("D").y(), false);
    QCOMPARE(describe(f.tree), (QStringList{"A|0a|0", "  C|2c|2", "D|4d|4", "  B|1b|1"}));
    QVERIFY(f.tree.FModified);
    // A node is never dropped into its own branch; as a top node it goes after the first.
    f.tree.MusDown(centre("D").x(), centre("D").y());
    f.tree.MusUp(centre("B").x(), centre("B").y(), false);
    QCOMPARE(describe(f.tree), (QStringList{"A|0a|0", "  C|2c|2", "D|4d|4", "  B|1b|1"}));
    f.tree.MusDown(centre("C").x(), centre("C").y());
    f.tree.MusUp(centre("B").x(), centre("B").y(), true);
    QCOMPARE(describe(f.tree), (QStringList{"A|0a|0", "C|2c|2", "D|4d|4", "  B|1b|1"}));
}

void TestStruktur::aBuiltTreeSurvivesSaveAndLoad()
{
    Fixture f;
    f.tree.SetFlytmode(TStruktur::SidsteBarn);
    f.tree.NyNode("Rod", "Rod", 0, false, false);
    f.tree.setCurrentItem(f.node("Rod"));
    f.tree.NyNode("Æbler & pærer", "Frugt", 7, false, false);
    f.tree.setCurrentItem(f.node("Æbler & pærer"));
    f.tree.NyNode("Dybt", "Dybt", 9, false, false);
    f.tree.SetFlytmode(TStruktur::SidstINiveau);
    f.tree.setCurrentItem(f.node("Rod"));
    f.tree.NyNode("Anden rod", "", 2, false, true); // saved at once
    QVERIFY(!f.tree.FModified);
    TStruktur again;
    again.SetStrukturfile(kTree);
    again.SetDatafile(kData);
    again.SetDataOn(true);
    QVERIFY(again.HentStruktur());
    QCOMPARE(describe(again), describe(f.tree));
    QCOMPARE(core::readLines(kTree).value(),
             (QStringList{"Rod", "\tÆbler & pærer", "\t\tDybt", "Anden rod"}));
    QVERIFY(!core::fileExists(core::pendingName(kTree)));
}

void TestStruktur::lookUpsFindPagesByName()
{
    Fixture f;
    QVERIFY(core::writeLines(kTree, {"Indhold", "\tKopier", "\tSlet"}));
    QVERIFY(core::writeLines(kData, {"0Indhold", "1Kopier", "2Slet til papirkurv"}));
    QVERIFY(f.tree.HentStruktur());
    QCOMPARE(f.tree.getTheSelectedIndex(), -1);
    QCOMPARE(f.tree.getNodeTekst("file:///C:/zunKolvra/Program/Slet til papirkurv.html"), QString("Slet"));
    QCOMPARE(f.tree.getTheSelectedIndex(), 2);
    QCOMPARE(f.tree.SelectedData(), QString("Slet til papirkurv"));
    QCOMPARE(f.tree.InfoFilnavn("txt"), QString("C:\\Hjaelp\\tekstfiler\\IndholdSlet.txt"));
    QVERIFY(f.tree.setSelected("C:\\Sider\\Kopier.html"));
    QVERIFY(!f.tree.setSelected("C:\\Sider\\Kopier.html")); // already selected
    QVERIFY(!f.tree.setSelected("kopier.html"));            // letter case counts
    QCOMPARE(f.tree.getNodeTekst("Findes ikke.html"), QString());
    f.tree.SetDataOn(false);
    QCOMPARE(f.tree.SelectedData(), QString());
}

QTEST_MAIN(TestStruktur)
#include "test_struktur.moc"
