#include "fileops/klipbord.h"

#include "structures/pictures.h"
#include "structures/strukturmodel.h"

KlipbordListe::KlipbordListe(Kind kind, QObject *parent)
    : QAbstractTableModel(parent)
    , m_kind(kind)
{}

QString KlipbordListe::cleanPath(const QString &text)
{
    QString path = text;
    path.remove(u'\r').remove(u'\n');
    return path;
}

QString KlipbordListe::keyOf(const QString &path)
{
    return cleanPath(path).toCaseFolded();
}

bool KlipbordListe::contains(const QString &path) const
{
    return m_keys.contains(keyOf(path));
}

bool KlipbordListe::add(int picture, const QString &path, bool checked)
{
    const QString key = keyOf(path);
    if (m_keys.contains(key))
        return false;
    beginInsertRows({}, count(), count());
    m_rows.append({checked, picture, path});
    m_keys.insert(key);
    m_checkedCount += checked ? 1 : 0;
    endInsertRows();
    emit rowsChanged();
    return true;
}

int KlipbordListe::addRows(const QList<KlipbordRow> &rows)
{
    QList<KlipbordRow> fresh;
    QStringList keys;
    QSet<QString> seen;
    for (const KlipbordRow &entry : rows) {
        const QString key = keyOf(entry.path);
        if (m_keys.contains(key) || seen.contains(key))
            continue;
        seen.insert(key);
        keys << key;
        fresh << entry;
    }
    if (fresh.isEmpty())
        return 0;
    beginInsertRows({}, count(), count() + int(fresh.size()) - 1);
    for (qsizetype i = 0; i < fresh.size(); ++i) {
        m_rows.append(fresh.at(i));
        m_keys.insert(keys.at(i));
        m_checkedCount += fresh.at(i).checked ? 1 : 0;
    }
    endInsertRows();
    emit rowsChanged();
    return int(fresh.size());
}

void KlipbordListe::removeAt(int index)
{
    if (index < 0 || index >= count())
        return;
    beginRemoveRows({}, index, index);
    const KlipbordRow gone = m_rows.takeAt(index);
    m_keys.remove(keyOf(gone.path));
    m_checkedCount -= gone.checked ? 1 : 0;
    endRemoveRows();
    emit rowsChanged();
}

void KlipbordListe::removeAll()
{
    beginResetModel();
    m_rows.clear();
    m_keys.clear();
    m_checkedCount = 0;
    endResetModel();
    emit rowsChanged();
}

template<typename Keep> void KlipbordListe::keepRows(Keep keep)
{
    // The runs of rows to go, last first.
    QList<std::pair<int, int>> runs;
    for (int i = count() - 1; i >= 0; --i) {
        if (keep(m_rows.at(i)))
            continue;
        if (!runs.isEmpty() && runs.last().first == i + 1)
            runs.last().first = i;
        else
            runs.append({i, i});
    }
    if (runs.isEmpty())
        return;
    for (const auto &run : runs) {
        for (int i = run.first; i <= run.second; ++i) {
            m_keys.remove(keyOf(m_rows.at(i).path));
            m_checkedCount -= m_rows.at(i).checked ? 1 : 0;
        }
    }
    // Each run told as a removal keeps the views' selection of the rows that stay, but costs a
    // shift of the rows after it; scattered rows are dropped in one pass and the views reset.
    constexpr qsizetype kMostRunsTold = 32;
    if (runs.size() <= kMostRunsTold) {
        for (const auto &run : runs) {
            beginRemoveRows({}, run.first, run.second);
            m_rows.remove(run.first, run.second - run.first + 1);
            endRemoveRows();
        }
    } else {
        beginResetModel();
        m_rows.removeIf([&keep](const KlipbordRow &entry) { return !keep(entry); });
        endResetModel();
    }
    emit rowsChanged();
}

void KlipbordListe::removeChecked()
{
    keepRows([](const KlipbordRow &entry) { return !entry.checked; });
}

void KlipbordListe::removePaths(const QStringList &paths)
{
    QSet<QString> gone;
    for (const QString &path : paths)
        gone.insert(keyOf(path));
    keepRows([&gone](const KlipbordRow &entry) { return !gone.contains(keyOf(entry.path)); });
}

void KlipbordListe::setChecked(int index, bool checked)
{
    if (index < 0 || index >= count() || m_rows[index].checked == checked)
        return;
    m_rows[index].checked = checked;
    m_checkedCount += checked ? 1 : -1;
    emit dataChanged(this->index(index, 0), this->index(index, 0), {Qt::CheckStateRole});
    emit rowsChanged();
}

void KlipbordListe::setAllChecked(bool checked)
{
    if (m_checkedCount == (checked ? count() : 0))
        return;
    for (KlipbordRow &entry : m_rows)
        entry.checked = checked;
    m_checkedCount = checked ? count() : 0;
    emit dataChanged(index(0, 0), index(count() - 1, 0), {Qt::CheckStateRole});
    emit rowsChanged();
}

int KlipbordListe::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : count();
}

int KlipbordListe::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 2;
}

QVariant KlipbordListe::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= count())
        return {};
    const KlipbordRow &entry = m_rows.at(index.row());
    if (index.column() == 0) {
        if (role == Qt::CheckStateRole)
            return entry.checked ? Qt::Checked : Qt::Unchecked;
        // Folder rows carry the clipboard's folder picture; file rows the file tree's.
        if (role == Qt::DecorationRole)
            return m_kind == Mapper ? strukturPicture(PictureSet::FileTree, 1)
                                    : strukturPicture(PictureSet::FileTree, entry.picture);
        return {};
    }
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
        return entry.path;
    return {};
}

bool KlipbordListe::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || index.column() != 0 || role != Qt::CheckStateRole)
        return false;
    setChecked(index.row(), value.toInt() == Qt::Checked);
    return true;
}

QVariant KlipbordListe::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section == 1)
        return m_kind == Mapper ? QStringLiteral("Mappenavn") : QStringLiteral("Filnavn");
    return {};
}

Qt::ItemFlags KlipbordListe::flags(const QModelIndex &index) const
{
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() == 0)
        flags |= Qt::ItemIsUserCheckable;
    return flags;
}

Klipbord::Klipbord(QObject *parent)
    : QObject(parent)
    , Mappeliste(new KlipbordListe(KlipbordListe::Mapper, this))
    , Filliste(new KlipbordListe(KlipbordListe::Filer, this))
{
    auto recount = [this] {
        const int antal = Mappeliste->checkedCount() + Filliste->checkedCount();
        if (antal != elementAntal) {
            elementAntal = antal;
            emit elementAntalChanged(antal);
        }
    };
    // A size counted before the rows changed is no longer the clipboard's: until it is counted
    // again the field says so, and it is empty for an empty clipboard.
    auto staleSize = [this] {
        const QString size =
            Mappeliste->count() + Filliste->count() > 0 ? QStringLiteral("Ukendt") : QString();
        if (size != sizeText) {
            sizeText = size;
            emit fieldsChanged();
        }
    };
    for (KlipbordListe *list : {Mappeliste, Filliste}) {
        connect(list, &KlipbordListe::rowsChanged, this, recount);
        connect(list, &KlipbordListe::rowsChanged, this, staleSize);
    }
}

void Klipbord::setFields(const QString &size, const QString &mapper, const QString &filer,
                         const QString &info)
{
    sizeText = size;
    mapperText = mapper;
    filerText = filer;
    infoText = info;
    emit fieldsChanged();
}
