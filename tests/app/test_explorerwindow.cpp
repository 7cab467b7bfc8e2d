#include "app/hostsetup.h"
#include "app/mainform.h"
#include "app/styles.h"
#include "core/messages.h"
#include "dialogs/actionlist.h"
#include "dialogs/shared.h"
#include "explorer/winform.h"
#include "fileops/metodecompo.h"
#include "structures/strukturcompo.h"
#include "support/testdrives.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QSplitter>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

using messages::ScriptedResponder;

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
        main.TryedBefore = true;
        main.sammeKlipbord = shared;
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
        struktur()->setAktiveStruktur(2);
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
    f.struktur()->setAktiveStruktur(1);
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

QTEST_MAIN(TestExplorerWindow)
#include "test_explorerwindow.moc"
