#pragma once
// The one walk that counts what a folder tree holds: for the clipboard's size, the preparation of
// a copy, a move or a deletion, and the properties window. Links to folders are counted as folders
// and never entered (they may lead back up the tree); hidden and system entries count like the
// others. A folder below the top that cannot be listed is passed over and leaves the count
// incomplete; the walk goes on with the rest.

#include <QString>
#include <QtGlobal>
#include <functional>

struct TreeCount
{
    qint64 bytes = 0;  // the files' sizes
    qint64 onDisk = 0; // what the files take on disk (holes take nothing): what a copy writes
    qint64 files = 0;
    qint64 emptyFiles = 0; // for the size texts in which an empty file counts one byte
    qint64 folders = 0;    // below the top folder, links to folders included
    // Every folder below could be listed and the walk was not stopped.
    bool complete = true;
};

// Adds the tree below `top` to `count`. False, with nothing added, when `top` itself cannot be
// listed. `afterFolder`, when given, hears the count after each folder listed and stops the walk
// by returning false.
bool countTree(const QString &top, TreeCount &count,
               const std::function<bool(const TreeCount &count)> &afterFolder = {});
