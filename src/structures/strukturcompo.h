#pragma once
// The structure component: how an explorer window drives its two trees. It expands folders on
// demand, finds and selects folders and files, hands out the selection as paths, builds the
// drive menu, lists one file type, renames extensions in bulk, and saves and loads a tree.

#include "structures/makestrukturer.h"

#include <QPoint>
#include <QStringList>

class QAction;
class QMenu;

// What SelectMapperFiler does to the file tree's nodes.
namespace markering {
constexpr int alle = 1;
constexpr int ingen = 2;
constexpr int inverter = 3;
} // namespace markering

class TStrukturCompo : public TMakeStrukturer
{
    Q_OBJECT
public:
    explicit TStrukturCompo(QObject *owner = nullptr);

    void setGemHentFilnavn(const QString &value) { FGemHentFilnavn = value; }
    void setMultiSelect(bool value) { FMultiSelect = value; }
    QString gemHentFilnavn() const { return FGemHentFilnavn; }

    // Building from lists of folders.
    void makeHisDrive(const QString &aDrive);
    void makeHistoryStruktur(QStringList &aList);
    void makePunktStruktur(QStringList &aList);
    QString udfoldMappe(const QString &aDirectory);

    // Folder tree.
    bool udfoldStruktur1(const QString &aDirectory, bool medAlleDrev);
    QString udfoldDirectory();
    // Reads one level below the node; false when it has no sub-folders.
    bool udfoldNode(StrukturNode *aNode);
    // The child of aNode whose text is aBib (any letter case).
    StrukturNode *getStartNode(StrukturNode *aNode, const QString &aBib) const;
    void makeDrive(const QString &aDrive);
    QString getDirectory();
    QString getFocusDirectory(const QPoint &point);
    void deselectMapper();

    // File tree.
    QString getFileDirectory(bool FjernSelect);
    QString udfoldFileDirectory() const;
    QString getFocusFilDirectory(const QPoint &point);
    QString SelectFil(const QString &fName);
    // Selects in the file tree; `actionNumber`: one of the markering constants.
    void SelectMapperFiler(int actionNumber);
    QString makeParamString() const;
    int getSelectListe(QStringList &aListe) const;
    int fremvisFiltype(const QString &aExt);
    int makeStrukturFil(const QString &aExt);
    int RenameFilExt(const QString &aMappe, const QString &oldExt, const QString &newExt, bool alleMapper);

    // Either tree, the one named.
    StrukturView *view(StrukturNr tree) const;
    int getNodeId(StrukturNr tree) const;
    QString getSelectedMedSti(StrukturNr tree);
    QString getSelected(StrukturNr tree);
    int loadLister(StrukturNr tree, QStringList &aMlist, QStringList &aFlist);

    // Free names for the rename command.
    static QString getNewDirectoryName(const QString &aDirectory, const QString &subTekst);
    static QString getNewFilename(const QString &oldFilename, const QString &newName,
                                  const QString &subTekst);

    // Drive menu.
    // The drive menu of the tree named; a chosen drive is shown in that tree.
    void makeDrevMenu(StrukturNr tree, QMenu *PU);
    void drevKlik(StrukturNr tree, QAction *Sender);
    // The drive a drive-menu caption names: the characters between "(" and the next ")",
    // ampersands left out.
    static QString driveOfCaption(const QString &caption);

    // Saved structure.
    bool GemStrukturen();
    bool HentStrukturen(int fremstillingsNo);

private:
    // The shared step of every expansion: the node's sub-folders as its children.
    bool readLevel(StrukturNode *node);
    // Keeps the lines that are existing folders; "C:\" becomes "C:".
    static void cleanFolderList(QStringList &aList);
    // The clean-up of a level or point structure's list; when nothing is left, the drives are
    // shown with the first selected, and true tells the caller to stop.
    bool drivesWhenNothingLeft(QStringList &aList);
    // A node is a folder when its mappe exists, else a file when its filnavn exists.
    static bool isFolderNode(const StrukturNode *node);
    static bool isFileNode(const StrukturNode *node);

    bool FMultiSelect = false;
    QString FGemHentFilnavn;
};
