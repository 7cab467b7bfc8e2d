// The text-search window's list of file types: its file, the filter box and the list page.
#include "tools/textsearch/findform.h"

#include "core/linefile.h"
#include "core/messages.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <algorithm>

void Tfindform::hentTyper()
{
    const auto lines = core::readLines(typelistenavn);
    if (lines) {
        filliste = *lines;
    } else {
        filliste = standardList();
        core::writeLines(typelistenavn, filliste);
    }
    fillFilterBoks();
    fillTypeliste();
}

void Tfindform::fillFilterBoks()
{
    filterBoks->clear();
    for (qsizetype i = 0; i + 2 < filliste.size(); i += 3)
        if (filliste[i + 2] == "1")
            filterBoks->addItem(filliste[i] + " (" + filliste[i + 1] + ")");
    filterBoks->setMaxVisibleItems(std::max(1, filterBoks->count()));
    filterBoks->setCurrentIndex(filterItemIndex < filterBoks->count() ? filterItemIndex : -1);
}

void Tfindform::fillTypeliste()
{
    const QSignalBlocker blocker(typeliste);
    typeliste->clear();
    for (qsizetype i = 0; i + 2 < filliste.size(); i += 3) {
        auto *row = new QTreeWidgetItem(typeliste, {filliste[i], filliste[i + 1]});
        row->setFlags(row->flags() | Qt::ItemIsUserCheckable);
        row->setCheckState(0, filliste[i + 2] == "1" ? Qt::Checked : Qt::Unchecked);
    }
}

bool Tfindform::ErExtListet(const QString &mask)
{
    int ticked = 0;
    for (int i = 0; i < typeliste->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *row = typeliste->topLevelItem(i);
        if (row->checkState(0) != Qt::Checked)
            continue;
        if (row->text(1).compare(mask, Qt::CaseInsensitive) == 0) {
            if (ticked < filterBoks->count()) {
                filterBoks->setCurrentIndex(ticked);
                filterItemIndex = ticked;
            }
            return true;
        }
        ++ticked;
    }
    return false;
}

void Tfindform::insertType()
{
    if (tekstedit->text().isEmpty() || typeedit->text().isEmpty())
        return;
    auto *row = new QTreeWidgetItem(typeliste, {tekstedit->text(), normaliseMask(typeedit->text())});
    row->setFlags(row->flags() | Qt::ItemIsUserCheckable);
    row->setCheckState(0, Qt::Checked);
    saveknap->setEnabled(true);
    tekstedit->clear();
    typeedit->clear();
    tekstedit->setFocus();
}

void Tfindform::flytType(int step)
{
    const int index = typeliste->indexOfTopLevelItem(typeliste->currentItem());
    const int target = index + step;
    if (index < 0 || target < 0 || target >= typeliste->topLevelItemCount())
        return;
    QTreeWidgetItem *row = typeliste->takeTopLevelItem(index);
    typeliste->insertTopLevelItem(target, row);
    saveknap->setEnabled(true);
    if (step > 0) {
        typeliste->setCurrentItem(row);
    } else {
        typeliste->setCurrentItem(nullptr);
        typeliste->clearSelection();
    }
}

void Tfindform::sletValgteType()
{
    QTreeWidgetItem *row = typeliste->currentItem();
    if (!row || !row->isSelected()) {
        messages::inform("Der er ikke valgt en filtype!");
        return;
    }
    if (messages::ask("Skal filtypen:\r" + row->text(0) + "\r" + "slettes permanent?")) {
        delete row;
        saveknap->setEnabled(true);
    }
}

void Tfindform::GemTyper()
{
    filliste.clear();
    for (int i = 0; i < typeliste->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *row = typeliste->topLevelItem(i);
        filliste << row->text(0) << row->text(1) << (row->checkState(0) == Qt::Checked ? "1" : "0");
    }
    core::writeLinesOrSay(typelistenavn, filliste);
    fillFilterBoks();
}

void Tfindform::standardTyper()
{
    if (!messages::ask(
            "Der vil muligvist blive fjernet typer, der er indført senere!\rSkal standardlisten hentes "
            "alligevel?"))
        return;
    filliste = standardList();
    core::writeLinesOrSay(typelistenavn, filliste);
    fillTypeliste();
    fillFilterBoks();
    saveknap->setEnabled(false);
}
