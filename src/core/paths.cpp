#include "core/paths.h"

#include <QUrl>

namespace core {

QString delimKon(const QString &S)
{
    return S.endsWith(u'\\') ? S : S + u'\\';
}

QString pathFromFile(const QString &path)
{
    QString result = path;
    return result.replace(u'/', u'\\');
}

QString withoutTrailingBackslash(const QString &path)
{
    return path.endsWith(u'\\') ? path.chopped(1) : path;
}

QString getLastDirectory(const QString &aDirectory)
{
    if (aDirectory.size() <= 1)
        return QString();
    if (aDirectory.size() <= 3)
        return aDirectory.left(2);
    return aDirectory.mid(aDirectory.lastIndexOf(u'\\') + 1);
}

QString folderOf(const QString &path)
{
    const qsizetype slash = path.lastIndexOf(u'\\');
    return slash < 0 ? QString() : path.left(slash);
}

QString nameOf(const QString &path)
{
    return path.mid(path.lastIndexOf(u'\\') + 1);
}

QString webSearchAddress(const QString &prefix, const QString &words)
{
    return prefix + QString::fromLatin1(QUrl::toPercentEncoding(words));
}

} // namespace core
