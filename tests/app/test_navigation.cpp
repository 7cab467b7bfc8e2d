#include "app/mainform.h"
#include "core/linefile.h"
#include "core/messages.h"
#include "dialogs/actionlist.h"
#include "dialogs/radiogroup.h"
#include "dialogs/shared.h"
#include "explorer/listeform.h"
#include "explorer/winform.h"
#include "fileops/metodecompo.h"
#include "lists/reopenfiler.h"
#include "structures/strukturcompo.h"
#include "support/headlessdialogs.h"
#include "support/testdrives.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QMenu>
#include <QSplitter>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QToolButton>

using testsupport::ScriptedResponder;

namespace {

// A main window with one explorer window over a small drive C:.
struct Fixture
{
    TestDrives drives;
    Tmainform main;
    Twinform *window = nullptr;

    explicit Fixture(bool shared = true)
    {
        for (const char *folder :
             {"C:\\Data\\Foto", "C:\\Data\\Musik", "C:\\Arkiv", "C:\\Users\\Tester\\Pictures"})
            QDir().mkpath(drives.host(folder));
        for (const char *file : {"C:\\Data\\a.txt", "C:\\Data\\b.txt", "C:\\Data\\Foto\\f.jpg"})
            drives.writeBytes(file, "x");
        main.editSettings().triedBefore = true;
        main.editSettings().sharedClipboard = shared;
        main.makeNewStifinder();
        window = main.getWinform("Stifinder 1");
    }
    TStrukturCompo *struktur() const { return window->metodeX->strukturY(); }
    Klipbord *klipbord() const { return window->metodeX->klipbord(); }
    QStringList tabs() const
    {
        QStringList result;
        for (int i = 0; i < window->stibox->count(); ++i)
            result << window->stibox->tabText(i);
        return result;
    }
    StrukturNode *fileNode(const QString &text) const
    {
        for (StrukturNode *node : window->FilStruktur->allNodes()) {
            if (node->text == text)
                return node;
        }
        return nullptr;
    }
    // Shows a folder in the file tree, as a click would.
    void show(const QString &folder) const
    {
        window->setActiveTree(StrukturNr::filer);
        window->mappeKontrol(struktur()->makeStruktur2(folder), true);
    }
    void select(const QStringList &names) const
    {
        window->FilStruktur->deselectAll();
        for (const QString &name : names)
            window->FilStruktur->setNodeSelected(fileNode(name), true);
    }
    bool enabled(const char *action) const
    {
        window->actions->updateAll();
        return window->actions->action(action)->isEnabled();
    }
};

QStringList paths(const KlipbordListe &list)
{
    QStringList result;
    for (int i = 0; i < list.count(); ++i)
        result << list.row(i).path;
    return result;
}

} // namespace

class TestNavigation : public QObject
{
    Q_OBJECT
    // Messages, questions and progress windows without a user.
    testsupport::HeadlessDialogs m_dialogs;
private slots:
    void initTestCase() { dialogs::createShared(nullptr); }
    void pathBarTabsFollowThePath();
    void backAndForwardWrap();
    void knownFolderInTheFolderTreeLeavesThePathField();
    void contextMenusByTreeAndKind();
    void selectionCommandsEnabling();
    void copyingTwiceOrInAnotherCaseLeavesOneRow();
    void moveFlagIsPerWindow();
    void aCutTravelsWithItsRows_data();
    void aCutTravelsWithItsRows();
    void pasteLoadDropsVanishedRowsAndSkipsTheDestination();
    void anAmpersandInAFolderNameIsNoShortcutMarker();
    void folderPastedIntoItselfGivesBothMessages();
    void confirmedPasteClearsOnlyTickedRows();
    void restoreAfterMoveAndAfterCopy();
    void fjernRemovesHighlightedAndChecked();
    void clipboardWindowOptions();
    void cancelCommandsAndTransferRule();
    void savingTheTreeDisablesItsButtonsUntilTheSelectionChanges();
    void inPlaceRenameRenamesOnDisk();
    void typingANameMakesItTheCurrentElement();
    void bothTreesListInDanishOrder();
};

void TestNavigation::pathBarTabsFollowThePath()
{
    Fixture f;
    f.window->mappeKontrol("C:\\Data\\Foto", true);
    QCOMPARE(f.tabs(), (QStringList{"C:", "Data", "Foto"}));
    QCOMPARE(f.window->stibox->currentIndex(), 2);
    QCOMPARE(f.main.EditSti->text(), QString("C:\\Data\\Foto"));
    QCOMPARE(f.window->mappenavnFelt->text(), QString("Foto"));
    QCOMPARE(f.window->AktuelleElementEdit->text(), QString("Mappe"));
    f.window->stiboxChange(1);
    QCOMPARE(f.struktur()->mappenavn(), QString("C:\\Data"));
    QCOMPARE(f.tabs(), (QStringList{"C:", "Data", "Foto"}));
    QVERIFY(f.fileNode("a.txt"));
    QCOMPARE(f.window->activeTree(), StrukturNr::filer);

    f.window->mappeKontrol("C:\\Data\\Foto\\f.jpg", true);
    QCOMPARE(f.tabs(), (QStringList{"C:", "Data", "Foto", "f.jpg"}));
    QCOMPARE(f.window->AktuelleElementEdit->text(), QString("Fil"));
    f.window->stiboxChange(0);
    f.window->stiboxChange(3);
    QCOMPARE(f.window->FilStruktur->selectedNode(), f.fileNode("f.jpg"));
    QCOMPARE(f.struktur()->filnavn(), QString("C:\\Data\\Foto\\f.jpg"));
    QCOMPARE(f.window->getStien(0), QString("C:"));

    // Paths with empty components keep tabs and components together.
    f.window->udskrivSti("\\\\server\\share\\Mappe");
    QCOMPARE(f.tabs(), (QStringList{"server", "share", "Mappe"}));
    QCOMPARE(f.window->getStien(1), QString("\\\\server\\share"));
    f.window->udskrivSti("C:\\Data\\");
    QCOMPARE(f.tabs(), (QStringList{"C:", "Data"}));
    QCOMPARE(f.window->stibox->currentIndex(), 1);
    QCOMPARE(f.window->getStien(1), QString("C:\\Data"));
}

void TestNavigation::backAndForwardWrap()
{
    Fixture f;
    f.window->historieDir->DeleteAlleItems();
    f.show("C:\\Data");
    QVERIFY(!f.enabled("Tilbage"));
    QVERIFY(!f.enabled("Frem"));
    f.show("C:\\Data\\Foto");
    f.show("C:\\Arkiv");
    QCOMPARE(f.window->HistorieListe->count(), 3);
    QVERIFY(f.enabled("Tilbage") && f.enabled("Frem"));
    f.window->HistorieListe->setCurrentRow(1);
    f.window->fremExecute();
    f.window->fremExecute();
    QCOMPARE(f.window->HistorieListe->currentRow(), 0);
    QCOMPARE(f.struktur()->mappenavn(), QString("C:\\Data"));
    f.window->tilbageExecute();
    QCOMPARE(f.window->HistorieListe->currentRow(), 2);
    QCOMPARE(f.struktur()->mappenavn(), QString("C:\\Arkiv"));
    // A visited folder that vanished is skipped silently; the selection stays on it.
    QDir(f.drives.host("C:\\Data\\Foto")).removeRecursively();
    f.window->tilbageExecute();
    QCOMPARE(f.window->HistorieListe->currentRow(), 1);
    QCOMPARE(f.struktur()->mappenavn(), QString("C:\\Arkiv"));
}

void TestNavigation::knownFolderInTheFolderTreeLeavesThePathField()
{
    Fixture f;
    f.main.EditSti->setText("uændret");
    f.window->mappeBox->setItemIndex(0);
    f.window->openMappeStruktur("C:\\Users\\Tester\\Pictures");
    QCOMPARE(f.main.EditSti->text(), QString("uændret"));
    QCOMPARE(f.window->activeTree(), StrukturNr::mapper);
    QCOMPARE(f.window->MappeStruktur->allNodes().size(), std::size_t(4)); // C:, Users, Tester, Pictures
    f.window->mappeBox->setItemIndex(1);
    f.window->openMappeStruktur("C:\\Users\\Tester\\Pictures");
    QCOMPARE(f.main.EditSti->text(), QString("C:\\Users\\Tester\\Pictures"));
    ScriptedResponder responder;
    f.window->openMappeStruktur(f.window->getSpecialMappe(1)); // no OneDrive folder
    QCOMPARE(responder.texts(), QStringList{"Mappen blev ikke fundet."});
    QDir().mkpath(f.drives.host("C:\\Users\\Tester\\Videos\\Captures"));
    QCOMPARE(f.window->getSpecialMappe(3), QString("C:\\Users\\Tester\\Videos\\Captures"));
}

void TestNavigation::contextMenusByTreeAndKind()
{
    Fixture f;
    f.struktur()->udfoldStruktur1("C:\\Data", true);
    f.window->setActiveTree(StrukturNr::mapper);
    QCOMPARE(f.window->contextMenuFor(f.window->MappeStruktur), f.window->PUdirbox);
    f.window->MappeStruktur->selectNode(f.window->MappeStruktur->firstNode());
    QCOMPARE(f.window->contextMenuFor(f.window->MappeStruktur), f.window->PUdirboxDrev);
    QCOMPARE(f.window->contextMenuFor(f.window->FilStruktur), nullptr);
    f.show("C:\\Data");
    QCOMPARE(f.window->contextMenuFor(f.window->MappeStruktur), nullptr); // the file tree is active
    f.window->FilStruktur->selectNode(f.fileNode("a.txt"));
    QCOMPARE(f.window->contextMenuFor(f.window->FilStruktur), f.window->PUfilbox);
    QStringList items;
    for (QAction *item : f.window->PUdirboxDrev->actions())
        items << (item->isSeparator() ? QString("-") : item->text());
    QCOMPARE(items, (QStringList{"Sæt ind", "Mappe", "-", "Egenskaber"}));
}

void TestNavigation::selectionCommandsEnabling()
{
    Fixture f;
    f.show("C:\\Data");
    QVERIFY(f.enabled("selectAlleElementer"));
    QVERIFY(!f.enabled("deselectElementer"));
    f.window->actions->action("selectAlleElementer")->trigger();
    QCOMPARE(f.window->FilStruktur->selectedNodes().size(), f.window->FilStruktur->allNodes().size());
    QVERIFY(!f.enabled("selectAlleElementer"));
    QVERIFY(f.enabled("deselectElementer"));
    QVERIFY(f.enabled("inverterSelection"));
    f.window->setActiveTree(StrukturNr::mapper);
    QVERIFY(!f.enabled("selectAlleElementer"));
    QVERIFY(!f.enabled("inverterSelection"));
    f.window->setActiveTree(StrukturNr::ingen); // neither: the states stay
    QVERIFY(!f.enabled("selectAlleElementer"));

    f.window->udfoldCheck->setChecked(true);
    f.window->setMarkerButton();
    QVERIFY(f.window->aSelectButton->isHidden());
    QCOMPARE(f.window->actions->action("inverterSelection")->text(), QString());
    f.window->udfoldCheck->setChecked(false);
    f.window->setMarkerButton();
    QCOMPARE(f.window->actions->action("deselectElementer")->text(), QString("Fjern alle markeringer"));
}

void TestNavigation::copyingTwiceOrInAnotherCaseLeavesOneRow()
{
    Fixture f;
    f.show("C:\\Data");
    f.select({"a.txt"});
    f.window->KopierElementer(false);
    f.window->KopierElementer(false);
    f.window->metodeX->RegisterElements("c:\\DATA\\A.TXT");
    QCOMPARE(paths(*f.klipbord()->Filliste), QStringList{"C:\\Data\\a.txt"});
    QCOMPARE(f.window->winBog->currentIndex(), 5); // "Gå til indstillinger"
    QCOMPARE(f.window->EditFil->text(), QString("1"));
}

void TestNavigation::moveFlagIsPerWindow()
{
    Fixture f(false);
    f.show("C:\\Data");
    f.select({"a.txt"});
    f.window->KopierElementer(true);
    QVERIFY(f.window->metodeX->flytElementer());
    f.select({"b.txt"});
    f.window->KopierElementer(false);
    QVERIFY(!f.window->metodeX->flytElementer()); // a paste now copies both
    QCOMPARE(f.klipbord()->Filliste->count(), 2);
}

void TestNavigation::aCutTravelsWithItsRows_data()
{
    QTest::addColumn<bool>("shared");
    QTest::newRow("one clipboard for all windows") << true;
    QTest::newRow("rows transferred to another window") << false;
}

void TestNavigation::aCutTravelsWithItsRows()
{
    QFETCH(bool, shared);
    Fixture f(shared);
    f.main.makeNewStifinder();
    Twinform *two = f.main.getWinform("Stifinder 2");
    QCOMPARE(two->metodeX->klipbord() == f.klipbord(), shared);
    f.show("C:\\Data");
    f.select({"a.txt"});
    f.window->KopierElementer(true);
    if (!shared)
        f.main.kopierKlipbordsdata("Stifinder 1", *f.klipbord()->Mappeliste, *f.klipbord()->Filliste,
                                   f.klipbord()->flytElementer);
    QVERIFY(two->metodeX->flytElementer());

    // Window 2 pastes: what was cut is moved, not copied, and nothing is left behind.
    TStrukturCompo *struktur2 = two->metodeX->strukturY();
    two->setActiveTree(StrukturNr::filer);
    two->mappeKontrol(struktur2->makeStruktur2("C:\\Arkiv"), true);
    ScriptedResponder responder;
    responder.answerJa(); // "Skal valgte elementer flyttes?"
    two->PasteElementer(two->activeTree());
    QCOMPARE(responder.shown.value(0).text, QString("Skal valgte elementer flyttes?"));
    QVERIFY(QFileInfo::exists(f.drives.host("C:\\Arkiv\\a.txt")));
    QVERIFY(!QFileInfo::exists(f.drives.host("C:\\Data\\a.txt")));
    QCOMPARE(responder.unexpectedQuestions, 0);
}

void TestNavigation::anAmpersandInAFolderNameIsNoShortcutMarker()
{
    Fixture f;
    QDir().mkpath(f.drives.host("C:\\Mor & Far"));
    f.show("C:\\Mor & Far");
    QCOMPARE(f.tabs().last(), QString("Mor && Far")); // drawn as "Mor & Far"
    // The tab still leads to the folder.
    QCOMPARE(f.window->getStien(f.window->stibox->count() - 1), QString("C:\\Mor & Far"));
}

void TestNavigation::pasteLoadDropsVanishedRowsAndSkipsTheDestination()
{
    Fixture f;
    // C:\\Genvej is the destination under another name (a link).
    QVERIFY(QFile::link(f.drives.host("C:\\Arkiv"), f.drives.host("C:\\Genvej")));
    for (const char *path :
         {"C:\\Data\\a.txt", "C:\\Data\\b.txt", "C:\\Data\\Foto", "C:\\Arkiv", "C:\\Genvej"})
        f.window->metodeX->RegisterElements(path);
    QFile::remove(f.drives.host("C:\\Data\\b.txt"));
    f.show("C:\\Arkiv");
    QString destination;
    QStringList folders, files;
    QVERIFY(f.window->loadListerne(f.window->activeTree(), destination, folders, files));
    QCOMPARE(folders, QStringList{"C:\\Data\\Foto"});
    QCOMPARE(files, QStringList{"C:\\Data\\a.txt"});
    QCOMPARE(paths(*f.klipbord()->Filliste), QStringList{"C:\\Data\\a.txt"});
    QCOMPARE(f.klipbord()->Mappeliste->count(), 3); // the destination's rows stay, skipped
}

void TestNavigation::folderPastedIntoItselfGivesBothMessages()
{
    Fixture f;
    f.window->metodeX->RegisterElements("C:\\Arkiv");
    f.show("C:\\Arkiv");
    ScriptedResponder responder;
    QString destination;
    QStringList folders, files;
    QVERIFY(!f.window->loadListerne(f.window->activeTree(), destination, folders, files));
    QCOMPARE(destination, QString());
    QCOMPARE(
        responder.texts(),
        (QStringList{
            "Der mangler elementer til kopiering.\rKilde og destination er muligvist den samme eller der "
            "mangler elementer i Klipbordet.",
            "Der er ingen gyldige elementer i Klipbordet.\rIndsæt elementer og prøv igen."}));
    responder.clear();
    f.window->setActiveTree(StrukturNr::mapper);
    f.window->MappeStruktur->deselectAll();
    QVERIFY(!f.window->loadListerne(f.window->activeTree(), destination, folders, files));
    QCOMPARE(responder.texts(),
             QStringList{"Der mangler en destination for \"Sæt-ind\" funktionen.\rVælg mappen, "
                         "hvor elementerne skal kopieres til og prøv igen."});
}

void TestNavigation::confirmedPasteClearsOnlyTickedRows()
{
    Fixture f;
    for (const char *path : {"C:\\Data\\a.txt", "C:\\Data\\b.txt"})
        f.window->metodeX->RegisterElements(path);
    f.klipbord()->Filliste->setChecked(1, false);
    f.window->lukKlipbordKontrol(false);
    QCOMPARE(f.klipbord()->Filliste->count(), 2);
    f.window->rydCheck->setChecked(true);
    f.window->lukKlipbordKontrol(true);
    QCOMPARE(paths(*f.klipbord()->Filliste), QStringList{"C:\\Data\\b.txt"});
}

void TestNavigation::restoreAfterMoveAndAfterCopy()
{
    Fixture f;
    f.show("C:\\Arkiv");
    f.window->metodeX->RegisterElements("C:\\Data\\a.txt");
    ScriptedResponder responder;
    responder.answerJa(); // "Skal valgte elementer kopieres?"
    f.window->PasteElementer(f.window->activeTree());
    QVERIFY(QFileInfo::exists(f.drives.host("C:\\Arkiv\\a.txt")));
    QCOMPARE(f.klipbord()->Filliste->count(), 0); // "Ryd kopieringslister" is on by default
    QVERIFY(f.enabled("klipbordsGendannelse"));
    f.window->klipbordsGendannelse(); // after a copy the row comes back
    QCOMPARE(paths(*f.klipbord()->Filliste), QStringList{"C:\\Data\\a.txt"});

    f.window->metodeX->setFlytElementer(true);
    responder.answerJa();
    responder.answerClash(1); // "Overskriv alle"
    f.window->PasteElementer(f.window->activeTree());
    QVERIFY(!QFileInfo::exists(f.drives.host("C:\\Data\\a.txt")));
    f.window->klipbordsGendannelse(); // after a move there is nothing to bring back
    QCOMPARE(f.klipbord()->Filliste->count(), 0);
    QCOMPARE(responder.unexpectedQuestions, 0);
}

void TestNavigation::fjernRemovesHighlightedAndChecked()
{
    Fixture f;
    for (const char *name : {"a.txt", "b.txt", "c.txt", "d.txt", "e.txt"}) {
        f.drives.writeBytes(QString("C:\\F\\") + name, "x");
        f.window->metodeX->RegisterElements(QString("C:\\F\\") + name);
    }
    Tlisteform *clipboard = qobject_cast<Tlisteform *>(f.main.clipboardFrame(f.klipbord())->widget());
    QVERIFY(clipboard);
    KlipbordListe *files = f.klipbord()->Filliste;
    files->setChecked(1, false); // row 2 highlighted but not checked
    clipboard->Filliste->selectionModel()->select(files->index(1, 1),
                                                  QItemSelectionModel::Select | QItemSelectionModel::Rows);
    clipboard->Filliste->selectionModel()->select(files->index(3, 1),
                                                  QItemSelectionModel::Select | QItemSelectionModel::Rows);
    clipboard->sletValgteFraListe(files);
    QCOMPARE(paths(*files), (QStringList{"C:\\F\\a.txt", "C:\\F\\b.txt", "C:\\F\\c.txt", "C:\\F\\e.txt"}));
    QCOMPARE(clipboard->getElementAntal(), 3);
    clipboard->sletBeggeLister();
    QCOMPARE(files->count(), 0);
}

void TestNavigation::clipboardWindowOptions()
{
    Fixture f(false);
    QDir().mkpath(f.drives.host("C:\\zunKolvra\\Tester\\Egenskaber"));
    f.drives.writeBytes("C:\\zunKolvra\\Tester\\Egenskaber\\listeEgenskaber1.txt", "200\r\n");
    Tlisteform window(f.klipbord(), false, 1, "C:\\zunKolvra\\Tester\\Egenskaber\\");
    QCOMPARE(window.windowTitle(), QString("Klipbord 1"));
    QCOMPARE(window.winformCaption, QString("Stifinder 1"));
    QVERIFY(window.selectCheck->isChecked()); // a one-line file gives the defaults
    QCOMPARE(window.Mappeliste->selectionBehavior(), QAbstractItemView::SelectRows);
    window.selectCheck->setChecked(false);
    window.linjevalgClick();
    QCOMPARE(core::readLines("C:\\zunKolvra\\Tester\\Egenskaber\\listeEgenskaber1.txt")->at(1), QString("0"));
    Tlisteform shared(f.klipbord(), true, 3, "C:\\zunKolvra\\Tester\\Egenskaber\\");
    QCOMPARE(shared.windowTitle(), QString("Klipbord"));
    QCOMPARE(shared.optfilnavn, QString("C:\\zunKolvra\\Tester\\Egenskaber\\listeEgenskaber.txt"));

    // A hidden window keeps the saved width: creating it writes nothing when "Linjevalg" stays,
    // and the real width when loading changes it.
    const QString file = "C:\\zunKolvra\\Tester\\Egenskaber\\listeEgenskaber2.txt";
    f.drives.writeBytes(file, "220\r\n1\r\n");
    {
        Tlisteform same(f.klipbord(), false, 2, "C:\\zunKolvra\\Tester\\Egenskaber\\");
    }
    QCOMPARE(f.drives.readBytes(file), QByteArray("220\r\n1\r\n"));
    f.drives.writeBytes(file, "220\r\n0\r\n");
    Tlisteform changed(f.klipbord(), false, 2, "C:\\zunKolvra\\Tester\\Egenskaber\\");
    QCOMPARE(f.drives.readBytes(file), QByteArray("220\r\n0\r\n"));
    changed.selectCheck->setChecked(true);
    changed.linjevalgClick();
    QCOMPARE(f.drives.readBytes(file), QByteArray("220\r\n1\r\n"));
}

void TestNavigation::cancelCommandsAndTransferRule()
{
    Fixture f(false);
    f.window->metodeX->RegisterElements("C:\\Data\\a.txt");
    f.window->metodeX->RegisterElements("C:\\Arkiv");
    QVERIFY(f.enabled("AnnullerKopiering"));
    QVERIFY(!f.enabled("KlipbordsdataTransfer")); // one window, "Aktiver" off
    f.main.makeNewStifinder();
    f.window->KDTcheck->setChecked(true);
    QVERIFY(f.enabled("KlipbordsdataTransfer"));
    f.main.processCount = 1;
    QVERIFY(!f.enabled("KlipbordsdataTransfer"));
    f.main.processCount = 0;
    QVERIFY(f.enabled("KlipbordsdataTransfer"));
    f.window->actions->action("KlipbordsdataTransfer")->trigger();
    QCOMPARE(f.main.getWinform("Stifinder 2")->metodeX->klipbord()->Filliste->count(), 1);
    QVERIFY(!f.window->KDTcheck->isChecked());
    f.window->actions->action("aAnnullerFiler")->trigger();
    QCOMPARE(f.klipbord()->Filliste->count(), 0);
    QCOMPARE(f.klipbord()->Mappeliste->count(), 1);
    f.window->actions->action("AnnullerKopiering")->trigger();
    QCOMPARE(f.klipbord()->elementAntal, 0);
}

void TestNavigation::savingTheTreeDisablesItsButtonsUntilTheSelectionChanges()
{
    Fixture f;
    f.window->setActiveTree(StrukturNr::mapper);
    f.window->actions->action("gemStruktur")->trigger();
    QVERIFY(
        QFile::exists(f.drives.host("C:\\zunKolvra\\Tester\\Egenskaber\\GemHentStruktur Stifinder 1.txt")));
    QVERIFY(!f.window->actions->action("hentStruktur")->isEnabled());
    f.window->MappeStruktur->selectNode(f.window->MappeStruktur->firstNode());
    QVERIFY(f.window->actions->action("hentStruktur")->isEnabled());
}

void TestNavigation::inPlaceRenameRenamesOnDisk()
{
    Fixture f;
    f.show("C:\\Data");
    StrukturNode *file = f.fileNode("a.txt");
    f.window->FilStruktur->selectNode(file);
    StrukturModel *model = f.window->FilStruktur->strukturModel();
    QVERIFY(model->setData(model->indexOf(file), "omdøbt.txt", Qt::EditRole));
    QCOMPARE(file->text, QString("omdøbt.txt"));
    QVERIFY(QFile::exists(f.drives.host("C:\\Data\\omdøbt.txt")));

    f.struktur()->udfoldStruktur1("C:\\Data\\Foto", true);
    f.window->setActiveTree(StrukturNr::mapper);
    StrukturNode *folder = f.window->MappeStruktur->selectedNode();
    QVERIFY(f.window->MappeStruktur->strukturModel()->setData(
        f.window->MappeStruktur->strukturModel()->indexOf(folder), "Billeder", Qt::EditRole));
    QVERIFY(QDir(f.drives.host("C:\\Data\\Billeder")).exists());
    QTRY_COMPARE(f.window->MappeStruktur->selectedNode()->rec.mappe, QString("C:\\Data\\Billeder"));
}

// Type-ahead selects as a click does, also a capital letter typed with Shift held: the entry
// becomes the current element, so Ctrl+N adds the file to the favourites, not its folder.
void TestNavigation::typingANameMakesItTheCurrentElement()
{
    Fixture f;
    f.main.show();
    f.drives.writeBytes("C:\\Data\\Øst.txt", "x");
    f.show("C:\\Data");
    QCOMPARE(f.main.EditSti->text(), QString("C:\\Data"));
    f.window->FilStruktur->setFocus();
    QTest::keyClicks(f.window->FilStruktur, "b.");
    QCOMPARE(f.window->FilStruktur->selectedNode(), f.fileNode("b.txt"));
    QCOMPARE(f.main.EditSti->text(), QString("C:\\Data\\b.txt"));
    QCOMPARE(f.window->AktuelleElementEdit->text(), QString("Fil"));

    QTest::qWait(QApplication::keyboardInputInterval() + 50); // a new search
    QTest::keyClick(f.window->FilStruktur, Qt::Key_A, Qt::ShiftModifier);
    QCOMPARE(f.window->FilStruktur->selectedNode(), f.fileNode("a.txt"));
    QCOMPARE(f.main.EditSti->text(), QString("C:\\Data\\a.txt"));
    f.window->favChanged = true;
    f.window->actions->updateAll();
    f.window->actions->action("aInsertFavoritmappe")->trigger();
    QCOMPARE(f.window->FavFiler->GetFilnavn(0), QString("C:\\Data\\a.txt"));

    f.window->setActiveTree(StrukturNr::mapper);
    f.struktur()->udfoldStruktur1("C:\\Data", false);
    f.window->MappeStruktur->setFocus();
    QTest::keyClick(f.window->MappeStruktur, Qt::Key_A, Qt::ShiftModifier);
    QCOMPARE(f.main.EditSti->text(), QString("C:\\Arkiv"));
}

void TestNavigation::bothTreesListInDanishOrder()
{
    Fixture f;
    for (const char *name : {"Århus", "Ærø", "Zulu", "Østerbro", "abe"}) {
        QDir().mkpath(f.drives.host(QString("C:\\Dansk\\") + name));
        f.drives.writeBytes(QString("C:\\Dansk\\%1.txt").arg(name), "x");
    }
    f.show("C:\\Dansk");
    QStringList files;
    for (StrukturNode *node : f.window->FilStruktur->allNodes())
        files << node->text;
    QCOMPARE(files, (QStringList{"abe", "Zulu", "Ærø", "Østerbro", "Århus", "abe.txt", "Zulu.txt", "Ærø.txt",
                                 "Østerbro.txt", "Århus.txt"}));
    f.window->setActiveTree(StrukturNr::mapper);
    f.struktur()->udfoldStruktur1("C:\\Dansk", false);
    QStringList folders;
    for (StrukturNode *node : f.window->MappeStruktur->allNodes())
        if (node->rec.mappe.startsWith("C:\\Dansk\\"))
            folders << node->text;
    QCOMPARE(folders, (QStringList{"abe", "Zulu", "Ærø", "Østerbro", "Århus"}));
}

QTEST_MAIN(TestNavigation)
#include "test_navigation.moc"
