#pragma once
// Picture files for the gallery's tests: real ones of each kind, and the broken ones a folder
// may hold.

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QPainter>
#include <QtEndian>

namespace pictures {

// A picture with something on it, so a thumbnail shows where it lies.
inline QImage photo(int w, int h, QColor colour = QColor(200, 40, 40))
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(colour);
    QPainter painter(&image);
    painter.fillRect(0, 0, w / 2, h / 2, Qt::darkGreen);
    return image;
}

inline QByteArray encoded(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

inline QByteArray jpeg(int w, int h)
{
    return encoded(photo(w, h), "JPEG");
}

inline QByteArray bmp(int w, int h)
{
    return encoded(photo(w, h), "BMP");
}

// A JPEG whose frame header claims width × height: the decoder meets the end of the data long
// before the picture's end.
inline QByteArray jpegClaiming(int w, int h)
{
    QByteArray bytes = jpeg(16, 16);
    const qsizetype sof = bytes.indexOf(QByteArray("\xFF\xC0", 2));
    if (sof >= 0) {
        qToBigEndian<quint16>(quint16(h), bytes.data() + sof + 5);
        qToBigEndian<quint16>(quint16(w), bytes.data() + sof + 7);
    }
    return bytes;
}

// A bitmap header claiming width × height at 24 bits, without the pixels.
inline QByteArray bmpClaiming(int w, int h)
{
    QByteArray bytes = bmp(4, 4);
    qToLittleEndian<qint32>(w, bytes.data() + 18);
    qToLittleEndian<qint32>(h, bytes.data() + 22);
    return bytes;
}

// An icon file with one PNG-coded image per size.
inline QByteArray ico(const QList<int> &sizes)
{
    QList<QByteArray> images;
    for (int size : sizes) {
        QImage image(size, size, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.fillRect(size / 4, size / 4, size / 2, size / 2, Qt::blue);
        painter.end();
        images.append(encoded(image, "PNG"));
    }
    QByteArray bytes(6 + 16 * sizes.size(), '\0');
    qToLittleEndian<quint16>(1, bytes.data() + 2);
    qToLittleEndian<quint16>(quint16(sizes.size()), bytes.data() + 4);
    quint32 offset = quint32(bytes.size());
    for (int i = 0; i < sizes.size(); ++i) {
        char *entry = bytes.data() + 6 + 16 * i;
        entry[0] = char(sizes[i] >= 256 ? 0 : sizes[i]);
        entry[1] = char(sizes[i] >= 256 ? 0 : sizes[i]);
        qToLittleEndian<quint16>(1, entry + 4);
        qToLittleEndian<quint16>(32, entry + 6);
        qToLittleEndian<quint32>(quint32(images[i].size()), entry + 8);
        qToLittleEndian<quint32>(offset, entry + 12);
        offset += quint32(images[i].size());
    }
    for (const QByteArray &image : images)
        bytes += image;
    return bytes;
}

} // namespace pictures
