#pragma once
// The structure builder: fills the folder tree with drives, the private folders and folders
// read one level at a time, and the file tree with the contents of one folder.

#include "structures/grundobjekt.h"
#include "structures/strukturmodel.h"
#include "structures/strukturnr.h"

#include <QStringList>
#include <functional>
#include <vector>

struct StrukturNode;

class TMakeStrukturer : public TStrukMapper
{
    Q_OBJECT
public:
    // A drive was chosen from the drive menu: its path, and whether the file tree shows it.
    using TonDirectoryChange = std::function<void(const QString &denneSti, bool medSti)>;

    explicit TMakeStrukturer(QObject *owner = nullptr);

    void setOnDirectoryChange(TonDirectoryChange value) { FonDirectoryChange = std::move(value); }

    void makePreStruktur(bool asFirst);
    void makePreDrives();
    // Folder entries of dir: four lines each (name, path, "", kind "0" or "5").
    void addSL(const QString &dir);
    // Folder entries to SL (kind "0") and file entries to SLfil (name, "", path, "1").
    void addSLfil(const QString &dir);
    static QString getLastDirectory(const QString &aDirectory);
    QString makeStruktur1();
    QString makeStruktur2(const QString &aDirectory);

    // A folder called "Windows", "Program Files" or "Program Files (x86)", in any letter case.
    static bool isProtectedName(const QString &name);
    // The node of a drive root such as "E:\" as the trees show it; false for kinds not shown.
    struct DriveNode
    {
        QString caption;
        int picture = 0;
    };
    static bool driveNode(const QString &root, DriveNode &node);
    // The existing drives of the kinds the trees show, in the platform's order, with their
    // nodes.
    struct ShownDrive
    {
        QString root; // "C:\\"
        DriveNode node;
    };
    static std::vector<ShownDrive> shownDrives();
    // Adds the top-level node of a drive.
    void addDriveNode(const ShownDrive &drive);

    QStringList SL;
    QStringList SLfil;

protected:
    // Adds one node per folder entry of SL below `parent` (top level when none).
    void addFolderNodes(StrukturNode *parent, int picture);

    int StartNo = 0;
    TonDirectoryChange FonDirectoryChange;
};
