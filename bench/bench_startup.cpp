// Start to the first shown window, the program's second start against the smallest Qt Widgets
// program, both started the same way under the offscreen platform: the time from starting the
// process to its "shown" line, medians of paired runs. Each process is ended once it has answered.

#include "benchsupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// Seconds from start to the "shown" line; negative when the program never said it.
double timeToShown(const QString &program, const QProcessEnvironment &environment)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::SeparateChannels);
    QElapsedTimer clock;
    clock.start();
    process.start(program, {});
    double seconds = -1;
    while (process.state() != QProcess::NotRunning || process.bytesAvailable() > 0) {
        if (process.canReadLine() || process.waitForReadyRead(20000)) {
            if (process.readLine().trimmed() == "shown") {
                seconds = double(clock.nsecsElapsed()) / 1e9;
                break;
            }
        } else {
            break;
        }
    }
    process.kill();
    process.waitForFinished(5000);
    return seconds;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    const int runs = bench::sizeArgument(argc, argv, 11);
    const QString folder = QCoreApplication::applicationDirPath();
    const QString program = folder + "/../src/app/zunkolvra";
    const QString peer = folder + "/startup_peer";

    // A home of its own, so the program's data and options never touch the real ones.
    QTemporaryDir home;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("HOME", home.path());
    environment.insert("XDG_DATA_HOME", home.path() + "/.local/share");
    environment.insert("XDG_CONFIG_HOME", home.path() + "/.config");
    environment.insert("XDG_CACHE_HOME", home.path() + "/.cache");
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("ZUNKOLVRA_REPORT_SHOWN", "1");

    // The first start lays out the user's data; the figure is of the starts after it.
    if (timeToShown(program, environment) < 0 || timeToShown(peer, environment) < 0) {
        std::fprintf(stderr, "Programmet eller sammenligningen viste intet vindue.\n");
        return 1;
    }
    std::vector<double> ours, theirs, ratios;
    for (int run = 0; run < runs; ++run) {
        const double a = timeToShown(program, environment);
        const double b = timeToShown(peer, environment);
        if (a < 0 || b < 0)
            continue;
        ours.push_back(a);
        theirs.push_back(b);
        ratios.push_back(a / b);
    }
    std::printf("start til vist vindue: %.1f ms, mindste Qt-program %.1f ms (medianer af %zu)\n",
                median(ours) * 1000, median(theirs) * 1000, ours.size());
    bench::result("startup_vs_minimal_qt", median(ratios), "x", 1.5);
    return 0;
}
