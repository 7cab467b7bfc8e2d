// The longest time the interface thread stays away from its event loop while the real windows
// run each long operation: a 5 ms timer on that thread notes its largest gap, from the command
// until the operation has settled. Median of five runs per operation, in ms; each must stay under
// 100 ms.
//
// Everything lives on a drive table of the benchmark's own (C: and D: under TMPDIR) with the
// dialogs headless. ZUN_FREEZE_SCALE=10 divides the sizes by ten for a quick run;
// ZUN_FREEZE_ONLY=delete,structure runs only the named operations.

#include "app/mainform.h"
#include "core/linefile.h"
#include "dialogs/actionlist.h"
#include "dialogs/radiogroup.h"
#include "dialogs/shared.h"
#include "explorer/winform.h"
#include "fileops/klipbord.h"
#include "fileops/metodecompo.h"
#include "gallery/bibpan.h"
#include "gallery/galform.h"
#include "structures/strukturcompo.h"
#include "structures/strukturmodel.h"
#include "support/headlessdialogs.h"
#include "support/testdrives.h"
#include "tools/textsearch/findform.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <execinfo.h>
#include <functional>
#include <pthread.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kRuns = 5;
constexpr double kTargetMs = 100;

int g_scale = 1;

int scaled(int count)
{
    return std::max(1, count / g_scale);
}

// With ZUN_FREEZE_STACKS=<ms>, a freeze longer than that prints the interface thread's stack
// (module and offset; addr2line -f -C -e bench_freeze names them), once per freeze.
std::atomic<bool> g_watching = false;
std::atomic<qint64> g_lastTick = 0;

qint64 nowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void printStack(int)
{
    void *frames[48];
    const int count = ::backtrace(frames, 48);
    static const char heading[] = "-- stack of the interface thread during a freeze:\n";
    [[maybe_unused]] const auto written = ::write(2, heading, sizeof heading - 1);
    ::backtrace_symbols_fd(frames, count, 2);
}

void watchForStacks(pthread_t ui, int thresholdMs)
{
    std::signal(SIGUSR2, printStack);
    std::thread([ui, thresholdMs] {
        qint64 reported = -1;
        for (;;) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            const qint64 last = g_lastTick;
            if (g_watching && last != reported && nowNs() - last > qint64(thresholdMs) * 1000000) {
                reported = last;
                ::pthread_kill(ui, SIGUSR2);
            }
        }
    }).detach();
}

// The gaps of a 5 ms timer on the interface thread.
class FreezeWatch
{
public:
    FreezeWatch()
    {
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { tick(); });
        m_clock.start();
        m_timer.start();
    }
    void begin()
    {
        QCoreApplication::processEvents();
        m_last = m_clock.nsecsElapsed();
        m_worst = 0;
        g_lastTick = nowNs();
        g_watching = true;
    }
    double endMs()
    {
        tick();
        g_watching = false;
        return double(m_worst) / 1e6;
    }

private:
    void tick()
    {
        g_lastTick = nowNs();
        const qint64 now = m_clock.nsecsElapsed();
        m_worst = std::max(m_worst, now - m_last);
        m_last = now;
    }
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_last = 0;
    qint64 m_worst = 0;
};

// Lets the event loop run for `ms`, or until `done` says so (checked between events).
void settle(int ms, const std::function<bool()> &done = {})
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 5);
        if (done && done())
            break;
    }
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "Cannot write %s\n", qPrintable(path));
        std::exit(1);
    }
}

void makeFiles(const QString &folder, int count, const QByteArray &bytes = {})
{
    QDir().mkpath(folder);
    for (int i = 0; i < count; ++i)
        writeFile(folder + QString("/fil %1.txt").arg(i, 6, 10, QChar(u'0')), bytes);
}

void note(const char *what)
{
    std::printf("%s\n", what);
    std::fflush(stdout);
}

struct Bench
{
    TestDrives drives;
    std::unique_ptr<Tmainform> main;
    Twinform *window = nullptr;
    FreezeWatch watch;
    testsupport::ScriptedResponder responder;
    bool allOk = true;

    void clearClipboard()
    {
        window->metodeX->klipbord()->Mappeliste->removeAll();
        window->metodeX->klipbord()->Filliste->removeAll();
    }

    void start()
    {
        window = nullptr;
        main.reset();
        main = std::make_unique<Tmainform>();
        main->editSettings().triedBefore = true;
        main->resize(1280, 900);
        main->show();
        main->makeNewStifinder();
        window = main->getWinform("Stifinder 1");
        window->spmBox->setItemIndex(2); // paste and delete without the window's own question
        settle(200);
    }
    TStrukturCompo *struktur() const { return window->metodeX->strukturY(); }
    void show(const QString &folder)
    {
        window->setActiveTree(StrukturNr::filer);
        window->mappeKontrol(struktur()->makeStruktur2(folder), true);
        settle(50);
    }
    void select(const QString &text)
    {
        StrukturView *tree = window->FilStruktur;
        tree->deselectAll();
        for (StrukturNode *node : tree->allNodes()) {
            if (node->text == text)
                tree->setNodeSelected(node, true);
        }
    }
    void trigger(const char *name)
    {
        window->actions->updateAll();
        QAction *action = window->actions->action(name);
        if (!action->isEnabled()) {
            std::fprintf(stderr, "%s is not enabled\n", name);
            allOk = false;
        }
        action->trigger();
    }
    // The median of the longest freezes of `runs` runs: `prepare` untimed, `work` watched.
    void measure(const char *name, const std::function<void()> &prepare, const std::function<void()> &work,
                 const std::function<bool()> &check = {})
    {
        std::vector<double> worst;
        for (int run = 0; run < kRuns; ++run) {
            prepare();
            settle(20);
            watch.begin();
            work();
            worst.push_back(watch.endMs());
            if (check && !check()) {
                std::fprintf(stderr, "%s: wrong result in run %d\n", name, run + 1);
                allOk = false;
            }
        }
        std::sort(worst.begin(), worst.end());
        std::printf("%-28s longest freeze: median %8.1f ms   min %8.1f   max %8.1f\n", name, worst[kRuns / 2],
                    worst.front(), worst.back());
        std::printf("RESULT freeze_%s %.4g ms target %g\n", name, worst[kRuns / 2], kTargetMs);
        std::fflush(stdout);
    }
};

bool chosen(const QString &name)
{
    const QString only = qEnvironmentVariable("ZUN_FREEZE_ONLY");
    return only.isEmpty() || only.split(u',').contains(name);
}

int entries(const QString &hostFolder)
{
    return int(QDir(hostFolder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).size());
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    g_scale = std::max(1, qEnvironmentVariableIntValue("ZUN_FREEZE_SCALE"));
    if (const int stacks = qEnvironmentVariableIntValue("ZUN_FREEZE_STACKS"); stacks > 0)
        watchForStacks(::pthread_self(), stacks);
    testsupport::HeadlessDialogs headless;
    dialogs::createShared(nullptr);
    Bench b;
    const int treeFiles = scaled(100000);

    if (chosen("open") || chosen("selectinvert") || chosen("copy") || chosen("properties")) {
        std::printf("Making a folder of %d files ...\n", treeFiles);
        std::fflush(stdout);
        makeFiles(b.drives.host("C:\\Stor"), treeFiles);
    }
    b.start();

    if (chosen("open")) {
        b.measure(
            "open", [&] { b.show("C:\\"); }, [&] { b.show("C:\\Stor"); },
            [&] { return int(b.window->FilStruktur->allNodes().size()) >= treeFiles; });
    }
    if (chosen("selectinvert")) {
        b.show("C:\\Stor");
        b.measure(
            "selectinvert", [&] { b.window->FilStruktur->deselectAll(); },
            [&] {
                b.trigger("selectAlleElementer");
                settle(20);
                b.trigger("inverterSelection");
                settle(20);
                b.trigger("inverterSelection");
                settle(20);
            },
            [&] { return b.window->FilStruktur->selectionCount() == treeFiles; });
    }
    if (chosen("copy")) {
        b.show("C:\\Stor");
        b.trigger("selectAlleElementer"); // kept through every run
        b.measure(
            "copy", [&] { b.clearClipboard(); },
            [&] {
                b.trigger("Copy");
                settle(2000, [&] { return b.window->metodeX->sizeComputation().isFinished(); });
            },
            [&] { return b.window->metodeX->klipbord()->elementAntal == treeFiles; });
        b.clearClipboard();
    }
    if (chosen("properties")) {
        b.show("C:\\");
        b.measure(
            "properties", [&] { b.select("Stor"); },
            [&] {
                b.trigger("Info");
                settle(3000);
            });
    }
    if (chosen("pastesmall")) {
        const int small = scaled(10000);
        std::printf("Making %d small files ...\n", small);
        std::fflush(stdout);
        makeFiles(b.drives.host("C:\\Kilde\\Små"), small, QByteArray(1024, 'x'));
        b.measure(
            "pastesmall",
            [&] {
                QDir(b.drives.host("D:\\Små")).removeRecursively();
                b.show("C:\\Kilde");
                b.select("Små");
                b.window->KopierElementer(false);
                b.show("D:\\");
            },
            [&] {
                b.trigger("Paste");
                settle(50);
            },
            [&] { return entries(b.drives.host("D:\\Små")) == small; });
        QDir(b.drives.host("D:\\Små")).removeRecursively();
    }
    if (chosen("pastebig")) {
        const qint64 bytes = (qint64(2) << 30) / g_scale;
        note("Making one sparse file of 2 GB ...");
        QDir().mkpath(b.drives.host("C:\\Stor fil"));
        {
            QFile big(b.drives.host("C:\\Stor fil\\stor.bin"));
            big.open(QIODevice::WriteOnly);
            big.write("start");
            big.resize(bytes);
        }
        b.measure(
            "pastebig",
            [&] {
                QFile::remove(b.drives.host("D:\\stor.bin"));
                ::sync();
                b.show("C:\\Stor fil");
                b.select("stor.bin");
                b.window->KopierElementer(false);
                b.show("D:\\");
            },
            [&] {
                b.trigger("Paste");
                settle(50);
            },
            [&] { return QFileInfo(b.drives.host("D:\\stor.bin")).size() == bytes; });
        QFile::remove(b.drives.host("D:\\stor.bin"));
    }
    if (chosen("delete")) {
        const int count = scaled(100000);
        b.measure(
            "delete",
            [&] {
                std::printf("Making a folder of %d files to delete ...\n", count);
                std::fflush(stdout);
                makeFiles(b.drives.host("C:\\Slet\\Mappe"), count);
                b.show("C:\\Slet");
                b.select("Mappe");
            },
            [&] {
                b.trigger("DeletePermanent");
                settle(50);
            },
            [&] { return !QFileInfo::exists(b.drives.host("C:\\Slet\\Mappe")); });
    }
    if (chosen("namesearch")) {
        const int folders = scaled(2000);
        std::printf("Making %d folders of 99 files ...\n", folders);
        std::fflush(stdout);
        const int top = std::max(1, folders / 50);
        for (int i = 0; i < folders; ++i) {
            const QString folder =
                i < top ? b.drives.host(QString("C:\\Navne\\top %1").arg(i))
                        : b.drives.host(QString("C:\\Navne\\top %1\\mappe %2").arg(i % top).arg(i));
            QDir().mkpath(folder);
            for (int f = 0; f < 99; ++f)
                writeFile(folder + QString("/%1 %2.txt").arg(f % 10 == 0 ? "Rapport" : "fil").arg(f), {});
        }
        b.measure(
            "namesearch", [&] { b.show("C:\\Navne"); },
            [&] {
                b.window->findTekstEdit->setText("rap");
                b.window->aSearchExecute();
                settle(60000, [&] { return b.window->cursor().shape() != Qt::BusyCursor; });
                settle(50);
            });
    }
    if (chosen("textsearch") || chosen("textsearchhits")) {
        const int files = scaled(2000);
        const qint64 perFile = 500LL * 1024 * 1024 / 2000;
        std::printf("Making %d text files of %lld KB ...\n", files, perFile / 1024);
        std::fflush(stdout);
        const QByteArray line = "Søren så en ål i åen, og Æbelø ligger øst for Fyn med små øer.\r\n";
        const QByteArray hit = "Her står ordet blåbær midt i en linje med æøå og ÆØÅ.\r\n";
        QByteArray content;
        for (int l = 0; content.size() < perFile; ++l)
            content += l % 500 == 250 ? hit : line;
        QDir().mkpath(b.drives.host("C:\\Tekster"));
        for (int f = 0; f < files; ++f)
            writeFile(b.drives.host(QString("C:\\Tekster\\dokument %1.txt").arg(f, 5, 10, QChar(u'0'))),
                      content);
        QByteArray one;
        const qint64 oneSize = 40LL * 1024 * 1024 / g_scale;
        one.reserve(oneSize);
        while (one.size() + 9 <= oneSize)
            one += "abc xyz\r\n";
        QDir().mkpath(b.drives.host("C:\\Et dokument"));
        writeFile(b.drives.host("C:\\Et dokument\\stort.txt"), one);
        Tfindform *tool = b.main->openFindform();
        settle(200);
        auto search = [&](const QString &folder, const QString &text) {
            tool->Mappe = folder;
            tool->EditFind->setEditText(text);
            tool->FindSD();
            settle(600000, [&] { return !tool->searching(); });
            settle(50);
        };
        if (chosen("textsearch"))
            b.measure(
                "textsearch", [] {}, [&] { search("C:\\Tekster\\", "blåbær"); });
        if (chosen("textsearchhits"))
            b.measure(
                "textsearchhits", [] {}, [&] { search("C:\\Et dokument\\", "abc"); });
    }
    if (chosen("gallery")) {
        const int pictures = std::max(2, 300 / g_scale);
        note("Making one picture of 12 megapixels ...");
        QImage picture(4000, 3000, QImage::Format_RGB32);
        {
            QPainter painter(&picture);
            QLinearGradient gradient(0, 0, 4000, 3000);
            gradient.setColorAt(0, Qt::darkBlue);
            gradient.setColorAt(1, Qt::yellow);
            painter.fillRect(picture.rect(), gradient);
            for (int i = 0; i < 400; ++i)
                painter.fillRect((i * 997) % 4000, (i * 631) % 3000, 120, 80,
                                 QColor::fromHsv(i % 360, 200, 200));
        }
        QDir().mkpath(b.drives.host("C:\\Foto"));
        const QString first = b.drives.host("C:\\Foto\\billede 000.jpg");
        picture.save(first, "JPG", 90);
        // The same picture under every name, as links: the decoder reads each in full.
        for (int i = 1; i < pictures; ++i)
            QFile::copy(first, b.drives.host(QString("C:\\Foto\\billede %1.jpg").arg(i, 3, 10, QChar(u'0'))));
        b.measure(
            "gallery", [&] { b.main->EditSti->setText("C:\\Foto\\billede 000.jpg"); },
            [&] {
                TGalForm *gallery = b.main->openGalForm();
                gallery->loadBilleder(4, 4);
                settle(600000, [&] { return !gallery->BibPan->loading(); });
                settle(50);
            });
    }
    if (chosen("structure")) {
        const int existing = scaled(2000);
        const qint64 size = 16LL * 1024 * 1024 / g_scale - 64;
        std::printf("Making a structure file of %lld bytes over %d folders ...\n", size, existing);
        std::fflush(stdout);
        for (int i = 0; i < existing; ++i)
            QDir().mkpath(b.drives.host(QString("C:\\Struktur\\mappe %1").arg(i, 5, 10, QChar(u'0'))));
        QStringList lines;
        qint64 total = 0;
        for (int i = 0; total < size; ++i) {
            const QString line = i % 200 < 1 && i / 200 < existing
                                     ? QString("C:\\Struktur\\mappe %1").arg(i / 200, 5, 10, QChar(u'0'))
                                     : QString("C:\\Struktur\\væk %1\\under").arg(i, 7, 10, QChar(u'0'));
            total += line.size() + 2;
            if (total >= size)
                break;
            lines << line;
        }
        const QString dir = "C:\\zunKolvra\\Tester\\Mappestrukturer";
        QDir().mkpath(b.drives.host(dir));
        core::writeLines(dir + "\\Stor.txt", lines);
        b.start(); // the menu is made at start
        b.measure(
            "structure", [&] { b.responder.clear(); },
            [&] {
                const QList<QAction *> entries = b.main->PuMappeStruk->actions();
                for (QAction *entry : entries) {
                    if (entry->data().toString() == "Stor")
                        entry->trigger();
                }
                settle(50);
            },
            [&] { return b.responder.texts().size() == 1; });
    }
    if (chosen("savedtree")) {
        const int folders = scaled(100000);
        std::printf("Making %d folders for a saved tree ...\n", folders);
        std::fflush(stdout);
        QStringList lines{"C:", "C:\\Træ"};
        // The host folder once: every new sub-folder would have it looked up afresh.
        QDir().mkpath(b.drives.host("C:\\Træ"));
        const QString host = b.drives.host("C:\\Træ");
        for (int i = 0; i < folders; ++i) {
            const QString name = QString("mappe %1").arg(i, 6, 10, QChar(u'0'));
            QDir().mkdir(host + "/" + name);
            lines << "C:\\Træ\\" + name;
        }
        b.measure(
            "savedtree",
            [&] {
                b.start();
                core::writeLines(b.struktur()->gemHentFilnavn(), lines);
            },
            [&] {
                b.window->setActiveTree(StrukturNr::mapper);
                b.trigger("hentStruktur");
                settle(50);
            },
            [&] { return int(b.window->MappeStruktur->allNodes().size()) >= folders; });
    }
    b.main.reset();
    if (b.responder.unexpectedQuestions > 0) {
        std::fprintf(stderr, "Unexpected questions: %s\n", qPrintable(b.responder.texts().join(" | ")));
        return 1;
    }
    return b.allOk ? 0 : 1;
}
