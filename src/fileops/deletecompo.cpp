#include "fileops/deletecompo.h"

#include "core/files.h"
#include "core/paths.h"
#include "core/sizetext.h"
#include "fileops/metodecompo.h"
#include "platform/Platform.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QLocale>
#include <vector>

TDeleteCompo::TDeleteCompo(QObject *owner)
    : QObject(owner)
    , SpmDelBox(messages::makeOperationQuestions())
    , DeleteBox(messages::makeDeleteProgressView())
{}

TDeleteCompo::~TDeleteCompo() = default;

bool TDeleteCompo::DeleteElementer(const QStringList &aMappeListe, const QStringList &aFilListe,
                                   bool tilPapirkurv)
{
    m_heading.clear();
    DeleteBox->setHeading(m_heading);
    FDeleteMapper = aMappeListe;
    FDeleteFiler = aFilListe;

    const bool spoerg = FIntSpm == 0 || (FIntSpm == 1 && !tilPapirkurv);
    if (spoerg && !SpmDelBox->skalElementerSlettes(FDeleteFiler, FDeleteMapper, tilPapirkurv))
        return false;

    sizeOfDelElementer(tilPapirkurv ? "Papirkurvs sletning" : "Vedvarende sletning");
    DeleteBox->showWindow();
    pumpMessages(true);

    sletMapperne(tilPapirkurv);

    for (int i = 0; i < FDeleteFiler.size(); ++i) {
        const QString &fil = FDeleteFiler.at(i);
        --antalFiler;
        posSize += m_filStoerrelser.value(i);
        if (tilPapirkurv) {
            FileDeleteRB(fil);
        } else if (!core::deleteFile(fil)) {
            const QString besked = core::lastErrorMessage();
            DeleteBox->setBar(progressInfoDel());
            throw SletFejl(fil, besked);
        }
        DeleteBox->setBar(progressInfoDel());
        pumpMessages(false);
    }

    pumpMessages(true);
    if (FCloseBoxAfter)
        DeleteBox->closeWindow();
    return true;
}

bool TDeleteCompo::sletFlyttede(const QStringList &mapper, const QStringList &filer,
                                const QList<Optaelling> &mappeTal, const QList<qint64> &filStoerrelser)
{
    m_heading.clear();
    FDeleteMapper = mapper;
    FDeleteFiler = filer;
    forbered("Sletningen er permanent", &mappeTal, &filStoerrelser);
    DeleteBox->showWindow();
    pumpMessages(true);

    bool ok = true;
    sletMapperne(false);
    for (int i = 0; i < FDeleteFiler.size(); ++i) {
        --antalFiler;
        posSize += m_filStoerrelser.value(i);
        if (!core::deleteFile(FDeleteFiler.at(i)))
            ok = false;
        DeleteBox->setBar(progressInfoDel());
        pumpMessages(false);
    }
    for (const QString &mappe : std::as_const(FDeleteMapper)) {
        if (core::directoryExists(mappe) && !sletMappe(nullptr, mappe, false, false))
            ok = false;
    }

    pumpMessages(true);
    if (FCloseBoxAfter)
        DeleteBox->closeWindow();
    return ok;
}

void TDeleteCompo::sletMapperne(bool tilPapirkurv)
{
    for (int i = 0; i < FDeleteMapper.size(); ++i) {
        const QString &mappe = FDeleteMapper.at(i);
        if (!core::directoryExists(mappe))
            continue;
        const Optaelling count = m_mappeOptaelling.value(i);
        antalFiler -= count.filer;
        posSize += count.bytes;
        sletMappe(nullptr, mappe, false, tilPapirkurv);
        DeleteBox->setBar(progressInfoDel());
        DeleteBox->checkFolder(i);
        pumpMessages(false);
    }
}

QString TDeleteCompo::getResult() const
{
    return m_heading.mid(20);
}

bool TDeleteCompo::FileDeleteRB(const QString &aFileName)
{
    if (!core::fileExists(aFileName))
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

bool TDeleteCompo::taelTrae(const QString &dir, Optaelling &count, bool &ok,
                            const std::function<void(int mapper)> &perFolder)
{
    std::vector<platform::FindData> entries;
    if (!platform::current().findFiles(dir.toStdU16String(), entries, platform::FindDetail::NoAttributes)) {
        ok = false;
        return false;
    }
    const QString prefix = core::delimKon(dir);
    for (const auto &entry : entries) {
        if (entry.name == u"." || entry.name == u"..")
            continue;
        if (entry.attributes & platform::FILE_ATTRIBUTE_DIRECTORY) {
            ++count.mapper;
            // A link to a folder goes as a link: what it leads to is not counted.
            if (entry.attributes & platform::FILE_ATTRIBUTE_REPARSE_POINT)
                continue;
            taelTrae(prefix + QString::fromStdU16String(entry.name), count, ok, perFolder);
            if (!ok)
                return true;
        } else {
            count.bytes += static_cast<qint64>(entry.size);
            count.paaDisk += static_cast<qint64>(entry.allocatedSize);
            ++count.filer;
        }
    }
    if (perFolder)
        perFolder(count.mapper);
    return true;
}

qint64 TDeleteCompo::sizeOfDelElementer(const QString &heading)
{
    return forbered(heading, nullptr, nullptr);
}

qint64 TDeleteCompo::forbered(const QString &heading, const QList<Optaelling> *mappeTal,
                              const QList<qint64> *filStoerrelser)
{
    totalSize = 0;
    posSize = 0;
    antalFiler = 0;
    antalMapper = static_cast<int>(FDeleteMapper.size());
    m_mappeOptaelling.clear();
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
        Optaelling count;
        if (mappeTal) {
            count = mappeTal->value(i);
            totalSize += count.bytes;
            antalFiler += count.filer;
            antalMapper += count.mapper;
        } else if (!core::directoryExists(mappe)) {
            messages::inform("Mappen\r" + mappe + "\r" + "eksisterer ikke.");
        } else {
            // The walk's own counts reach the fields as it goes; an error midway keeps them.
            bool ok = true;
            if (!taelTrae(mappe, count, ok))
                messages::inform("Der opstod en ukendt fejl.");
            totalSize += count.bytes;
            antalFiler += count.filer;
            antalMapper += count.mapper;
        }
        m_mappeOptaelling << count;
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

void TDeleteCompo::pumpMessages(bool force)
{
    // Repainting after every one of many small files would cost more than deleting them.
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (!force && m_lastPump >= 0 && now - m_lastPump < 50)
        return;
    m_lastPump = now;
    QCoreApplication::processEvents();
}
