// Filling the file tree from a large folder, against `find` listing the same folder, and the
// memory each node costs. Also opening a deep path in the folder tree.
//
// Times are paired runs (find, then the tree fill, one after the other), reported as median,
// minimum and maximum of each side; the ratio is that of the medians. Memory is the growth of
// the resident set over one fill in a fresh process: the benchmark runs itself again with
// "--memory <folder>" for it, so nothing of the timed runs stays in the figure.

#include "benchsupport.h"
#include "platform/posix/posixplatform.h"
#include "structures/strukturcompo.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

constexpr int kFiles = 100000;
constexpr int kFolders = 1000;
constexpr int kRuns = 7;
constexpr int kDepth = 20;

struct Spread
{
    double median = 0, min = 0, max = 0;
};

Spread spreadOf(std::vector<double> seconds)
{
    std::sort(seconds.begin(), seconds.end());
    const std::size_t n = seconds.size();
    const double median = n % 2 ? seconds[n / 2] : (seconds[n / 2 - 1] + seconds[n / 2]) / 2;
    return {median, seconds.front(), seconds.back()};
}

template<typename Work> double secondsOf(Work work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return double(timer.nsecsElapsed()) / 1e9;
}

// VmRSS of /proc/self/status, in bytes.
long long residentBytes()
{
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong() * 1024;
    }
    return 0;
}

void installDrive(const QString &root)
{
    platform::posix::DriveTable table;
    table.add({u'C', root.toStdString(), platform::DriveType::Fixed, u"Bench"});
    platform::install(std::make_unique<platform::posix::PosixPlatform>(table));
}

// The child of the memory figure: one fill of C:\Stor, printed as "<nodes> <bytes>".
int measureMemory(const QString &root)
{
    installDrive(root);
    StrukturView folderTree(PictureSet::FolderTree);
    StrukturView fileTree(PictureSet::FileTree);
    TStrukturCompo compo;
    compo.setStruktur1(&folderTree);
    compo.setStruktur2(&fileTree);
    const long long before = residentBytes();
    compo.makeStruktur2("C:\\Stor");
    const long long after = residentBytes();
    std::printf("%d %lld\n", fileTree.strukturModel()->rowCount(), after - before);
    return 0;
}

void makeFolders(const QString &root, QString &deep)
{
    const QString big = root + "/Stor";
    std::printf("Making %d files and %d folders ...\n", kFiles, kFolders);
    std::fflush(stdout);
    bench::makeBigFolder(big, kFiles, kFolders);
    deep = root + "/Dyb";
    for (int level = 0; level < kDepth; ++level) {
        deep += QString("/niveau %1").arg(level);
        for (int sibling = 0; sibling < 20; ++sibling)
            QDir().mkpath(deep + QString("/../søskende %1").arg(sibling));
    }
    QDir().mkpath(deep);
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc == 3 && std::strcmp(argv[1], "--memory") == 0)
        return measureMemory(QString::fromLocal8Bit(argv[2]));

    QTemporaryDir root;
    QString deep;
    makeFolders(root.path(), deep);
    installDrive(root.path());

    StrukturView folderTree(PictureSet::FolderTree);
    StrukturView fileTree(PictureSet::FileTree);
    TStrukturCompo compo;
    compo.setStruktur1(&folderTree);
    compo.setStruktur2(&fileTree);

    const QByteArray find =
        "find '" + (root.path() + "/Stor").toUtf8() + "' -maxdepth 1 -printf '%y %s %p\\n' > /dev/null";
    std::system(find.constData()); // warm the cache, and the tree's first-use work
    compo.makeStruktur2("C:\\Stor");
    std::vector<double> findRuns, treeRuns;
    for (int run = 0; run < kRuns; ++run) {
        findRuns.push_back(secondsOf([&] { std::system(find.constData()); }));
        treeRuns.push_back(secondsOf([&] { compo.makeStruktur2("C:\\Stor"); }));
    }
    const Spread findTime = spreadOf(findRuns);
    const Spread treeTime = spreadOf(treeRuns);
    const int nodes = fileTree.strukturModel()->rowCount();

    const QString deepProgramPath = "C:" + QString(deep).remove(0, root.path().size()).replace(u'/', u'\\');
    std::vector<double> deepRuns;
    for (int run = 0; run < kRuns; ++run)
        deepRuns.push_back(secondsOf([&] { compo.udfoldStruktur1(deepProgramPath, true); }));
    const Spread deepTime = spreadOf(deepRuns);
    const bool opened =
        folderTree.selectedNode() && folderTree.selectedNode()->text == QString("niveau %1").arg(kDepth - 1);

    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {"--memory", root.path()});
    child.waitForFinished(-1);
    const QList<QByteArray> memory = child.readAllStandardOutput().trimmed().split(' ');
    const double bytesPerNode =
        memory.size() == 2 && memory[0].toDouble() > 0 ? memory[1].toDouble() / memory[0].toDouble() : 0;

    std::printf("\n%d paired runs over %d entries (median, min-max):\n", kRuns, nodes);
    std::printf("  find -maxdepth 1   %.3f s  (%.3f-%.3f)\n", findTime.median, findTime.min, findTime.max);
    std::printf("  makeStruktur2      %.3f s  (%.3f-%.3f)\n", treeTime.median, treeTime.min, treeTime.max);
    std::printf("memory: resident set grows %.0f bytes per node over one fill (fresh process, %s nodes)\n",
                bytesPerNode, memory.value(0).constData());
    std::printf("udfoldStruktur1 down %d levels of 21 folders each: %.4f s (%.4f-%.4f), %s\n", kDepth,
                deepTime.median, deepTime.min, deepTime.max, opened ? "opened" : "NOT opened");
    std::printf("RESULT tree-fill-ratio %.2f x target 1.5\n", treeTime.median / findTime.median);
    std::printf("RESULT tree-fill-memory %.0f B/node target 600\n", bytesPerNode);
    std::printf("RESULT deep-open-time %.4f s target 0.1\n", opened ? deepTime.median : -1.0);
    return 0;
}
