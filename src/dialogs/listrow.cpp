#include "dialogs/listrow.h"

#include <QPainter>
#include <algorithm>

ListRowDelegate::ListRowDelegate(Mark mark, std::optional<QColor> colour, QObject *parent)
    : QStyledItemDelegate(parent)
    , m_mark(mark)
    , m_colour(colour)
{}

QSize ListRowDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const QSize size = QStyledItemDelegate::sizeHint(option, index);
    return {size.width() + textLeft(), std::max(size.height(), 19)};
}

void ListRowDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                            const QModelIndex &index) const
{
    const QRect line = option.rect;
    const bool selected = option.state & QStyle::State_Selected;
    const QPalette &palette = option.palette;
    painter->save();
    painter->fillRect(line, selected ? palette.highlight() : palette.base());
    const QColor mark = m_colour   ? *m_colour
                        : selected ? palette.color(QPalette::HighlightedText)
                                   : palette.color(QPalette::Highlight);
    if (m_mark == Mark::Square) {
        const QRect square(line.left() + 2, line.top() + 5, 10, 10);
        painter->fillRect(square, mark);
        // A colour of its own keeps a frame on a selected row, where it could vanish.
        if (selected && m_colour) {
            painter->setPen(palette.color(QPalette::HighlightedText));
            painter->drawRect(square.adjusted(0, 0, -1, -1));
        }
    } else {
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(Qt::NoPen);
        painter->setBrush(mark);
        painter->drawEllipse(QPoint(line.left() + 9, line.center().y()), 4, 4);
        painter->setRenderHint(QPainter::Antialiasing, false);
    }
    // A row may carry its own text colour (a folder that is gone, greyed).
    const QVariant foreground = index.data(Qt::ForegroundRole);
    painter->setPen(selected               ? palette.color(QPalette::HighlightedText)
                    : foreground.isValid() ? foreground.value<QBrush>().color()
                                           : palette.color(QPalette::Text));
    const QRect text(line.left() + textLeft(), line.top() + 1, line.width() - textLeft() - 2,
                     line.height() - 2);
    painter->drawText(text, Qt::AlignLeft | Qt::AlignVCenter,
                      option.fontMetrics.elidedText(index.data().toString(), Qt::ElideRight, text.width()));
    painter->setPen(QColor(0xC0, 0xC0, 0xC0));
    painter->drawLine(line.bottomLeft(), line.bottomRight());
    painter->restore();
}
