#pragma once
// The displayed text of an RTF document, read as a stream: groups, control words and symbols,
// "\'hh" bytes in the document's code page, "\uN" with its fall-back skipped, and the
// destinations that are not shown (font and colour tables, pictures, "\*" groups, ...) left out.
// Paragraph and line ends come out as one "\n" each. Any byte sequence is accepted: a truncated
// document gives the text read so far, and nesting deeper than the reader keeps track of costs
// no memory.

#include <QByteArray>
#include <QString>
#include <QStringDecoder>
#include <functional>
#include <vector>

namespace core {

class RtfText
{
public:
    // `sink` receives the text in pieces, in order.
    explicit RtfText(std::function<void(QStringView)> sink);

    void feed(const char *data, qsizetype size);
    // Hands over what is still held; call once at the end of the document.
    void finish();

    // The whole text of a document in memory.
    static QString toText(const QByteArray &rtf);

    // Groups deeper than this share the state of the deepest one kept.
    static constexpr int kMaxDepth = 1024;

private:
    enum class Mode { Text, Backslash, Word, Parameter, Hex, Binary };
    struct Group
    {
        bool skip = false;   // a destination that is not shown
        int unicodeSkip = 1; // \ucN: fall-back characters after \uN
    };

    void controlWord();
    void symbol(char c);
    void textByte(char c);
    void hexByte(int value);
    void append(QChar c);
    void append(QStringView text);
    void flushBytes();
    void flush();
    Group &group() { return m_groups.back(); }

    std::function<void(QStringView)> m_sink;
    std::vector<Group> m_groups{Group{}};
    int m_overflow = 0; // groups opened past kMaxDepth and not yet closed
    Mode m_mode = Mode::Text;
    QByteArray m_word;
    bool m_negative = false;
    bool m_hasParameter = false;
    qint64 m_parameter = 0;
    int m_digits = 0;
    int m_hex = 0;
    int m_hexDigits = 0;
    qint64 m_binaryLeft = 0;
    int m_fallbackLeft = 0; // fall-back characters of the last \uN still to skip
    QByteArray m_bytes;     // text bytes waiting for the code page
    QStringDecoder m_decoder;
    bool m_cp1252 = true; // the document's code page is Windows-1252 (the default)
    QString m_out;
};

} // namespace core
