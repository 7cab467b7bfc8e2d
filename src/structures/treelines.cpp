#include "structures/treelines.h"

#include <QPainter>
#include <QTreeView>

void drawTreeLines(QPainter *painter, const QTreeView &view, const QRect &rect, const QModelIndex &index)
{
    painter->save();
    QPen pen(view.palette().color(QPalette::Mid));
    pen.setStyle(Qt::DotLine);
    painter->setPen(pen);
    const int step = view.indentation();
    const int middleY = rect.top() + rect.height() / 2;
    int level = 0;
    for (QModelIndex up = index.parent(); up.isValid(); up = up.parent())
        ++level;
    const int depth = view.rootIsDecorated() ? level + 1 : level;
    int x = rect.right() - step + step / 2 + 1;
    auto isLast = [&view](const QModelIndex &at) {
        return at.row() + 1 == view.model()->rowCount(at.parent());
    };
    if (depth > 0) {
        painter->drawLine(x, middleY, x + step / 2 - 2, middleY);
        painter->drawLine(x, rect.top(), x, isLast(index) ? middleY : rect.bottom());
        // Lines of the ancestors that still have siblings below.
        QModelIndex ancestor = index.parent();
        for (int column = depth - 1; column > 0 && ancestor.isValid(); --column) {
            x -= step;
            if (!isLast(ancestor))
                painter->drawLine(x, rect.top(), x, rect.bottom());
            ancestor = ancestor.parent();
        }
    }
    painter->restore();
}
