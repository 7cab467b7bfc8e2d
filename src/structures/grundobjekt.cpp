#include "structures/grundobjekt.h"

#include "core/files.h"
#include "core/paths.h"
#include "platform/Platform.h"
#include "structures/pictures.h"

namespace {

QString specialFolder(int csidl, const char *failure)
{
    platform::Path path;
    if (!platform::current().specialFolder(csidl, path))
        throw StrukturFejl(QString::fromUtf8(failure));
    return core::withoutTrailingBackslash(QString::fromStdU16String(path));
}

} // namespace

TGrundObjekt::TGrundObjekt(QObject *owner)
    : QObject(owner)
{}

QString TMapper::GetMyDesktop() const
{
    return specialFolder(platform::CSIDL_DESKTOPDIRECTORY, "Kunne ikke finde skrivebordsmappen.");
}

QString TMapper::GetMyDocuments() const
{
    return specialFolder(platform::CSIDL_PERSONAL, "Kunne ikke finde dokumentmappen.");
}

QString TMapper::GetMyFavorit() const
{
    return specialFolder(platform::CSIDL_FAVORITES, "Kunne ikke finde favoritmappen.");
}

QString TMapper::GetMyPictures() const
{
    return specialFolder(platform::CSIDL_MYPICTURES, "Kunne ikke finde billedmappen.");
}

QString TMapper::GetMyMusic() const
{
    return specialFolder(platform::CSIDL_MYMUSIC, "Kunne ikke finde musikmappen.");
}

QString TMapper::GetMyVideo() const
{
    return specialFolder(platform::CSIDL_MYVIDEO, "Kunne ikke finde videomappen.");
}

QString TMapper::GetStartMenuPrograms() const
{
    return specialFolder(platform::CSIDL_PROGRAMS, "Kunne ikke finde startmenumappen.");
}

QString TMapper::GetMyApp() const
{
    return specialFolder(platform::CSIDL_LOCAL_APPDATA, "Kunne ikke finde programmappen.");
}

QString TMapper::GetCommonDocuments() const
{
    return specialFolder(platform::CSIDL_COMMON_DOCUMENTS,
                         "Kunne ikke finde dokumentmappen for alle brugere.");
}

QString TMapper::GetCommonMusic() const
{
    return specialFolder(platform::CSIDL_COMMON_MUSIC, "Kunne ikke finde musikmappen for alle brugere.");
}

QString TMapper::GetCommonPictures() const
{
    return specialFolder(platform::CSIDL_COMMON_PICTURES, "Kunne ikke finde billedmappen for alle brugere.");
}

QString TMapper::GetCommonVideo() const
{
    return specialFolder(platform::CSIDL_COMMON_VIDEO, "Kunne ikke finde videomappen for alle brugere.");
}

QString TMapper::GetMyDownLoad() const
{
    const QString downloads = "C:\\users\\" + FBrugernavn + "\\Downloads";
    return core::directoryExists(downloads) ? downloads : QStringLiteral("C:");
}

QString TMapper::GetAllUsers() const
{
    const QString all = QStringLiteral("C:\\users\\Public");
    return core::directoryExists(all) ? all : QStringLiteral("C:");
}

bool TMapper::erDetEnBilledfil(const QString &extS)
{
    return isPictureExtension(extS);
}

bool TMapper::erDetEnTekstfil(const QString &extS)
{
    return isTextExtension(extS);
}

TStrukMapper::TStrukMapper(QObject *owner)
    : TMapper(owner)
{
    QString name;
    FBrugernavn = core::userName(name) ? name : QStringLiteral("Brugernavn");
}

int TStrukMapper::getDrevType(const QString &aDrev)
{
    switch (platform::current().driveType(aDrev.toStdU16String())) {
    case platform::DriveType::Removable:
        return 1;
    case platform::DriveType::Fixed:
        return 2;
    case platform::DriveType::CdRom:
        return 3;
    case platform::DriveType::RamDisk:
        return 4;
    case platform::DriveType::Remote:
        return 5;
    default:
        return 0;
    }
}

QString TStrukMapper::getVolumeLabel(QChar DriveChar)
{
    std::u16string label;
    const std::u16string root{DriveChar.unicode(), u':', u'\\'};
    if (!platform::current().volumeLabel(root, label))
        return QString();
    return QString::fromStdU16String(label);
}
