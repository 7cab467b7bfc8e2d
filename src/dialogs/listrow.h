#pragma once
// A row of the program's own lists (favourites, shortcuts, saved structures, saved commands,
// notes): at least 19 pixels high, a mark before the text and a light line along the bottom.

#include <QColor>
#include <QStyledItemDelegate>
#include <optional>

class ListRowDelegate : public QStyledItemDelegate
{
public:
    enum class Mark {
        Square, // 10 pixels, 2 from the left and 5 from the top; the text 14 from the left
        Circle  // 8 pixels across, centred 9 from the left; the text 20 from the left
    };
    // `colour` none: the palette's highlight, and its highlighted text on a selected row.
    ListRowDelegate(Mark mark, std::optional<QColor> colour, QObject *parent);

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;

private:
    int textLeft() const { return m_mark == Mark::Square ? 14 : 20; }

    Mark m_mark;
    std::optional<QColor> m_colour;
};
