#include "tools/textsearch/fundliste.h"

namespace {

// Display lines kept for rows shown lately; a screen holds a few dozen.
constexpr qsizetype kShownKept = 4096;

} // namespace

FundListe::FundListe(QObject *parent)
    : QAbstractTableModel(parent)
{}

int FundListe::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_hits.size());
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
        auto first = m_hits.end();
        while (first != m_hits.begin() && qint64(std::prev(first)->document) == batch.retract)
            --first;
        if (first != m_hits.end()) {
            beginRemoveRows({}, int(first - m_hits.begin()), rowCount() - 1);
            m_hits.erase(first, m_hits.end());
            m_shown.clear();
            endRemoveRows();
        }
    }
    m_documents += batch.documents;
    m_lines += batch.lines;
    if (batch.hits.empty())
        return;
    beginInsertRows({}, rowCount(), rowCount() + int(batch.hits.size()) - 1);
    m_hits.insert(m_hits.end(), batch.hits.begin(), batch.hits.end());
    endInsertRows();
}

void FundListe::removeHit(int row)
{
    if (row < 0 || row >= rowCount())
        return;
    beginRemoveRows({}, row, row);
    m_hits.erase(m_hits.begin() + row);
    m_shown.clear();
    endRemoveRows();
}

void FundListe::clear()
{
    beginResetModel();
    // Swapped out rather than cleared: a cleared vector keeps its capacity.
    std::vector<Fund>().swap(m_hits);
    m_documents = QStringList();
    m_lines = QStringList();
    m_shown = QHash<int, QString>();
    m_reader.close();
    endResetModel();
}

QString FundListe::document(int row) const
{
    return m_documents.value(qsizetype(m_hits[size_t(row)].document));
}

qint64 FundListe::position(int row) const
{
    return m_hits[size_t(row)].position;
}

QString FundListe::text(int row) const
{
    const auto shown = m_shown.constFind(row);
    if (shown != m_shown.cend())
        return *shown;
    const Fund &fund = m_hits[size_t(row)];
    QString line;
    qsizetype column = 0;
    if (fund.line >= 0) {
        line = m_lines.value(fund.line);
        column = qsizetype(fund.where);
    } else if (!m_reader.read(document(row), fund.where, line, column)) {
        line.clear(); // the document changed or went since the search
    }
    const QString text = m_displayLine && !line.isEmpty() ? m_displayLine(line, column) : line;
    if (m_shown.size() >= kShownKept)
        m_shown.clear();
    m_shown.insert(row, text);
    return text;
}

qsizetype FundListe::bytesHeld() const
{
    qsizetype bytes = qsizetype(m_hits.capacity() * sizeof(Fund));
    for (const QString &line : m_lines)
        bytes += line.capacity() * qsizetype(sizeof(QChar));
    return bytes;
}
