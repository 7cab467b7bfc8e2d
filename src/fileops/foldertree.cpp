#include "fileops/foldertree.h"

#include "core/paths.h"
#include "platform/Platform.h"

#include <vector>

bool countTree(const QString &top, TreeCount &count,
               const std::function<bool(const TreeCount &count)> &afterFolder)
{
    auto &system = platform::current();
    std::vector<platform::FindData> entries;
    // DOS attributes are not needed to count, and reading them costs a look-up per entry.
    if (!system.findFiles(top.toStdU16String(), entries, platform::FindDetail::NoAttributes))
        return false;
    // Depth first with a stack of its own: a deep tree needs no deep call stack.
    std::vector<QString> pending;
    QString folder = top;
    for (;;) {
        const QString prefix = core::delimKon(folder);
        for (const auto &entry : entries) {
            if (entry.name == u"." || entry.name == u"..")
                continue;
            if (entry.attributes & platform::FILE_ATTRIBUTE_DIRECTORY) {
                ++count.folders;
                if (!(entry.attributes & platform::FILE_ATTRIBUTE_REPARSE_POINT))
                    pending.push_back(prefix + QString::fromStdU16String(entry.name));
            } else {
                ++count.files;
                count.bytes += static_cast<qint64>(entry.size);
                count.onDisk += static_cast<qint64>(entry.allocatedSize);
                if (entry.size == 0)
                    ++count.emptyFiles;
            }
        }
        if (afterFolder && !afterFolder(count)) {
            count.complete = false;
            return true;
        }
        for (;;) {
            if (pending.empty())
                return true;
            folder = std::move(pending.back());
            pending.pop_back();
            entries.clear();
            if (system.findFiles(folder.toStdU16String(), entries, platform::FindDetail::NoAttributes))
                break;
            count.complete = false;
        }
    }
}
