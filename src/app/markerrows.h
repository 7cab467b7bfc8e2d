#pragma once
// The rows of the main window's own lists (saved commands, notes): a small coloured square
// before the text and a silver line under each row.

#include <QColor>
#include <QStyledItemDelegate>

class MarkerRows : public QStyledItemDelegate
{
public:
    // `marker` none: the palette's highlight colour, as the system's menus use it.
    explicit MarkerRows(QColor marker, QObject *parent = nullptr);
    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    QColor m_marker;
};
