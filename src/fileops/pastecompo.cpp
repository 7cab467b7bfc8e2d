#include "fileops/pastecompo.h"

#include "core/eventsduring.h"
#include "core/files.h"
#include "core/freenames.h"
#include "core/paths.h"
#include "core/sizetext.h"
#include "fileops/metodecompo.h"
#include "platform/Platform.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QLocale>
#include <cmath>
#include <vector>

namespace {

constexpr int kPumpIntervalMs = 50;

// Whether a name is taken: a link is looked at itself, never followed, so one that leads nowhere
// or to itself clashes too.
bool findes(const QString &path)
{
    return core::entryExists(path);
}

// A real folder, not a link to one.
bool egenMappe(const QString &path)
{
    platform::FindData data;
    return platform::current().fileAttributes(path.toStdU16String(), data) &&
           (data.attributes & (platform::FILE_ATTRIBUTE_DIRECTORY |
                               platform::FILE_ATTRIBUTE_REPARSE_POINT)) == platform::FILE_ATTRIBUTE_DIRECTORY;
}

bool sammeDrev(const QString &a, const QString &b)
{
    return a.left(2).compare(b.left(2), Qt::CaseInsensitive) == 0;
}

// The system's reason, or the old guess when it gave none.
QString grundEllerGaet(const QString &grund)
{
    return grund.isEmpty() ? QStringLiteral("Måske mangler der rettigheder dertil.") : grund;
}

// One line of a folder's failures: what was not copied and why.
QString fejlLinje(bool mappe, const QString &kilde, const QString &grund)
{
    return (mappe ? "Mappen " : "Filen ") + kilde + (grund.isEmpty() ? QString() : ": " + grund);
}

// Why the folder `maal` could not be made when a file of that name is in the way; empty when
// nothing better is known (the platform leaves no reason for a folder it could not make).
QString ikkeOprettetGrund(const QString &maal)
{
    if (core::entryExists(maal) && !core::directoryExists(maal))
        return "Der findes allerede en fil med det navn.";
    return QString();
}

// A free name beside `path` for the old element while its replacement moves in.
QString ledigtNavnVed(const QString &path)
{
    QString aside;
    for (int n = 1; aside.isEmpty() || findes(aside); ++n)
        aside = path + ".zun-erstattes-" + QString::number(n);
    return aside;
}

} // namespace

TPasteCompo::TPasteCompo(QObject *owner)
    : QObject(owner)
    , SpmHandling(messages::makeOperationQuestions())
    , ProgressBox(messages::makePasteProgressView())
    , m_sletter(std::make_unique<TDeleteObjekt>())
{}

TPasteCompo::~TPasteCompo() = default;

bool TPasteCompo::begin(const PasteJob &job, bool flyt)
{
    FConstDest = job.destination;
    FPasteMapper = job.folders;
    FPasteFiler = job.files;
    FIntSpm = job.ask;
    FIntPasteMetode = job.clashRule;
    FCloseBoxAfter = job.closeBoxAfter;
    ProgressBox->setCaption(job.caption + " kopierer valgte elementer");
    m_erstatAlle = -1;
    ikkePastede = 0;
    m_fuld = false;
    m_mappeHel.clear();
    m_filHel.clear();
    ProgressBox->setInfo(QString());
    auto fortael = [this](bool doCopy) {
        if (FonPasteElements)
            FonPasteElements(doCopy);
    };
    if (FConstDest.isEmpty() || indISigSelv(flyt)) {
        fortael(false);
        return false;
    }
    if (FIntSpm == 0 && !SpmHandling->skalElementerKopieres(FConstDest, flyt, FPasteFiler, FPasteMapper)) {
        fortael(false);
        return false;
    }
    // Told also when nothing was asked: "Ryd kopieringslister" holds for every paste.
    fortael(true);
    sizeOfElementer(FConstDest);
    return true;
}

QString TPasteCompo::getResult() const
{
    if (stoppet())
        return "ukendt antal bytes, da kopieringsfunktionen blev afbrudt.";
    return ProgressBox->info().mid(13);
}

bool TPasteCompo::stoppet() const
{
    return m_fuld || ProgressBox->stopFlag().load();
}

// ---------------------------------------------------------------------------------------------
// Paste by copying

bool TPasteCompo::PasteElementer(const PasteJob &job)
{
    try {
        if (!begin(job, false) || !pladsNok())
            return false;
        ProgressBox->showWindow();
        pump(true);
        kopierListerne();
        pump(true);
        if (FCloseBoxAfter)
            ProgressBox->closeWindow();
        return true;
    } catch (const std::exception &) {
        messages::inform("Der opstod en ukendt fejl.");
        return false;
    }
}

void TPasteCompo::kopierListerne()
{
    m_mappeHel.clear();
    m_filHel.clear();
    const QString dest = core::delimKon(FConstDest);
    for (int i = 0; i < FPasteMapper.size(); ++i) {
        const QString &mappe = FPasteMapper.at(i);
        const QString maal = dest + core::getLastDirectory(mappe);
        Traeudfald udfald;
        if (stoppet()) {
            m_mappeHel << false;
            continue;
        }
        kopierMappe(mappe, maal, udfald, true);
        if (!udfald.fejl)
            ProgressBox->checkFolder(i);
        else if (udfald.hele || !udfald.ikkeKopieret.isEmpty())
            sigMappeIkkeKopieret(mappe, maal, udfald);
        m_mappeHel << (!udfald.fejl && !udfald.sprunget);
    }

    for (int i = 0; i < FPasteFiler.size(); ++i) {
        const QString &fil = FPasteFiler.at(i);
        const QString maal = dest + core::nameOf(fil);
        if (stoppet()) {
            m_filHel << false;
            continue;
        }
        const Udfald udfald = haandterFil(fil, maal, false);
        ProgressBox->setAllBar(progressInfo(m_filStoerrelser.value(i)));
        // Judged by what the copy did: an old file at the destination is no copy.
        if (udfald == Udfald::Fejlet) {
            sigIkkeKopieret(fil, maal);
        } else if (ikkePastede > 0) {
            ProgressBox->setNote(ikkePastede == 1
                                     ? QStringLiteral("1 fil blev ikke overskrevet.")
                                     : QString::number(ikkePastede) + " filer blev ikke overskrevede.");
        }
        m_filHel << (udfald == Udfald::Kopieret);
    }
}

QString TPasteCompo::grund() const
{
    return platform::lastError() == platform::Win32Error::Success ? QString() : core::lastErrorMessage();
}

void TPasteCompo::sigIkkeKopieret(const QString &kilde, const QString &dest)
{
    messages::inform("Der opstod en fejl. Filen: \r" + kilde + "\r" + "blev ikke kopieret til: " + "\r" +
                     dest + "\r" + grundEllerGaet(m_fejlGrund));
}

void TPasteCompo::sigMappeIkkeKopieret(const QString &kilde, const QString &dest, const Traeudfald &udfald)
{
    const QString start = m_fuld ? QStringLiteral("Der opstod en fejl, der afbrød processen. Mappen: \r")
                                 : QStringLiteral("Der opstod en fejl. Mappen: \r");
    if (udfald.hele) {
        messages::inform(start + kilde + "\r" + "blev ikke kopieret til: " + "\r" + dest + "\r" +
                         grundEllerGaet(*udfald.hele));
        return;
    }
    messages::inform(start + kilde + "\r" + "blev ikke kopieret helt til: " + "\r" + dest + "\r" +
                     "Følgende blev ikke kopieret:\r" + udfald.ikkeKopieret.tekst());
}

int TPasteCompo::clashRule(const QString &dst)
{
    int metode = FIntPasteMetode < 0 || FIntPasteMetode > 3 ? 3 : FIntPasteMetode;
    if (metode == 3) {
        const messages::ClashResult svar = askUser(dst);
        FIntPasteMetode = svar.handling;
        metode = svar.handling == 3 ? (svar.overskriv ? 1 : 0) : svar.handling;
    }
    return metode;
}

TPasteCompo::Udfald TPasteCompo::haandterFil(const QString &src, QString dst, bool link)
{
    bool overskriv = false;
    if (findes(dst)) {
        const int metode = clashRule(dst);
        if (metode == 0) {
            ++ikkePastede;
            return Udfald::Sprunget;
        }
        if (metode == 2)
            dst = core::getNewFilnavn(dst, "Kopi");
        overskriv = metode == 1;
    }
    if (kopier(src, dst, link, overskriv))
        return Udfald::Kopieret;
    // A copy ended by "Stop", or by the full destination already said, is no failure of its own.
    return stoppet() ? Udfald::Stoppet : Udfald::Fejlet;
}

bool TPasteCompo::kopier(const QString &src, const QString &dst, bool link, bool overskriv)
{
    if (stoppet())
        return false;
    platform::setLastError(platform::Win32Error::Success);
    if (!link) {
        if (kopierFilEx(src, dst, overskriv))
            return true;
        m_fejlGrund = grund();
        return false;
    }
    // A link goes as a link: what it leads to is neither read nor walked. It replaces a file or
    // another link, never a real folder.
    if (overskriv && findes(dst) && !egenMappe(dst)) {
        const QString aside = ledigtNavnVed(dst);
        if (!core::moveFile(dst, aside)) {
            m_fejlGrund = grund();
            return false;
        }
        if (!platform::current().copyLink(src.toStdU16String(), dst.toStdU16String())) {
            m_fejlGrund = grund();
            core::moveFile(aside, dst);
            return false;
        }
        core::deleteFile(aside);
        return true;
    }
    if (platform::current().copyLink(src.toStdU16String(), dst.toStdU16String()))
        return true;
    m_fejlGrund = grund();
    return false;
}

bool TPasteCompo::kopierFilEx(const QString &src, const QString &dst, bool overskriv)
{
    try {
        const auto hverBlok = [this](std::uint64_t size, std::uint64_t copied) {
            if (size > 0) {
                const int procent = int(std::lround(double(copied) * 100.0 / double(size)));
                if (procent != ProgressBox->fileBar())
                    ProgressBox->setFileBar(procent);
            }
            pump(false);
            return platform::CopyProgress::Continue;
        };
        // An existing target is replaced only once the copy is whole (the platform's rule), and
        // only when the clash rule said so: a file that took the name during the copy stays.
        const bool ok = platform::current().copyFileEx(src.toStdU16String(), dst.toStdU16String(), hverBlok,
                                                       &ProgressBox->stopFlag(), !overskriv);
        if (!ok && platform::lastError() == platform::Win32Error::DiskFull && !m_fuld) {
            m_fuld = true;
            messages::inform("Der er ikke plads til filen:\r" + dst + "\r" +
                             "Destinationsdrevet er fuldt, og kopieringen er stoppet.\r" +
                             "En fil, der ikke blev kopieret helt, er ikke ændret på destinationen.");
        }
        return ok;
    } catch (const std::exception &) {
        messages::inform("Der opstod en ukendt fejl.\r");
        return false;
    }
}

void TPasteCompo::kopierMappe(const QString &src, const QString &dst, Traeudfald &udfald, bool oeverst)
{
    // An existing folder of the same name is merged into; not being a copy, it does not get the
    // source's time.
    const bool ny = !core::directoryExists(dst);
    if (ny && !core::forceDirectories(dst)) {
        udfald.fejl = true;
        if (oeverst)
            udfald.hele = ikkeOprettetGrund(dst);
        else
            udfald.ikkeKopieret.add(fejlLinje(true, src, ikkeOprettetGrund(dst)));
        return;
    }
    kopierMappeEx(src, dst, udfald, oeverst);
    // Every entry written into the new folder changed its time: the source's is set last.
    platform::FindData kilde;
    if (ny && !stoppet() && platform::current().fileAttributes(src.toStdU16String(), kilde))
        platform::current().setLastWriteTime(dst.toStdU16String(), kilde.lastWriteTime);
}

void TPasteCompo::kopierMappeEx(const QString &src, const QString &dst, Traeudfald &udfald, bool oeverst)
{
    if (!core::directoryExists(src)) {
        messages::inform("Mappen\r" + src + "\r" + "eksisterer ikke.");
        udfald.fejl = true;
        return;
    }
    std::vector<platform::FindData> entries;
    platform::setLastError(platform::Win32Error::Success);
    if (!platform::current().findFiles(src.toStdU16String(), entries, platform::FindDetail::NoAttributes)) {
        udfald.fejl = true;
        if (oeverst)
            udfald.hele = grund();
        else
            udfald.ikkeKopieret.add(fejlLinje(true, src, grund()));
        return;
    }
    const QString fra = core::delimKon(src);
    const QString til = core::delimKon(dst);
    for (const auto &entry : entries) {
        if (entry.name == u"." || entry.name == u"..")
            continue;
        if (stoppet()) {
            udfald.fejl = true;
            return;
        }
        const QString name = QString::fromStdU16String(entry.name);
        const bool link = entry.attributes & platform::FILE_ATTRIBUTE_REPARSE_POINT;
        if ((entry.attributes & platform::FILE_ATTRIBUTE_DIRECTORY) && !link) {
            kopierMappe(fra + name, til + name, udfald, false);
            continue;
        }
        const Udfald fil = haandterFil(fra + name, til + name, link);
        udfald.fejl |= fil == Udfald::Fejlet || fil == Udfald::Stoppet;
        udfald.sprunget |= fil == Udfald::Sprunget;
        if (fil == Udfald::Fejlet)
            udfald.ikkeKopieret.add(fejlLinje(false, fra + name, m_fejlGrund));
        // A link to a folder was counted as a folder, not as a file.
        if (!(entry.attributes & platform::FILE_ATTRIBUTE_DIRECTORY))
            ProgressBox->setAllBar(progressInfo(qint64(entry.size)));
    }
}

messages::ClashResult TPasteCompo::askUser(const QString &aFilnavn)
{
    return SpmHandling->askUser(core::folderOf(aFilnavn), core::nameOf(aFilnavn));
}

int TPasteCompo::progressInfo(qint64 aSize)
{
    posSize += aSize;
    const int procent = totalSize <= 0 ? 100 : int(posSize * 100 / totalSize);
    ProgressBox->setPercent(QString::number(procent) + "%");
    --antalFiler;
    ProgressBox->setRemaining(QLocale().toString(antalFiler) + " (" +
                              core::shortSizeString(totalSize - posSize) + ")");
    pump(false);
    return procent;
}

// ---------------------------------------------------------------------------------------------
// Preparation

qint64 TPasteCompo::sizeOfElementer(const QString &dest)
{
    totalSize = 0;
    m_pladsBehov = 0;
    posSize = 0;
    antalFiler = 0;
    antalMapper = int(FPasteMapper.size());
    ProgressBox->reset(dest, antalMapper);
    m_mappeTal.clear();
    for (const QString &mappe : std::as_const(FPasteMapper)) {
        ProgressBox->addFolder(mappe);
        TreeCount count;
        if (!core::directoryExists(mappe)) {
            messages::inform("Mappen\r" + mappe + "\r" + "eksisterer ikke.");
        } else {
            // The walk runs on a worker, since one folder of many files is one long listing; the
            // folders counted so far reach the window while it goes on, and "Stop" ends it.
            const int foldersBefore = antalMapper;
            std::atomic<int> counted = 0;
            bool listed = false;
            core::whileProcessingEvents(
                [&] {
                    listed = countTree(mappe, count, [this, &counted](const TreeCount &sofar) {
                        counted = int(sofar.folders);
                        return !stoppet();
                    });
                },
                QEventLoop::AllEvents,
                [this, &counted, foldersBefore] { ProgressBox->setCountedFolders(foldersBefore + counted); });
            if (!listed)
                messages::inform("Der opstod en ukendt fejl.");
        }
        totalSize += count.bytes;
        m_pladsBehov += count.onDisk;
        antalFiler += int(count.files);
        antalMapper += int(count.folders);
        m_mappeTal << count;
    }
    m_filStoerrelser.clear();
    for (const QString &fil : std::as_const(FPasteFiler)) {
        qint64 paaDisk = 0;
        const qint64 size = TMetoder::getFilensSize(fil, &paaDisk);
        m_filStoerrelser << size;
        totalSize += size;
        m_pladsBehov += paaDisk;
        ++antalFiler;
    }
    m_taltMapper = FPasteMapper;
    m_taltFiler = FPasteFiler;
    ProgressBox->setCountedFolders(antalMapper);
    ProgressBox->setFolderBarFull();
    udskrivInfo();
    ProgressBox->setRemaining(QString::number(antalFiler));
    return totalSize;
}

void TPasteCompo::udskrivInfo()
{
    ProgressBox->setInfo("Der kopieres " + QString::number(antalFiler) +
                         (antalFiler == 1 ? " fil: " : " filer: ") + core::digitCountSizeString(totalSize));
}

bool TPasteCompo::indISigSelv(bool flyt) const
{
    // One folder may have several names (links, drive letters over the same disk): only the file
    // system's identity tells whether the destination lies in it.
    for (const QString &mappe : FPasteMapper) {
        if (core::isSameOrInside(mappe, FConstDest)) {
            messages::inform("Mappen\r" + mappe + "\r" +
                             (flyt ? "kan ikke flyttes ind i sig selv eller i en af sine egne undermapper.\r"
                                     "Intet er blevet flyttet."
                                   : "kan ikke kopieres ind i sig selv eller i en af sine egne undermapper.\r"
                                     "Intet er blevet kopieret."));
            return true;
        }
    }
    if (!flyt)
        return false;
    // Moved where it already lies, the element would be its own clash: replaced by itself,
    // merged into itself, or copied onto itself and then deleted.
    const auto alleredeDer = [this](const QStringList &elementer, const char *slags) {
        for (const QString &element : elementer) {
            if (core::sameElement(core::folderOf(element), FConstDest)) {
                messages::inform(slags + ("\r" + element + "\r") + "ligger allerede i mappen:\r" +
                                 FConstDest + "\r" + "Intet er blevet flyttet.");
                return true;
            }
        }
        return false;
    };
    return alleredeDer(FPasteMapper, "Mappen") || alleredeDer(FPasteFiler, "Filen");
}

bool TPasteCompo::pladsNok() const
{
    platform::DiskSpace plads;
    // An unreachable destination is found out by the copy itself.
    if (!platform::current().diskFreeSpace(FConstDest.toStdU16String(), plads))
        return true;
    // What the copy writes, not what the files seem to hold: a sparse file's holes stay holes.
    if (m_pladsBehov <= 0 || std::uint64_t(m_pladsBehov) <= plads.freeToCaller)
        return true;
    messages::inform("Der er ikke plads nok på destinationsdrevet.\rDer skal bruges " +
                     core::shortSizeString(m_pladsBehov) + ", men der er kun " +
                     core::shortSizeString(qint64(plads.freeToCaller)) + " ledig plads.\r" +
                     "Intet er blevet kopieret.");
    return false;
}

// ---------------------------------------------------------------------------------------------
// Paste by moving

bool TPasteCompo::PasteCutElementer(const PasteJob &job)
{
    try {
        if (!begin(job, true))
            return false;
        flytMapperPaaDrevet();
        flytFilerPaaDrevet();
        if (!FPasteMapper.isEmpty() || !FPasteFiler.isEmpty()) {
            KopierFraLister();
            DeleteFraLister();
        }
        if (ikkePastede == 1)
            messages::inform(
                "1 element blev ikke flyttede på grund af den valgte indstilling \"Overskriv ikke\".");
        else if (ikkePastede > 1)
            messages::inform(
                QString::number(ikkePastede) +
                " elementer blev ikke flyttede på grund af den valgte indstilling \"Overskriv ikke\".");
        return true;
    } catch (const std::exception &) {
        messages::inform("Der opstod en ukendt fejl.");
        return false;
    }
}

bool TPasteCompo::maaMappenErstattes(const QString &dest)
{
    if (m_erstatAlle >= 0)
        return m_erstatAlle == 1;
    bool forAlle = false;
    const bool ja = messages::askForAll("Der eksisterer allerede en mappe med navnet:\r" + dest + "\r" +
                                            "Må denne mappe slettes og erstattes af den nye mappe?",
                                        forAlle);
    if (forAlle)
        m_erstatAlle = ja ? 1 : 0;
    return ja;
}

bool TPasteCompo::erstat(const QString &kilde, const QString &dest, bool mappe)
{
    const QString aside = ledigtNavnVed(dest);
    if (!core::moveFile(dest, aside))
        return false;
    if (!core::moveFile(kilde, dest)) {
        const platform::Win32Error fejl = platform::lastError();
        core::moveFile(aside, dest);
        platform::setLastError(fejl);
        return false;
    }
    if (mappe)
        core::deleteFolder(aside);
    else
        core::deleteFile(aside);
    return true;
}

void TPasteCompo::sigIkkeFlyttet(const QString &kilde, const QString &dest, bool mappe)
{
    messages::inform((mappe ? "Mappen\r" : "Filen\r") + kilde + "\r" + "kunne ikke flyttes til:\r" + dest +
                     "\r" + core::lastErrorMessage());
}

void TPasteCompo::flytMapperPaaDrevet()
{
    const QString dest = core::delimKon(FConstDest);
    for (qsizetype i = FPasteMapper.size() - 1; i >= 0; --i) {
        const QString mappe = FPasteMapper.at(i);
        QString maal = dest + core::getLastDirectory(mappe);
        if (!sammeDrev(mappe, maal))
            continue;
        bool flyt = true;
        bool erstattes = false;
        if (findes(maal)) {
            const int metode = clashRule(maal);
            if (metode == 0) {
                ++ikkePastede;
                flyt = false;
            } else if (metode == 1) {
                flyt = maaMappenErstattes(maal);
                erstattes = flyt;
            } else {
                maal = core::getNewDirectoryName(maal, "Kopi");
            }
        }
        if (flyt) {
            const bool ok = erstattes ? erstat(mappe, maal, true) : core::moveFile(mappe, maal);
            // One drive may span two file systems on this host: that folder goes by copying.
            if (!ok && !erstattes && platform::lastError() == platform::Win32Error::NotSameDevice)
                continue;
            if (!ok)
                sigIkkeFlyttet(mappe, maal, true);
        }
        FPasteMapper.removeAt(i);
    }
}

void TPasteCompo::flytFilerPaaDrevet()
{
    const QString dest = core::delimKon(FConstDest);
    for (qsizetype i = FPasteFiler.size() - 1; i >= 0; --i) {
        const QString fil = FPasteFiler.at(i);
        QString maal = dest + core::nameOf(fil);
        if (!sammeDrev(fil, maal))
            continue;
        bool flyt = true;
        bool erstattes = false;
        if (findes(maal)) {
            const int metode = clashRule(maal);
            if (metode == 0) {
                ++ikkePastede;
                flyt = false;
            } else if (metode == 1) {
                erstattes = true;
            } else {
                maal = core::getNewFilnavn(maal, "Kopi");
            }
        }
        if (flyt && !(erstattes ? erstat(fil, maal, false) : core::moveFile(fil, maal)))
            sigIkkeFlyttet(fil, maal, false);
        FPasteFiler.removeAt(i);
    }
}

bool TPasteCompo::KopierFraLister()
{
    try {
        if (FPasteMapper != m_taltMapper || FPasteFiler != m_taltFiler)
            sizeOfElementer(FConstDest);
        if (!pladsNok())
            return false;
        ProgressBox->showWindow();
        pump(true);
        kopierListerne();
        pump(true);
        if (FCloseBoxAfter)
            ProgressBox->closeWindow();
    } catch (const std::exception &) {
        ProgressBox->closeWindow();
        messages::inform("Der var mapper eller filer, der ikke blev kopierede til destinationen.");
        return false;
    }
    const bool alt = !m_mappeHel.contains(false) && !m_filHel.contains(false);
    if (!alt)
        messages::inform("Der var mapper eller filer, der ikke blev kopierede til destinationen.");
    return alt;
}

bool TPasteCompo::DeleteFraLister()
{
    // Only what the copy pass copied whole leaves its source; a folder with anything below it
    // not copied stays whole where it was.
    QStringList mapper;
    QStringList filer;
    QList<TreeCount> mappeTal;
    QList<qint64> filStoerrelser;
    for (int i = 0; i < FPasteMapper.size(); ++i) {
        if (m_mappeHel.value(i)) {
            mapper << FPasteMapper.at(i);
            mappeTal << m_mappeTal.value(i);
        }
    }
    for (int i = 0; i < FPasteFiler.size(); ++i) {
        if (m_filHel.value(i)) {
            filer << FPasteFiler.at(i);
            filStoerrelser << m_filStoerrelser.value(i);
        }
    }
    if (mapper.isEmpty() && filer.isEmpty())
        return true;
    bool ok = false;
    try {
        ok = m_sletter->sletFlyttede(mapper, filer, mappeTal, filStoerrelser, FCloseBoxAfter);
    } catch (const std::exception &) {
        ok = false;
    }
    if (!ok)
        messages::inform("Der var mapper eller filer, der ikke blev slettede.");
    return ok;
}

void TPasteCompo::pump(bool force)
{
    // Repainting after every one of many small files would cost more than copying them.
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (!force && m_lastPump >= 0 && now - m_lastPump < kPumpIntervalMs)
        return;
    m_lastPump = now;
    QCoreApplication::processEvents();
}
