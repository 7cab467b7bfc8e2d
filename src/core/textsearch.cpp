#include "core/textsearch.h"

#include "core/cp1252.h"
#include "core/files.h"
#include "core/rtftext.h"
#include "core/utf8scan.h"

#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QStringDecoder>
#include <optional>

namespace core {

namespace {

constexpr qsizetype kChunk = 4 * 1024 * 1024;
// Documents up to this size are searched on their bytes, read whole.
constexpr qint64 kWholeDocument = 64 * 1024 * 1024;
// The search buffer is shortened once this much lies behind what is still needed.
constexpr qsizetype kTrimAt = 1024 * 1024;

enum class Kind { Utf8, Utf16LE, Utf16BE, Rtf, Cp1252 };

Kind kindOf(const QByteArray &head, qsizetype &skip)
{
    skip = 0;
    if (head.startsWith("\xEF\xBB\xBF")) {
        skip = 3;
        return Kind::Utf8;
    }
    if (head.startsWith("\xFF\xFE")) {
        skip = 2;
        return Kind::Utf16LE;
    }
    if (head.startsWith("\xFE\xFF")) {
        skip = 2;
        return Kind::Utf16BE;
    }
    if (head.startsWith("{\\rtf"))
        return Kind::Rtf;
    return Kind::Utf8;
}

// The decoder for what follows the byte-order mark: a U+FEFF there is the document's own
// character, counted as the search on the bytes counts it, not a second mark to drop.
QStringDecoder decoderAfterMark(Kind kind)
{
    return QStringDecoder(kind == Kind::Utf16LE   ? QStringConverter::Utf16LE
                          : kind == Kind::Utf16BE ? QStringConverter::Utf16BE
                                                  : QStringConverter::Utf8,
                          QStringConverter::Flag::ConvertInitialBom);
}

// Feeds a whole document through `scanner` in the given reading; false on a read error, and
// `invalid` set when a UTF-8 reading met bytes that are no UTF-8.
bool readAs(QFile &file, Kind kind, qsizetype skip, TextScanner &scanner, bool &invalid,
            const std::atomic<bool> *cancel)
{
    invalid = false;
    if (!file.seek(skip))
        return false;
    QStringDecoder decoder = decoderAfterMark(kind);
    RtfText rtf([&scanner](QStringView text) { scanner.feed(text); });
    QByteArray chunk(kChunk, Qt::Uninitialized);
    for (;;) {
        if (cancel && cancel->load(std::memory_order_relaxed))
            return true;
        const qint64 got = file.read(chunk.data(), kChunk);
        if (got < 0)
            return false;
        if (got == 0)
            break;
        const QByteArrayView bytes(chunk.constData(), qsizetype(got));
        switch (kind) {
        case Kind::Rtf:
            rtf.feed(bytes.data(), bytes.size());
            break;
        case Kind::Cp1252:
            scanner.feed(decodeCp1252(bytes.toByteArray()));
            break;
        default: {
            const QString text = decoder.decode(bytes);
            if (kind == Kind::Utf8 && decoder.hasError()) {
                invalid = true;
                return true;
            }
            scanner.feed(text);
        }
        }
    }
    if (kind == Kind::Rtf)
        rtf.finish();
    else if (kind != Kind::Cp1252) {
        const QString rest = decoder.decode(QByteArrayView());
        if (kind == Kind::Utf8 && decoder.hasError()) { // a sequence cut off at the end
            invalid = true;
            return true;
        }
        scanner.feed(rest);
    }
    scanner.finish();
    return true;
}

bool isLineEnd(uchar c)
{
    return c == '\n' || c == '\r';
}

// The line of the hit at data[at] as the text reading cuts it, data[begin, end); false for a
// line too long for that (the text reading then cuts it in blocks). data[0] is the document's
// start or lies at least kLineContext bytes before the hit.
bool shortLineAround(const uchar *data, qsizetype n, qsizetype at, qsizetype &begin, qsizetype &end)
{
    begin = at;
    while (begin > 0 && at - begin < kLineContext && !isLineEnd(data[begin - 1]))
        --begin;
    if ((begin > 0 && !isLineEnd(data[begin - 1])) || at - begin >= kLineContext - 1)
        return false;
    end = at;
    while (end < n && end - begin < 2 * kLineContext && !isLineEnd(data[end]))
        ++end;
    return end == n || isLineEnd(data[end]);
}

// Collects the hits whole, as the tests and the benchmark want them.
class Collector : public TextHitSink
{
public:
    Collector(DisplayLine displayLine, QList<TextHit> &hits)
        : m_displayLine(std::move(displayLine))
        , m_hits(hits)
        , m_first(hits.size())
    {}
    void hitAt(qint64, qint64) override {} // never called: lines are wanted
    void hitInLine(qint64 position, const QString &line, qsizetype column) override
    {
        m_hits.append({position, m_displayLine ? m_displayLine(line, column) : line});
    }
    void restart() override { m_hits.resize(m_first); }
    bool wantsLines() const override { return true; }

private:
    DisplayLine m_displayLine;
    QList<TextHit> &m_hits;
    qsizetype m_first;
};

// A search of a valid UTF-8 document on its bytes: no decoding but of the hits' lines. None
// when the document is not one for it (not valid UTF-8, a line too long to cut as the text
// reading does, a case variant the caseless byte search cannot see); the caller then reads it
// as text.
std::optional<bool> searchUtf8Bytes(QFile &file, qsizetype skip, const QString &needle,
                                    TextSearchOptions options, TextHitSink &sink,
                                    const std::atomic<bool> *cancel)
{
    const qint64 size = file.size();
    // The document is held whole, read in pieces into one buffer. Not mapped: a file cut short by
    // another program while mapped would end the process. A larger document is streamed by the
    // text reading, so what is held stays bounded. One buffer per thread, kept from document to
    // document.
    if (size <= skip || size > kWholeDocument)
        return std::nullopt;
    const QByteArray word = needle.toUtf8();
    const utf8::CaselessFinder caseless(options.matchCase ? QString() : needle);
    if (!options.matchCase && !caseless.isUsable())
        return std::nullopt;
    thread_local QByteArray whole;
    whole.resize(qsizetype(size));
    const auto release = qScopeGuard([] {
        if (whole.size() > kChunk)
            whole = QByteArray();
    });
    if (!file.seek(0))
        return std::nullopt;
    const uchar *data = reinterpret_cast<const uchar *>(whole.constData()) + skip;
    const qsizetype n = qsizetype(size) - skip;
    bool given = false;
    // Not a document for this search after all: the text reading takes it from its start.
    auto handOver = [&]() -> std::optional<bool> {
        if (given)
            sink.restart();
        return std::nullopt;
    };
    // The hits are searched while the document is read and checked a piece at a time, so that the
    // first come before the whole is read: data[0, checked) is read, valid UTF-8 and without the
    // case variants the caseless search cannot see, and ends where a character begins. False when
    // the next piece cannot be read or fails the checks.
    qint64 readEnd = 0;
    qsizetype checked = 0;
    auto readMore = [&]() -> bool {
        const qint64 want = std::min<qint64>(size, readEnd + kChunk);
        if (file.read(whole.data() + readEnd, want - readEnd) != want - readEnd)
            return false;
        readEnd = want;
        // A character cut off by the piece's end waits for the next piece.
        qsizetype boundary = qsizetype(readEnd) - skip;
        if (boundary < n) {
            --boundary;
            while (boundary > checked && (data[boundary] & 0xC0) == 0x80)
                --boundary;
        }
        boundary = std::max(boundary, checked);
        if (!utf8::isValid(data + checked, boundary - checked))
            return false;
        if (!options.matchCase && caseless.hasHiddenVariants(data + checked, boundary - checked))
            return false;
        checked = boundary;
        return true;
    };
    // A hit is taken once what its checks and its line look at is checked.
    const qsizetype margin = word.size() + 4 + 2 * kLineContext;
    auto findFrom = [&](qsizetype from) -> qsizetype {
        if (checked - from < word.size())
            return -1;
        if (!options.matchCase)
            return caseless.find(data, checked, from);
        const qsizetype found = utf8::findBytes(data + from, checked - from, word);
        return found < 0 ? -1 : from + found;
    };
    if (!readMore())
        return handOver();
    const bool lines = sink.wantsLines();
    auto wordCharacter = [](const QString &text, bool last) {
        if (text.isEmpty())
            return false;
        const QChar c = last ? text.back() : text.front();
        return c.isLetterOrNumber() || c == u'_';
    };
    qint64 units = 0;
    qsizetype counted = 0;
    qsizetype from = 0;
    while (from <= n - word.size()) {
        if (cancel && cancel->load(std::memory_order_relaxed))
            return true;
        const qsizetype at = findFrom(from);
        if (checked < n && (at < 0 || at + margin > checked)) {
            // Only a hit across the end of what is checked can begin before it.
            if (at < 0)
                from = std::max(from, checked - word.size() + 1);
            if (!readMore())
                return handOver();
            continue;
        }
        if (at < 0)
            break;
        const qsizetype after = at + word.size();
        if (options.wholeWords) {
            qsizetype before = at;
            while (before > 0 && (data[before - 1] & 0xC0) == 0x80)
                --before;
            if (before > 0)
                --before;
            while (before > 0 && (data[before] & 0xC0) == 0x80)
                --before;
            qsizetype next = after;
            if (next < n)
                ++next;
            while (next < n && (data[next] & 0xC0) == 0x80)
                ++next;
            const auto *bytes = reinterpret_cast<const char *>(data);
            if (wordCharacter(QString::fromUtf8(bytes + before, at - before), true) ||
                wordCharacter(QString::fromUtf8(bytes + after, next - after), false)) {
                from = at + 1;
                continue;
            }
        }
        // The line as the text reading cuts it: whole when it is short enough.
        qsizetype begin = 0, end = 0;
        if (!shortLineAround(data, n, at, begin, end))
            return handOver();
        units += utf8::lineUnits(data, counted, at);
        counted = at;
        if (lines) {
            const QString line = utf8::decode(QByteArrayView(data + begin, end - begin));
            sink.hitInLine(units, line, qsizetype(utf8::lineUnits(data, begin, at)));
        } else {
            sink.hitAt(units, skip + at);
        }
        given = true;
        from = after;
    }
    // The rest is checked too: a byte that is no UTF-8 after the last hit still makes the
    // document one of Windows-1252.
    while (checked < n) {
        if (cancel && cancel->load(std::memory_order_relaxed))
            return true;
        if (!readMore())
            return handOver();
    }
    return true;
}

} // namespace

TextScanner::TextScanner(const QString &needle, TextSearchOptions options, TextHitSink &sink,
                         const std::atomic<bool> *cancel)
    : m_needle(needle)
    , m_options(options)
    , m_sink(sink)
    , m_cancel(cancel)
    , m_matcher(needle, options.matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive)
{}

TextScanner::TextScanner(const QString &needle, TextSearchOptions options, DisplayLine displayLine,
                         QList<TextHit> &hits, const std::atomic<bool> *cancel)
    : m_collector(std::make_unique<Collector>(std::move(displayLine), hits))
    , m_needle(needle)
    , m_options(options)
    , m_sink(*m_collector)
    , m_cancel(cancel)
    , m_matcher(needle, options.matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive)
{}

TextScanner::~TextScanner() = default;

void TextScanner::restart()
{
    m_sink.restart();
    m_buffer.clear();
    m_base = 0;
    m_from = 0;
    m_afterCr = false;
    m_pending.clear();
}

void TextScanner::feed(QStringView text)
{
    if (text.isEmpty())
        return;
    // Every line end becomes one "\n": "\r\n" (also when split between pieces), "\r" and "\n".
    qsizetype start = 0;
    if (m_afterCr && text.front() == u'\n')
        start = 1;
    m_afterCr = false;
    for (;;) {
        const qsizetype cr = text.indexOf(u'\r', start);
        if (cr < 0) {
            m_buffer += text.mid(start);
            break;
        }
        m_buffer += text.mid(start, cr - start);
        m_buffer += u'\n';
        if (cr + 1 == text.size()) {
            m_afterCr = true;
            break;
        }
        start = text[cr + 1] == u'\n' ? cr + 2 : cr + 1;
        if (start >= text.size())
            break;
    }
    scan(false);
    resolve(false);
    trim();
}

void TextScanner::finish()
{
    scan(true);
    resolve(true);
}

bool TextScanner::isWordCharacter(qsizetype index) const
{
    if (index < 0 || index >= m_buffer.size())
        return false;
    const QChar c = m_buffer[index];
    return c.isLetterOrNumber() || c == u'_';
}

void TextScanner::scan(bool final)
{
    const qsizetype length = m_needle.size();
    if (length == 0)
        return;
    for (;;) {
        if (m_cancel && m_cancel->load(std::memory_order_relaxed))
            return;
        const qsizetype at = m_matcher.indexIn(m_buffer, m_from);
        if (at < 0) {
            // A hit may still begin in the last length - 1 characters.
            m_from = std::max(m_from, m_buffer.size() - length + 1);
            return;
        }
        // Whole words need the character after the hit.
        if (m_options.wholeWords && at + length >= m_buffer.size() && !final) {
            m_from = at;
            return;
        }
        if (m_options.wholeWords && (isWordCharacter(at - 1) || isWordCharacter(at + length))) {
            m_from = at + 1;
            continue;
        }
        m_pending.append(m_base + at);
        m_from = at + length;
    }
}

void TextScanner::resolve(bool final)
{
    qsizetype done = 0;
    for (const qint64 position : std::as_const(m_pending)) {
        if (m_cancel && m_cancel->load(std::memory_order_relaxed)) {
            m_pending.clear();
            return;
        }
        const qsizetype at = qsizetype(position - m_base);
        // The line from its start; a longer one from the start of the block holding the hit.
        const qsizetype floor = std::max<qsizetype>(0, at - kLineContext);
        const qsizetype newline = QStringView(m_buffer).sliced(floor, at - floor).lastIndexOf(u'\n');
        qsizetype begin = floor + newline + 1;
        if (newline < 0 && (floor > 0 || m_base > 0))
            begin = qsizetype(position - position % kLineContext - m_base);
        const qsizetype limit = std::min(m_buffer.size(), begin + 2 * kLineContext);
        qsizetype end = m_buffer.indexOf(u'\n', at);
        if (end < 0 || end > limit) {
            if (limit < begin + 2 * kLineContext && !final)
                break; // the line goes on in text not read yet
            end = limit;
        }
        m_sink.hitInLine(position, m_buffer.mid(begin, end - begin), at - begin);
        ++done;
    }
    m_pending.remove(0, done);
}

void TextScanner::trim()
{
    // Kept: the line context before the search point (and before the first pending hit).
    qsizetype keep = m_from - kLineContext - 1;
    if (!m_pending.isEmpty())
        keep = std::min(keep, qsizetype(m_pending.front() - m_base) - kLineContext - 1);
    if (keep < kTrimAt)
        return;
    m_buffer.remove(0, keep);
    m_base += keep;
    m_from -= keep;
}

bool searchDocument(const QString &path, const QString &needle, TextSearchOptions options,
                    const DisplayLine &displayLine, QList<TextHit> &hits, const std::atomic<bool> *cancel)
{
    Collector collector(displayLine, hits);
    return searchDocument(path, needle, options, collector, cancel);
}

bool searchDocument(const QString &path, const QString &needle, TextSearchOptions options, TextHitSink &sink,
                    const std::atomic<bool> *cancel)
{
    // Only a regular file is opened: a FIFO or a device would block or never end.
    const QString host = hostPath(path);
    if (!QFileInfo(host).isFile())
        return false;
    QFile file(host);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = file.peek(8);
    qsizetype skip = 0;
    const Kind kind = kindOf(head, skip);
    if (kind == Kind::Utf8 && !needle.isEmpty() && !needle.contains(u'\r') && !needle.contains(u'\n')) {
        if (const std::optional<bool> read = searchUtf8Bytes(file, skip, needle, options, sink, cancel))
            return *read;
    }
    TextScanner scanner(needle, options, sink, cancel);
    bool invalid = false;
    if (!readAs(file, kind, skip, scanner, invalid, cancel))
        return false;
    if (!invalid)
        return true;
    scanner.restart();
    return readAs(file, Kind::Cp1252, skip, scanner, invalid, cancel);
}

bool HitLineReader::read(const QString &path, qint64 offset, QString &line, qsizetype &column)
{
    if (path != m_path || !m_file.isOpen()) {
        close();
        m_file.setFileName(hostPath(path));
        if (!m_file.open(QIODevice::ReadOnly))
            return false;
        m_path = path;
        const Kind kind = kindOf(m_file.peek(8), m_skip);
        if (kind != Kind::Utf8)
            m_skip = 0;
    }
    // What the search looked at around the hit: a short line is whole in here.
    const qint64 from = std::max<qint64>(m_skip, offset - kLineContext);
    const qint64 size = std::min<qint64>(m_file.size(), offset + 2 * kLineContext) - from;
    if (offset < from || offset >= from + size || !m_file.seek(from))
        return false;
    const QByteArray bytes = m_file.read(size);
    if (bytes.size() != size)
        return false;
    const auto *data = reinterpret_cast<const uchar *>(bytes.constData());
    const qsizetype at = qsizetype(offset - from);
    qsizetype begin = 0, end = 0;
    if (!shortLineAround(data, bytes.size(), at, begin, end))
        return false;
    line = utf8::decode(QByteArrayView(data + begin, end - begin));
    column = qsizetype(utf8::lineUnits(data, begin, at));
    return true;
}

void HitLineReader::close()
{
    m_file.close();
    m_path.clear();
}

QString documentText(const QByteArray &bytes)
{
    qsizetype skip = 0;
    const Kind kind = kindOf(bytes.left(8), skip);
    QString text;
    if (kind == Kind::Rtf) {
        text = RtfText::toText(bytes);
    } else {
        QStringDecoder decoder = decoderAfterMark(kind);
        text = decoder.decode(QByteArrayView(bytes).sliced(skip));
        if (kind == Kind::Utf8 && decoder.hasError())
            text = decodeCp1252(bytes);
    }
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

} // namespace core
