#pragma once
// The frame every tool window follows: one instance, shown inside the main window (a maximised
// child with a tab of its own) or as a window of its own whose place is kept in its options
// file; hints to the status line unless a long operation runs with tooltips on. The main window
// makes the tools and implements TToolHost for them, since the tools sit above this folder.

#include "core/optionlines.h"
#include "dialogs/services.h"

#include <QString>
#include <QStringList>
#include <QWidget>

class QAction;
class QHBoxLayout;
class QIcon;
class TMenuExeFiler;

// What the tool windows need of the main window besides its services (dialogs/services.h):
// the programs list of the programs tool, the shortcuts tool's fixed place, the gallery's
// options.
class TToolHost
{
public:
    virtual ~TToolHost() = default;

    virtual TMenuExeFiler *menuExe() const = 0;
    virtual QIcon programIcon32(int index) const = 0; // ImageListExe32
    virtual void loadProgramBox() = 0;
    // The shortcuts tool: the fixed place of new shortcuts.
    virtual void setPlaceringsMappe(const QString &path) = 0;
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
