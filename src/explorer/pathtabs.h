#pragma once
// The path bar's tabs: one per non-empty component of a path split at "\", each remembering the
// component it stands for, so that choosing a tab always leads to the path up to its own name
// (also for "\\server\share" and a trailing backslash, whose empty components get no tab).

#include <QList>
#include <QString>
#include <QStringList>

struct PathTab
{
    QString name;
    int component = 0; // index in the split path
    bool operator==(const PathTab &other) const = default;
};

QList<PathTab> pathTabs(const QStringList &components);
// The path up to and including the component of tab `tab`; a tab that does not exist stands
// for the component of the same index.
QString pathUpToTab(const QStringList &components, const QList<PathTab> &tabs, int tab);
