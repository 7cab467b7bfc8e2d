// Main window: the structure menu of the home-made folder structures, the folder-structure tool's
// services, and the calendar's two ways of showing folders in an explorer window.
//
// A structure's name and its menu caption are kept apart: the caption doubles every "&" so the
// menu shows it as written, and the name itself rides in the entry's data. Look-ups and file
// names use the data only, so "Mor & Far" is found, opened and saved under its own name.

#include "app/mainform.h"

#include "core/files.h"
#include "core/messages.h"
#include "core/paths.h"
#include "dialogs/actionlist.h"
#include "dialogs/radiogroup.h"
#include "explorer/winform.h"
#include "structures/mappestrukturfiler.h"
#include "structures/strukturmodel.h"
#include "tools/mappestruktur/mappestrukturform.h"

#include <QCoreApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>

namespace {

constexpr int kFirstStructureEntry = 2;

} // namespace

void Tmainform::buildMappeStrukturMenu()
{
    PuMappeStruk = new QMenu(this);
    PuMappeStruk->setObjectName("PuMappeStruk");
    QMenu *hjemmelavede =
        PuMappeStruk->addMenu(QIcon::fromTheme("folder-favorites"), "Hjemmelavede strukturer");
    hjemmelavede->setObjectName("mHjemmelavede");
    hjemmelavede->menuAction()->setStatusTip("Konstruerede mappestrukturer");
    hjemmelavede->addAction(actions->action("OpretSmappe"));
    hjemmelavede->addSeparator();
    QAction *eside =
        hjemmelavede->addAction(QIcon::fromTheme("folder-favorites"), "Bestem fremstillingsform");
    eside->setObjectName("mVisEside");
    eside->setStatusTip("Strukturer kan fremstilles som punkt eller niveau strukturer");
    connect(eside, &QAction::triggered, this, [this] { mVisEsideClick(); });
    PuMappeStruk->addSeparator();
}

void Tmainform::loadMappeStruktur(bool medMappestrukturform)
{
    const QList<QAction *> entries = PuMappeStruk->actions();
    for (qsizetype i = entries.size() - 1; i >= kFirstStructureEntry; --i) {
        PuMappeStruk->removeAction(entries.at(i));
        // Later: the menu may be made again from inside one of its own entries' click.
        entries.at(i)->deleteLater();
    }
    if (!core::directoryExists(core::withoutTrailingBackslash(mappestrukturDir)))
        return;
    const auto names = mappestruktur::names(mappestrukturDir);
    if (!names) {
        messages::inform("Der opstod en fejl i forbindelse med indlæsningen af mappestrukturfiler.");
        return;
    }
    if (medMappestrukturform && Mappestrukturform)
        Mappestrukturform->setStrukturer(*names);
    for (const QString &name : *names)
        makeMappeMenu(name);
}

void Tmainform::makeMappeMenu(const QString &aItemS)
{
    QAction *entry =
        PuMappeStruk->addAction(QIcon::fromTheme("folder-favorites"), mappestruktur::menuCaption(aItemS));
    entry->setData(aItemS);
    entry->setStatusTip("Aktiver " + aItemS);
    connect(entry, &QAction::triggered, this, [this, entry] { mMsOnClick(entry); });
}

void Tmainform::bygStruktur(Twinform *window, QStringList folders, bool punkt)
{
    window->visStruktur(std::move(folders), punkt);
    window->MappeStruktur->setFocus();
}

void Tmainform::mMsOnClick(QAction *Sender)
{
    // Read first: a new explorer window makes the menu again on its first activation.
    const QString name = Sender->data().toString();
    OnClickIndex = int(PuMappeStruk->actions().indexOf(Sender));
    OnClickCaption = name;
    if (!activeExplorer()) {
        makeNewStifinder();
        QCoreApplication::processEvents();
    }
    Twinform *window = activeExplorer();
    if (!window)
        return;
    const QString file = mappestruktur::filnavn(mappestrukturDir, name);
    const auto indhold = mappestruktur::hent(file);
    if (!indhold) {
        messages::inform(mappestruktur::ikkeHentetBesked(file, "Filen \"" + file + "\" blev ikke fundet."));
        return;
    }
    if (!indhold->udeladt.isEmpty())
        messages::inform(mappestruktur::udeladtBesked(name, indhold->udeladt));
    bygStruktur(window, indhold->mapper, m_settings.structureForm == 1);
    // The file tree shows the structure's current folder; the user goes on in the folder tree.
    const QString current = window->currentFolder();
    if (core::directoryExists(current))
        window->visIFilStruktur(current, false);
    window->mappeKontrol(QString(), false);
}

void Tmainform::CallOnClick()
{
    const QList<QAction *> entries = PuMappeStruk->actions();
    for (qsizetype i = kFirstStructureEntry; i < entries.size(); ++i) {
        if (entries.at(i)->data().toString().compare(OnClickCaption, Qt::CaseInsensitive) == 0) {
            OnClickIndex = int(i);
            mMsOnClick(entries.at(i));
            return;
        }
    }
    const QString caption = OnClickCaption;
    OnClickIndex = -1;
    OnClickCaption.clear();
    messages::inform("Sidste hjemmelavede struktur:\r" + caption + "\r" + "blev ikke fundet." + "\r" +
                     "Strukturmenuen må være blevet ændret siden sidst.");
}

void Tmainform::mVisEsideClick()
{
    showMainPage(4, 2);
}

Tmappestrukturform *Tmainform::openMappestrukturform()
{
    if (Mappestrukturform) {
        if (auto *child = qobject_cast<QMdiSubWindow *>(Mappestrukturform->parentWidget())) {
            child->show();
            clientArea->setActiveSubWindow(child);
        } else {
            Mappestrukturform->show();
            Mappestrukturform->raise();
            Mappestrukturform->activateWindow();
        }
        return Mappestrukturform;
    }
    auto *tool = new Tmappestrukturform(openStrukturer->itemIndex() == 0);
    placeTool(tool, openStrukturer);
    loadMappeStruktur(true);
    return tool;
}

void Tmainform::opretStrukturer()
{
    openMappestrukturform();
}

void Tmainform::aInsertMappeExecute()
{
    Twinform *window = activeExplorer();
    if (!window)
        return;
    const QString folder = window->currentFolder();
    openMappestrukturform()->tilfoejMappe(folder);
    MsRedigeret = true;
    UdskrivInfo("Mappen er tilføjet til strukturen.");
}

void Tmainform::visStruktur(const QStringList &folders, bool punkt)
{
    if (Twinform *window = activeExplorer())
        bygStruktur(window, folders, punkt);
}

void Tmainform::visMappe(const QString &folder)
{
    Twinform *window = activeExplorer();
    if (!window || !core::directoryExists(folder))
        return;
    window->visIFilStruktur(folder);
    window->FilStruktur->setFocus();
}

void Tmainform::opretKalenderStruk(const QStringList &aList, const QString &aMappe)
{
    aktiverWinform(false, QString());
    if (explorerWindows().isEmpty())
        return;
    Twinform *window = explorerWindows().first();
    window->visStruktur(aList, false);
    window->visIFilStruktur(aMappe);
}

void Tmainform::visKalMappe(const QString &aMappe)
{
    if (!core::directoryExists(aMappe)) {
        messages::inform("Der opstod en fejl.\rVigtige mapper er muligvist blevet slettet.");
        return;
    }
    aktiverWinform(false, QString());
    if (explorerWindows().isEmpty())
        return;
    Twinform *window = explorerWindows().first();
    window->visIFilStruktur(aMappe);
}
