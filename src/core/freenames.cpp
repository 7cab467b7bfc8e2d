#include "core/freenames.h"

#include "core/files.h"
#include "core/messages.h"
#include "core/paths.h"

#include <QStringList>

namespace core {

namespace {

// The words of `name` before the first word equal to subTekst, when the name has two words or
// more and one of them is subTekst; else the name as it is. Words are split at every blank, so
// with an empty subTekst the double blank before " (n)" is what matches.
QString withoutEarlierSuffix(const QString &name, const QString &subTekst)
{
    const QStringList words = name.split(u' ');
    if (words.size() < 2)
        return name;
    for (qsizetype i = 0; i < words.size(); ++i) {
        if (words.at(i).trimmed().compare(subTekst, Qt::CaseInsensitive) == 0)
            return words.mid(0, i).join(u' ').trimmed();
    }
    return name;
}

// The extension with its dot, from the name part only.
QString extensionOfName(const QString &name)
{
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot < 0 ? QString() : name.mid(dot);
}

} // namespace

QString getNewDirectoryName(const QString &aDirectory, const QString &subTekst)
{
    // Only the last component is renamed: a " Kopi " in a parent folder's name must not move
    // the new folder somewhere else.
    const QString full = aDirectory.trimmed();
    const qsizetype slash = full.lastIndexOf(u'\\');
    const QString parent = slash < 0 ? QString() : full.left(slash + 1);
    const QString base = parent + withoutEarlierSuffix(full.mid(slash + 1), subTekst);
    QString result = base;
    for (int n = 1; entryExists(result); ++n)
        result = base + " " + subTekst + " (" + QString::number(n) + ")";
    return result;
}

QString getNewFilename(const QString &oldFilename, const QString &newName, const QString &subTekst)
{
    const QString folder = delimKon(folderOf(oldFilename));
    const QString oldExtension = extensionOfName(nameOf(oldFilename));
    QString extension = extensionOfName(newName);
    if (!extension.isEmpty() && extension.compare(oldExtension, Qt::CaseInsensitive) != 0) {
        if (!messages::ask("Filen var af type: " + oldExtension + "\r" +
                           "Skal den omdøbes til at være af type " + extension + "?"))
            extension = oldExtension;
    } else {
        extension = oldExtension;
    }
    const QString stem = newName.left(newName.size() - extensionOfName(newName).size());
    QString result = folder + stem + subTekst + extension;
    // The file itself under another letter case is no clash: that rename only changes the case.
    for (int n = 1; entryExists(result) && result.compare(oldFilename, Qt::CaseInsensitive) != 0; ++n)
        result = folder + stem + subTekst + " (" + QString::number(n) + ")" + extension;
    return result;
}

QString getNewFilnavn(const QString &aFilnavn, const QString &subTekst)
{
    const QString folder = delimKon(folderOf(aFilnavn));
    const QString name = nameOf(aFilnavn);
    const QString extension = extensionOfName(name);
    const QString stem = name.left(name.size() - extension.size());
    const QString base = withoutEarlierSuffix(stem, subTekst);
    QString result = base == stem ? aFilnavn : folder + base + extension;
    for (int n = 1; entryExists(result); ++n)
        result = folder + base + " " + subTekst + " (" + QString::number(n) + ")" + extension;
    return result;
}

} // namespace core
