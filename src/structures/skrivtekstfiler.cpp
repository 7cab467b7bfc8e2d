#include "structures/skrivtekstfiler.h"

#include "core/filenames.h"
#include "core/files.h"
#include "core/messages.h"
#include "core/paths.h"
#include "platform/Platform.h"

#include <QFile>
#include <QRandomGenerator>
#include <limits>

namespace {

const QByteArray kUtf8Bom("\xEF\xBB\xBF");

// Anything of that name counts, a broken link too: the rename could not take its place.
bool isTaken(const QString &path)
{
    platform::FindData data;
    return platform::current().fileAttributes(path.toStdU16String(), data);
}

// The extension with its dot, of the name part only.
QString extensionOf(const QString &name)
{
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot < 0 ? QString() : name.mid(dot);
}

QByteArray encoded(const QStringList &lines)
{
    QByteArray bytes = kUtf8Bom;
    for (const QString &line : lines) {
        bytes += line.toUtf8();
        bytes += "\r\n";
    }
    return bytes;
}

QString cannotCreate(const QString &path, const QString &reason)
{
    return "Filen\r" + path + "\rkunne ikke oprettes.\r" + reason;
}

} // namespace

QString TSkrivTekstfiler::getFilnavn(const QString &aFilnavn)
{
    Hovedmappe = core::folderOf(aFilnavn);
    const QString name = core::nameOf(aFilnavn);
    Ext = extensionOf(name);
    if (Hovedmappe.isEmpty() || !core::invalidNameMessage(name).isEmpty())
        return QString();
    if (!isTaken(aFilnavn))
        return aFilnavn;
    const QString stem = name.left(name.size() - Ext.size());
    for (int n = 1; n < std::numeric_limits<int>::max(); ++n) {
        const QString candidate = Hovedmappe + "\\" + stem + " (" + QString::number(n) + ")" + Ext;
        // A name grown too long by its number cannot be free either.
        if (core::nameOf(candidate).size() > core::kMaxNameLength)
            return QString();
        if (!isTaken(candidate))
            return candidate;
    }
    return QString();
}

QStringList TSkrivTekstfiler::skabelon(const QString &ext)
{
    const QStringList html{"<!DOCTYPE html>", "<html>", "<head>",  "<title></title>", "</head>",
                           "<body>",          "",       "</body>", "</html>"};
    if (ext == u".html")
        return html;
    if (ext == u".asp")
        return QStringList{"<%@LANGUAGE=\"VBSCRIPT\" CODEPAGE=\"1252\"%>"} + html;
    if (ext == u".wsf")
        return {"<job id=\"\">", "<script language=\"VBScript\">", "", "</script>", "</job>"};
    return {};
}

QString TSkrivTekstfiler::opretTekstfil(const QString &aFilename)
{
    if (aFilename.isEmpty()) {
        messages::inform("Der er fejl i filnavnet.\r");
        return QString();
    }
    return skrivLinjer(aFilename, skabelon(extensionOf(core::nameOf(aFilename))));
}

QString TSkrivTekstfiler::skrivLinjer(const QString &aFilename, const QStringList &lines)
{
    const QByteArray bytes = encoded(lines);
    QString target;
    QString reason;
    // Someone else may take the free name before the rename: then the next free one is tried.
    for (int attempt = 0; attempt < 10; ++attempt) {
        target = getFilnavn(aFilename);
        if (target.isEmpty()) {
            messages::inform("Der er fejl i filnavnet.\r" +
                             core::invalidNameMessage(core::nameOf(aFilename)));
            return QString();
        }
        if (!core::directoryExists(Hovedmappe)) {
            messages::inform(cannotCreate(target, "Mappen " + Hovedmappe + " findes ikke."));
            return QString();
        }
        switch (writeNew(target, bytes, reason)) {
        case Outcome::Written:
            return target;
        case Outcome::NameTaken:
            continue;
        case Outcome::Failed:
            break;
        }
        break;
    }
    messages::inform(cannotCreate(target, reason));
    return QString();
}

TSkrivTekstfiler::Outcome TSkrivTekstfiler::writeNew(const QString &target, const QByteArray &bytes,
                                                     QString &reason) const
{
    // Written whole under a hidden temporary name and then renamed, so a full disk or a crash
    // never leaves half a file under the name the user sees.
    const QString hostFolder = core::hostPath(Hovedmappe);
    QFile file;
    QString tempName;
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempName = ".zunKolvra-" + QString::number(QRandomGenerator::global()->generate(), 36) + ".tmp";
        file.setFileName(hostFolder + "/" + tempName);
        // Unbuffered, so a full disk shows in write() and not only in a flush.
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered) || !file.exists())
            break;
    }
    if (!file.isOpen()) {
        reason = "Der er ikke adgang til at skrive i mappen " + Hovedmappe + ".";
        return Outcome::Failed;
    }
    const bool written = file.write(bytes) == bytes.size() && file.error() == QFileDevice::NoError;
    file.close();
    if (!written) {
        file.remove();
        reason = "Filen kunne ikke skrives færdig. Måske er disken fuld.";
        return Outcome::Failed;
    }
    if (core::moveFile(Hovedmappe + "\\" + tempName, target))
        return Outcome::Written;
    const platform::Win32Error error = platform::lastError();
    reason = core::lastErrorMessage();
    file.remove();
    return error == platform::Win32Error::AlreadyExists || error == platform::Win32Error::FileExists
               ? Outcome::NameTaken
               : Outcome::Failed;
}
