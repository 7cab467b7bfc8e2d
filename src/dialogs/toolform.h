#pragma once
// The frame every tool window follows: one instance, shown inside the main window (a maximised
// child with a tab of its own) or as a window of its own whose place is kept in its options
// file; hints to the status line unless a long operation runs with tooltips on. The main window
// makes the tools and implements TToolHost for them, since the tools sit above this folder.

#include "core/optionlines.h"
#include "dialogs/mainsettings.h"

#include <QString>
#include <QStringList>
#include <QWidget>

class QAction;
class QHBoxLayout;
class QIcon;
class TMenuExeFiler;

// What the tool windows need of the main window.
class TToolHost
{
public:
    virtual ~TToolHost() = default;

    virtual QString optMappe() const = 0;
    virtual QString editSti() const = 0; // the current element, "Aktuelle element"
    // The window-tab bar.
    virtual void InsertTab(QWidget *window) = 0;
    virtual void SetTCindex() = 0;
    virtual void fokusTab(const QString &aName) = 0;
    virtual void CloseTab(const QString &aCapNavn) = 0;
    virtual void HintInfo(const QString &hint) = 0;
    virtual bool hintsAsTooltips() const = 0;
    // Shows page `hovedbogPage` of the left panel (1: the programs page).
    virtual void showMainPage(int hovedbogPage, int programbogPage, const QString &caption = QString()) = 0;
    // One of the main window's commands by name ("aVisStifinder", "tastraUrlen", ...); may be none.
    virtual QAction *mainAction(const QString &name) const = 0;
    // The help page of a tool.
    virtual void toolHelp(const QString &page) = 0;

    // Programs and launching.
    virtual TMenuExeFiler *menuExe() const = 0;
    virtual QIcon programIcon32(int index) const = 0; // ImageListExe32
    virtual void loadProgramBox() = 0;
    virtual QString currentProgram() const = 0; // exeProgram
    virtual void setCurrentProgram(const QString &path) = 0;
    virtual void InfoProg(const QString &s) = 0;
    virtual void OpenFilMedProgram(const QString &aProgram, const QString &aFilnavn) = 0;
    virtual void OpenFilen(const QString &aFilnavn, bool forRedigering) = 0;
    virtual void ErrorInfo(int Nr) = 0;

    // Explorer windows: the first one shown (or a new one), and a file shown selected in the
    // file tree "Struktur 2" of the active one.
    virtual void aktiverWinform(bool opdater, const QString &potMappe) = 0;
    virtual void showFileInExplorer(const QString &path) = 0;

    // The calendar: the user's note and calendar folders (the calendar folder may be replaced
    // for the run), the installation's script folder, and folders shown in an explorer window.
    virtual QString notatMappe() const = 0;
    virtual QString kalenderMappe() const = 0;
    virtual void setKalenderMappe(const QString &folder) = 0;
    virtual QString scriptMappe() const = 0;
    // The installation's folder "programmappe", the user's folder "BrugerMappe", the help pages'
    // folder "infoDir" and the applets folder "appletsDir" (the last two end with a backslash).
    virtual QString programMappe() const = 0;
    virtual QString brugerMappe() const = 0;
    virtual QString infoMappe() const = 0;
    virtual QString appletsMappe() const = 0;
    // `folder` in the file tree of an explorer window, or a message when it is gone.
    virtual void visKalMappe(const QString &folder) = 0;
    // The chain of folders `folders` as an explorer window's history structure, `folder` open.
    virtual void opretKalenderStruk(const QStringList &folders, const QString &folder) = 0;
    // An explorer window shown, or a new one (openStifinder); then, in the active one: a copy of
    // `folders` as a point or level structure in the folder tree, which becomes active; or a
    // folder in the file tree, which becomes active.
    virtual void openStifinder() = 0;
    virtual void visStruktur(const QStringList &folders, bool punkt) = 0;
    virtual void visMappe(const QString &folder) = 0;

    // The home-made folder structures: their folder (ends with a backslash), the structure menu
    // and the list of the folder-structure tool made again, and the edit flag the main window
    // keeps (closing is refused while it is set).
    virtual QString mappestrukturMappe() const = 0;
    virtual void loadMappeStruktur(bool medMappestrukturform) = 0;
    virtual bool msRedigeret() const = 0;
    virtual void setMsRedigeret(bool edited) = 0;
    // Runs (0) or edits (1) a file as the programs page does.
    virtual void runFilname(const QString &aFilename, int fileRunNumber) = 0;

    // The main window's settings as they are now.
    virtual const MainSettings &settings() const = 0;
    // The shortcuts tool: the fixed place of new shortcuts.
    virtual void setPlaceringsMappe(const QString &path) = 0;
    // The gallery's requests: a file selected in the file tree of the explorer window shown (and
    // then deleted to the recycle bin by that window's own command when `medDelete`); a file or
    // folder put on that window's clipboard as a copy; a file run (0) or edited (1).
    virtual void selectFromGal(const QString &aFilnavn, bool medDelete) = 0;
    virtual void RegisterEleFromGal(const QString &aEleNavn) = 0;
    virtual void UdskrivInfo(const QString &s) = 0;
    // The gallery's counts and background colour, kept in the main options.
    struct GalleryOptions
    {
        int GBoxV = 2;
        int GBoxL = 2;
        int colIndex = 0;
    };
    virtual GalleryOptions galleryOptions() const = 0;
    virtual void setGalleryOptions(const GalleryOptions &options) = 0;
};

TToolHost *toolHost();
void setToolHost(TToolHost *host);

class TToolForm : public QWidget
{
    Q_OBJECT
public:
    // `showInternt`: inside the main window; the caption is the window title and the tab text.
    TToolForm(const QString &caption, bool showInternt, QWidget *parent = nullptr);

    bool showInternt = false;
    bool opstart = true;

    // "Luk": inside the main window its frame closes, which closes the tool.
    void closeWindow();

    // Called by the main window on every activation: the tab on the first one, then the tool's
    // own step.
    void FormActivate();

    // The place of a window of its own: the options file's left and top lines (defaults 20, 40).
    static constexpr int kDefaultLeft = 20;
    static constexpr int kDefaultTop = 40;

protected:
    // The tool's own part of an activation and of closing.
    virtual void activated() {}
    virtual void closing() {}
    // The options file, read at creation and written at closing in its own window only.
    virtual void hentOpt() {}
    virtual void gemOpt() {}
    // The options file's lines 1 and 2: the window's left and top (defaults 20, 40, a place far
    // off any screen held to within reach); a tool adds its own lines after them.
    core::OptionTable placeLines();
    // The bottom bar: the main window's "Stifinder" command, the information button (on a window
    // of its own only) with the help page `helpPage`, and "Luk".
    QHBoxLayout *bottomBar(const QString &helpPage);

    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool m_closed = false;       // the closing steps ran
    bool m_frameClosing = false; // the frame in the main window closes, and closes this
};
