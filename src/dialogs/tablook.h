#pragma once
// The look of page tabs ("Fremstillings muligheder"): 0 flat buttons, 1 buttons, 2 tabs. The
// style sheets of the visual styles draw the looks by the bar's "tabLook" property.

class QTabBar;

void setTabLook(QTabBar *bar, int bogfanerIndex);
