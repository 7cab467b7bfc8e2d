#pragma once
// What the two progress windows share: the disabled check list of source folders.

class QListWidget;
class QString;
class QWidget;

namespace dialogs {

QListWidget *folderCheckList(QWidget *parent);
void addFolder(QListWidget *list, const QString &folder);
void checkFolder(QListWidget *list, int index);

} // namespace dialogs
