// Main window: the tool windows, one of each, and what they read of the main window.

#include "app/mainform.h"

#include "core/files.h"
#include "core/messages.h"
#include "core/paths.h"
#include "dialogs/actionlist.h"
#include "dialogs/radiogroup.h"
#include "explorer/winform.h"
#include "fileops/metodecompo.h"
#include "gallery/galform.h"
#include "lists/imagelist.h"
#include "structures/makestrukturer.h"
#include "tools/calendar/kalenderform.h"
#include "tools/programs/progform.h"
#include "tools/shortcuts/genvejform.h"
#include "tools/textsearch/findform.h"
#include "tools/wmi/waform.h"
#include "tools/wmi/wmiform.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTimer>

QAction *Tmainform::mainAction(const QString &name) const
{
    return actions->action(name);
}

QIcon Tmainform::programIcon32(int index) const
{
    return QIcon(ImageListExe32->image(index));
}

void Tmainform::showFileInExplorer(const QString &path)
{
    aktiverWinform(false, QString());
    Twinform *window = activeExplorer();
    if (!window && !explorerWindows().isEmpty())
        window = explorerWindows().first();
    if (window)
        window->visIFilStruktur(path);
}

void Tmainform::selectFromGal(const QString &aFilnavn, bool medDelete)
{
    aktiverWinform(false, QString());
    Twinform *window = activeExplorer();
    if (!window && !explorerWindows().isEmpty())
        window = explorerWindows().first();
    if (!window || !window->metodeX)
        return;
    if (!core::fileExists(aFilnavn))
        return;
    window->visIFilStruktur(aFilnavn);
    QCoreApplication::processEvents();
    // Deleted only when the file tree selected that very file.
    if (medDelete && window->selectedFile().compare(aFilnavn, Qt::CaseInsensitive) == 0)
        window->DeleteElementer(StrukturNr::filer, true);
}

void Tmainform::RegisterEleFromGal(const QString &aEleNavn)
{
    aktiverWinform(false, QString());
    Twinform *window = activeExplorer();
    if (!window && !explorerWindows().isEmpty())
        window = explorerWindows().first();
    if (!window || !window->metodeX)
        return;
    if (!aEleNavn.isEmpty() && (core::fileExists(aEleNavn) || core::directoryExists(aEleNavn))) {
        window->metodeX->RegisterElements(aEleNavn);
        window->mappeKontrol(aEleNavn, true);
        QCoreApplication::processEvents();
    } else {
        messages::inform("Elementet blev ikke fundet.");
    }
}

void Tmainform::placeTool(TToolForm *tool, RadioGroup *group)
{
    if (group) {
        group->setEnabled(false);
        connect(tool, &QObject::destroyed, group, [group] { group->setEnabled(true); });
    }
    if (tool->showInternt) {
        // Without a frame, as the explorer windows: the tab bar names it.
        QMdiSubWindow *child = clientArea->addSubWindow(tool, Qt::FramelessWindowHint);
        child->setAttribute(Qt::WA_DeleteOnClose);
        child->setWindowTitle(tool->windowTitle());
        child->showMaximized();
        clientArea->setActiveSubWindow(child);
        QTimer::singleShot(0, child, [child] { child->showMaximized(); });
    } else {
        tool->setParent(this, Qt::Window);
        tool->show();
        tool->activateWindow();
    }
}

namespace {

// The shown tool window of a kind, brought forward; none when there is none.
template<class Tool> Tool *bringForward(Tool *tool, QMdiArea *clientArea)
{
    if (!tool)
        return nullptr;
    if (auto *child = qobject_cast<QMdiSubWindow *>(tool->parentWidget())) {
        child->show();
        clientArea->setActiveSubWindow(child);
    } else {
        tool->show();
        tool->raise();
        tool->activateWindow();
    }
    return tool;
}

// The tool of a kind brought forward, or made in the display mode its radio group chooses.
template<class Tool> Tool *shownOrMade(Tool *shown, RadioGroup *group, Tmainform &main, QMdiArea *clientArea)
{
    if (bringForward(shown, clientArea))
        return shown;
    auto *tool = new Tool(group->itemIndex() == 0);
    main.placeTool(tool, group);
    return tool;
}

} // namespace

Tfindform *Tmainform::openFindform()
{
    return shownOrMade(findform, openTekstfiler, *this, clientArea);
}

Tkalenderform *Tmainform::openKalenderform()
{
    return shownOrMade(kalenderform, openKalender, *this, clientArea);
}

TProgform *Tmainform::openProgform()
{
    return shownOrMade(Progform, openProgrammer, *this, clientArea);
}

TwmiForm *Tmainform::openWmiForm()
{
    if (bringForward(wmiForm, clientArea))
        return wmiForm;
    auto *tool = new TwmiForm(openWmi->itemIndex() == 0);
    placeTool(tool, openWmi);
    return tool;
}

TwaForm *Tmainform::openWaForm()
{
    if (bringForward(waForm, clientArea))
        return waForm;
    auto *tool = new TwaForm;
    placeTool(tool, nullptr);
    return tool;
}

Tgenvejform *Tmainform::openGenvejform()
{
    return shownOrMade(genvejform, openGenveje, *this, clientArea);
}

void Tmainform::aInsertGenvejExecute()
{
    const QString sti = EditSti->text();
    QString folder, name;
    if (core::fileExists(sti)) {
        folder = core::folderOf(sti);
        name = core::nameOf(sti);
        const qsizetype dot = name.lastIndexOf(u'.');
        if (dot > 0)
            name.truncate(dot);
    } else {
        folder = sti;
        name = core::getLastDirectory(sti);
    }
    if (name.isEmpty()) {
        messages::inform("Ukendt fejl: fil eller mappe synes ikke at eksistere.");
        return;
    }
    Tgenvejform *tool = openGenvejform();
    tool->EditTarget->setText(sti);
    tool->EditDest->setText(core::directoryExists(m_settings.shortcutsFolder) ? m_settings.shortcutsFolder
                                                                              : folder);
    tool->EditName->setText(name);
}

TGalForm *Tmainform::openGalForm()
{
    return shownOrMade(GalForm, openBilleder, *this, clientArea);
}

void Tmainform::aFindDocExecute()
{
    Twinform *window = activeExplorer();
    if (!window)
        return;
    const QString selected = window->selectedFile();
    if (selected.isEmpty() || !core::fileExists(selected)) {
        messages::inform(
            "Der skal være valgt en tekstfiltype.\rTekstfiler kan for eksempel være filer med "
            "følgende efternavne:\rtxt, rtf, asp, html, inc, css, js, asa, wsf, vbs, xml, bat eller ps1");
        return;
    }
    const QString name = core::nameOf(selected);
    const qsizetype dot = name.lastIndexOf(u'.');
    const QString mask = "*" + (dot < 0 ? QString() : name.mid(dot));
    Tfindform *tool = openFindform();
    if (tool->ErExtListet(mask)) {
        tool->pageBog->setCurrentIndex(0);
    } else {
        messages::inform(
            "Filtypen er ikke registreret.\rDu må selv registrere filtypen, hvis der er tale om en "
            "tekstfil.");
        tool->pageBog->setCurrentIndex(1);
    }
}
