#include "fileops/deletecompo.h"

#include "core/eventsduring.h"
#include "core/files.h"
#include "core/paths.h"
#include "core/sizetext.h"
#include "fileops/metodecompo.h"
#include "platform/Platform.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QLocale>
#include <algorithm>
#include <atomic>
#include <vector>

namespace {

// The system's reason for the failure just met; empty when it gave none.
QString grund()
{
    return platform::lastError() == platform::Win32Error::Success ? QString() : core::lastErrorMessage();
}

} // namespace

TDeleteCompo::TDeleteCompo(QObject *owner)
    : QObject(owner)
    , SpmDelBox(messages::makeOperationQuestions())
    , DeleteBox(messages::makeDeleteProgressView())
{}

TDeleteCompo::~TDeleteCompo() = default;

bool TDeleteCompo::DeleteElementer(const DeleteJob &job)
{
    const bool tilPapirkurv = job.toRecycleBin;
    m_heading.clear();
    DeleteBox->setHeading(m_heading);
    FDeleteMapper = job.folders;
    FDeleteFiler = job.files;
    nulstilUdfald();

    const bool spoerg = job.ask == 0 || (job.ask == 1 && !tilPapirkurv);
    if (spoerg && !SpmDelBox->skalElementerSlettes(FDeleteFiler, FDeleteMapper, tilPapirkurv))
        return false;

    sizeOfDelElementer(tilPapirkurv ? "Papirkurvs sletning" : "Vedvarende sletning");
    DeleteBox->showWindow();
    pumpMessages(true);

    sletMapperne(tilPapirkurv);

    bool stoppet = false;
    for (int i = 0; i < FDeleteFiler.size() && !stoppet; ++i) {
        const QString &fil = FDeleteFiler.at(i);
        const qint64 size = m_filStoerrelser.value(i);
        --antalFiler;
        posSize += size;
        if (tilPapirkurv) {
            // A file gone meanwhile is passed over, as a folder is.
            platform::setLastError(platform::Win32Error::Success);
            if (FileDeleteRB(fil))
                slettet(size);
            else if (core::entryExists(fil))
                m_ikkeSlettede << IkkeSlettet{fil, false, true, QString(), grund()};
        } else if (core::deleteFile(fil)) {
            slettet(size);
        } else {
            // A permanent deletion stops at the first file it cannot delete.
            m_ikkeSlettede << IkkeSlettet{fil, false, false, QString(), core::lastErrorMessage()};
            m_efterStop = int(FDeleteFiler.size()) - i - 1;
            stoppet = true;
        }
        DeleteBox->setBar(progressInfoDel());
        pumpMessages(false);
    }

    pumpMessages(true);
    if (!m_ikkeSlettede.isEmpty())
        messages::inform(ikkeSlettetBesked());
    // After a stop the window stays for the user to see how far it came.
    if (job.closeBoxAfter && !stoppet)
        DeleteBox->closeWindow();
    return true;
}

bool TDeleteCompo::sletFlyttede(const QStringList &mapper, const QStringList &filer,
                                const QList<TreeCount> &mappeTal, const QList<qint64> &filStoerrelser,
                                bool closeBoxAfter)
{
    m_heading.clear();
    FDeleteMapper = mapper;
    FDeleteFiler = filer;
    nulstilUdfald();
    forbered("Sletningen er permanent", &mappeTal, &filStoerrelser);
    DeleteBox->showWindow();
    pumpMessages(true);

    sletMapperne(false);
    for (int i = 0; i < FDeleteFiler.size(); ++i) {
        const QString &fil = FDeleteFiler.at(i);
        --antalFiler;
        posSize += m_filStoerrelser.value(i);
        if (core::deleteFile(fil))
            slettet(m_filStoerrelser.value(i));
        else
            m_ikkeSlettede << IkkeSlettet{fil, false, false, QString(), core::lastErrorMessage()};
        DeleteBox->setBar(progressInfoDel());
        pumpMessages(false);
    }
    for (const QString &mappe : std::as_const(FDeleteMapper)) {
        if (core::directoryExists(mappe))
            sletMappe(nullptr, mappe, false, false);
    }
    // What the second try removed is no longer left.
    m_ikkeSlettede.removeIf([](const IkkeSlettet &rest) { return !core::entryExists(rest.element); });

    pumpMessages(true);
    if (closeBoxAfter)
        DeleteBox->closeWindow();
    return m_ikkeSlettede.isEmpty();
}

void TDeleteCompo::sletMapperne(bool tilPapirkurv)
{
    for (int i = 0; i < FDeleteMapper.size(); ++i) {
        const QString &mappe = FDeleteMapper.at(i);
        if (!core::directoryExists(mappe))
            continue;
        const TreeCount count = m_mappeTreeCount.value(i);
        const int foer = int(m_ikkeSlettede.size());
        if (tilPapirkurv) {
            // The recycle bin takes a folder whole, in one step.
            antalFiler -= int(count.files);
            posSize += count.bytes;
            platform::setLastError(platform::Win32Error::Success);
            if (sletMappe(nullptr, mappe, false, true))
                slettet(count.bytes);
            else
                m_ikkeSlettede << IkkeSlettet{mappe, true, true, QString(), grund()};
        } else {
            sletMappePermanent(mappe, count);
        }
        DeleteBox->setBar(progressInfoDel());
        if (m_ikkeSlettede.size() == foer)
            DeleteBox->checkFolder(i);
        pumpMessages(false);
    }
}

void TDeleteCompo::sletMappePermanent(const QString &mappe, const TreeCount &count)
{
    // The bar follows the files as they go; the figures of the count are never passed, since the
    // folder may have changed since it was counted.
    const int filerFoer = antalFiler;
    const qint64 bytesFoer = posSize;
    int filer = 0;
    qint64 bytes = 0;
    bool noget = false;
    const auto frem = [&] {
        antalFiler = filerFoer - int(std::min<qint64>(filer, count.files));
        posSize = bytesFoer + std::min(bytes, count.bytes);
    };
    // The removal runs on a worker: one unlink in a folder of 100,000 files may take longer than
    // the window may wait. The bar follows what it has removed, every 50 ms.
    std::atomic<int> filerVaek = 0;
    std::atomic<qint64> bytesVaek = 0;
    std::atomic<bool> nogetVaek = false;
    platform::Path stop;
    bool ok = false;
    QString aarsag; // the system's reason, read on the thread where the removal failed
    const auto vis = [&] {
        filer = filerVaek;
        bytes = bytesVaek;
        frem();
        DeleteBox->setBar(progressInfoDel());
    };
    core::whileProcessingEvents(
        [&] {
            ok = platform::current().deleteFolder(
                mappe.toStdU16String(),
                [&](bool folder, std::uint64_t size) {
                    nogetVaek = true;
                    if (!folder) {
                        bytesVaek += qint64(size);
                        ++filerVaek;
                    }
                },
                &stop);
            if (!ok)
                aarsag = core::lastErrorMessage();
        },
        QEventLoop::AllEvents, vis);
    filer = filerVaek;
    bytes = bytesVaek;
    noget = nogetVaek;
    if (ok) {
        antalFiler = filerFoer - int(count.files);
        posSize = bytesFoer + count.bytes;
        slettet(count.bytes);
        return;
    }
    frem();
    m_slettetBytes += std::min(bytes, count.bytes);
    m_slettetNoget = m_slettetNoget || noget;
    const QString ved = QString::fromStdU16String(stop);
    m_ikkeSlettede << IkkeSlettet{mappe, true, false,
                                  ved.compare(mappe, Qt::CaseInsensitive) == 0 ? QString() : ved, aarsag};
}

void TDeleteCompo::nulstilUdfald()
{
    m_ikkeSlettede.clear();
    m_slettetNoget = false;
    m_slettetBytes = 0;
    m_efterStop = 0;
}

void TDeleteCompo::slettet(qint64 bytes)
{
    m_slettetNoget = true;
    m_slettetBytes += bytes;
}

QString TDeleteCompo::ikkeSlettetBesked() const
{
    messages::Opremsning blokke(QStringLiteral("\r\r"));
    for (const IkkeSlettet &rest : m_ikkeSlettede) {
        if (blokke.fuld()) {
            blokke.tael();
            continue;
        }
        QString blok = (rest.mappe ? "Mappen\r" : "Filen\r") + rest.element + "\r";
        if (rest.tilPapirkurv)
            blok += "kunne ikke flyttes til papirkurven.";
        else if (!rest.stoppetVed.isEmpty())
            blok += "kunne ikke slettes helt. Sletningen stoppede ved:\r" + rest.stoppetVed;
        else
            blok += "kunne ikke slettes.";
        if (!rest.grund.isEmpty())
            blok += "\r" + rest.grund;
        blokke.add(blok);
    }
    if (blokke.isEmpty())
        return QString();
    QString besked = blokke.size() == 1 ? blokke.tekst()
                                        : "Følgende " + QString::number(blokke.size()) +
                                              " elementer kunne ikke slettes:\r\r" + blokke.tekst();
    if (m_efterStop > 0)
        besked +=
            "\rSletningen stoppede ved denne fil; " + QLocale().toString(m_efterStop) +
            (m_efterStop == 1 ? " fil efter den er ikke slettet." : " filer efter den er ikke slettet.");
    return besked;
}

QString TDeleteCompo::getResult() const
{
    if (m_ikkeSlettede.isEmpty())
        return m_heading.mid(20);
    const qsizetype rest = m_ikkeSlettede.size();
    return " " + core::shortSizeString(m_slettetBytes) + ", men " + QLocale().toString(rest) +
           (rest == 1 ? " element kunne ikke slettes" : " elementer kunne ikke slettes");
}

bool TDeleteCompo::FileDeleteRB(const QString &aFileName)
{
    // A link that leads nowhere is an entry of its own, and goes too.
    if (!core::entryExists(aFileName))
        return false;
    return core::moveToRecycleBin(aFileName);
}

bool TDeleteCompo::sletMappe([[maybe_unused]] QWidget *WindowHandle, const QString &aMappe, bool Confirm,
                             bool toPapirkurv)
{
    if (Confirm &&
        !messages::ask(toPapirkurv ? "Er du sikker på, at du vil flytte denne mappe til Papirkurven?"
                                   : "Er du sikker på, at du vil slette denne mappe permanent?"))
        return false;
    return toPapirkurv ? core::moveToRecycleBin(aMappe) : core::deleteFolder(aMappe);
}

qint64 TDeleteCompo::sizeOfDelElementer(const QString &heading)
{
    return forbered(heading, nullptr, nullptr);
}

qint64 TDeleteCompo::forbered(const QString &heading, const QList<TreeCount> *mappeTal,
                              const QList<qint64> *filStoerrelser)
{
    totalSize = 0;
    posSize = 0;
    antalFiler = 0;
    antalMapper = static_cast<int>(FDeleteMapper.size());
    m_mappeTreeCount.clear();
    m_filStoerrelser.clear();
    DeleteBox->clearFolders();
    DeleteBox->setBar(0);
    DeleteBox->setInfo(QString());
    DeleteBox->setRemaining(QString());
    DeleteBox->setPercent("0%");
    m_heading = heading;
    DeleteBox->setHeading(m_heading);
    if (FDeleteMapper.size() == 1)
        DeleteBox->setFolderCaption("Følgende 1 mappe slettes:");
    else
        DeleteBox->setFolderCaption("Følgende " + QString::number(FDeleteMapper.size()) + " mapper slettes:");

    for (int i = 0; i < FDeleteMapper.size(); ++i) {
        const QString &mappe = FDeleteMapper.at(i);
        DeleteBox->addFolder(mappe);
        TreeCount count;
        if (mappeTal) {
            count = mappeTal->value(i);
            totalSize += count.bytes;
            antalFiler += int(count.files);
            antalMapper += int(count.folders);
        } else if (!core::directoryExists(mappe)) {
            messages::inform("Mappen\r" + mappe + "\r" + "eksisterer ikke.");
        } else {
            // One folder of 100,000 files is one long listing: counted on a worker, while the
            // progress window shows and repaints.
            bool counted = false;
            core::whileProcessingEvents([&] { counted = countTree(mappe, count); });
            if (!counted)
                messages::inform("Der opstod en ukendt fejl.");
            totalSize += count.bytes;
            antalFiler += int(count.files);
            antalMapper += int(count.folders);
        }
        m_mappeTreeCount << count;
    }

    for (int i = 0; i < FDeleteFiler.size(); ++i) {
        const qint64 size =
            filStoerrelser ? filStoerrelser->value(i) : TMetoder::getFilensSize(FDeleteFiler.at(i));
        m_filStoerrelser << size;
        totalSize += size;
        ++antalFiler;
    }

    m_heading = heading + ": " + core::shortSizeString(totalSize);
    DeleteBox->setHeading(m_heading);
    DeleteBox->setInfo("Antal filer: " + QString::number(antalFiler));
    return totalSize;
}

QString TDeleteCompo::setTotalString(bool all) const
{
    return core::shortSizeString(all ? totalSize : totalSize - posSize);
}

int TDeleteCompo::progressInfoDel()
{
    const int procent = totalSize <= 0 ? 0 : static_cast<int>(posSize * 100 / totalSize);
    DeleteBox->setPercent(QString::number(procent) + "%");
    DeleteBox->setRemaining(QLocale().toString(antalFiler) + " (" + setTotalString(false) + ")");
    return procent;
}

bool TDeleteCompo::tidTilPump() const
{
    return m_lastPump < 0 || QDateTime::currentMSecsSinceEpoch() - m_lastPump >= 50;
}

void TDeleteCompo::pumpMessages(bool force)
{
    // Repainting after every one of many small files would cost more than deleting them.
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (!force && m_lastPump >= 0 && now - m_lastPump < 50)
        return;
    m_lastPump = now;
    QCoreApplication::processEvents();
}
