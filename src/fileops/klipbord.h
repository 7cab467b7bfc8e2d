#pragma once
// The program's own clipboard: a list of folder rows and a list of file rows, each row a check
// mark, a picture and a full path, no path twice in a list (letter case ignored). The
// clipboard window shows it; the file methods add, read and remove its rows.

#include <QAbstractTableModel>
#include <QList>
#include <QObject>
#include <QSet>
#include <QString>

struct KlipbordRow
{
    bool checked = true;
    int picture = 0;
    QString path;
};

class KlipbordListe : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Kind { Mapper, Filer };
    KlipbordListe(Kind kind, QObject *parent = nullptr);

    int count() const { return int(m_rows.size()); }
    const KlipbordRow &row(int index) const { return m_rows.at(index); }
    // The path with the line-break characters a row's text may carry taken off.
    static QString cleanPath(const QString &text);
    bool contains(const QString &path) const;
    // Adds a row unless the list holds the path; true when added.
    bool add(int picture, const QString &path, bool checked);
    // Adds the rows whose paths the list does not hold yet (nor an earlier row of `rows`), in
    // order, with one notice for all of them; returns how many were added.
    int addRows(const QList<KlipbordRow> &rows);
    void removeAt(int index);
    void removeAll();
    // Removes every checked row.
    void removeChecked();
    // Removes the rows whose paths are among `paths` (letter case ignored).
    void removePaths(const QStringList &paths);
    void setChecked(int index, bool checked);
    // Ticks or clears every row, with one notice.
    void setAllChecked(bool checked);
    int checkedCount() const { return m_checkedCount; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

signals:
    void rowsChanged();

private:
    // The form of a path the uniqueness rule compares.
    static QString keyOf(const QString &path);
    // Keeps the rows `keep` accepts, in order, with the least the views must be told.
    template<typename Keep> void keepRows(Keep keep);

    Kind m_kind;
    QList<KlipbordRow> m_rows;
    // Beside the rows, so that a copy of 100,000 files does not compare each new row with all
    // the others: the rows' keys, and how many rows are ticked.
    QSet<QString> m_keys;
    int m_checkedCount = 0;
};

class Klipbord : public QObject
{
    Q_OBJECT
public:
    explicit Klipbord(QObject *parent = nullptr);

    KlipbordListe *Mappeliste;
    KlipbordListe *Filliste;
    // Checked rows of both lists together, recomputed after every change of a list.
    int elementAntal = 0;
    QString winformCaption;
    // Cut or copy goes with the rows: set by whichever window put them here, so a paste from any
    // window that uses this clipboard, or that received its rows, moves what was cut.
    bool flytElementer = false;

    // The fields along the window's top: size, folder count, file count, information.
    QString sizeText = QStringLiteral("Ukendt");
    QString mapperText;
    QString filerText;
    QString infoText;
    void setFields(const QString &size, const QString &mapper, const QString &filer, const QString &info);

signals:
    void fieldsChanged();
    void elementAntalChanged(int antal);
};
