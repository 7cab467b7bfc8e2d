#pragma once
// The file methods of an explorer window, built as a chain: TMetoder (owned objects, naming
// rules, size texts, file pictures, folder counting, clipboard size), TPreMetoder (putting
// elements on the clipboard), TFilMappeDrevInfo (the properties window's content) and
// TMetodeCompo (rename, new folder, paste destination and lists, recycle bin).

#include "fileops/klipbord.h"
#include "fileops/propertiesview.h"
#include "structures/strukturnr.h"

#include <QFutureWatcher>
#include <QObject>
#include <QStringList>
#include <functional>
#include <stdexcept>

class TStrukturCompo;
struct StrukturNode;
namespace filinfo {
class FolderCount;
}

// A file whose size cannot be read; the message is Danish.
class FilFejl : public std::runtime_error
{
public:
    explicit FilFejl(const QString &path)
        : std::runtime_error(path.toStdString())
    {}
};

class TMetoder : public QObject
{
    Q_OBJECT
public:
    // The clipboard is `sharedKlipbord` when given; else the method object makes its own
    // (the explorer window decides: its own when it is number 1 or sharing is off).
    explicit TMetoder(QObject *owner = nullptr, Klipbord *sharedKlipbord = nullptr);
    ~TMetoder() override;

    void setBoolVisKlipbord(bool value) { m_visKlipbord = value; }
    // The move flag of the clipboard in use (see Klipbord::flytElementer).
    void setFlytElementer(bool value)
    {
        if (FKlipbord)
            FKlipbord->flytElementer = value;
    }
    // Stores the clipboard, or makes a new one of its own when given none.
    void setKlipbord(Klipbord *value);
    void setStrukturY(TStrukturCompo *value);
    Klipbord *klipbord() const { return FKlipbord; }
    bool ownsKlipbord() const { return m_ownsKlipbord; }
    TStrukturCompo *strukturY() const { return FStrukturY; }
    bool flytElementer() const { return FKlipbord && FKlipbord->flytElementer; }

    // Hooks to the windows around: show the clipboard window; write the explorer window's
    // size field.
    std::function<void()> onVisKlipbord;
    std::function<void(const QString &)> onUdskrivTilWin;

    static QString delimKon(const QString &S);
    static QString getLastDirectory(const QString &aDirectory);
    static QString getNewDirectoryName(const QString &aDirectory, const QString &subTekst);
    static QString getNewFilename(const QString &oldFilename, const QString &newName,
                                  const QString &subTekst);
    static QString getSizeString(qint64 aSize);
    QString totalS() const;
    static bool erDetEnBilledfil(const QString &ext);
    static int getFilensImageIndex(const QString &aFilnavn);
    // The size of a file from its metadata (it is never opened); an empty file counts 1 byte.
    // `paaDisk`, when given, gets what the file takes on disk (a sparse file's holes take
    // nothing). Raises FilFejl when there is no such file.
    static qint64 getFilensSize(const QString &aFilnavn, qint64 *paaDisk = nullptr);
    // Counts the folder tree below dir into antalMapper, antalFiler and totalSize.
    bool getMappeInfo(const QString &dir);
    qint64 sizeOfKlipbord();
    // Starts the clipboard size computation in the background; returns "" at once.
    QString getSizeOfKlipbord();
    // The computation started last, for whoever must wait for it (tests, closing).
    QFuture<void> sizeComputation() const { return m_sizeDone; }

    QStringList listeMapper;
    QStringList listeFiler;
    int antalFiler = 0;
    int antalMapper = 0;
    qint64 totalSize = 0;

protected:
    Klipbord *FKlipbord = nullptr;
    TStrukturCompo *FStrukturY = nullptr;
    bool m_visKlipbord = false;
    bool m_ownsKlipbord = false;
    QFuture<void> m_sizeDone;
};

class TPreMetoder : public TMetoder
{
    Q_OBJECT
public:
    using TMetoder::TMetoder;

    // aList 1 the folder list, any other the file list; nothing when the path is there.
    void CopyListAdd(int aList, int aIndex, const QString &aTekst, bool check);
    bool RegisterElements(const QString &aElement);
    // Puts the selection of the tree named on the clipboard.
    int CopyElementer(StrukturNr tree);
};

// The properties window's content (filinfo.cpp): the file, folder and drive pages, filled
// into the window the explorer window gives it.
class TFilMappeDrevInfo : public TPreMetoder
{
    Q_OBJECT
public:
    using TPreMetoder::TPreMetoder;
    ~TFilMappeDrevInfo() override;

    // The properties window, owned by the explorer window; may be none.
    void setPropertiesView(PropertiesView *view);
    PropertiesView *propertiesView() const { return m_view; }
    // The folder of the program's icons ("...\\Ikoner\\"), given by the owner.
    void setIkonDir(const QString &value) { m_ikonDir = value; }
    QString ikonDir() const { return m_ikonDir; }

    // The kind of the tree's selected node; nodeKind::ingen (100) when none is selected.
    int getID(StrukturNr tree) const;
    void showFileInfo(const QString &aFilename);
    // The selected folder of the tree named (the file tree's current folder when nothing is
    // selected there); its tree is counted while the page is shown.
    void showMappeInfo(StrukturNr tree);
    void showDriveInfo(const QString &aDriveTekst);
    static QString getVolumeLabel(QChar letter);
    // "Lokal disk", "Flytbar disk", ...; "" for an unknown kind.
    static QString getDrevTypeString(QChar letter);
    // The drive's file system, "Ukendt" when it is not known.
    static QString getFileSystem(QChar letter);
    // The size text of a file's size; raises FilFejl when there is no such file.
    static QString getSizeInfo(const QString &aFilnavn);
    QString makeIconFilnavn(const QString &name) const;
    // Puts the file's picture in the icon box and returns its extension (lower case, no dot).
    // Raises FilFejl when the picture it falls back on is missing.
    QString insertIkon(const QString &aFilnavn);
    // The count of the folder page (none before the first folder is shown).
    filinfo::FolderCount *folderCount() const { return m_count; }

private:
    void stopCount();
    void failWith(const QString &message);

    PropertiesView *m_view = nullptr;
    QString m_ikonDir;
    filinfo::FolderCount *m_count = nullptr;
};

class TMetodeCompo : public TFilMappeDrevInfo
{
    Q_OBJECT
public:
    using TFilMappeDrevInfo::TFilMappeDrevInfo;

    // SHEmptyRecycleBinW for aDrive; with Confirm the user is asked first.
    int EmptyRecycleBin(bool Confirm, const QString &aDrive);
    // The commands below act on the tree they are given.
    void editSelected(StrukturNr tree);
    // A file node of the file tree.
    QString RenameFil(const QString &aOldName, const QString &aNewName, StrukturNode *aNode);
    QString RenameMappe(StrukturNr tree, const QString &aOldName, const QString &aNewName,
                        StrukturNode *aNode);
    QString OpretNyMappe(StrukturNr tree, const QString &mappeNavnet);
    bool SelectMappe(StrukturNr tree, const QString &aNewMappe);
    QString getDestination(StrukturNr tree) const;
    int loadLister(QStringList &aMlist, QStringList &aFlist, const QString &aDest);
};
