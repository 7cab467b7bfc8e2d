#include "core/rtftext.h"

#include "core/cp1252.h"

#include <QHash>
#include <QSet>
#include <algorithm>

namespace core {

namespace {

constexpr qsizetype kFlushAt = 64 * 1024;

// Destinations whose text is not part of the displayed document.
bool hiddenDestination(const QByteArray &word)
{
    static const QSet<QByteArray> words{"fonttbl",
                                        "colortbl",
                                        "stylesheet",
                                        "info",
                                        "pict",
                                        "object",
                                        "objdata",
                                        "header",
                                        "headerl",
                                        "headerr",
                                        "headerf",
                                        "footer",
                                        "footerl",
                                        "footerr",
                                        "footerf",
                                        "footnote",
                                        "fldinst",
                                        "themedata",
                                        "colorschememapping",
                                        "datastore",
                                        "latentstyles",
                                        "listtable",
                                        "listoverridetable",
                                        "rsidtbl",
                                        "generator",
                                        "xmlnstbl",
                                        "pgdsctbl",
                                        "filetbl",
                                        "revtbl",
                                        "bkmkstart",
                                        "bkmkend",
                                        "nonshppict",
                                        "private",
                                        "userprops",
                                        "docvar",
                                        "xe",
                                        "tc",
                                        "template",
                                        "mmathPr",
                                        "operator",
                                        "author",
                                        "title",
                                        "subject",
                                        "keywords",
                                        "comment",
                                        "doccomm",
                                        "company"};
    return words.contains(word);
}

// Control words that stand for one character of text.
QChar wordCharacter(const QByteArray &word)
{
    static const QHash<QByteArray, char16_t> characters{
        {"par", u'\n'},           {"line", u'\n'},       {"sect", u'\n'},        {"page", u'\n'},
        {"row", u'\n'},           {"tab", u'\t'},        {"cell", u'\t'},        {"emdash", u'\u2014'},
        {"endash", u'\u2013'},    {"lquote", u'\u2018'}, {"rquote", u'\u2019'},  {"ldblquote", u'\u201C'},
        {"rdblquote", u'\u201D'}, {"bullet", u'\u2022'}, {"emspace", u'\u2003'}, {"enspace", u'\u2002'},
        {"qmspace", u'\u2005'}};
    const auto found = characters.constFind(word);
    return found == characters.constEnd() ? QChar() : QChar(*found);
}

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

RtfText::RtfText(std::function<void(QStringView)> sink)
    : m_sink(std::move(sink))
{}

QString RtfText::toText(const QByteArray &rtf)
{
    QString text;
    RtfText reader([&text](QStringView piece) { text += piece; });
    reader.feed(rtf.constData(), rtf.size());
    reader.finish();
    return text;
}

void RtfText::feed(const char *data, qsizetype size)
{
    for (qsizetype i = 0; i < size; ++i) {
        const char c = data[i];
        switch (m_mode) {
        case Mode::Binary: {
            // \binN: N bytes of data, never text; skipped in one step.
            const qsizetype take = qsizetype(std::min<qint64>(m_binaryLeft, size - i));
            m_binaryLeft -= take;
            i += take - 1;
            if (m_binaryLeft == 0)
                m_mode = Mode::Text;
            continue;
        }
        case Mode::Backslash:
            if (isLetter(c)) {
                m_word = QByteArray(1, c);
                m_mode = Mode::Word;
            } else if (c == '\'') {
                m_hex = 0;
                m_hexDigits = 0;
                m_mode = Mode::Hex;
            } else {
                m_mode = Mode::Text;
                symbol(c);
            }
            continue;
        case Mode::Word:
            if (isLetter(c)) {
                if (m_word.size() < 32)
                    m_word += c;
                continue;
            }
            m_negative = false;
            m_hasParameter = false;
            m_parameter = 0;
            m_digits = 0;
            if (c == '-' || isDigit(c)) {
                m_mode = Mode::Parameter;
                if (c == '-')
                    m_negative = true;
                else {
                    m_hasParameter = true;
                    m_parameter = c - '0';
                    m_digits = 1;
                }
                continue;
            }
            m_mode = Mode::Text;
            controlWord();
            if (c == ' ')
                continue; // the delimiter belongs to the word
            break;        // anything else is read again as text
        case Mode::Parameter:
            if (isDigit(c)) {
                m_hasParameter = true;
                if (++m_digits <= 10)
                    m_parameter = m_parameter * 10 + (c - '0');
                continue;
            }
            if (m_negative)
                m_parameter = -m_parameter;
            m_mode = Mode::Text;
            controlWord();
            if (m_mode == Mode::Binary && c != ' ') {
                // No delimiter: this byte is the first of the data.
                if (--m_binaryLeft == 0)
                    m_mode = Mode::Text;
                continue;
            }
            if (c == ' ' || m_mode == Mode::Binary)
                continue;
            break;
        case Mode::Hex: {
            int value = -1;
            if (isDigit(c))
                value = c - '0';
            else if (c >= 'a' && c <= 'f')
                value = c - 'a' + 10;
            else if (c >= 'A' && c <= 'F')
                value = c - 'A' + 10;
            if (value < 0) { // a broken escape: the byte is read again as text
                m_mode = Mode::Text;
                break;
            }
            m_hex = m_hex * 16 + value;
            if (++m_hexDigits == 2) {
                m_mode = Mode::Text;
                hexByte(m_hex);
            }
            continue;
        }
        case Mode::Text:
            break;
        }
        // Mode::Text
        switch (c) {
        case '\\':
            m_mode = Mode::Backslash;
            break;
        case '{':
            flushBytes();
            m_fallbackLeft = 0;
            if (m_groups.size() < std::size_t(kMaxDepth))
                m_groups.push_back(group());
            else
                ++m_overflow;
            break;
        case '}':
            flushBytes();
            m_fallbackLeft = 0;
            if (m_overflow > 0)
                --m_overflow;
            else if (m_groups.size() > 1)
                m_groups.pop_back();
            break;
        case '\r':
        case '\n':
            break; // line ends in the source are not text
        default:
            textByte(c);
        }
    }
}

void RtfText::controlWord()
{
    const QByteArray &word = m_word;
    if (word == "bin") {
        flushBytes();
        m_binaryLeft = m_hasParameter && m_parameter > 0 ? m_parameter : 0;
        if (m_binaryLeft > 0)
            m_mode = Mode::Binary;
        return;
    }
    if (hiddenDestination(word)) {
        group().skip = true;
        return;
    }
    if (word == "uc") {
        group().unicodeSkip = int(std::clamp<qint64>(m_parameter, 0, 16));
        return;
    }
    if (word == "ansicpg" && m_hasParameter) {
        flushBytes();
        m_cp1252 = m_parameter == 1252;
        if (!m_cp1252) {
            m_decoder = QStringDecoder(QByteArray("windows-" + QByteArray::number(m_parameter)).constData());
            m_cp1252 = !m_decoder.isValid();
        }
        return;
    }
    if (group().skip)
        return;
    if (word == "u" && m_hasParameter) {
        flushBytes();
        if (m_fallbackLeft > 0)
            m_fallbackLeft = 0;
        const qint64 code = m_parameter < 0 ? m_parameter + 65536 : m_parameter;
        if (code >= 0 && code <= 0xFFFF)
            append(QChar(char16_t(code)));
        m_fallbackLeft = group().unicodeSkip;
        return;
    }
    const QChar character = wordCharacter(word);
    if (character.isNull())
        return;
    if (m_fallbackLeft > 0) {
        --m_fallbackLeft;
        return;
    }
    flushBytes();
    append(character);
}

void RtfText::symbol(char c)
{
    if (c == '*') {
        group().skip = true;
        return;
    }
    if (group().skip)
        return;
    QChar character;
    switch (c) {
    case '\\':
    case '{':
    case '}':
        character = QChar(char16_t(c));
        break;
    case '~':
        character = QChar(u'\u00A0');
        break;
    case '_':
        character = QChar(u'\u2011');
        break;
    case '\r':
    case '\n':
        character = QChar(u'\n');
        break;
    default:
        return; // \- and the symbols without text
    }
    if (m_fallbackLeft > 0) {
        --m_fallbackLeft;
        return;
    }
    flushBytes();
    append(character);
}

void RtfText::textByte(char c)
{
    if (group().skip)
        return;
    if (m_fallbackLeft > 0) {
        --m_fallbackLeft;
        return;
    }
    if (static_cast<unsigned char>(c) < 0x80 && m_bytes.isEmpty()) {
        append(QChar(char16_t(c)));
        return;
    }
    m_bytes += c;
}

void RtfText::hexByte(int value)
{
    if (group().skip)
        return;
    if (m_fallbackLeft > 0) {
        --m_fallbackLeft;
        return;
    }
    m_bytes += char(value);
}

void RtfText::flushBytes()
{
    if (m_bytes.isEmpty())
        return;
    append(m_cp1252 ? decodeCp1252(m_bytes) : m_decoder.decode(m_bytes));
    m_bytes.clear();
}

void RtfText::append(QChar c)
{
    m_out += c;
    if (m_out.size() >= kFlushAt)
        flush();
}

void RtfText::append(QStringView text)
{
    m_out += text;
    if (m_out.size() >= kFlushAt)
        flush();
}

void RtfText::flush()
{
    if (m_out.isEmpty())
        return;
    m_sink(m_out);
    m_out.clear();
}

void RtfText::finish()
{
    flushBytes();
    flush();
}

} // namespace core
