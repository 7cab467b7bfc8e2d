// The image gallery "Billeder": loading a folder, the counts and presets, the colours, the
// selection, the commands that reach the explorer window, bad files and leaving a load.

#include "core/linefile.h"
#include "core/messages.h"
#include "dialogs/actionlist.h"
#include "gallery/bibpan.h"
#include "gallery/galform.h"
#include "gallery/progresscompo.h"
#include "gallery/rulskakt.h"
#include "pictures.h"
#include "support/headlessdialogs.h"
#include "support/testdrives.h"
#include "tools/faketoolhost.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QToolButton>

using testsupport::ScriptedResponder;

namespace {

const QString kFolder = "C:\\Billeder";

// A folder of 3 bitmaps, 2 JPEG files and 1 icon, listed in another order, beside files and a
// folder that are no pictures of the gallery's kinds.
void makeMixedFolder(const TestDrives &drives)
{
    drives.writeBytes(kFolder + "\\c.jpg", pictures::jpeg(64, 48));
    drives.writeBytes(kFolder + "\\ikon.ico", pictures::ico({16, 32}));
    drives.writeBytes(kFolder + "\\a.bmp", pictures::bmp(40, 30));
    drives.writeBytes(kFolder + "\\d.JPG", pictures::jpeg(30, 60));
    drives.writeBytes(kFolder + "\\b.bmp", pictures::bmp(20, 20));
    drives.writeBytes(kFolder + "\\e.BMP", pictures::bmp(10, 10));
    drives.writeBytes(kFolder + "\\f.png", pictures::encoded(pictures::photo(8, 8), "PNG"));
    drives.writeBytes(kFolder + "\\noter.txt", "tekst");
    QDir().mkpath(drives.host(kFolder + "\\mappe.jpg"));
}

// A gallery shown inside a main window that says the current element is `current`.
struct Gallery
{
    explicit Gallery(const QString &current, bool internal = true)
    {
        host.current = current;
        window = new TGalForm(internal);
        window->resize(900, 600);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        window->FormActivate();
    }
    ~Gallery() { delete window; }
    // Loads with the counts shown and waits for every thumbnail.
    void load(int v = 2, int l = 2)
    {
        window->loadBilleder(v, l);
        window->BibPan->waitForLoad();
        window->BibPan->repaint();
    }
    QStringList names() const
    {
        QStringList result;
        for (const TBil &bil : window->BibPan->Bil)
            result << bil.navn;
        return result;
    }
    FakeToolHost host;
    TGalForm *window = nullptr;
};

} // namespace

class TestGalform : public QObject
{
    Q_OBJECT
    // Messages, questions and progress windows without a user.
    testsupport::HeadlessDialogs m_dialogs;
private slots:
    void bitmapsThenJpegsThenIcons();
    void noPicturesIsSaid();
    void minusStopsAtOneAndPlusEmpties();
    void presetsLoadTheirCounts();
    void coloursAndTheContrastRule_data();
    void coloursAndTheContrastRule();
    void selectionShowsNameAndSizes();
    void clicksKeysAndTheShaft();
    void commandsReachTheExplorerWindow();
    void deleteAsksFirst();
    void badFilesGetPlaceholders();
    void leavingALoadCancelsIt();
    void ownWindowKeepsItsPlace();
};

void TestGalform::bitmapsThenJpegsThenIcons()
{
    TestDrives drives;
    makeMixedFolder(drives);
    Gallery g(kFolder + "\\c.jpg"); // a file: its folder is loaded
    g.load();
    const QStringList names = g.names();
    QCOMPARE(names.size(), 6);
    QCOMPARE(QSet<QString>(names.begin(), names.begin() + 3), (QSet<QString>{"a.bmp", "b.bmp", "e.BMP"}));
    QCOMPARE(QSet<QString>(names.begin() + 3, names.begin() + 5), (QSet<QString>{"c.jpg", "d.JPG"}));
    QCOMPARE(names.at(5), QString("ikon.ico"));
    QCOMPARE(g.window->antalEdit->text(), QString("6"));
    QCOMPARE(g.window->mappeFelt->text(), kFolder);
    // 2 columns, 2 rows: the shaft pages over the 2 pictures that are not shown.
    QCOMPARE(g.window->BibRul->PosMax, 2);
    QCOMPARE(g.window->BibRul->PosVisible, 4);
    QCOMPARE(g.window->StepPan->Position, 100);
    QCOMPARE(g.window->BibPan->made(), 6);
}

void TestGalform::noPicturesIsSaid()
{
    TestDrives drives;
    drives.writeBytes("C:\\Tom\\brev.txt", "x");
    ScriptedResponder responder;
    Gallery g("C:\\Tom");
    g.load();
    QCOMPARE(responder.texts(),
             QStringList{"For at indlæse billeder skal der være valgt en billedfil af type jpg, "
                         "ico eller bmp i mappe-fil-strukturen, altså struktur 2."});
    QVERIFY(g.window->picFilnavn.isEmpty());
    QVERIFY(!g.window->actions->action("AKopier")->isEnabled());
    // No folder at all says the same.
    g.host.current.clear();
    g.load();
    QCOMPARE(responder.texts().size(), 2);
}

void TestGalform::minusStopsAtOneAndPlusEmpties()
{
    TestDrives drives;
    makeMixedFolder(drives);
    Gallery g(kFolder);
    g.load(1, 2);
    QCOMPARE(g.window->BibPan->AntalIalt, 6);
    g.window->vandretMinus->click();
    QCOMPARE(g.host.status, QString("Et felt er mindste feltantal"));
    QCOMPARE(g.window->AntalV, 1);
    QCOMPARE(g.window->BVedit->text(), QString("1"));
    QCOMPARE(g.window->BibPan->AntalIalt, 0); // emptied all the same
    g.window->lodretPlus->click();
    QCOMPARE(g.window->BLedit->text(), QString("3"));
    QCOMPARE(g.host.gallery.GBoxL, 3);
    QCOMPARE(g.window->BibPan->AntalLodret, 3);
    QCOMPARE(g.window->antalEdit->text(), QString("0"));
    QVERIFY(!g.window->actions->action("AkopierMappe")->isEnabled());
    g.window->lodretMinus->click();
    g.window->lodretMinus->click();
    g.window->lodretMinus->click();
    QCOMPARE(g.window->AntalL, 1);
    // Nothing is reloaded until the user loads again, with the new counts.
    g.window->actions->action("Amappe")->trigger();
    g.window->BibPan->waitForLoad();
    QCOMPARE(g.window->BibPan->AntalIalt, 6);
    QCOMPARE(g.window->BibPan->Antal, 1);
    QCOMPARE(g.window->BibRul->PosMax, 5);
    // The plus and minus buttons say what they do in the status line while pointed at.
    QEvent enter(QEvent::Enter);
    QCoreApplication::sendEvent(g.window->vandretPlus, &enter);
    QCOMPARE(g.host.status, QString("Forøg antal felter vandret."));
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(g.window->vandretPlus, &leave);
    QCOMPARE(g.host.status, QString());
}

void TestGalform::presetsLoadTheirCounts()
{
    TestDrives drives;
    makeMixedFolder(drives);
    Gallery g(kFolder);
    QCOMPARE(g.window->presetKnapper.size(), 3);
    const QList<QPair<int, int>> buttons{{14, 16}, {9, 11}, {4, 6}};
    for (int i = 0; i < 3; ++i) {
        QToolButton *button = g.window->presetKnapper[i];
        QCOMPARE(button->text(), QString("Felter(%1 x %2)").arg(buttons[i].first).arg(buttons[i].second));
        button->click();
        g.window->BibPan->waitForLoad();
        QCOMPARE(g.window->AntalV, buttons[i].first);
        QCOMPARE(g.window->AntalL, buttons[i].second);
        QCOMPARE(g.host.gallery.GBoxV, buttons[i].first);
        QCOMPARE(g.window->BibPan->Felter.size(), buttons[i].first * buttons[i].second);
    }
    QMenu *menu = g.window->presetKnapper[2]->menu();
    QStringList captions;
    for (QAction *item : menu->actions())
        captions << item->text();
    QCOMPARE(captions, (QStringList{"4 x 6", "3 x 5", "2 x 4", "2 x 3", "2 x 2", "1 x 3", "1 x 2", "1 x 1"}));
    QCOMPARE(menu->actions().at(0)->statusTip(), QString("4 x 6 felter"));
    QCOMPARE(menu->actions().last()->statusTip(), QString("1 felt"));
    menu->actions().at(3)->trigger();
    g.window->BibPan->waitForLoad();
    QCOMPARE(g.window->BVedit->text(), QString("2"));
    QCOMPARE(g.window->BLedit->text(), QString("3"));
    QCOMPARE(g.window->BibRul->PosMax, 0);
}

void TestGalform::coloursAndTheContrastRule_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QColor>("field");
    QTest::addColumn<QColor>("bar");
    QTest::newRow("Hvid") << 8 << QColor(255, 255, 255) << QColor(0, 128, 255);
    QTest::newRow("Beige") << 0 << QColor(192, 192, 128) << QColor(63, 191, 255);
    QTest::newRow("Kastanje") << 10 << QColor(128, 0, 0) << QColor(127, 255, 255);
    QTest::newRow("Mørkblå") << 13 << QColor(0, 0, 128) << QColor(255, 255, 255);
}

void TestGalform::coloursAndTheContrastRule()
{
    QFETCH(int, index);
    QFETCH(QColor, field);
    QFETCH(QColor, bar);
    TestDrives drives;
    makeMixedFolder(drives);
    Gallery g(kFolder);
    g.load();
    QCOMPARE(TGalForm::farve(index), field);
    QCOMPARE(TGalForm::kontrastFarve(field), bar);
    g.window->farveKnap->menu()->actions().at(index)->trigger();
    QCOMPARE(g.host.gallery.colIndex, index);
    QCOMPARE(g.window->StepPan->Color, field);
    QCOMPARE(g.window->StepPan->ColorStep, bar);
    // The thumbnails are made again on the new colour.
    g.window->BibPan->waitForLoad();
    QCOMPARE(g.window->BibPan->BitmapFelt.BitmapListe.at(0).pixelColor(0, 0), field);
    QVERIFY(!TGalForm::farve(20).isValid());
}

void TestGalform::selectionShowsNameAndSizes()
{
    TestDrives drives;
    makeMixedFolder(drives);
    Gallery g(kFolder);
    g.load();
    // The first picture is selected after a load: a bitmap of the folder.
    QVERIFY(g.window->picFilnavn.startsWith(kFolder + "\\"));
    QCOMPARE(g.window->Navnfelt->text(), g.names().at(0));
    const QString expectedField =
        QString("Bredde: %1 Højde: %2").arg(g.window->BibPan->FeltBredde).arg(g.window->BibPan->FeltHojde);
    QCOMPARE(g.window->BibFelt->text(), expectedField);
    g.window->BibInfo(4, true);
    const QString name = g.names().at(4);
    QCOMPARE(g.window->picFilnavn, kFolder + "\\" + name);
    QCOMPARE(g.window->Breddefelt->text(), name == "c.jpg" ? QString("64") : QString("30"));
    QCOMPARE(g.window->Hojdefelt->text(), name == "c.jpg" ? QString("48") : QString("60"));
    g.window->BibInfo(4, false);
    QVERIFY(g.window->picFilnavn.isEmpty());
    QVERIFY(g.window->Breddefelt->text().isEmpty());
}

void TestGalform::clicksKeysAndTheShaft()
{
    TestDrives drives;
    makeMixedFolder(drives);
    Gallery g(kFolder);
    g.load();
    TBibPan *pan = g.window->BibPan;
    // A right click selects the picture and marks it in the explorer window; a left click only
    // selects.
    QTest::mouseClick(pan, Qt::LeftButton, {}, pan->Felter[1].Indre.toQRect().center());
    QCOMPARE(g.window->Navnfelt->text(), g.names().at(1));
    QVERIFY(g.host.calls.isEmpty());
    QTest::mouseClick(pan, Qt::RightButton, {}, pan->Felter[3].Indre.toQRect().center());
    QCOMPARE(g.window->picFilnavn, kFolder + "\\" + g.names().at(3));
    QCOMPARE(g.host.calls, QStringList{"select " + g.window->picFilnavn});
    // The keyboard scrolls the grid and the shaft follows.
    QTest::keyClick(pan, Qt::Key_Down);
    QCOMPARE(pan->StartNr, 2);
    QCOMPARE(g.window->BibRul->Position, 2);
    QCOMPARE(g.window->Navnfelt->text(), g.names().at(5));
    // The shaft scrolls the grid: its position is the first picture shown.
    QTest::mouseClick(g.window->BibRul, Qt::LeftButton, {}, g.window->BibRul->knapOp().toQRect().center());
    QCOMPARE(pan->StartNr, 1);
    QCOMPARE(g.window->Navnfelt->text(), g.names().at(4));
}

void TestGalform::commandsReachTheExplorerWindow()
{
    TestDrives drives;
    makeMixedFolder(drives);
    Gallery g(kFolder);
    g.load();
    g.window->BibInfo(5, true);
    const QString picture = kFolder + "\\ikon.ico";
    g.window->actions->action("AKopier")->trigger();
    g.window->actions->action("AkopierMappe")->trigger();
    g.window->actions->action("Avis")->trigger();
    g.window->actions->action("AOpenPic")->trigger();
    QCOMPARE(g.host.calls, (QStringList{"register " + picture, "register " + kFolder, "select " + picture,
                                        "run 0 " + picture}));
    g.window->actions->action("AopenSF")->trigger();
    const auto &shell = drives.backEnd().shellCalls;
    QCOMPARE(shell.size(), 1);
    QCOMPARE(shell[0].verb, QString("open"));
    QCOMPARE(shell[0].file, kFolder);
    QCOMPARE(shell[0].showCommand, 1);
    drives.backEnd().shellResult = 2;
    g.window->actions->action("AopenSF")->trigger();
    QCOMPARE(g.host.calls.last(), QString("error 2"));
}

void TestGalform::deleteAsksFirst()
{
    TestDrives drives;
    makeMixedFolder(drives);
    Gallery g(kFolder);
    g.load();
    g.window->BibInfo(3, true);
    const QString picture = g.window->picFilnavn;
    ScriptedResponder responder;
    responder.answerNej();
    g.window->actions->action("ADelete")->trigger();
    QCOMPARE(responder.texts(),
             QStringList{"Filnavn:\r" + g.names().at(3) + "\r" + "Skal filen slettes til papirkurven?"});
    QVERIFY(g.host.calls.isEmpty());
    responder.answerJa();
    g.window->actions->action("ADelete")->trigger();
    QCOMPARE(g.host.calls, QStringList{"delete " + picture});
    // A file gone meanwhile: nothing is done; the thumbnails stay until the next load.
    QFile::remove(drives.host(picture));
    responder.answerJa();
    g.window->actions->action("ADelete")->trigger();
    QCOMPARE(g.host.calls.size(), 1);
    QCOMPARE(g.window->BibPan->AntalIalt, 6);
}

void TestGalform::badFilesGetPlaceholders()
{
    TestDrives drives;
    const QByteArray photo = pictures::jpeg(320, 240);
    drives.writeBytes("C:\\Blandet\\1 god.jpg", photo);
    drives.writeBytes("C:\\Blandet\\2 afkortet.jpg", photo.left(photo.size() / 3));
    drives.writeBytes("C:\\Blandet\\3 tekst.jpg", "ikke et billede");
    drives.writeBytes("C:\\Blandet\\4 tom.jpg", "");
    drives.writeBytes("C:\\Blandet\\5 kæmpe.jpg", pictures::jpegClaiming(30000, 30000));
    drives.writeBytes("C:\\Blandet\\6 kæmpe.bmp", pictures::bmpClaiming(30000, 30000));
    drives.writeBytes("C:\\Blandet\\7 ikon.ico", pictures::ico({16, 24, 32, 48, 64, 128, 256}));
    ScriptedResponder responder;
    Gallery g("C:\\Blandet");
    g.load(3, 3);
    TBibPan *pan = g.window->BibPan;
    QCOMPARE(pan->AntalIalt, 7);
    QCOMPARE(pan->made(), 7);
    QCOMPARE(pan->BitmapFelt.BitmapListe.size(), 7);
    for (const QImage &image : pan->BitmapFelt.BitmapListe)
        QCOMPARE(image.size(), pan->thumbnailSize());
    QVERIFY(responder.texts().isEmpty());
    auto sizeOf = [pan](const QString &name) {
        for (int i = 0; i < pan->Bil.size(); ++i)
            if (pan->Bil[i].navn == name)
                return QSize(pan->GetBredde(i), pan->GetHojde(i));
        return QSize(-1, -1);
    };
    QCOMPARE(sizeOf("1 god.jpg"), QSize(320, 240));
    QCOMPARE(sizeOf("4 tom.jpg"), QSize(0, 0));
    QCOMPARE(sizeOf("5 kæmpe.jpg"), QSize(30000, 30000));
    QCOMPARE(sizeOf("7 ikon.ico"), QSize(256, 256));
}

void TestGalform::leavingALoadCancelsIt()
{
    TestDrives drives;
    for (int i = 0; i < 40; ++i)
        drives.writeBytes(QString("C:\\Mange\\%1.jpg").arg(i, 3, 10, QChar(u'0')), pictures::jpeg(800, 600));
    makeMixedFolder(drives);
    auto g = std::make_unique<Gallery>("C:\\Mange");
    g->window->loadBilleder(2, 2);
    QCOMPARE(g->window->BibPan->AntalIalt, 40);
    // Another folder while the first is loading: only the new folder's thumbnails arrive.
    g->host.current = kFolder;
    g->window->loadBilleder(2, 2);
    g->window->BibPan->waitForLoad();
    QCOMPARE(g->window->BibPan->AntalIalt, 6);
    QCOMPARE(g->window->BibPan->BitmapFelt.BitmapListe.size(), 6);
    QCoreApplication::processEvents();
    QCOMPARE(g->window->BibPan->BitmapFelt.BitmapListe.size(), 6);
    // Closing while loading ends the load.
    g->host.current = "C:\\Mange";
    g->window->loadBilleder(2, 2);
    QVERIFY(g->window->close());
    g.reset();
    QCoreApplication::processEvents();
    QVERIFY(!GalForm);
}

void TestGalform::ownWindowKeepsItsPlace()
{
    TestDrives drives;
    const QString options = "C:\\zunKolvra\\Tester\\Egenskaber\\Gallery.txt";
    QDir().mkpath(drives.host("C:\\zunKolvra\\Tester\\Egenskaber"));
    FakeToolHost host;
    host.gallery = {3, 4, 8};
    {
        TGalForm window(false);
        QCOMPARE(window.optFilnavn, options);
        QCOMPARE(window.pos(), QPoint(20, 40));
        QCOMPARE(window.height(), 580);
        QCOMPARE(window.width(), 900);
        QCOMPARE(window.BVedit->text(), QString("3"));
        QCOMPARE(window.BLedit->text(), QString("4"));
        window.move(120, 140);
        window.resize(900, 640);
        window.plusMinus(true, 1);
        window.close();
    }
    QCOMPARE(host.gallery.GBoxV, 4);
    const auto lines = core::readLines(options);
    QVERIFY(lines);
    QCOMPARE(lines->at(0), QString("120"));
    QCOMPARE(lines->at(1), QString("140"));
    QCOMPARE(lines->at(2), QString("640"));
    TGalForm again(false);
    QCOMPARE(again.pos(), QPoint(120, 140));
    QCOMPARE(again.height(), 640);
}

QTEST_MAIN(TestGalform)
#include "test_galform.moc"
