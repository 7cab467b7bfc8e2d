// "Find tekst" against grep -F -c: one folder of text files with Danish letters, a word that
// occurs about 10,000 times, warm cache. Ours is the search as the window's worker runs it:
// every document read, every hit found and its display line laid out.
// bench_textsearch [files] [megabytes]

#include "benchsupport.h"
#include "core/textsearch.h"
#include "tools/textsearch/findform.h"

#include <QApplication>
#include <QProcess>
#include <QTemporaryDir>

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

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
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
    return sameCount && found == expected ? 0 : 1;
}
