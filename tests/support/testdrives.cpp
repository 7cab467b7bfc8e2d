#include "support/testdrives.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#ifndef _WIN32
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>
#endif

#ifdef _WIN32

TestDrives::TestDrives()
{
    testsupport::MappedDriveTable table;
    table.add({u'C', m_c.path().toStdString(), platform::DriveType::Fixed, u"System"});
    table.add({u'D', m_d.path().toStdString(), platform::DriveType::Fixed, u"Data"});
    auto backEnd = std::make_unique<TestPlatform>(std::move(table));
    // Wine's recycle bin is the trash of the home it runs in: used only when the runner says
    // that home is a throwaway one, and emptied for each test.
    const QString trash = homeTrash();
    backEnd->recycleBin = runningUnderWine() && !trash.isEmpty();
    // The folders themselves stay: Wine makes them once per process.
    for (const QString folder : {"/files", "/info"}) {
        if (!backEnd->recycleBin)
            break;
        const QDir place(trash + folder);
        for (const QFileInfo &entry :
             place.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System)) {
            if (entry.isDir() && !entry.isSymLink())
                QDir(entry.filePath()).removeRecursively();
            else
                QFile::remove(entry.filePath());
        }
    }
    m_platform = backEnd.get();
    platform::install(std::move(backEnd));
}

TestDrives::~TestDrives()
{
    platform::install(nullptr);
}

// Under Wine: the trash of the throwaway home Wine runs in, which the test runner names
// (ZUN_WINE_TRASH, a host path), reached through Z:. None elsewhere.
QString TestDrives::homeTrash() const
{
    const QString trash = qEnvironmentVariable("ZUN_WINE_TRASH");
    return runningUnderWine() && trash.startsWith('/') ? "Z:" + trash : QString();
}

void TestDrives::noTrashOnD() const
{
    m_platform->drivesWithoutRecycleBin.insert(u'D');
}

// Wine enforces no folder rights (ACLs), so nothing locks a folder there; the tests that need a
// locked folder skip on Windows.
bool TestDrives::lockFolder(const QString &)
{
    return false;
}

bool makeFifo(const QString &)
{
    return false;
}

bool TestDrives::setDosAttributes(const QString &programPath, std::uint32_t attributes) const
{
    return m_platform->setFileAttributes(programPath.toStdU16String(), attributes);
}

#else

namespace {

// The immutable flag of a host folder on or off; false when the file system refuses.
bool setImmutable(const QString &host, bool on)
{
    const int fd = ::open(QFile::encodeName(host).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    int flags = 0;
    bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (done) {
        flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
        done = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(fd);
    return done;
}

} // namespace

TestDrives::TestDrives()
{
    platform::posix::DriveTable table;
    table.add({u'C', m_c.path().toStdString(), platform::DriveType::Fixed, u"System"});
    table.add({u'D', m_d.path().toStdString(), platform::DriveType::Fixed, u"Data"});
    auto backEnd = std::make_unique<TestPlatform>(table);
    platform::posix::TrashPlaces trash;
    trash.homeTrash = homeTrash().toStdString();
    trash.uid = ::getuid();
    backEnd->setTrashPlaces(trash);
    m_platform = backEnd.get();
    platform::install(std::move(backEnd));
}

TestDrives::~TestDrives()
{
    // Unlocked first, or the temporary folders could not be removed.
    for (const QString &host : std::as_const(m_locked)) {
        if (::geteuid() == 0)
            setImmutable(host, false);
        else
            ::chmod(QFile::encodeName(host).constData(), 0755);
    }
    platform::install(nullptr);
}

QString TestDrives::homeTrash() const
{
    return m_home.path() + "/Trash";
}

bool TestDrives::setDosAttributes(const QString &programPath, std::uint32_t attributes) const
{
    const QByteArray value = "0x" + QByteArray::number(attributes, 16);
    return ::setxattr(QFile::encodeName(host(programPath)).constData(), "user.DOSATTRIB", value.constData(),
                      std::size_t(value.size()), 0) == 0;
}

bool makeFifo(const QString &hostPath)
{
    return ::mkfifo(QFile::encodeName(hostPath).constData(), 0600) == 0;
}

long peakResidentKilobytes()
{
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

void TestDrives::noTrashOnD() const
{
    platform::posix::TrashPlaces trash;
    trash.homeTrash = homeTrash().toStdString();
    trash.uid = ::getuid();
    trash.mountPoints = {m_d.path().toStdString()};
    m_platform->setTrashPlaces(trash);
    QFile place(m_d.path() + "/.Trash-" + QString::number(::getuid()));
    if (place.open(QIODevice::WriteOnly))
        place.write("ikke en mappe");
}

bool TestDrives::lockFolder(const QString &programPath)
{
    const QString path = host(programPath);
    const bool locked =
        ::geteuid() == 0 ? setImmutable(path, true) : ::chmod(QFile::encodeName(path).constData(), 0555) == 0;
    if (locked)
        m_locked << path;
    return locked;
}

#endif

QString TestDrives::host(const QString &programPath) const
{
    return QString::fromStdU16String(m_platform->hostPath(programPath.toStdU16String()));
}

void TestDrives::writeBytes(const QString &programPath, const QByteArray &bytes) const
{
    const QString path = host(programPath);
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

QByteArray TestDrives::readBytes(const QString &programPath) const
{
    QFile file(host(programPath));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
