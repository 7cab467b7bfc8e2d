// "Find tekst" against grep -F -c: one folder of text files with Danish letters, a word that
// occurs about 10,000 times, warm cache. Ours is the search as the window's worker runs it:
// every document read, every hit found and its display line laid out.
// Then the window itself on one document of 40 MB whose every line is the word (4.66 million
// hits): the resident set per hit, what "Ryd listen" gives back, how soon the first rows show
// and the longest the window stood still.
// bench_textsearch [files] [megabytes]; bench_textsearch mange: the window's figures only.

#include "benchsupport.h"
#include "core/textsearch.h"
#include "tools/textsearch/findform.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QComboBox>
#include <QProcess>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <ctime>

namespace {

const QString kWord = QStringLiteral("blåbær");

// `files` files of `bytes` in all; lines of Danish words with the word in every n-th line.
qint64 makeFiles(const QString &folder, int files, qint64 bytes, qint64 hits)
{
    const QByteArray line = QByteArray("Søren så en ål i åen, og Æbelø ligger øst for Fyn med små øer.\r\n");
    const QByteArray hitLine = QByteArray("Her står ordet blåbær midt i en linje med æøå og ÆØÅ.\r\n");
    const qint64 linesPerFile = bytes / files / line.size();
    const qint64 every = std::max<qint64>(1, linesPerFile * files / hits);
    qint64 made = 0, number = 0;
    for (int f = 0; f < files; ++f) {
        QByteArray content;
        content.reserve(linesPerFile * line.size());
        for (qint64 l = 0; l < linesPerFile; ++l, ++number) {
            if (number % every == every / 2) {
                content += hitLine;
                ++made;
            } else {
                content += line;
            }
        }
        QFile file(folder + QString("/dokument %1.txt").arg(f, 5, 10, QChar(u'0')));
        file.open(QIODevice::WriteOnly);
        file.write(content);
    }
    return made;
}

qint64 residentBytes()
{
    QFile status("/proc/self/statm");
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = status.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toLongLong() * 4096 : 0;
}

// Processor time of the calling thread.
qint64 threadBusyMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return qint64(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

// The window searching one document with a hit on every line.
bool manyHits(const QString &root)
{
    QDir().mkpath(root + "/Mange");
    {
        QFile file(root + "/Mange/blåbær.txt");
        file.open(QIODevice::WriteOnly);
        const QByteArray line = kWord.toUtf8() + "\n";
        const QByteArray block = line.repeated(qsizetype(1024 * 1024 / line.size()));
        for (int i = 0; i < 40; ++i)
            file.write(block);
    }
    const qint64 lines = 40 * qint64(1024 * 1024 / (kWord.toUtf8().size() + 1));
    bench::installDrive(root);
    Tfindform window(true);
    window.resize(1000, 700);
    window.show();
    window.ErExtListet("*.txt");
    window.Mappe = "C:\\Mange\\";
    window.EditFind->setEditText(kWord);
    QCoreApplication::processEvents();

    // A heartbeat: the longest gap between its beats is the longest the window stood still, and
    // the processor time of the window's thread in that gap what it did meanwhile (on a busy
    // machine the thread may also wait for a processor).
    QElapsedTimer sinceBeat, total;
    qint64 longest = 0, longestBusy = 0, firstRows = -1;
    qint64 busyBefore = threadBusyMs();
    QTimer beat;
    beat.setInterval(5);
    QObject::connect(&beat, &QTimer::timeout, [&] {
        const qint64 busy = threadBusyMs();
        longest = std::max(longest, sinceBeat.restart());
        longestBusy = std::max(longestBusy, busy - busyBefore);
        busyBefore = busy;
        if (firstRows < 0 && window.findis->model()->rowCount() > 0)
            firstRows = total.elapsed();
    });
    const qint64 before = residentBytes();
    total.start();
    sinceBeat.start();
    beat.start();
    window.FindSD();
    window.waitForSearch();
    const qint64 seconds = total.elapsed();
    beat.stop();
    QCoreApplication::processEvents();
    const qint64 found = window.findis->model()->rowCount();
    const qint64 after = residentBytes();
    window.rydListen();
    QCoreApplication::processEvents();
    const qint64 cleared = residentBytes();
    std::printf(
        "many hits: %lld rows (made %lld) in %lld ms, first rows after %lld ms, longest stand-still %lld "
        "ms, of it %lld ms busy\n",
        found, lines, seconds, firstRows, longest, longestBusy);
    std::printf("resident set: %.0f MB before, %.0f MB with the rows, %.0f MB after Ryd listen\n",
                double(before) / 1e6, double(after) / 1e6, double(cleared) / 1e6);
    const double perHit = found > 0 ? double(after - before) / double(found) : 0;
    bench::result("textsearch_manyhits_bytes_per_hit", perHit, "bytes", 100);
    bench::result("textsearch_manyhits_kept_after_clear", double(cleared - before) / 1e6, "MB", 10);
    bench::result("textsearch_manyhits_first_rows", double(firstRows), "ms", 100);
    bench::result("textsearch_manyhits_longest_standstill", double(longest), "ms", 100);
    bench::result("textsearch_manyhits_longest_busy_step", double(longestBusy), "ms", 100);
    return found == lines;
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc > 1 && QByteArray(argv[1]) == "mange") {
        QTemporaryDir root;
        return manyHits(root.path()) ? 0 : 1;
    }
    const int files = bench::sizeArgument(argc, argv, 2000);
    const qint64 megabytes = argc > 2 ? std::max(1, std::atoi(argv[2])) : 500;
    QTemporaryDir root;
    QDir().mkpath(root.path() + "/Tekster");
    std::printf("Making %d files, %lld MB ...\n", files, megabytes);
    std::fflush(stdout);
    const qint64 expected = makeFiles(root.path() + "/Tekster", files, megabytes * 1024 * 1024, 10000);
    bench::installDrive(root.path());
    QStringList names = QDir(root.path() + "/Tekster").entryList(QDir::Files, QDir::Name);
    const QFont font = QApplication::font();

    qint64 found = 0;
    core::TextSearchOptions options{false, true};
    auto ours = [&] {
        found = 0;
        QString laidOut;
        QList<QPair<qsizetype, qsizetype>> rows;
        const core::DisplayLine cutter = [&](const QString &line, qsizetype column) {
            if (line != laidOut) {
                laidOut = line;
                rows = Tfindform::displayRows(font, line);
            }
            return Tfindform::displayLine(rows, line, column);
        };
        for (const QString &name : std::as_const(names)) {
            QList<core::TextHit> hits;
            core::searchDocument("C:\\Tekster\\" + name, kWord, options, cutter, hits);
            found += hits.size();
        }
    };
    QStringList paths;
    for (const QString &name : std::as_const(names))
        paths << root.path() + "/Tekster/" + name;
    QStringList grepOptions{"-F", "-c"};
    qint64 grepFound = 0;
    auto grep = [&] {
        QProcess process;
        // A UTF-8 locale, so that grep -i folds Danish letters as we do.
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("LC_ALL", "C.UTF-8");
        process.setProcessEnvironment(environment);
        process.start("grep", grepOptions + QStringList{kWord} + paths);
        process.waitForFinished(-1);
        grepFound = 0;
        for (const QByteArray &line : process.readAllStandardOutput().split('\n'))
            grepFound += line.mid(line.lastIndexOf(':') + 1).toLongLong();
    };

    ours(); // warm the cache
    grep();
    const bench::Timing mine = bench::measure(
        5, [] {}, ours);
    const bench::Timing peer = bench::measure(
        5, [] {}, grep);
    std::printf("hits: %lld (made %lld), grep lines: %lld\n", found, expected, grepFound);
    bench::report("Find tekst", mine);
    bench::report("grep -F -c", peer);
    const bool sameCount = found == expected;

    // The window's default: no difference between upper and lower case.
    options.matchCase = false;
    grepOptions << "-i";
    ours();
    grep();
    const bench::Timing mineCaseless = bench::measure(
        5, [] {}, ours);
    const bench::Timing peerCaseless = bench::measure(
        5, [] {}, grep);
    std::printf("hits: %lld (made %lld), grep lines: %lld\n", found, expected, grepFound);
    bench::report("Find tekst, store = små", mineCaseless);
    bench::report("grep -F -i -c", peerCaseless);
    bench::result("textsearch_vs_grep", mine.median / peer.median, "x", 1.5);
    bench::result("textsearch_caseless_vs_grep", mineCaseless.median / peerCaseless.median, "x", 1.5);
    const bool sameCaseless = found == expected;
    const bool manyRows = manyHits(root.path());
    return sameCount && sameCaseless && manyRows ? 0 : 1;
}
