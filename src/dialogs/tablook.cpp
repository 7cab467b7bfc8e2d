#include "dialogs/tablook.h"

#include <QStyle>
#include <QTabBar>

void setTabLook(QTabBar *bar, int bogfanerIndex)
{
    static const char *const looks[] = {"flat", "buttons", "tabs"};
    bar->setProperty("tabLook", looks[bogfanerIndex >= 0 && bogfanerIndex <= 2 ? bogfanerIndex : 2]);
    bar->style()->unpolish(bar);
    bar->style()->polish(bar);
    bar->update();
}
