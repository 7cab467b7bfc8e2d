#include "core/linefile.h"

#include "core/messages.h"

#include "core/cp1252.h"
#include "core/files.h"
#include "core/utf8scan.h"
#include "platform/Platform.h"

#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QSaveFile>
#include <QStringDecoder>
#include <algorithm>
#include <cstdint>
#include <set>
#include <utility>

namespace core {

namespace {

const QByteArray kUtf8Bom("\xEF\xBB\xBF");

// Files that exist but could not be read (too large, unreadable): whatever list stood in for their
// contents must never be written over them, under whatever name (a link, another drive letter),
// so they are known by their identity. Reads and writes may come from several threads.
QMutex refusedMutex;
std::set<std::pair<std::uint64_t, std::uint64_t>> refusedFiles;

std::optional<std::pair<std::uint64_t, std::uint64_t>> identityOf(const QString &path)
{
    platform::ElementId id;
    if (!platform::current().elementId(path.toStdU16String(), id))
        return std::nullopt;
    return std::pair{id.volume, id.index};
}

std::optional<QStringList> refuse(const QString &path)
{
    if (const auto identity = identityOf(path)) {
        const QMutexLocker lock(&refusedMutex);
        refusedFiles.insert(*identity);
    }
    return std::nullopt;
}

bool anyRefused()
{
    const QMutexLocker lock(&refusedMutex);
    return !refusedFiles.empty();
}

// The file at `path` (an existing one) was refused when last read. No look at the disk while
// nothing was ever refused, which is always but for the rare oversized file.
bool isRefused(const QString &path)
{
    if (!anyRefused())
        return false;
    const auto identity = identityOf(path);
    const QMutexLocker lock(&refusedMutex);
    return identity && refusedFiles.count(*identity) > 0;
}

void forgetRefusal(const QString &path)
{
    if (!anyRefused())
        return;
    if (const auto identity = identityOf(path)) {
        const QMutexLocker lock(&refusedMutex);
        refusedFiles.erase(*identity);
    }
}

constexpr char16_t kEscape = 0xE000;
constexpr char16_t kCrMark = 0xE00D;
constexpr char16_t kLfMark = 0xE00A;

bool isMarked(QChar c)
{
    const char16_t u = c.unicode();
    return u == u'\r' || u == u'\n' || u == kEscape || u == kCrMark || u == kLfMark;
}

QString markBreaks(const QString &value)
{
    if (std::none_of(value.begin(), value.end(), isMarked))
        return value;
    QString marked;
    marked.reserve(value.size() + 8);
    for (const QChar c : value) {
        if (c == u'\r') {
            marked += QChar(kCrMark);
        } else if (c == u'\n') {
            marked += QChar(kLfMark);
        } else {
            if (isMarked(c))
                marked += QChar(kEscape);
            marked += c;
        }
    }
    return marked;
}

QString unmarkBreaks(QStringView line)
{
    const auto isMark = [](QChar c) {
        return c.unicode() == kEscape || c.unicode() == kCrMark || c.unicode() == kLfMark;
    };
    if (std::none_of(line.begin(), line.end(), isMark))
        return line.toString();
    QString value;
    value.reserve(line.size());
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line.at(i);
        if (c.unicode() == kEscape && i + 1 < line.size())
            value += line.at(++i);
        else if (c.unicode() == kCrMark)
            value += u'\r';
        else if (c.unicode() == kLfMark)
            value += u'\n';
        else
            value += c;
    }
    return value;
}

bool startsLikeBom(const QByteArray &bytes)
{
    return bytes.startsWith(kUtf8Bom) || bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF");
}

// Bytes without a mark that Linux editors would have written: valid UTF-8 with at least one
// byte above 127. Pure ASCII reads the same either way.
bool isUnmarkedUtf8(const QByteArray &bytes)
{
    const auto *data = reinterpret_cast<const uchar *>(bytes.constData());
    return std::any_of(data, data + bytes.size(), [](uchar b) { return b > 127; }) &&
           utf8::isValid(data, bytes.size());
}

// After the mark, a U+FEFF is a value's own first character: the decoders must not drop it as a
// second mark.
QString decodeText(const QByteArray &bytes)
{
    if (bytes.startsWith(kUtf8Bom))
        return utf8::decode(QByteArrayView(bytes).sliced(3));
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        QStringDecoder decoder(bytes.startsWith("\xFF\xFE") ? QStringConverter::Utf16LE
                                                            : QStringConverter::Utf16BE,
                               QStringConverter::Flag::ConvertInitialBom);
        return decoder(QByteArrayView(bytes).sliced(2));
    }
    if (isUnmarkedUtf8(bytes))
        return utf8::decode(bytes);
    return decodeCp1252(bytes);
}

// UTF-16 little-endian with its mark: the one form that holds a lone surrogate (a Windows file
// name may have one), which UTF-8 would turn into "?".
QByteArray encodeUtf16(const QString &text)
{
    QByteArray bytes("\xFF\xFE");
    bytes.reserve(2 + 2 * text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        bytes.append(char(u & 0xFF));
        bytes.append(char(u >> 8));
    }
    return bytes;
}

} // namespace

QStringList decodeLines(const QByteArray &bytes)
{
    const QString text = decodeText(bytes);
    const QStringView view(text);
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(unmarkBreaks(view.sliced(start, i - start)));
        if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.append(unmarkBreaks(view.sliced(start)));
    return lines;
}

QByteArray encodeLines(const QStringList &lines)
{
    QString text;
    for (const QString &line : lines) {
        text += markBreaks(line);
        text += u"\r\n";
    }
    bool exact = false;
    const QByteArray bytes = encodeCp1252(text, &exact);
    // Windows-1252 that would read back as UTF-8 ("Ã¸") is written as UTF-8 with a mark too.
    if (exact && !startsLikeBom(bytes) && !isUnmarkedUtf8(bytes))
        return bytes;
    if (!text.isValidUtf16())
        return encodeUtf16(text);
    return kUtf8Bom + text.toUtf8();
}

std::optional<QStringList> readLines(const QString &path)
{
    const QString host = hostPath(path);
    if (host.isEmpty())
        return std::nullopt;
    // A device or FIFO would block or never end: only a regular file is opened.
    const QFileInfo info(host);
    if (!info.isFile())
        return std::nullopt;
    if (info.size() > kMaxLineFileBytes)
        return refuse(path);
    QFile file(host);
    if (!file.open(QIODevice::ReadOnly))
        return refuse(path);
    // Bounded even if the file was swapped or grew since it was looked at.
    const QByteArray bytes = file.read(kMaxLineFileBytes + 1);
    if (bytes.size() > kMaxLineFileBytes || file.error() != QFileDevice::NoError)
        return refuse(path);
    forgetRefusal(path);
    return decodeLines(bytes);
}

bool writeLines(const QString &path, const QStringList &lines)
{
    const QString host = hostPath(path);
    if (host.isEmpty())
        return false;
    const QFileInfo existing(host);
    if (existing.exists() && (!existing.isFile() || isRefused(path)))
        return false;
    // Unbuffered, so a failed write (a full disk) shows in write()'s result and not only in a
    // flush that commit() would not report.
    QSaveFile file(host);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    const QByteArray bytes = encodeLines(lines);
    if (file.write(bytes) != bytes.size() || !file.flush() || file.error() != QFileDevice::NoError) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool wasRefused(const QString &path)
{
    const QString host = hostPath(path);
    return !host.isEmpty() && QFileInfo::exists(host) && isRefused(path);
}

std::optional<QStringList> readLinesOrSay(const QString &path)
{
    std::optional<QStringList> lines = readLines(path);
    if (!lines && wasRefused(path))
        messages::inform(refusedMessage(path));
    return lines;
}

QString refusedMessage(const QString &path)
{
    const QFileInfo info(hostPath(path));
    const QString why = info.size() > kMaxLineFileBytes ? "den er større end 16 MB" : "den kunne ikke åbnes";
    return "Filen \"" + path + "\" kunne ikke læses, fordi " + why +
           ".\rFilen bliver ikke ændret, så intet af den går tabt.";
}

bool writeLinesOrSay(const QString &path, const QStringList &lines)
{
    if (writeLines(path, lines))
        return true;
    if (wasRefused(path)) {
        messages::inform(refusedMessage(path));
        return false;
    }
    messages::inform("Filen \"" + path +
                     "\" kunne ikke gemmes.\rDen tidligere udgave af filen er bevaret.\r");
    return false;
}

} // namespace core
