#include "app/hostsetup.h"
#include "app/mainform.h"
#include "app/styles.h"
#include "core/messages.h"
#include "dialogs/actionlist.h"
#include "dialogs/filinfoform.h"
#include "dialogs/radiogroup.h"
#include "dialogs/renameform.h"
#include "dialogs/shared.h"
#include "explorer/winform.h"
#include "fileops/klipbord.h"
#include "fileops/metodecompo.h"
#include "structures/strukturcompo.h"
#include "structures/strukturmodel.h"
#include "support/headlessdialogs.h"
#include "support/testdrives.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QMouseEvent>
#include <QPointer>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QSplitter>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <memory>

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
        for (const char *folder : {"C:\\Data\\Foto\\Ferie", "C:\\Arkiv"})
            QDir().mkpath(drives.host(folder));
        for (const char *file : {"C:\\Data\\a.txt", "C:\\Data\\b.txt"})
            drives.writeBytes(file, "x");
        main.editSettings().triedBefore = true;
        main.editSettings().sharedClipboard = shared;
        main.makeNewStifinder();
        window = main.getWinform("Stifinder 1");
    }
    TStrukturCompo *struktur() const { return window->metodeX->strukturY(); }
    QStringList tabs() const
    {
        QStringList result;
        for (int i = 0; i < window->stibox->count(); ++i)
            result << window->stibox->tabText(i);
        return result;
    }
    void show(const QString &folder) const
    {
        window->setActiveTree(StrukturNr::filer);
        window->mappeKontrol(struktur()->makeStruktur2(folder), true);
    }
    void select(Twinform *in, const QString &text) const
    {
        StrukturView *tree = in->FilStruktur;
        tree->deselectAll();
        for (StrukturNode *node : tree->allNodes()) {
            if (node->text == text)
                tree->setNodeSelected(node, true);
        }
    }
    // Waits for the clipboard size counted in the background to arrive.
    static void countSize(Twinform *in)
    {
        in->actions->updateAll();
        in->actions->action("aMappeFilSize")->trigger();
        in->metodeX->sizeComputation().waitForFinished();
        QCoreApplication::processEvents();
    }
};

} // namespace

class TestExplorerWindow : public QObject
{
    Q_OBJECT
    // Messages, questions and progress windows without a user.
    testsupport::HeadlessDialogs m_dialogs;
private slots:
    void initTestCase()
    {
        dialogs::createShared(nullptr);
        styles::apply("Sky");
        app::installIconTheme(); // tool buttons show pictures, not captions, as in the program
    }
    void theTreesGetTheRoomAtAFirstStart();
    void altClickClearsTheFolderSelectionWithAnyButtonButTheRight_data();
    void altClickClearsTheFolderSelectionWithAnyButtonButTheRight();
    void pathBarTabOfADeletedFolderShowsTheNearestFolderLeft();
    void clipboardSizeGoesStaleWhenTheRowsChange();
    void pasteCopiesAndMovesAndDeleteClimbsToAFolderLeft();
    void aWindowClosedDuringAPasteClosesWhenItEnds();
    void folderTreeRulesFollowTheNodeKind_data();
    void folderTreeRulesFollowTheNodeKind();
    void aNewFolderStartsItsRenameAndTheRenameReachesTheDisk();
    void dropsMoveWithinADriveAndCopyAcrossDrives();
    void renameByDialogKeepsTheExtension();
    void newFilesFromTemplatesGetFreeNamesAndTheirRename();
    void egenskaberShowsThePageOfTheSelectedKind();
    void theKeyboardWorksTheTreesAsTheMouseDoes();
    void noToolButtonCutsItsCaptionWithoutAnIconTheme_data();
    void noToolButtonCutsItsCaptionWithoutAnIconTheme();
};

void TestExplorerWindow::theTreesGetTheRoomAtAFirstStart()
{
    Fixture f;
    f.main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.main));
    // The width the explorer window gets in a main window of the default size.
    QSplitter *splitter = f.window->splitter;
    splitter->setGeometry(QRect(splitter->pos(), QSize(915, splitter->height())));
    const QList<int> sizes = splitter->sizes();
    const int folderTree = sizes.at(0), fileTree = sizes.at(1), pages = sizes.at(2);
    const QString seen =
        QString("folder tree %1, file tree %2, pages %3").arg(folderTree).arg(fileTree).arg(pages);
    QVERIFY2(fileTree >= pages, qPrintable(seen));
    QVERIFY2(folderTree >= 314, qPrintable(seen));
    // Every page still fits, the settings page a first start shows included.
    for (int i = 0; i < f.window->winBog->count(); ++i) {
        QWidget *page = f.window->winBog->widget(i);
        QVERIFY2(page->minimumSizeHint().width() <=
                     f.window->winBog->width() - f.window->winBog->tabBar()->width(),
                 qPrintable(page->objectName() + ": " + seen));
    }
}

void TestExplorerWindow::altClickClearsTheFolderSelectionWithAnyButtonButTheRight_data()
{
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<Qt::KeyboardModifiers>("keys");
    QTest::addColumn<bool>("clears");
    QTest::newRow("Alt+left") << Qt::LeftButton << Qt::KeyboardModifiers(Qt::AltModifier) << true;
    QTest::newRow("Alt+middle") << Qt::MiddleButton << Qt::KeyboardModifiers(Qt::AltModifier) << true;
    QTest::newRow("Alt+back") << Qt::BackButton << Qt::KeyboardModifiers(Qt::AltModifier) << true;
    QTest::newRow("Alt+right: the context menu")
        << Qt::RightButton << Qt::KeyboardModifiers(Qt::AltModifier) << false;
    QTest::newRow("left without Alt") << Qt::LeftButton << Qt::KeyboardModifiers() << false;
}

void TestExplorerWindow::altClickClearsTheFolderSelectionWithAnyButtonButTheRight()
{
    QFETCH(Qt::MouseButton, button);
    QFETCH(Qt::KeyboardModifiers, keys);
    QFETCH(bool, clears);
    Fixture f;
    f.struktur()->udfoldStruktur1("C:\\Data\\Foto", true);
    f.window->setActiveTree(StrukturNr::mapper);
    QVERIFY(f.window->MappeStruktur->selectionCount() > 0);
    QSignalSpy deselect(f.window->actions->action("deselectAll"), &QAction::triggered);
    QWidget *viewport = f.window->MappeStruktur->viewport();
    const QPointF where(5, viewport->height() - 5);
    QMouseEvent press(QEvent::MouseButtonPress, where, viewport->mapToGlobal(where), button, button, keys);
    QCoreApplication::sendEvent(viewport, &press);
    QCOMPARE(deselect.count(), clears ? 1 : 0);
}

void TestExplorerWindow::pathBarTabOfADeletedFolderShowsTheNearestFolderLeft()
{
    Fixture f;
    f.show("C:\\Data\\Foto\\Ferie");
    QCOMPARE(f.tabs(), (QStringList{"C:", "Data", "Foto", "Ferie"}));
    QDir(f.drives.host("C:\\Data\\Foto")).removeRecursively();
    ScriptedResponder responder;
    f.window->stiboxChange(3);
    // Tree and bar agree on the folder shown, and the user is told why it is not the tab's.
    QCOMPARE(f.struktur()->mappenavn(), QString("C:\\Data"));
    QCOMPARE(f.tabs(), (QStringList{"C:", "Data"}));
    QCOMPARE(f.window->stibox->currentIndex(), 1);
    QCOMPARE(f.main.EditSti->text(), QString("C:\\Data"));
    QCOMPARE(responder.texts(),
             QStringList{"\"C:\\Data\\Foto\\Ferie\" findes ikke længere.\rI stedet vises \"C:\\Data\"."});
    QStringList shown;
    for (StrukturNode *node : f.window->FilStruktur->allNodes())
        shown << node->text;
    QCOMPARE(shown, (QStringList{"a.txt", "b.txt"}));

    // A tab that still exists leads there without a word.
    responder.clear();
    f.window->stiboxChange(0);
    QCOMPARE(f.struktur()->mappenavn(), QString("C:"));
    QVERIFY(responder.shown.isEmpty());
}

void TestExplorerWindow::clipboardSizeGoesStaleWhenTheRowsChange()
{
    Fixture f; // a shared clipboard
    f.main.makeNewStifinder();
    Twinform *two = f.main.getWinform("Stifinder 2");
    f.show("C:\\Data");
    f.select(f.window, "a.txt");
    f.window->KopierElementer(false);
    Fixture::countSize(f.window);
    const QString one = f.window->sizeLabel->text();
    QVERIFY2(one.endsWith("Filer: 1"), qPrintable(one));

    // Another copy, from either window, makes every window's counted size stale.
    two->metodeX->RegisterElements("C:\\Data\\b.txt");
    QCOMPARE(f.window->sizeLabel->text(), QString("Ukendt"));
    QCOMPARE(two->sizeLabel->text(), QString("Ukendt"));
    Fixture::countSize(f.window);
    QVERIFY2(f.window->sizeLabel->text().endsWith("Filer: 2"), qPrintable(f.window->sizeLabel->text()));

    f.window->actions->action("AnnullerKopiering")->trigger();
    QCOMPARE(f.window->sizeLabel->text(), QString());
    QCOMPARE(two->sizeLabel->text(), QString());
}

void TestExplorerWindow::pasteCopiesAndMovesAndDeleteClimbsToAFolderLeft()
{
    Fixture f;
    ScriptedResponder responder;
    auto trigger = [&f](const char *name) {
        f.window->actions->updateAll();
        QAction *action = f.window->actions->action(name);
        QVERIFY2(action->isEnabled(), name);
        action->trigger();
    };

    // Copy two files into C:\Arkiv: asked first ("Spørg altid"), the clipboard emptied after.
    f.show("C:\\Data");
    f.select(f.window, "a.txt");
    f.window->FilStruktur->setNodeSelected(f.window->FilStruktur->allNodes().back(), true);
    f.window->KopierElementer(false);
    f.show("C:\\Arkiv");
    responder.answerJa();
    trigger("Paste");
    QCOMPARE(responder.shown.size(), 1);
    QCOMPARE(responder.shown.first().text, QString("Skal valgte elementer kopieres?"));
    QCOMPARE(QDir(f.drives.host("C:\\Arkiv")).entryList(QDir::Files), (QStringList{"a.txt", "b.txt"}));
    QVERIFY(QFileInfo::exists(f.drives.host("C:\\Data\\a.txt")));
    QCOMPARE(f.window->metodeX->klipbord()->elementAntal, 0);
    QCOMPARE(f.window->pasteResultText, QString("2 filer: 2 bytes"));
    f.window->actions->updateAll();
    QVERIFY(!f.window->actions->action("Paste")->isEnabled()); // nothing left to paste

    // Cut and paste on D:: copied there, then gone from C: and not in the recycle bin.
    f.window->spmBox->setItemIndex(2);
    f.show("C:\\Arkiv");
    f.select(f.window, "a.txt");
    f.window->KopierElementer(true);
    f.show("D:\\");
    responder.clear();
    trigger("Paste");
    QVERIFY2(responder.shown.isEmpty(), qPrintable(responder.texts().join(" | ")));
    QCOMPARE(f.drives.readBytes("D:\\a.txt"), QByteArray("x"));
    QVERIFY(!QFileInfo::exists(f.drives.host("C:\\Arkiv\\a.txt")));
    QVERIFY(!QDir(f.drives.homeTrash() + "/files").exists());

    // Deleting the folder shown: the window climbs to the nearest folder left.
    f.show("C:\\Data\\Foto\\Ferie");
    f.window->setActiveTree(StrukturNr::mapper);
    f.struktur()->udfoldStruktur1("C:\\Data\\Foto\\Ferie", true);
    f.window->funkNo = 0;
    trigger("DeleteToPapirkurv");
    QVERIFY(!QFileInfo::exists(f.drives.host("C:\\Data\\Foto\\Ferie")));
    QCOMPARE(QDir(f.drives.homeTrash() + "/files").entryList(QDir::Dirs | QDir::NoDotAndDotDot),
             QStringList{"Ferie"});
    QCOMPARE(f.struktur()->mappenavn(), QString("C:\\Data\\Foto"));
    QCOMPARE(f.main.infobarPanels[2]->text(), QString("Der blev slettet til papirkurv"));
    QVERIFY2(responder.shown.isEmpty(), qPrintable(responder.texts().join(" | ")));
}

void TestExplorerWindow::aWindowClosedDuringAPasteClosesWhenItEnds()
{
    Fixture f;
    ScriptedResponder responder;
    QPointer<Twinform> window = f.window;
    QPointer<QMdiSubWindow> frame = qobject_cast<QMdiSubWindow *>(window->parentWidget());
    QVERIFY(frame);
    window->setAktivitetsNr(1, 0);
    QVERIFY(!frame->close());
    QVERIFY(window);
    window->setAktivitetsNr(-1, 1);
    QTRY_VERIFY(window.isNull());
    QTRY_VERIFY(frame.isNull() || !f.main.clientArea->subWindowList().contains(frame.data()));
    QVERIFY(f.main.explorerWindows().isEmpty());
    QVERIFY2(responder.shown.isEmpty(), qPrintable(responder.texts().join(" | ")));
}

void TestExplorerWindow::folderTreeRulesFollowTheNodeKind_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("enabled");
    // A drive takes a new folder and a paste only; a private folder may be copied but not cut; a
    // protected one neither.
    QTest::newRow("ordinary folder") << 0
                                     << "Copy Cut Paste DeleteToPapirkurv DeletePermanent Rename2 NyMappe";
    QTest::newRow("private folder") << 2 << "Copy Paste NyMappe";
    QTest::newRow("drive") << 4 << "Paste NyMappe";
    QTest::newRow("protected folder") << 5 << "Paste";
}

void TestExplorerWindow::folderTreeRulesFollowTheNodeKind()
{
    QFETCH(int, kind);
    QFETCH(QString, enabled);
    Fixture f;
    f.window->metodeX->RegisterElements("C:\\Data\\a.txt");
    f.window->setActiveTree(StrukturNr::mapper);
    f.struktur()->udfoldStruktur1("C:\\Data", true);
    QVERIFY(f.window->MappeStruktur->selectionCount() > 0);
    for (const bool bloker : {false, true}) {
        f.window->setActionUpdates(bloker);
        f.window->funkNo = kind;
        f.window->actions->updateAll();
        QStringList shown;
        for (const char *name :
             {"Copy", "Cut", "Paste", "DeleteToPapirkurv", "DeletePermanent", "Rename2", "NyMappe"}) {
            if (f.window->actions->action(name)->isEnabled())
                shown << name;
        }
        QCOMPARE(shown.join(' '), enabled);
    }
}

void TestExplorerWindow::aNewFolderStartsItsRenameAndTheRenameReachesTheDisk()
{
    Fixture f;
    ScriptedResponder responder;
    f.show("C:\\Arkiv");
    f.window->funkNo = nodeKind::ingen; // a click on the empty folder's free space
    f.window->actions->updateAll();
    f.window->actions->action("NyMappe")->trigger();
    QVERIFY(QFileInfo(f.drives.host("C:\\Arkiv\\Ny mappe")).isDir());
    StrukturView *tree = f.window->FilStruktur;
    StrukturNode *node = tree->selectedNode();
    QVERIFY(node);
    QCOMPARE(node->text, QString("Ny mappe"));
    QVERIFY(tree->viewport()->findChild<QLineEdit *>()); // its name is being edited
    QCOMPARE(f.window->OldNodeTekst, QString("Ny mappe"));

    // The user types the name and presses Enter.
    tree->strukturModel()->setData(tree->strukturModel()->indexOf(node), "Regnskab 2026", Qt::EditRole);
    QVERIFY(QFileInfo(f.drives.host("C:\\Arkiv\\Regnskab 2026")).isDir());
    QVERIFY(!QFileInfo::exists(f.drives.host("C:\\Arkiv\\Ny mappe")));
    QVERIFY(f.window->Timer->isActive());
    QTRY_VERIFY_WITH_TIMEOUT(!f.window->Timer->isActive(), 3000);
    QStringList shown;
    for (StrukturNode *each : tree->allNodes())
        shown << each->text;
    QVERIFY2(shown.contains("Regnskab 2026"), qPrintable(shown.join(", ")));
    QVERIFY(responder.shown.isEmpty());
}

void TestExplorerWindow::dropsMoveWithinADriveAndCopyAcrossDrives()
{
    Fixture f;
    ScriptedResponder responder;
    f.main.show();
    f.window->spmBox->setItemIndex(2); // "Spørg aldrig"
    QDir().mkpath(f.drives.host("D:\\Mål"));
    auto nodeCentre = [](StrukturView *tree, const QString &text) {
        for (StrukturNode *node : tree->allNodes()) {
            if (node->text == text)
                return tree->visualRect(tree->strukturModel()->indexOf(node)).center();
        }
        return QPoint(-1, -1);
    };
    // Drags a.txt (or b.txt) from the file tree of C:\Data onto `target` of the folder tree.
    auto dragFile = [&](Twinform *from, const QString &name, const QString &treeFolder,
                        const QString &target) {
        f.show("C:\\Data");
        f.select(from, name);
        from->DrevSource = "C:\\";
        std::unique_ptr<QMimeData> data(from->dragData(from->FilStruktur));
        f.window->setActiveTree(StrukturNr::mapper);
        f.struktur()->udfoldStruktur1(treeFolder, true);
        f.window->setActiveTree(StrukturNr::filer); // the drag started in the file tree
        QCoreApplication::processEvents();
        const QPoint at = nodeCentre(f.window->MappeStruktur, target);
        QVERIFY(at.x() >= 0);
        f.window->treeDrop(f.window->MappeStruktur, data.get(), at);
    };

    // "Anvend Drag-Drop-kopiering" on (the default): a copy even within the drive.
    dragFile(f.window, "a.txt", "C:\\Arkiv", "Arkiv");
    QVERIFY(QFileInfo::exists(f.drives.host("C:\\Arkiv\\a.txt")));
    QVERIFY(QFileInfo::exists(f.drives.host("C:\\Data\\a.txt")));

    // Off: within the drive a move, onto another drive a copy.
    f.window->DragDropCheck->setChecked(false);
    dragFile(f.window, "b.txt", "C:\\Arkiv", "Arkiv");
    QVERIFY(QFileInfo::exists(f.drives.host("C:\\Arkiv\\b.txt")));
    QVERIFY(!QFileInfo::exists(f.drives.host("C:\\Data\\b.txt")));
    dragFile(f.window, "a.txt", "D:\\Mål", "Mål");
    QVERIFY(QFileInfo::exists(f.drives.host("D:\\Mål\\a.txt")));
    QVERIFY(QFileInfo::exists(f.drives.host("C:\\Data\\a.txt")));

    // Between two windows: what was dragged in the other window is what is pasted.
    f.main.makeNewStifinder();
    Twinform *two = f.main.getWinform("Stifinder 2");
    f.drives.writeBytes("C:\\Data\\c.txt", "c");
    two->setActiveTree(StrukturNr::filer);
    two->mappeKontrol(two->metodeX->strukturY()->makeStruktur2("C:\\Data"), true);
    f.select(two, "c.txt");
    std::unique_ptr<QMimeData> data(two->dragData(two->FilStruktur));
    f.window->setActiveTree(StrukturNr::mapper);
    f.struktur()->udfoldStruktur1("C:\\Arkiv", true);
    QCoreApplication::processEvents();
    f.window->treeDrop(f.window->MappeStruktur, data.get(), nodeCentre(f.window->MappeStruktur, "Arkiv"));
    QVERIFY(QFileInfo::exists(f.drives.host("C:\\Arkiv\\c.txt")));
    QVERIFY(!QFileInfo::exists(f.drives.host("C:\\Data\\c.txt"))); // same drive, so moved

    // Onto empty space of the path bar: nothing is pasted, the elements stay on the clipboard.
    f.show("C:\\Data");
    f.select(f.window, "a.txt");
    std::unique_ptr<QMimeData> last(f.window->dragData(f.window->FilStruktur));
    f.window->pathBarDrop(last.get(), QPoint(f.window->stibox->width() + 50, 5));
    QVERIFY(f.window->metodeX->klipbord()->elementAntal > 0);
    QVERIFY2(responder.shown.isEmpty(), qPrintable(responder.texts().join(" | ")));
}

void TestExplorerWindow::renameByDialogKeepsTheExtension()
{
    Fixture f;
    ScriptedResponder responder;
    dialogs::ScriptedRenameAnswers answers;
    for (const char *name : {"Rapport.txt", "Brev.txt", "rapport2.txt"})
        f.drives.writeBytes(QString("C:\\Arkiv\\") + name, "x");
    auto renameFile = [&](const QString &name) {
        f.show("C:\\Arkiv");
        for (StrukturNode *node : f.window->FilStruktur->allNodes()) {
            if (node->text == name)
                f.window->FilStruktur->selectNode(node); // as a click leaves it
        }
        f.window->funkNo = 1;
        f.window->actions->updateAll();
        f.window->actions->action("Rename")->trigger();
    };
    auto files = [&] { return QDir(f.drives.host("C:\\Arkiv")).entryList(QDir::Files, QDir::Name); };

    answers.answerOmdoeb("Notat");
    renameFile("Rapport.txt");
    QCOMPARE(answers.shown.last().old, QString("Rapport.txt"));
    QCOMPARE(answers.shown.last().mappe, QString("C:\\Arkiv"));
    QVERIFY(files().contains("Notat.txt"));

    answers.answerOmdoeb("Notat.doc");
    renameFile("Notat.txt");
    QVERIFY(files().contains("Notat.doc.txt"));

    // A name that exists gets a free one; only another letter case renames the file itself.
    answers.answerOmdoeb("Brev");
    renameFile("Notat.doc.txt");
    QVERIFY(files().contains("Brev (1).txt"));
    answers.answerOmdoeb("Rapport2");
    renameFile("rapport2.txt");
    QCOMPARE(files(), (QStringList{"Brev (1).txt", "Brev.txt", "Rapport2.txt"}));

    // An empty name or one Windows refuses is said, and the dialog comes again.
    answers.answerOmdoeb("");
    answers.answerOmdoeb("Nul:");
    answers.answerAnnuller();
    renameFile("Brev.txt");
    QCOMPARE(answers.shown.size(), 7);
    QCOMPARE(responder.texts().size(), 2);
    QCOMPARE(responder.texts().first(),
             QString("Der mangler et nyt navn.\rIndfør det nye navn og tryk \"Omdøb\"."));
    QVERIFY(files().contains("Brev.txt"));
    QCOMPARE(answers.unexpected, 0);
}

void TestExplorerWindow::newFilesFromTemplatesGetFreeNamesAndTheirRename()
{
    Fixture f;
    ScriptedResponder responder;
    f.show("C:\\Arkiv");
    f.window->funkNo = 0;
    for (int i = 0; i < 2; ++i) {
        f.window->actions->updateAll();
        f.window->actions->action("Action3")->trigger(); // "Hjemmeside.html"
        QVERIFY(f.window->FilStruktur->viewport()->findChild<QLineEdit *>());
        f.window->FilStruktur->clearFocus();
        QCoreApplication::processEvents();
    }
    QCOMPARE(QDir(f.drives.host("C:\\Arkiv")).entryList(QDir::Files, QDir::Name),
             (QStringList{"Hjemmeside (1).html", "Hjemmeside.html"}));
    QVERIFY(f.drives.readBytes("C:\\Arkiv\\Hjemmeside.html").startsWith("\xEF\xBB\xBF<!DOCTYPE html>\r\n"));
    QVERIFY(responder.shown.isEmpty());
}

void TestExplorerWindow::egenskaberShowsThePageOfTheSelectedKind()
{
    Fixture f;
    ScriptedResponder responder;
    auto *egenskaber = f.window->findChild<Tfilinfoform *>();
    QVERIFY(egenskaber);
    // The program's icon folder, as the installation has it.
    for (const char *icon : {"txt", "ukendt"})
        f.drives.writeBytes(f.main.ikonDir + icon + "_ikon.ico", "ikon");
    f.show("C:\\Data");
    for (StrukturNode *node : f.window->FilStruktur->allNodes()) {
        if (node->text == "a.txt")
            f.window->FilStruktur->selectNode(node);
    }
    f.window->funkNo = 1;
    f.window->actions->updateAll();
    QVERIFY(f.window->actions->action("Info")->isEnabled());
    f.window->actions->action("Info")->trigger();
    QVERIFY2(egenskaber->isVisible(), qPrintable(responder.texts().join(" | ")));
    QCOMPARE(egenskaber->SideNummer, 0);
    QCOMPARE(egenskaber->EditFilnavn->text(), QString("a.txt"));
    QCOMPARE(egenskaber->EditPath->text(), QString("C:\\Data\\"));

    // The drive node of the folder tree.
    f.window->setActiveTree(StrukturNr::mapper);
    f.struktur()->udfoldStruktur1("C:", true);
    f.window->funkNo = 4;
    f.window->actions->updateAll();
    f.window->actions->action("Info")->trigger();
    QCOMPARE(egenskaber->SideNummer, 2);
    QVERIFY2(egenskaber->EditDisknavn->text().endsWith("(C:)"), qPrintable(egenskaber->EditDisknavn->text()));
    QVERIFY2(responder.shown.isEmpty(), qPrintable(responder.texts().join(" | ")));
    egenskaber->close();
}

void TestExplorerWindow::noToolButtonCutsItsCaptionWithoutAnIconTheme_data()
{
    QTest::addColumn<QString>("desktopTheme");
    QTest::newRow("the installed theme") << QString();
    QTest::newRow("a theme that is not there") << "ingen-saadan";
    QTest::newRow("no theme at all") << "-";
}

void TestExplorerWindow::noToolButtonCutsItsCaptionWithoutAnIconTheme()
{
    QFETCH(QString, desktopTheme);
    QTemporaryDir empty;
    QVERIFY(empty.isValid());
    const QStringList searchPaths = QIcon::themeSearchPaths();
    const QString theme = QIcon::themeName();
    const QByteArray dataDirs = qgetenv("XDG_DATA_DIRS"), dataHome = qgetenv("XDG_DATA_HOME");
    const auto restore = qScopeGuard([&] {
        qputenv("XDG_DATA_DIRS", dataDirs);
        qputenv("XDG_DATA_HOME", dataHome);
        QIcon::setThemeSearchPaths(searchPaths);
        QIcon::setThemeName(theme);
    });
    if (!desktopTheme.isEmpty()) {
        // The desktop's data folders hold no icons.
        qputenv("XDG_DATA_DIRS", empty.path().toLocal8Bit());
        qputenv("XDG_DATA_HOME", empty.path().toLocal8Bit());
        QIcon::setThemeSearchPaths({empty.path()});
        QIcon::setThemeName(desktopTheme == "-" ? QString() : desktopTheme);
        app::installIconTheme();
    }

    Fixture f;
    f.main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.main));
    QCoreApplication::processEvents();
    QStringList cut;
    for (QToolButton *button : f.main.findChildren<QToolButton *>()) {
        if (button->isVisibleTo(&f.main) && button->width() < button->sizeHint().width())
            cut.append(button->objectName() + " \"" + button->text() + "\"");
    }
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join(", ")));
    // The pages on the right stay inside the main window.
    const QPoint pagesRight = f.window->winBog->mapTo(&f.main, QPoint(f.window->winBog->width(), 0));
    QVERIFY2(pagesRight.x() <= f.main.width(),
             qPrintable(QString("pages end at %1 of %2").arg(pagesRight.x()).arg(f.main.width())));
}

QTEST_MAIN(TestExplorerWindow)
#include "test_explorerwindow.moc"

void TestExplorerWindow::theKeyboardWorksTheTreesAsTheMouseDoes()
{
    Fixture f;
    f.main.show();
    QApplication::setActiveWindow(&f.main);
    f.show("C:\\Data");
    StrukturView *files = f.window->FilStruktur;
    files->setFocus();

    // Typed letters move the current element, as a click would.
    QTest::keyClicks(files, "b");
    QCOMPARE(f.main.EditSti->text(), QString("C:\\Data\\b.txt"));
    QTest::keyClick(files, Qt::Key_Up);
    QCOMPARE(f.main.EditSti->text(), QString("C:\\Data\\a.txt"));

    // Enter opens a folder; Alt+Left goes back, Alt+Right forth.
    QTest::keyClick(files, Qt::Key_Home);
    QCOMPARE(f.main.EditSti->text(), QString("C:\\Data\\Foto"));
    QTest::keyClick(files, Qt::Key_Return);
    QCOMPARE(f.struktur()->mappenavn(), QString("C:\\Data\\Foto"));
    QCOMPARE(f.tabs().last(), QString("Foto"));
    f.window->actions->updateAll(); // as the idle event loop does between two keys
    QTest::keyClick(files, Qt::Key_Left, Qt::AltModifier);
    QCOMPARE(f.struktur()->mappenavn(), QString("C:\\Data"));
    f.window->actions->updateAll();
    QTest::keyClick(files, Qt::Key_Right, Qt::AltModifier);
    QCOMPARE(f.struktur()->mappenavn(), QString("C:\\Data\\Foto"));

    // Alt+1 and Alt+2 bring the focus to their tree also when it is the active one already.
    QCOMPARE(f.window->activeTree(), StrukturNr::filer);
    f.window->AktiveStrukturEdit->setFocus();
    QTest::keyClick(f.window->AktiveStrukturEdit, Qt::Key_2, Qt::AltModifier);
    QVERIFY(files->hasFocus());
}
