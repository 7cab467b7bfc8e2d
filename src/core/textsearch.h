#pragma once
// The search of the text-file search tool, without its window: a document's text as the
// tool sees it (an RTF document's displayed text; other files as UTF-8 when they are valid
// UTF-8 and as Windows-1252 otherwise, a byte-order mark honoured), every line end counted as
// one character, and the hits of a search text in it, not overlapping, in order. Documents
// are read as a stream: neither a large file nor a long line is held whole.

#include <QList>
#include <QString>
#include <QStringMatcher>
#include <atomic>
#include <functional>

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

class TextScanner
{
public:
    // `cancel`, when set, ends the scan early.
    TextScanner(const QString &needle, TextSearchOptions options, DisplayLine displayLine,
                QList<TextHit> &hits, const std::atomic<bool> *cancel = nullptr);

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

    QString m_needle;
    TextSearchOptions m_options;
    DisplayLine m_displayLine;
    QList<TextHit> &m_hits;
    const std::atomic<bool> *m_cancel;
    qsizetype m_firstHit;
    QStringMatcher m_matcher;
    QString m_buffer;
    qint64 m_base = 0;    // document position of m_buffer[0]
    qsizetype m_from = 0; // where the search goes on in m_buffer
    bool m_afterCr = false;
    QList<qint64> m_pending; // hits whose line end is not read yet
};

// Searches one document (a program path) for `needle`, appending its hits. False when the
// document cannot be opened or read; hits found before a read error are kept. `cancel`, when
// set, ends the search early.
bool searchDocument(const QString &path, const QString &needle, TextSearchOptions options,
                    const DisplayLine &displayLine, QList<TextHit> &hits,
                    const std::atomic<bool> *cancel = nullptr);

// The whole text of a document as searchDocument sees it, line ends as one "\n" each; for
// small documents and tests.
QString documentText(const QByteArray &bytes);

} // namespace core
