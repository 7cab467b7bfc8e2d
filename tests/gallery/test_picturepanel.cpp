// The picture-panel components: field layout, frames, thumbnails of good and bad files, the
// grid's keyboard and mouse, the scroll shaft and the progress strip.

#include "gallery/bibpan.h"
#include "gallery/progresscompo.h"
#include "gallery/rulskakt.h"
#include "gallery/thumbnail.h"
#include "pictures.h"
#include "support/testdrives.h"

#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A grid of `total` items shown as the gallery configures its grid.
struct Grid
{
    explicit Grid(int total, int columns = 2, int rows = 2)
    {
        grid.RammeFelt.Bredde = 2;
        grid.RammeFelt.Margen = 2;
        grid.RammeFelt.AfstandLodret = 2;
        grid.RammeFelt.AfstandVandret = 2;
        grid.RulRundt = false;
        grid.FocusInOut = false;
        grid.NoOverFocus = true;
        grid.resize(203, 203);
        grid.NytAntalVL(columns, rows);
        grid.SetAntalIalt(total);
        grid.OnNewDown = [this](int n) { downs.append(n); };
        grid.OnStartNr = [this](int first) { starts.append(first); };
        grid.OnMus = [this](Qt::MouseButton button, int n) { clicks.append({button, n}); };
        grid.OnMusOp = [this](int n) { ups.append(n); };
    }
    TKnapPan grid;
    QList<int> downs, starts, ups;
    QList<QPair<Qt::MouseButton, int>> clicks;
};

QPoint centreOf(const TKnapPan &grid, int field)
{
    return grid.Felter.at(field).Indre.toQRect().center();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

class TestPicturePanel : public QObject
{
    Q_OBJECT
private slots:
    void fieldsAreCentredWithTheirGaps();
    void picturesAreFittedNeverEnlarged_data();
    void picturesAreFittedNeverEnlarged();
    void framesShowTheFieldsState();
    void thumbnailsOfGoodAndBadFiles_data();
    void thumbnailsOfGoodAndBadFiles();
    void keyboardMovesAndScrolls_data();
    void keyboardMovesAndScrolls();
    void pageDownStopsAtTheLastPage();
    void mouseSelectsAndReportsTheItem();
    void hoverSelectsOnlyWhileFocused();
    void shaftThumbAndMoves();
    void progressStripAdvancesInSteps();
    void thumbnailsArriveInTheFoldersOrder();
};

void TestPicturePanel::fieldsAreCentredWithTheirGaps()
{
    TFCompo grid;
    grid.RammeFelt.AfstandLodret = 2;
    grid.RammeFelt.AfstandVandret = 2;
    grid.RammeFelt.Bredde = 2;
    grid.RammeFelt.Margen = 2;
    grid.resize(103, 50); // a field area 102 pixels wide
    grid.NytAntalVL(3, 1);
    QCOMPARE(grid.FeltBredde, 32);
    QCOMPARE(grid.Felter.size(), 3);
    QCOMPARE(grid.Felter[0].Ydre.Left, 1);
    QCOMPARE(grid.Felter[1].Ydre.Left, 35);
    QCOMPARE(grid.Felter[2].Ydre.Right, 101);
    // The inner area: Bredde + Margen in at the left and top, one less at the right and bottom.
    QCOMPARE(grid.Felter[0].Indre.Left, 5);
    QCOMPARE(grid.Felter[0].Indre.Right, grid.Felter[0].Ydre.Right - 3);
    QCOMPARE(grid.Felter[0].Indre.Top, grid.Felter[0].Ydre.Top + 4);
    // Counts below 1 are taken as 1.
    grid.NytAntalVL(0, -3);
    QCOMPARE(grid.AntalVandret, 1);
    QCOMPARE(grid.AntalLodret, 1);
}

void TestPicturePanel::picturesAreFittedNeverEnlarged_data()
{
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<bool>("scale");
    QTest::addColumn<bool>("centre");
    QTest::addColumn<QRect>("placed");
    QTest::newRow("wide picture") << QSize(400, 100) << true << true << QRect(2, 36, 92, 23);
    QTest::newRow("small picture") << QSize(50, 40) << true << true << QRect(23, 28, 50, 40);
    QTest::newRow("not centred") << QSize(400, 100) << true << false << QRect(2, 2, 92, 23);
    QTest::newRow("unscaled") << QSize(400, 100) << false << true << QRect(0, 0, 400, 100);
    QTest::newRow("tall picture") << QSize(30, 3000) << true << true << QRect(47, 2, 1, 92);
}

void TestPicturePanel::picturesAreFittedNeverEnlarged()
{
    QFETCH(QSize, picture);
    QFETCH(bool, scale);
    QFETCH(bool, centre);
    QFETCH(QRect, placed);
    QCOMPARE(gallery::placement(QSize(96, 96), picture, 2, scale, centre), placed);
}

void TestPicturePanel::framesShowTheFieldsState()
{
    // The gallery's field frame: sunken when normal, blue when selected, yellow when pressed.
    TRammeFeltX ramme;
    ramme.Art = rtInd;
    ramme.Bredde = 2;
    ramme.FarveOver = Qt::blue;
    ramme.FarveAktiv = Qt::yellow;
    ramme.FarveSkygge = QColor(10, 10, 10);
    ramme.FarveLys = QColor(250, 250, 250);
    ramme.MedFeltFarve = false;
    ramme.ReaktionNede = rtIngen;
    ramme.ReaktionOver = rtIngen;
    auto drawn = [&](int tilstand) {
        QImage image(20, 20, QImage::Format_RGB32);
        image.fill(Qt::green);
        QPainter painter(&image);
        ramme.MakeRamme(painter, {0, 0, 20, 20}, true, tilstand);
        return image;
    };
    const QImage normal = drawn(1);
    QCOMPARE(normal.pixelColor(0, 5), QColor(10, 10, 10));     // shadow left
    QCOMPARE(normal.pixelColor(1, 5), QColor(10, 10, 10));     // two rings
    QCOMPARE(normal.pixelColor(19, 5), QColor(250, 250, 250)); // light right
    QCOMPARE(normal.pixelColor(2, 5), QColor(Qt::green));      // nothing filled
    QCOMPARE(drawn(3).pixelColor(1, 19 - 1), QColor(Qt::blue));
    QCOMPARE(drawn(2).pixelColor(18, 0), QColor(Qt::yellow));
    QCOMPARE(drawn(0).pixelColor(0, 0), QColor(128, 128, 128));
}

void TestPicturePanel::thumbnailsOfGoodAndBadFiles_data()
{
    QTest::addColumn<QString>("extension");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QSize>("own");
    const QByteArray photo = pictures::jpeg(640, 480);
    QTest::newRow("jpeg") << "jpg" << photo << true << QSize(640, 480);
    QTest::newRow("bitmap") << "bmp" << pictures::bmp(30, 20) << true << QSize(30, 20);
    QTest::newRow("icon of many sizes")
        << "ico" << pictures::ico({16, 32, 64, 48, 24}) << true << QSize(64, 64);
    QTest::newRow("truncated jpeg") << "jpg" << photo.left(photo.size() / 2) << false << QSize(640, 480);
    QTest::newRow("text named jpg") << "jpg" << QByteArray("Dette er ikke et billede.\r\n") << false
                                    << QSize();
    QTest::newRow("png named jpg") << "jpg" << pictures::encoded(pictures::photo(8, 8), "PNG") << false
                                   << QSize();
    QTest::newRow("zero bytes") << "jpg" << QByteArray() << false << QSize();
    QTest::newRow("bitmap claiming 30000 x 30000")
        << "bmp" << pictures::bmpClaiming(30000, 30000) << false << QSize();
    QTest::newRow("icon cut short") << "ico" << pictures::ico({32, 64}).left(60) << false << QSize();
}

void TestPicturePanel::thumbnailsOfGoodAndBadFiles()
{
    QFETCH(QString, extension);
    QFETCH(QByteArray, bytes);
    QFETCH(bool, ok);
    QFETCH(QSize, own);
    QTemporaryDir dir;
    const QString path = dir.filePath("billede." + extension);
    writeFile(path, bytes);
    const gallery::ThumbnailLook look{QSize(95, 71), QColor(255, 255, 0), 2, true, true};
    const gallery::Thumbnail made = gallery::makeThumbnail(path, extension, look);
    QCOMPARE(made.ok, ok);
    QCOMPARE(made.image.size(), QSize(95, 71));
    QCOMPARE(made.image.pixelColor(0, 0), QColor(255, 255, 0)); // the field colour around it
    if (own.isValid()) {
        QCOMPARE(made.bredde, own.width());
        QCOMPARE(made.hojde, own.height());
    }
    if (ok) // the picture is drawn in the middle
        QVERIFY(made.image.pixelColor(47, 35) != QColor(255, 255, 0));
}

void TestPicturePanel::keyboardMovesAndScrolls_data()
{
    // 10 items in 2 columns and 2 rows; fields are page-relative.
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("field");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("newStart");
    QTest::addColumn<int>("newField");
    QTest::newRow("right") << 0 << 0 << int(Qt::Key_Right) << 0 << 1;
    QTest::newRow("space") << 0 << 1 << int(Qt::Key_Space) << 0 << 2;
    QTest::newRow("left on field 0 scrolls one back") << 4 << 0 << int(Qt::Key_Left) << 3 << 0;
    QTest::newRow("up on field 0 scrolls a row back") << 4 << 0 << int(Qt::Key_Up) << 2 << 0;
    QTest::newRow("up in the top row wraps left") << 0 << 1 << int(Qt::Key_Up) << 0 << 2;
    QTest::newRow("down in the bottom row wraps right") << 0 << 2 << int(Qt::Key_Down) << 0 << 1;
    QTest::newRow("right on the last field scrolls one on") << 0 << 3 << int(Qt::Key_Right) << 1 << 3;
    QTest::newRow("down on the last field scrolls a row on") << 0 << 3 << int(Qt::Key_Down) << 2 << 3;
    QTest::newRow("right at the end stays") << 6 << 3 << int(Qt::Key_Right) << 6 << 3;
    QTest::newRow("home") << 6 << 2 << int(Qt::Key_Home) << 0 << 0;
    QTest::newRow("end") << 0 << 1 << int(Qt::Key_End) << 6 << 3;
    QTest::newRow("page up keeps the field") << 6 << 1 << int(Qt::Key_PageUp) << 2 << 1;
    QTest::newRow("left at the start stays") << 0 << 0 << int(Qt::Key_Left) << 0 << 0;
}

void TestPicturePanel::keyboardMovesAndScrolls()
{
    QFETCH(int, start);
    QFETCH(int, field);
    QFETCH(int, key);
    QFETCH(int, newStart);
    QFETCH(int, newField);
    Grid g(10);
    g.grid.NytStartNr(start, false);
    g.grid.InitFocus(field);
    g.downs.clear();
    QTest::keyClick(&g.grid, Qt::Key(key));
    QCOMPARE(g.grid.StartNr, newStart);
    QCOMPARE(g.grid.ANr, newField);
    QCOMPARE(g.downs.value(0, -1), newStart + newField);
    QCOMPARE(g.starts, newStart == start ? QList<int>() : QList<int>{newStart});
    QVERIFY(g.grid.Felter[newField].Focus);
    QCOMPARE(g.grid.Felter[newField].Tilstand, 3);
}

void TestPicturePanel::pageDownStopsAtTheLastPage()
{
    Grid g(10);
    g.grid.InitFocus(1);
    QList<QPair<int, int>> shown;
    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(&g.grid, Qt::Key_PageDown);
        shown.append({g.grid.StartNr, g.grid.SlutNr});
    }
    QCOMPARE(shown, (QList<QPair<int, int>>{{4, 7}, {6, 9}, {6, 9}}));
    QCOMPARE(g.grid.ANr, 1);
    QCOMPARE(g.starts, (QList<int>{4, 6}));
    // With fewer items than fields the selection is moved onto the last item first.
    Grid few(3);
    few.grid.InitFocus(3);
    QTest::keyClick(&few.grid, Qt::Key_Left);
    QCOMPARE(few.grid.ANr, 1);
}

void TestPicturePanel::mouseSelectsAndReportsTheItem()
{
    Grid g(10);
    g.grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&g.grid));
    g.grid.repaint();
    g.grid.NytStartNr(4, false);
    QTest::mousePress(&g.grid, Qt::LeftButton, {}, centreOf(g.grid, 1));
    QCOMPARE(g.grid.Felter[1].Tilstand, 2); // pressed
    QCOMPARE(g.grid.ANr, 1);
    QTest::mouseRelease(&g.grid, Qt::LeftButton, {}, centreOf(g.grid, 1));
    QCOMPARE(g.grid.Felter[1].Tilstand, 3);
    QTest::mouseClick(&g.grid, Qt::RightButton, {}, centreOf(g.grid, 2));
    QCOMPARE(g.clicks, (QList<QPair<Qt::MouseButton, int>>{{Qt::LeftButton, 5}, {Qt::RightButton, 6}}));
    QCOMPARE(g.grid.Felter[1].Focus, false); // the old selection lost its focus
    // Released over another field: no click, the field under the pointer is reported.
    QTest::mousePress(&g.grid, Qt::LeftButton, {}, centreOf(g.grid, 0));
    QTest::mouseRelease(&g.grid, Qt::LeftButton, {}, centreOf(g.grid, 3));
    QCOMPARE(g.clicks.size(), 2);
    QCOMPARE(g.ups, QList<int>{7});
    QCOMPARE(g.grid.Felter[0].Tilstand, 1);
    // The gaps between fields are no field.
    QCOMPARE(g.grid.feltVed(QPoint(g.grid.Felter[0].Ydre.Right, 10)), -1);
}

void TestPicturePanel::hoverSelectsOnlyWhileFocused()
{
    Grid g(10);
    g.grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&g.grid));
    g.grid.repaint();
    g.grid.clearFocus();
    QTest::mouseMove(&g.grid, centreOf(g.grid, 2));
    QVERIFY(g.downs.isEmpty());
    g.grid.activateWindow();
    g.grid.setFocus();
    QTRY_VERIFY(g.grid.hasFocus());
    QTest::mouseMove(&g.grid, centreOf(g.grid, 3));
    QCOMPARE(g.downs, QList<int>{3});
    QCOMPARE(g.grid.ANr, 3);
    QCOMPARE(g.grid.Felter[3].Tilstand, 3);
}

void TestPicturePanel::shaftThumbAndMoves()
{
    TRulskakt shaft;
    shaft.resize(16, 200);
    shaft.NyePos(4, 2, 0);
    const int track = shaft.trackLength();
    QCOMPARE(shaft.thumbLength(), track * 2 / 3);
    QList<int> positions;
    shaft.OnPosition = [&](int position) { positions.append(position); };
    shaft.show();
    QVERIFY(QTest::qWaitForWindowExposed(&shaft));
    // The lower arrow moves one step, the upper one back; never past the ends.
    const QPoint down = shaft.knapNed().toQRect().center();
    const QPoint up = shaft.knapOp().toQRect().center();
    QTest::mouseClick(&shaft, Qt::LeftButton, {}, down);
    QTest::mouseClick(&shaft, Qt::LeftButton, {}, down);
    QTest::mouseClick(&shaft, Qt::LeftButton, {}, down);
    QCOMPARE(positions, (QList<int>{1, 2, 2}));
    QTest::mouseClick(&shaft, Qt::LeftButton, {}, up);
    QCOMPARE(shaft.Position, 1);
    // The bare track does nothing.
    positions.clear();
    shaft.NyPosition(0);
    const TRect thumb = shaft.thumb();
    QTest::mouseClick(&shaft, Qt::LeftButton, {}, QPoint(8, thumb.Bottom + 3));
    QVERIFY(positions.isEmpty());
    // Dragging the thumb by the pixels of one position moves one position.
    const QPoint grip = thumb.toQRect().center();
    const int perPosition = int(std::ceil(shaft.pixelsPerPosition()));
    QTest::mousePress(&shaft, Qt::LeftButton, {}, grip);
    QTest::mouseMove(&shaft, grip + QPoint(0, perPosition));
    QTest::mouseRelease(&shaft, Qt::LeftButton, {}, grip + QPoint(0, perPosition));
    QCOMPARE(shaft.Position, 1);
    QCOMPARE(positions, QList<int>{1});
    // NyPosition moves silently; keys go to the linked grid.
    shaft.NyPosition(2);
    QCOMPARE(positions.size(), 1);
    Grid g(10);
    shaft.Component = &g.grid;
    g.grid.InitFocus(0);
    QTest::keyClick(&shaft, Qt::Key_PageDown);
    QCOMPARE(g.grid.StartNr, 4);
}

void TestPicturePanel::progressStripAdvancesInSteps()
{
    TProgressCompo strip;
    QList<int> reported;
    strip.OnProgress = [&](int percent) { reported.append(percent); };
    strip.SetPosition(7);
    QCOMPARE(strip.drawnPosition(), 5);
    strip.SetPosition(9);
    QCOMPARE(strip.drawnPosition(), 5);
    strip.SetPosition(10);
    QCOMPARE(strip.drawnPosition(), 10);
    strip.SetPosition(250);
    QCOMPARE(strip.Position, 100);
    strip.SetPosition(3);
    QCOMPARE(strip.drawnPosition(), 0);
    QCOMPARE(reported, (QList<int>{7, 9, 10, 100, 3}));
    // The bar covers its share of the strip from the left, in the bar colour.
    strip.Trin = 1;
    strip.ColorStep = QColor(0, 128, 255);
    strip.Color = Qt::white;
    strip.resize(102, 20);
    strip.SetPosition(50);
    const QImage image = strip.grab().toImage();
    QCOMPARE(image.pixelColor(10, 10), QColor(0, 128, 255));
    QCOMPARE(image.pixelColor(90, 10), QColor(Qt::white));
}

void TestPicturePanel::thumbnailsArriveInTheFoldersOrder()
{
    TestDrives drives;
    for (int i = 0; i < 6; ++i)
        drives.writeBytes(QString("C:\\Fotos\\%1.jpg").arg(i), pictures::jpeg(400 + 10 * i, 300));
    drives.writeBytes("C:\\Fotos\\a.bmp", pictures::bmp(20, 10));
    drives.writeBytes("C:\\Fotos\\b.ico", pictures::ico({16}));
    TBibPan pan;
    pan.resize(203, 203);
    pan.NytAntalVL(2, 2);
    QList<int> progress, arrived;
    pan.OnProgress = [&](int percent) { progress.append(percent); };
    pan.OnBillede = [&](int n) {
        arrived.append(n);
        QCOMPARE(pan.made(), n + 1); // the pictures before it are in
    };
    pan.SetBibliotek("C:\\Fotos");
    QCOMPARE(pan.AntalIalt, 8);
    QCOMPARE(pan.Antal, 4);
    pan.waitForLoad();
    QCOMPARE(arrived, (QList<int>{0, 1, 2, 3, 4, 5, 6, 7}));
    // 0 first, then i / 8 × 100 to the nearest whole number, halves to even.
    QCOMPARE(progress, (QList<int>{0, 12, 25, 38, 50, 62, 75, 88, 100}));
    QCOMPARE(pan.GetFilnavn(0, true), QString("C:\\Fotos\\a.bmp"));
    QCOMPARE(pan.GetFilnavn(7, false), QString("b.ico"));
    QCOMPARE(pan.GetBredde(0), 20);
    QCOMPARE(pan.GetHojde(0), 10);
    QVERIFY(!pan.loading());
    QCOMPARE(pan.heldBytes(), 8 * pan.BitmapFelt.BitmapListe.at(0).sizeInBytes());
    // Beyond the memory budget a thumbnail is not kept, and is made again when it is shown.
    pan.thumbnailBudget = 2 * pan.BitmapFelt.BitmapListe.at(0).sizeInBytes();
    pan.LoadListe();
    pan.waitForLoad();
    QCOMPARE(pan.made(), 8);
    QCOMPARE(pan.heldBytes(), pan.thumbnailBudget);
    QVERIFY(pan.BitmapFelt.BitmapListe.at(7).isNull());
    pan.NytStartNr(4, false);
    const QImage shown = pan.grab().toImage();
    const QPoint middle = pan.Felter[3].Indre.toQRect().center(); // picture 7, the icon
    QCOMPARE(shown.pixelColor(middle), QColor(Qt::blue));
    // An empty folder name empties the grid.
    pan.SetBibliotek(QString());
    QCOMPARE(pan.AntalIalt, 0);
    QVERIFY(pan.BitmapFelt.BitmapListe.isEmpty());
}

QTEST_MAIN(TestPicturePanel)
#include "test_picturepanel.moc"
