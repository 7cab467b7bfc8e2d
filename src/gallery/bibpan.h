#pragma once
// The folder picture grid: the ".bmp", ".jpg" and ".ico" files of a folder as thumbnails. The
// thumbnails are made on a pool of worker threads, one per processor, and reach the grid in
// the folder's order; a new folder, new counts, a new colour or the grid's end cancel the rest.

#include "gallery/fcompo.h"

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

protected:
    void felterAendret() override;

private:
    struct Job;
    void collect(const std::shared_ptr<Job> &job);
    std::shared_ptr<Job> m_job;
    QThreadPool m_pool;
    QTimer m_reload;
    QSize m_loadedSize;
    int m_made = 0;
};
