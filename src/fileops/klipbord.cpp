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

bool KlipbordListe::contains(const QString &path) const
{
    const QString wanted = cleanPath(path);
    for (const auto &row : m_rows) {
        if (cleanPath(row.path).compare(wanted, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

bool KlipbordListe::add(int picture, const QString &path, bool checked)
{
    if (contains(path))
        return false;
    beginInsertRows({}, count(), count());
    m_rows.append({checked, picture, path});
    endInsertRows();
    emit rowsChanged();
    return true;
}

void KlipbordListe::removeAt(int index)
{
    if (index < 0 || index >= count())
        return;
    beginRemoveRows({}, index, index);
    m_rows.removeAt(index);
    endRemoveRows();
    emit rowsChanged();
}

void KlipbordListe::removeAll()
{
    beginResetModel();
    m_rows.clear();
    endResetModel();
    emit rowsChanged();
}

void KlipbordListe::removeChecked()
{
    for (int i = count() - 1; i >= 0; --i) {
        if (m_rows.at(i).checked)
            removeAt(i);
    }
}

void KlipbordListe::setChecked(int index, bool checked)
{
    if (index < 0 || index >= count() || m_rows[index].checked == checked)
        return;
    m_rows[index].checked = checked;
    emit dataChanged(this->index(index, 0), this->index(index, 0), {Qt::CheckStateRole});
    emit rowsChanged();
}

int KlipbordListe::checkedCount() const
{
    return int(
        std::count_if(m_rows.begin(), m_rows.end(), [](const KlipbordRow &row) { return row.checked; }));
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
    connect(Mappeliste, &KlipbordListe::rowsChanged, this, recount);
    connect(Filliste, &KlipbordListe::rowsChanged, this, recount);
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
