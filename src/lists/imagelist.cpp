#include "lists/imagelist.h"

#include "platform/Platform.h"

#include <QIcon>

void ImageList::add(const QPixmap &image)
{
    if (image.isNull()) {
        QPixmap blank(m_size, m_size);
        blank.fill(Qt::transparent);
        m_images.append(blank);
        return;
    }
    const bool fits = image.width() == m_size && image.height() == m_size;
    m_images.append(fits ? image
                         : image.scaled(m_size, m_size, Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

void ImageList::addBlank()
{
    add(QPixmap());
}

void ImageList::removeAt(int index)
{
    if (index >= 0 && index < count())
        m_images.removeAt(index);
}

void ImageList::truncate(int from)
{
    if (from >= 0 && from < count())
        m_images.resize(from);
}

QPixmap programIcon(const QString &file, int size)
{
    const auto source = platform::current().extractIcon(file.toStdU16String());
    QIcon icon;
    if (!source.imageFile.empty())
        icon = QIcon(QString::fromStdU16String(source.imageFile));
    else if (!source.themeName.empty())
        icon = QIcon::fromTheme(QString::fromStdU16String(source.themeName));
    QPixmap picture = icon.isNull() ? QPixmap() : icon.pixmap(size, size);
    if (picture.isNull()) {
        picture = QPixmap(size, size);
        picture.fill(Qt::transparent);
    }
    return picture;
}
