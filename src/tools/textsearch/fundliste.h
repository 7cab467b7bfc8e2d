#pragma once
// The hit list of "Find tekst" as a model: a small record per hit (document, position and where
// its line is). The line of a hit in a document searched on its bytes is read again from the
// document, and every line is cut to its display line, only when the row is shown, so millions
// of hits cost a few dozen bytes each.

#include "core/textsearch.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QStringList>
#include <vector>

class FundListe : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column { DocumentColumn, PositionColumn, TextColumn };

    struct Fund
    {
        quint32 document = 0; // index into the documents
        qint32 line = -1;     // index into the kept lines; -1: read again from the document
        qint64 position = 0;  // in the document's text
        qint64 where = 0;     // the hit's byte in the document, or its column in the kept line
    };

    // What a search hands over at a time: the documents and lines it met since the last batch,
    // in order (the hits' indices count on from those before), and the hits. `retract`, when not
    // -1, first takes back the hits of that document: it is being read again from its start.
    struct Batch
    {
        QStringList documents;
        QStringList lines;
        std::vector<Fund> hits;
        qint64 retract = -1;
    };

    explicit FundListe(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Cuts a hit's line to the line the row shows; none shows the whole line.
    void setDisplayLine(core::DisplayLine displayLine);
    void append(Batch batch);
    void removeHit(int row);
    // Empty, with the memory of the hits given back.
    void clear();

    QString document(int row) const;
    qint64 position(int row) const;
    QString text(int row) const;
    // What the hits themselves hold: the records and the kept lines, not what a shown row caches.
    qsizetype bytesHeld() const;

private:
    const Fund &fund(int row) const;
    // The chunk holding `row`.
    qsizetype chunkOf(int row) const;

    // The hits in chunks, most of them the batches as they came: a batch is taken over without
    // a copy, and the list never moves all its hits to grow.
    std::vector<std::vector<Fund>> m_chunks;
    std::vector<int> m_starts; // the first row of each chunk
    int m_rows = 0;
    QStringList m_documents;
    QStringList m_lines;
    core::DisplayLine m_displayLine;
    mutable core::HitLineReader m_reader;
    mutable bool m_closing = false;      // the reader closes when the event loop comes back
    mutable QHash<int, QString> m_shown; // display lines of rows shown lately
};
