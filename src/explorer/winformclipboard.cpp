// Explorer window: cut and copy to its clipboard, dropped files, restoring and transferring rows.

#include "explorer/winform.h"

#include "core/files.h"
#include "core/linefile.h"
#include "core/messages.h"
#include "core/optionlines.h"
#include "core/paths.h"
#include "dialogs/actionlist.h"
#include "dialogs/radiogroup.h"
#include "dialogs/services.h"
#include "dialogs/tablook.h"
#include "explorer/activityindicator.h"
#include "explorer/listeform.h"
#include "explorer/mainhost.h"
#include "fileops/klipbord.h"
#include "fileops/metodecompo.h"
#include "fileops/pastecompo.h"
#include "lists/reopenfiler.h"
#include "platform/Platform.h"
#include "structures/strukturcompo.h"

#include <QApplication>
#include <QCheckBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QSplitter>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QUrl>

// ---------------------------------------------------------------------------------------------
// Dropped files

void Twinform::registerDropped(const QStringList &paths)
{
    for (const QString &path : paths)
        metodeX->RegisterElements(path); // neither folder nor file: skipped
}

void Twinform::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasUrls() && event->source() == nullptr)
        event->acceptProposedAction();
}

void Twinform::dropEvent(QDropEvent *event)
{
    QStringList paths;
    for (const QUrl &url : event->mimeData()->urls()) {
        if (url.isLocalFile())
            paths << core::programPath(url.toLocalFile());
    }
    registerDropped(paths);
    event->acceptProposedAction();
}

QString Twinform::infoText(const QString &button)
{
    static const QHash<QString, QString> texts = {
        {"infUdfold", "Vis alle marker-knapper på redskabslinjen i stedet for at anvende drop-down menu."},
        {"KlipInf01", "Vælg om kopierings-listerne skal vises efter hver kopierings-handling."},
        {"KlipInf02",
         "Vælg om alle valgte emner i listerne skal slettes efter \"Sæt-ind\".\rImodsat fald bevares "
         "de. De skal så slettes manuelt, når det er relevant.\rDet kan anvendes, hvis det kopierede "
         "skal indsættes flere steder."},
        {"KlipInf03",
         "Bestemmer om progressbokse skal lukkes automatisk efter brug.\rI modsat fald skal de lukkes "
         "manuelt."},
        {"KlipInf06",
         "Hvis \"Anvend Drag-Drop-kopiering\" er valg, slettes der ikke efter Drag-Drop-kopiering "
         "selvom det foregår på samme drev.\rDet svarer således til normalkopiering men udført som "
         "drag-drop handling."},
        {"KlipInf07",
         "Bestem om mappestrukturen altid skal opdateres efter \"Sæt-Ind\" eller ej.\rHvis ikke skal "
         "den opdateres manuelt efter handlinger, hvor det er nødvendigt."},
        {"klipInf", "Åben altid siden med indstillinger for funktioner, når der klippes eller kopieres."},
        {"sizeInfo",
         "Funktionen beregner hvor meget valgte mapper og filer i Klipbordet fylder.\rDette kan tage lidt "
         "tid, alt efter hvor meget der er placeret i Klipbordet."},
        {"transferShared", "Denne funktion er ikke anvendelig, når filfinderne har fælles klipbord."},
        {"transferInfo", "Overfør data fra klipbordet til andre klipborde.\rAfkryds feltet for at aktivere "
                         "muligheden for at overføre data."},
        {"sammeKinfo",
         "Hvis \"Anvend samme klipbord\" vælges, anvender alle stifindere samme klipbord.\rI modsat "
         "fald har hver stifinder sit eget klipbord."},
        {"gendanInfo", "Gendan klipbordsdata.\rEr kun muligt efter kopiering."},
    };
    return texts.value(button);
}

// ---------------------------------------------------------------------------------------------
// The clipboard

void Twinform::buildClipboardActions()
{
    actions->add(
        "klipbordsGendannelse", "Gendan data", {}, "Gendan sidste klipbordsdata",
        [this] { klipbordsGendannelse(); },
        [this] {
            return PasteObj && (!PasteObj->pasteMapper().isEmpty() || !PasteObj->pasteFiler().isEmpty());
        });
    auto clearSize = [this] { sizeLabel->clear(); };
    actions->add(
        "aAnnullerMapper", "Annuller mapper", {}, "Annuller kopiering af mapper",
        [this, clearSize] {
            KlipbordListe *list = metodeX->klipbord()->Mappeliste;
            list->removeChecked();
            clearSize();
        },
        [this] { return metodeX && metodeX->klipbord()->Mappeliste->count() > 0; });
    actions->add(
        "aAnnullerFiler", "Annuller filer", {}, "Annuller kopiering af filer",
        [this, clearSize] {
            KlipbordListe *list = metodeX->klipbord()->Filliste;
            list->removeChecked();
            clearSize();
        },
        [this] { return metodeX && metodeX->klipbord()->Filliste->count() > 0; });
    actions->add(
        "AnnullerKopiering", "Annuller kopiering", QKeySequence("Ctrl+Z"), "Annuller kopiering: Ctrl+Z",
        [this, clearSize] {
            Klipbord *klipbord = metodeX->klipbord();
            klipbord->Mappeliste->removeAll();
            klipbord->Filliste->removeAll();
            klipbord->setFields(QString(), QString(), QString(), QString());
            clearSize();
        },
        [this] { return metodeX && metodeX->klipbord()->elementAntal > 0; });
    actions->add(
        "KlipbordsdataTransfer", "Overfør klipbords data", {}, "Overfør klipbordsdata til andre klipborde",
        [this] {
            if (!mainHost())
                return;
            Klipbord *klipbord = metodeX->klipbord();
            mainHost()->transferClipboard(StifinderNavn, *klipbord->Mappeliste, *klipbord->Filliste,
                                          klipbord->flytElementer);
            KDTcheck->setChecked(false);
        },
        [this] {
            return mainHost() && !services::settings()->settings().sharedClipboard && KDTcheck->isChecked() &&
                   mainHost()->newCount() >= 2 && metodeX->klipbord()->elementAntal >= 1 &&
                   mainHost()->runningOperations() == 0;
        });
    actions->add(
        "aMappeFilSize", "Info", {}, "Informer om størrelsen på valgte elementer i klipbordet",
        [this] {
            actions->action("aMappeFilSize")->setEnabled(false);
            sizeLabel->setText("Beregner...");
            metodeX->getSizeOfKlipbord();
        },
        [this] { return funkTilladt; });
}

void Twinform::KopierElementer(bool medCut)
{
    try {
        metodeX->setFlytElementer(medCut);
        metodeX->CopyElementer(activeTree());
        QCoreApplication::processEvents();
        if (m_settings.showSettingsPage)
            winBog->setCurrentIndex(5);
    } catch (const std::exception &) {
        messages::inform("Der opstod en fejl.");
    }
}

bool Twinform::loadListerne(StrukturNr tree, QString &destination, QStringList &mapper, QStringList &filer)
{
    mapper.clear();
    filer.clear();
    destination = metodeX->getDestination(tree);
    if (!core::directoryExists(destination)) {
        destination.clear();
        messages::inform(
            "Der mangler en destination for \"Sæt-ind\" funktionen.\rVælg mappen, hvor elementerne skal "
            "kopieres til og prøv igen.");
        return false;
    }
    if (metodeX->loadLister(mapper, filer, destination) == 0) {
        destination.clear();
        messages::inform("Der er ingen gyldige elementer i Klipbordet.\rIndsæt elementer og prøv igen.");
        return false;
    }
    return true;
}

void Twinform::lukKlipbordKontrol(bool doCopy)
{
    if (!doCopy || !m_settings.clearLists)
        return;
    Klipbord *klipbord = metodeX->klipbord();
    for (KlipbordListe *list : {klipbord->Mappeliste, klipbord->Filliste}) {
        list->removeChecked();
    }
}

void Twinform::klipbordsGendannelse()
{
    // The engine keeps the lists of its last paste.
    for (const QString &path : PasteObj->pasteMapper() + PasteObj->pasteFiler())
        metodeX->RegisterElements(path);
    if (m_settings.showSettingsPage)
        winBog->setCurrentIndex(5);
}

bool Twinform::allDrives() const
{
    return m_settings.startMode != 1;
}

void Twinform::showClipboardCounts(const QString &antMapper, const QString &antFiler)
{
    if (!antMapper.isEmpty())
        EditMappe->setText(antMapper);
    if (!antFiler.isEmpty())
        EditFil->setText(antFiler);
}

void Twinform::showClipboardSize(const QString &text)
{
    sizeLabel->setText(text);
}

void Twinform::receiveClipboardRows(const KlipbordListe &Mliste, const KlipbordListe &Fliste, bool flyt)
{
    metodeX->setFlytElementer(flyt);
    for (int i = 0; i < Mliste.count(); ++i) {
        const QString path = Mliste.row(i).path.trimmed();
        if (Mliste.row(i).checked && core::directoryExists(path))
            metodeX->CopyListAdd(1, Mliste.row(i).picture, path, true);
    }
    for (int i = 0; i < Fliste.count(); ++i) {
        const QString path = Fliste.row(i).path.trimmed();
        if (Fliste.row(i).checked && core::fileExists(path))
            metodeX->CopyListAdd(2, Fliste.row(i).picture, path, true);
    }
    actions->updateAll();
    QCoreApplication::processEvents();
    if (m_settings.showSettingsPage)
        winBog->setCurrentIndex(5);
    KDTcheck->setChecked(false);
}

void Twinform::showFolderOrRefresh(const QString &folder, bool opdater)
{
    TStrukturCompo *struktur = metodeX->strukturY();
    if (core::directoryExists(folder)) {
        const QString shown = struktur->makeStruktur2(folder);
        setActiveTree(StrukturNr::filer);
        mappeKontrol(shown, true);
    } else if (opdater) {
        opdater2Execute();
    }
}
