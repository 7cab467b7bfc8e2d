// The properties window filled by an explorer window's file methods, with the program's own
// icon files.

#include "core/messages.h"
#include "dialogs/filinfoform.h"
#include "fileops/filinfo.h"
#include "fileops/metodecompo.h"
#include "structures/strukturcompo.h"
#include "support/headlessdialogs.h"
#include "support/listinggate.h"
#include "support/testdrives.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QIcon>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <sys/xattr.h>

using testsupport::ScriptedResponder;

namespace {

const QString kIkonDir = "C:\\zunKolvra\\Program\\Ikoner\\";

// An explorer window's part: a main window, the properties window it owns, the method object
// and its trees; C:\zunKolvra\Program is the source tree's data, as on a first start.
struct Fixture
{
    TestDrives drives;
    QWidget main;
    Tfilinfoform *form = new Tfilinfoform(&main);
    StrukturView folderTree{PictureSet::FolderTree};
    StrukturView fileTree{PictureSet::FileTree};
    TMetodeCompo metode;

    Fixture()
    {
        QDir().mkpath(drives.rootC() + "/zunKolvra");
        QFile::link(ZUN_SOURCE_DATA_PROGRAM, drives.rootC() + "/zunKolvra/Program");
        main.setGeometry(100, 80, 900, 700);
        main.show();
        metode.strukturY()->setStruktur1(&folderTree);
        metode.strukturY()->setStruktur2(&fileTree);
        metode.setPropertiesView(form);
        metode.setIkonDir(kIkonDir);
    }
    void file(const QString &path, const QByteArray &bytes = "x") const { drives.writeBytes(path, bytes); }
    QImage shownPicture() const { return form->ikonBox->pixmap().toImage(); }
    static QImage pictureOf(const QString &hostFile) { return QIcon(hostFile).pixmap(32, 32).toImage(); }
    void selectFolder(const QString &parent, const QString &name)
    {
        auto &struktur = *metode.strukturY();
        struktur.udfoldStruktur1(parent + "\\" + name, true);
        for (StrukturNode *node : folderTree.allNodes()) {
            if (node->text == name)
                folderTree.selectNode(node);
        }
    }
};

QStringList captionsOf(const QWidget *page)
{
    QStringList captions;
    for (const QLabel *label : page->findChildren<QLabel *>()) {
        if (label->objectName().isEmpty() && !label->text().isEmpty())
            captions << label->text();
    }
    return captions;
}

// On its indicator: a box may be wider than its caption.
void click(QCheckBox *box)
{
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
}

bool listedHidden(const QString &path)
{
    platform::FindData data;
    return platform::current().fileAttributes(path.toStdU16String(), data) &&
           (data.attributes & platform::FILE_ATTRIBUTE_HIDDEN);
}

} // namespace

class TestFilinfoform : public QObject
{
    Q_OBJECT
    // Messages, questions and progress windows without a user.
    testsupport::HeadlessDialogs m_dialogs;
private slots:
    void theWindowAndItsTexts();
    void theProgramsIconFilesLoad();
    void filePageWithItsPicture();
    void ticksAndAnvendHideTheFile();
    void aRefusedChangeShowsTheRealState();
    void errorsCloseTheWindow();
    void onlyThePageShownCanBeChosen();
    void resizeButtonsStopAtTheirLimits();
    void informationAsksForThePagesHelp();
    void closingStopsTheCountAndAGoneWindowIsForgotten();
};

void TestFilinfoform::theWindowAndItsTexts()
{
    Fixture f;
    Tfilinfoform &form = *f.form;
    QCOMPARE(form.windowTitle(), QString("Fil egenskaber"));
    QCOMPARE(form.width(), 345);
    QVERIFY(form.windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(form.windowFlags() & Qt::WindowCloseButtonHint);
    QVERIFY(!(form.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QCOMPARE(form.windowModality(), Qt::NonModal);
    QCOMPARE(form.Bog->count(), 3);
    QCOMPARE(form.Bog->tabText(0), QString("Fil"));
    QCOMPARE(form.Bog->tabText(1), QString("Mappe"));
    QCOMPARE(form.Bog->tabText(2), QString("Drev"));
    QCOMPARE(captionsOf(form.Bog->widget(0)), (QStringList{"Placering:", "Størrelse:", "Oprettet:", "Ændret:",
                                                           "Åbnet:", "Attributter:", "Filtype:"}));
    QCOMPARE(captionsOf(form.Bog->widget(1)),
             (QStringList{"Placering:", "Størrelse:", "Indeholder:", "Oprettet:"}));
    QCOMPARE(captionsOf(form.Bog->widget(2)),
             (QStringList{"Ledig plads:", "Anvendt plads:", "Kapasitet:", "Type:", "Filsystem:"}));
    QCOMPARE(form.cbReadOnly->text(), QString("Skrivebeskyttet"));
    QCOMPARE(form.cbHidden->text(), QString("Skjult"));
    QVERIFY(form.EditFilnavn->isReadOnly());
    const std::pair<QAbstractButton *, const char *> buttons[] = {
        {form.anvendButton, "Sæt de nye attributværdier"},
        {form.lukButton, "Luk egenskabsboksen"},
        {form.informationButton, "Information om drev, fil og mappe egenskaber"},
        {form.udvidButton, "Gør boksen større"},
        {form.formindskButton, "Gør boksen mindre"},
    };
    for (const auto &[button, hint] : buttons)
        QCOMPARE(button->toolTip(), QString(hint));
    QCOMPARE(form.anvendButton->text(), QString("Anvend"));
    QCOMPARE(form.lukButton->text(), QString("Luk"));
    QCOMPARE(form.informationButton->text(), QString("Information"));
    QVERIFY(!form.isVisible());
}

void TestFilinfoform::theProgramsIconFilesLoad()
{
    for (const char *name : {"film", "musik", "billeder", "ukendt", "txt", "pdf", "html"}) {
        const QString file = QString(ZUN_SOURCE_DATA_PROGRAM) + "/Ikoner/" + name + "_ikon.ico";
        QImageReader reader(file);
        QVERIFY2(reader.canRead(), qPrintable(file));
        QVERIFY(reader.imageCount() >= 3);
        const QImage picture = Fixture::pictureOf(file);
        QCOMPARE(picture.size(), QSize(32, 32));
        // A picture on a transparent ground.
        QCOMPARE(qAlpha(picture.pixel(0, 0)), 0);
        QVERIFY(qAlpha(picture.pixel(16, 16)) > 0);
    }
}

void TestFilinfoform::filePageWithItsPicture()
{
    Fixture f;
    f.file("C:\\Data\\Breve\\brev.txt", QByteArray(1536, 'x'));
    f.file("C:\\Data\\Breve\\notat.doc");
    ScriptedResponder responder;

    f.metode.showFileInfo("C:\\Data\\Breve\\brev.txt");
    Tfilinfoform &form = *f.form;
    QVERIFY(form.isVisible());
    QCOMPARE(form.windowTitle(), QString("Fil egenskaber"));
    QCOMPARE(form.SideNummer, 0);
    QCOMPARE(form.Bog->currentIndex(), 0);
    QCOMPARE(form.Filnavn, QString("C:\\Data\\Breve\\brev.txt"));
    QCOMPARE(form.EditFilnavn->text(), QString("brev.txt"));
    QCOMPARE(form.EditPath->text(), QString("C:\\Data\\Breve\\"));
    QCOMPARE(form.LabelFiltype->text(), QString("Tekstfil: TXT-fil (.txt)"));
    QCOMPARE(form.LabelSize->text(), f.metode.getSizeInfo("C:\\Data\\Breve\\brev.txt"));
    QVERIFY(!form.LabelOprettet->text().isEmpty());
    QVERIFY(!form.LabelForandret->text().isEmpty());
    QVERIFY(!form.LabelAabnet->text().isEmpty());
    QVERIFY(!form.anvendButton->isEnabled());
    QCOMPARE(f.shownPicture(), Fixture::pictureOf(f.drives.host(kIkonDir + "txt_ikon.ico")));
    // Centred on the main window at its first showing.
    const QPoint offset = form.frameGeometry().center() - f.main.frameGeometry().center();
    QVERIFY2(offset.manhattanLength() <= 4, qPrintable(QString("%1,%2").arg(offset.x()).arg(offset.y())));

    f.metode.showFileInfo("C:\\Data\\Breve\\notat.doc");
    QCOMPARE(f.shownPicture(), Fixture::pictureOf(f.drives.host(kIkonDir + "ukendt_ikon.ico")));
    QCOMPARE(form.LabelFiltype->text(), QString("DOC-fil (.doc)"));
    QCOMPARE(responder.texts(), QStringList());
}

void TestFilinfoform::ticksAndAnvendHideTheFile()
{
    Fixture f;
    f.file("C:\\Data\\a.txt");
    if (::setxattr(QFile::encodeName(f.drives.host("C:\\Data\\a.txt")).constData(), "user.zunprobe", "1", 1,
                   0) != 0)
        QSKIP("the temporary folder keeps no user attributes");
    ScriptedResponder responder;
    f.metode.showFileInfo("C:\\Data\\a.txt");
    Tfilinfoform &form = *f.form;
    QVERIFY(!form.cbHidden->isChecked());
    QVERIFY(!form.anvendButton->isEnabled());

    click(form.cbHidden);
    QVERIFY(form.cbHidden->isChecked());
    QVERIFY(form.anvendButton->isEnabled());
    QTest::mouseClick(form.anvendButton, Qt::LeftButton);
    QVERIFY(listedHidden("C:\\Data\\a.txt"));
    QVERIFY(!form.anvendButton->isEnabled());
    QVERIFY(form.cbHidden->isChecked());
    QCOMPARE(responder.texts(), QStringList());

    // Either box clicked gives "Anvend" back; the file page shown again has it greyed out.
    click(form.cbReadOnly);
    QVERIFY(form.anvendButton->isEnabled());
    f.metode.showFileInfo("C:\\Data\\a.txt");
    QVERIFY(form.cbHidden->isChecked());
    QVERIFY(!form.cbReadOnly->isChecked());
    QVERIFY(!form.anvendButton->isEnabled());
}

void TestFilinfoform::aRefusedChangeShowsTheRealState()
{
    Fixture f;
    f.file("C:\\Data\\andens.txt");
    f.drives.backEnd().refusedAttributeChanges << "C:\\Data\\andens.txt";
    ScriptedResponder responder;
    f.metode.showFileInfo("C:\\Data\\andens.txt");
    Tfilinfoform &form = *f.form;
    click(form.cbHidden);
    click(form.cbReadOnly);
    QTest::mouseClick(form.anvendButton, Qt::LeftButton);
    QCOMPARE(responder.texts(), QStringList{"Der opstod en fejl.\rStien er muligvist invalid, eller der er "
                                            "muligvist ikke adgang til filen.\r"});
    QVERIFY(!form.cbHidden->isChecked());
    QVERIFY(!form.cbReadOnly->isChecked());
    QVERIFY(!form.anvendButton->isEnabled());
    QVERIFY(form.isVisible());
}

void TestFilinfoform::errorsCloseTheWindow()
{
    Fixture f;
    f.file("C:\\Data\\a.txt");
    ScriptedResponder responder;
    f.metode.showFileInfo("C:\\Data\\a.txt");
    QVERIFY(f.form->isVisible());
    f.metode.showFileInfo("C:\\Data\\væk.txt");
    QVERIFY(!f.form->isVisible());
    QCOMPARE(responder.texts(), QStringList{"Der opstod en fejl.\rFilen er muligvist i brug."});
}

void TestFilinfoform::onlyThePageShownCanBeChosen()
{
    Fixture f;
    f.drives.backEnd().totalBytes = 4000;
    f.drives.backEnd().freeToCaller = 1000;
    f.metode.showDriveInfo("C:");
    Tfilinfoform &form = *f.form;
    QCOMPARE(form.SideNummer, 2);
    QCOMPARE(form.windowTitle(), QString("Drev egenskaber"));
    QCOMPARE(form.EditDisknavn->text(), QString("System (C:)"));
    QCOMPARE(form.LabelType->text(), QString("Lokal disk"));
    QCOMPARE(form.ProgressBar->value(), 75);

    QTabBar *tabs = form.Bog->tabBar();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(0).center());
    QCOMPARE(form.Bog->currentIndex(), 2);
    form.Bog->setCurrentIndex(1);
    QCOMPARE(form.Bog->currentIndex(), 2);

    f.file("C:\\Data\\Foto\\a.jpg");
    f.selectFolder("C:\\Data", "Foto");
    f.metode.showMappeInfo(StrukturNr::mapper);
    QCOMPARE(form.SideNummer, 1);
    QCOMPARE(form.Bog->currentIndex(), 1);
    QCOMPARE(form.windowTitle(), QString("Mappe egenskaber"));
    QCOMPARE(form.EditMappenavn->text(), QString("Foto"));
    QCOMPARE(form.LabelPlacering->text(), QString("C:\\Data"));
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(2).center());
    QCOMPARE(form.Bog->currentIndex(), 1);
    QTRY_COMPARE(form.LabelMappeIndhold->text(), QString("1 filer, 0 mapper"));
}

void TestFilinfoform::resizeButtonsStopAtTheirLimits()
{
    Fixture f;
    f.file("C:\\a.txt");
    f.metode.showFileInfo("C:\\a.txt");
    Tfilinfoform &form = *f.form;
    QVERIFY(form.udvidButton->isEnabled());
    QVERIFY(!form.formindskButton->isEnabled());
    int clicks = 0;
    while (form.udvidButton->isEnabled() && clicks < 20) {
        QTest::mouseClick(form.udvidButton, Qt::LeftButton);
        ++clicks;
    }
    // 345 + 11 × 140 = 1885 still grows; one more passes 1921.
    QCOMPARE(clicks, 12);
    QCOMPARE(form.width(), 345 + 12 * 140);
    QVERIFY(form.formindskButton->isEnabled());
    QTest::mouseClick(form.formindskButton, Qt::LeftButton);
    QCOMPARE(form.width(), 350);
    QVERIFY(!form.formindskButton->isEnabled());
    QVERIFY(form.udvidButton->isEnabled());
    QTest::mouseClick(form.udvidButton, Qt::LeftButton);
    QCOMPARE(form.width(), 490);
    QVERIFY(form.formindskButton->isEnabled());
}

void TestFilinfoform::informationAsksForThePagesHelp()
{
    Fixture f;
    QStringList pages;
    f.form->onHjaelp = [&pages](const QString &page) { pages << page; };
    f.file("C:\\Data\\a.txt");
    f.selectFolder("C:", "Data");
    f.metode.showFileInfo("C:\\Data\\a.txt");
    QTest::mouseClick(f.form->informationButton, Qt::LeftButton);
    f.metode.showMappeInfo(StrukturNr::mapper);
    QTest::mouseClick(f.form->informationButton, Qt::LeftButton);
    f.metode.showDriveInfo("D:");
    QTest::mouseClick(f.form->informationButton, Qt::LeftButton);
    QCOMPARE(pages, (QStringList{"Fil egenskaber.html", "Mappe egenskaber.html", "Drev egenskaber.html"}));
    // Luk closes the window.
    QTest::mouseClick(f.form->lukButton, Qt::LeftButton);
    QVERIFY(!f.form->isVisible());
}

void TestFilinfoform::closingStopsTheCountAndAGoneWindowIsForgotten()
{
    Fixture f;
    f.file("C:\\Stor\\A\\a.bin");
    f.file("C:\\Stor\\Sidst\\z.bin");
    f.selectFolder("C:", "Stor");
    ListingGate gate;
    gate.holdAt("C:\\Stor\\A", f.drives.backEnd());
    f.metode.showMappeInfo(StrukturNr::mapper);
    QCOMPARE(f.form->LabelMappeIndhold->text(), QString("0 filer, 0 mapper"));
    QTRY_VERIFY(gate.reached());
    QTest::mouseClick(f.form->lukButton, Qt::LeftButton);
    QVERIFY(!f.form->isVisible());
    QVERIFY(!f.metode.folderCount()->isRunning());
    gate.open();
    QTRY_VERIFY(f.metode.folderCount()->settled().isFinished());
    QVERIFY(f.form->LabelMappeIndhold->text() != "2 filer, 2 mapper");

    // The main window goes, and its properties window with it, while a count is going.
    ListingGate second;
    second.holdAt("C:\\Stor\\A", f.drives.backEnd());
    f.metode.showMappeInfo(StrukturNr::mapper);
    QTRY_VERIFY(second.reached());
    delete f.form;
    QCOMPARE(f.metode.propertiesView(), nullptr);
    second.open();
    QTRY_VERIFY(f.metode.folderCount()->settled().isFinished());
    ScriptedResponder responder;
    f.metode.showDriveInfo(QString());
    QCOMPARE(responder.texts(), QStringList{"Der opstod en ukendt fejl."});
}

QTEST_MAIN(TestFilinfoform)
#include "test_filinfoform.moc"
