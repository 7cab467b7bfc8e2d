// The text search's reading of documents (RTF, UTF-8, Windows-1252, UTF-16) and its hits.

#include "core/rtftext.h"
#include "core/textsearch.h"
#include "core/utf8scan.h"
#include "support/testdrives.h"

#include <QDir>
#include <QRandomGenerator>
#include <QStringDecoder>
#include <QTest>

using core::TextHit;
using core::TextSearchOptions;

namespace {

QList<TextHit> hitsIn(const QString &text, const QString &needle, TextSearchOptions options = {},
                      qsizetype piece = 0)
{
    QList<TextHit> hits;
    core::TextScanner scanner(needle, options, {}, hits);
    if (piece == 0)
        scanner.feed(text);
    else
        for (qsizetype i = 0; i < text.size(); i += piece)
            scanner.feed(QStringView(text).mid(i, piece));
    scanner.finish();
    return hits;
}

#ifdef __SANITIZE_ADDRESS__
constexpr bool kFreedMemoryIsKept = true; // the sanitizer's quarantine
#else
constexpr bool kFreedMemoryIsKept = false;
#endif

// The hits as the window keeps them: a line read again from the document when the search gave
// only the hit's byte. Each line shows where its hit is.
struct ReadAgain : core::TextHitSink
{
    QString path;
    QList<TextHit> hits;
    int byOffset = 0;
    int restarts = 0;
    core::HitLineReader reader;

    static QString marked(const QString &line, qsizetype column)
    {
        return line.left(column) + u'|' + line.mid(column);
    }
    void hitAt(qint64 position, qint64 offset) override
    {
        QString line;
        qsizetype column = 0;
        QVERIFY(reader.read(path, offset, line, column));
        hits.append({position, marked(line, column)});
        ++byOffset;
    }
    void hitInLine(qint64 position, const QString &line, qsizetype column) override
    {
        hits.append({position, marked(line, column)});
    }
    void restart() override
    {
        hits.clear();
        ++restarts;
    }
};

QList<qint64> positions(const QList<TextHit> &hits)
{
    QList<qint64> result;
    for (const TextHit &hit : hits)
        result.append(hit.position);
    return result;
}

} // namespace

class TestTextSearch : public QObject
{
    Q_OBJECT
private slots:
    void rtfReader_data();
    void rtfReader();
    void rtfReaderSurvivesBrokenInput_data();
    void rtfReaderSurvivesBrokenInput();
    void hits_data();
    void hits();
    void piecesGiveTheSameHitsAsTheWhole();
    void documentsAreDecodedByTheirBytes_data();
    void documentsAreDecodedByTheirBytes();
    void largeDocumentsAreReadInChunksWithHitsAcrossThem();
    void theByteSearchFindsWhatTheTextSearchFinds();
    void theByteSearchReadsInPiecesAsTheTextSearchReadsTheWhole_data();
    void theByteSearchReadsInPiecesAsTheTextSearchReadsTheWhole();
    void aLongLineIsCutAroundTheHit();
    void theFastUtf8PassesAgreeWithTheDecoder();
    void aMissingOrSpecialDocumentCannotBeRead();
    void aHugeDocumentIsStreamedWithBoundedMemory();
};

void TestTextSearch::rtfReader_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");
    QTest::newRow("paragraphs") << QByteArray("{\\rtf1\\ansi Hej\\par verden\\line !}") << "Hej\nverden\n!";
    QTest::newRow("tables skipped")
        << QByteArray("{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red255;}{\\stylesheet{\\s0 Normal;}}"
                      "{\\info{\\title Titel}}\\f0 Tekst}")
        << "Tekst";
    QTest::newRow("ignorable destinations")
        << QByteArray("{\\rtf1 a{\\*\\generator Riched20;}{\\*\\ukendt x}b}") << "ab";
    QTest::newRow("picture") << QByteArray("{\\rtf1 a{\\pict\\pngblip 89504e47}b}") << "ab";
    QTest::newRow("hex in code page 1252")
        << QByteArray("{\\rtf1\\ansi\\ansicpg1252 bl\\'e5b\\'e6r}") << "blåbær";
    QTest::newRow("hex in code page 1251") << QByteArray("{\\rtf1\\ansi\\ansicpg1251 \\'c4\\'e0}") << "Да";
    QTest::newRow("unicode with fall-back")
        << QByteArray("{\\rtf1 \\u230\\'e6ble \\uc3\\u8364 EUR! \\uc1\\u-10179?}")
        << QString::fromUtf16(u"æble €! \xD83D");
    QTest::newRow("fall-back ends with its group") << QByteArray("{\\rtf1\\uc3 {\\u248 x}y}") << "øy";
    QTest::newRow("escaped symbols") << QByteArray("{\\rtf1 \\{a\\}\\\\\\~b\\-c}") << "{a}\\\u00A0bc";
    QTest::newRow("binary data") << QByteArray("{\\rtf1 a{\\*\\blipuid x}\\bin4 {}\\}b}") << "ab";
    QTest::newRow("binary without delimiter") << QByteArray("{\\rtf1 a\\bin2xyb}") << "ab";
    QTest::newRow("unknown words and symbols") << QByteArray("{\\rtf1 \\foo123 a\\bar-5 b\\|c}") << "abc";
    QTest::newRow("source line ends") << QByteArray("{\\rtf1 a\r\nb\\\r\nc}") << "ab\nc";
    QTest::newRow("field result kept")
        << QByteArray("{\\rtf1 {\\field{\\*\\fldinst HYPERLINK x}{\\fldrslt Link}}}") << "Link";
}

void TestTextSearch::rtfReader()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, text);
    if (rtf.contains("ansicpg1251"))
        SKIP_ON_WINDOWS("program fault on Windows: Qt there is built without ICU, so QStringDecoder knows no "
                        "code page but 1252 and an RTF document in another one is read as Windows-1252");
    QCOMPARE(core::RtfText::toText(rtf), text);
    // Fed a byte at a time the reader gives the same.
    QString pieces;
    core::RtfText reader([&pieces](QStringView piece) { pieces += piece; });
    for (char c : rtf)
        reader.feed(&c, 1);
    reader.finish();
    QCOMPARE(pieces, text);
}

void TestTextSearch::rtfReaderSurvivesBrokenInput_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");
    QTest::newRow("truncated in text") << QByteArray("{\\rtf1 abc") << "abc";
    QTest::newRow("truncated in a word") << QByteArray("{\\rtf1 abc\\pa") << "abc";
    QTest::newRow("truncated in hex") << QByteArray("{\\rtf1 abc\\'e") << "abc";
    QTest::newRow("truncated in binary") << QByteArray("{\\rtf1 abc\\bin999999 xyz") << "abc";
    QTest::newRow("broken hex") << QByteArray("{\\rtf1 a\\'zzb}") << "azzb";
    QTest::newRow("huge parameter")
        << QByteArray("{\\rtf1 a\\uc99999999999999999 \\u99999999999999 bcdefghijklmnopqrstu}") << "arstu";
    QTest::newRow("negative binary") << QByteArray("{\\rtf1 a\\bin-5 b}") << "ab";
    QTest::newRow("too many closings") << QByteArray("{\\rtf1 a}}}}b}") << "ab";
    QTest::newRow("deep nesting") << QByteArray(100000, '{') + "\\rtf1 dyb" + QByteArray(100000, '}') + "x"
                                  << "dybx";
    QTest::newRow("skip survives past the kept depth")
        << QByteArray("{\\rtf1 {\\*") + QByteArray(5000, '{') + "skjult" + QByteArray(5000, '}') + "}vist}"
        << "vist";
    QTest::newRow("nul bytes") << QByteArray("{\\rtf1 a\0b}", 11) << QString("a") + QChar(0) + "b";
}

void TestTextSearch::rtfReaderSurvivesBrokenInput()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, text);
    QCOMPARE(core::RtfText::toText(rtf), text);
}

void TestTextSearch::hits_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("needle");
    QTest::addColumn<bool>("wholeWords");
    QTest::addColumn<bool>("matchCase");
    QTest::addColumn<QList<qint64>>("expected");
    using L = QList<qint64>;
    QTest::newRow("no overlap abc") << "abcabc"
                                    << "abc" << false << false << L{0, 3};
    QTest::newRow("no overlap aa") << "aaaa"
                                   << "aa" << false << false << L{0, 2};
    QTest::newRow("whole words") << "abcd abc abc_ abc."
                                 << "abc" << true << false << L{5, 14};
    QTest::newRow("part of a word") << "abcd abc"
                                    << "abc" << false << false << L{0, 5};
    QTest::newRow("case ignored") << "abc ABC"
                                  << "ABC" << false << false << L{0, 4};
    QTest::newRow("case counts") << "abc ABC"
                                 << "ABC" << false << true << L{4};
    QTest::newRow("danish letters") << "Æble æble ÆBLE"
                                    << "æble" << false << false << L{0, 5, 10};
    QTest::newRow("danish whole word") << "blåbær bær"
                                       << "bær" << true << false << L{7};
    QTest::newRow("each line end one") << "x\r\ny\rz\nabc"
                                       << "abc" << false << false << L{6};
    QTest::newRow("whole word after a skipped part") << "aabc abc"
                                                     << "abc" << true << false << L{5};
    QTest::newRow("empty needle") << "abc"
                                  << "" << false << false << L{};
}

void TestTextSearch::hits()
{
    QFETCH(QString, text);
    QFETCH(QString, needle);
    QFETCH(bool, wholeWords);
    QFETCH(bool, matchCase);
    QFETCH(QList<qint64>, expected);
    QCOMPARE(positions(hitsIn(text, needle, {wholeWords, matchCase})), expected);
}

// Line ends split between pieces, hits across pieces and the line of each hit come out as
// from the whole text.
void TestTextSearch::piecesGiveTheSameHitsAsTheWhole()
{
    const QString text = "første linje abc\r\nanden abc linje\r\rabc\nabcabc slut abc";
    for (const bool wholeWords : {false, true}) {
        const QList<TextHit> whole = hitsIn(text, "abc", {wholeWords, false});
        QVERIFY(!whole.isEmpty());
        QCOMPARE(whole.first().text, QString("første linje abc"));
        for (qsizetype piece = 1; piece < 8; ++piece)
            QCOMPARE(hitsIn(text, "abc", {wholeWords, false}, piece), whole);
    }
}

void TestTextSearch::documentsAreDecodedByTheirBytes_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QList<qint64>>("expected");
    using L = QList<qint64>;
    QTest::newRow("utf-8") << QByteArray("bl\xC3\xA5 b\xC3\xA6r") << L{4};
    QTest::newRow("utf-8 with mark") << QByteArray("\xEF\xBB\xBF"
                                                   "b\xC3\xA6r")
                                     << L{0};
    // The second mark is a character of the document, counted by both readings.
    QTest::newRow("utf-8, two marks") << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBF"
                                                    "b\xC3\xA6r")
                                      << L{1};
    QTest::newRow("utf-16le, two marks") << QByteArray("\xFF\xFE\xFF\xFE"
                                                       "b\0\xE6\0r\0",
                                                       10)
                                         << L{1};
    QTest::newRow("windows-1252") << QByteArray("bl\xE5 b\xE6r") << L{4};
    QTest::newRow("invalid utf-8 late")
        << QByteArray("b\xC3\xA6r ") + QByteArray("\xE6", 1) + " b\xE6r" << L{7};
    QTest::newRow("utf-16le") << QByteArray("\xFF\xFE"
                                            "b\0\xE6\0r\0",
                                            8)
                              << L{0};
    QTest::newRow("utf-16be") << QByteArray("\xFE\xFF"
                                            "\0b\0\xE6\0r",
                                            8)
                              << L{0};
    QTest::newRow("rtf") << QByteArray("{\\rtf1\\ansi{\\fonttbl b\\'e6r}x\\par b\\'e6r}") << L{2};
    QTest::newRow("binary") << QByteArray("\0\x01\xFF\xFE\x80 b\xE6r\0", 11) << L{6};
}

void TestTextSearch::documentsAreDecodedByTheirBytes()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QList<qint64>, expected);
    TestDrives drives;
    drives.writeBytes("C:\\Dok\\fil.txt", bytes);
    QList<TextHit> hits;
    QVERIFY(core::searchDocument("C:\\Dok\\fil.txt", "bær", {}, {}, hits));
    QCOMPARE(positions(hits), expected);
    QCOMPARE(positions(hitsIn(core::documentText(bytes), "bær")), expected);
}

void TestTextSearch::largeDocumentsAreReadInChunksWithHitsAcrossThem()
{
    TestDrives drives;
    // A line end and a hit each split by the 4 MB chunk border, Danish letters before them.
    QByteArray bytes;
    bytes.reserve(9 * 1024 * 1024);
    const QByteArray line = "Søren så en ål i åen\r\n"; // 26 bytes; 21 characters, the line end one
    while (bytes.size() + line.size() < 4 * 1024 * 1024 - 1)
        bytes += line;
    const qint64 before = qint64(bytes.size() / line.size()) * 21;
    bytes += "\r\nål ";
    bytes += QByteArray(5 * 1024 * 1024, 'x');
    bytes += " ål";
    drives.writeBytes("C:\\Stor\\stor.txt", bytes);
    QList<TextHit> hits;
    QVERIFY(core::searchDocument("C:\\Stor\\stor.txt", "ÅL\n", {}, {}, hits));
    QCOMPARE(hits.size(), 0);
    QVERIFY(core::searchDocument("C:\\Stor\\stor.txt", "\nål", {false, true}, {}, hits));
    QCOMPARE(positions(hits), (QList<qint64>{before}));
    hits.clear();
    QVERIFY(core::searchDocument("C:\\Stor\\stor.txt", "ål", {true, false}, {}, hits));
    QCOMPARE(hits.size(), qsizetype(before / 21) + 2);
    QCOMPARE(hits.at(hits.size() - 2).position, before + 1);
    QCOMPARE(hits.last().position, before + 4 + 5 * 1024 * 1024 + 1);
}

// The search of a UTF-8 document runs on its bytes; its hits, positions and lines
// are those of the text reading, also next to the line lengths where it hands over.
void TestTextSearch::theByteSearchFindsWhatTheTextSearchFinds()
{
    TestDrives drives;
    const QByteArray ae = "\xC3\xA6"; // æ
    QList<QByteArray> documents{
        "bær\r\nbær\rbær\nbær bærbær _bær bær_ (bær)",
        "\xEF\xBB\xBF"
        "første bær\r\n\r\nsidste bær",
        // Lines that begin with U+FEFF, the first right after the mark.
        "\xEF\xBB\xBF\xEF\xBB\xBF"
        "bær\n\xEF\xBB\xBF"
        "bær",
        "\xF0\x9F\x98\x80"
        "bær \xF0\x9F\x98\x80 bær\xF0\x9F\x98\x80",
        QByteArray(5000, 'x') + " bær " + QByteArray(5000, 'y'),
        QByteArray(1021, 'x') + " bær\n" + QByteArray(1022, 'x') + " bær\n" + QByteArray(1023, 'x') + " bær",
        QByteArray(600, 'a').replace("a", ae) + "bær" + QByteArray(2100, 'z') + "\nbær",
        // Letter case: Danish letters, and variants whose other case is more than the case bit
        // away (Kelvin and Ångström signs, long s) or of another length.
        "BÆR Bær bÆr bæR\r\nBÆRBÆR xbær BæRx",
        "k\xC3\xA5s K\xC3\x85S \xE2\x84\xAA\xC3\xA5s k\xE2\x84\xABs k\xC3\xA5\xC5\xBF kås",
        "\xC3\xBF\xC5\xB8 \xCE\xA3\xCF\x83\xCF\x82 \xC3\x9F\xE1\xBA\x9E @bær` `BÆR@",
    };
    const QStringList needles{"bær", "BÆR", "kås", "\u00FF", "\u03C3", "\u00DF", "@BÆR`"};
    int found = 0;
    int readAgain = 0;
    int index = 0;
    for (const QByteArray &bytes : std::as_const(documents)) {
        const QString path = QString("C:\\Dok\\%1.txt").arg(index++);
        drives.writeBytes(path, bytes);
        for (const QString &needle : needles)
            for (const bool wholeWords : {false, true})
                for (const bool matchCase : {false, true}) {
                    const TextSearchOptions options{wholeWords, matchCase};
                    QList<TextHit> bytesHits;
                    QVERIFY(core::searchDocument(path, needle, options, {}, bytesHits));
                    QCOMPARE(bytesHits, hitsIn(core::documentText(bytes), needle, options));
                    found += int(bytesHits.size());
                    // Lines read again from the hits' bytes are the lines the search saw, also
                    // when a long line after some hits makes the search start over as text.
                    QList<TextHit> marked;
                    QVERIFY(core::searchDocument(path, needle, options, &ReadAgain::marked, marked));
                    ReadAgain lazy;
                    lazy.path = path;
                    QVERIFY(core::searchDocument(path, needle, options, lazy));
                    QCOMPARE(lazy.hits, marked);
                    readAgain += lazy.byOffset;
                }
    }
    QCOMPARE(found, 180);
    QVERIFY(readAgain > 100);
}

void TestTextSearch::theByteSearchReadsInPiecesAsTheTextSearchReadsTheWhole_data()
{
    // Lines of Danish words over 9 MB; the word cut by the first 4 MB border, a letter cut by the
    // second. The byte search reads 4 MB at a time and hands over its first hits before the rest
    // is read; what comes later may still make the document one for the text reading.
    constexpr qsizetype mb = 1024 * 1024;
    // The word on every 64th line.
    const QByteArray line = QByteArray("Søren så en ål i åen\r\n").repeated(63) + "og blåbær\r\n";
    QByteArray bytes;
    while (bytes.size() + line.size() < 4 * mb - 2)
        bytes += line;
    bytes += QByteArray(4 * mb - 2 - bytes.size(), 'x') + "blåbær\n";
    while (bytes.size() + line.size() < 8 * mb - 1)
        bytes += line;
    bytes += QByteArray(8 * mb - 1 - bytes.size(), 'y') + "æ blåbær\r\n";
    while (bytes.size() < 9 * mb)
        bytes += line;
    QTest::addColumn<QByteArray>("bytes");
    // Read as text after hits of the first piece were handed over: by both searches, or by the
    // caseless one only.
    QTest::addColumn<bool>("readAsText");
    QTest::addColumn<bool>("caselessOnly");
    QTest::newRow("valid UTF-8") << bytes << false << false;
    QByteArray invalid = bytes;
    invalid.insert(6 * mb, "\xE6");
    QTest::newRow("no UTF-8 after the first piece") << invalid << true << false;
    QTest::newRow("no UTF-8 after the last hit") << bytes + QByteArray(3 * mb, 'z') + "\xE6" << true << false;
    QByteArray variant = bytes;
    variant.insert(6 * mb, "\nbl\xE2\x84\xAB"
                           "bær\n"); // with the Ångström sign
    QTest::newRow("a hidden case variant after the first piece") << variant << true << true;
}

void TestTextSearch::theByteSearchReadsInPiecesAsTheTextSearchReadsTheWhole()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, readAsText);
    QFETCH(bool, caselessOnly);
    TestDrives drives;
    drives.writeBytes("C:\\Dok\\stor.txt", bytes);
    const QString text = core::documentText(bytes);
    for (const bool matchCase : {false, true}) {
        const TextSearchOptions options{true, matchCase};
        const QList<TextHit> expected = hitsIn(text, "blåbær", options);
        QList<TextHit> hits;
        QVERIFY(core::searchDocument("C:\\Dok\\stor.txt", "blåbær", options, {}, hits));
        QCOMPARE(hits.size(), expected.size());
        QVERIFY(hits == expected);
        // As the window keeps them: hits handed over before the reading changed are taken back.
        QList<TextHit> marked;
        QVERIFY(core::searchDocument("C:\\Dok\\stor.txt", "blåbær", options, &ReadAgain::marked, marked));
        ReadAgain lazy;
        lazy.path = "C:\\Dok\\stor.txt";
        QVERIFY(core::searchDocument(lazy.path, "blåbær", options, lazy));
        QVERIFY(lazy.hits == marked);
        const bool handedOver = readAsText && !(matchCase && caselessOnly);
        QCOMPARE(lazy.restarts > 0, handedOver);
        QVERIFY(handedOver || lazy.byOffset > 4000);
    }
}

void TestTextSearch::theFastUtf8PassesAgreeWithTheDecoder()
{
    // Pieces that make valid and broken sequences, cut anywhere by the vector blocks.
    const QList<QByteArray> pieces{"a",
                                   "Z",
                                   "\r",
                                   "\n",
                                   "\r\n",
                                   "\xC3\xA6",
                                   "\xC3\x86",
                                   "\xE2\x82\xAC",
                                   "\xF0\x9F\x98\x80",
                                   "\xF4\x8F\xBF\xBF",
                                   "\xEF\xBF\xBF",
                                   "\xED\x9F\xBF",
                                   "\x80",
                                   "\xBF",
                                   "\xC0\xAF",
                                   "\xC1\xBF",
                                   "\xC2",
                                   "\xDF",
                                   "\xE0\x9F\xBF",
                                   "\xE0\xA0\x80",
                                   "\xED\xA0\x80",
                                   "\xF0\x8F\xBF\xBF",
                                   "\xF4\x90\x80\x80",
                                   "\xF5\x80\x80\x80",
                                   "\xFF",
                                   "\xE2\x82",
                                   "\xF0\x9F",
                                   "0123456789abcdef"};
    QRandomGenerator random(1729);
    int valid = 0;
    for (int round = 0; round < 20000; ++round) {
        QByteArray bytes;
        const int count = int(random.bounded(40));
        const bool onlyValid = round % 2 == 0; // the first twelve pieces are valid
        for (int i = 0; i < count; ++i) {
            const int piece = int(random.bounded(onlyValid ? 12 : int(pieces.size())));
            bytes += pieces[piece];
        }
        const auto *data = reinterpret_cast<const uchar *>(bytes.constData());
        const bool expected = QByteArrayView(bytes).isValidUtf8();
        QCOMPARE(core::utf8::isValid(data, bytes.size()), expected);
        if (!expected)
            continue;
        ++valid;
        // Units of every range starting on a character, against the decoded text.
        for (qsizetype from = 0; from <= bytes.size(); ++from) {
            if (from < bytes.size() && (data[from] & 0xC0) == 0x80)
                continue;
            QString text = QString::fromUtf8(bytes.mid(from));
            if (from > 0 && bytes[from - 1] == '\r' && text.startsWith(u'\n'))
                text.remove(0, 1);
            text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
            QCOMPARE(core::utf8::lineUnits(data, from, bytes.size()), qint64(text.size()));
        }
    }
    QVERIFY(valid > 5000);
}

void TestTextSearch::aLongLineIsCutAroundTheHit()
{
    const QString text = QString(100000, u'x') + " abc " + QString(100000, u'y');
    const QList<TextHit> hits = hitsIn(text, "abc", {}, 3000);
    QCOMPARE(positions(hits), (QList<qint64>{100001}));
    QVERIFY(hits[0].text.size() <= 2 * core::kLineContext);
    QVERIFY(hits[0].text.contains(" abc "));
    // The display-line cutter gets the line and the hit's place in it.
    QList<TextHit> shown;
    core::TextScanner scanner(
        "abc", {}, [](const QString &line, qsizetype column) { return line.mid(column - 2, 7); }, shown);
    scanner.feed(QStringLiteral("første\r\n12 abc 34\r\n"));
    scanner.finish();
    QCOMPARE(shown, (QList<TextHit>{{10, "2 abc 3"}}));
}

void TestTextSearch::aMissingOrSpecialDocumentCannotBeRead()
{
    TestDrives drives;
    QList<TextHit> hits;
    QVERIFY(!core::searchDocument("C:\\Findes\\ikke.txt", "a", {}, {}, hits));
    // A FIFO named like a text file is not read, so nothing waits for a writer.
    SKIP_ON_WINDOWS("Windows has no FIFOs");
    QDir().mkpath(drives.host("C:\\Dok"));
    QVERIFY(makeFifo(drives.host("C:\\Dok\\fifo.txt")));
    QVERIFY(!core::searchDocument("C:\\Dok\\fifo.txt", "a", {}, {}, hits));
    QVERIFY(hits.isEmpty());
}

// A document of a gigabyte (sparse, so the test writes little) is read in pieces: its hit at the
// end is found, as UTF-8 and as Windows-1252, and what the search holds stays far below its size.
void TestTextSearch::aHugeDocumentIsStreamedWithBoundedMemory()
{
    TestDrives drives;
    constexpr qint64 gigabyte = 1024 * 1024 * 1024;
    const QList<QByteArray> endings{"\nblåbær", "\n\xF8 bl\xE5"
                                                "b\xE6r"};
    for (const QByteArray &ending : endings) {
        drives.writeBytes("C:\\Dok\\stor.txt", {});
        QFile file(drives.host("C:\\Dok\\stor.txt"));
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.resize(gigabyte));
        QVERIFY(file.seek(gigabyte));
        QCOMPARE(file.write(ending), ending.size());
        file.close();
        const long before = peakResidentKilobytes();
        QList<TextHit> hits;
        QVERIFY(core::searchDocument("C:\\Dok\\stor.txt", "blåbær", {}, {}, hits));
        QCOMPARE(positions(hits), (QList<qint64>{gigabyte + ending.indexOf('b')}));
        QVERIFY2(kFreedMemoryIsKept || peakResidentKilobytes() - before < 100 * 1024,
                 "more than 100 MB held");
    }
}

QTEST_GUILESS_MAIN(TestTextSearch)
#include "test_textsearch.moc"
