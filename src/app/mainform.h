#pragma once
// The main window: the frame of the whole program. It sets up the data folders, keeps the
// main options file, and holds the left panel of function pages, the window-tab bar, the
// client area of the explorer and tool windows, and the status bar.

#include "dialogs/toolform.h"
#include "explorer/mainhost.h"

#include <QMainWindow>
#include <QPointer>
#include <QRect>
#include <QStringList>
#include <memory>

namespace core {
class OptionTable;
}
class ActionList;
class ClipboardWindows;
class Notifier;
class Klipbord;
class KlipbordListe;
class QMdiSubWindow;
class Twinform;
class ImageList;
class QMenu;
class TMenuExeFiler;
class TReopenFilerY;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QMdiArea;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSystemTrayIcon;
class QTabBar;
class QTimer;
class QTabWidget;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;
class RadioGroup;
class TStruktur;

class Tfindform;
class Tkalenderform;
class TwmiForm;
class TwaForm;
class Tgenvejform;
class TGalForm;
class TProgform;
class Tmappestrukturform;
class Tinfoform;

class Tmainform : public QMainWindow,
                  public TMainHost,
                  public TToolHost,
                  public services::Settings,
                  public services::Folders,
                  public services::Status,
                  public services::Launcher,
                  public services::Help,
                  public services::Tabs,
                  public services::CurrentElement,
                  public services::Explorers,
                  public services::Pages,
                  public services::StructureMenu
{
    Q_OBJECT
public:
    static constexpr int kOptionLines = 45;
    static constexpr int kStandardWidth = 1270;
    static constexpr int kStandardHeight = 870;
    static constexpr int kMinimumHeight = 776;
    static constexpr int kMinimumWidthWithPanel = 1228;
    static constexpr int kPanelWidth = 340;
    // Sane ranges of numbers read from the options file.
    static constexpr int kMaximumGalleryCount = 100;
    // The web search engines and the video site the search pages open.
    static constexpr const char *kFirstSearchEngine = "https://www.google.com";
    static constexpr const char *kSecondSearchEngine = "https://www.bing.com";
    static constexpr const char *kVideoSite = "https://www.youtube.com";
    static constexpr const char *kPowerShellHint = "Åben en PowerShell-konsol";

    explicit Tmainform(QWidget *parent = nullptr);
    ~Tmainform() override;

    // Fields, in the order the rest of the program knows them.
    bool opstart = false;
    QString designName;
    QString optFilnavn;
    QString grundMappe;
    QString dosMappe;
    QString strukturDir;
    TReopenFilerY *dosFiler = nullptr;
    bool nytNotatNavn = false;
    QString SPtimerFilename;
    int SPtimerCount = 0;
    QString Abrugernavn;
    int ncNumber = 0;
    int NewCount = 0;
    QString OptMappe;
    QString brugerKalenderMappe;
    QString brugerNotatMappe;
    QString scriptDir;
    QString mappestrukturDir;
    QString NotatMappe;
    QString programmappe;
    QString BrugerMappe;
    QString appletsDir;
    QString infoDir;
    QString ikonDir;
    QString exeProgram;
    int OnClickIndex = 0;
    QString OnClickCaption;
    bool MsRedigeret = false;
    int GBoxV = 0;
    int GBoxL = 0;
    int colIndex = 0;
    int processCount = 0;

    // Start-up, options and life cycle.
    static QString GetUserFromWindows();
    void CreateMapper();
    void HentOpt();
    void GemOpt();
    void defaultOpt();
    void FormCreate();
    void FormShow();
    void FormActivate();
    // True when the window may close.
    bool FormCloseQuery();
    void FormClose();
    // The 45 lines GemOpt writes, from the current state.
    QStringList optionLines() const;
    // A saved window geometry made safe to apply: within the desktop and the window's minimum.
    static QRect clampedBounds(const QRect &saved);

    // Option handlers.
    void designBoxChange();
    void FontboxClick();
    void FontnavnBoxClick();
    void CheckStrukturLinjerClick();
    void bogfanerBoxClick();
    void FremFormCheckClick();
    void blokerCheckClick();
    void maxOpKnapClick();
    void maxNedKnapClick();
    void bestemTabs();
    void visProgrammerClick();
    void standardSizeExecute();
    void aPanelVExecute();
    // The showing half of aPanelV, used by the commands that jump to a page of the left panel.
    void showMainPanel();

    // Page captions of the left panel.
    void HovedbogChange();
    void funkBogChange();
    void ProgrambogChange();

    // Programs list and launching.
    void loadProgramBox() override;
    void InfoProg(const QString &s) override;
    void MenuExeKlik(QAction *Sender, const QString &MenuCaption, bool Found);
    void MenuExeParam(QObject *Sender, QString &aParamStr);
    void OpenTheEle();
    void OpenFilMedProgram(const QString &aProgram, const QString &aFilnavn) override;
    // The file with its associated program, for editing when asked; errors through ErrorInfo.
    void OpenFilen(const QString &aFilnavn, bool forRedigering) override;
    // The argument text for the current program: the active explorer window's file-tree
    // selection, else the current element in quotes, else nothing.
    QString currentArguments() const;
    static QString errorText(int Nr);
    void ErrorInfo(int Nr) override;
    void programBoxClick();
    void programBoxDblClick();

    // The page "Dos": saved command lines with their descriptions, and the consoles.
    void dosListeKlik(const QString &Capnavn, const QString &Filnavn);
    void dosListeDblKlik(const QString &Capnavn, const QString &Filnavn);
    // Fills an absent DOS list with the command files in the user's Dos folder, and saves it.
    void listInstalledDosCommands();
    void aInsertDosExecute();
    void aNyDosExecute();
    void aRedigerExecute();
    void aSletDosExecute();
    void aDosOpExecute();
    void aDosNedExecute();
    void gemDosKnapClick();
    void sorterButtonClick();
    void dosKnapClick();
    void SpeedButton81Click();
    void aGoBoksExecute();
    // The folder a console opens in: the current element when it is a folder, else its folder,
    // else "C:".
    QString consoleFolder() const;
    // PowerShell's button, enabled only where PowerShell can be started.
    void updateConsoleButtons();

    // Notes, web search and the notification test.
    void loadNotater();
    void aGemNotatExecute();
    void aHentNotatExecute();
    void notatBoxDblClick();
    void nytNotatButtonClick();
    void notatMappeVisKnapClick();
    QString getTheWord() const;
    QString getTheWordTube() const;
    // The default web browser on `address`; failures through ErrorInfo.
    void openWebAddress(const QString &address);
    void bcButtonClick();

    // The program among those that start with the session: the shortcut is made by the installed
    // script, and the timer waits for it once a second, at most ten times.
    void startProgDoButtonClick();
    void makeOpstartProg();
    void startProgTimerTimer();
    // The program's own executable file as a program path; none when no drive holds it.
    static QString ownProgram();
    QString egenExe;

    // The tray icon, made at start when "Minimer til system bakken" is on and the desktop has a
    // tray. The check tells whether there is one (tests replace it).
    static bool (*systemTrayAvailable)();
    void setupTray();
    void restoreFromTray();
    // A minimised window with a tray icon is hidden; true when it was.
    bool minimizeToTray();
    QSystemTrayIcon *TrayIcon = nullptr;
    QTimer *startProgTimer = nullptr;

    // Status line and notifications.
    void UdskrivInfo(const QString &s) override;
    void HintInfo(const QString &hint) override;
    // The help pages: a page shown in the information window (made when there is none) with
    // its node selected in the contents tree; F1 for the active window; the contents tree's
    // click; the information button of the left panel; the search in every page.
    void InfoHelp(const QString &page) override;
    void InfoStruk(const QString &side, const QString &tekst);
    Tinfoform *openInfoform();
    void StrukturClick();
    void aInfoExecute();
    void informationsKnappenClick();
    void aSearchExecute();
    // The left panel shown on page `page` (with its key list `genvejsPage` on page 6).
    void visSide(int page, int genvejsPage = -1);
    // The contents list: a click on a row, and all groups unfolded or folded.
    void indholdKlik(QTreeWidgetItem *item);
    void foldIndhold(bool ud);
    // Hints are tooltips only while an operation runs with "Vis hints"; else the status line.
    bool hintsAsTooltips() const override;
    void makeInfo(const QString &overskrift, const QString &tekst) override;

    // The registry of explorer windows and the window-tab bar.
    void makeNewStifinder();
    void NewCountKontrol();
    void openStifinder() override;
    void aktiverWinform(bool opdater, const QString &potMappe) override;
    Twinform *getWinform(const QString &aCaption) override;
    void CloseElementExecute();
    void CloseAlleElementerExecute();
    void InsertTab(QWidget *window) override;
    void SetTCindex() override;
    void fokusTab(const QString &aName) override;
    void CloseTab(const QString &aCapNavn) override;
    void tcChange(int index);
    // Child windows, the most recently active first; the explorer windows among them.
    QList<QMdiSubWindow *> childWindows() const;
    QList<Twinform *> explorerWindows() const;
    // Child windows shown (a clipboard window is hidden until it is asked for).
    int openChildWindows() const;
    Twinform *activeExplorer() const;
    static Twinform *highestNumbered(const QList<Twinform *> &windows);
    void setKlipbord(Twinform *aWinform) override;
    void kopierKlipbordsdata(const QString &aCaption, const KlipbordListe &Mliste,
                             const KlipbordListe &Fliste, bool flyt);
    void udskivKlipbordInf(const QString &antMapper, const QString &antFiler) override;
    void runFilname(const QString &aFilename, int fileRunNumber) override;
    QString currentProgram() const override { return exeProgram; }
    QString iconFolder() const override { return ikonDir; }
    void klipbordStiKnapClick();
    void klipbordStiFilKnapClick();
    void aOpenStifinderExecute();

    // What the explorer windows read of the main window.
    QString optMappe() const override { return OptMappe; }
    QString notatMappe() const override { return brugerNotatMappe; }
    QString kalenderMappe() const override { return brugerKalenderMappe; }
    void setKalenderMappe(const QString &folder) override { brugerKalenderMappe = folder; }
    QString scriptMappe() const override { return scriptDir; }
    QString programMappe() const override { return programmappe; }
    QString brugerMappe() const override { return BrugerMappe; }
    QString infoMappe() const override { return infoDir; }
    QString appletsMappe() const override { return appletsDir; }
    int newCount() const override { return NewCount; }
    int freeExplorerNumber() const override;
    void explorerClosed() override;
    int runningOperations() const override { return processCount; }
    void changeProcessCount(int delta) override { processCount += delta; }
    const MainSettings &settings() const override { return m_settings; }
    // The settings changed in place, as the widgets bound to them do (tests, start-up).
    MainSettings &editSettings() { return m_settings; }
    void setVistoppanel(bool shown) override { m_settings.topPanel = shown; }
    void setBlokerChecked(bool checked) override;
    void setEditSti(const QString &path) override;
    QString editSti() const override;
    void updateCloseElement() override;
    void showMainPage(int hovedbogPage, int programbogPage, const QString &caption = QString()) override;
    Twinform *findExplorer(const QString &caption) const override { return getWinformQuietly(caption); }
    void showExplorer(Twinform *window) override;
    void showClipboardCounts(const QString &caption, const QString &antMapper,
                             const QString &antFiler) override;
    void showClipboardSize(const QString &caption, const QString &text) override;
    void transferClipboard(const QString &aCaption, const KlipbordListe &Mliste, const KlipbordListe &Fliste,
                           bool flyt) override
    {
        kopierKlipbordsdata(aCaption, Mliste, Fliste, flyt);
    }
    void createClipboardWindow(Klipbord *klipbord, bool shared, int number) override;
    void showClipboardWindow(Klipbord *klipbord) override;
    void destroyClipboardWindow(Klipbord *klipbord) override;
    QMdiSubWindow *clipboardFrame(Klipbord *klipbord) const;

    // What the tool windows read of the main window.
    QAction *mainAction(const QString &name) const override;
    TMenuExeFiler *menuExe() const override { return MenuExe; }
    QIcon programIcon32(int index) const override;
    void setCurrentProgram(const QString &path) override { exeProgram = path; }
    void showFileInExplorer(const QString &path) override;
    void selectFromGal(const QString &aFilnavn, bool medDelete) override;
    void RegisterEleFromGal(const QString &aEleNavn) override;
    GalleryOptions galleryOptions() const override { return {GBoxV, GBoxL, colIndex}; }
    void setGalleryOptions(const GalleryOptions &options) override
    {
        GBoxV = options.GBoxV;
        GBoxL = options.GBoxL;
        colIndex = options.colIndex;
    }
    // The tool windows, one of each: the one shown, else one made in the mode its radio group
    // chooses (the group is disabled while the window exists).
    Tfindform *openFindform();
    TProgform *openProgform();
    Tkalenderform *openKalenderform();
    Tmappestrukturform *openMappestrukturform();
    Tgenvejform *openGenvejform();
    TwmiForm *openWmiForm();
    // The applets window is always inside the main window.
    TwaForm *openWaForm();
    // "Opret": the shortcuts tool filled from the current element.
    void aInsertGenvejExecute();
    // "Søg": the text search for the type of the file selected in the active explorer window.
    void aFindDocExecute();
    void setPlaceringsMappe(const QString &path) override { m_settings.shortcutsFolder = path; }
    TGalForm *openGalForm();
    void openGallery() override { openGalForm(); }
    // A tool window made: inside the client area or as a window of its own; `group` (none for a
    // tool without a choice) is disabled while the tool exists.
    void placeTool(TToolForm *tool, RadioGroup *group);

    // The home-made folder structures: the structure menu, the folder-structure tool's services,
    // and the calendar's two ways of showing folders.
    QMenu *mappeStrukturMenu() const override { return PuMappeStruk; }
    void loadMappeStruktur(bool medMappestrukturform) override;
    void makeMappeMenu(const QString &aItemS);
    void mMsOnClick(QAction *Sender);
    void CallOnClick() override;
    int onClickIndex() const override { return OnClickIndex; }
    void opretStrukturer() override;
    void mVisEsideClick();
    void aInsertMappeExecute();
    void opretKalenderStruk(const QStringList &aList, const QString &aMappe) override;
    void visKalMappe(const QString &aMappe) override;
    QString mappestrukturMappe() const override { return mappestrukturDir; }
    bool msRedigeret() const override { return MsRedigeret; }
    void setMsRedigeret(bool edited) override { MsRedigeret = edited; }
    void visStruktur(const QStringList &folders, bool punkt) override;
    void visMappe(const QString &folder) override;

    // Window geometry as the options file keeps it: the frame's position, the client's size.
    void setBounds(int left, int top, int width, int height);
    // Moves the window back to the default place when its saved place is on no screen.
    void keepOnScreen();

    ActionList *actions = nullptr;
    // The clipboard windows and the clipboard all explorer windows share with "Anvend samme
    // klipbord": kept by the registry, so closing "Stifinder 1" loses no rows (see setKlipbord).
    ClipboardWindows *clipboardWindows = nullptr;
    // Where makeInfo sends notifications; none: the status line only.
    std::unique_ptr<Notifier> notifier;
    TMenuExeFiler *MenuExe = nullptr;
    ImageList *ImageListExe = nullptr;
    ImageList *ImageListExe32 = nullptr;
    QMenu *PuProgrammer = nullptr;
    QMenu *mProgrammer = nullptr;
    QMenu *PuMappeStruk = nullptr;

    // Left panel.
    QFrame *mainPanel = nullptr;
    QLabel *informationsKnappenL = nullptr;
    QToolButton *informationsKnappen = nullptr;
    QToolButton *genvejsinfoButton = nullptr;
    QTabWidget *Hovedbog = nullptr;
    QTabWidget *funkBog = nullptr;
    QTreeWidget *progInfoListe = nullptr;
    QTabWidget *Programbog = nullptr;
    QWidget *programmerSide = nullptr;
    QLabel *programLabel = nullptr;
    QListWidget *programBox = nullptr;
    RadioGroup *visProgrammer = nullptr;
    QListWidget *dosBoxen = nullptr;
    QTabWidget *dosBog = nullptr;
    QWidget *dosSide1 = nullptr;
    QWidget *dosSide2 = nullptr;
    QPlainTextEdit *MemoDos = nullptr;
    QLineEdit *dosEdit = nullptr;
    QPlainTextEdit *dosMemo = nullptr;
    QCheckBox *dosCheck = nullptr;
    QToolButton *gemDosKnap = nullptr;
    QToolButton *sorterButton = nullptr;
    QToolButton *dosKnap = nullptr;
    QToolButton *SpeedButton81 = nullptr;
    QWidget *globusSide = nullptr;
    QLineEdit *findEditX = nullptr;
    QPlainTextEdit *findMemo = nullptr;
    QLineEdit *tubeEdit = nullptr;
    QRadioButton *CheckFind = nullptr;
    QRadioButton *CheckMemo = nullptr;
    QRadioButton *CheckTube = nullptr;
    QLineEdit *bcEdit = nullptr;
    QLineEdit *bcEditTekst = nullptr;
    QPushButton *bcNyButton = nullptr;
    QPushButton *bcButton = nullptr;
    QWidget *notatSide = nullptr;
    QLineEdit *notatEdit = nullptr;
    QPlainTextEdit *notatMemo = nullptr;
    QListWidget *notatBox = nullptr;
    QLabel *NotatLabel = nullptr;
    QToolButton *nytNotatButton = nullptr;
    QToolButton *notatMappeVisKnap = nullptr;
    QToolButton *opdaterNoterButton = nullptr;
    QTabWidget *infoBogen = nullptr;
    TStruktur *Struktur = nullptr; // the contents of the information pages
    QLineEdit *EditFind = nullptr; // the help search
    QListWidget *findis = nullptr;
    QLabel *antalLabel = nullptr; // the number of nodes of the contents tree
    QTreeWidget *indholdsListe = nullptr;
    QWidget *genvejsSide = nullptr;
    QTabWidget *genvejsBog = nullptr;
    QWidget *oversigtSide = nullptr;

    // Open-mode radio groups of the tools ("Internt"/"Externt").
    RadioGroup *openInfo = nullptr;
    RadioGroup *openGenveje = nullptr;
    RadioGroup *openProgrammer = nullptr;
    RadioGroup *openStrukturer = nullptr;
    RadioGroup *openTekstfiler = nullptr;
    RadioGroup *openBilleder = nullptr;
    RadioGroup *openKalender = nullptr;
    RadioGroup *openWmi = nullptr;

    // Option controls.
    QComboBox *designBox = nullptr;
    RadioGroup *bogfanerBox = nullptr;
    QCheckBox *trayCheck = nullptr;
    QPushButton *startProgDoButton = nullptr;
    QCheckBox *minimerCheck = nullptr;
    QLabel *breddeLabel = nullptr;
    QLabel *hojdeLabel = nullptr;
    QCheckBox *KlipbordsCheck = nullptr;
    QComboBox *Fontbox = nullptr;
    QComboBox *FontnavnBox = nullptr;
    QCheckBox *CheckStrukturLinjer = nullptr;
    RadioGroup *FremFormCheck = nullptr;
    QLineEdit *maxFindEdit = nullptr;
    QToolButton *maxOpKnap = nullptr;
    QToolButton *maxNedKnap = nullptr;
    QCheckBox *sikkerhedsCheck = nullptr;
    QCheckBox *blokerCheck = nullptr;
    QCheckBox *beskedCheck = nullptr;
    QCheckBox *vhaFunkCheck = nullptr;
    QCheckBox *tabVisCheck1 = nullptr;
    QCheckBox *tabVisCheck2 = nullptr;
    QCheckBox *tabVisCheck3 = nullptr;
    QCheckBox *tabVisCheck4 = nullptr;

    // Top row, client area, current-element bar, status bar.
    QFrame *topPanel = nullptr;
    QTabBar *tc = nullptr;
    QMdiArea *clientArea = nullptr;
    QFrame *PanelSti = nullptr;
    QLineEdit *EditSti = nullptr;
    QLabel *infobarPanels[3] = {};

protected:
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The main options file, line by line: its lines map to the settings below, and the widgets
    // of the options pages show them (showSettings) and write the user's changes back to them.
    core::OptionTable optionTable();
    void showSettings();
    void bindSettings();
    void buildActions();
    void buildUi();
    QWidget *buildFunctionsPage();
    void buildDosActions();
    void buildNoteActions();
    QWidget *buildDosPage();
    QWidget *buildNotatPage();
    QWidget *buildGlobusPage();
    // A memo's text as the lines of a line file.
    static QStringList memoLines(const QPlainTextEdit *memo);
    QWidget *buildOptionsBook();
    QWidget *buildCurrentElementBar();
    void buildStatusBar();
    void buildProgramsMenu();
    void buildHelpPages();
    void buildMappeStrukturMenu();
    // `folders` as a point or level structure in the folder tree of `window`, made active.
    static void bygStruktur(Twinform *window, QStringList folders, bool punkt);
    Twinform *getWinformQuietly(const QString &aCaption) const;
    QMdiSubWindow *childByCaption(const QString &caption) const;
    // Closes one child window as its tab's close button does (not while an operation runs).
    void closeChildWindow(QMdiSubWindow *child);
    void closeExplorer(Twinform *window);
    void applyTabLook(QTabBar *bar) const;
    // The style of designName, and what a style sheet cannot reach.
    void applyDesign();
    bool isStandardSize() const;

    MainSettings m_settings;
};

// The one main window of the run.
extern Tmainform *mainform;
