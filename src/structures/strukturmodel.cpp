#include "structures/strukturmodel.h"

#include "structures/pictures.h"
#include "structures/treelines.h"

#include <QKeyEvent>
#include <QPainter>

StrukturModel::StrukturModel(PictureSet pictures, QObject *parent)
    : QAbstractItemModel(parent)
    , m_pictures(pictures)
{}

StrukturNode *StrukturModel::nodeOf(const QModelIndex &index) const
{
    return index.isValid() ? static_cast<StrukturNode *>(index.internalPointer()) : nullptr;
}

QModelIndex StrukturModel::indexOf(const StrukturNode *node) const
{
    if (!node || node == &m_root)
        return {};
    return createIndex(node->row, 0, const_cast<StrukturNode *>(node));
}

void StrukturModel::clear()
{
    beginResetModel();
    m_root.children.clear();
    endResetModel();
}

StrukturNode *StrukturModel::addNode(StrukturNode *parent, const QString &text, int picture,
                                     const StrukturRec &rec)
{
    if (!parent)
        parent = &m_root;
    const int row = int(parent->children.size());
    beginInsertRows(indexOf(parent), row, row);
    auto node = std::make_unique<StrukturNode>();
    node->text = text;
    node->rec = rec;
    node->parent = parent;
    node->row = row;
    node->picture = qint16(picture);
    StrukturNode *added = node.get();
    parent->children.push_back(std::move(node));
    endInsertRows();
    return added;
}

void StrukturModel::appendTopNodes(std::vector<std::unique_ptr<StrukturNode>> nodes)
{
    if (nodes.empty())
        return;
    const int first = int(m_root.children.size());
    beginInsertRows({}, first, first + int(nodes.size()) - 1);
    m_root.children.reserve(m_root.children.size() + nodes.size());
    for (auto &node : nodes) {
        node->parent = &m_root;
        node->row = int(m_root.children.size());
        m_root.children.push_back(std::move(node));
    }
    endInsertRows();
}

void StrukturModel::removeChildren(StrukturNode *node)
{
    if (!node || node->children.empty())
        return;
    beginRemoveRows(indexOf(node), 0, int(node->children.size()) - 1);
    node->children.clear();
    endRemoveRows();
}

void StrukturModel::setText(StrukturNode *node, const QString &text)
{
    node->text = text;
    const QModelIndex index = indexOf(node);
    emit dataChanged(index, index, {Qt::DisplayRole});
}

void StrukturModel::setPicture(StrukturNode *node, int picture)
{
    node->picture = qint16(picture);
    const QModelIndex index = indexOf(node);
    emit dataChanged(index, index, {Qt::DecorationRole});
}

void StrukturModel::setEnabled(StrukturNode *node, bool enabled)
{
    node->enabled = enabled;
    const QModelIndex index = indexOf(node);
    emit dataChanged(index, index);
}

QModelIndex StrukturModel::index(int row, int column, const QModelIndex &parent) const
{
    const StrukturNode *owner = parent.isValid() ? nodeOf(parent) : &m_root;
    if (column != 0 || row < 0 || row >= int(owner->children.size()))
        return {};
    return createIndex(row, 0, owner->children[std::size_t(row)].get());
}

QModelIndex StrukturModel::parent(const QModelIndex &child) const
{
    const StrukturNode *node = nodeOf(child);
    return node ? indexOf(node->parent) : QModelIndex();
}

int StrukturModel::rowCount(const QModelIndex &parent) const
{
    if (parent.column() > 0)
        return 0;
    const StrukturNode *owner = parent.isValid() ? nodeOf(parent) : &m_root;
    return int(owner->children.size());
}

int StrukturModel::columnCount(const QModelIndex &) const
{
    return 1;
}

QVariant StrukturModel::data(const QModelIndex &index, int role) const
{
    const StrukturNode *node = nodeOf(index);
    if (!node)
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return node->text;
    case Qt::DecorationRole:
        return strukturPicture(m_pictures, node->picture);
    case Qt::ToolTipRole:
        return node->rec.filnavn.isEmpty() ? node->rec.mappe : node->rec.filnavn;
    default:
        return {};
    }
}

Qt::ItemFlags StrukturModel::flags(const QModelIndex &index) const
{
    const StrukturNode *node = nodeOf(index);
    if (!node)
        return Qt::NoItemFlags;
    // A disabled node is greyed and ignores the mouse, but the program can still select it.
    if (!node->enabled)
        return Qt::ItemIsSelectable;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable | Qt::ItemIsDragEnabled |
           Qt::ItemIsDropEnabled;
}

bool StrukturModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    StrukturNode *node = nodeOf(index);
    if (!node || role != Qt::EditRole)
        return false;
    emit textEdited(node, value.toString());
    return true;
}

// ---------------------------------------------------------------------------------------------

StrukturView::StrukturView(PictureSet pictures, QWidget *parent)
    : QTreeView(parent)
    , m_model(new StrukturModel(pictures, this))
{
    setModel(m_model);
    setHeaderHidden(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setUniformRowHeights(true); // large folders stay fast
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The file tree is a flat list of one folder's contents.
    setRootIsDecorated(pictures == PictureSet::FolderTree);
}

bool StrukturView::isEmpty() const
{
    return m_model->rowCount() == 0;
}

std::vector<StrukturNode *> StrukturView::topNodes() const
{
    std::vector<StrukturNode *> nodes;
    for (const auto &child : m_model->root()->children)
        nodes.push_back(child.get());
    return nodes;
}

StrukturNode *StrukturView::firstNode() const
{
    const auto &top = m_model->root()->children;
    return top.empty() ? nullptr : top.front().get();
}

std::vector<StrukturNode *> StrukturView::allNodes() const
{
    std::vector<StrukturNode *> nodes;
    std::vector<StrukturNode *> pending;
    const auto &top = m_model->root()->children;
    for (auto it = top.rbegin(); it != top.rend(); ++it)
        pending.push_back(it->get());
    while (!pending.empty()) {
        StrukturNode *node = pending.back();
        pending.pop_back();
        nodes.push_back(node);
        for (auto it = node->children.rbegin(); it != node->children.rend(); ++it)
            pending.push_back(it->get());
    }
    return nodes;
}

StrukturNode *StrukturView::selectedNode() const
{
    const QModelIndex current = currentIndex();
    if (!current.isValid() || !selectionModel()->isSelected(current))
        return nullptr;
    return m_model->nodeOf(current);
}

std::unordered_set<const StrukturNode *> StrukturView::selectedSet() const
{
    std::unordered_set<const StrukturNode *> nodes;
    for (const QItemSelectionRange &range : selectionModel()->selection()) {
        const StrukturNode *owner =
            range.parent().isValid() ? m_model->nodeOf(range.parent()) : m_model->root();
        const int last = std::min(range.bottom(), int(owner->children.size()) - 1);
        for (int row = std::max(range.top(), 0); row <= last; ++row) {
            const StrukturNode *node = owner->children[std::size_t(row)].get();
            if (node->enabled)
                nodes.insert(node);
        }
    }
    return nodes;
}

std::vector<StrukturNode *> StrukturView::selectedNodes() const
{
    // Asking the selection model node by node costs a walk over its ranges each time, which
    // after an inverted selection are as many as the nodes.
    std::vector<StrukturNode *> nodes;
    const auto selected = selectedSet();
    if (selected.empty())
        return nodes;
    for (StrukturNode *node : allNodes()) {
        if (selected.count(node))
            nodes.push_back(node);
    }
    return nodes;
}

int StrukturView::selectionCount() const
{
    // From the selection's ranges, not its indexes: the enabling rules ask this while idle, and a
    // folder of 100,000 files with all of them selected would make a list that size every time.
    int count = 0;
    for (const QItemSelectionRange &range : selectionModel()->selection())
        count += range.height();
    return count;
}

void StrukturView::selectNode(StrukturNode *node)
{
    if (!node) {
        deselectAll();
        return;
    }
    const QModelIndex index = m_model->indexOf(node);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    scrollTo(index);
}

void StrukturView::setNodeSelected(StrukturNode *node, bool selected)
{
    selectionModel()->select(m_model->indexOf(node),
                             selected ? QItemSelectionModel::Select : QItemSelectionModel::Deselect);
}

bool StrukturView::isNodeSelected(StrukturNode *node) const
{
    return selectionModel()->isSelected(m_model->indexOf(node));
}

void StrukturView::deselectAll()
{
    selectionModel()->clearSelection();
    selectionModel()->setCurrentIndex({}, QItemSelectionModel::NoUpdate);
}

template<typename Wanted> StrukturNode *StrukturView::selectWhere(Wanted wanted)
{
    // One walk in display order; each parent keeps the start of its open run of wanted rows
    // while its children's children are visited.
    struct Level
    {
        StrukturNode *parent;
        std::size_t next;
        int runTop;
    };
    QItemSelection ranges;
    StrukturNode *first = nullptr;
    auto closeRun = [&](const Level &level, int bottom) {
        const auto &children = level.parent->children;
        ranges.append(QItemSelectionRange(m_model->indexOf(children[std::size_t(level.runTop)].get()),
                                          m_model->indexOf(children[std::size_t(bottom)].get())));
    };
    std::vector<Level> levels{{m_model->root(), 0, -1}};
    while (!levels.empty()) {
        Level &level = levels.back();
        const auto &children = level.parent->children;
        if (level.next == children.size()) {
            if (level.runTop >= 0)
                closeRun(level, int(children.size()) - 1);
            levels.pop_back();
            continue;
        }
        const int row = int(level.next++);
        StrukturNode *node = children[std::size_t(row)].get();
        if (node->enabled && wanted(node)) {
            if (!first)
                first = node;
            if (level.runTop < 0)
                level.runTop = row;
        } else if (level.runTop >= 0) {
            closeRun(level, row - 1);
            level.runTop = -1;
        }
        if (!node->children.empty())
            levels.push_back({node, 0, -1});
    }
    if (!first)
        return nullptr;
    // Cleared first: the selection model compares the old ranges with the new ones pairwise,
    // which is cheap only when one side is empty.
    selectionModel()->clearSelection();
    selectionModel()->select(ranges, QItemSelectionModel::Select);
    return first;
}

void StrukturView::selectAllNodes()
{
    selectWhere([](const StrukturNode *) { return true; });
}

StrukturNode *StrukturView::invertNodeSelection()
{
    const auto selected = selectedSet();
    return selectWhere([&selected](const StrukturNode *node) { return !selected.count(node); });
}

void StrukturView::expandNode(StrukturNode *node)
{
    expand(m_model->indexOf(node));
}

void StrukturView::collapseNode(StrukturNode *node)
{
    collapse(m_model->indexOf(node));
}

bool StrukturView::isNodeExpanded(StrukturNode *node) const
{
    return isExpanded(m_model->indexOf(node));
}

StrukturNode *StrukturView::nodeAt(const QPoint &point) const
{
    return m_model->nodeOf(indexAt(point));
}

void StrukturView::setLinjer(bool on)
{
    m_linjer = on;
    viewport()->update();
}

void StrukturView::keyPressEvent(QKeyEvent *event)
{
    const QPersistentModelIndex before = currentIndex();
    QTreeView::keyPressEvent(event);
    if (before != currentIndex())
        emit keyboardMoved();
}

void StrukturView::drawBranches(QPainter *painter, const QRect &rect, const QModelIndex &index) const
{
    QTreeView::drawBranches(painter, rect, index);
    if (m_linjer)
        drawTreeLines(painter, *this, rect, index);
}
