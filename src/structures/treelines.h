#pragma once
// The dotted lines of the program's trees when "Mappestruktur med linjer" is on: from each node
// to its parent's line, and on down past the siblings still to come.

class QModelIndex;
class QPainter;
class QRect;
class QTreeView;

// Called from a tree view's drawBranches after the view's own.
void drawTreeLines(QPainter *painter, const QTreeView &view, const QRect &rect, const QModelIndex &index);
