// The structure menu of the main window with the folder-structure tool: a structure built in the
// tool, saved, and opened again from the menu and with F3; names with "&"; F3 after the structure
// went; the current folder added with "Tilføj".

#include "app/mainform.h"
#include "core/files.h"
#include "core/linefile.h"
#include "core/messages.h"
#include "dialogs/actionlist.h"
#include "dialogs/radiogroup.h"
#include "dialogs/shared.h"
#include "explorer/winform.h"
#include "fileops/metodecompo.h"
#include "structures/struktur.h"
#include "structures/strukturcompo.h"
#include "structures/strukturmodel.h"
#include "support/headlessdialogs.h"
#include "support/testdrives.h"
#include "tools/mappestruktur/mappestrukturform.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

using testsupport::ScriptedResponder;

namespace {

const QString kDir = "C:\\zunKolvra\\Tester\\Mappestrukturer\\";

// "text|folder" of every node of the folder tree, indented by depth.
QStringList describe(const StrukturView *tree)
{
    QStringList lines;
    for (const StrukturNode *node : tree->allNodes()) {
        int depth = 0;
        for (const StrukturNode *up = node->parent; up && up->parent; up = up->parent)
            ++depth;
        lines << QString(depth * 2, u' ') + node->text + "|" + node->rec.mappe;
    }
    return lines;
}

QStringList entryNames(const QMenu *menu)
{
    QStringList names;
    const QList<QAction *> entries = menu->actions();
    for (qsizetype i = 2; i < entries.size(); ++i)
        names << entries.at(i)->data().toString();
    return names;
}

bool reloadEnabled(Twinform *window)
{
    window->actions->updateAll();
    return window->actions->action("aReloadStruktur")->isEnabled();
}

// When ZUN_SKAERMBILLEDER names a folder, what was built is saved there as a picture.
void keepPicture(QWidget *widget, const QString &name)
{
    const QString folder = qEnvironmentVariable("ZUN_SKAERMBILLEDER");
    if (!folder.isEmpty())
        widget->grab().save(folder + "/" + name + ".png");
}

} // namespace

class TestMappestrukturMenu : public QObject
{
    Q_OBJECT
    // Messages, questions and progress windows without a user.
    testsupport::HeadlessDialogs m_dialogs;
private slots:
    void initTestCase() { dialogs::createShared(nullptr); }
    void builtSavedClosedAndOpenedFromTheMenu();
    void f3AfterTheStructureWentSaysSo();
    void handWrittenAndOversizedStructureFiles();
    void tilfoejAddsTheCurrentFolder();
    void theContentsTreeReadsTheInstalledPair();
};

void TestMappestrukturMenu::builtSavedClosedAndOpenedFromTheMenu()
{
    TestDrives drives;
    for (const char *folder : {"C:\\Data\\Breve\\2024", "C:\\Musik\\Jazz", "C:\\Fotos"})
        QDir().mkpath(drives.host(folder));
    Tmainform main;
    main.editSettings().triedBefore = true; // not the first start: no welcome page over the explorer window
    main.resize(1270, 870);
    main.show();
    QTRY_COMPARE(main.explorerWindows().size(), 1);
    Twinform *window = main.explorerWindows().first();
    window->FormActivate();
    QVERIFY(!reloadEnabled(window));
    ScriptedResponder responder;

    // Built and saved in the tool, under a name with "&".
    main.actions->action("OpretSmappe")->trigger();
    QVERIFY(Mappestrukturform);
    for (const char *folder : {"C:\\Data\\Breve\\2024", "C:\\Musik\\Jazz", "C:\\Data", "C:\\Fotos"})
        Mappestrukturform->tilfoejMappe(folder);
    QVERIFY(main.MsRedigeret);
    QVERIFY(!main.FormCloseQuery()); // never while a structure is being edited
    Mappestrukturform->navnEdit->setText("Mor & Far");
    Mappestrukturform->gemStrukturen();
    QVERIFY(!main.MsRedigeret);
    QCOMPARE(core::readLines(kDir + "Mor & Far.txt").value(),
             (QStringList{"C:\\Data\\Breve\\2024", "C:\\Musik\\Jazz", "C:\\Data", "C:\\Fotos"}));
    QCOMPARE(entryNames(main.PuMappeStruk), QStringList{"Mor & Far"});
    QAction *entry = main.PuMappeStruk->actions().at(2);
    QCOMPARE(entry->text(), QString("Mor && Far")); // shown as "Mor & Far", no accelerator
    QCOMPARE(entry->statusTip(), QString("Aktiver Mor & Far"));
    Mappestrukturform->strukturBog->setCurrentIndex(1);
    keepPicture(Mappestrukturform, "mappestruktur");
    Mappestrukturform->closeWindow();
    QTRY_VERIFY(!Mappestrukturform);

    // Opened again from the menu, as a level structure.
    main.FremFormCheck->setItemIndex(0);
    entry->trigger();
    QCOMPARE(main.OnClickIndex, 2);
    QCOMPARE(main.OnClickCaption, QString("Mor & Far"));
    const QStringList level = describe(window->MappeStruktur);
    QCOMPARE(level, (QStringList{"System (C:)|C:", "  Data|C:\\Data", "    Breve|C:\\Data\\Breve",
                                 "      2024|C:\\Data\\Breve\\2024", "  Musik|C:\\Musik",
                                 "    Jazz|C:\\Musik\\Jazz", "  Fotos|C:\\Fotos"}));
    QVERIFY(responder.shown.isEmpty());
    QVERIFY(reloadEnabled(window));

    // F3 builds it again after the tree changed; the name is matched without regard to case.
    window->metodeX->strukturY()->makePreDrives();
    QVERIFY(describe(window->MappeStruktur) != level);
    main.OnClickCaption = "MOR & FAR";
    window->actions->action("aReloadStruktur")->trigger();
    QCOMPARE(describe(window->MappeStruktur), level);
    QCOMPARE(main.OnClickCaption, QString("Mor & Far"));

    // As a point structure: one node per folder, in the saved order.
    main.FremFormCheck->setItemIndex(1);
    window->actions->action("aReloadStruktur")->trigger();
    QCOMPARE(describe(window->MappeStruktur),
             (QStringList{"2024|C:\\Data\\Breve\\2024", "Jazz|C:\\Musik\\Jazz", "Data|C:\\Data",
                          "Fotos|C:\\Fotos"}));
    QVERIFY(responder.shown.isEmpty());

    // The explorer window's tool button carries the structure menu.
    auto *button = window->findChild<QToolButton *>("mappeStrukturKnap");
    QVERIFY(button);
    QCOMPARE(button->menu(), main.PuMappeStruk);
    // Its hint names the key of the command it gives.
    QCOMPARE(button->toolTip(), main.actions->action("OpretSmappe")->statusTip());
    main.PuMappeStruk->popup(QPoint(0, 0));
    QTRY_VERIFY(main.PuMappeStruk->isVisible());
    keepPicture(main.PuMappeStruk, "strukturmenu");
    keepPicture(&main, "hovedvindue");
    main.PuMappeStruk->hide();
}

void TestMappestrukturMenu::f3AfterTheStructureWentSaysSo()
{
    TestDrives drives;
    QDir().mkpath(drives.host("C:\\Data"));
    QDir().mkpath(drives.host(kDir));
    QVERIFY(core::writeLines(kDir + "Arbejde.txt", {"C:\\Data"}));
    QVERIFY(core::writeLines(kDir + "Ferie.txt", {"C:\\Data"}));
    Tmainform main;
    main.editSettings().triedBefore = true; // not the first start: no welcome page over the explorer window
    main.show();
    QTRY_COMPARE(main.explorerWindows().size(), 1);
    Twinform *window = main.explorerWindows().first();
    window->FormActivate();
    QCOMPARE(entryNames(main.PuMappeStruk).size(), 2);
    const QList<QAction *> entries = main.PuMappeStruk->actions();
    QAction *ferie = entries.at(entryNames(main.PuMappeStruk).indexOf("Ferie") + 2);
    // Chosen while the clipboard window is the active child: a new explorer window gets it.
    main.actions->action("aVisKlipbordet")->trigger();
    QVERIFY(!main.activeExplorer());
    ferie->trigger();
    QCOMPARE(main.explorerWindows().size(), 2);
    QCOMPARE(main.activeExplorer()->StifinderNavn, QString("Stifinder 2"));
    QCOMPARE(describe(main.activeExplorer()->MappeStruktur).last(), QString("  Data|C:\\Data"));
    QCOMPARE(main.OnClickCaption, QString("Ferie"));
    QVERIFY(reloadEnabled(window));

    QVERIFY(core::deleteFile(kDir + "Ferie.txt"));
    main.loadMappeStruktur(false);
    QCOMPARE(entryNames(main.PuMappeStruk), QStringList{"Arbejde"});
    ScriptedResponder responder;
    window->actions->action("aReloadStruktur")->trigger();
    QCOMPARE(responder.texts(), QStringList{"Sidste hjemmelavede struktur:\rFerie\rblev ikke fundet.\r"
                                            "Strukturmenuen må være blevet ændret siden sidst."});
    QCOMPARE(main.OnClickIndex, -1);
    QCOMPARE(main.OnClickCaption, QString());
    QVERIFY(!reloadEnabled(window));
}

void TestMappestrukturMenu::handWrittenAndOversizedStructureFiles()
{
    TestDrives drives;
    QDir().mkpath(drives.host("C:\\Data\\Breve"));
    QDir().mkpath(drives.host(kDir));
    // Slashes as a Linux user types them: the same folders as with backslashes.
    drives.writeBytes(kDir + "Skråstreg.txt", "C:/Data/Breve\nC:/\n");
    QFile big(drives.host(kDir + "Stor.txt"));
    QVERIFY(big.open(QIODevice::WriteOnly) && big.resize(core::kMaxLineFileBytes + 1));
    big.close();
    Tmainform main;
    main.editSettings().triedBefore = true; // not the first start: no welcome page over the explorer window
    main.show();
    QTRY_COMPARE(main.explorerWindows().size(), 1);
    Twinform *window = main.explorerWindows().first();
    window->FormActivate();
    const QStringList names = entryNames(main.PuMappeStruk);
    ScriptedResponder responder;

    main.FremFormCheck->setItemIndex(0);
    main.PuMappeStruk->actions().at(names.indexOf("Skråstreg") + 2)->trigger();
    QCOMPARE(describe(window->MappeStruktur),
             (QStringList{"System (C:)|C:", "  Data|C:\\Data", "    Breve|C:\\Data\\Breve"}));
    QVERIFY(responder.texts().isEmpty());

    // Too large to read: said so, not that it is missing, and the file is kept as it is.
    main.PuMappeStruk->actions().at(names.indexOf("Stor") + 2)->trigger();
    const QString file = kDir + "Stor.txt";
    QCOMPARE(responder.texts(), QStringList{core::refusedMessage(file)});
    QVERIFY(responder.texts().first().contains("større end 16 MB"));
    QCOMPARE(QFileInfo(drives.host(file)).size(), core::kMaxLineFileBytes + 1);
}

void TestMappestrukturMenu::tilfoejAddsTheCurrentFolder()
{
    TestDrives drives;
    QDir().mkpath(drives.host("C:\\Data\\Breve"));
    Tmainform main;
    main.editSettings().triedBefore = true; // not the first start: no welcome page over the explorer window
    main.show();
    QTRY_COMPARE(main.explorerWindows().size(), 1);
    Twinform *window = main.explorerWindows().first();
    window->FormActivate();
    main.clientArea->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(window->parentWidget()));
    window->visIFilStruktur("C:\\Data\\Breve");
    QCOMPARE(window->metodeX->strukturY()->mappenavn(), QString("C:\\Data\\Breve"));
    main.actions->updateAll();
    QVERIFY(main.actions->action("aInsertMappe")->isEnabled());
    main.actions->action("aInsertMappe")->trigger();
    QVERIFY(Mappestrukturform);
    QCOMPARE(Mappestrukturform->strukturBog->currentIndex(), 1);
    QCOMPARE(Mappestrukturform->strukturListeMapper->item(0)->text(), QString("C:\\Data\\Breve"));
    QVERIFY(main.MsRedigeret);
    QCOMPARE(main.infobarPanels[2]->text(), QString("Mappen er tilføjet til strukturen."));
    // The tool is active now, not an explorer window: "Tilføj" waits for one.
    main.actions->updateAll();
    QVERIFY(!main.actions->action("aInsertMappe")->isEnabled());
    ScriptedResponder responder;
    responder.answerJa();
    Mappestrukturform->closeWindow();
    QTRY_VERIFY(!Mappestrukturform);
    QVERIFY(!main.MsRedigeret);
}

void TestMappestrukturMenu::theContentsTreeReadsTheInstalledPair()
{
    TestDrives drives;
    QDir().mkpath(drives.host("C:\\zunKolvra\\Program\\Stifinder\\tekstfiler"));
    QVERIFY(core::writeLines("C:\\zunKolvra\\Program\\Stifinder\\struktur.txt", {"Velkommen", "\tKopier"}));
    QVERIFY(core::writeLines("C:\\zunKolvra\\Program\\Stifinder\\data.txt", {"0Velkommen", "3Kopier"}));
    Tmainform main;
    QCOMPARE(main.Struktur->topLevelItemCount(), 1);
    QCOMPARE(main.Struktur->getNodeTekst("Kopier.html"), QString("Kopier"));
    QCOMPARE(main.Struktur->InfoFilnavn("txt"),
             QString("C:\\zunKolvra\\Program\\Stifinder\\tekstfiler\\VelkommenKopier.txt"));
}

QTEST_MAIN(TestMappestrukturMenu)
#include "test_mappestrukturmenu.moc"
