// The explorer window on its own, with a fake main window.
#include "core/linefile.h"
#include "explorer/winform.h"
#include "fileops/klipbord.h"
#include "fileops/metodecompo.h"
#include "fileops/pastecompo.h"
#include "structures/strukturcompo.h"
#include "support/fakemainhost.h"
#include "support/testdrives.h"

#include <QApplication>
#include <QDir>
#include <QPointer>
#include <QTest>

namespace {

const QString kOpt = "C:\\zunKolvra\\Tester\\Egenskaber\\";

} // namespace

class TestWinform : public QObject
{
    Q_OBJECT
private slots:
    void livesAndClosesThroughItsHost();
    void operationsAreCountedAndReported();
    void closingDuringAPasteStopsItAndClosesAfter();
};

void TestWinform::livesAndClosesThroughItsHost()
{
    TestDrives drives;
    QDir().mkpath(drives.host("C:\\Data"));
    QDir().mkpath(drives.host(kOpt));
    FakeMainHost host(kOpt);
    host.count = 3;
    auto *window = new Twinform;
    QCOMPARE(window->windowTitle(), QString("Stifinder 3"));
    QCOMPARE(host.clipboardWindows, QStringList{"Klipbord 3"});

    window->FormActivate();
    QCOMPARE(host.tabs, QStringList{"Stifinder 3"});
    QCOMPARE(host.focusedTab, QString("Stifinder 3"));
    window->mappeKontrol("C:\\Data", true);
    QCOMPARE(host.currentElement, QString("C:\\Data"));

    window->close();
    QCOMPARE(host.tabs, QStringList{});
    QCOMPARE(host.closed, 1);
    QCOMPARE(host.clipboardWindows, QStringList{});
    const auto options = core::readLines(kOpt + "Stifinder 3.txt");
    QVERIFY(options);
    QCOMPARE(options->size(), 24);
    QCOMPARE(options->at(0), QString("C:\\Data"));
}

void TestWinform::closingDuringAPasteStopsItAndClosesAfter()
{
    TestDrives drives;
    QDir().mkpath(drives.host(kOpt));
    FakeMainHost host(kOpt);
    QPointer<Twinform> window = new Twinform;
    window->show();
    window->setAktivitetsNr(1, 0); // a paste runs
    QVERIFY(!window->close());
    QVERIFY(window->isVisible());
    QVERIFY(window->PasteObj->progressBox().stopFlag().load());
    QCOMPARE(host.closed, 0);

    window->setAktivitetsNr(-1, 1); // the paste has ended
    QTRY_VERIFY(window.isNull());
    QCOMPARE(host.closed, 1);
}

void TestWinform::operationsAreCountedAndReported()
{
    TestDrives drives;
    QDir().mkpath(drives.host(kOpt));
    FakeMainHost host(kOpt);
    host.notifications = true;
    Twinform window;
    int seenInside = -1;
    QVERIFY(window.operationBracket(QString(), 0, [&] { seenInside = host.operations; }));
    QCOMPARE(seenInside, 1);
    QCOMPARE(host.operations, 0);
    window.pasteResultText = "2 filer";
    window.setAktivitetsNr(0, 1);
    QCOMPARE(host.notices, QStringList{"Information: Der blev kopieret 2 filer"});
}

QTEST_MAIN(TestWinform)
#include "test_winform.moc"
