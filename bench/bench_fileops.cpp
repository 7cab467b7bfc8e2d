// The copy and move engine and the delete engine over a folder of 10,000 small files in 100
// folders and five files of 200 MB, against the shell's tools on the same folder: copying to
// another drive against `cp -r`, moving to another drive against `cp -r` and `rm -rf`, and
// deleting permanently against `rm -rf`.
//
// Drives C: and D: are two folders of one temporary folder under TMPDIR, so both sides copy
// within one file system. Engine and tool take turns, each after the same untimed preparation
// and a sync(), so neither meets the other's dirty pages; the ratio is that of the medians.
// A tmpfs as TMPDIR leaves only the programs' own cost; on a disk the file system's work on
// creating and freeing inodes is shared by both sides and draws the ratios towards 1.
// "bench_fileops 1000 20" makes 1,000 small files and large files of 20 MB.

#include "benchsupport.h"
#include "core/messages.h"
#include "fileops/deletecompo.h"
#include "fileops/pastecompo.h"
#include "platform/posix/posixplatform.h"
#include "support/headlessdialogs.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace {

constexpr int kDefaultSmallFiles = 10000;
constexpr int kDefaultLargeMegabytes = 200;
constexpr int kFolders = 100;
constexpr int kLargeFiles = 5;
constexpr int kRuns = 5;

// Deterministic content, so every run and every machine copies the same bytes.
struct SplitMix
{
    std::uint64_t state;
    std::uint64_t next()
    {
        std::uint64_t z = (state += 0x9e3779b97f4a7c15ULL);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
        return z ^ (z >> 31);
    }
    void fill(QByteArray &bytes)
    {
        for (qsizetype i = 0; i < bytes.size(); i += 8) {
            const std::uint64_t value = next();
            std::memcpy(bytes.data() + i, &value, std::size_t(std::min<qsizetype>(8, bytes.size() - i)));
        }
    }
};

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "Cannot write %s\n", qPrintable(path));
        std::exit(1);
    }
}

void makeFixture(const QString &folder, int smallFiles, int largeMegabytes)
{
    std::printf("Making %d files of 1-64 KB in %d folders and %d files of %d MB ...\n", smallFiles,
                std::min(kFolders, smallFiles), kLargeFiles, largeMegabytes);
    std::fflush(stdout);
    SplitMix random{1};
    const int folders = std::min(kFolders, smallFiles);
    for (int f = 0; f < folders; ++f)
        QDir().mkpath(folder + QString("/mappe %1").arg(f, 3, 10, QChar(u'0')));
    QByteArray bytes;
    for (int i = 0; i < smallFiles; ++i) {
        bytes.resize(qsizetype(1024 + random.next() % (63 * 1024 + 1)));
        random.fill(bytes);
        writeFile(folder + QString("/mappe %1/fil %2.dat")
                               .arg(i % folders, 3, 10, QChar(u'0'))
                               .arg(i, 5, 10, QChar(u'0')),
                  bytes);
    }
    bytes.resize(1 << 20);
    for (int i = 0; i < kLargeFiles; ++i) {
        QFile file(folder + QString("/stor %1.bin").arg(i + 1));
        if (!file.open(QIODevice::WriteOnly)) {
            std::fprintf(stderr, "Cannot write %s\n", qPrintable(file.fileName()));
            std::exit(1);
        }
        for (int mb = 0; mb < largeMegabytes; ++mb) {
            random.fill(bytes);
            if (file.write(bytes) != bytes.size()) {
                std::fprintf(stderr, "Cannot write %s\n", qPrintable(file.fileName()));
                std::exit(1);
            }
        }
    }
}

// Runs a tool and waits for it; false when it could not start or failed.
bool runTool(const QStringList &arguments)
{
    std::vector<QByteArray> encoded;
    for (const QString &argument : arguments)
        encoded.push_back(QFile::encodeName(argument));
    std::vector<char *> argv;
    for (QByteArray &argument : encoded)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    pid_t child = 0;
    if (::posix_spawnp(&child, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
        return false;
    int status = 0;
    while (::waitpid(child, &status, 0) < 0) {
        if (errno != EINTR)
            return false;
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void mustRun(const QStringList &arguments)
{
    if (!runTool(arguments)) {
        std::fprintf(stderr, "Failed: %s\n", qPrintable(arguments.join(u' ')));
        std::exit(1);
    }
}

struct TreeSize
{
    long long files = 0;
    long long bytes = 0;
    bool operator==(const TreeSize &) const = default;
};

TreeSize sizeOfTree(const QString &folder)
{
    namespace fs = std::filesystem;
    TreeSize size;
    std::error_code error;
    for (fs::recursive_directory_iterator it(QFile::encodeName(folder).toStdString(), error), end;
         !error && it != end; it.increment(error)) {
        if (it->is_regular_file()) {
            ++size.files;
            size.bytes += static_cast<long long>(it->file_size());
        }
    }
    return size;
}

void mustMatch(const char *what, const TreeSize &got, const TreeSize &expected)
{
    if (got == expected)
        return;
    std::fprintf(stderr, "%s: %lld files, %lld bytes; expected %lld files, %lld bytes\n", what, got.files,
                 got.bytes, expected.files, expected.bytes);
    std::exit(1);
}

// Whatever an engine says is an error here: nothing is asked, nothing clashes.
class Listener : public messages::Presenter
{
public:
    int present(messages::ShownDialog::Kind, const QString &text, bool, bool &) override
    {
        std::fprintf(stderr, "The engine said: %s\n", qPrintable(QString(text).replace(u'\r', u' ')));
        std::exit(1);
    }
};

template<typename Work> double secondsOf(Work work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    QCoreApplication::processEvents();
    return double(timer.nsecsElapsed()) / 1e9;
}

bench::Timing timingOf(std::vector<double> seconds)
{
    std::sort(seconds.begin(), seconds.end());
    const std::size_t n = seconds.size();
    const double median = n % 2 ? seconds[n / 2] : (seconds[n / 2 - 1] + seconds[n / 2]) / 2;
    return {median, seconds.front(), seconds.back()};
}

struct Pair
{
    bench::Timing engine, peer;
    double ratio() const { return engine.median / peer.median; }
};

// Engine and tool in turns, each after its preparation and a sync(), none of which is timed.
template<typename Prepare, typename Engine, typename Check, typename Peer>
Pair paired(Prepare prepare, Engine engine, Check check, Peer peer)
{
    std::vector<double> engineRuns, peerRuns;
    for (int run = 0; run < kRuns; ++run) {
        prepare();
        ::sync();
        engineRuns.push_back(secondsOf(engine));
        check();
        prepare();
        ::sync();
        peerRuns.push_back(secondsOf(peer));
    }
    return {timingOf(engineRuns), timingOf(peerRuns)};
}

void report(const char *figure, const char *peerName, const Pair &pair)
{
    std::printf("\n%s, %d paired runs:\n", figure, kRuns);
    bench::report("  engine", pair.engine);
    bench::report(peerName, pair.peer);
    std::printf("  ratio of the medians %.3f\n", pair.ratio());
    std::fflush(stdout);
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int smallFiles = bench::sizeArgument(argc, argv, kDefaultSmallFiles);
    const int largeMegabytes = argc > 2 ? std::max(0, std::atoi(argv[2])) : kDefaultLargeMegabytes;

    QTemporaryDir root;
    const QString hostC = root.path() + "/c";
    const QString hostD = root.path() + "/d";
    const QString master = root.path() + "/master/Kilde";
    const QString source = hostC + "/Kilde";
    const QString destination = hostD + "/Mål";
    const QString copied = destination + "/Kilde";
    QDir().mkpath(hostC);
    QDir().mkpath(destination);
    std::printf("Drives C: and D: in %s\n", qPrintable(root.path()));
    makeFixture(master, smallFiles, largeMegabytes);
    const TreeSize whole = sizeOfTree(master);

    platform::posix::DriveTable table;
    table.add({u'C', hostC.toStdString(), platform::DriveType::Fixed, u"Kilde"});
    table.add({u'D', hostD.toStdString(), platform::DriveType::Fixed, u"Mål"});
    platform::install(std::make_unique<platform::posix::PosixPlatform>(table));
    // The engines' progress windows recorded, nothing asked; messages reach the listener.
    testsupport::HeadlessDialogs dialogs;
    Listener listener;
    messages::setPresenter(&listener);

    TPasteObjekt paste;
    TDeleteObjekt sletter;
    // Never asked, existing files overwritten, the progress window closed after.
    const PasteJob job{"D:\\Mål", {"C:\\Kilde"}, {}, 2, 1, true, "Stifinder 1"};
    auto removeCopy = [&] { mustRun({"rm", "-rf", copied}); };
    auto freshSource = [&] {
        mustRun({"rm", "-rf", source, copied});
        mustRun({"cp", "-r", master, hostC + "/"});
    };

    // One untimed copy first: it warms the cache and shows that the engine copies every byte.
    freshSource();
    if (!paste.PasteElementer(job) || paste.ikkePastede != 0) {
        std::fprintf(stderr, "The engine did not copy C:\\Kilde\n");
        return 1;
    }
    mustMatch("The engine's copy", sizeOfTree(copied), whole);
    std::printf("%lld files, %.1f MB\n", whole.files, double(whole.bytes) / 1e6);

    const Pair copy = paired([&] { removeCopy(); }, [&] { paste.PasteElementer(job); },
                             [&] { mustMatch("The engine's copy", sizeOfTree(copied), whole); },
                             [&] {
                                 mustRun({"cp", "-r", source, destination + "/"});
                             });
    report("Copying C:\\Kilde to D:\\Mål", "  cp -r", copy);

    const Pair move = paired([&] { freshSource(); }, [&] { paste.PasteCutElementer(job); },
                             [&] {
                                 mustMatch("The engine's move", sizeOfTree(copied), whole);
                                 if (QFileInfo::exists(source)) {
                                     std::fprintf(stderr, "The engine's move left C:\\Kilde\n");
                                     std::exit(1);
                                 }
                             },
                             [&] {
                                 mustRun({"cp", "-r", source, destination + "/"});
                                 mustRun({"rm", "-rf", source});
                             });
    report("Moving C:\\Kilde to D:\\Mål", "  cp -r && rm -rf", move);

    const Pair remove = paired([&] { freshSource(); },
                               [&] {
                                   sletter.DeleteElementer({{"C:\\Kilde"}, {}, false, 2, true});
                               },
                               [&] {
                                   if (QFileInfo::exists(source)) {
                                       std::fprintf(stderr, "The engine did not delete C:\\Kilde\n");
                                       std::exit(1);
                                   }
                               },
                               [&] {
                                   mustRun({"rm", "-rf", source});
                               });
    report("Deleting C:\\Kilde permanently", "  rm -rf", remove);

    // Many files in one folder: each new name is looked up without regard to case, which must
    // not cost a read of the whole folder per file. The time per file at 4n against that at n.
    const int flatSmall = std::max(500, smallFiles / 5);
    Pair flat[2];
    for (int step = 0; step < 2; ++step) {
        const int files = step == 0 ? flatSmall : 4 * flatSmall;
        mustRun({"rm", "-rf", source, copied});
        QDir().mkpath(source);
        const QByteArray small(1024, 'x');
        for (int i = 0; i < files; ++i)
            writeFile(source + QString("/Fil %1.txt").arg(i, 6, 10, QChar(u'0')), small);
        flat[step] =
            paired([&] { removeCopy(); }, [&] { paste.PasteElementer(job); },
                   [&] {
                       mustMatch("The engine's copy", sizeOfTree(copied), {files, qint64(files) * 1024});
                   },
                   [&] {
                       mustRun({"cp", "-r", source, destination + "/"});
                   });
        report(qPrintable(QString("Copying %1 files of one folder").arg(files)), "  cp -r", flat[step]);
    }
    const double growth = flat[1].engine.median / (4 * flat[0].engine.median);
    std::printf("  time per file at %d files against %d files: %.2f\n", 4 * flatSmall, flatSmall, growth);

    std::printf("\n");
    bench::result("copy_vs_cp", copy.ratio(), "x", 1.1);
    bench::result("move_vs_cp_rm", move.ratio(), "x", 1.1);
    bench::result("delete_vs_rm", remove.ratio(), "x", 1.2);
    bench::result("flat_copy_vs_cp", flat[1].ratio(), "x", 1.1);
    bench::result("flat_copy_per_file_growth", growth, "x", 1.3);
    return 0;
}
