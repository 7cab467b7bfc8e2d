#include "app/markerrows.h"

#include <QApplication>
#include <QPainter>
#include <algorithm>

MarkerRows::MarkerRows(QColor marker, QObject *parent)
    : QStyledItemDelegate(parent)
    , m_marker(marker)
{}

void MarkerRows::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const QRect r = option.rect;
    const bool selected = option.state & QStyle::State_Selected;
    const QPalette &palette = option.palette;
    painter->save();
    painter->fillRect(r, selected ? palette.highlight() : palette.base());
    const QColor marker = m_marker.isValid() ? m_marker : QApplication::palette().color(QPalette::Highlight);
    const QRect square(QPoint(r.left() + 2, r.top() + 5), QPoint(r.left() + 11, r.top() + 14));
    painter->fillRect(square, marker);
    // A marker in the highlight colour would vanish in a selected row.
    if (selected) {
        painter->setPen(palette.color(QPalette::HighlightedText));
        painter->drawRect(square.adjusted(0, 0, -1, -1));
    }
    painter->setPen(selected ? palette.color(QPalette::HighlightedText) : palette.color(QPalette::Text));
    painter->drawText(QRect(r.left() + 14, r.top() + 1, r.width() - 14, r.height() - 2),
                      Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                      option.fontMetrics.elidedText(index.data().toString(), Qt::ElideRight, r.width() - 16));
    painter->setPen(QColor(192, 192, 192));
    painter->drawLine(r.left(), r.bottom(), r.right(), r.bottom());
    painter->restore();
}

QSize MarkerRows::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const QSize size = QStyledItemDelegate::sizeHint(option, index);
    return {size.width() + 14, std::max(size.height() + 2, 20)};
}
