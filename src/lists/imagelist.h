#pragma once
// A list of pictures of one size, addressed by position, as list views and menus use them.

#include <QList>
#include <QPixmap>
#include <QString>

class ImageList
{
public:
    explicit ImageList(int size)
        : m_size(size)
    {}

    int size() const { return m_size; }
    int count() const { return int(m_images.size()); }
    QPixmap image(int index) const { return m_images.value(index); }
    void add(const QPixmap &image);
    void addBlank();
    void removeAt(int index);
    // Removes the images from `from` to the end.
    void truncate(int from);

private:
    int m_size;
    QList<QPixmap> m_images;
};

// The first icon of a program file at `size` pixels (ExtractIconW); a blank picture when the file
// is missing or has no icon.
QPixmap programIcon(const QString &file, int size);
