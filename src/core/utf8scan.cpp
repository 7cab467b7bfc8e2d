#include "core/utf8scan.h"

#include <QByteArrayView>
#include <QHash>
#include <QStringDecoder>
#include <algorithm>
#include <cstring>
#include <functional>

#if defined(__GNUC__) && defined(__x86_64__)
#include <immintrin.h>
#define ZUN_UTF8_SSE 1
#endif

namespace core::utf8 {

namespace {

// Units of one byte: every byte but a continuation byte, one more for a four-byte lead, none
// for the "\n" of a "\r\n".
inline int byteUnits(uchar byte, bool afterCr)
{
    return int((byte & 0xC0) != 0x80) + int(byte >= 0xF0) - int(byte == '\n' && afterCr);
}

qint64 lineUnitsScalar(const uchar *data, qsizetype from, qsizetype to)
{
    qint64 units = 0;
    bool afterCr = from > 0 && data[from - 1] == '\r';
    for (qsizetype i = from; i < to; ++i) {
        units += byteUnits(data[i], afterCr);
        afterCr = data[i] == '\r';
    }
    return units;
}

#ifdef ZUN_UTF8_SSE

// SSE2 is part of every x86-64 processor.
qint64 lineUnitsSse2(const uchar *data, qsizetype from, qsizetype to)
{
    const __m128i zero = _mm_setzero_si128();
    const __m128i one = _mm_set1_epi8(1);
    const __m128i continuationBelow = _mm_set1_epi8(-64); // 0x80..0xBF as signed bytes
    const __m128i lead4Above = _mm_set1_epi8(-17);        // 0xF0..0xFF as signed bytes
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    qint64 units = 0;
    qsizetype i = from;
    __m128i crBefore = _mm_cvtsi32_si128(from > 0 && data[from - 1] == '\r' ? 0xFF : 0);
    while (i + 16 <= to) {
        // Each byte counts 0, 1 or 2 per block: 127 blocks fit in a byte's counter.
        __m128i counters = zero;
        for (int blocks = 0; blocks < 127 && i + 16 <= to; ++blocks, i += 16) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(data + i));
            const __m128i continuation = _mm_cmplt_epi8(v, continuationBelow);
            const __m128i lead4 = _mm_and_si128(_mm_cmpgt_epi8(v, lead4Above), _mm_cmplt_epi8(v, zero));
            const __m128i isCr = _mm_cmpeq_epi8(v, cr);
            const __m128i crlf =
                _mm_and_si128(_mm_cmpeq_epi8(v, lf), _mm_or_si128(_mm_slli_si128(isCr, 1), crBefore));
            crBefore = _mm_srli_si128(isCr, 15);
            // 1 + (-1 for a continuation) - (-1 for a four-byte lead) + (-1 for the "\n" of "\r\n")
            const __m128i byteUnits =
                _mm_add_epi8(_mm_sub_epi8(_mm_add_epi8(one, continuation), lead4), crlf);
            counters = _mm_add_epi8(counters, byteUnits);
        }
        const __m128i sums = _mm_sad_epu8(counters, zero);
        units += _mm_cvtsi128_si64(sums) + _mm_cvtsi128_si64(_mm_unpackhi_epi64(sums, sums));
    }
    return units + lineUnitsScalar(data, i, to);
}

// The lookup validation: three table look-ups on the high and low halves of each byte and the
// one before it tell every error of a two-byte window; what needs three or four bytes is the
// continuation rule checked against the leads two and three bytes back.
struct Ssse3Validator
{
    static constexpr char TooShort = 1 << 0;
    static constexpr char TooLong = 1 << 1;
    static constexpr char Overlong3 = 1 << 2;
    static constexpr char TooLarge = 1 << 3;
    static constexpr char Surrogate = 1 << 4;
    static constexpr char Overlong2 = 1 << 5;
    static constexpr char TooLarge1000 = 1 << 6;
    static constexpr char Overlong4 = 1 << 6;
    static constexpr char TwoContinuations = char(1 << 7);
    static constexpr char Carry = TooShort | TooLong | TwoContinuations;

    __attribute__((target("ssse3"))) static __m128i check(__m128i input, __m128i previous)
    {
        const __m128i nibble = _mm_set1_epi8(0x0F);
        const __m128i firstHigh = _mm_setr_epi8(
            TooLong, TooLong, TooLong, TooLong, TooLong, TooLong, TooLong, TooLong, TwoContinuations,
            TwoContinuations, TwoContinuations, TwoContinuations, TooShort | Overlong2, TooShort,
            TooShort | Overlong3 | Surrogate, TooShort | TooLarge | TooLarge1000 | Overlong4);
        const char large = Carry | TooLarge | TooLarge1000;
        const __m128i firstLow = _mm_setr_epi8(Carry | Overlong3 | Overlong2 | Overlong4, Carry | Overlong2,
                                               Carry, Carry, Carry | TooLarge, large, large, large, large,
                                               large, large, large, large, large | Surrogate, large, large);
        const char continuation = TooLong | Overlong2 | TwoContinuations;
        const __m128i secondHigh =
            _mm_setr_epi8(TooShort, TooShort, TooShort, TooShort, TooShort, TooShort, TooShort, TooShort,
                          continuation | Overlong3 | TooLarge1000 | Overlong4,
                          continuation | Overlong3 | TooLarge, continuation | Surrogate | TooLarge,
                          continuation | Surrogate | TooLarge, TooShort, TooShort, TooShort, TooShort);
        const __m128i previous1 = _mm_alignr_epi8(input, previous, 15);
        const __m128i special = _mm_and_si128(
            _mm_and_si128(_mm_shuffle_epi8(firstHigh, _mm_and_si128(_mm_srli_epi16(previous1, 4), nibble)),
                          _mm_shuffle_epi8(firstLow, _mm_and_si128(previous1, nibble))),
            _mm_shuffle_epi8(secondHigh, _mm_and_si128(_mm_srli_epi16(input, 4), nibble)));
        // A byte two after a lead of three or four bytes, or three after one of four, must be a
        // continuation byte: exactly where the tables said "two continuations".
        const __m128i third =
            _mm_subs_epu8(_mm_alignr_epi8(input, previous, 14), _mm_set1_epi8(char(0xE0 - 0x80)));
        const __m128i fourth =
            _mm_subs_epu8(_mm_alignr_epi8(input, previous, 13), _mm_set1_epi8(char(0xF0 - 0x80)));
        const __m128i mustContinue = _mm_and_si128(_mm_or_si128(third, fourth), _mm_set1_epi8(char(0x80)));
        return _mm_xor_si128(mustContinue, special);
    }

    // Non-zero where a sequence begun in the last three bytes needs bytes after the block.
    __attribute__((target("ssse3"))) static __m128i unfinished(__m128i input)
    {
        const __m128i limits = _mm_setr_epi8(-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1,
                                             char(0xF0 - 1), char(0xE0 - 1), char(0xC0 - 1));
        return _mm_subs_epu8(input, limits);
    }

    __attribute__((target("ssse3"))) static bool isValid(const uchar *data, qsizetype size)
    {
        __m128i errors = _mm_setzero_si128();
        __m128i previous = _mm_setzero_si128();
        __m128i previousUnfinished = _mm_setzero_si128();
        qsizetype i = 0;
        for (; i + 16 <= size; i += 16) {
            const __m128i input = _mm_loadu_si128(reinterpret_cast<const __m128i *>(data + i));
            if (_mm_movemask_epi8(input) == 0) {
                errors = _mm_or_si128(errors, previousUnfinished);
                previousUnfinished = _mm_setzero_si128();
            } else {
                errors = _mm_or_si128(errors, check(input, previous));
                previousUnfinished = unfinished(input);
            }
            previous = input;
        }
        // The rest, padded with zeros: a sequence still open meets a byte that ends it wrongly.
        alignas(16) uchar last[16] = {};
        if (size > i)
            std::memcpy(last, data + i, size_t(size - i));
        errors =
            _mm_or_si128(errors, check(_mm_load_si128(reinterpret_cast<const __m128i *>(last)), previous));
        return _mm_movemask_epi8(_mm_cmpeq_epi8(errors, _mm_setzero_si128())) == 0xFFFF;
    }
};

#endif

// Every code point that case folding changes, by what it folds to: the members of a folding
// class besides the folded form itself.
const QHash<char32_t, QList<char32_t>> &foldedFrom()
{
    static const QHash<char32_t, QList<char32_t>> classes = [] {
        QHash<char32_t, QList<char32_t>> result;
        for (char32_t c = 0; c <= 0x10FFFF; ++c) {
            if (c >= 0xD800 && c <= 0xDFFF)
                continue;
            const char32_t folded = QChar::toCaseFolded(c);
            if (folded != c)
                result[folded].append(c);
        }
        return result;
    }();
    return classes;
}

QByteArray utf8Of(char32_t c)
{
    return QString::fromUcs4(&c, 1).toUtf8();
}

QByteArray withCaseBit(QByteArray bytes)
{
    for (char &byte : bytes)
        byte = char(byte | 0x20);
    return bytes;
}

} // namespace

CaselessFinder::CaselessFinder(const QString &needle)
    : m_needle(needle)
{
    // Nothing to find, or not valid Unicode (a lone surrogate).
    if (needle.isEmpty() || decode(needle.toUtf8()) != needle)
        return;
    m_bytes = needle.toUtf8();
    m_folded = withCaseBit(m_bytes);
    for (const uint point : needle.toUcs4()) {
        const QByteArray own = withCaseBit(utf8Of(point));
        const char32_t folded = QChar::toCaseFolded(char32_t(point));
        QList<char32_t> members = foldedFrom().value(folded);
        members.append(folded);
        for (const char32_t member : std::as_const(members)) {
            const QByteArray bytes = utf8Of(member);
            if (withCaseBit(bytes) != own && !m_hidden.contains(bytes))
                m_hidden.append(bytes);
        }
    }
}

bool CaselessFinder::matchesAt(const uchar *data, qsizetype size, qsizetype at) const
{
    const qsizetype length = m_bytes.size();
    for (qsizetype i = 0; i < length; ++i)
        if (uchar(data[at + i] | 0x20) != uchar(m_folded[i]))
            return false;
    // Whole characters only; then the comparison itself.
    if (at + length < size && (data[at + length] & 0xC0) == 0x80)
        return false;
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data + at), length);
    return text.compare(m_needle, Qt::CaseInsensitive) == 0;
}

qsizetype CaselessFinder::find(const uchar *data, qsizetype size, qsizetype from) const
{
    const qsizetype length = m_bytes.size();
    if (length == 0)
        return -1;
    qsizetype at = from;
#ifdef ZUN_UTF8_SSE
    // The places whose first and last bytes fit, sixteen at a time.
    const __m128i caseBit = _mm_set1_epi8(0x20);
    const __m128i first = _mm_set1_epi8(m_folded.front());
    const __m128i last = _mm_set1_epi8(m_folded.back());
    for (; at + length - 1 + 16 <= size; at += 16) {
        const __m128i starts =
            _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i *>(data + at)), caseBit);
        const __m128i ends =
            _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i *>(data + at + length - 1)), caseBit);
        unsigned candidates = unsigned(
            _mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(starts, first), _mm_cmpeq_epi8(ends, last))));
        while (candidates) {
            const qsizetype candidate = at + __builtin_ctz(candidates);
            if (matchesAt(data, size, candidate))
                return candidate;
            candidates &= candidates - 1;
        }
    }
#endif
    for (; at + length <= size; ++at)
        if (matchesAt(data, size, at))
            return at;
    return -1;
}

qsizetype findBytes(const uchar *data, qsizetype size, QByteArrayView needle)
{
#ifdef __GLIBC__
    const void *found = memmem(data, size_t(size), needle.data(), size_t(needle.size()));
    return found ? static_cast<const uchar *>(found) - data : -1;
#else
    const auto *bytes = reinterpret_cast<const char *>(data);
    const char *found =
        std::search(bytes, bytes + size, std::boyer_moore_horspool_searcher(needle.begin(), needle.end()));
    return found == bytes + size && !needle.isEmpty() ? -1 : found - bytes;
#endif
}

bool CaselessFinder::hasHiddenVariants(const uchar *data, qsizetype size) const
{
    for (const QByteArray &hidden : m_hidden)
        if (findBytes(data, size, hidden) >= 0)
            return true;
    return false;
}

QString decode(QByteArrayView bytes)
{
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
    return decoder.decode(bytes);
}

bool isValid(const uchar *data, qsizetype size)
{
#ifdef ZUN_UTF8_SSE
    static const bool ssse3 = __builtin_cpu_supports("ssse3");
    if (ssse3)
        return Ssse3Validator::isValid(data, size);
#endif
    return QByteArrayView(data, size).isValidUtf8();
}

qint64 lineUnits(const uchar *data, qsizetype from, qsizetype to)
{
#ifdef ZUN_UTF8_SSE
    return lineUnitsSse2(data, from, to);
#else
    return lineUnitsScalar(data, from, to);
#endif
}

} // namespace core::utf8
