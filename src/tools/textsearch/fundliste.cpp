#include "tools/textsearch/fundliste.h"

#include <QTimer>
#include <algorithm>

namespace {

// Display lines kept for rows shown lately; a screen holds a few dozen.
constexpr qsizetype kShownKept = 4096;
// A batch smaller than this joins the last chunk, so that many small batches do not make many
// chunks.
constexpr size_t kSmallBatch = 4096;

} // namespace

FundListe::FundListe(QObject *parent)
    : QAbstractTableModel(parent)
{}

int FundListe::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int FundListe::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 3;
}

QVariant FundListe::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    if (role == Qt::TextAlignmentRole && index.column() == PositionColumn)
        return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return {};
    switch (index.column()) {
    case DocumentColumn:
        return document(index.row());
    case PositionColumn:
        return QString::number(position(index.row()));
    default:
        return text(index.row());
    }
}

QVariant FundListe::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const char *const captions[] = {"Dokument", "Position", "Tekst"};
    return section >= 0 && section < 3 ? QString(captions[section]) : QVariant();
}

void FundListe::setDisplayLine(core::DisplayLine displayLine)
{
    m_displayLine = std::move(displayLine);
    m_shown.clear();
}

void FundListe::append(Batch batch)
{
    if (batch.retract >= 0) {
        // The document's hits are the last ones.
        int first = m_rows;
        while (first > 0 && qint64(fund(first - 1).document) == batch.retract)
            --first;
        if (first < m_rows) {
            beginRemoveRows({}, first, m_rows - 1);
            while (!m_chunks.empty() && m_starts.back() >= first) {
                m_chunks.pop_back();
                m_starts.pop_back();
            }
            if (!m_chunks.empty())
                m_chunks.back().resize(size_t(first - m_starts.back()));
            m_rows = first;
            m_shown.clear();
            endRemoveRows();
        }
    }
    m_documents += batch.documents;
    m_lines += batch.lines;
    if (batch.hits.empty())
        return;
    const int count = int(batch.hits.size());
    beginInsertRows({}, m_rows, m_rows + count - 1);
    if (!m_chunks.empty() && batch.hits.size() < kSmallBatch && m_chunks.back().size() < kSmallBatch) {
        m_chunks.back().insert(m_chunks.back().end(), batch.hits.begin(), batch.hits.end());
    } else {
        m_chunks.push_back(std::move(batch.hits));
        m_starts.push_back(m_rows);
    }
    m_rows += count;
    endInsertRows();
}

void FundListe::removeHit(int row)
{
    if (row < 0 || row >= m_rows)
        return;
    beginRemoveRows({}, row, row);
    const qsizetype chunk = chunkOf(row);
    std::vector<Fund> &hits = m_chunks[size_t(chunk)];
    hits.erase(hits.begin() + (row - m_starts[size_t(chunk)]));
    for (size_t later = size_t(chunk) + 1; later < m_starts.size(); ++later)
        --m_starts[later];
    if (hits.empty()) {
        m_chunks.erase(m_chunks.begin() + chunk);
        m_starts.erase(m_starts.begin() + chunk);
    }
    --m_rows;
    m_shown.clear();
    endRemoveRows();
}

void FundListe::clear()
{
    beginResetModel();
    // Swapped out rather than cleared: a cleared vector keeps its capacity.
    std::vector<std::vector<Fund>>().swap(m_chunks);
    std::vector<int>().swap(m_starts);
    m_rows = 0;
    m_documents = QStringList();
    m_lines = QStringList();
    m_shown = QHash<int, QString>();
    m_reader.close();
    endResetModel();
}

qsizetype FundListe::chunkOf(int row) const
{
    return qsizetype(std::upper_bound(m_starts.begin(), m_starts.end(), row) - m_starts.begin()) - 1;
}

const FundListe::Fund &FundListe::fund(int row) const
{
    const qsizetype chunk = chunkOf(row);
    return m_chunks[size_t(chunk)][size_t(row - m_starts[size_t(chunk)])];
}

QString FundListe::document(int row) const
{
    return m_documents.value(qsizetype(fund(row).document));
}

qint64 FundListe::position(int row) const
{
    return fund(row).position;
}

QString FundListe::text(int row) const
{
    const auto shown = m_shown.constFind(row);
    if (shown != m_shown.cend())
        return *shown;
    const Fund &hit = fund(row);
    QString line;
    qsizetype column = 0;
    if (hit.line >= 0) {
        line = m_lines.value(hit.line);
        column = qsizetype(hit.where);
    } else {
        if (!m_reader.read(document(row), hit.where, line, column))
            line.clear(); // the document changed or went since the search
        // Open for the other rows of this painting only: an open document could not be deleted or
        // renamed on Windows.
        if (!m_closing) {
            m_closing = true;
            QTimer::singleShot(0, this, [this] {
                m_reader.close();
                m_closing = false;
            });
        }
    }
    const QString text = m_displayLine && !line.isEmpty() ? m_displayLine(line, column) : line;
    if (m_shown.size() >= kShownKept)
        m_shown.clear();
    m_shown.insert(row, text);
    return text;
}

qsizetype FundListe::bytesHeld() const
{
    qsizetype bytes = qsizetype(m_starts.capacity() * sizeof(int));
    for (const std::vector<Fund> &hits : m_chunks)
        bytes += qsizetype(sizeof(hits) + hits.capacity() * sizeof(Fund));
    for (const QString &line : m_lines)
        bytes += line.capacity() * qsizetype(sizeof(QChar));
    return bytes;
}
