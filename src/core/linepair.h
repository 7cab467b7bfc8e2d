#pragma once
// Two line files that belong together (a tree file and its data file): saved so that a reader
// finds the old pair or the new pair, never one of each.
//
// A save writes the new first file to its pending name (the file's name + ".ny"), then the new
// second file to its pending name; each appears there whole or not at all. Renaming the first
// pending file over the first file is the moment the new pair counts; the second follows. What
// a crash leaves behind tells how far the save got:
// - the first pending file is still there: the new pair never counted; both pending files are
//   removed and the old pair stands;
// - only the second pending file is there: the first file is already new; the second pending
//   file is renamed into place and the new pair stands.
// Every read and every save of a pair runs that repair first.

#include <QString>
#include <QStringList>

namespace core {

QString pendingName(const QString &path);

enum class PairRepair {
    Nothing,     // no save was interrupted
    OldPairKept, // the interrupted save is undone
    NewPairDone, // the interrupted save is finished
    Failed,      // a pending file could not be removed or renamed
};

// `second` may be empty: a pair of one file.
PairRepair repairLinePair(const QString &first, const QString &second);
// Writes both files as above; false when the new pair does not stand (the old pair then does).
bool writeLinePair(const QString &first, const QStringList &firstLines, const QString &second,
                   const QStringList &secondLines);

} // namespace core
