// Copying the 100,000 selected files of a folder to the program's clipboard, against filling the
// file tree from the same folder; once into an empty clipboard and once more when every row is
// there already. A table shows the file rows, as in the clipboard window.

#include "benchsupport.h"
#include "fileops/metodecompo.h"
#include "structures/strukturcompo.h"

#include <QApplication>
#include <QHeaderView>
#include <QTableView>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdlib>

namespace {

constexpr int kDefaultFiles = 100000;
constexpr int kRuns = 5;

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int fileCount = bench::sizeArgument(argc, argv, kDefaultFiles);
    QTemporaryDir root;
    bench::makeDriveWithBigFolder(root.path(), fileCount, 0);

    StrukturView folderTree(PictureSet::FolderTree);
    StrukturView fileTree(PictureSet::FileTree);
    fileTree.resize(400, 800);
    fileTree.show();
    TMetodeCompo metode;
    TStrukturCompo &compo = *metode.strukturY();
    compo.setStruktur1(&folderTree);
    compo.setStruktur2(&fileTree);
    KlipbordListe &files = *metode.klipbord()->Filliste;
    QTableView rows;
    rows.setModel(&files);
    rows.verticalHeader()->hide();
    rows.resize(600, 800);
    rows.show();

    const auto fill = bench::measure(
        kRuns, [&] { fileTree.clear(); }, [&] { compo.makeStruktur2("C:\\Stor"); });
    const int nodes = fileTree.strukturModel()->rowCount();
    compo.SelectMapperFiler(1);

    int copied = 0;
    const auto copy = bench::measure(
        kRuns, [&] { files.removeAll(); }, [&] { copied = metode.CopyElementer(StrukturNr::filer); });
    const bool allRows = copied == nodes && files.count() == nodes;
    const auto again = bench::measure(
        kRuns, [] {}, [&] { copied = metode.CopyElementer(StrukturNr::filer); });
    const bool noDuplicates = files.count() == nodes;

    std::printf("\n%d nodes selected in the file tree, %d runs each\n", nodes, kRuns);
    bench::report("filling the file tree", fill);
    bench::report(allRows ? "copying them to the clipboard" : "copying (ROWS MISSING)", copy);
    bench::report(noDuplicates ? "copying them again" : "copying again (DUPLICATE ROWS)", again);
    bench::result("clipboard-copy-ratio", copy.median / fill.median, "x", 2);
    bench::result("clipboard-copy-again-ratio", again.median / fill.median, "x", 2);
    return allRows && noDuplicates ? 0 : 1;
}
