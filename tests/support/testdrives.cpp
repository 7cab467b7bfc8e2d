#include "support/testdrives.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

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
