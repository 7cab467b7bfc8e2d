#include "structures/struktur.h"

#include "core/files.h"
#include "core/linefile.h"
#include "core/linepair.h"
#include "core/messages.h"
#include "core/paths.h"
#include "platform/Platform.h"
#include "structures/treelines.h"

#include <QIcon>
#include <QPainter>
#include <algorithm>

namespace {

int depthOf(const QTreeWidgetItem *node)
{
    int depth = 0;
    for (const QTreeWidgetItem *p = node->parent(); p; p = p->parent())
        ++depth;
    return depth;
}

bool isDescendant(const QTreeWidgetItem *node, const QTreeWidgetItem *ancestor)
{
    for (const QTreeWidgetItem *p = node; p; p = p->parent())
        if (p == ancestor)
            return true;
    return false;
}

QString quoted(const QString &text)
{
    return "\"" + text + "\"";
}

// The page name a DataUrl stands for: its last component without the extension.
QString pageName(const QString &DataUrl)
{
    QString name = DataUrl;
    const qsizetype slash = std::max(name.lastIndexOf(u'/'), name.lastIndexOf(u'\\'));
    if (slash >= 0)
        name = name.mid(slash + 1);
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot >= 0 ? name.left(dot) : name;
}

bool isDataLine(const QString &line)
{
    return !line.isEmpty() && line.at(0) >= u'0' && line.at(0) <= u'9';
}

} // namespace

TStruktur::TStruktur(QWidget *parent)
    : QTreeWidget(parent)
{
    setObjectName("TStruktur");
    setHeaderHidden(true);
    setColumnCount(1);
}

void TStruktur::SetFlytmode(int value)
{
    FFlytmode = std::clamp(value, int(SidstINiveau), int(Foer));
}

void TStruktur::setPicture(QTreeWidgetItem *node, int index)
{
    node->setData(0, PictureRole, index);
    static const char *const kIcons[] = {"text-x-generic",      "folder",           "help-about",
                                         "dialog-information",  "emblem-important", "go-home",
                                         "applications-system", "image-x-generic",  "text-html",
                                         "bookmark-new"};
    node->setIcon(0, index >= 0 && index <= 9 ? QIcon::fromTheme(kIcons[index]) : QIcon());
}

QList<QTreeWidgetItem *> TStruktur::allNodes() const
{
    QList<QTreeWidgetItem *> nodes;
    for (QTreeWidgetItemIterator it(const_cast<TStruktur *>(this)); *it; ++it)
        nodes << *it;
    return nodes;
}

void TStruktur::setLinjer(bool on)
{
    m_linjer = on;
    viewport()->update();
}

void TStruktur::drawBranches(QPainter *painter, const QRect &rect, const QModelIndex &index) const
{
    QTreeWidget::drawBranches(painter, rect, index);
    if (m_linjer)
        drawTreeLines(painter, *this, rect, index);
}

// ---------------------------------------------------------------------------------------------
// Load and save

bool TStruktur::HentStruktur()
{
    clear();
    udeladt.clear();
    NodeDown = NodeUp = nullptr;
    MouseDown = false;
    if (FStrukturfile.isEmpty() || !core::fileExists(FStrukturfile))
        return false;
    const bool medData = FDataOn && !FDatafile.isEmpty();
    core::repairLinePair(FStrukturfile, medData ? FDatafile : QString());
    const auto read = core::readLines(FStrukturfile);
    if (!read) {
        messages::inform("Filen " + quoted(FStrukturfile) + " kunne ikke læses.\r");
        return false;
    }
    const QStringList &lines = *read;

    struct Line
    {
        int depth = 0;
        QString text;
    };
    QList<Line> parsed;
    parsed.reserve(lines.size());
    for (const QString &line : lines) {
        qsizetype depth = 0;
        while (depth < line.size() && (line.at(depth) == u'\t' || line.at(depth) == u' '))
            ++depth;
        parsed.append({int(depth), line.mid(depth)});
    }

    QStringList dataLines;
    if (medData) {
        if (!core::fileExists(FDatafile)) {
            QStringList fresh;
            for (const Line &line : parsed)
                fresh << "0" + line.text;
            core::writeLines(FDatafile, fresh);
            dataLines = fresh;
        } else if (const auto readData = core::readLines(FDatafile)) {
            dataLines = *readData;
        } else {
            messages::inform("Filen " + quoted(FDatafile) + " kunne ikke læses.\r");
            return false;
        }
    }

    // Nodes go in by their depth under the last node kept one level up. A node that cannot be
    // placed takes the lines below it along, so no child ends up under a stranger.
    QList<QTreeWidgetItem *> path;
    int skipBelow = -1;
    for (qsizetype i = 0; i < parsed.size(); ++i) {
        const Line &line = parsed.at(i);
        const QString nr = "Linje " + QString::number(i + 1);
        // A line without a name is dropped alone: the lines after it keep their places.
        if (line.text.trimmed().isEmpty()) {
            udeladt << nr + " har intet navn.";
            continue;
        }
        if (skipBelow >= 0 && line.depth > skipBelow) {
            udeladt << nr + " " + quoted(line.text) + " ligger under en udeladt linje.";
            continue;
        }
        skipBelow = -1;
        QString why;
        if (line.depth > path.size())
            why = nr + " " + quoted(line.text) + " springer mere end ét niveau ned.";
        else if (medData && i >= dataLines.size())
            why = nr + " " + quoted(line.text) + " har ingen datalinje.";
        else if (medData && !isDataLine(dataLines.at(i)))
            why = nr + " " + quoted(line.text) + " har en tom datalinje eller en uden billednummer.";
        if (!why.isEmpty()) {
            udeladt << why;
            skipBelow = line.depth;
            continue;
        }
        path.resize(line.depth);
        auto *node = new QTreeWidgetItem(QStringList{line.text});
        if (path.isEmpty())
            addTopLevelItem(node);
        else
            path.last()->addChild(node);
        if (medData) {
            node->setData(0, DataRole, dataLines.at(i));
            setPicture(node, dataLines.at(i).at(0).digitValue());
        } else {
            setPicture(node, -1);
        }
        path.append(node);
    }
    if (medData && dataLines.size() > parsed.size()) {
        const QString first = QString::number(parsed.size() + 1);
        udeladt << (dataLines.size() == parsed.size() + 1
                        ? "Datalinje " + first + " hører ikke til nogen linje i strukturen."
                        : "Datalinje " + first + " til " + QString::number(dataLines.size()) +
                              " hører ikke til nogen linje i strukturen.");
    }

    FModified = false;
    viewport()->update();
    if (!udeladt.isEmpty()) {
        const QString files = medData ? "Strukturfilen " + quoted(FStrukturfile) + " og datafilen " +
                                            quoted(FDatafile) + " passer ikke sammen."
                                      : "Strukturfilen " + quoted(FStrukturfile) + " er ikke i orden.";
        messages::inform(files + "\rStrukturen er åbnet uden:\r" + messages::opremsning(udeladt) +
                         "\rFilerne er ikke ændret.\r");
    }
    return true;
}

bool TStruktur::keepDamagedPair()
{
    auto copy = [](const QString &file) {
        return !core::fileExists(file) ||
               platform::current().copyFileEx(
                   file.toStdU16String(), (file + beskadigetSuffix()).toStdU16String(), {}, nullptr, false);
    };
    const bool medData = FDataOn && !FDatafile.isEmpty();
    if (!copy(FStrukturfile) || (medData && !copy(FDatafile))) {
        messages::inform("Strukturen blev åbnet med udeladte linjer, og den tidligere udgave kunne ikke "
                         "bevares.\rStrukturen er ikke gemt.\r");
        return false;
    }
    messages::inform("Strukturen blev åbnet med udeladte linjer. Den tidligere udgave er bevaret i " +
                     quoted(FStrukturfile + beskadigetSuffix()) +
                     (medData ? " og " + quoted(FDatafile + beskadigetSuffix()) : QString()) + ".\r");
    return true;
}

bool TStruktur::GemStruktur()
{
    if (FStrukturfile.isEmpty() || (FDataOn && FDatafile.isEmpty()))
        return false;
    // What was left out on reading is still in the files: kept aside before they are replaced.
    if (!udeladt.isEmpty() && !keepDamagedPair())
        return false;
    QStringList tree, dataLines;
    for (QTreeWidgetItem *node : allNodes()) {
        tree << QString(depthOf(node), u'\t') + node->text(0);
        const QString line = node->data(0, DataRole).toString();
        dataLines << (line.isEmpty() ? QStringLiteral("0") : line);
    }
    if (!core::writeLinePair(FStrukturfile, tree, FDataOn ? FDatafile : QString(), dataLines)) {
        messages::inform("Strukturen kunne ikke gemmes.\rDen tidligere udgave af filerne er bevaret.\r");
        return false;
    }
    udeladt.clear();
    FModified = false;
    return true;
}

// ---------------------------------------------------------------------------------------------
// Look-ups

QTreeWidgetItem *TStruktur::findByData(const QString &DataUrl) const
{
    if (!FDataOn)
        return nullptr;
    const QString name = pageName(DataUrl);
    for (QTreeWidgetItem *node : allNodes())
        if (node->data(0, DataRole).toString().mid(1) == name)
            return node;
    return nullptr;
}

QString TStruktur::getNodeTekst(const QString &DataUrl)
{
    QTreeWidgetItem *node = findByData(DataUrl);
    if (!node)
        return QString();
    setCurrentItem(node);
    return node->text(0);
}

bool TStruktur::setSelected(const QString &DataUrl)
{
    QTreeWidgetItem *node = findByData(DataUrl);
    if (!node || node->isSelected())
        return false;
    setCurrentItem(node);
    return true;
}

QString TStruktur::SelectedData() const
{
    QTreeWidgetItem *node = currentItem();
    if (!FDataOn || !node || !node->isSelected())
        return QString();
    return node->data(0, DataRole).toString().mid(1);
}

int TStruktur::getTheSelectedIndex() const
{
    const QList<QTreeWidgetItem *> nodes = allNodes();
    for (qsizetype i = 0; i < nodes.size(); ++i)
        if (nodes.at(i)->isSelected())
            return int(i);
    return -1;
}

QString TStruktur::InfoFilnavn(const QString &Filefternavn) const
{
    QTreeWidgetItem *node = currentItem();
    if (!node || !node->isSelected())
        return QString();
    const QString parentText = node->parent() ? node->parent()->text(0) : QString();
    return core::delimKon(FInfomappe) + parentText + node->text(0) + "." + Filefternavn;
}

// ---------------------------------------------------------------------------------------------
// Editing

void TStruktur::attach(QTreeWidgetItem *node, QTreeWidgetItem *target, int mode)
{
    if (!target) {
        addTopLevelItem(node);
        return;
    }
    QTreeWidgetItem *parent = target->parent();
    auto insertAt = [this, node](QTreeWidgetItem *under, int index) {
        if (under)
            under->insertChild(index, node);
        else
            insertTopLevelItem(index, node);
    };
    const int count = parent ? parent->childCount() : topLevelItemCount();
    const int index = parent ? parent->indexOfChild(target) : indexOfTopLevelItem(target);
    switch (mode) {
    case FoerstINiveau:
        insertAt(parent, 0);
        break;
    case SidsteBarn:
        target->addChild(node);
        break;
    case FoersteBarn:
        target->insertChild(0, node);
        break;
    case Foer:
        insertAt(parent, index);
        break;
    default:
        insertAt(parent, count);
        break;
    }
}

void TStruktur::afterEdit(bool sorter, bool gem)
{
    if (sorter) {
        sortItems(0, Qt::AscendingOrder);
        FModified = true;
    } else if (gem) {
        GemStruktur();
    } else {
        FModified = true;
    }
}

void TStruktur::NyNode(const QString &Tekst, const QString &Data, int Index, bool sorter, bool gem)
{
    if (Tekst.isEmpty())
        return;
    auto *node = new QTreeWidgetItem(QStringList{Tekst});
    if (FDataOn) {
        node->setData(0, DataRole, QString::number(Index) + Data);
        setPicture(node, Index);
    } else {
        setPicture(node, -1);
    }
    QTreeWidgetItem *target = currentItem() && currentItem()->isSelected() ? currentItem() : topLevelItem(0);
    attach(node, target, FFlytmode);
    afterEdit(sorter, gem);
}

void TStruktur::RedigerNode(const QString &Tekst, const QString &Data, int Index, bool sorter, bool gem)
{
    QTreeWidgetItem *node = currentItem();
    if (!node || !node->isSelected())
        return;
    node->setText(0, Tekst);
    if (FDataOn) {
        node->setData(0, DataRole, QString::number(Index) + Data);
        setPicture(node, Index);
    }
    afterEdit(sorter, gem);
}

bool TStruktur::FileDeleteRB(const QString &AFileName)
{
    return core::moveToRecycleBin(AFileName);
}

void TStruktur::SletNode()
{
    QTreeWidgetItem *node = currentItem();
    if (!node || !node->isSelected())
        return;
    QList<QTreeWidgetItem *> withPages{node};
    for (int i = 0; i < node->childCount(); ++i)
        withPages << node->child(i);
    for (QTreeWidgetItem *each : withPages) {
        const QString line = each->data(0, DataRole).toString();
        if (line.size() < 2)
            continue;
        const QString page = core::delimKon(FInfomappe) + line.mid(1) + ".html";
        if (core::fileExists(page))
            FileDeleteRB(page);
    }
    if (NodeDown && isDescendant(NodeDown, node))
        NodeDown = nullptr;
    if (NodeUp && isDescendant(NodeUp, node))
        NodeUp = nullptr;
    delete node;
    FModified = true;
}

void TStruktur::MusDown(int X, int Y)
{
    if (MouseDown) {
        MouseDown = false;
        unsetCursor();
        return;
    }
    QTreeWidgetItem *node = itemAt(X, Y);
    if (!node || node == topLevelItem(0))
        return;
    NodeDown = node;
    MouseDown = true;
    setCursor(Qt::DragMoveCursor);
}

void TStruktur::MusUp(int X, int Y, bool somGrundnode)
{
    if (!MouseDown)
        return;
    MouseDown = false;
    unsetCursor();
    NodeUp = itemAt(X, Y);
    if (!NodeDown || !NodeUp || NodeUp == NodeDown || isDescendant(NodeUp, NodeDown))
        return;
    QTreeWidgetItem *moved = NodeDown;
    if (moved->parent())
        moved->parent()->removeChild(moved);
    else
        takeTopLevelItem(indexOfTopLevelItem(moved));
    if (somGrundnode)
        insertTopLevelItem(1, moved);
    else
        attach(moved, NodeUp, FFlytmode);
    setCurrentItem(moved);
    FModified = true;
}
