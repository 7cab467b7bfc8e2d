// Explorer window: play-list pages of the selected files, the picture preview, the start-up
// folder and point or level structures of the known folders.

#include "explorer/winform.h"

#include "core/files.h"
#include "core/messages.h"
#include "core/paths.h"
#include "dialogs/actionlist.h"
#include "dialogs/services.h"
#include "explorer/mainhost.h"
#include "fileops/metodecompo.h"
#include "structures/grundobjekt.h"
#include "structures/skrivtekstfiler.h"
#include "structures/strukturcompo.h"
#include "structures/strukturmodel.h"

#include <QMenu>

void Twinform::buildPlayListActions()
{
    auto fileRule = [this] { return funkNo == 1; };
    actions->add(
        "aHTMLbutton", "Musik, film og billeder", {}, "Musik, film og billeder",
        [] {
            messages::inform(
                "Det er op til dig selv at vurdere, om de valgte filer er egnede til musikliste, "
                "filmliste eller billedliste.\r\rMusikliste: Det kan for eksempel være mp3 "
                "filer.\rFilmliste: Det kan være mp4 filer.\rBilledliste: For eksempel jpg eller "
                "png filer.");
        },
        fileRule);
    struct Liste
    {
        const char *name;
        const char *caption;
        const char *hint;
        TSkrivTekstfiler::Afspiller afspiller;
    };
    static const Liste lister[] = {
        {"aHTMLmusikliste", "Musikliste", "Skriver en hjemmeside hvorfra den valgte musik kan afspilles",
         TSkrivTekstfiler::Afspiller::Musik},
        {"aHTMLfilmliste", "Filmliste", "Skriver en hjemmeside hvorfra de valgte film kan afspilles",
         TSkrivTekstfiler::Afspiller::Film},
        {"aHTMLbilledliste", "Billedliste", "Skriver en hjemmeside hvorfra de valgte billeder kan vises",
         TSkrivTekstfiler::Afspiller::Billeder},
    };
    m_playListMenu = new QMenu(this);
    m_playListMenu->setObjectName("htmlMenu");
    for (const Liste &liste : lister) {
        const auto afspiller = liste.afspiller;
        m_playListMenu->addAction(actions->add(
            liste.name, liste.caption, {}, liste.hint,
            [this, afspiller] { skrivAfspilningsliste(afspiller); }, fileRule));
    }
    actions->action("aHTMLbutton")->setMenu(m_playListMenu);
    actions->action("aHTMLbutton")->setIcon(QIcon::fromTheme("media-playlist-append"));

    actions->add(
        "aShowPic", "Billeder", {}, "Vis billeder af type jpg, ico eller bmp",
        [this] { visBillede(metodeX->strukturY()->filnavn()); }, fileRule);
    actions->action("aShowPic")->setIcon(QIcon::fromTheme("image-x-generic"));
    actions->add("aStrukPunkt", "Punktstruktur", {}, "Fremstil punktstruktur i mappestrukturen",
                 [this] { makeSpMapper(1); });
    actions->add("aStrukNiveau", "Niveaustruktur", {}, "Fremstil niveaustruktur i mappestrukturen",
                 [this] { makeSpMapper(0); });
}

QString Twinform::skrivAfspilningsliste(TSkrivTekstfiler::Afspiller afspiller)
{
    static const char *const names[] = {"Film_afspilningsliste.html", "Musik_afspilningsliste.html",
                                        "Billed_afspilningsliste.html"};
    TStrukturCompo *struktur = metodeX->strukturY();
    QStringList liste;
    struktur->getSelectListe(liste);
    // The folder of the path bar's selected tab; a tab that stands for a file gives its folder.
    QString folder = stibox->count() > 0 ? getStien(stibox->currentIndex()) : struktur->mappenavn();
    if (!core::directoryExists(folder))
        folder = core::folderOf(folder);
    const QString target = core::delimKon(folder) + names[int(afspiller)];
    QString written;
    try {
        TSkrivTekstfiler skriver;
        switch (afspiller) {
        case TSkrivTekstfiler::Afspiller::Film:
            written = skriver.opretFilmliste(target, liste);
            break;
        case TSkrivTekstfiler::Afspiller::Musik:
            written = skriver.opretMusikliste(target, liste);
            break;
        case TSkrivTekstfiler::Afspiller::Billeder:
            written = skriver.opretBilledliste(target, liste);
            break;
        }
    } catch (const std::exception &) {
        messages::inform("Der er fejl i filnavnet.\r");
        return QString();
    }
    if (written.isEmpty())
        return QString(); // said already
    setActiveTree(StrukturNr::filer);
    struktur->SelectFil(written);
    FilStruktur->setFocus();
    mappeKontrol(written, false);
    services::launcher()->OpenFilen(struktur->filnavn(), false);
    return written;
}

bool Twinform::visBillede(const QString &fil)
{
    const qsizetype dot = core::nameOf(fil).lastIndexOf(u'.');
    const QString ext = dot < 0 ? QString() : core::nameOf(fil).mid(dot).toLower();
    if (ext != u".jpg" && ext != u".bmp" && ext != u".ico") {
        messages::inform("Valgte fil er ikke en billedfil af type jpg, bmp eller ico.\r");
        return false;
    }
    if (mainHost())
        mainHost()->openGallery();
    return true;
}

void Twinform::aabnOpstartMappe()
{
    // The platform's start-up folder: Windows' Startup folder, the desktop's autostart folder on
    // Linux (where the start-up program writes its entry).
    QString path;
    if (!core::startupFolder(path) || !core::directoryExists(path)) {
        messages::inform("Mappen kunne ikke findes.\r");
        return;
    }
    openMappeStruktur(path);
}

void Twinform::makeSpMapper(int n)
{
    TStrukturCompo *struktur = metodeX->strukturY();
    QStringList liste;
    try {
        liste << struktur->GetMyDesktop() << struktur->GetMyDocuments() << struktur->GetMyFavorit()
              << struktur->GetMyPictures() << struktur->GetMyMusic() << struktur->GetMyVideo();
        for (int kind : {specialMappe::oneDrive, specialMappe::kontakter}) {
            if (const QString path = getSpecialMappe(kind); !path.isEmpty())
                liste << path;
        }
        liste << struktur->GetMyDownLoad() << struktur->GetStartMenuPrograms() << struktur->GetMyApp()
              << struktur->GetAllUsers();
        for (int kind : {specialMappe::kameraBilleder, specialMappe::skaermoptagelser}) {
            if (const QString path = getSpecialMappe(kind); !path.isEmpty())
                liste << path;
        }
    } catch (const StrukturFejl &error) {
        messages::inform(error.message());
        return;
    }
    visStruktur(liste, n != 0);
}
