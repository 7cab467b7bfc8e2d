#pragma once
// The explorer-window registry of the main window: counters, the explorer windows by caption
// and their clipboard windows. The main window sits above the explorer windows in the layering,
// so it implements this interface and installs itself; the explorer windows reach it through
// mainHost(), and the main window's other services through dialogs/services.h.

#include <QString>

class Klipbord;
class KlipbordListe;
class Twinform;

class TMainHost
{
public:
    virtual ~TMainHost() = default;

    // Counters of the registry.
    virtual int newCount() const = 0;
    // The number a new explorer window takes: the lowest no open one has, so two windows never
    // share a caption and with it their options and favourites files.
    virtual int freeExplorerNumber() const = 0;
    virtual void explorerClosed() = 0;         // NewCount − 1
    virtual int runningOperations() const = 0; // processCount
    virtual void changeProcessCount(int delta) = 0;
    // The two main settings an explorer window changes: its top panel shown, "Bloker funktioner".
    virtual void setVistoppanel(bool shown) = 0;
    virtual void setBlokerChecked(bool checked) = 0;

    // The clipboard of the window activated, and the counts the main window shows of it.
    virtual void setKlipbord(Twinform *aWinform) = 0;
    virtual void udskivKlipbordInf(const QString &antMapper, const QString &antFiler) = 0;
    virtual void updateCloseElement() = 0;

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
    // The gallery command of the main window (aBilledGal).
    virtual void openGallery() = 0;
};

TMainHost *mainHost();
void setMainHost(TMainHost *host);
