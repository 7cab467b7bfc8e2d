#pragma once
// The two trees of an explorer window: nodes that carry a StrukturRec, a model over them and
// a tree view with several nodes selectable (Ctrl, Shift), nodes that can be disabled, and
// optional lines between the folders.

#include <QAbstractItemModel>
#include <QString>
#include <QTreeView>
#include <memory>
#include <unordered_set>
#include <vector>

// What a node stands for.
struct StrukturRec
{
    QString mappe;   // folder path; "E:" for a drive; empty for a file node
    QString filnavn; // file path for a file node, else empty
    int ID = 0;      // node kind
};

// Node kinds.
namespace nodeKind {
constexpr int mappe = 0;
constexpr int fil = 1;
constexpr int privat = 2;
constexpr int drev = 4;
constexpr int beskyttet = 5;
constexpr int ingen = 100;
} // namespace nodeKind

struct StrukturNode
{
    QString text;
    StrukturRec rec;
    StrukturNode *parent = nullptr;
    std::vector<std::unique_ptr<StrukturNode>> children;
    int row = 0;
    qint16 picture = 0;
    bool enabled = true;
};

// Which picture table a tree's picture numbers index.
enum class PictureSet { FolderTree, FileTree };

class StrukturModel : public QAbstractItemModel
{
    Q_OBJECT
public:
    static constexpr int RecordRole = Qt::UserRole + 1;

    explicit StrukturModel(PictureSet pictures, QObject *parent = nullptr);

    StrukturNode *root() { return &m_root; }
    StrukturNode *nodeOf(const QModelIndex &index) const;
    QModelIndex indexOf(const StrukturNode *node) const;

    void clear();
    StrukturNode *addNode(StrukturNode *parent, const QString &text, int picture, const StrukturRec &rec);
    // Many top-level nodes at once, for a large folder.
    void appendTopNodes(std::vector<std::unique_ptr<StrukturNode>> nodes);
    void removeChildren(StrukturNode *node);
    void setText(StrukturNode *node, const QString &text);
    void setPicture(StrukturNode *node, int picture);
    void setEnabled(StrukturNode *node, bool enabled);

    QModelIndex index(int row, int column, const QModelIndex &parent = {}) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    // An in-place edit ended: the owner renames and sets the text it keeps.
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;

signals:
    void textEdited(StrukturNode *node, const QString &newText);

private:
    PictureSet m_pictures;
    StrukturNode m_root;
};

class StrukturView : public QTreeView
{
    Q_OBJECT
public:
    StrukturView(PictureSet pictures, QWidget *parent = nullptr);

    StrukturModel *strukturModel() const { return m_model; }
    void clear() { m_model->clear(); }
    bool isEmpty() const;
    StrukturNode *addNode(StrukturNode *parent, const QString &text, int picture, const StrukturRec &rec)
    {
        return m_model->addNode(parent, text, picture, rec);
    }
    std::vector<StrukturNode *> topNodes() const;
    StrukturNode *firstNode() const;
    // Every node in display order (each parent before its children).
    std::vector<StrukturNode *> allNodes() const;

    // The selected node (Delphi's Selected): the current node when it is selected.
    StrukturNode *selectedNode() const;
    std::vector<StrukturNode *> selectedNodes() const;
    // The number of selected nodes.
    int selectionCount() const;
    // Makes `node` the current node and its only selection; none selects nothing.
    void selectNode(StrukturNode *node);
    void setNodeSelected(StrukturNode *node, bool selected);
    bool isNodeSelected(StrukturNode *node) const;
    void deselectAll();
    // Selects every enabled node; disabled ones stay out, as a click cannot reach them either.
    void selectAllNodes();
    // Selects exactly the enabled nodes that were not selected and returns the first of them;
    // with none, changes nothing and returns none.
    StrukturNode *invertNodeSelection();
    void expandNode(StrukturNode *node);
    void collapseNode(StrukturNode *node);
    void expandAllNodes() { expandAll(); }
    void collapseAllNodes() { collapseAll(); }
    bool isNodeExpanded(StrukturNode *node) const;
    StrukturNode *nodeAt(const QPoint &point) const;
    // Folder-tree lines between parents and children.
    void setLinjer(bool on);
    bool linjer() const { return m_linjer; }

signals:
    // The user moved the current node with the keyboard (arrows, page keys, typed letters), so
    // the window can follow as it does after a click.
    void keyboardMoved();

protected:
    void drawBranches(QPainter *painter, const QRect &rect, const QModelIndex &index) const override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    // The enabled nodes the selection holds, read from its ranges in one pass.
    std::unordered_set<const StrukturNode *> selectedSet() const;
    // Clears the selection and selects the enabled nodes `wanted` accepts, as ranges of
    // neighbouring rows in one call; returns the first node selected.
    template<typename Wanted> StrukturNode *selectWhere(Wanted wanted);

    StrukturModel *m_model;
    bool m_linjer = false;
};
