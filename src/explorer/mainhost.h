#pragma once
// What an explorer window needs of the main window. The main window sits above the explorer
// windows in the layering, so it implements this interface and installs itself; the explorer
// windows reach it through mainHost() only.

#include "dialogs/mainsettings.h"

#include <QString>

class Klipbord;
class KlipbordListe;
class Twinform;
class QMenu;
class QWidget;

class TMainHost
{
public:
    virtual ~TMainHost() = default;

    // Folders, counters and options read by the explorer windows.
    virtual QString optMappe() const = 0;
    virtual int newCount() const = 0;
    // The number a new explorer window takes: the lowest no open one has, so two windows never
    // share a caption and with it their options and favourites files.
    virtual int freeExplorerNumber() const = 0;
    virtual void explorerClosed() = 0;         // NewCount − 1
    virtual int runningOperations() const = 0; // processCount
    virtual void changeProcessCount(int delta) = 0;
    // The main window's settings as they are now.
    virtual const MainSettings &settings() const = 0;
    // The two settings an explorer window changes: its top panel shown, "Bloker funktioner".
    virtual void setVistoppanel(bool shown) = 0;
    virtual void setBlokerChecked(bool checked) = 0;

    // Services of the registry.
    // The tab of `window`, which calls it on its first activation (the active child window may
    // already be another one by then).
    virtual void InsertTab(QWidget *window) = 0;
    virtual void SetTCindex() = 0;
    virtual void fokusTab(const QString &aName) = 0;
    virtual void CloseTab(const QString &aCapNavn) = 0;
    virtual void setEditSti(const QString &path) = 0;
    virtual QString editSti() const = 0;
    virtual void UdskrivInfo(const QString &s) = 0;
    virtual void makeInfo(const QString &overskrift, const QString &tekst) = 0;
    virtual void setKlipbord(Twinform *aWinform) = 0;
    virtual void udskivKlipbordInf(const QString &antMapper, const QString &antFiler) = 0;
    virtual void updateCloseElement() = 0;
    // Shows page `hovedbogPage` of the left panel (and `programbogPage` of the options), opening
    // the panel when it is hidden; a caption given replaces the page's own.
    virtual void showMainPage(int hovedbogPage, int programbogPage, const QString &caption = QString()) = 0;
    virtual void runFilname(const QString &aFilename, int fileRunNumber) = 0;
    // The program chosen on the programs page, and opening it with a parameter text.
    virtual QString currentProgram() const = 0; // exeProgram
    virtual void OpenFilMedProgram(const QString &aProgram, const QString &aFilnavn) = 0;
    // OpenFilen: the file opened (ShellExecuteW "open") or edited; failures are explained.
    virtual void OpenFilen(const QString &aFilnavn, bool forRedigering) = 0;
    // The icon folder, and the status line for the hints of a window that is activated.
    virtual QString iconFolder() const = 0; // ikonDir
    virtual void HintInfo(const QString &hint) = 0;
    // Opens one of the program's help pages ("Fil egenskaber.html").
    virtual void InfoHelp(const QString &page) = 0;

    // Explorer windows by caption: quietly (none when there is no such window), or with the
    // registry's message when there is none.
    virtual Twinform *findExplorer(const QString &caption) const = 0;
    virtual Twinform *getWinform(const QString &aCaption) = 0;
    virtual void showExplorer(Twinform *window) = 0;
    // The clipboard counts and size of the explorer window `caption`.
    virtual void showClipboardCounts(const QString &caption, const QString &antMapper,
                                     const QString &antFiler) = 0;
    virtual void showClipboardSize(const QString &caption, const QString &text) = 0;
    // "Overfør klipbords data": the checked rows to every other explorer window's clipboard.
    // A cut goes with its rows (`flyt`).
    virtual void transferClipboard(const QString &aCaption, const KlipbordListe &Mliste,
                                   const KlipbordListe &Fliste, bool flyt) = 0;
    // The clipboard window of a clipboard: made hidden with it, shown on request, destroyed
    // with the clipboard's owner.
    virtual void createClipboardWindow(Klipbord *klipbord, bool shared, int number) = 0;
    virtual void showClipboardWindow(Klipbord *klipbord) = 0;
    virtual void destroyClipboardWindow(Klipbord *klipbord) = 0;

    // The home-made folder structures: the structure menu (PuMappeStruk) for a tool button, made
    // again from the structures folder; the last structure chosen built again (F3), its menu
    // position (−1 for none); the folder-structure tool opened.
    virtual QMenu *mappeStrukturMenu() const { return nullptr; }
    virtual void loadMappeStruktur(bool medMappestrukturform) { (void)medMappestrukturform; }
    virtual void CallOnClick() {}
    virtual int onClickIndex() const { return -1; }
    virtual void opretStrukturer() {}
    // The gallery command of the main window (aBilledGal).
    virtual void openGallery() {}
};

TMainHost *mainHost();
void setMainHost(TMainHost *host);
