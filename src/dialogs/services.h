#pragma once
// The main window's services to the windows above it, one small interface per service. The
// main window implements them all and installs itself; an explorer window or a tool reaches
// only the services it uses, and a test installs fakes of just those, overriding only what it
// records. Where none is installed (a window tested alone), and for what an implementation
// leaves out, a service does nothing and answers with empty values.

#include "dialogs/mainsettings.h"

#include <QString>
#include <QStringList>
#include <type_traits>

class QAction;
class QMenu;
class QWidget;

namespace services {

// The main window's settings as they are now.
class Settings
{
public:
    virtual ~Settings() = default;
    virtual const MainSettings &settings() const;
};

// The folders of the installation and of the user. Those named "...Mappe" of the user may be
// replaced for the run (the calendar folder).
class Folders
{
public:
    virtual ~Folders() = default;
    virtual QString optMappe() const { return {}; }     // the options, ends with a backslash
    virtual QString iconFolder() const { return {}; }   // the program's icons ("...\\Ikoner\\")
    virtual QString programMappe() const { return {}; } // the installation
    virtual QString brugerMappe() const { return {}; }  // the user's own folder
    virtual QString infoMappe() const { return {}; }    // the help pages, ends with a backslash
    virtual QString appletsMappe() const { return {}; } // ends with a backslash
    virtual QString scriptMappe() const { return {}; }
    virtual QString notatMappe() const { return {}; }
    virtual QString kalenderMappe() const { return {}; }
    virtual void setKalenderMappe(const QString & /*folder*/) {}
    // The home-made structures, ends with a backslash.
    virtual QString mappestrukturMappe() const { return {}; }
};

// The status line and the desktop's notifications.
class Status
{
public:
    virtual ~Status() = default;
    virtual void UdskrivInfo(const QString & /*s*/) {}
    // The hint of a control; tooltips instead while a long operation runs, when asked for.
    virtual void HintInfo(const QString & /*hint*/) {}
    virtual bool hintsAsTooltips() const { return false; }
    // A notification with a heading, or the status line when there is none.
    virtual void makeInfo(const QString & /*overskrift*/, const QString & /*tekst*/) {}
    // The program chosen, in the status line and the programs page.
    virtual void InfoProg(const QString & /*s*/) {}
    // The message of a launch failure number.
    virtual void ErrorInfo(int /*Nr*/) {}
};

// Running and opening programs and files.
class Launcher
{
public:
    virtual ~Launcher() = default;
    // Runs (0) or edits (1) a file as the programs page does.
    virtual void runFilname(const QString & /*aFilename*/, int /*fileRunNumber*/) {}
    // The program chosen on the programs page (exeProgram).
    virtual QString currentProgram() const { return {}; }
    virtual void setCurrentProgram(const QString & /*path*/) {}
    virtual void OpenFilMedProgram(const QString & /*aProgram*/, const QString & /*aFilnavn*/) {}
    // The file opened (ShellExecuteW "open") or edited; failures are explained.
    virtual void OpenFilen(const QString & /*aFilnavn*/, bool /*forRedigering*/) {}
};

// The program's help pages ("Fil egenskaber.html").
class Help
{
public:
    virtual ~Help() = default;
    virtual void InfoHelp(const QString & /*page*/) {}
};

// The window-tab bar of the windows shown inside the main window.
class Tabs
{
public:
    virtual ~Tabs() = default;
    // The tab of `window`, which calls it on its first activation (the active child window may
    // already be another one by then).
    virtual void InsertTab(QWidget * /*window*/) {}
    virtual void SetTCindex() {}
    virtual void fokusTab(const QString & /*aName*/) {}
    virtual void CloseTab(const QString & /*aCapNavn*/) {}
};

// "Aktuelle element": the path the main window shows as the current element.
class CurrentElement
{
public:
    virtual ~CurrentElement() = default;
    virtual QString editSti() const { return {}; }
    virtual void setEditSti(const QString & /*path*/) {}
};

// What the tools ask of the explorer windows.
class Explorers
{
public:
    virtual ~Explorers() = default;
    // The first explorer window shown (or a new one).
    virtual void aktiverWinform(bool /*opdater*/, const QString & /*potMappe*/) {}
    virtual void openStifinder() {}
    // In the active explorer window: a file selected in the file tree; a folder shown there;
    // the folders as a point or level structure in the folder tree. Each tree becomes active.
    virtual void showFileInExplorer(const QString & /*path*/) {}
    virtual void visMappe(const QString & /*folder*/) {}
    virtual void visStruktur(const QStringList & /*folders*/, bool /*punkt*/) {}
    // `folder` in the file tree of an explorer window, or a message when it is gone.
    virtual void visKalMappe(const QString & /*folder*/) {}
    // The chain of folders as an explorer window's history structure, `folder` open.
    virtual void opretKalenderStruk(const QStringList & /*folders*/, const QString & /*folder*/) {}
    // The gallery's requests: a file selected in the file tree of the explorer window shown
    // (and then deleted to the recycle bin by that window's own command when `medDelete`); a
    // file or folder put on that window's clipboard as a copy.
    virtual void selectFromGal(const QString & /*aFilnavn*/, bool /*medDelete*/) {}
    virtual void RegisterEleFromGal(const QString & /*aEleNavn*/) {}
};

// The main window's own pages and commands.
class Pages
{
public:
    virtual ~Pages() = default;
    // Shows page `hovedbogPage` of the left panel (and `programbogPage` of the options), opening
    // the panel when it is hidden; a caption given replaces the page's own.
    virtual void showMainPage(int /*hovedbogPage*/, int /*programbogPage*/,
                              const QString & /*caption*/ = QString())
    {}
    // One of the main window's commands by name ("aVisStifinder", "tastraUrlen", ...); may be none.
    virtual QAction *mainAction(const QString & /*name*/) const { return nullptr; }
};

// The home-made folder structures: the structure menu (PuMappeStruk) for a tool button, made
// again from the structures folder (with the folder-structure tool's list when asked); the last
// structure chosen built again (F3) and its menu position (−1 for none); the folder-structure
// tool opened; the edit flag the main window keeps (closing is refused while it is set).
class StructureMenu
{
public:
    virtual ~StructureMenu() = default;
    virtual QMenu *mappeStrukturMenu() const { return nullptr; }
    virtual void loadMappeStruktur(bool /*medMappestrukturform*/) {}
    virtual void CallOnClick() {}
    virtual int onClickIndex() const { return -1; }
    virtual void opretStrukturer() {}
    virtual bool msRedigeret() const { return false; }
    virtual void setMsRedigeret(bool /*edited*/) {}
};

// The installed service, or one that does nothing.
Settings *settings();
Folders *folders();
Status *status();
Launcher *launcher();
Help *help();
Tabs *tabs();
CurrentElement *currentElement();
Explorers *explorers();
Pages *pages();
StructureMenu *structureMenu();

// Installs a service; removes it again (when it is still the one installed).
void install(Settings *service);
void install(Folders *service);
void install(Status *service);
void install(Launcher *service);
void install(Help *service);
void install(Tabs *service);
void install(CurrentElement *service);
void install(Explorers *service);
void install(Pages *service);
void install(StructureMenu *service);
void remove(Settings *service);
void remove(Folders *service);
void remove(Status *service);
void remove(Launcher *service);
void remove(Help *service);
void remove(Tabs *service);
void remove(CurrentElement *service);
void remove(Explorers *service);
void remove(Pages *service);
void remove(StructureMenu *service);

// Installs, or removes, every service `host` implements; for the main window and the tests'
// fakes.
template<class Host> void installAll(Host *host)
{
    if constexpr (std::is_base_of_v<Settings, Host>)
        install(static_cast<Settings *>(host));
    if constexpr (std::is_base_of_v<Folders, Host>)
        install(static_cast<Folders *>(host));
    if constexpr (std::is_base_of_v<Status, Host>)
        install(static_cast<Status *>(host));
    if constexpr (std::is_base_of_v<Launcher, Host>)
        install(static_cast<Launcher *>(host));
    if constexpr (std::is_base_of_v<Help, Host>)
        install(static_cast<Help *>(host));
    if constexpr (std::is_base_of_v<Tabs, Host>)
        install(static_cast<Tabs *>(host));
    if constexpr (std::is_base_of_v<CurrentElement, Host>)
        install(static_cast<CurrentElement *>(host));
    if constexpr (std::is_base_of_v<Explorers, Host>)
        install(static_cast<Explorers *>(host));
    if constexpr (std::is_base_of_v<Pages, Host>)
        install(static_cast<Pages *>(host));
    if constexpr (std::is_base_of_v<StructureMenu, Host>)
        install(static_cast<StructureMenu *>(host));
}
template<class Host> void removeAll(Host *host)
{
    if constexpr (std::is_base_of_v<Settings, Host>)
        remove(static_cast<Settings *>(host));
    if constexpr (std::is_base_of_v<Folders, Host>)
        remove(static_cast<Folders *>(host));
    if constexpr (std::is_base_of_v<Status, Host>)
        remove(static_cast<Status *>(host));
    if constexpr (std::is_base_of_v<Launcher, Host>)
        remove(static_cast<Launcher *>(host));
    if constexpr (std::is_base_of_v<Help, Host>)
        remove(static_cast<Help *>(host));
    if constexpr (std::is_base_of_v<Tabs, Host>)
        remove(static_cast<Tabs *>(host));
    if constexpr (std::is_base_of_v<CurrentElement, Host>)
        remove(static_cast<CurrentElement *>(host));
    if constexpr (std::is_base_of_v<Explorers, Host>)
        remove(static_cast<Explorers *>(host));
    if constexpr (std::is_base_of_v<Pages, Host>)
        remove(static_cast<Pages *>(host));
    if constexpr (std::is_base_of_v<StructureMenu, Host>)
        remove(static_cast<StructureMenu *>(host));
}

} // namespace services
