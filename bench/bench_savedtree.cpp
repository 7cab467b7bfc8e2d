// Loading a saved folder tree whose one folder holds 100,000 sub-folders, against reading that
// folder's level into the folder tree. Both must grow linearly with the number of siblings.
// The folders are made under TMPDIR; a tmpfs there makes the set-up quick.

#include "benchsupport.h"
#include "core/linefile.h"
#include "structures/strukturcompo.h"

#include <QApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdlib>

namespace {

constexpr int kDefaultSiblings = 100000;
constexpr int kRuns = 5;

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int siblings = bench::sizeArgument(argc, argv, kDefaultSiblings);
    QTemporaryDir root;
    bench::makeDriveWithBigFolder(root.path(), 0, siblings);

    StrukturView folderTree(PictureSet::FolderTree);
    StrukturView fileTree(PictureSet::FileTree);
    folderTree.resize(400, 800);
    folderTree.show();
    TStrukturCompo compo;
    compo.setStruktur1(&folderTree);
    compo.setStruktur2(&fileTree);

    // The file a saved tree leaves: the drive, the folder, then every sub-folder.
    QStringList lines{"C:", "C:\\Stor"};
    for (int i = 0; i < siblings; ++i)
        lines << QString("C:\\Stor\\mappe %1").arg(i, 4, 10, QChar(u'0'));
    compo.setGemHentFilnavn("C:\\GemHentStruktur Stifinder 1.txt");
    core::writeLines(compo.gemHentFilnavn(), lines);

    const auto level = bench::measure(
        kRuns, [&] { folderTree.clear(); }, [&] { compo.udfoldStruktur1("C:\\Stor", false); });
    const auto load = bench::measure(
        kRuns, [&] { folderTree.clear(); }, [&] { compo.HentStrukturen(0); });
    const StrukturNode *drive = folderTree.firstNode();
    const bool loaded = drive && drive->children.size() == 1 &&
                        drive->children.front()->children.size() == std::size_t(siblings);

    std::printf("\n%d sibling folders, %d runs each\n", siblings, kRuns);
    bench::report("reading the folder's level", level);
    bench::report(loaded ? "loading the saved tree" : "loading the saved tree (WRONG SHAPE)", load);
    bench::result("savedtree-load-ratio", load.median / level.median, "x", 2);
    return loaded ? 0 : 1;
}
