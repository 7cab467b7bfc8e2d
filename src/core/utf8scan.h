#pragma once
// Passes over UTF-8 bytes at memory speed for the text search: whether bytes are valid UTF-8,
// and how many UTF-16 units they make with every line end as one. Vector instructions where
// the processor has them, the same answers without.

#include <QByteArray>
#include <QList>
#include <QString>

namespace core::utf8 {

// The text of UTF-8 bytes, a leading U+FEFF kept as the character it is: QString::fromUtf8
// drops one as a byte-order mark, which would shift every position after it by one.
QString decode(QByteArrayView bytes);

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF, nothing cut off.
bool isValid(const uchar *data, qsizetype size);

// UTF-16 units of the valid UTF-8 bytes data[from, to), each "\r\n" one unit; a "\n" at `from`
// after a "\r" at from - 1 counts nothing.
qint64 lineUnits(const uchar *data, qsizetype from, qsizetype to);

// The first place of `needle` in data[0, size), or -1; the C library's search where it has one.
qsizetype findBytes(const uchar *data, qsizetype size, QByteArrayView needle);

// Finds a text in valid UTF-8 bytes regardless of letter case, exactly as QString's
// case-insensitive comparison matches it (simple case folding), without decoding the bytes: a
// filter on the bytes with the case bit (0x20) ignored, then the comparison on the few places
// that pass. A character whose other case differs in more than that bit (the Kelvin sign for
// "k", the Ångström sign for "å") is one the filter cannot see; a document holding one is
// left to a search of its decoded text (hasHiddenVariants).
class CaselessFinder
{
public:
    explicit CaselessFinder(const QString &needle);

    // False for a needle the finder cannot take (empty, or not valid Unicode).
    bool isUsable() const { return !m_bytes.isEmpty(); }
    // Bytes of every match: the needle's UTF-8 length.
    qsizetype size() const { return m_bytes.size(); }
    // The first match at or after `from`, or -1.
    qsizetype find(const uchar *data, qsizetype size, qsizetype from) const;
    bool hasHiddenVariants(const uchar *data, qsizetype size) const;

private:
    bool matchesAt(const uchar *data, qsizetype size, qsizetype at) const;

    QString m_needle;
    QByteArray m_bytes;  // the needle's UTF-8
    QByteArray m_folded; // the same with the case bit set in every byte
    QList<QByteArray> m_hidden;
};

} // namespace core::utf8
