#include "structures/mappestrukturfiler.h"

#include "core/danishorder.h"
#include "core/eventsduring.h"
#include "core/files.h"
#include "core/linefile.h"
#include "core/paths.h"
#include "platform/Platform.h"

namespace mappestruktur {

QString filnavn(const QString &mappestrukturDir, const QString &name)
{
    return core::delimKon(mappestrukturDir) + name + ".txt";
}

QString nameOfInput(const QString &input)
{
    const qsizetype dot = input.lastIndexOf(u'.');
    return dot > 0 ? input.left(dot) : input;
}

std::optional<QStringList> names(const QString &mappestrukturDir)
{
    std::vector<platform::FindData> entries;
    if (!platform::current().findFiles(core::withoutTrailingBackslash(mappestrukturDir).toStdU16String(),
                                       entries, platform::FindDetail::Kinds))
        return std::nullopt;
    core::sortEntriesDanish(entries);
    QStringList result;
    for (const platform::FindData &entry : entries) {
        if (entry.attributes & platform::FILE_ATTRIBUTE_DIRECTORY)
            continue;
        const QString name = QString::fromStdU16String(entry.name);
        if (name.size() > 4 && name.endsWith(".txt", Qt::CaseInsensitive))
            result << name.chopped(4);
    }
    return result;
}

QString menuCaption(const QString &name)
{
    QString caption = name;
    return caption.replace(u'&', QStringLiteral("&&"));
}

namespace {

std::optional<Indhold> hentHer(const QString &path)
{
    const auto lines = core::readLines(path);
    if (!lines)
        return std::nullopt;
    Indhold indhold;
    // Past what the message shows, a line left out is only counted.
    const auto udelad = [&indhold](qsizetype i, const QString &why) {
        if (indhold.udeladt.fuld())
            indhold.udeladt.tael();
        else
            indhold.udeladt.add("Linje " + QString::number(i + 1) + why);
    };
    for (qsizetype i = 0; i < lines->size(); ++i) {
        const QString folder = core::pathFromFile(lines->at(i).trimmed());
        if (folder.isEmpty()) {
            udelad(i, " er tom.");
            continue;
        }
        // "C:\" is the drive "C:", a drive node in both kinds of structure.
        indhold.alle << core::withoutTrailingBackslash(folder);
        if (core::directoryExists(folder))
            indhold.mapper << indhold.alle.last();
        else
            udelad(i, indhold.udeladt.fuld() ? QString() : ": mappen \"" + folder + "\" findes ikke.");
    }
    return indhold;
}

} // namespace

std::optional<Indhold> hent(const QString &path)
{
    // A file of 16 MB holds some 400,000 folders to look up: the window goes on meanwhile, and
    // takes no input until the structure is read.
    std::optional<Indhold> result;
    core::whileProcessingEvents([&] { result = hentHer(path); }, QEventLoop::ExcludeUserInputEvents);
    return result;
}

QString ikkeHentetBesked(const QString &path, const QString &mangler)
{
    return core::wasRefused(path) ? core::refusedMessage(path) : mangler;
}

QString udeladtBesked(const QString &name, const messages::Opremsning &udeladt)
{
    return "Strukturen \"" + name + "\" er åbnet uden:\r" + udeladt.tekst() +
           "\rStrukturfilen er ikke ændret.\r";
}

} // namespace mappestruktur
