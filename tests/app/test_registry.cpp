#include "app/mainform.h"
#include "app/notifier.h"
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

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDropEvent>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QPushButton>
#include <QSet>
#include <QSplitter>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QUrl>

using testsupport::ScriptedResponder;

namespace {

const QString kOpt = "C:\\zunKolvra\\Tester\\Egenskaber\\";

// Records the notifications it is given; `delivers` says whether it takes them.
class FakeNotifier : public Notifier
{
public:
    explicit FakeNotifier(bool delivers, QStringList *shown)
        : m_delivers(delivers)
        , m_shown(shown)
    {}
    bool notify(int number, const QString &title, const QString &text, const QString &) override
    {
        if (m_delivers)
            m_shown->append(QString::number(number) + " " + title + ": " + text);
        return m_delivers;
    }

private:
    bool m_delivers;
    QStringList *m_shown;
};

QStringList tabTexts(const QTabBar *bar)
{
    QStringList texts;
    for (int i = 0; i < bar->count(); ++i)
        texts << bar->tabText(i);
    return texts;
}

int shownClipboardWindows(const Tmainform &main)
{
    int shown = 0;
    for (QMdiSubWindow *child : main.clientArea->subWindowList())
        shown += !child->isHidden() && qobject_cast<Tlisteform *>(child->widget());
    return shown;
}

// A main window shown as at a start, which opens explorer window 1, and `more` windows after it.
void startShown(Tmainform &main, bool sharing, int more)
{
    main.editSettings().sharedClipboard = sharing;
    main.show();
    QTRY_COMPARE(main.explorerWindows().size(), 1);
    for (int i = 0; i < more; ++i)
        main.makeNewStifinder();
    QCoreApplication::processEvents();
}

// Shows the clipboard window of `caption` as the user does, with its tab.
Tlisteform *showClipboardOf(Tmainform &main, const QString &caption)
{
    Klipbord *klipbord = main.getWinform(caption)->metodeX->klipbord();
    main.showClipboardWindow(klipbord);
    auto *window = qobject_cast<Tlisteform *>(main.clipboardFrame(klipbord)->widget());
    window->FormActivate();
    return window;
}

QStringList captions(const QList<Twinform *> &windows)
{
    QStringList result;
    for (const Twinform *window : windows)
        result << window->StifinderNavn;
    std::sort(result.begin(), result.end());
    return result;
}

// The explorer-window options with every line off its default.
QStringList nonDefaultExplorerOptions()
{
    return {"C:\\Data", "C:\\Data\\brev.txt",
            "400",      "1",
            "2",        "1",
            "0",        "5",
            "1",        "2",
            "1",        "0",
            "0",        "0",
            "0",        "0",
            "0",        "1",
            "1",        "1",
            "0",        "0",
            "0",        "0"};
}

} // namespace

class TestRegistry : public QObject
{
    Q_OBJECT
    // Messages, questions and progress windows without a user.
    testsupport::HeadlessDialogs m_dialogs;
private slots:
    void initTestCase() { dialogs::createShared(nullptr); }
    void windowFilesAreNamedByNumber();
    void explorerOptions_data();
    void explorerOptions();
    void allExplorerOptionsRoundTrip();
    void closingSavesFavouritesNotHistory();
    void numberingWithoutSharing();
    void numberingAfterAGap();
    void singleSharedWindow();
    void sharedClipboardSurvivesWindowOne();
    void transferSkipsUntickedAndVanishedRows();
    void secondClipboardTabGoesBeforeTheOthers();
    void clipboardWindowsShowOnlyWhenAskedFor();
    void sharedClipboardGoesWithTheLastExplorer_data();
    void sharedClipboardGoesWithTheLastExplorer();
    void everyChildWindowClosesFromItsTabOrCtrlF4();
    void sameClipboardOnlyWithoutChildWindows();
    void droppedFilesOnlyRegisterRows();
    void hintsAreTooltipsOnlyWhileAnOperationRuns();
    void activityCounterAndNotifications();
};

void TestRegistry::windowFilesAreNamedByNumber()
{
    TestDrives drives;
    Tmainform main;
    main.makeNewStifinder();
    main.makeNewStifinder();
    main.makeNewStifinder();
    Twinform *third = main.getWinform("stifinder 3");
    QVERIFY(third);
    QCOMPARE(third->windowTitle(), QString("Stifinder 3"));
    QCOMPARE(third->optFilnavn, kOpt + "Stifinder 3.txt");
    QCOMPARE(third->historyFile(), kOpt + "historiemapper3.txt");
    QCOMPARE(third->favouriteFoldersFile(), kOpt + "favoritmapper3.txt");
    QCOMPARE(third->favouriteFilesFile(), kOpt + "favoritfiler3.txt");
    QCOMPARE(third->savedTreeFile(), kOpt + "GemHentStruktur Stifinder 3.txt");
    QCOMPARE(third->metodeX->strukturY()->gemHentFilnavn(), kOpt + "GemHentStruktur Stifinder 3.txt");
    ScriptedResponder responder;
    QVERIFY(!main.getWinform("Stifinder 9"));
    QCOMPARE(responder.texts(),
             QStringList{
                 "Der blev ikke fundet en Filfinder.\rDer skal være en Filfinder for at udføre funktionen."});
}

void TestRegistry::explorerOptions_data()
{
    QTest::addColumn<int>("lineCount");
    QTest::addColumn<int>("changedLine");
    QTest::addColumn<QString>("value");
    QTest::newRow("23 lines") << 23 << -1 << "";
    QTest::newRow("25 lines") << 25 << -1 << "";
    QTest::newRow("abc on line 10") << 24 << 10 << "abc";
    QTest::newRow("2 on a check box and a page switch") << 24 << 11 << "2";
    QTest::newRow("width below the minimum") << 24 << 2 << "100";
    QTest::newRow("negative width") << 24 << 2 << "-500";
    QTest::newRow("huge width") << 24 << 2 << "99999999999";
}

void TestRegistry::explorerOptions()
{
    QFETCH(int, lineCount);
    QFETCH(int, changedLine);
    QFETCH(QString, value);
    TestDrives drives;
    QDir().mkpath(drives.host("C:\\Data"));
    drives.writeBytes("C:\\Data\\brev.txt", "x");
    QDir().mkpath(drives.host("C:\\zunKolvra\\Tester\\Egenskaber"));
    QStringList lines = nonDefaultExplorerOptions();
    if (changedLine >= 0)
        lines[changedLine] = value;
    if (changedLine == 11)
        lines[20] = value; // the switch of page 0
    while (lines.size() < lineCount)
        lines << "0";
    QVERIFY(core::writeLines(kOpt + "Stifinder 1.txt", lines.mid(0, lineCount)));
    Tmainform main;
    main.editSettings().triedBefore = true;
    main.makeNewStifinder();
    Twinform *window = main.getWinform("Stifinder 1");
    QVERIFY(window);
    TStrukturCompo *struktur = window->metodeX->strukturY();
    const QStringList written = window->optionLines();
    if (lineCount != 24 || value == "abc") {
        // Defaults for lines 0 to 5 and 18.
        QCOMPARE(struktur->mappenavn(), QString("C:"));
        QCOMPARE(struktur->filnavn(), QString());
        QVERIFY(!window->privatCheckBox->isChecked());
        QCOMPARE(window->RadioOpstart->itemIndex(), 0);
        QVERIFY(!window->hiddenCheck->isChecked());
        QVERIFY(!window->udfoldCheck->isChecked());
    }
    if (lineCount != 24) {
        QCOMPARE(window->resultBox->itemIndex(), 3); // design value
        QVERIFY(window->DragDropCheck->isChecked());
    }
    if (value == "abc") {
        QCOMPARE(window->spmBox->itemIndex(), 2);    // line 9 was applied
        QCOMPARE(window->resultBox->itemIndex(), 3); // lines 10 on keep their design values
        QVERIFY(window->DragDropCheck->isChecked());
        QCOMPARE(window->winBog->currentIndex(), 5);
    }
    if (value == "2") {
        QVERIFY(window->DragDropCheck->isChecked()); // "2" checks a box
        QVERIFY(!window->tabVisCheck1->isChecked()); // but only "1" shows a page
        QVERIFY(!window->winBog->isTabVisible(0));
        QCOMPARE(written.at(20), QString("0"));
    }
    if (changedLine == 2) {
        // Whatever width was saved, both trees and the pages stay in sight, and what is written
        // back is a sane width.
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        const QList<int> sizes = window->splitter->sizes();
        QVERIFY2(sizes.at(0) >= 314 && sizes.at(1) >= 200 && sizes.at(2) >= 100,
                 qPrintable(QString("%1 %2 %3").arg(sizes.at(0)).arg(sizes.at(1)).arg(sizes.at(2))));
        const int savedWidth = window->optionLines().at(2).toInt();
        QVERIFY2(savedWidth >= 314 && savedWidth <= 3000, qPrintable(window->optionLines().at(2)));
    }
    QCOMPARE(window->MappeStruktur->minimumWidth(), 314);
}

void TestRegistry::allExplorerOptionsRoundTrip()
{
    TestDrives drives;
    QDir().mkpath(drives.host("C:\\Data"));
    drives.writeBytes("C:\\Data\\brev.txt", "x");
    QDir().mkpath(drives.host("C:\\zunKolvra\\Tester\\Egenskaber"));
    QVERIFY(core::writeLines(kOpt + "Stifinder 1.txt", nonDefaultExplorerOptions()));
    Tmainform main;
    main.editSettings().triedBefore = true;
    main.makeNewStifinder();
    Twinform *window = main.getWinform("Stifinder 1");
    QStringList expected = nonDefaultExplorerOptions();
    QStringList actual = window->optionLines();
    // The tree width is the splitter's, which the window's own layout decides.
    expected.removeAt(2);
    actual.removeAt(2);
    QCOMPARE(actual, expected);
    QVERIFY(window->Redskabslinje->isHidden() == false);
    QCOMPARE(window->winBog->tabPosition(), QTabWidget::North);
}

void TestRegistry::closingSavesFavouritesNotHistory()
{
    TestDrives drives;
    QDir().mkpath(drives.host("C:\\Data"));
    Tmainform main;
    main.makeNewStifinder();
    Twinform *window = main.getWinform("Stifinder 1");
    window->FavDir->InsertItem("C:\\Data", "Data");
    window->mappeKontrol("C:\\Data", true);
    QVERIFY(window->historieDir->antal() > 0);
    main.CloseElementExecute();
    QTRY_VERIFY(main.explorerWindows().isEmpty());
    QCOMPARE(core::readLines(kOpt + "favoritmapper1.txt").value(), (QStringList{"Data", "C:\\Data"}));
    QVERIFY(QFile::exists(drives.host(kOpt + "favoritfiler1.txt")));
    QVERIFY(!QFile::exists(drives.host(kOpt + "historiemapper1.txt")));
    QCOMPARE(core::readLines(kOpt + "Stifinder 1.txt")->size(), 24);
    QCOMPARE(main.NewCount, 0);
    QCOMPARE(main.tc->count(), 0);
}

void TestRegistry::numberingWithoutSharing()
{
    TestDrives drives;
    Tmainform main;
    main.editSettings().sharedClipboard = false;
    for (int i = 0; i < 3; ++i)
        main.makeNewStifinder();
    QCOMPARE(captions(main.explorerWindows()), (QStringList{"Stifinder 1", "Stifinder 2", "Stifinder 3"}));
    QVERIFY(main.getWinform("Stifinder 1")->metodeX->klipbord() !=
            main.getWinform("Stifinder 2")->metodeX->klipbord());
    main.CloseElementExecute();
    QTRY_COMPARE(captions(main.explorerWindows()), (QStringList{"Stifinder 1", "Stifinder 2"}));
    QCOMPARE(main.NewCount, 2);
}

void TestRegistry::numberingAfterAGap()
{
    TestDrives drives;
    Tmainform main;
    main.editSettings().sharedClipboard = false;
    for (int i = 0; i < 3; ++i)
        main.makeNewStifinder();
    main.getWinform("Stifinder 2")->parentWidget()->close();
    QTRY_COMPARE(captions(main.explorerWindows()), (QStringList{"Stifinder 1", "Stifinder 3"}));
    QCOMPARE(main.NewCount, 2);
    // The gap is filled: a new window never takes the number (the caption, tab and files) of one
    // still open.
    main.makeNewStifinder();
    QCOMPARE(captions(main.explorerWindows()), (QStringList{"Stifinder 1", "Stifinder 2", "Stifinder 3"}));
    main.makeNewStifinder();
    QCOMPARE(captions(main.explorerWindows()),
             (QStringList{"Stifinder 1", "Stifinder 2", "Stifinder 3", "Stifinder 4"}));
    QSet<QString> files;
    for (const Twinform *window : main.explorerWindows())
        files << window->optFilnavn << window->favouriteFoldersFile() << window->favouriteFilesFile();
    QCOMPARE(files.size(), 12);
    // "Luk element" closes the highest numbered window.
    main.getWinform("Stifinder 4")->parentWidget()->close();
    QTRY_COMPARE(main.explorerWindows().size(), 3);
    main.getWinform("Stifinder 1")->parentWidget()->close();
    QTRY_COMPARE(main.explorerWindows().size(), 2);
    main.CloseElementExecute();
    QTRY_COMPARE(captions(main.explorerWindows()), (QStringList{"Stifinder 2"}));
    // Closing the program closes all of them.
    main.FormClose();
    QTRY_VERIFY(main.explorerWindows().isEmpty());
}

void TestRegistry::singleSharedWindow()
{
    TestDrives drives;
    Tmainform main;
    QVERIFY(main.settings().sharedClipboard);
    main.makeNewStifinder();
    main.CloseElementExecute();
    QTRY_VERIFY(main.explorerWindows().isEmpty());
    QCOMPARE(main.tc->count(), 0);
    main.makeNewStifinder();
    QCOMPARE(main.explorerWindows().first()->StifinderNavn, QString("Stifinder 1"));
}

void TestRegistry::sharedClipboardSurvivesWindowOne()
{
    TestDrives drives;
    drives.writeBytes("C:\\a.txt", "x");
    Tmainform main;
    main.makeNewStifinder();
    main.makeNewStifinder();
    Twinform *one = main.getWinform("Stifinder 1");
    Twinform *two = main.getWinform("Stifinder 2");
    QCOMPARE(one->metodeX->klipbord(), two->metodeX->klipbord());
    one->metodeX->RegisterElements("C:\\a.txt");
    one->parentWidget()->close();
    QTRY_COMPARE(main.explorerWindows().size(), 1);
    QCOMPARE(two->metodeX->klipbord()->Filliste->count(), 1);
    main.makeNewStifinder(); // numbered 2 again, sharing the same rows
    QCOMPARE(main.explorerWindows().first()->metodeX->klipbord(), two->metodeX->klipbord());
}

void TestRegistry::transferSkipsUntickedAndVanishedRows()
{
    TestDrives drives;
    for (const char *file : {"C:\\a.txt", "C:\\b.txt", "C:\\c.txt"})
        drives.writeBytes(file, "x");
    QDir().mkpath(drives.host("C:\\M"));
    Tmainform main;
    main.editSettings().sharedClipboard = false;
    main.makeNewStifinder();
    main.makeNewStifinder();
    Twinform *one = main.getWinform("Stifinder 1");
    Twinform *two = main.getWinform("Stifinder 2");
    for (const char *path : {"C:\\a.txt", "C:\\b.txt", "C:\\c.txt", "C:\\M"})
        one->metodeX->RegisterElements(path);
    Klipbord *source = one->metodeX->klipbord();
    source->Filliste->setChecked(1, false);
    QFile::remove(drives.host("C:\\c.txt"));
    two->winBog->setCurrentIndex(0);
    two->KDTcheck->setChecked(true);
    main.kopierKlipbordsdata("Stifinder 1", *source->Mappeliste, *source->Filliste, false);
    Klipbord *target = two->metodeX->klipbord();
    QCOMPARE(target->Filliste->count(), 1);
    QCOMPARE(target->Filliste->row(0).path, QString("C:\\a.txt"));
    QCOMPARE(target->Mappeliste->count(), 1);
    QCOMPARE(source->Filliste->count(), 3); // the source keeps its rows
    QCOMPARE(two->winBog->currentIndex(), 5);
    QVERIFY(!two->KDTcheck->isChecked());
}

void TestRegistry::clipboardWindowsShowOnlyWhenAskedFor()
{
    TestDrives drives;
    Tmainform main;
    main.editSettings().triedBefore = true;
    startShown(main, false, 2);
    QCOMPARE(shownClipboardWindows(main), 0);

    // Ctrl+0 in window 1 shows window 1's clipboard.
    Twinform *one = main.getWinform("Stifinder 1");
    main.showExplorer(one);
    main.actions->updateAll();
    main.actions->action("aVisKlipbordet")->trigger();
    QCOMPARE(qobject_cast<Tlisteform *>(main.clientArea->activeSubWindow()->widget())->klipbord(),
             one->metodeX->klipbord());

    // Clipboard tabs come first in the order their windows were made, whatever order they show in.
    showClipboardOf(main, "Stifinder 3");
    showClipboardOf(main, "Stifinder 2");
    QCOMPARE(tabTexts(main.tc).mid(0, 3), (QStringList{"Klipbord 1", "Klipbord 2", "Klipbord 3"}));
}

void TestRegistry::sharedClipboardGoesWithTheLastExplorer_data()
{
    QTest::addColumn<QStringList>("closingOrder");
    QTest::newRow("one window") << QStringList{"Stifinder 1"};
    QTest::newRow("newest first") << QStringList{"Stifinder 2", "Stifinder 1"};
    QTest::newRow("Stifinder 1 first") << QStringList{"Stifinder 1", "Stifinder 2"};
}

void TestRegistry::sharedClipboardGoesWithTheLastExplorer()
{
    QFETCH(QStringList, closingOrder);
    TestDrives drives;
    Tmainform main;
    main.editSettings().triedBefore = true;
    startShown(main, true, int(closingOrder.size()) - 1);
    showClipboardOf(main, "Stifinder 1");
    QVERIFY(tabTexts(main.tc).contains("Klipbord"));
    for (const QString &caption : closingOrder) {
        main.getWinform(caption)->parentWidget()->close();
        QCoreApplication::processEvents();
    }
    QTRY_VERIFY(main.clientArea->subWindowList().isEmpty());
    QCOMPARE(main.tc->count(), 0);
    QCOMPARE(main.NewCount, 0);
    main.actions->updateAll();
    QVERIFY(main.actions->action("aSammeKlipbord")->isEnabled());
}

void TestRegistry::everyChildWindowClosesFromItsTabOrCtrlF4()
{
    TestDrives drives;
    Tmainform main;
    main.editSettings().triedBefore = true;
    startShown(main, false, 2);
    showClipboardOf(main, "Stifinder 2");
    QVERIFY(main.tc->tabsClosable());

    // The close button of window 2's tab closes it and its clipboard window; 1 and 3 stay.
    emit main.tc->tabCloseRequested(int(tabTexts(main.tc).indexOf("Stifinder 2")));
    QTRY_COMPARE(captions(main.explorerWindows()), (QStringList{"Stifinder 1", "Stifinder 3"}));
    QCOMPARE(tabTexts(main.tc), (QStringList{"Stifinder 1", "Stifinder 3"}));
    QCOMPARE(main.NewCount, 2);

    // A clipboard window's tab hides it; it comes back on request.
    Tlisteform *clipboard = showClipboardOf(main, "Stifinder 1");
    emit main.tc->tabCloseRequested(int(tabTexts(main.tc).indexOf("Klipbord 1")));
    QVERIFY(clipboard->parentWidget()->isHidden());
    QCOMPARE(tabTexts(main.tc), (QStringList{"Stifinder 1", "Stifinder 3"}));

    // Ctrl+F4 closes the active child window, here explorer window 1.
    QAction *closeActive = main.actions->action("aLukVindue");
    QCOMPARE(closeActive->shortcut(), QKeySequence("Ctrl+F4"));
    main.showExplorer(main.getWinform("Stifinder 1"));
    main.actions->updateAll();
    closeActive->trigger();
    QTRY_COMPARE(captions(main.explorerWindows()), (QStringList{"Stifinder 3"}));
    QCOMPARE(tabTexts(main.tc), (QStringList{"Stifinder 3"}));

    // Not while an operation runs.
    main.processCount = 1;
    main.actions->updateAll();
    QVERIFY(!closeActive->isEnabled());
    emit main.tc->tabCloseRequested(0);
    QCOMPARE(main.explorerWindows().size(), 1);
    main.processCount = 0;
}

void TestRegistry::secondClipboardTabGoesBeforeTheOthers()
{
    TestDrives drives;
    Tmainform main;
    main.editSettings().sharedClipboard = false;
    main.makeNewStifinder();
    main.makeNewStifinder();
    for (Twinform *window : main.explorerWindows())
        window->FormActivate();
    for (const char *caption : {"Stifinder 1", "Stifinder 2"}) {
        Klipbord *klipbord = main.getWinform(caption)->metodeX->klipbord();
        main.showClipboardWindow(klipbord);
        qobject_cast<Tlisteform *>(main.clipboardFrame(klipbord)->widget())->FormActivate();
    }
    QStringList tabs;
    for (int i = 0; i < main.tc->count(); ++i)
        tabs << main.tc->tabText(i);
    QCOMPARE(tabs, (QStringList{"Klipbord 1", "Klipbord 2", "Stifinder 1", "Stifinder 2"}));
    main.tcChange(2);
    QCOMPARE(main.activeExplorer(), main.getWinform("Stifinder 1"));
}

void TestRegistry::sameClipboardOnlyWithoutChildWindows()
{
    TestDrives drives;
    Tmainform main;
    QAction *same = main.actions->action("aSammeKlipbord");
    main.actions->updateAll();
    QVERIFY(same->isEnabled());
    auto *tool = new QWidget;
    tool->setWindowTitle("Kalender");
    main.clientArea->addSubWindow(tool)->show();
    main.actions->updateAll();
    QVERIFY(!same->isEnabled());
    QVERIFY(!main.KlipbordsCheck->isEnabled());
    QCOMPARE(main.actions->action("CloseAlleElementer")->isEnabled(), true);
    main.CloseAlleElementerExecute();
    QTRY_VERIFY(main.clientArea->subWindowList().isEmpty());
}

void TestRegistry::droppedFilesOnlyRegisterRows()
{
    TestDrives drives;
    for (const char *file : {"C:\\D\\a.txt", "C:\\D\\b.txt", "C:\\D\\c.txt"})
        drives.writeBytes(file, "x");
    QDir().mkpath(drives.host("C:\\D\\Mappe"));
    Tmainform main;
    main.makeNewStifinder();
    Twinform *window = main.getWinform("Stifinder 1");
    const QStringList before = window->optionLines();
    window->registerDropped(
        {"C:\\D\\a.txt", "C:\\D\\b.txt", "C:\\D\\Mappe", "C:\\D\\c.txt", "C:\\D\\væk.txt"});
    Klipbord *klipbord = window->metodeX->klipbord();
    QCOMPARE(klipbord->Filliste->count(), 3);
    QCOMPARE(klipbord->Mappeliste->count(), 1);
    QCOMPARE(window->optionLines(), before);

    // A real drop carries host paths; they are mapped back to program paths.
    drives.writeBytes("D:\\Ny\\d.txt", "x");
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(drives.host("D:\\Ny\\d.txt")), QUrl::fromLocalFile("/nowhere/x.txt")});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window, &drop);
    QCOMPARE(klipbord->Filliste->count(), 4);
    QCOMPARE(klipbord->Filliste->row(3).path, QString("D:\\Ny\\d.txt"));
}

void TestRegistry::hintsAreTooltipsOnlyWhileAnOperationRuns()
{
    TestDrives drives;
    Tmainform main;
    auto tooltipShown = [&] { return main.hintsAsTooltips(); };
    QVERIFY(!tooltipShown());
    main.vhaFunkCheck->setChecked(true);
    QVERIFY(!tooltipShown());
    main.processCount = 1;
    QVERIFY(tooltipShown());
    main.vhaFunkCheck->setChecked(false);
    QVERIFY(!tooltipShown());

    // Meanwhile the picture-only tabs of an explorer window tell their names in the status line.
    main.processCount = 0;
    main.makeNewStifinder();
    QTabBar *tabs = main.getWinform("Stifinder 1")->winBog->tabBar();
    tabs->resize(tabs->sizeHint());
    const QPoint second = tabs->tabRect(1).center();
    QHelpEvent help(QEvent::ToolTip, second, tabs->mapToGlobal(second));
    QApplication::sendEvent(tabs, &help);
    QCOMPARE(main.infobarPanels[2]->text(), QString("Besøgte mapper"));
}

void TestRegistry::activityCounterAndNotifications()
{
    TestDrives drives;
    Tmainform main;
    main.makeNewStifinder();
    Twinform *window = main.getWinform("Stifinder 1");
    QVERIFY(window->funkTilladt);
    bool busyInside = false;
    QVERIFY(window->operationBracket(QString(), 1,
                                     [&] { busyInside = !window->funkTilladt && main.processCount == 1; }));
    QVERIFY(busyInside);
    QVERIFY(window->funkTilladt);
    QCOMPARE(main.processCount, 0);

    // With notifications on, a finished paste says what was copied: through the notifier, or
    // in the status line when it does not deliver.
    QStringList shown;
    main.notifier = std::make_unique<FakeNotifier>(false, &shown);
    main.beskedCheck->setChecked(true);
    window->pasteResultText.clear();
    window->setAktivitetsNr(0, 1);
    QCOMPARE(main.infobarPanels[2]->text(), QString("Information: Der blev kopieret 0 bytes"));
    main.UdskrivInfo(QString());
    main.notifier = std::make_unique<FakeNotifier>(true, &shown);
    window->setAktivitetsNr(0, 1);
    QCOMPARE(shown, QStringList{"2 Information: Der blev kopieret 0 bytes"});
    QCOMPARE(main.infobarPanels[2]->text(), QString());

    // A second operation while one runs asks first when "Informer" is on.
    ScriptedResponder responder;
    responder.answerNej();
    main.processCount = 1;
    QVERIFY(!window->operationBracket("Skal der slettes?", 2, [] { QFAIL("must not run"); }));
    QCOMPARE(responder.texts(), QStringList{"Skal der slettes?"});
    main.processCount = 0;

    window->actionUpdExecute();
    QVERIFY(main.blokerCheck->isChecked());
    QVERIFY(window->blokerendeRegler());
    QCOMPARE(main.infobarPanels[2]->text(),
             QString("Andre funktioner blokeres nu ved aktive tidskrævende funktioner."));
    window->actionUpdExecute();
    QCOMPARE(
        main.infobarPanels[2]->text(),
        QString("Andre funktioner blokeres ikke ved aktive tidskrævende funktioner, men der informeres."));
    QVERIFY(!window->blokerendeRegler());

    // The main window's options reach the open windows.
    main.CheckStrukturLinjer->setChecked(true);
    main.CheckStrukturLinjerClick();
    QVERIFY(window->MappeStruktur->linjer());
    main.Fontbox->setCurrentIndex(2);
    main.FontboxClick();
    QCOMPARE(window->FilStruktur->font().pointSize(), 10);
}

QTEST_MAIN(TestRegistry)
#include "test_registry.moc"
