// The three play-list pages: a table of the chosen files with a button each and a player.

#include "structures/skrivtekstfiler.h"

#include "core/files.h"
#include "core/messages.h"
#include "core/paths.h"

namespace {

// The names go into a URL, a script string and the page text; each needs its own escapes so
// that quotes, "<", "&", "#" or "%" in a file name neither break the page nor miss the file.
QString urlPart(const QString &name)
{
    QString out;
    for (const QChar c : name) {
        switch (c.unicode()) {
        case u'%':
            out += "%25";
            break;
        case u'#':
            out += "%23";
            break;
        case u'?':
            out += "%3F";
            break;
        case u'\n':
            out += "%0A";
            break;
        case u'\r':
            out += "%0D";
            break;
        default:
            out += c;
        }
    }
    return out;
}

QString scriptString(const QString &text)
{
    QString out;
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'\\':
            out += "\\\\";
            break;
        case u'"':
            out += "\\\"";
            break;
        case u'<':
            out += "\\x3C";
            break;
        default:
            out += c;
        }
    }
    return out;
}

QString htmlText(const QString &text)
{
    QString out;
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'&':
            out += "&amp;";
            break;
        case u'<':
            out += "&lt;";
            break;
        case u'>':
            out += "&gt;";
            break;
        case u'"':
            out += "&quot;";
            break;
        case u'\n':
            out += "&#10;";
            break;
        case u'\r':
            out += "&#13;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

// A file name in an address: a "\\" is part of the name, never a separator (a browser would read
// one as "/"), and a byte that is no UTF-8 (a private-use character of the host name) is that byte.
QString urlName(const QString &name)
{
    QString out;
    for (const QChar c : urlPart(name)) {
        if (c == u'\\')
            out += "%5C";
        else if (c.unicode() >= 0xEF80 && c.unicode() <= 0xEFFF)
            out += u'%' + QString::number(c.unicode() - 0xEF00, 16).toUpper();
        else
            out += c;
    }
    return out;
}

QString srcAttribute(const QString &name)
{
    return htmlText(urlName(name));
}

} // namespace

QStringList TSkrivTekstfiler::afspilningsliste(Afspiller afspiller, const QString &folder,
                                               const QStringList &names)
{
    const bool film = afspiller == Afspiller::Film;
    const bool musik = afspiller == Afspiller::Musik;
    const bool billeder = afspiller == Afspiller::Billeder;
    const QString titel = film ? "Filmliste" : musik ? "Musikliste" : "Billedliste";
    const QString knap = billeder ? "Vis" : "Afspil";
    const QString first = names.isEmpty() ? QString() : names.first();

    QStringList l{"<!DOCTYPE html>",
                  "<html>",
                  "<head>",
                  "<title>" + titel + "</title>",
                  "<base href=\"" + htmlText(urlPart(folder)) + "\">",
                  "",
                  "<script>"};
    if (billeder)
        l << "function setProcent(procent){"
          << "procent=procent+\"%\";"
          << "var ele=document.getElementById(\"afspiller\");"
          << "ele.style.width=procent;"
          << "ele.style.height=procent;}"
          << "";
    l << "function afspil(melodiNo,checkid){"
      << "var eleSrc;"
      << "switch(melodiNo){";
    for (qsizetype i = 0; i < names.size(); ++i)
        l << "case " + QString::number(i) + ":"
          << "eleSrc=\"" + scriptString(urlName(names[i])) + "\";"
          << "break;";
    l << "}"
      << "var ele=document.getElementById(\"afspiller\");"
      << "ele.src=eleSrc;"
      << "ele.autoplay=true;"
      << "document.getElementById(checkid).checked=true;}"
      << "</script>"
      << "";
    l << "<style type=\"text/css\">"
      << "*{font-family: Verdana; font-size: 9pt; color #000000;}";
    l << "caption{"
      << "color: #0000FF;"
      << "margin-bottom: 4px;"
      << "}";
    l << "table,th,td{"
      << "border: 1px solid #888888;"
      << "border-collapse:collapse;"
      << "}";
    l << "th{"
      << "padding-left: 4px;"
      << "padding-right: 4px;"
      << "padding-top: 4px;"
      << "padding-bottom: 4px;"
      << "color: #FFFFFF;"
      << "background-color:#228822;"
      << "text-align: left;"
      << "}";
    l << "td{"
      << "padding-left: 4px;"
      << "padding-right: 4px;"
      << "padding-top: 2px;"
      << "padding-bottom: 2px;"
      << "}";
    l << "button::before{" << (musik ? "content: \"\\266C\" \" \";" : "content: \"\\25B6\" \" \";") << "}";
    l << "</style>"
      << ""
      << "</head>";
    l << (musik ? "<body>" : "<body style=\"display: flex; flex-wrap: wrap;\">") << "";
    if (film) {
        l << "<div>"
          << "<video controls id=\"afspiller\" style=\"width: auto;\">"
          << "<source src=\"" + srcAttribute(first) + "\">"
          << "</video>"
          << "</div>"
          << "";
        l << "<div style=\"margin: 16px 0px 0px 16px;\">";
    } else if (musik) {
        l << "<audio controls id=\"afspiller\" style=\"width: auto;\">"
          << "<source src=\"" + srcAttribute(first) + "\">"
          << "</audio><br>"
          << "";
    } else {
        l << "<div>"
          << "<table>"
          << "<caption>Billedstørrelse</caption>"
          << "<tr>"
          << "<td><input type=\"radio\" name=\"bredde\" checked=\"true\" "
             "onclick=\"setProcent(100)\">100%</td>";
        for (int p = 90; p >= 10; p -= 10) {
            if (p == 50)
                l << "</tr>"
                  << "<tr>";
            l << "<td><input type=\"radio\" name=\"bredde\" onclick=\"setProcent(" + QString::number(p) +
                     ")\">" + QString::number(p) + "%</td>";
        }
        l << "</tr>"
          << "</table><br>"
          << "";
    }
    l << "<table>"
      << "<caption>" + titel + "</caption>";
    l << "<colgroup>"
      << " <col span=\"1\" style=\"background-color: #DDDDDD;\">"
      << " <col span=\"1\" style=\"background-color: #FFFFFF;\">"
      << " <col style=\"background-color: #FFFFFF;\">"
      << "</colgroup>";
    l << "<tr><th>&nbsp;</th><th>Titel</th><th>&nbsp;</th></tr>";
    for (qsizetype i = 0; i < names.size(); ++i) {
        const QString n = QString::number(i);
        l << "<tr>"
          << " <td><input type=\"radio\" name=\"aktuel\" id=\"melodi" + n + "\" disabled" +
                 (i == 0 ? " checked" : "") + "></td>"
          << " <td>" + htmlText(names[i]) + "</td>"
          << " <td><button onclick=\"afspil(" + n + ",'melodi" + n + "')\">" + knap + "</button></td>"
          << "</tr>";
    }
    l << "</table>";
    if (!musik)
        l << "</div>";
    l << "";
    if (billeder)
        l << "<img id=\"afspiller\" style=\"margin: 16px 0px 0px 16px;\" src=\"" + srcAttribute(first) + "\">"
          << "";
    l << "</body>"
      << "</html>";
    return l;
}

QString TSkrivTekstfiler::opretAfspilningsliste(Afspiller afspiller, const QString &aFilename,
                                                const QStringList &SL)
{
    // Without a name the player would have no source and the page no rows: nothing is written.
    if (SL.isEmpty()) {
        messages::inform(
            "Der er ingen valgte filer med efternavn.\rVælg en eller flere filer og prøv igen.\r");
        return QString();
    }
    // The page resolves the bare names against its own folder, both in the host's form.
    const QString folder = core::folderOf(aFilename);
    QString base = core::hostPath(folder);
    const QChar separator = base.startsWith(u'/') ? u'/' : u'\\';
    base += separator;
    QStringList hostNames;
    for (const QString &name : SL) {
        const QString host = core::hostPath(folder + "\\" + name);
        hostNames << (host.isEmpty() ? name : host.mid(host.lastIndexOf(separator) + 1));
    }
    return skrivLinjer(aFilename, afspilningsliste(afspiller, base, hostNames));
}

QString TSkrivTekstfiler::opretFilmliste(const QString &aFilename, const QStringList &SL)
{
    return opretAfspilningsliste(Afspiller::Film, aFilename, SL);
}

QString TSkrivTekstfiler::opretMusikliste(const QString &aFilename, const QStringList &SL)
{
    return opretAfspilningsliste(Afspiller::Musik, aFilename, SL);
}

QString TSkrivTekstfiler::opretBilledliste(const QString &aFilename, const QStringList &SL)
{
    return opretAfspilningsliste(Afspiller::Billeder, aFilename, SL);
}
