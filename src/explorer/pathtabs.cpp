#include "explorer/pathtabs.h"

QList<PathTab> pathTabs(const QStringList &components)
{
    QList<PathTab> tabs;
    for (int i = 0; i < components.size(); ++i)
        if (!components.at(i).isEmpty())
            tabs.append({components.at(i), i});
    return tabs;
}

QString pathUpToTab(const QStringList &components, const QList<PathTab> &tabs, int tab)
{
    const int component = tab >= 0 && tab < tabs.size() ? tabs.at(tab).component : tab;
    return components.mid(0, component + 1).join(u'\\');
}
