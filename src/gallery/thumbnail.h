#pragma once
// Thumbnails of pictures, made off the user-interface thread: the picture's size is read from
// its header first, and a JPEG is decoded at reduced size (the decoder scales by 1/2, 1/4 or
// 1/8), so neither a 12-megapixel photo nor a 30,000 × 30,000 picture is ever decoded whole.
// A file that cannot be read as its extension says gets a placeholder.

#include <QColor>
#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>

namespace gallery {

// How the picture sits in the thumbnail: fitted into `area` less `margin` on every side, never
// enlarged, centred or at the margin; unscaled at the top left without `scale`.
QRect placement(QSize area, QSize picture, int margin, bool scale, bool centre);

struct Thumbnail
{
    QImage image;   // the thumbnail, `area` in size
    int bredde = 0; // the picture's own size; 0 when unknown
    int hojde = 0;
    bool ok = false; // false: the placeholder
};

struct ThumbnailLook
{
    QSize area;
    QColor fill;
    int margin = 2;
    bool scale = true;
    bool centre = true;
};

// Bitmaps and icons are decoded whole; above this many bytes of pixels they are not decoded.
inline constexpr qint64 kMaxWholeDecodeBytes = 128LL * 1024 * 1024;

// The thumbnail of the file at `hostFile` by its lower-case extension ("jpg", "bmp", "ico").
Thumbnail makeThumbnail(const QString &hostFile, const QString &extension, const ThumbnailLook &look);

// The picture drawn when a file cannot be shown.
QImage placeholder(const ThumbnailLook &look);

} // namespace gallery
