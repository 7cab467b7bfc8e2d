#pragma once
// The explorer window: a folder tree and a folder-and-file tree side by side, the path bar, the
// tool bar, and the pages of known folders, history, favourites, search, settings and the
// current element. Titled "Stifinder " + N; the title is its identity.

#include "explorer/explorersettings.h"
#include "explorer/pathtabs.h"
#include "structures/skrivtekstfiler.h"
#include "structures/strukturnr.h"

#include <QPoint>
#include <QStringList>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>

namespace core {
class OptionTable;
}
class QButtonGroup;
class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QMimeData;
class QPushButton;
class QProgressBar;
class QSplitter;
class QTabBar;
class QTabWidget;
class QTimer;
class QToolButton;
class ActionList;
class KlipbordListe;
class ActivityIndicator;
class RadioGroup;
class StrukturNode;
class StrukturView;
class TMetodeCompo;
class TextForm;
class TrenameForm;
class TDeleteObjekt;
class TPasteObjekt;
class NavneSoegning;
class TReopenFilerBase;
struct TReopenRec;
class TReopenFilerX;
class TReopenFilerY;

// The known folders getSpecialMappe finds below the user's folder.
namespace specialMappe {
constexpr int kontakter = 0;        // Contacts
constexpr int oneDrive = 1;         // OneDrive
constexpr int kameraBilleder = 2;   // Pictures\Camera Roll
constexpr int skaermoptagelser = 3; // Videos\Captures
} // namespace specialMappe

class Twinform : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kOptionLines = 24;
    static constexpr int kMinimumTreeWidth = 314;
    static constexpr int kDefaultTreeWidth = 300;
    static constexpr int kMaximumTreeWidth = 3000;
    static constexpr int kMinimumFileTreeWidth = 200;

    explicit Twinform(QWidget *parent = nullptr);
    ~Twinform() override;

    QString StifinderNavn;
    QString optFilnavn;
    bool opstart = true;
    TMetodeCompo *metodeX = nullptr;
    // The window's copy and move engine and its delete engine.
    TPasteObjekt *PasteObj = nullptr;
    TDeleteObjekt *DeleteObj = nullptr;
    TReopenFilerY *historieDir = nullptr;
    TReopenFilerX *FavDir = nullptr;
    TReopenFilerX *FavFiler = nullptr;
    TReopenFilerX *findDir = nullptr;
    TReopenFilerX *findFiler = nullptr;
    int aktivitetsAntal = 0;
    bool funkTilladt = true;
    int funkNo = -1;
    QString aktuelleSti;
    QStringList stiArray;
    QList<PathTab> stiTabs;
    bool HListeForandret = false;
    bool favChanged = false;
    QString OldNodeTekst;
    // One second after an in-place rename: the trees are read again (a folder), or the renamed
    // file is selected again (a file).
    QTimer *Timer = nullptr;
    QTimer *TimerFil = nullptr;

    // The window's own settings, kept from its options file and shown on its settings pages.
    const ExplorerSettings &settings() const { return m_settings; }

    // Life cycle.
    void HentOpt();
    void GemOpt();
    void defaultOpt();
    QStringList optionLines() const;
    bool makeOpstartStrukturer();
    void bestemTabs();
    void newMetodeObjekt();
    void FormActivate();
    void FormClose();
    // The files of this window, by the number in its caption.
    QString historyFile() const;
    QString favouriteFoldersFile() const;
    QString favouriteFilesFile() const;
    QString savedTreeFile() const;

    // Activity and enabling rules.
    void setAktivitetsNr(int ant, int infoNo);
    void setBeskedInfo(const QString &text);
    // Runs `work` inside the operation bracket; false when the user declined the question.
    bool operationBracket(const QString &question, int infoNo, const std::function<void()> &work);
    void setActionUpdates(bool bloker);
    bool blokerendeRegler() const { return m_bloker; }
    void actionUpdExecute();
    // Hands a re-evaluation of all enabling rules to the user-interface thread and waits for it.
    void requestRuleEvaluation();
    // The result texts of the engines, for the notifications after paste and delete.
    QString pasteResultText;
    QString deleteResultText;

    // The tree the user works in: the one last clicked or focused, or the one a command showed
    // its result in. Commands are given it; none switches it to reach the other tree.
    StrukturNr activeTree() const { return m_activeTree; }
    void setActiveTree(StrukturNr tree) { m_activeTree = tree; }

    // What other windows ask of an explorer window.
    // A folder shown in the file tree, or a file selected there; the file tree becomes the
    // active one unless told otherwise.
    void visIFilStruktur(const QString &path, bool activate = true);
    // The folders as a point or level structure in the folder tree, which becomes active.
    void visStruktur(QStringList folders, bool punkt);
    // The current folder (the one the path bar shows).
    QString currentFolder() const;
    // The file selected in the file tree while the user works there; "" otherwise.
    QString selectedFile();
    // The selected files of the file tree, quoted, as program arguments; none while the user
    // works in the folder tree.
    QString selectedFilesAsArguments() const;

    // Navigation.
    void mappeKontrol(const QString &denneSti, bool medSti);
    void udskrivSti(const QString &path);
    QString getStien(int tabIndex) const;
    void stiboxChange(int index);
    void MappeStrukturClick();
    void MappeStrukturDblClick();
    void FilStrukturClick();
    void FilStrukturDblClick();
    void tilbageExecute();
    void fremExecute();
    void skiftHisDir();
    // "Opdater mappe-fil-strukturen: F6".
    void opdater2Execute();

    // Known folders.
    void openMappeStruktur(const QString &path);
    // A play-list page of the file tree's selected names in the path bar's folder, selected and
    // opened; the path written, or "" after a message.
    QString skrivAfspilningsliste(TSkrivTekstfiler::Afspiller afspiller);
    // "Billeder": the gallery for a jpg, bmp or ico file; false after a message.
    bool visBillede(const QString &fil);
    // "Start": the user's start-up programs folder.
    void aabnOpstartMappe();
    // The known folders as a level (0) or point (1) structure in the folder tree.
    void makeSpMapper(int n);
    QString getSpecialMappe(int kind) const;
    // Selection commands of the file tree and their arrangement.
    void setMarkerButton();
    // The context menu a right click on a tree opens: none, or one of PUdirbox, PUfilbox,
    // PUdirboxDrev, PUdirPrivate.
    QMenu *contextMenuFor(StrukturView *tree) const;

    // The clipboard.
    void KopierElementer(bool medCut);
    // The lists of a paste into `tree`: the destination and the checked rows that still exist;
    // false (with the messages) when there is nothing to paste.
    bool loadListerne(StrukturNr tree, QString &destination, QStringList &mapper, QStringList &filer);
    void lukKlipbordKontrol(bool doCopy);
    void klipbordsGendannelse();
    // What the main window shows in this window: the clipboard's counts (an empty text leaves
    // its field) and size, and rows transferred from another window's clipboard.
    void showClipboardCounts(const QString &antMapper, const QString &antFiler);
    void showClipboardSize(const QString &text);
    // `flyt`: the rows were cut, and a paste here moves them.
    void receiveClipboardRows(const KlipbordListe &Mliste, const KlipbordListe &Fliste, bool flyt);
    // Drag and drop between the trees, between explorer windows and onto the path bar. The
    // drive a drag started from and the drive it is dropped on decide move or copy.
    QString DrevSource;
    QString DrevDest;
    QMimeData *dragData(StrukturView *tree) const;
    void treeDrop(StrukturView *tree, const QMimeData *payload, const QPoint &position);
    void pathBarDrop(const QMimeData *payload, const QPoint &position);
    // "Sæt ind": the clipboard's checked rows copied or moved to the paste destination of
    // `tree`.
    void PasteElementer(StrukturNr tree);
    // "Slet" and "Slet permanent" of the tree's selection.
    void DeleteElementer(StrukturNr tree, bool tilPapirkurv);
    // Shows `folder` in the file tree when it exists; else refreshes the tree when `opdater`.
    void showFolderOrRefresh(const QString &folder, bool opdater);

    // The search page: aSearch over the current element's folder, findElement's walk on a
    // thread of its own, its results collected every 50 ms.
    void aSearchExecute();
    void findElement(const QString &aMappe, const QString &ElementS);
    bool searchRunning() const;
    // Waits until a running search has ended and its results are listed.
    void waitForSearch();
    void infoClearFind();
    // "Vis" (isoler false) and "Isoler" of the file type in extEdit.
    void visFiltype(bool isoler);
    // A point or level structure in tree 1 of the listed folders (of the files' folders for
    // a file list); false with `tomTekst` when none exists.
    bool listeStruktur(const TReopenFilerBase *liste, bool punkt, bool udenGentagelser, bool kontrol,
                       const QString &tomTekst);
    // The folders a structure is built of: the entries' paths in list order (their folders for
    // a file list), only existing folders, repeated ones once when asked.
    static QStringList listeMapper(const QList<TReopenRec> &entries, bool filer, bool udenGentagelser);
    // The selected entry of `box` moved up or down, or deleted; false when nothing changed.
    bool flytValgte(TReopenFilerBase *liste, QListWidget *box, bool op);
    bool sletValgte(TReopenFilerBase *liste, QListWidget *box);
    // Ctrl+N: the current element into the favourite folders or files.
    void aInsertFavoritmappeExecute();
    // "Kopier" of a favourite: its folder or file as a checked clipboard row.
    void kopierFavorit(bool fil);
    // "Hent" of the shortcuts panel: the names of the fixed place's shortcuts.
    void hentGenveje();

    // Layout switches.
    void redskabsCheckClick();
    void fanePlaceringsBoxClick();
    void aTopPanelExecute();
    void applyTreeFont(int pointSize, const QString &fontName);
    void applyTabLook(int bogfanerIndex);
    void setTreeLines(bool on);
    // Files dropped from another program: their program paths.
    void registerDropped(const QStringList &paths);
    // The fixed texts of the information buttons.
    static QString infoText(const QString &button);

    ActionList *actions = nullptr;

    // Controls other windows read or write.
    QFrame *topPanel = nullptr;
    ActivityIndicator *AktivitetBoks = nullptr;
    QToolButton *Tilbage = nullptr;
    QToolButton *Frem = nullptr;
    QTabBar *stibox = nullptr;
    QFrame *Redskabslinje = nullptr;
    QFrame *funkPanel1 = nullptr;
    QFrame *funkPanel2 = nullptr;
    QSplitter *splitter = nullptr;
    StrukturView *MappeStruktur = nullptr;
    StrukturView *FilStruktur = nullptr;
    QTabWidget *winBog = nullptr;
    RadioGroup *mappeBox = nullptr;
    QListWidget *HistorieListe = nullptr;
    QTabWidget *favoritBog = nullptr;
    QListWidget *favoritliste = nullptr;
    QListWidget *favfilerListe = nullptr;
    QLineEdit *RenamMEdit = nullptr;
    QLineEdit *RenamFEdit = nullptr;
    QListWidget *mappeBoxen = nullptr;
    // The shortcuts of the fixed place; only when that folder existed at creation.
    QListWidget *genvejsListe = nullptr;
    QListWidget *filBoxen = nullptr;
    QLabel *mappeLabel = nullptr;
    QLineEdit *findTekstEdit = nullptr;
    QLineEdit *BarEdit = nullptr;
    QProgressBar *findBar = nullptr;
    QLabel *mapperOverskrift = nullptr;
    QLabel *filerOverskrift = nullptr;
    QLineEdit *extEdit = nullptr;
    QLineEdit *antalExtEdit = nullptr;
    QTabWidget *egenskabsBogen = nullptr;
    QCheckBox *udfoldCheck = nullptr;
    RadioGroup *redskabsCheck = nullptr;
    RadioGroup *fanePlaceringsBox = nullptr;
    QCheckBox *KDTcheck = nullptr;
    QPushButton *sammeKbutton = nullptr;
    QPushButton *tabVisCheck0 = nullptr;
    QPushButton *tabVisCheck1 = nullptr;
    QPushButton *tabVisCheck2 = nullptr;
    QPushButton *tabVisCheck3 = nullptr;
    QLabel *stifindernavnLabel = nullptr;
    QCheckBox *privatCheckBox = nullptr;
    RadioGroup *RadioOpstart = nullptr;
    QCheckBox *hiddenCheck = nullptr;
    QLineEdit *mappenavnFelt = nullptr;
    QLineEdit *filnavnFelt = nullptr;
    QLineEdit *AktiveStrukturEdit = nullptr;
    QLineEdit *AktuelleElementEdit = nullptr;
    QLineEdit *EditMappe = nullptr;
    QLineEdit *EditFil = nullptr;
    QLabel *sizeLabel = nullptr;
    RadioGroup *spmBox = nullptr;
    RadioGroup *resultBox = nullptr;
    QCheckBox *DragDropCheck = nullptr;
    QCheckBox *opdaterCheck = nullptr;
    QCheckBox *LukCheck = nullptr;
    QCheckBox *rydCheck = nullptr;
    QCheckBox *visKlipbordCheck = nullptr;
    QCheckBox *visIndstillingerCheck = nullptr;
    QToolButton *aSelectButton = nullptr;
    QMenu *PUdirbox = nullptr;
    QMenu *PUfilbox = nullptr;
    QMenu *PUdirboxDrev = nullptr;
    QMenu *PUdirPrivate = nullptr;
    QMenu *drevMenu1 = nullptr;
    QMenu *drevMenu2 = nullptr;

protected:
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    StrukturNr m_activeTree = StrukturNr::mapper;
    ExplorerSettings m_settings;

    // The settings shown in the widgets, and the widgets' changes written back.
    void showSettings();
    void bindSettings();
    // The page switches, by the page they show.
    std::array<QPushButton *, 4> pageSwitches() const;

    void buildActions();
    void buildUi();
    QWidget *buildPathBar();
    QWidget *buildToolBar();
    QWidget *buildKnownFoldersPage();
    QWidget *buildHistoryPage();
    QWidget *buildFavouritesPage();
    QWidget *buildSearchPage();
    QWidget *buildSettingsPage();
    QWidget *buildCurrentElementPage();
    void createLists();
    void showActiveTree();
    // The folder-tree rebuild drive mode: all drives unless the start-up mode is 1.
    bool allDrives() const;
    void fitToolBarToTree();
    void buildNavigationActions();
    void buildClipboardActions();
    void buildFileCommandActions();
    void buildSearchActions();
    void buildHistoryActions();
    void buildFavouriteActions();
    void buildShortcutActions();
    QWidget *buildShortcutsPanel(QWidget *page);
    // The pages' own drawing of a list's lines; `mapper` for the lists of folders.
    static void tegnListe(QListWidget *list, bool mapper);
    QString m_genvejsMappe;
    // The up, down, delete and delete-all commands of one list.
    struct ListCommands
    {
        const char *op, *ned, *slet, *sletHint, *alle, *alleHint;
        std::function<TReopenFilerBase *()> liste;
        QListWidget *Twinform::*box;
        std::function<void()> changed;
    };
    void addListCommands(const ListCommands &commands);
    // Lists what the search found since the last call and shows its counters.
    void collectFound();
    void searchEnded();
    void createEngines();
    // The folder tree rebuilt around `folder` with the drive mode, the file tree showing it.
    void showAroundFolder(const QString &folder);
    // The safety question of a command: true when no other operation runs, "Informer" is off,
    // or the user says go on.
    bool mayStart(const QString &question) const;
    // "Omdøb" in place: the active tree's selected node is edited; `ask` puts the safety question.
    void renameInPlace(bool ask);
    void renameFinished(StrukturView *tree, StrukturNode *node, const QString &text);
    void renameTimerFired();
    void renameFileTimerFired();
    void nyMappe();
    void renameByDialog();
    // "Egenskaber": the properties of the active tree's selected file, folder or drive.
    void showProperties();
    void renameExtension();
    // "Ny fil": a file of the name's template in the current folder, then its in-place rename.
    void makeFiler(const QString &name);
    void buildTemplateActions(const std::function<bool()> &rule);
    void buildRecentDocumentActions();
    void buildPlayListActions();
    QMenu *m_playListMenu = nullptr;
    TrenameForm *m_renameForm = nullptr;
    TextForm *m_extForm = nullptr;
    QMenu *m_templateMenu = nullptr;
    bool startTreeDrag(StrukturView *tree);
    bool acceptsDrag(const QMimeData *payload, bool pathBar) const;
    void registerDragged(const QMimeData *payload);
    void decideMoveFlag();
    // The drag events of the trees' viewports and the path bar; true when taken.
    bool dragEvent(QObject *watched, QEvent *event);
    StrukturView *m_dragTree = nullptr;
    QPoint m_dragStart;
    // The options file, line by line.
    core::OptionTable optionTable();
    void buildMenus();
    // The trees' signals, event filters and in-place rename.
    void connectTrees();
    void treeMousePress(StrukturView *tree, QMouseEvent *event);
    bool eventFilter(QObject *watched, QEvent *event) override;
    QFrame *selectionPanel = nullptr;

    std::unique_ptr<NavneSoegning> m_soegning;
    QTimer *m_findTimer = nullptr;
    bool m_soegningAktiv = false;
    bool m_bloker = false;
    bool m_closed = false;
    bool m_closeWhenDone = false;
};
