// The gallery's thumbnails against vipsthumbnail: a folder of 200 photos of 4000 × 3000 pixels,
// thumbnails for the whole folder as the gallery makes them (decoded at reduced size on a pool
// of every processor, collected in order on the user-interface thread), against vipsthumbnail
// on one processor over the same files, cache warm. Also the memory held per thumbnail.
// bench_gallery [photos]

#include "benchsupport.h"
#include "gallery/bibpan.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtConcurrent>

namespace {

// A photo-like picture: a sky and ground in soft gradients, blurred shapes, and fine grain all
// over, so the decoder has real detail to work through (a flat picture decodes far faster).
QImage makePhoto(int number)
{
    QRandomGenerator random(quint32(number * 7919 + 17));
    QImage image(4000, 3000, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient sky(0, 0, 0, 1500);
    sky.setColorAt(0, QColor::fromHsv(200 + random.bounded(30), 120, 230));
    sky.setColorAt(1, QColor::fromHsv(190 + random.bounded(30), 60, 250));
    painter.fillRect(0, 0, 4000, 1500, sky);
    QLinearGradient ground(0, 1500, 0, 3000);
    ground.setColorAt(0, QColor::fromHsv(80 + random.bounded(60), 150, 150));
    ground.setColorAt(1, QColor::fromHsv(30 + random.bounded(30), 120, 70));
    painter.fillRect(0, 1500, 4000, 1500, ground);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < 60; ++i) {
        QRadialGradient blob(random.bounded(4000), random.bounded(3000), 80 + random.bounded(500));
        const QColor colour =
            QColor::fromHsv(random.bounded(360), 80 + random.bounded(150), 60 + random.bounded(190));
        blob.setColorAt(0, colour);
        QColor edge = colour;
        edge.setAlpha(0);
        blob.setColorAt(1, edge);
        painter.setBrush(blob);
        painter.drawEllipse(blob.center(), blob.radius(), blob.radius());
    }
    painter.end();
    // Grain: every pixel a little off, as a camera's sensor leaves it.
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        quint32 state = quint32(number) * 2654435761u ^ quint32(y) * 40503u;
        for (int x = 0; x < image.width(); ++x) {
            state = state * 1664525u + 1013904223u;
            const int noise = int(state >> 28) - 8;
            const QRgb p = line[x];
            line[x] = qRgb(std::clamp(qRed(p) + noise, 0, 255), std::clamp(qGreen(p) + noise, 0, 255),
                           std::clamp(qBlue(p) + noise, 0, 255));
        }
    }
    return image;
}

qint64 residentBytes()
{
    QFile status("/proc/self/statm");
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = status.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toLongLong() * 4096 : 0;
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int photos = bench::sizeArgument(argc, argv, 200);
    const QString vips = QStandardPaths::findExecutable("vipsthumbnail");
    if (vips.isEmpty()) {
        std::printf("vipsthumbnail is missing (Debian package libvips-tools)\n");
        return 1;
    }
    QTemporaryDir root;
    const QString folder = root.path() + "/Billeder";
    QDir().mkpath(folder);
    std::printf("Making %d photos of 4000 x 3000 ...\n", photos);
    std::fflush(stdout);
    QList<int> numbers;
    for (int i = 0; i < photos; ++i)
        numbers.append(i);
    QtConcurrent::blockingMap(numbers, [&folder](int number) {
        makePhoto(number).save(folder + QString("/foto %1.jpg").arg(number, 4, 10, QChar(u'0')), "JPEG", 85);
    });
    qint64 bytes = 0;
    QStringList files;
    for (const QFileInfo &info : QDir(folder).entryInfoList(QDir::Files, QDir::Name)) {
        bytes += info.size();
        files.append(info.filePath());
    }
    std::printf("%d photos, %.1f MB\n", int(files.size()), double(bytes) / 1e6);
    bench::installDrive(root.path());

    // The gallery's grid at 4 x 6 fields of 133 pixels: thumbnails of 128 x 128.
    TBibPan pan;
    pan.RammeFelt.Bredde = 2;
    pan.RammeFelt.Margen = 2;
    pan.RammeFelt.AfstandLodret = 2;
    pan.RammeFelt.AfstandVandret = 2;
    pan.IndreMargen = 2;
    pan.BitmapFelt.BitType = btUnikSimpel;
    pan.resize(4 * 133 + 3 * 2 + 1, 6 * 133 + 5 * 2 + 1);
    pan.NytAntalVL(4, 6);
    const QSize area = pan.thumbnailSize();
    std::printf("Thumbnails of %d x %d on %d threads\n", area.width(), area.height(),
                QThread::idealThreadCount());

    const QString out = root.path() + "/vips";
    QDir().mkpath(out);
    QStringList vipsArguments = files;
    vipsArguments << "--size"
                  << "128x128"
                  << "-o" << out + "/%s.jpg";
    auto runVips = [&] {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("VIPS_CONCURRENCY", "1");
        process.setProcessEnvironment(environment);
        process.start("taskset", QStringList{"-c", "0", vips} + vipsArguments);
        process.waitForFinished(-1);
        if (process.exitCode() != 0)
            std::printf("vipsthumbnail: %s\n", process.readAllStandardError().constData());
    };
    int made = 0;
    auto ours = [&] {
        pan.SetBibliotek("C:\\Billeder");
        pan.waitForLoad();
        made = pan.made();
    };
    // Warm the cache and both programs once; the resident set before and after the first load
    // gives the memory the thumbnails hold (worker buffers included, as the program keeps them).
    const qint64 empty = residentBytes();
    ours();
    const qint64 full = residentBytes();
    runVips();
    std::vector<double> ratios;
    bench::Timing oursTiming, vipsTiming;
    const int runs = 5;
    std::vector<double> oursRuns, vipsRuns;
    for (int run = 0; run < runs; ++run) {
        const bench::Timing a = bench::measure(
            1, [&] { pan.SetBibliotek(QString()); }, ours);
        const bench::Timing b = bench::measure(
            1, [] {}, runVips);
        oursRuns.push_back(a.median);
        vipsRuns.push_back(b.median);
        ratios.push_back(a.median / b.median);
    }
    auto median = [](std::vector<double> values) {
        std::sort(values.begin(), values.end());
        return values[values.size() / 2];
    };
    std::printf("%-40s median %8.1f ms  (%d thumbnails)\n", "gallery, every processor",
                median(oursRuns) * 1e3, made);
    std::printf("%-40s median %8.1f ms\n", "vipsthumbnail, one processor", median(vipsRuns) * 1e3);
    std::printf("per photo: %.1f ms against %.1f ms\n", median(oursRuns) * 1e3 / photos,
                median(vipsRuns) * 1e3 / photos);

    const QImage &sample = pan.BitmapFelt.BitmapListe.at(0);
    std::printf("thumbnail image: %lld bytes; resident set %.1f MB empty, %.1f MB with %d thumbnails\n",
                qint64(sample.sizeInBytes()), double(empty) / 1e6, double(full) / 1e6, made);
    const double perThumbnail = double(std::max<qint64>(0, full - empty)) / std::max(1, made) / 1024.0;

    bench::result("gallery_vs_vipsthumbnail", median(ratios), "ratio", 0.6);
    bench::result("gallery_memory_per_thumbnail", perThumbnail, "KB", 100);
    return 0;
}
