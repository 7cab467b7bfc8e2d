// The search page's name search (count, then search) over a tree of 200,000 entries in 2,000
// folders, against `find DIR -iname '*text*'` on the same tree in the same run, cache warm.
// Paired runs, medians. A smaller tree: bench_namesearch FOLDERS (each folder holds 99 files).

#include "benchsupport.h"
#include "explorer/navnesoegning.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdlib>

namespace {

template<typename Work> double secondsOf(Work work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return double(timer.nsecsElapsed()) / 1e9;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int folders = bench::sizeArgument(argc, argv, 2000);
    QTemporaryDir root;
    // 40 top folders with their share of the rest below them; 99 files in every folder.
    const int top = std::max(1, folders / 50);
    std::printf("Making %d folders of 99 files ...\n", folders);
    std::fflush(stdout);
    for (int i = 0; i < folders; ++i) {
        const QString folder = i < top
                                   ? QString("%1/Træ/top %2").arg(root.path()).arg(i)
                                   : QString("%1/Træ/top %2/mappe %3").arg(root.path()).arg(i % top).arg(i);
        QDir().mkpath(folder);
        for (int f = 0; f < 99; ++f) {
            QFile file(folder + QString("/%1 %2.txt").arg(f % 10 == 0 ? "Rapport" : "fil").arg(f));
            file.open(QIODevice::WriteOnly);
        }
    }
    bench::installDrive(root.path());

    const QByteArray find = "find '" + (root.path() + "/Træ").toUtf8() + "' -iname '*rap*' > /dev/null";
    NavneSoegning search;
    // maxElementer beyond the number of matches, so both walk the whole tree.
    auto ours = [&] {
        search.start("C:\\Træ", "rap", 1 << 30);
        search.wait();
    };
    std::system(find.constData()); // warm the cache
    ours();
    std::vector<double> findRuns, ourRuns;
    for (int run = 0; run < 5; ++run) {
        findRuns.push_back(secondsOf([&] { std::system(find.constData()); }));
        ourRuns.push_back(secondsOf(ours));
    }
    NavneSoegning::Tal tal;
    search.take(tal);
    std::printf("  entries %d, found %d files\n", tal.ialtAntal, tal.filAntalF);
    std::printf("  find -iname        %.3f s\n", median(findRuns));
    std::printf("  name search        %.3f s\n", median(ourRuns));
    bench::result("namesearch_vs_find", median(ourRuns) / median(findRuns), "x", 2.2);
    return 0;
}
