#include "dialogs/progresslists.h"

#include <QListWidget>

namespace dialogs {

QListWidget *folderCheckList(QWidget *parent)
{
    auto *list = new QListWidget(parent);
    list->setObjectName("listbox");
    // Shows progress only: the user ticks nothing here.
    list->setEnabled(false);
    return list;
}

void addFolder(QListWidget *list, const QString &folder)
{
    auto *item = new QListWidgetItem(folder, list);
    item->setFlags(Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Unchecked);
}

void checkFolder(QListWidget *list, int index)
{
    if (QListWidgetItem *item = list->item(index))
        item->setCheckState(Qt::Checked);
}

} // namespace dialogs
