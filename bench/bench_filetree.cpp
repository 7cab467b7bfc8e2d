// Filling the file tree from a large folder, against `find` listing the same folder, and the
// memory each node costs. Also opening a deep path in the folder tree.

#include "platform/posix/posixplatform.h"
#include "structures/strukturcompo.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <malloc.h>

namespace {

constexpr int kFiles = 100000;
constexpr int kFolders = 1000;
constexpr int kRuns = 5;
constexpr int kDepth = 20;

template<typename Work> double bestSeconds(Work work)
{
    double best = 1e9;
    for (int run = 0; run < kRuns; ++run) {
        QElapsedTimer timer;
        timer.start();
        work();
        best = std::min(best, timer.nsecsElapsed() / 1e9);
    }
    return best;
}

std::size_t heapInUse()
{
    return mallinfo2().uordblks;
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir root;
    const QString big = root.path() + "/Stor";
    QDir().mkpath(big);
    std::printf("Making %d files and %d folders ...\n", kFiles, kFolders);
    for (int i = 0; i < kFolders; ++i)
        QDir().mkdir(big + QString("/mappe %1").arg(i, 4, 10, QChar(u'0')));
    for (int i = 0; i < kFiles; ++i) {
        QFile file(big + QString("/fil %1.%2")
                             .arg(i, 6, 10, QChar(u'0'))
                             .arg(i % 3 == 0   ? "txt"
                                  : i % 3 == 1 ? "jpg"
                                               : "dat"));
        file.open(QIODevice::WriteOnly);
    }
    QString deep = root.path() + "/Dyb";
    for (int level = 0; level < kDepth; ++level) {
        deep += QString("/niveau %1").arg(level);
        for (int sibling = 0; sibling < 20; ++sibling)
            QDir().mkpath(deep + QString("/../søskende %1").arg(sibling));
    }
    QDir().mkpath(deep);

    platform::posix::DriveTable table;
    table.add({u'C', root.path().toStdString(), platform::DriveType::Fixed, u"Bench"});
    platform::install(std::make_unique<platform::posix::PosixPlatform>(table));

    StrukturView folderTree(PictureSet::FolderTree);
    StrukturView fileTree(PictureSet::FileTree);
    TStrukturCompo compo;
    compo.setStruktur1(&folderTree);
    compo.setStruktur2(&fileTree);

    const QByteArray find = "find '" + big.toUtf8() + "' -maxdepth 1 -printf '%y %s %p\\n' > /dev/null";
    std::system(find.constData()); // warm the cache
    const double findSeconds = bestSeconds([&] { std::system(find.constData()); });
    const double treeSeconds = bestSeconds([&] { compo.makeStruktur2("C:\\Stor"); });

    fileTree.clear();
    compo.SL.clear();
    compo.SLfil.clear();
    malloc_trim(0);
    const std::size_t before = heapInUse();
    compo.makeStruktur2("C:\\Stor");
    const std::size_t after = heapInUse();
    const std::size_t nodes = fileTree.strukturModel()->rowCount();

    QString deepProgramPath = "C:" + QString(deep).remove(0, root.path().size()).replace(u'/', u'\\');
    const double deepSeconds = bestSeconds([&] { compo.udfoldStruktur1(deepProgramPath, true); });
    const bool opened =
        folderTree.selectedNode() && folderTree.selectedNode()->text == QString("niveau %1").arg(kDepth - 1);

    std::printf(
        "\nmakeStruktur2 of %zu entries: %.3f s   find -maxdepth 1: %.3f s   ratio %.2f (target under 3)\n",
        nodes, treeSeconds, findSeconds, treeSeconds / findSeconds);
    std::printf("memory: %.0f bytes per node (target under 600), the node lists included\n",
                double(after - before) / double(nodes));
    std::printf("udfoldStruktur1 down %d levels of 21 folders each: %.4f s (%s)\n", kDepth, deepSeconds,
                opened ? "opened" : "NOT opened");
    return 0;
}
