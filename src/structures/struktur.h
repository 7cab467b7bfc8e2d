#pragma once
// The contents tree: a tree view whose nodes come from a tree file (one node per line, its depth
// in leading tabs) and, with data on, a data file of one line per node (a picture digit, then
// the node's data, such as the name of its page). The pair is read forgivingly: what does not fit
// is left out and named to the user, never written back over the files it came from.

#include <QString>
#include <QStringList>
#include <QTreeWidget>

class TStruktur : public QTreeWidget
{
    Q_OBJECT
public:
    static constexpr int DataRole = Qt::UserRole + 1;    // the node's whole data line
    static constexpr int PictureRole = Qt::UserRole + 2; // picture index, −1 for none

    // Where new and moved nodes go relative to the selected node (or drop target).
    enum Flytmode { SidstINiveau = 0, FoerstINiveau = 1, SidsteBarn = 2, FoersteBarn = 3, Foer = 4 };

    explicit TStruktur(QWidget *parent = nullptr);

    QString FStrukturfile;
    QString FDatafile;
    QString FInfomappe;
    QString FBilledmappe;
    QString FHtmlmappe;
    bool FDataOn = false;
    bool FModified = false;
    int FFlytmode = SidstINiveau;
    bool MouseDown = false;
    QTreeWidgetItem *NodeDown = nullptr;
    QTreeWidgetItem *NodeUp = nullptr;
    // What the last load left out, one Danish line each; empty when the pair was whole.
    QStringList udeladt;

    void SetStrukturfile(const QString &value) { FStrukturfile = value; }
    void SetDatafile(const QString &value) { FDatafile = value; }
    void SetInfomappe(const QString &value) { FInfomappe = value; }
    void SetBilledmappe(const QString &value) { FBilledmappe = value; }
    void SetHtmlmappe(const QString &value) { FHtmlmappe = value; }
    void SetDataOn(bool value) { FDataOn = value; }
    void SetModified(bool value) { FModified = value; }
    void SetFlytmode(int value);

    bool HentStruktur();
    bool GemStruktur();

    QString getNodeTekst(const QString &DataUrl);
    bool setSelected(const QString &DataUrl);
    QString SelectedData() const;
    int getTheSelectedIndex() const;
    QString InfoFilnavn(const QString &Filefternavn) const;

    void NyNode(const QString &Tekst, const QString &Data, int Index, bool sorter, bool gem);
    void RedigerNode(const QString &Tekst, const QString &Data, int Index, bool sorter, bool gem);
    void SletNode();
    void MusDown(int X, int Y);
    void MusUp(int X, int Y, bool somGrundnode);
    bool FileDeleteRB(const QString &AFileName);

    // Every node in display order.
    QList<QTreeWidgetItem *> allNodes() const;
    // Dotted lines between parents and children ("Mappestruktur med linjer").
    void setLinjer(bool on);
    bool linjer() const { return m_linjer; }
    // The suffix of the copies kept of a pair that was read with lines left out, before it is
    // saved over.
    static QString beskadigetSuffix() { return QStringLiteral(".beskadiget"); }

protected:
    void drawBranches(QPainter *painter, const QRect &rect, const QModelIndex &index) const override;

private:
    void setPicture(QTreeWidgetItem *node, int index);
    // Puts `node` relative to `target` by the attach mode; none: as the last top node.
    void attach(QTreeWidgetItem *node, QTreeWidgetItem *target, int mode);
    void afterEdit(bool sorter, bool gem);
    QTreeWidgetItem *findByData(const QString &DataUrl) const;
    // A pair read with lines left out is copied aside once before its first save.
    bool keepDamagedPair();

    bool m_linjer = false;
};
