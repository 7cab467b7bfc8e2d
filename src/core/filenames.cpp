#include "core/filenames.h"

#include <algorithm>

namespace core {

namespace {

bool isForbiddenCharacter(QChar c)
{
    return QStringView(u"\\/:*?\"<>|").contains(c);
}

bool isControlCharacter(QChar c)
{
    return c.unicode() < 0x20;
}

// The part before the first dot, without the blanks Windows drops: "nul .txt" names NUL too.
QString deviceCandidate(const QString &name)
{
    QString base = name.left(name.indexOf(u'.') < 0 ? name.size() : name.indexOf(u'.'));
    while (base.endsWith(u' '))
        base.chop(1);
    return base.toUpper();
}

bool isReservedDeviceName(const QString &name)
{
    const QString base = deviceCandidate(name);
    if (base == u"CON" || base == u"PRN" || base == u"AUX" || base == u"NUL")
        return true;
    if (base.size() != 4 || !(base.startsWith(u"COM") || base.startsWith(u"LPT")))
        return false;
    // Windows also takes the superscript digits one to three as port numbers.
    const QChar digit = base.at(3);
    return (digit >= u'1' && digit <= u'9') || digit == u'¹' || digit == u'²' || digit == u'³';
}

// The name as it can stand in a message: control characters shown as their pictures (a line
// break would split the message), a very long name cut short.
QString shown(const QString &name)
{
    constexpr qsizetype kShownLength = 60;
    QString text = name.size() > kShownLength ? name.left(kShownLength) + u'…' : name;
    for (QChar &c : text) {
        if (isControlCharacter(c))
            c = QChar(char16_t(0x2400 + c.unicode()));
    }
    return text;
}

QString cannotBeUsed(const QString &name)
{
    return "Navnet \"" + shown(name) + "\" kan ikke bruges.\r";
}

} // namespace

QString invalidNameMessage(const QString &name)
{
    if (name.trimmed().isEmpty())
        return "Der mangler et navn.\rEt navn skal indeholde andet end mellemrum.";
    if (std::any_of(name.begin(), name.end(), isForbiddenCharacter))
        return cannotBeUsed(name) + "Et navn må ikke indeholde tegnene \\ / : * ? \" < > |";
    if (std::any_of(name.begin(), name.end(), isControlCharacter))
        return cannotBeUsed(name) + "Et navn må ikke indeholde styretegn som linjeskift og tabulator.";
    if (name.size() > kMaxNameLength)
        return cannotBeUsed(name) + "Navnet er på " + QString::number(name.size()) +
               " tegn, men et navn må højst være på " + QString::number(kMaxNameLength) + " tegn.";
    if (isReservedDeviceName(name))
        return cannotBeUsed(name) +
               "CON, PRN, AUX, NUL, COM1 til COM9 og LPT1 til LPT9 er navne på enheder i Windows og kan "
               "ikke bruges som navn, heller ikke med en filtype efter.";
    if (name.endsWith(u'.'))
        return cannotBeUsed(name) + "Et navn må ikke slutte med et punktum.";
    if (name.endsWith(u' '))
        return cannotBeUsed(name) + "Et navn må ikke slutte med et mellemrum.";
    return QString();
}

} // namespace core
