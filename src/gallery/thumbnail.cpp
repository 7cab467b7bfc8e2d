#include "gallery/thumbnail.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <cmath>

namespace gallery {

QRect placement(QSize area, QSize picture, int margin, bool scale, bool centre)
{
    if (!scale)
        return QRect(QPoint(0, 0), picture);
    const int availableW = area.width() - 2 * margin;
    const int availableH = area.height() - 2 * margin;
    if (picture.isEmpty() || availableW <= 0 || availableH <= 0)
        return QRect(margin, margin, 0, 0);
    const double factor =
        std::min({double(availableW) / picture.width(), double(availableH) / picture.height(), 1.0});
    const int w = std::max(1, int(std::lround(picture.width() * factor)));
    const int h = std::max(1, int(std::lround(picture.height() * factor)));
    int left = margin, top = margin;
    if (centre) {
        left += w < availableW ? (availableW - w) / 2 : 0;
        top += h < availableH ? (availableH - h) / 2 : 0;
    }
    return QRect(left, top, w, h);
}

QImage placeholder(const ThumbnailLook &look)
{
    QImage image(look.area.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    image.fill(look.fill);
    const QRect box =
        QRect(QPoint(0, 0), look.area).adjusted(look.margin, look.margin, -look.margin - 1, -look.margin - 1);
    if (box.width() > 2 && box.height() > 2) {
        QPainter painter(&image);
        painter.setPen(QPen(QColor(128, 128, 128), 1));
        painter.drawRect(box);
        painter.drawLine(box.topLeft(), box.bottomRight());
        painter.drawLine(box.bottomLeft(), box.topRight());
    }
    return image;
}

namespace {

// A JPEG cut short lacks its end-of-image marker; the decoder would fill the rest with grey.
// Data appended after the marker (camera extras) is allowed within the last megabyte.
bool jpegComplete(QFile &file)
{
    const qint64 size = file.size();
    const qint64 tail = std::min<qint64>(size, 1024 * 1024);
    if (!file.seek(size - tail))
        return false;
    const QByteArray bytes = file.read(tail);
    file.seek(0);
    return bytes.contains(QByteArray("\xFF\xD9", 2));
}

Thumbnail drawn(const QImage &picture, QSize own, const ThumbnailLook &look)
{
    Thumbnail result;
    result.bredde = own.width();
    result.hojde = own.height();
    result.ok = true;
    result.image = QImage(look.area.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    result.image.fill(look.fill);
    QPainter painter(&result.image);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QRect target = placement(look.area, own, look.margin, look.scale, look.centre);
    if (!look.scale)
        painter.drawImage(QPoint(0, 0), picture);
    else if (picture.size() == target.size())
        painter.drawImage(target.topLeft(), picture);
    else
        painter.drawImage(target, picture);
    return result;
}

} // namespace

Thumbnail makeThumbnail(const QString &hostFile, const QString &extension, const ThumbnailLook &look)
{
    Thumbnail failed;
    failed.image = placeholder(look);
    // Only regular files: a FIFO named like a picture would block the reader.
    const QFileInfo info(hostFile);
    if (!info.isFile() || info.size() == 0)
        return failed;
    QFile file(hostFile);
    if (!file.open(QIODevice::ReadOnly))
        return failed;
    const QByteArray format = extension == "jpg" ? "jpeg" : extension.toLatin1();
    if (format != "jpeg" && format != "bmp" && format != "ico")
        return failed;
    const bool complete = format != "jpeg" || jpegComplete(file);
    QImageReader reader(&file, format);
    reader.setAutoDetectImageFormat(false);
    if (format == "ico") {
        // The largest of the icon's sizes.
        int best = -1, bestWidth = -1;
        for (int i = 0; i < reader.imageCount(); ++i) {
            if (!reader.jumpToImage(i))
                break;
            const QSize size = reader.size();
            if (size.width() > bestWidth) {
                best = i;
                bestWidth = size.width();
            }
        }
        if (best < 0 || !reader.jumpToImage(best))
            return failed;
    }
    const QSize own = reader.size();
    if (!own.isValid() || own.isEmpty()) {
        return failed;
    }
    failed.bredde = own.width();
    failed.hojde = own.height();
    if (!complete)
        return failed;
    QImage picture;
    if (format == "jpeg") {
        const QRect target = placement(look.area, own, look.margin, look.scale, look.centre);
        if (look.scale && target.size().isValid() && !target.isEmpty())
            reader.setScaledSize(target.size());
        else if (qint64(own.width()) * own.height() * 4 > kMaxWholeDecodeBytes)
            return failed;
        if (!reader.read(&picture))
            return failed;
    } else {
        if (qint64(own.width()) * own.height() * 4 > kMaxWholeDecodeBytes)
            return failed;
        if (!reader.read(&picture))
            return failed;
        if (format == "ico" && picture.hasAlphaChannel()) {
            // The icon's transparent area in the colour the explorer windows give it.
            QImage opaque(picture.size(), QImage::Format_RGB32);
            opaque.fill(QColor(192, 192, 128));
            QPainter painter(&opaque);
            painter.drawImage(0, 0, picture);
            painter.end();
            picture = opaque;
        }
    }
    if (picture.isNull())
        return failed;
    return drawn(picture, own, look);
}

} // namespace gallery
