// The image gallery inside the main window: one window with its tab, and its commands reaching
// the explorer window: marking, copying to the program's clipboard, deleting to the recycle bin.

#include "app/mainform.h"
#include "core/messages.h"
#include "dialogs/actionlist.h"
#include "dialogs/radiogroup.h"
#include "dialogs/shared.h"
#include "explorer/winform.h"
#include "fileops/klipbord.h"
#include "fileops/metodecompo.h"
#include "gallery/bibpan.h"
#include "gallery/galform.h"
#include "structures/strukturcompo.h"
#include "support/headlessdialogs.h"
#include "support/testdrives.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QTabBar>
#include <QTest>

using testsupport::ScriptedResponder;

namespace {

QByteArray jpeg()
{
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG");
    return bytes;
}

QStringList tabs(const Tmainform &main)
{
    QStringList texts;
    for (int i = 0; i < main.tc->count(); ++i)
        texts << main.tc->tabText(i);
    return texts;
}

} // namespace

class TestGallery : public QObject
{
    Q_OBJECT
    // Messages, questions and progress windows without a user.
    testsupport::HeadlessDialogs m_dialogs;
private slots:
    void initTestCase() { dialogs::createShared(nullptr); }
    void oneGalleryWithItsTab();
    void commandsReachTheExplorerWindow();
};

void TestGallery::oneGalleryWithItsTab()
{
    TestDrives drives;
    Tmainform main;
    main.editSettings().triedBefore = true;
    main.GBoxV = 3;
    main.GBoxL = 5;
    main.show();
    QAction *open = main.actions->action("aBilledGal");
    main.actions->updateAll();
    QVERIFY(open->isEnabled());
    open->trigger();
    open->trigger();
    QVERIFY(GalForm);
    int frames = 0;
    for (QMdiSubWindow *child : main.clientArea->subWindowList())
        frames += child->windowTitle() == "Billeder" ? 1 : 0;
    QCOMPARE(frames, 1);
    QTRY_COMPARE(tabs(main).count("Billeder"), 1);
    QVERIFY(!main.openBilleder->isEnabled());
    QCOMPARE(GalForm->BVedit->text(), QString("3"));
    QCOMPARE(GalForm->BLedit->text(), QString("5"));
    GalForm->plusMinus(true, 1);
    QPointer<TGalForm> tool = GalForm;
    QVERIFY(tool->close());
    QTRY_VERIFY(!tool);
    QCOMPARE(main.GBoxV, 4); // the counts go back to the main options
    QCOMPARE(tabs(main).count("Billeder"), 0);
    QVERIFY(main.openBilleder->isEnabled());
}

void TestGallery::commandsReachTheExplorerWindow()
{
    TestDrives drives;
    drives.writeBytes("C:\\Foto\\a.jpg", jpeg());
    drives.writeBytes("C:\\Foto\\b.jpg", jpeg());
    drives.writeBytes("C:\\Andet\\c.txt", "x");
    Tmainform main;
    main.editSettings().triedBefore = true;
    main.makeNewStifinder();
    Twinform *explorer = main.getWinform("Stifinder 1");
    explorer->spmBox->setItemIndex(2); // delete without the explorer's own question
    TStrukturCompo *tree = explorer->metodeX->strukturY();
    explorer->setActiveTree(StrukturNr::filer);
    explorer->mappeKontrol(tree->makeStruktur2("C:\\Andet"), true);
    main.EditSti->setText("C:\\Foto\\a.jpg");
    TGalForm *gallery = main.openGalForm();
    gallery->loadBilleder(2, 2);
    gallery->BibPan->waitForLoad();
    QCOMPARE(gallery->BibPan->AntalIalt, 2);
    const int b = gallery->BibPan->GetFilnavn(0, false) == "b.jpg" ? 0 : 1;
    gallery->BibInfo(b, true);
    QCOMPARE(gallery->picFilnavn, QString("C:\\Foto\\b.jpg"));

    // Marked in the file tree of the explorer window.
    gallery->actions->action("Avis")->trigger();
    QCOMPARE(tree->filnavn(), QString("C:\\Foto\\b.jpg"));
    QCOMPARE(explorer->activeTree(), StrukturNr::filer);

    // Copied to the explorer window's clipboard: the picture, then its folder.
    gallery->actions->action("AKopier")->trigger();
    gallery->actions->action("AkopierMappe")->trigger();
    Klipbord *klipbord = explorer->metodeX->klipbord();
    QVERIFY(klipbord->Filliste->contains("C:\\Foto\\b.jpg"));
    QVERIFY(klipbord->Mappeliste->contains("C:\\Foto"));
    QVERIFY(!explorer->metodeX->flytElementer()); // a copy, not a cut
    ScriptedResponder responder;
    main.RegisterEleFromGal("C:\\Foto\\væk.jpg");
    QCOMPARE(responder.texts(), QStringList{"Elementet blev ikke fundet."});

    // Deleted to the recycle bin by the explorer window, after the gallery's question.
    responder.clear();
    responder.answerJa();
    gallery->actions->action("ADelete")->trigger();
    QCOMPARE(responder.texts(), QStringList{"Filnavn:\rb.jpg\rSkal filen slettes til papirkurven?"});
    QVERIFY(!QFileInfo::exists(drives.host("C:\\Foto\\b.jpg")));
    QVERIFY(QFileInfo::exists(drives.host("C:\\Foto\\a.jpg")));
    QCOMPARE(QDir(drives.homeTrash() + "/files").entryList(QDir::Files), QStringList{"b.jpg"});
}

QTEST_MAIN(TestGallery)
#include "test_gallery.moc"
