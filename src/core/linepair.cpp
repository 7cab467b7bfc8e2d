#include "core/linepair.h"

#include "core/files.h"
#include "core/linefile.h"

namespace core {

QString pendingName(const QString &path)
{
    return path + ".ny";
}

PairRepair repairLinePair(const QString &first, const QString &second)
{
    const QString firstPending = pendingName(first);
    const QString secondPending = second.isEmpty() ? QString() : pendingName(second);
    const bool firstWaits = fileExists(firstPending);
    const bool secondWaits = !second.isEmpty() && fileExists(secondPending);
    if (firstWaits) {
        bool removed = deleteFile(firstPending);
        if (secondWaits)
            removed = deleteFile(secondPending) && removed;
        return removed ? PairRepair::OldPairKept : PairRepair::Failed;
    }
    if (secondWaits)
        return replaceFile(secondPending, second) ? PairRepair::NewPairDone : PairRepair::Failed;
    return PairRepair::Nothing;
}

bool writeLinePair(const QString &first, const QStringList &firstLines, const QString &second,
                   const QStringList &secondLines)
{
    // A save interrupted before settles first, so its pending files are not taken for this one's.
    if (repairLinePair(first, second) == PairRepair::Failed)
        return false;
    const QString firstPending = pendingName(first);
    if (!writeLines(firstPending, firstLines)) {
        deleteFile(firstPending);
        return false;
    }
    if (!second.isEmpty() && !writeLines(pendingName(second), secondLines)) {
        deleteFile(firstPending);
        deleteFile(pendingName(second));
        return false;
    }
    if (!replaceFile(firstPending, first)) {
        deleteFile(firstPending);
        if (!second.isEmpty())
            deleteFile(pendingName(second));
        return false;
    }
    // The new pair counts from here; a failed rename of the second is finished by the next repair.
    if (!second.isEmpty())
        replaceFile(pendingName(second), second);
    return true;
}

} // namespace core
