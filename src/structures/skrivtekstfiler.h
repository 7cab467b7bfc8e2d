#pragma once
// Writes new text files for an explorer window: "Ny fil" and its templates. Every file is UTF-8
// with a byte-order mark, CR LF after every line; an existing file is never written over, since
// the name is made free first and the finished file is renamed into place without replacing.

#include <QByteArray>
#include <QString>
#include <QStringList>

class TSkrivTekstfiler
{
public:
    // Folder and extension (with its dot) of the file being written; set by getFilnavn.
    QString Hovedmappe;
    QString Ext;

    // aFilnavn when nothing of that name exists, else the first free "N (n)" + Ext in its folder;
    // "" when no file can have that name.
    QString getFilnavn(const QString &aFilnavn);
    // A new file of the template that Ext names; the full path written, or "" after a message.
    QString opretTekstfil(const QString &aFilename);

    // The lines a new file with extension `ext` gets (compared exactly: ".HTML" gets none).
    static QStringList skabelon(const QString &ext);

    // The play-list pages: a player and a table of `names` (bare file names, resolved against
    // `folder`, which ends with the host's separator).
    enum class Afspiller { Film, Musik, Billeder };
    static QStringList afspilningsliste(Afspiller afspiller, const QString &folder, const QStringList &names);
    // The page under a free name for aFilename; the path written, or "" after a message (also
    // when SL is empty).
    QString opretFilmliste(const QString &aFilename, const QStringList &SL);
    QString opretMusikliste(const QString &aFilename, const QStringList &SL);
    QString opretBilledliste(const QString &aFilename, const QStringList &SL);

    // A free name for aFilename with `lines` in it: what the template and play-list writers
    // share. The path written, or "" after telling the user why.
    QString skrivLinjer(const QString &aFilename, const QStringList &lines);

private:
    QString opretAfspilningsliste(Afspiller afspiller, const QString &aFilename, const QStringList &SL);
    enum class Outcome { Written, NameTaken, Failed };
    // One try at `target` in Hovedmappe; `reason` says why it failed.
    Outcome writeNew(const QString &target, const QByteArray &bytes, QString &reason) const;
};
