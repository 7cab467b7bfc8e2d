// Makes the program's pictures from the breeze icon theme the program uses on Linux:
//
//   make-icons <folder>                    the file-type icons: each a Windows .ico file
//                                          ("<name>_ikon.ico") at several sizes, 32-bit with alpha
//   make-icons --app-icon <picture> <ico>  the program's own icon as a Windows .ico file
//   make-icons --theme <folder> <source>   an icon theme "breeze" of PNG pictures holding every
//                                          theme icon named in the sources (for Windows, which has
//                                          no icon theme and no SVG support in our Qt build)

#include <QByteArray>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QTextStream>
#include <QtEndian>

namespace {

// The program's name of a picture and the theme's icon it is drawn from.
const std::pair<const char *, const char *> kIcons[] = {
    {"film", "video-x-generic"}, {"musik", "audio-x-generic"}, {"billeder", "image-x-generic"},
    {"ukendt", "unknown"},       {"txt", "text-plain"},        {"pdf", "application-pdf"},
    {"html", "text-html"},
};

const int kSizes[] = {16, 24, 32, 48, 64};

void put16(QByteArray &out, int value)
{
    const auto v = qToLittleEndian(quint16(value));
    out.append(reinterpret_cast<const char *>(&v), sizeof v);
}

void put32(QByteArray &out, qint64 value)
{
    const auto v = qToLittleEndian(quint32(value));
    out.append(reinterpret_cast<const char *>(&v), sizeof v);
}

// One image as an icon's device-independent bitmap: the header (twice the height, for the
// colour rows and the mask), the rows bottom up in BGRA, then the 1-bit mask of the
// transparent pixels for readers that ignore the alpha channel.
QByteArray bitmapOf(const QImage &picture)
{
    const QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    const int size = image.width();
    const int maskStride = ((size + 31) / 32) * 4;
    QByteArray out;
    put32(out, 40);
    put32(out, size);
    put32(out, 2 * size);
    put16(out, 1);  // planes
    put16(out, 32); // bits per pixel
    put32(out, 0);  // no compression
    put32(out, qint64(size) * size * 4 + qint64(maskStride) * size);
    for (int i = 0; i < 4; ++i)
        put32(out, 0);
    for (int y = size - 1; y >= 0; --y) {
        const auto *row = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < size; ++x) {
            out.append(char(qBlue(row[x])));
            out.append(char(qGreen(row[x])));
            out.append(char(qRed(row[x])));
            out.append(char(qAlpha(row[x])));
        }
    }
    for (int y = size - 1; y >= 0; --y) {
        const auto *row = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        QByteArray mask(maskStride, '\0');
        for (int x = 0; x < size; ++x) {
            if (qAlpha(row[x]) == 0)
                mask[x / 8] = char(mask[x / 8] | (0x80 >> (x % 8)));
        }
        out.append(mask);
    }
    return out;
}

QByteArray iconFile(const QIcon &icon)
{
    QList<QByteArray> bitmaps;
    for (const int size : kSizes) {
        // The theme's picture drawn at that size; a smaller one it gives is centred.
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        const QImage drawn = icon.pixmap(size, size).toImage();
        QPainter painter(&image);
        painter.drawImage((size - drawn.width()) / 2, (size - drawn.height()) / 2, drawn);
        painter.end();
        bitmaps.append(bitmapOf(image));
    }
    QByteArray out;
    put16(out, 0);
    put16(out, 1); // an icon, not a cursor
    put16(out, int(bitmaps.size()));
    qint64 offset = 6 + 16 * bitmaps.size();
    for (qsizetype i = 0; i < bitmaps.size(); ++i) {
        const int size = kSizes[i];
        out.append(char(size));
        out.append(char(size));
        out.append(char(0)); // no palette
        out.append(char(0));
        put16(out, 1);
        put16(out, 32);
        put32(out, bitmaps[i].size());
        put32(out, offset);
        offset += bitmaps[i].size();
    }
    for (const QByteArray &bitmap : bitmaps)
        out.append(bitmap);
    return out;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

const int kThemeSizes[] = {16, 22, 32, 48, 64};

// Every quoted name in the C++ sources under `source` that the theme has: the literal calls and
// the tables of names alike, so a new icon anywhere is picked up by the next build.
QStringList themeIconsNamedIn(const QString &source)
{
    static const QRegularExpression quoted(QStringLiteral("\"([a-z][a-z0-9-]*)\""));
    QSet<QString> names;
    QDirIterator files(source, {"*.cpp", "*.h"}, QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        QFile file(files.next());
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QString text = QString::fromUtf8(file.readAll());
        for (auto match = quoted.globalMatch(text); match.hasNext();) {
            const QString name = match.next().captured(1);
            if (QIcon::hasThemeIcon(name))
                names.insert(name);
        }
    }
    QStringList sorted(names.begin(), names.end());
    sorted.sort();
    return sorted;
}

int writeTheme(const QDir &folder, const QString &source, QTextStream &err)
{
    const QStringList names = themeIconsNamedIn(source);
    if (names.isEmpty()) {
        err << "no theme icons named in " << source << "\n";
        return 1;
    }
    QStringList directories;
    QString sections;
    for (const int size : kThemeSizes) {
        const QString directory = QString("%1x%1").arg(size);
        directories.append(directory);
        sections += QString("\n[%1]\nSize=%2\nType=Fixed\n").arg(directory).arg(size);
        if (!folder.mkpath(directory)) {
            err << "cannot make " << folder.filePath(directory) << "\n";
            return 1;
        }
        for (const QString &name : names) {
            const QPixmap picture = QIcon::fromTheme(name).pixmap(size, size);
            if (!picture.save(folder.filePath(directory + "/" + name + ".png"))) {
                err << "cannot write " << name << " at " << size << "\n";
                return 1;
            }
        }
    }
    const QString index = "[Icon Theme]\nName=breeze\nComment=The pictures of zunKolvra Stifinder\n"
                          "Directories=" +
                          directories.join(',') + "\n" + sections;
    if (!writeFile(folder.filePath("index.theme"), index.toUtf8())) {
        err << "cannot write " << folder.filePath("index.theme") << "\n";
        return 1;
    }
    QTextStream(stdout) << names.size() << " icons -> " << folder.path() << "\n";
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication application(argc, argv);
    QTextStream err(stderr);
    const QString mode = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (!(argc == 2 || (argc == 4 && (mode == "--app-icon" || mode == "--theme")))) {
        err << "usage: make-icons <folder> | --app-icon <picture> <ico> | --theme <folder> <source>\n";
        return 2;
    }
    // Where the program finds its theme (app::installIconTheme): the data folders' icons.
    QStringList paths = QIcon::themeSearchPaths();
    for (const QString &data : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation)) {
        const QString icons = QDir(data).absoluteFilePath("icons");
        if (!paths.contains(icons) && QDir(icons).exists())
            paths.append(icons);
    }
    QIcon::setThemeSearchPaths(paths);
    QIcon::setThemeName("breeze");
    if (mode == "--app-icon") {
        const QIcon picture(QString::fromLocal8Bit(argv[2]));
        if (picture.pixmap(64, 64).isNull() ||
            !writeFile(QString::fromLocal8Bit(argv[3]), iconFile(picture))) {
            err << "cannot make " << argv[3] << " from " << argv[2] << "\n";
            return 1;
        }
        return 0;
    }
    if (mode == "--theme")
        return writeTheme(QDir(QString::fromLocal8Bit(argv[2])), QString::fromLocal8Bit(argv[3]), err);
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(".")) {
        err << "cannot make " << folder.path() << "\n";
        return 1;
    }
    for (const auto &[name, themeName] : kIcons) {
        if (!QIcon::hasThemeIcon(themeName)) {
            err << "the theme has no " << themeName << "\n";
            return 1;
        }
        QFile file(folder.filePath(QString(name) + "_ikon.ico"));
        if (!file.open(QIODevice::WriteOnly) || file.write(iconFile(QIcon::fromTheme(themeName))) < 0) {
            err << "cannot write " << file.fileName() << "\n";
            return 1;
        }
        QTextStream(stdout) << file.fileName() << " <- " << themeName << "\n";
    }
    return 0;
}
