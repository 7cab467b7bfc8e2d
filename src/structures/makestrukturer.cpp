#include "structures/makestrukturer.h"

#include "core/danishorder.h"
#include "core/eventsduring.h"
#include "core/files.h"
#include "core/paths.h"
#include "platform/Platform.h"
#include "structures/pictures.h"

#include <vector>

namespace {

const QString kKindFolder = QStringLiteral("0");
const QString kKindFile = QStringLiteral("1");
const QString kKindProtected = QStringLiteral("5");

// Runs `each` on the listing of dir without "." and ".."; a folder that cannot be read gives
// nothing, and a reading that fails midway keeps what it read. The trees show no sizes.
template<typename Each> void forEachEntry(const QString &dir, Each each)
{
    std::vector<platform::FindData> entries;
    platform::current().findFiles(dir.toStdU16String(), entries, platform::FindDetail::NoSizes);
    core::sortEntriesDanish(entries);
    const QString prefix = core::delimKon(dir);
    for (const auto &entry : entries) {
        if (entry.name == u"." || entry.name == u"..")
            continue;
        const QString name = QString::fromStdU16String(entry.name);
        each(name, prefix + name, entry.attributes);
    }
}

// Whether a listed entry exists as a folder (or as a file). The listing has just seen it; only
// a link can stand for nothing (a broken one is not shown), so only links are looked up again.
bool exists(const QString &path, std::uint32_t attributes, bool folder)
{
    if (!(attributes & platform::FILE_ATTRIBUTE_REPARSE_POINT))
        return bool(attributes & platform::FILE_ATTRIBUTE_DIRECTORY) == folder;
    return folder ? core::directoryExists(path) : core::fileExists(path);
}

// Folder entries to `folders` (kind "0") and file entries to `files` (name, "", path, "1").
void listFolder(const QString &dir, bool showHidden, QStringList &folders, QStringList &files)
{
    forEachEntry(dir, [&](const QString &name, const QString &path, std::uint32_t attributes) {
        if (!showHidden && (attributes & platform::FILE_ATTRIBUTE_HIDDEN))
            return;
        if (attributes & platform::FILE_ATTRIBUTE_DIRECTORY) {
            if (exists(path, attributes, true))
                folders << name << path << QString() << kKindFolder;
        } else if (exists(path, attributes, false)) {
            files << name << QString() << path << kKindFile;
        }
    });
}

} // namespace

TMakeStrukturer::TMakeStrukturer(QObject *owner)
    : TStrukMapper(owner)
{}

bool TMakeStrukturer::isProtectedName(const QString &name)
{
    return name.compare(QLatin1String("Windows"), Qt::CaseInsensitive) == 0 ||
           name.compare(QLatin1String("Program Files"), Qt::CaseInsensitive) == 0 ||
           name.compare(QLatin1String("Program Files (x86)"), Qt::CaseInsensitive) == 0;
}

QString TMakeStrukturer::getLastDirectory(const QString &aDirectory)
{
    return core::getLastDirectory(aDirectory);
}

void TMakeStrukturer::addSL(const QString &dir)
{
    forEachEntry(dir, [this](const QString &name, const QString &path, std::uint32_t attributes) {
        if (!(attributes & platform::FILE_ATTRIBUTE_DIRECTORY) || !exists(path, attributes, true))
            return;
        if (!FShowHidden && (attributes & platform::FILE_ATTRIBUTE_HIDDEN))
            return;
        SL << name << path << QString() << (isProtectedName(name) ? kKindProtected : kKindFolder);
    });
}

void TMakeStrukturer::addSLfil(const QString &dir)
{
    listFolder(dir, FShowHidden, SL, SLfil);
}

bool TMakeStrukturer::driveNode(const QString &root, DriveNode &node)
{
    const QString letter = root.left(1).toUpper();
    switch (getDrevType(root)) {
    case 1:
        node = {getVolumeLabel(letter.at(0)) + " (" + letter + ":)", 2};
        return true;
    case 2:
        node = {getVolumeLabel(letter.at(0)) + " (" + letter + ":)", letter == QLatin1String("C") ? 1 : 2};
        return true;
    case 3:
        node = {"Diskdrev(" + letter + ":)", 12};
        return true;
    default:
        return false;
    }
}

std::vector<TMakeStrukturer::ShownDrive> TMakeStrukturer::shownDrives()
{
    std::vector<ShownDrive> drives;
    for (const auto &root16 : platform::current().logicalDrives()) {
        ShownDrive drive;
        drive.root = QString::fromStdU16String(root16);
        if (core::directoryExists(drive.root) && driveNode(drive.root, drive.node))
            drives.push_back(drive);
    }
    return drives;
}

void TMakeStrukturer::addDriveNode(const ShownDrive &drive)
{
    FStruktur1->addNode(nullptr, drive.node.caption, drive.node.picture,
                        {drive.root.left(2), QString(), nodeKind::drev});
}

void TMakeStrukturer::makePreStruktur(bool asFirst)
{
    if (asFirst)
        FStruktur1->clear();
    const QString profile = "C:\\users\\" + FBrugernavn;
    const bool hasProfile = core::directoryExists(profile);
    StrukturNode *user = FStruktur1->addNode(
        nullptr, FBrugernavn, 11, {hasProfile ? profile : QStringLiteral("C:"), QString(), nodeKind::privat});
    static const struct
    {
        const char *suffix;
        const char *caption;
        int picture;
    } privateFolders[] = {
        {"\\Desktop", "Skrivebord", 9}, {"\\Documents", "Dokumenter", 6}, {"\\Pictures", "Billeder", 5},
        {"\\Music", "Musik", 7},        {"\\Videos", "Videoer", 8},       {"\\Favorites", "Favoritter", 10},
    };
    for (const auto &folder : privateFolders) {
        const QString path = profile + QLatin1String(folder.suffix);
        if (core::directoryExists(path))
            FStruktur1->addNode(user, QString::fromUtf8(folder.caption), folder.picture,
                                {path, QString(), nodeKind::privat});
    }
    FStruktur1->expandNode(FStruktur1->firstNode());
}

void TMakeStrukturer::makePreDrives()
{
    if (FShowPrivate)
        makePreStruktur(true);
    else
        FStruktur1->clear();
    for (const ShownDrive &drive : shownDrives())
        addDriveNode(drive);
}

QString TMakeStrukturer::makeStruktur1()
{
    makePreDrives();
    StrukturNode *first = FStruktur1->firstNode();
    if (!first)
        return QString();
    FStruktur1->selectNode(first);
    return first->rec.mappe;
}

void TMakeStrukturer::addFolderNodes(StrukturNode *parent, int picture)
{
    for (qsizetype i = 0; i + 3 < SL.size(); i += 4)
        FStruktur1->addNode(parent, SL.at(i), picture, {SL.at(i + 1), SL.at(i + 2), SL.at(i + 3).toInt()});
}

QString TMakeStrukturer::makeStruktur2(const QString &aDirectory)
{
    QString folder = aDirectory;
    if (!core::directoryExists(folder)) {
        // The folder tree's first node; with an empty folder tree the file tree shows C:.
        const StrukturNode *first = FStruktur1 ? FStruktur1->firstNode() : nullptr;
        folder = first ? first->rec.mappe : QStringLiteral("C:");
    }
    FMappenavn = folder;
    SL.clear();
    SLfil.clear();
    FStruktur2->clear();

    // A folder of 100,000 files takes a second to list: the listing and the nodes are made on
    // a worker, into lists of its own, while the window repaints without taking input.
    QStringList folders, files;
    std::vector<std::unique_ptr<StrukturNode>> nodes;
    const bool showHidden = FShowHidden;
    core::whileProcessingEvents(
        [&] {
            listFolder(folder, showHidden, folders, files);
            nodes.reserve(std::size_t(folders.size() + files.size()) / 4);
            auto add = [&nodes](const QString &text, int picture, StrukturRec rec) {
                auto node = std::make_unique<StrukturNode>();
                node->text = text;
                node->picture = qint16(picture);
                node->rec = std::move(rec);
                nodes.push_back(std::move(node));
            };
            for (qsizetype i = 0; i + 3 < folders.size(); i += 4)
                add(folders.at(i), 1, {folders.at(i + 1), QString(), nodeKind::mappe});
            for (qsizetype i = 0; i + 3 < files.size(); i += 4)
                add(files.at(i), filePicture(files.at(i + 2)), {QString(), files.at(i + 2), nodeKind::fil});
        },
        QEventLoop::ExcludeUserInputEvents);
    SL = std::move(folders);
    SLfil = std::move(files);
    FStruktur2->strukturModel()->appendTopNodes(std::move(nodes));
    return folder;
}
