// The help pages as installed, and the information window that shows them: every page the
// program names exists, links between pages lead to pages, every page says more than its
// heading; the page list, its navigation and the handling of links.
#include "core/linefile.h"
#include "dialogs/actionlist.h"
#include "faketoolhost.h"
#include "support/headlessdialogs.h"
#include "support/testdrives.h"
#include "tools/info/infoform.h"
#include "tools/info/urlform1.h"

#include <QAction>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QToolButton>
#include <memory>

namespace {

QString helpFolder()
{
    return QStringLiteral(ZUN_SOURCE_DATA_PROGRAM) + "/Stifinder/tekstfiler";
}

QString readUtf8(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}

// The pages of the help folder by lower-case name: a page is found without regard to letter
// case, as on Windows.
QHash<QString, QString> installedPages()
{
    QHash<QString, QString> pages;
    const QStringList names = QDir(helpFolder()).entryList({"*.html"}, QDir::Files);
    for (const QString &name : names)
        pages.insert(name.toLower(), name);
    return pages;
}

// Every ".html" name written in the program's sources, less the files it writes for the user
// (new-file templates and play lists), which are no help pages.
QStringList pagesInSources()
{
    static const QSet<QString> writtenForTheUser{"Hjemmeside.html", "Film_afspilningsliste.html",
                                                 "Musik_afspilningsliste.html",
                                                 "Billed_afspilningsliste.html"};
    static const QRegularExpression quoted(R"re("([^"*\\]+\.html)")re");
    QStringList names;
    QDirIterator it(QStringLiteral(ZUN_SOURCE_SRC), {"*.cpp", "*.h"}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString text = readUtf8(it.next());
        for (auto match = quoted.globalMatch(text); match.hasNext();) {
            const QString name = match.next().captured(1);
            if (!writtenForTheUser.contains(name))
                names.append(name);
        }
    }
    names.removeDuplicates();
    return names;
}

QAction *action(const QObject &window, const char *name)
{
    return window.findChild<QAction *>(name);
}

QStringList entries(const Tinfoform &window)
{
    QStringList list;
    for (int i = 0; i < window.urlListe->count(); ++i)
        list.append(window.urlListe->item(i)->text());
    return list;
}

const QString kHelp = "C:\\zunKolvra\\Program\\Stifinder\\tekstfiler\\";
const QString kOpt = "C:\\zunKolvra\\Tester\\Egenskaber\\";

// An information window (inside the main window unless told) over a help folder of three small
// pages, with the pages window that holds its list; its page requests go through `requests`,
// as the main window's InfoHelp would take them.
struct Window
{
    explicit Window(const TestDrives &drives, bool internal = true)
        : pages((QDir().mkpath(drives.host(kOpt)), kOpt), nullptr)
        , window(internal)
    {
        for (const char *name : {"Kalender", "Genveje", "Billeder"})
            drives.writeBytes(kHelp + name + ".html",
                              QByteArray("<html><body><h1>") + name +
                                  "</h1><p><a href=\"Billeder.html\">Billeder</a> "
                                  "<a href=\"https://example.org/side\">nettet</a></p></body></html>");
        window.infoDir = kHelp;
        window.infoHelp = [this](const QString &page) {
            requests.append(page);
            window.LoadHjemmeside(page);
        };
        window.FormActivate();
    }
    Turlform1 pages;
    Tinfoform window;
    QStringList requests;
};

} // namespace

class TestInfoform : public QObject
{
    Q_OBJECT
private slots:
    void everyPageNamedExists();
    void linksBetweenPagesResolve();
    void everyPageSaysMoreThanItsHeading();
    void everyPageIsShownWithTheStyleSheet();
    void thePageListGrowsByNewPagesOnly();
    void clearingTheListAndNavigating();
    void linksOpenHereOrInTheBrowser();
    void thePagesWindowKeepsItsSize_data();
    void thePagesWindowKeepsItsSize();
    void insideTheMainWindowTheListMovesToTheRightPanel();
    void aWindowOfItsOwnLeavesTheListInThePagesWindow();

private:
    testsupport::HeadlessDialogs m_dialogs;
};

void TestInfoform::everyPageNamedExists()
{
    const QHash<QString, QString> pages = installedPages();
    QStringList named = pagesInSources();
    QVERIFY2(named.contains("Velkommen.html") && named.contains("Billeder.html"), "the scan finds no names");
    // Pages named by composing a name: the topic lists of the window, the properties window's
    // captions, and every node of the contents tree.
    for (const QStringList *topic : {&Tinfoform::emnerStifinder(), &Tinfoform::emnerKlipbordet(),
                                     &Tinfoform::emnerFunktioner(), &Tinfoform::emnerProgrammer()})
        for (const QString &entry : *topic)
            named.append(entry + ".html");
    for (const char *caption : {"Fil egenskaber", "Mappe egenskaber", "Drev egenskaber"})
        named.append(QString::fromUtf8(caption) + ".html");
    const auto lines = [](const char *name) {
        QFile file(helpFolder() + "/../" + name);
        return file.open(QIODevice::ReadOnly) ? core::decodeLines(file.readAll()) : QStringList();
    };
    const QStringList treeLines = lines("struktur.txt"), dataLines = lines("data.txt");
    const QStringList *tree = &treeLines, *data = &dataLines;
    QVERIFY(!tree->isEmpty());
    QCOMPARE(tree->size(), data->size());
    QStringList nodes;
    for (int i = 0; i < data->size(); ++i) {
        QVERIFY2(data->at(i).size() > 1 && data->at(i).at(0).isDigit(), qPrintable(data->at(i)));
        // A node's text is its page's name, so a page shown finds its node.
        QCOMPARE(data->at(i).mid(1), tree->at(i).trimmed());
        named.append(data->at(i).mid(1) + ".html");
        nodes.append(data->at(i).mid(1).toLower());
    }
    QStringList missing;
    for (const QString &name : std::as_const(named))
        if (!pages.contains(name.toLower()))
            missing.append(name);
    missing.removeDuplicates();
    QVERIFY2(missing.isEmpty(), qPrintable("missing pages: " + missing.join(", ")));
    // And every page can be reached from the contents, but those shown beside their window.
    const QStringList besideTheirWindow{"wmi2.html", "applets2.html"};
    for (const QString &page : pages)
        QVERIFY2(besideTheirWindow.contains(page.toLower()) || nodes.contains(page.chopped(5).toLower()),
                 qPrintable("no node for " + page));
}

void TestInfoform::linksBetweenPagesResolve()
{
    static const QRegularExpression href(R"re((?:href|src)="([^"]*)")re");
    const QHash<QString, QString> pages = installedPages();
    int links = 0;
    for (const QString &page : pages) {
        const QString text = readUtf8(helpFolder() + "/" + page);
        for (auto match = href.globalMatch(text); match.hasNext();) {
            const QString target = match.next().captured(1);
            const QUrl url(target);
            if (!url.scheme().isEmpty()) {
                QVERIFY2(url.scheme() == "https" || url.scheme() == "http" || url.scheme() == "mailto",
                         qPrintable(page + ": " + target));
                continue;
            }
            ++links;
            const QString file = url.path();
            // Exact letter case: the window on Linux opens the file by this name.
            QVERIFY2(!file.isEmpty() && QFile::exists(helpFolder() + "/" + file),
                     qPrintable(page + " links to a missing " + target));
        }
    }
    QVERIFY(links > pages.size());
}

void TestInfoform::everyPageSaysMoreThanItsHeading()
{
    static const QRegularExpression heading("<h1>(.*)</h1>",
                                            QRegularExpression::DotMatchesEverythingOption |
                                                QRegularExpression::InvertedGreedinessOption);
    static const QRegularExpression footer(R"re(<p class="fod">.*</p>)re",
                                           QRegularExpression::InvertedGreedinessOption);
    static const QRegularExpression tags("<[^>]*>");
    for (const QString &page : installedPages()) {
        QFile file(helpFolder() + "/" + page);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QStringDecoder utf8(QStringDecoder::Utf8);
        const QString text = utf8(bytes);
        QVERIFY2(!utf8.hasError(), qPrintable(page + " is not UTF-8"));
        QVERIFY2(text.contains("<meta charset=\"utf-8\">"), qPrintable(page));
        QVERIFY2(text.contains("href=\"stil.css\""), qPrintable(page + " lacks the style sheet"));
        QVERIFY2(heading.match(text).hasMatch(), qPrintable(page + " has no heading"));
        QString body = text.mid(text.indexOf("<body>"));
        body.remove(heading).remove(footer).remove(tags);
        body = body.simplified();
        QVERIFY2(body.size() > 200, qPrintable(page + " says too little: " + body));
        QVERIFY2(!body.contains("TODO") && !body.contains("Lorem"), qPrintable(page));
    }
}

void TestInfoform::everyPageIsShownWithTheStyleSheet()
{
    // The browser takes a linked style sheet only when its type is named; without it the
    // headings come out in the browser's own outsize fonts.
    for (const QString &page : installedPages()) {
        QTextBrowser browser;
        browser.setSource(QUrl::fromLocalFile(helpFolder() + "/" + page));
        const QTextBlock heading = browser.document()->begin();
        QVERIFY2(heading.isValid() && heading.begin() != heading.end(), qPrintable(page));
        const QTextCharFormat format = heading.begin().fragment().charFormat();
        QVERIFY2(format.foreground().color() == QColor("#1d4f7a"),
                 qPrintable(page + " is shown without its style"));
        QCOMPARE(format.fontPointSize(), 15.0);
    }
}

void TestInfoform::thePageListGrowsByNewPagesOnly()
{
    TestDrives drives;
    FakeToolHost host;
    Window w(drives);
    w.window.LoadHjemmeside("Kalender.html");
    w.window.LoadHjemmeside("Kalender.html");
    QCOMPARE(entries(w.window), QStringList{"Kalender"});
    QCOMPARE(w.window.Edit->text(), "Kalender.html");
    // A page that is not there changes nothing shown.
    w.window.LoadHjemmeside("Mangler.html");
    QCOMPARE(entries(w.window), QStringList{"Kalender"});
    QVERIFY(w.window.Web->source().fileName() == "Kalender.html");
    // A page listed before is selected again, not added; the list shows the contents' names.
    w.window.nodeTekst = [](const QString &name) {
        return name == "Genveje" ? QString("Genveje") : QString();
    };
    w.window.LoadHjemmeside("Genveje.html");
    w.window.LoadHjemmeside("kalender.html");
    QCOMPARE(entries(w.window), (QStringList{"Kalender", "Genveje"}));
    QCOMPARE(w.window.urlIndex, 0);
    QCOMPARE(w.window.urlListe->currentRow(), 0);
}

void TestInfoform::clearingTheListAndNavigating()
{
    TestDrives drives;
    FakeToolHost host;
    Window w(drives);
    for (const char *page : {"Kalender.html", "Genveje.html", "Billeder.html"})
        w.window.LoadHjemmeside(page);
    QCOMPARE(w.window.urlIndex, 2);
    QVERIFY(action(w.window, "Afirst")->isEnabled());
    QVERIFY(!action(w.window, "Alast")->isEnabled());
    QVERIFY(!action(w.window, "Aforward")->isEnabled());

    action(w.window, "Aback")->trigger();
    QCOMPARE(w.requests.last(), "Genveje.html");
    QCOMPARE(w.window.urlIndex, 1);
    QCOMPARE(w.window.Web->source().fileName(), "Genveje.html");
    QCOMPARE(entries(w.window).size(), 3); // moving through the list adds nothing
    action(w.window, "Afirst")->trigger();
    QCOMPARE(w.window.urlIndex, 0);
    QVERIFY(!action(w.window, "Aback")->isEnabled());
    action(w.window, "Alast")->trigger();
    QCOMPARE(w.window.urlIndex, 2);
    QCOMPARE(w.window.Web->source().fileName(), "Billeder.html");

    QVERIFY(action(w.pages, "AsletAlle")->isEnabled());
    action(w.pages, "AsletAlle")->trigger();
    QCOMPARE(w.window.urlListe->count(), 0);
    QCOMPARE(w.window.urlIndex, -1);
    for (const char *name : {"Afirst", "Aback", "Aforward", "Alast"})
        QVERIFY2(!action(w.window, name)->isEnabled(), name);
    QVERIFY(!action(w.pages, "AsletAlle")->isEnabled());
    // The page last shown is not listed again until another one has been shown.
    w.window.LoadHjemmeside("Billeder.html");
    QCOMPARE(w.window.urlListe->count(), 0);
    w.window.LoadHjemmeside("Kalender.html");
    QCOMPARE(entries(w.window), QStringList{"Kalender"});

    // A topic fills the list with fixed entries; a click on one asks for its page.
    action(w.window, "infProgrammer")->trigger();
    QCOMPARE(entries(w.window), Tinfoform::emnerProgrammer());
    QCOMPARE(w.window.urlIndex, -1);
    w.window.goToStruktur(1);
    QCOMPARE(w.requests.last(), "Indfør programmer.html");
    QCOMPARE(w.window.urlIndex, 1);
    // "Opdater/Gå" goes only to a page that is there.
    w.window.Edit->setText("Genveje.html");
    action(w.window, "Ago")->trigger();
    QCOMPARE(w.window.Web->source().fileName(), "Genveje.html");
    w.window.Edit->setText("Ingen.html");
    action(w.window, "Ago")->trigger();
    QCOMPARE(w.window.Web->source().fileName(), "Genveje.html");
}

void TestInfoform::linksOpenHereOrInTheBrowser()
{
    TestDrives drives;
    FakeToolHost host;
    Window w(drives);
    w.window.LoadHjemmeside("Kalender.html");
    const auto &calls = drives.backEnd().shellCalls;

    w.window.linkClicked(QUrl("Billeder.html"));
    QCOMPARE(w.requests, QStringList{"Billeder.html"});
    QCOMPARE(w.window.Web->source().fileName(), "Billeder.html");
    QVERIFY(calls.isEmpty());

    // A link with a blank in its name, as the browser hands it over.
    w.window.linkClicked(QUrl("S%C3%A6t%20ind.html"));
    QCOMPARE(w.requests.last(), "Sæt ind.html");

    w.window.linkClicked(QUrl("https://example.org/side"));
    QCOMPARE(calls.size(), 1);
    QCOMPARE(calls.last().verb, "open");
    QCOMPARE(calls.last().file, "https://example.org/side");
    QCOMPARE(w.window.Web->source().fileName(), "Billeder.html");

    // An anchor within the page asks for nothing.
    w.window.linkClicked(QUrl("#top"));
    QCOMPARE(w.requests.size(), 2);
}

void TestInfoform::thePagesWindowKeepsItsSize_data()
{
    QTest::addColumn<QByteArray>("file"); // empty: none
    QTest::addColumn<QSize>("size");
    QTest::newRow("no file") << QByteArray() << QSize(220, 360);
    QTest::newRow("width and height") << QByteArray("250\r\n420\r\n") << QSize(250, 420);
    QTest::newRow("below the minimum") << QByteArray("90\r\n100\r\n") << QSize(167, 300);
    QTest::newRow("not numbers") << QByteArray("bred\r\nhøj\r\n") << QSize(220, 360);
    QTest::newRow("one line") << QByteArray("250\r\n") << QSize(220, 360);
}

void TestInfoform::thePagesWindowKeepsItsSize()
{
    QFETCH(QByteArray, file);
    QFETCH(QSize, size);
    TestDrives drives;
    QDir().mkpath(drives.host(kOpt));
    if (!file.isEmpty())
        drives.writeBytes(kOpt + "urlboks.txt", file);
    QWidget main;
    Turlform1 pages(kOpt, &main);
    QCOMPARE(urlform1, &pages);
    QCOMPARE(pages.windowTitle(), "Informationssider");
    QVERIFY(pages.isWindow());
    QVERIFY(pages.windowFlags() & Qt::WindowStaysOnTopHint);
    QCOMPARE(pages.minimumSize(), QSize(167, 300));
    QCOMPARE(pages.size(), size);
    auto *luk = pages.findChild<QPushButton *>("lukKnap");
    QVERIFY(luk);
    QCOMPARE(luk->toolTip(), "Luk urlboksen");
    QCOMPARE(action(pages, "AsletAlle")->text(), "Slet liste");
    QCOMPARE(action(pages, "AsletAlle")->toolTip(), "Slet alle urls fra listen");

    // Closing keeps the size for the next run; the window stays for the run.
    pages.show();
    pages.resize(300, 500);
    luk->click();
    QVERIFY(!pages.isVisible());
    QCOMPARE(core::readLines(kOpt + "urlboks.txt"), (QStringList{"300", "500"}));
    QCOMPARE(urlform1, &pages);
}

void TestInfoform::insideTheMainWindowTheListMovesToTheRightPanel()
{
    TestDrives drives;
    FakeToolHost host;
    auto w = std::make_unique<Window>(drives);
    Tinfoform &window = w->window;
    QCOMPARE(window.urlListe, w->pages.urlListe);
    QVERIFY(window.rightPanel->isAncestorOf(window.urlListe));
    QVERIFY(window.funkPanel->isHidden() && !window.rightPanel->isHidden());
    // "Slet liste" of the pages window is a button of the panel too.
    auto *slet = window.rightPanel->findChild<QToolButton *>("sletListeKnap");
    QVERIFY(slet);
    QCOMPARE(slet->defaultAction(), action(w->pages, "AsletAlle"));
    // Topics are there with their captions, whether the pages window is shown or not.
    QVERIFY(!w->pages.isVisible());
    window.actions->updateAll();
    QCOMPARE(action(window, "infKlipbordet")->text(), "Klipbordet");
    QVERIFY(action(window, "infKlipbordet")->isEnabled());
    action(window, "infKlipbordet")->trigger();
    QCOMPARE(entries(window), Tinfoform::emnerKlipbordet());

    // Closing gives the list back, entries and all; the next window lends it again.
    window.close();
    QVERIFY(w->pages.holdsList());
    QCOMPARE(w->pages.urlListe->count(), 2);
    Tinfoform again(true);
    QVERIFY(again.rightPanel->isAncestorOf(w->pages.urlListe));
    QCOMPARE(entries(again), Tinfoform::emnerKlipbordet());
    again.close();
    QVERIFY(w->pages.holdsList());
}

void TestInfoform::aWindowOfItsOwnLeavesTheListInThePagesWindow()
{
    TestDrives drives;
    FakeToolHost host;
    QAction visInfoStruk("Vis infoside");
    visInfoStruk.setObjectName("aVisInfoStruk");
    host.actions.insert("aVisInfoStruk", &visInfoStruk);
    auto w = std::make_unique<Window>(drives, false);
    Tinfoform &window = w->window;
    QVERIFY(w->pages.holdsList());
    QVERIFY(!window.funkPanel->isHidden() && window.rightPanel->isHidden());
    QCOMPARE(window.width(), Tinfoform::kWidth);

    // The bottom row: the main window's "Vis infoside", the topics as icons, "Vis urlliste".
    QList<QToolButton *> buttons = window.funkPanel->findChildren<QToolButton *>();
    QStringList bound;
    for (QToolButton *b : buttons)
        bound.append(b->defaultAction() ? b->defaultAction()->objectName() : QString());
    QCOMPARE(bound, (QStringList{"aVisInfoStruk", "infStifinder", "infKlipbordet", "infFunktioner",
                                 "infProgrammer", "aVisUrlliste"}));
    QVERIFY(window.funkPanel->findChild<QLabel *>()->text() == "Liste emner:");
    for (const char *name : {"infStifinder", "infKlipbordet", "infFunktioner", "infProgrammer"}) {
        QVERIFY2(action(window, name)->text().isEmpty(), name);
        QVERIFY2(!action(window, name)->toolTip().isEmpty(), name);
    }
    QAction *visUrlliste = action(window, "aVisUrlliste");
    QCOMPARE(visUrlliste->text(), "Vis urlliste");
    QCOMPARE(visUrlliste->toolTip(), "Vis urllisten med indførte urls");

    // Topics need the list in sight; "Vis urlliste" shows it.
    window.actions->updateAll();
    QVERIFY(visUrlliste->isEnabled());
    QVERIFY(!action(window, "infStifinder")->isEnabled());
    visUrlliste->trigger();
    QVERIFY(w->pages.isVisible());
    QVERIFY(!visUrlliste->isEnabled());
    QVERIFY(action(window, "infStifinder")->isEnabled());
    action(window, "infStifinder")->trigger();
    QCOMPARE(entries(window), Tinfoform::emnerStifinder());
    w->window.LoadHjemmeside("Genveje.html");
    QCOMPARE(w->pages.urlListe->currentItem()->text(), "Genveje");

    // Closing the information window closes the pages window, which keeps its size.
    window.close();
    QVERIFY(!w->pages.isVisible());
    QVERIFY(core::readLines(kOpt + "urlboks.txt"));
    QVERIFY(core::readLines(kOpt + "Information.txt"));
    QCOMPARE(w->pages.urlListe->count(), Tinfoform::emnerStifinder().size() + 1);
}

QTEST_MAIN(TestInfoform)
#include "test_infoform.moc"
