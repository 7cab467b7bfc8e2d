#pragma once
// A drive table of the test's own: C: and D: as two temporary folders, installed as the
// platform back end for the test's lifetime. The host's own back end lies below: on Linux the
// posix one, on Windows the Windows one with the drive letters mapped onto the folders.

#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <optional>

#ifdef _WIN32
#include "support/mappedwin32.h"
using TestBackEnd = testsupport::MappedWin32Platform;
#else
#include "platform/posix/posixplatform.h"
using TestBackEnd = platform::posix::PosixPlatform;
inline bool runningUnderWine()
{
    return false;
}
#endif

// Skips a test that cannot run on Windows, with the reason; nothing elsewhere.
#ifdef _WIN32
#define SKIP_ON_WINDOWS(reason) QSKIP(reason)
#else
#define SKIP_ON_WINDOWS(reason) static_cast<void>(0)
#endif
// The tests' symbolic links are made with QFile::link, which makes a shortcut on Windows.
#define SKIP_LINKS_ON_WINDOWS()                                                                              \
    SKIP_ON_WINDOWS("needs symbolic links: Wine makes none, Windows only in developer mode")

#ifdef _WIN32
constexpr bool kWindowsHost = true;
#else
constexpr bool kWindowsHost = false;
#endif
// A FIFO at a host path; false on Windows, which has none.
bool makeFifo(const QString &hostPath);
constexpr bool kHostHasFifos = !kWindowsHost;
// The process's peak resident set so far, in kilobytes.
long peakResidentKilobytes();

class TestPlatform : public TestBackEnd
{
public:
    using TestBackEnd::TestBackEnd;
    // None makes the user name fail, as GetUserNameW can.
    std::optional<std::u16string> user = u"Tester";
    bool userName(std::u16string &name) const override
    {
        if (!user)
            return false;
        name = *user;
        return true;
    }

    // Program paths whose deletion fails with AccessDenied, as a file in a read-only folder does
    // for a user: root may remove anything, so a test cannot rely on permissions alone.
    QStringList refusedDeletes;
    bool deleteFile(const platform::Path &path) override
    {
        if (refusedDeletes.contains(QString::fromStdU16String(path), Qt::CaseInsensitive)) {
            platform::setLastError(platform::Win32Error::AccessDenied);
            return false;
        }
        return TestBackEnd::deleteFile(path);
    }

    // Called after each entry a folder deletion removed, before the caller hears of it: a test
    // may slow the deletion down there to watch its progress.
    std::function<void()> onEntryRemoved;
    using TestBackEnd::deleteFolder;
    bool deleteFolder(const platform::Path &path, const platform::DeleteProgressRoutine &perEntry,
                      platform::Path *failedEntry) override
    {
        if (!onEntryRemoved)
            return TestBackEnd::deleteFolder(path, perEntry, failedEntry);
        return TestBackEnd::deleteFolder(
            path,
            [&](bool folder, std::uint64_t size) {
                onEntryRemoved();
                if (perEntry)
                    perEntry(folder, size);
            },
            failedEntry);
    }

    // A destination drive with this much room, whatever the disk has.
    std::optional<std::uint64_t> freeToCaller;
    // A drive of this size, whatever the disk has.
    std::optional<std::uint64_t> totalBytes;
    bool diskFreeSpace(const platform::Path &folder, platform::DiskSpace &space) const override
    {
        if (!TestBackEnd::diskFreeSpace(folder, space))
            return false;
        if (freeToCaller)
            space.freeToCaller = *freeToCaller;
        if (totalBytes)
            space.total = *totalBytes;
        return true;
    }

    // Program paths whose attributes may not be changed (AccessDenied), as another user's file
    // for a user: root may change anything.
    QStringList refusedAttributeChanges;
    bool setFileAttributes(const platform::Path &path, std::uint32_t attributes) override
    {
        if (refusedAttributeChanges.contains(QString::fromStdU16String(path), Qt::CaseInsensitive)) {
            platform::setLastError(platform::Win32Error::AccessDenied);
            return false;
        }
        return TestBackEnd::setFileAttributes(path, attributes);
    }

    // Called before each folder listing, on the thread that lists: a test may hold a walk there.
    std::function<void(const QString &folder)> beforeListing;
    // Program paths of folders that cannot be listed (AccessDenied), as a folder of mode 000 for
    // a user: root may list anything.
    QStringList refusedListings;
    bool findFiles(const platform::Path &folder, std::vector<platform::FindData> &entries,
                   platform::FindDetail detail = platform::FindDetail::All) const override
    {
        if (beforeListing)
            beforeListing(QString::fromStdU16String(folder));
        if (refusedListings.contains(QString::fromStdU16String(folder), Qt::CaseInsensitive)) {
            platform::setLastError(platform::Win32Error::AccessDenied);
            return false;
        }
        return TestBackEnd::findFiles(folder, entries, detail);
    }

    // The recording shell: nothing is launched during tests.
    struct ShellCall
    {
        QString verb, file, parameters, directory;
        int showCommand;
    };
    QList<ShellCall> shellCalls;
    int shellResult = 42;
    int shellExecute(const std::u16string &verb, const platform::Path &file, const std::u16string &parameters,
                     const platform::Path &directory, int showCommand) override
    {
        shellCalls.append({QString::fromStdU16String(verb), QString::fromStdU16String(file),
                           QString::fromStdU16String(parameters), QString::fromStdU16String(directory),
                           showCommand});
        return shellResult;
    }
};

class TestDrives
{
public:
    TestDrives();
    ~TestDrives();

    // Host folder of a program path, for arranging and checking files behind the program's back.
    QString host(const QString &programPath) const;
    QString rootC() const { return m_c.path(); }
    QString rootD() const { return m_d.path(); }
    TestPlatform &backEnd() const { return *m_platform; }

    // DOS attributes (hidden, system) on a file: Windows' own, on Linux kept as Samba and Wine
    // keep them (user.DOSATTRIB). False where the file system keeps none.
    bool setDosAttributes(const QString &programPath, std::uint32_t attributes) const;

    // Writes raw bytes to a program path, making the folders on the way.
    void writeBytes(const QString &programPath, const QByteArray &bytes) const;
    QByteArray readBytes(const QString &programPath) const;

    // The test's own home trash (one volume for everything unless a test says otherwise).
    // Windows: under Wine the trash of the throwaway home it runs in, else none (empty).
    QString homeTrash() const;
    // Drive D: as a volume of its own whose trash cannot be made (a file holds its name), so
    // nothing of D: can go to the recycle bin. On Windows: a drive without a recycle bin.
    void noTrashOnD() const;

    // Nothing in the folder can be removed or added until the test ends: no write permission
    // for a user, the immutable flag for root (who ignores permissions). False when this file
    // system cannot do that for root, and on Windows.
    bool lockFolder(const QString &programPath);

private:
    QTemporaryDir m_c;
    QTemporaryDir m_d;
    QTemporaryDir m_home;
    TestPlatform *m_platform;
    QStringList m_locked;
};
