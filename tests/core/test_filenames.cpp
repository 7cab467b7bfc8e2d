#include "core/filenames.h"

#include <QTest>

class TestFilenames : public QObject
{
    Q_OBJECT
private slots:
    void invalidNames_data();
    void invalidNames();
};

namespace {

const QString kForbidden = "Et navn må ikke indeholde tegnene \\ / : * ? \" < > |";
const QString kDevice = "CON, PRN, AUX, NUL, COM1 til COM9 og LPT1 til LPT9 er navne på enheder i Windows og "
                        "kan ikke bruges som navn, heller ikke med en filtype efter.";

QString refused(const QString &shownName, const QString &why)
{
    return "Navnet \"" + shownName + "\" kan ikke bruges.\r" + why;
}

} // namespace

void TestFilenames::invalidNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");

    const QString blank = "Der mangler et navn.\rEt navn skal indeholde andet end mellemrum.";
    QTest::newRow("empty") << "" << blank;
    QTest::newRow("only blanks") << "   " << blank;

    for (const QChar c : QStringView(u"\\/:*?\"<>|")) {
        const QString name = QString("a") + c + "b.txt";
        QTest::addRow("character %s", qPrintable(QString(c))) << name << refused(name, kForbidden);
    }
    const QString control = "Et navn må ikke indeholde styretegn som linjeskift og tabulator.";
    QTest::newRow("line break") << "a\nb" << refused("a\u240Ab", control);
    QTest::newRow("tab") << "a\tb" << refused("a\u2409b", control);
    QTest::newRow("NUL character") << QString("a") + QChar(0) + "b" << refused("a\u2400b", control);
    QTest::newRow("unit separator") << "a\x1F" << refused("a\u241F", control);

    QTest::newRow("trailing dot") << "Brev." << refused("Brev.", "Et navn må ikke slutte med et punktum.");
    QTest::newRow("only dots") << ".." << refused("..", "Et navn må ikke slutte med et punktum.");
    QTest::newRow("trailing space") << "Brev.txt "
                                    << refused("Brev.txt ", "Et navn må ikke slutte med et mellemrum.");

    for (const QString name : {"CON", "prn", "Aux", "nul", "NUL.txt", "nul.tar.gz", "com1", "COM9.log",
                               "lpt1", "Lpt9", "NUL .txt", "COM¹", "lpt³.txt"})
        QTest::addRow("device %s", qPrintable(name)) << name << refused(name, kDevice);

    const QString longName(256, u'x');
    QTest::newRow("256 units") << longName
                               << refused(QString(60, u'x') + u'…',
                                          "Navnet er på 256 tegn, men et navn må højst være på 255 tegn.");
    // One emoji is two UTF-16 units: 128 of them are 256 units.
    QString emojis;
    for (int i = 0; i < 128; ++i)
        emojis += QString::fromUtf8("😀");
    QTest::newRow("256 units of emoji")
        << emojis
        << refused(emojis.left(60) + u'…', "Navnet er på 256 tegn, men et navn må højst være på "
                                           "255 tegn.");

    // Usable names, the near misses of the rules included.
    for (const QString name :
         {"Brev.txt", "Ny mappe", " indrykket", ".bashrc", "a.b.c", "æøå ÆØÅ.html", "Документы", "CON1",
          "COM0", "COM10", "LPT", "console.txt", "nul-fil", "auxiliary", "Ny (1).html", "a%b&c#d"})
        QTest::addRow("usable %s", qPrintable(name)) << name << QString();
    QTest::newRow("255 units") << QString(255, u'x') << QString();
}

void TestFilenames::invalidNames()
{
    QFETCH(QString, name);
    QFETCH(QString, message);
    QCOMPARE(core::invalidNameMessage(name), message);
}

QTEST_APPLESS_MAIN(TestFilenames)
#include "test_filenames.moc"
