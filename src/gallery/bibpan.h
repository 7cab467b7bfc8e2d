#pragma once
// The folder picture grid: the ".bmp", ".jpg" and ".ico" files of a folder as thumbnails. The
// thumbnails are made on a pool of worker threads, one per processor, and reach the grid in
// the folder's order; a new folder, new counts, a new colour or the grid's end cancel the rest.

#include "gallery/fcompo.h"
#include "gallery/thumbnail.h"

#include <QHash>

#include <QThreadPool>
#include <QTimer>
#include <memory>

enum TFilType { ftBmp, ftJpg, ftIco, ftBegge };

// One picture of the folder: its file name and its own size in pixels (0 while not read, or
// when the file is no picture).
struct TBil
{
    QString navn;
    int bredde = 0;
    int hojde = 0;
};

class TBibPan : public TKnapPan
{
    Q_OBJECT
public:
    explicit TBibPan(QWidget *parent = nullptr);
    ~TBibPan() override;

    QString Bibliotek;
    TFilType FilType = ftBegge;
    bool Centrer = true;
    bool Scale = true;
    QColor FeltFarve;
    int IndreMargen = 0;
    std::function<void(int)> OnProgress;
    // Picture n's thumbnail and size are in.
    std::function<void(int)> OnBillede;
    QList<TBil> Bil;

    // Loads `folder` (empty: empties the grid); the first page is shown.
    void SetBibliotek(const QString &folder);
    void NytBibliotek(const QString &folder);
    void NewDirectory(int AntV, int AntL, const QString &Dir);
    // Rebuilds the grid with that many columns and rows and loads the thumbnails again.
    void NyeFelterVL(int AVandret, int ALodret);
    void LoadListe();
    QString GetFilnavn(int FeltNr, bool MedSti) const;
    int GetBredde(int n) const;
    int GetHojde(int n) const;
    void SetFeltFarve(const QColor &farve);
    void SetFilType(TFilType type);
    void SetCentrer(bool on);
    void SetScale(bool on);
    void SetIndreMargen(int margen);

    // The thumbnails' size: the field less its frame's rings, one pixel smaller each way.
    QSize thumbnailSize() const;
    // Thumbnails made so far, in order.
    int made() const { return m_made; }
    bool loading() const { return m_job != nullptr; }
    // Waits until every thumbnail of the running load is in (tests, benchmarks).
    void waitForLoad();
    // Stops the running load; what was made stays.
    void cancelLoad();

    // The memory the made thumbnails may hold. Beyond it (a folder of thousands at one field
    // a page) a thumbnail is not kept: it is made again from its file when its field is shown.
    static constexpr qint64 kThumbnailBudget = 512LL * 1024 * 1024;
    qint64 thumbnailBudget = kThumbnailBudget;
    // Thumbnails kept, in bytes.
    qint64 heldBytes() const { return m_held; }

protected:
    void felterAendret() override;
    void tegnFelt(QPainter &painter, const TFelt &felt) override;

private:
    struct Job;
    void collect(const std::shared_ptr<Job> &job);
    std::shared_ptr<Job> m_job;
    QThreadPool m_pool;
    QTimer m_reload;
    QSize m_loadedSize;
    int m_made = 0;
    qint64 m_held = 0;
    // What a thumbnail not kept is made again from, and the ones of the page shown.
    QStringList m_hostFiles;
    QStringList m_extensions;
    gallery::ThumbnailLook m_look;
    QHash<int, QImage> m_shown;
};
