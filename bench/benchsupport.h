#pragma once
// What the benchmarks of the file tree's commands share: a large folder on a drive table of
// their own, medians of several runs, and the RESULT lines.

#include "platform/posix/posixplatform.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QString>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

namespace bench {

// Makes `folders` sub-folders and `files` empty files (three extensions in turn) in `path`.
inline void makeBigFolder(const QString &path, int files, int folders)
{
    QDir().mkpath(path);
    for (int i = 0; i < folders; ++i)
        QDir().mkdir(path + QString("/mappe %1").arg(i, 4, 10, QChar(u'0')));
    for (int i = 0; i < files; ++i) {
        QFile file(path + QString("/fil %1.%2")
                              .arg(i, 6, 10, QChar(u'0'))
                              .arg(i % 3 == 0   ? "txt"
                                   : i % 3 == 1 ? "jpg"
                                                : "dat"));
        file.open(QIODevice::WriteOnly);
    }
}

// The size a benchmark works on: a smaller one as the first argument, for comparing sizes.
inline int sizeArgument(int argc, char *argv[], int byDefault)
{
    return argc > 1 ? std::max(1, std::atoi(argv[1])) : byDefault;
}

// Drive C: is `root`.
inline void installDrive(const QString &root)
{
    platform::posix::DriveTable table;
    table.add({u'C', root.toStdString(), platform::DriveType::Fixed, u"Bench"});
    platform::install(std::make_unique<platform::posix::PosixPlatform>(table));
}

struct Timing
{
    double median = 0, min = 0, max = 0; // seconds
};

// Runs `prepare` untimed and then `work` timed, `runs` times. Pending events (painting, the
// views' layouts) are processed inside the timed part, as a window would before it answers.
template<typename Prepare, typename Work> Timing measure(int runs, Prepare prepare, Work work)
{
    std::vector<double> seconds;
    for (int run = 0; run < runs; ++run) {
        prepare();
        QCoreApplication::processEvents();
        QElapsedTimer timer;
        timer.start();
        work();
        QCoreApplication::processEvents();
        seconds.push_back(double(timer.nsecsElapsed()) / 1e9);
    }
    std::sort(seconds.begin(), seconds.end());
    return {seconds[seconds.size() / 2], seconds.front(), seconds.back()};
}

inline void report(const char *what, const Timing &timing)
{
    std::printf("%-40s median %8.1f ms   min %8.1f   max %8.1f\n", what, timing.median * 1e3,
                timing.min * 1e3, timing.max * 1e3);
}

inline void result(const char *name, double value, const char *unit, double target)
{
    std::printf("RESULT %s %.3g %s target %g\n", name, value, unit, target);
}

// The large folder "C:\\Stor" on a drive of the benchmark's own at `root`.
inline void makeDriveWithBigFolder(const QString &root, int files, int folders)
{
    std::printf("Making %d files and %d folders ...\n", files, folders);
    std::fflush(stdout);
    makeBigFolder(root + "/Stor", files, folders);
    installDrive(root);
}

} // namespace bench
