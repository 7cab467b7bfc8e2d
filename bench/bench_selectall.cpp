// "Marker alt" and "Inverter valg" over a folder of 100,000 files, against filling the file
// tree from the same folder. Both must grow linearly with the folder, so the ratio stays small
// whatever its size.

#include "benchsupport.h"
#include "structures/strukturcompo.h"

#include <QApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdlib>

namespace {

constexpr int kDefaultFiles = 100000;
constexpr int kFolders = 1000;
constexpr int kRuns = 5;

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int fileCount = bench::sizeArgument(argc, argv, kDefaultFiles);
    QTemporaryDir root;
    bench::makeDriveWithBigFolder(root.path(), fileCount, kFolders);

    StrukturView folderTree(PictureSet::FolderTree);
    StrukturView fileTree(PictureSet::FileTree);
    fileTree.resize(400, 800);
    fileTree.show();
    TStrukturCompo compo;
    compo.setStruktur1(&folderTree);
    compo.setStruktur2(&fileTree);

    const auto fill = bench::measure(
        kRuns, [&] { fileTree.clear(); }, [&] { compo.makeStruktur2("C:\\Stor"); });
    const int nodes = fileTree.strukturModel()->rowCount();

    const auto selectAll = bench::measure(
        kRuns, [&] { fileTree.deselectAll(); }, [&] { compo.SelectMapperFiler(1); });
    const bool allSelected = fileTree.selectionCount() == nodes;

    // The hardest case for inverting: every other node selected, as many ranges as nodes.
    auto everyOther = [&] {
        fileTree.deselectAll();
        QItemSelection ranges;
        for (int row = 0; row < nodes; row += 2) {
            const QModelIndex index = fileTree.strukturModel()->index(row, 0);
            ranges.append(QItemSelectionRange(index, index));
        }
        fileTree.selectionModel()->select(ranges, QItemSelectionModel::Select);
    };
    const auto invert = bench::measure(kRuns, everyOther, [&] { compo.SelectMapperFiler(3); });
    const bool inverted = fileTree.selectionCount() == nodes / 2 &&
                          !fileTree.isNodeSelected(fileTree.firstNode()) &&
                          fileTree.isNodeSelected(fileTree.topNodes().at(1));

    std::printf("\n%d nodes in the file tree, %d runs each\n", nodes, kRuns);
    bench::report("filling the file tree", fill);
    bench::report(allSelected ? "Marker alt" : "Marker alt (NOT all selected)", selectAll);
    bench::report(inverted ? "Inverter valg, every other selected" : "Inverter valg (WRONG selection)",
                  invert);
    bench::result("selectall-ratio", selectAll.median / fill.median, "x", 1);
    bench::result("invert-ratio", invert.median / fill.median, "x", 1);
    return allSelected && inverted ? 0 : 1;
}
