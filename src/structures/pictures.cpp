#include "structures/pictures.h"

#include "structures/strukturmodel.h"

#include <QHash>

namespace {

const char *folderTreeIcon(int number)
{
    switch (number) {
    case 1:
        return "drive-harddisk-root";
    case 2:
        return "drive-harddisk";
    case 5:
        return "folder-pictures";
    case 6:
        return "folder-documents";
    case 7:
        return "folder-music";
    case 8:
        return "folder-videos";
    case 9:
        return "user-desktop";
    case 10:
        return "folder-favorites";
    case 11:
        return "user-home";
    case 12:
        return "drive-optical";
    default:
        return "folder";
    }
}

const char *fileTreeIcon(int number)
{
    switch (number) {
    case 1:
        return "folder";
    case 3:
        return "image-x-generic";
    case 4:
        return "audio-mpeg";
    case 5:
        return "video-mp4";
    case 6:
        return "text-plain";
    case 7:
        return "application-x-ms-dos-executable";
    case 8:
    case 9:
    case 12:
        return "video-x-generic";
    case 10:
        return "audio-mp4";
    case 11:
        return "application-x-desktop";
    case 13:
        return "audio-x-wav";
    case 14:
    case 26:
        return "text-x-script";
    case 15:
        return "emblem-important";
    case 18:
        return "text-x-pascal";
    case 20:
        return "text-rtf";
    case 21:
    case 25:
        return "application-x-shellscript";
    case 22:
        return "application-javascript";
    case 23:
        return "text-html";
    case 24:
        return "text-css";
    case 28:
        return "application-pdf";
    case 29:
        return "application-zip";
    case 30:
        return "text-x-generic";
    default:
        return "application-octet-stream";
    }
}

} // namespace

QIcon strukturPicture(PictureSet set, int number)
{
    static QHash<int, QIcon> cache[2];
    auto &icons = cache[set == PictureSet::FolderTree ? 0 : 1];
    auto found = icons.constFind(number);
    if (found != icons.constEnd())
        return *found;
    const QIcon icon =
        QIcon::fromTheme(set == PictureSet::FolderTree ? folderTreeIcon(number) : fileTreeIcon(number));
    icons.insert(number, icon);
    return icon;
}

bool isPictureExtension(const QString &extension)
{
    static const QStringList pictures{".jpg", ".png", ".bmp", ".ico", ".gif"};
    return pictures.contains(extension.toLower());
}

bool isTextExtension(const QString &extension)
{
    static const QStringList texts{".asp", ".bat", ".html", ".inc", ".js",  ".vbs", ".css",
                                   ".txt", ".wsf", ".xml",  ".rtf", ".asa", ".ps1"};
    return texts.contains(extension.toLower());
}

QString extensionOf(const QString &path)
{
    const qsizetype dot = path.lastIndexOf(u'.');
    const qsizetype slash = path.lastIndexOf(u'\\');
    return dot > slash ? path.mid(dot) : QString();
}

int filePicture(const QString &path)
{
    static const QHash<QString, int> table = {
        {".rtf", 20}, {".vbs", 21}, {".wsf", 21}, {".js", 22},  {".html", 23}, {".asp", 23},
        {".inc", 23}, {".asa", 23}, {".css", 24}, {".bat", 25}, {".ps1", 26},  {".txt", 6},
        {".xml", 6},  {".xsd", 6},  {".log", 6},  {".mp3", 4},  {".m4a", 10},  {".mp4", 5},
        {".m4v", 8},  {".avi", 9},  {".mpg", 12}, {".wav", 13}, {".exe", 7},   {".lnk", 11},
        {".iss", 14}, {".pas", 18}, {".pdf", 28}, {".zip", 29}, {".dfm", 30},
    };
    // The extensions are all distinct, so a hash gives the same answer as testing rows in order.
    const QString extension = extensionOf(path).toLower();
    if (isPictureExtension(extension))
        return 3;
    return table.value(extension, 2);
}
