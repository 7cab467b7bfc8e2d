#include "core/cp1252.h"

#include <QHash>

namespace core {

namespace {

// 0x80-0x9F; the rest of the code page is Latin-1. Unassigned bytes map to themselves,
// as Windows' MultiByteToWideChar does.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

const QHash<char16_t, char> &encodeTable()
{
    static const QHash<char16_t, char> table = [] {
        QHash<char16_t, char> t;
        for (int i = 0; i < 32; ++i)
            t.insert(kHighControls[i], char(0x80 + i));
        return t;
    }();
    return table;
}

} // namespace

QString decodeCp1252(const QByteArray &bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (const char byte : bytes) {
        const auto b = static_cast<unsigned char>(byte);
        *out++ = QChar(b >= 0x80 && b < 0xA0 ? kHighControls[b - 0x80] : char16_t(b));
    }
    return text;
}

QByteArray encodeCp1252(const QString &text, bool *exact)
{
    if (exact)
        *exact = true;
    QByteArray bytes;
    bytes.reserve(text.size());
    const auto &table = encodeTable();
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            bytes.append(char(u));
        } else if (const auto it = table.constFind(u); it != table.constEnd()) {
            bytes.append(*it);
        } else if (c.isLowSurrogate()) {
            if (exact)
                *exact = false;
            continue; // the high half already gave its "?"
        } else {
            bytes.append('?');
            if (exact)
                *exact = false;
        }
    }
    return bytes;
}

} // namespace core
