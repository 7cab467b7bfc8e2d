#include "gallery/bibpan.h"

#include "core/files.h"
#include "core/paths.h"
#include "platform/Platform.h"

#include <QMutex>
#include <QPainter>
#include <QThread>
#include <atomic>
#include <optional>

struct TBibPan::Job
{
    QStringList hostFiles;
    QStringList extensions;
    gallery::ThumbnailLook look;
    std::atomic<bool> cancel{false};
    std::atomic<int> next{0};
    QMutex mutex;
    std::vector<std::optional<gallery::Thumbnail>> done; // under `mutex`
};

TBibPan::TBibPan(QWidget *parent)
    : TKnapPan(parent)
{
    FeltFarve = QColor(166, 202, 240);
    m_pool.setMaxThreadCount(std::max(1, QThread::idealThreadCount()));
    m_reload.setSingleShot(true);
    m_reload.setInterval(150);
    connect(&m_reload, &QTimer::timeout, this, [this] {
        if (!Bibliotek.isEmpty() && thumbnailSize() != m_loadedSize)
            LoadListe();
    });
}

TBibPan::~TBibPan()
{
    cancelLoad();
    m_pool.waitForDone();
}

QSize TBibPan::thumbnailSize() const
{
    const int rings = MedRammeFelt ? RammeFelt.Bredde : 0;
    return QSize(std::max(1, FeltBredde - 2 * rings - 1), std::max(1, FeltHojde - 2 * rings - 1));
}

void TBibPan::SetBibliotek(const QString &folder)
{
    Bibliotek = folder;
    StartNr = 0;
    LoadListe();
}

void TBibPan::NytBibliotek(const QString &folder)
{
    SetBibliotek(folder);
    InitAlleUp();
    if (Antal > 0)
        InitFocus(0);
}

void TBibPan::NewDirectory(int AntV, int AntL, const QString &Dir)
{
    Bibliotek = Dir;
    NyeFelterVL(AntV, AntL);
}

void TBibPan::NyeFelterVL(int AVandret, int ALodret)
{
    NytAntalVL(AVandret, ALodret);
    InitAlleUp();
    LoadListe();
}

void TBibPan::SetFeltFarve(const QColor &farve)
{
    if (farve == FeltFarve)
        return;
    FeltFarve = farve;
    if (!Bibliotek.isEmpty())
        LoadListe();
}

void TBibPan::SetFilType(TFilType type)
{
    FilType = type;
    LoadListe();
}

void TBibPan::SetCentrer(bool on)
{
    Centrer = on;
    LoadListe();
}

void TBibPan::SetScale(bool on)
{
    Scale = on;
    LoadListe();
}

void TBibPan::SetIndreMargen(int margen)
{
    IndreMargen = margen;
    LoadListe();
}

QString TBibPan::GetFilnavn(int FeltNr, bool MedSti) const
{
    if (FeltNr < 0 || FeltNr >= Bil.size())
        return QString();
    return MedSti ? core::delimKon(Bibliotek) + Bil.at(FeltNr).navn : Bil.at(FeltNr).navn;
}

int TBibPan::GetBredde(int n) const
{
    return n >= 0 && n < Bil.size() ? Bil.at(n).bredde : 0;
}

int TBibPan::GetHojde(int n) const
{
    return n >= 0 && n < Bil.size() ? Bil.at(n).hojde : 0;
}

void TBibPan::felterAendret()
{
    TKnapPan::felterAendret();
    // A new field size makes the thumbnails again, once the size has settled.
    if (!Bibliotek.isEmpty() && m_loadedSize.isValid() && thumbnailSize() != m_loadedSize)
        m_reload.start();
}

void TBibPan::cancelLoad()
{
    if (!m_job)
        return;
    m_job->cancel = true;
    m_pool.waitForDone();
    m_job.reset();
}

void TBibPan::LoadListe()
{
    cancelLoad();
    m_reload.stop();
    Bil.clear();
    BitmapFelt.BitmapListe.clear();
    m_shown.clear();
    m_made = 0;
    m_held = 0;
    StartNr = 0;
    QStringList names[3];
    if (!Bibliotek.isEmpty()) {
        std::vector<platform::FindData> entries;
        platform::current().findFiles(Bibliotek.toStdU16String(), entries, platform::FindDetail::Kinds);
        for (const platform::FindData &entry : entries) {
            if (entry.attributes & platform::FILE_ATTRIBUTE_DIRECTORY)
                continue;
            const QString name = QString::fromStdU16String(entry.name);
            const QString lower = name.toLower();
            if (lower.endsWith(".bmp") && (FilType == ftBmp || FilType == ftBegge))
                names[0].append(name);
            else if (lower.endsWith(".jpg") && (FilType == ftJpg || FilType == ftBegge))
                names[1].append(name);
            else if (lower.endsWith(".ico") && (FilType == ftIco || FilType == ftBegge))
                names[2].append(name);
        }
    }
    auto job = std::make_shared<Job>();
    static const char *const kExtensions[3] = {"bmp", "jpg", "ico"};
    const QString folder = core::delimKon(Bibliotek);
    for (int group = 0; group < 3; ++group) {
        for (const QString &name : std::as_const(names[group])) {
            Bil.append({name, 0, 0});
            job->hostFiles.append(core::hostPath(folder + name));
            job->extensions.append(kExtensions[group]);
        }
    }
    SetAntalIalt(int(Bil.size()));
    update();
    m_loadedSize = thumbnailSize();
    if (Bil.isEmpty())
        return;
    job->look = {m_loadedSize, FeltFarve, IndreMargen, Scale, Centrer};
    m_hostFiles = job->hostFiles;
    m_extensions = job->extensions;
    m_look = job->look;
    job->done.resize(std::size_t(Bil.size()));
    BitmapFelt.BitmapListe.reserve(Bil.size());
    m_job = job;
    if (OnProgress)
        OnProgress(0);
    const int workers = std::min(m_pool.maxThreadCount(), int(Bil.size()));
    // The grid outlives the pool's tasks (it waits for them before it goes); a result posted to
    // a grid that has gone is dropped with it.
    TBibPan *self = this;
    for (int w = 0; w < workers; ++w) {
        m_pool.start([job, self] {
            const int count = int(job->hostFiles.size());
            for (int i = job->next++; i < count && !job->cancel; i = job->next++) {
                gallery::Thumbnail made =
                    gallery::makeThumbnail(job->hostFiles.at(i), job->extensions.at(i), job->look);
                {
                    QMutexLocker lock(&job->mutex);
                    job->done[std::size_t(i)] = std::move(made);
                }
                QMetaObject::invokeMethod(
                    self, [self, job] { self->collect(job); }, Qt::QueuedConnection);
            }
        });
    }
}

void TBibPan::collect(const std::shared_ptr<Job> &job)
{
    if (job != m_job)
        return;
    const int count = int(Bil.size());
    while (m_made < count) {
        gallery::Thumbnail made;
        {
            QMutexLocker lock(&job->mutex);
            auto &slot = job->done[std::size_t(m_made)];
            if (!slot)
                break;
            made = std::move(*slot);
            slot.reset();
        }
        const int n = m_made++;
        if (m_held + made.image.sizeInBytes() <= thumbnailBudget) {
            m_held += made.image.sizeInBytes();
            BitmapFelt.BitmapListe.append(made.image);
        } else {
            BitmapFelt.BitmapListe.append(QImage());
        }
        Bil[n].bredde = made.bredde;
        Bil[n].hojde = made.hojde;
        if (n >= StartNr && n < StartNr + Antal)
            repaintFelt(n - StartNr);
        if (OnBillede)
            OnBillede(n);
        if (OnProgress) {
            // i / total × 100 to the nearest whole number, halves to even.
            const qint64 scaled = qint64(m_made) * 100;
            qint64 percent = scaled / count;
            const qint64 rest = scaled % count;
            if (2 * rest > count || (2 * rest == count && percent % 2 == 1))
                ++percent;
            OnProgress(int(percent));
        }
        if (job != m_job)
            return; // a handler started another load
    }
    if (m_made == count)
        m_job.reset();
}

void TBibPan::tegnFelt(QPainter &painter, const TFelt &felt)
{
    const int item = StartNr + felt.Nr;
    if (item >= m_made || item >= BitmapFelt.BitmapListe.size() ||
        !BitmapFelt.BitmapListe.at(item).isNull()) {
        TBFCompo::tegnFelt(painter, felt);
        return;
    }
    // A thumbnail beyond the budget: made again for the page shown, and kept while it is.
    QImage image = m_shown.value(item);
    if (image.isNull()) {
        if (m_shown.size() >= 2 * std::max(1, Antal))
            m_shown.clear();
        image = gallery::makeThumbnail(m_hostFiles.value(item), m_extensions.value(item), m_look).image;
        m_shown.insert(item, image);
    }
    TFCompo::tegnFelt(painter, felt);
    const int rings = MedRammeFelt ? RammeFelt.Bredde : 0;
    painter.save();
    painter.setClipRect(felt.Ydre.toQRect().adjusted(rings, rings, -rings, -rings));
    painter.drawImage(QPoint(felt.Indre.Left, felt.Indre.Top), image);
    painter.restore();
}

void TBibPan::waitForLoad()
{
    if (!m_job)
        return;
    m_pool.waitForDone();
    collect(m_job);
}
