#pragma once
// The moves both item lists offer: swap an entry with its neighbour, refusing the ends.

#include <QList>

namespace lists {

// Swaps entries index − 1 and index; false at the top or beyond the end.
template<typename T> bool moveUp(QList<T> &entries, int index)
{
    if (index <= 0 || index >= entries.size())
        return false;
    entries.swapItemsAt(index - 1, index);
    return true;
}

// Swaps entries index and index + 1; false at the bottom or beyond the end.
template<typename T> bool moveDown(QList<T> &entries, int index)
{
    if (index < 0 || index >= entries.size() - 1)
        return false;
    entries.swapItemsAt(index, index + 1);
    return true;
}

} // namespace lists
