// Explorer window: paste and delete through the window's two engines.

#include "explorer/winform.h"

#include "core/files.h"
#include "core/messages.h"
#include "core/paths.h"
#include "dialogs/actionlist.h"
#include "dialogs/radiogroup.h"
#include "explorer/mainhost.h"
#include "fileops/deletecompo.h"
#include "fileops/metodecompo.h"
#include "fileops/pastecompo.h"
#include "structures/strukturcompo.h"
#include "structures/strukturmodel.h"

#include <QCheckBox>

namespace {

// The nearest folder of `folder` that still exists, climbing one level at a time and stopping
// at the root; empty when not even the root is there (a drive removed meanwhile).
QString nearestExisting(QString folder)
{
    while (!folder.isEmpty() && !core::directoryExists(folder)) {
        QString parent = core::folderOf(core::withoutTrailingBackslash(folder));
        if (parent.size() == 2 && parent.at(1) == u':')
            parent += u'\\';
        if (parent.isEmpty() || parent.compare(folder, Qt::CaseInsensitive) == 0)
            return QString();
        folder = parent;
    }
    return folder;
}

} // namespace

void Twinform::createEngines()
{
    PasteObj = new TPasteObjekt(this);
    DeleteObj = new TDeleteObjekt(this);
    PasteObj->FonLoadLister = [this] {
        QString destination;
        QStringList mapper;
        QStringList filer;
        loadListerne(destination, mapper, filer);
        PasteObj->setConstDest(destination);
        PasteObj->setPasteMapper(mapper);
        PasteObj->setPasteFiler(filer);
    };
    PasteObj->FonPasteElements = [this](bool doCopy) { lukKlipbordKontrol(doCopy); };
}

void Twinform::buildFileCommandActions()
{
    // A rule says nothing while no tree is active: the command keeps its state.
    auto byTree = [this](const char *name, std::function<bool()> tree1, std::function<bool()> tree2) {
        return [this, name, tree1, tree2] {
            const int active = metodeX ? metodeX->strukturY()->aktiveStruktur() : 0;
            if (active == strukturNr::mapper)
                return tree1();
            if (active == strukturNr::filer)
                return tree2();
            QAction *action = actions->action(name);
            return action && action->isEnabled();
        };
    };
    auto s1 = [this] { return MappeStruktur && MappeStruktur->selectionCount() > 0; };
    auto s2 = [this] { return FilStruktur && FilStruktur->selectionCount() > 0; };
    auto elementer = [this] { return metodeX && metodeX->klipbord()->elementAntal > 0; };

    actions->add(
        "Paste", "Sæt ind", QKeySequence("Ctrl+V"), "Sæt ind fra kopieringslisten: Ctrl+V",
        [this] { PasteElementer(); },
        byTree(
            "Paste", [this, s1, elementer] { return funkTilladt && s1() && elementer(); },
            [this, elementer] { return funkTilladt && elementer(); }));
    // The lenient rules while "Bloker funktioner" is off, the blocking ones while it is on.
    auto deleteRule = [this, byTree, s1, s2](const char *name) {
        return byTree(
            name, [this, s1] { return (!m_bloker || funkTilladt) && funkNo == 0 && s1(); },
            [this, s2] { return (!m_bloker || funkTilladt) && s2(); });
    };
    actions->add(
        "DeleteToPapirkurv", "Slet", QKeySequence("Ctrl+D"), "Slet til papirkurv: Ctrl+D",
        [this] { DeleteElementer(true); }, deleteRule("DeleteToPapirkurv"));
    actions->add(
        "DeletePermanent", "Slet permanent", QKeySequence("Shift+Del"), "Slet permanent: Shift+Del",
        [this] { DeleteElementer(false); }, deleteRule("DeletePermanent"));
}

void Twinform::showAroundFolder(const QString &folder)
{
    TStrukturCompo *struktur = metodeX->strukturY();
    const int active = struktur->aktiveStruktur();
    struktur->setAktiveStruktur(strukturNr::mapper);
    struktur->udfoldStruktur1(folder, allDrives());
    struktur->setAktiveStruktur(strukturNr::filer);
    const QString shown = struktur->makeStruktur2(folder);
    struktur->setAktiveStruktur(active);
    mappeKontrol(shown.isEmpty() ? folder : shown, true);
}

void Twinform::PasteElementer()
{
    operationBracket(QString(), 1, [this] {
        if (metodeX->klipbord()->elementAntal == 0) {
            messages::inform("Der er ingen elementer i Klipbordet.\rVælg elementer og prøv igen.");
            return;
        }
        PasteObj->setIntSpm(spmBox->itemIndex());
        PasteObj->setIntPasteMetode(resultBox->itemIndex());
        PasteObj->setCloseBoxAfter(LukCheck->isChecked());
        PasteObj->setBoxCaption(windowTitle());
        const bool ok = metodeX->flytElementer() ? PasteObj->PasteCutElementer() : PasteObj->PasteElementer();
        pasteResultText = PasteObj->getResult();
        if (ok && opdaterCheck->isChecked() && core::directoryExists(PasteObj->constDest()))
            showAroundFolder(PasteObj->constDest());
    });
}

void Twinform::DeleteElementer(bool tilPapirkurv)
{
    operationBracket(
        "Der er allerede en funktion kørende.\rSkal der slettes alligevel?", 2, [this, tilPapirkurv] {
            TStrukturCompo *struktur = metodeX->strukturY();
            DeleteObj->setIntSpm(spmBox->itemIndex());
            DeleteObj->setCloseBoxAfter(LukCheck->isChecked());
            QStringList mapper;
            QStringList filer;
            if (struktur->loadLister(mapper, filer) == 0) {
                messages::inform("Der er ikke valgt elementer til sletning.");
                struktur->setFilnavn(QString());
                return;
            }
            bool ok = false;
            try {
                ok = DeleteObj->DeleteElementer(mapper, filer, tilPapirkurv);
            } catch (const SletFejl &fejl) {
                messages::inform("Filen\r" + fejl.fil + "\r" + "kunne ikke slettes.\r" + fejl.tekst);
            } catch (const std::exception &) {
                messages::inform("Der opstod en ukendt fejl.");
            }
            deleteResultText = DeleteObj->getResult();
            if (ok) {
                const QString folder = nearestExisting(struktur->mappenavn());
                if (folder.isEmpty()) {
                    // Not even the drive is left: the folder tree shows the drives there are.
                    struktur->setMappenavn(QString());
                    struktur->setAktiveStruktur(strukturNr::mapper);
                    struktur->makePreDrives();
                } else {
                    struktur->setMappenavn(core::withoutTrailingBackslash(folder));
                    showAroundFolder(folder);
                }
                if (mainHost())
                    mainHost()->UdskrivInfo(tilPapirkurv ? "Der blev slettet til papirkurv"
                                                         : "Der blev slettet permanent");
            }
            struktur->setFilnavn(QString());
        });
}
