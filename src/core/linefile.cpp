#include "core/linefile.h"

#include "core/cp1252.h"
#include "core/files.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

namespace core {

namespace {

QString decodeText(const QByteArray &bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.constData() + 3, bytes.size() - 3);
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        QStringDecoder decoder(bytes.startsWith("\xFF\xFE") ? QStringConverter::Utf16LE
                                                            : QStringConverter::Utf16BE);
        return decoder(bytes.mid(2));
    }
    return decodeCp1252(bytes);
}

} // namespace

QStringList decodeLines(const QByteArray &bytes)
{
    const QString text = decodeText(bytes);
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.append(text.mid(start));
    return lines;
}

QByteArray encodeLines(const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines) {
        bytes += encodeCp1252(line);
        bytes += "\r\n";
    }
    return bytes;
}

std::optional<QStringList> readLines(const QString &path)
{
    QFile file(hostPath(path));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return decodeLines(file.readAll());
}

bool writeLines(const QString &path, const QStringList &lines)
{
    const QString host = hostPath(path);
    if (host.isEmpty())
        return false;
    QSaveFile file(host);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = encodeLines(lines);
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace core
