#pragma once
// The search of the text-file search tool, without its window: a document's text as the
// tool sees it (an RTF document's displayed text; other files as UTF-8 when they are valid
// UTF-8 and as Windows-1252 otherwise, a byte-order mark honoured), every line end counted as
// one character, and the hits of a search text in it, not overlapping, in order. Documents
// are read as a stream: neither a large file nor a long line is held whole.

#include <QFile>
#include <QList>
#include <QString>
#include <QStringMatcher>
#include <atomic>
#include <functional>
#include <memory>

namespace core {

struct TextSearchOptions
{
    bool wholeWords = false; // "Kun hele ord"
    bool matchCase = false;  // "Forskel på store og små bogstaver"
};

struct TextHit
{
    qint64 position = 0; // in the document's text, each line end one character
    QString text;        // the line holding the hit (see DisplayLine)
    bool operator==(const TextHit &) const = default;
};

// Cuts the line shown for a hit out of the hit's line (`line`) given the hit's place in it;
// none keeps the whole line. Hits on one line get the same `line`, so a cutter may keep its
// last layout.
using DisplayLine = std::function<QString(const QString &line, qsizetype column)>;

// A line longer than this is handed over in blocks: from the block of this many characters
// that holds the hit, at most twice as many.
inline constexpr qsizetype kLineContext = 1024;

// Where a search hands its hits, in document order, as it finds them.
class TextHitSink
{
public:
    virtual ~TextHitSink() = default;
    // A hit of a document searched on its bytes: `offset` is the hit's first byte in the file,
    // from which HitLineReader reads its line again. Nothing of the line is held meanwhile.
    virtual void hitAt(qint64 position, qint64 offset) = 0;
    // A hit with its line (see kLineContext) and its place in the line.
    virtual void hitInLine(qint64 position, const QString &line, qsizetype column) = 0;
    // The document is read again from its start: the hits it gave so far are void.
    virtual void restart() = 0;
    // True to have every hit with its line, also where it could be read again later.
    virtual bool wantsLines() const { return false; }
};

class TextScanner
{
public:
    // `cancel`, when set, ends the scan early.
    TextScanner(const QString &needle, TextSearchOptions options, TextHitSink &sink,
                const std::atomic<bool> *cancel = nullptr);
    // The hits collected whole, lines cut by `displayLine`.
    TextScanner(const QString &needle, TextSearchOptions options, DisplayLine displayLine,
                QList<TextHit> &hits, const std::atomic<bool> *cancel = nullptr);
    ~TextScanner();

    // Text of the document in order, line ends as they were ("\r\n", "\r" or "\n").
    void feed(QStringView text);
    void finish();
    // Back to the start of a document, the hits found so far in it taken back.
    void restart();

private:
    void scan(bool final);
    void resolve(bool final);
    void trim();
    bool isWordCharacter(qsizetype index) const;

    std::unique_ptr<TextHitSink> m_collector;
    QString m_needle;
    TextSearchOptions m_options;
    TextHitSink &m_sink;
    const std::atomic<bool> *m_cancel;
    QStringMatcher m_matcher;
    QString m_buffer;
    qint64 m_base = 0;    // document position of m_buffer[0]
    qsizetype m_from = 0; // where the search goes on in m_buffer
    bool m_afterCr = false;
    QList<qint64> m_pending; // hits whose line end is not read yet
};

// Searches one document (a program path) for `needle`, handing its hits to `sink`. False when
// the document cannot be opened or read; hits given before a read error stay. `cancel`, when
// set, ends the search early.
bool searchDocument(const QString &path, const QString &needle, TextSearchOptions options, TextHitSink &sink,
                    const std::atomic<bool> *cancel = nullptr);
// The same with the hits collected whole, lines cut by `displayLine`.
bool searchDocument(const QString &path, const QString &needle, TextSearchOptions options,
                    const DisplayLine &displayLine, QList<TextHit> &hits,
                    const std::atomic<bool> *cancel = nullptr);

// Reads the line of a hit that a search gave by its byte offset (TextHitSink::hitAt) again, as
// the search would have given it. Keeps the last document open for the next hit in it.
class HitLineReader
{
public:
    // False when the document cannot be read there any more (gone, or cut short).
    bool read(const QString &path, qint64 offset, QString &line, qsizetype &column);
    void close();

private:
    QString m_path;
    QFile m_file;
    qsizetype m_skip = 0;
};

// The whole text of a document as searchDocument sees it, line ends as one "\n" each; for
// small documents and tests.
QString documentText(const QByteArray &bytes);

} // namespace core
