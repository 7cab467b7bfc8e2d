#include "support/testdrives.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <unistd.h>

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
