#pragma once
// The content of the properties window: the file page's type line and picture, time and count
// texts, the drive page's bar, "Anvend" on a file's attributes, and the count of a folder's tree
// off the UI thread. TFilMappeDrevInfo (metodecompo.h) fills the window with these; its methods
// live in filinfo.cpp.

#include <QFuture>
#include <QList>
#include <QLocale>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

class QTimer;

namespace filinfo {

// The extension of a file name in lower case without its dot; "" when it has none.
QString extensionOf(const QString &filnavn);
// "Tekstfil: " for "txt"; "" for a kind without a text of its own.
QString typeText(const QString &ext);
// `LabelFiltype`: "Tekstfil: TXT-fil (.txt)"; "-fil (.)" for a file without extension.
QString fileTypeLine(const QString &ext);
// The picture of the program's own a kind falls back on when it has no icon file of its own:
// "film", "musik", "billeder" or "ukendt".
QString fallbackIcon(const QString &ext);
// A time as the user writes short dates and times.
QString timeText(qint64 secondsSince1970, const QLocale &locale = QLocale());
// `LabelMappeIndhold`: "1.234 filer, 5 mapper".
QString contentText(qint64 filer, qint64 mapper, const QLocale &locale = QLocale());
// The drive bar: Round(used × 100 / capacity), halves to the even number; 100 when there is no
// capacity.
int usedPercent(quint64 used, quint64 capacity);

struct Attributes
{
    bool readOnly = false;
    bool hidden = false;
};
// Read-only and hidden of a file as they are now; none when they cannot be read.
std::optional<Attributes> attributesOf(const QString &filnavn);
// "Anvend": when the file exists, its read-only and hidden bits are set or cleared as given and
// the other bits written back as they were; an error is told to the user. The file's state
// afterwards, for the check boxes; none when there is no such file.
std::optional<Attributes> applyAttributes(const QString &filnavn, bool readOnly, bool hidden);

struct FolderFigures
{
    qint64 bytes = 0;
    qint64 files = 0;
    qint64 folders = 0;
    bool operator==(const FolderFigures &) const = default;
};

// Counts the files, bytes and folders below a folder on a pool thread, by the one walk of
// fileops/foldertree.h (links to folders counted, not entered; an unreadable folder passed over).
class FolderCount : public QObject
{
    Q_OBJECT
public:
    // Called on this object's thread: with growing figures while the walk goes on, at most
    // every kIntervalMs, and once more with `done` when it has ended.
    using Report = std::function<void(const FolderFigures &figures, bool done)>;
    static constexpr int kIntervalMs = 50;

    explicit FolderCount(QObject *parent = nullptr);
    // Stops the walks and waits for them: they read the platform, which may go next.
    ~FolderCount() override;

    // Stops any walk going and starts one below `folder`.
    void start(const QString &folder, Report whenCounted);
    // Stops the walk; nothing is reported after this.
    void cancel();
    bool isRunning() const;
    // The walk started last together with its last report: finished once the walk has ended and
    // the end was told (or the count cancelled). Waited for with the event loop running (tests).
    QFuture<void> settled() const { return m_settled; }

private:
    struct State;
    static void walkTree(const QString &top, State &state);
    void report(bool done);

    std::shared_ptr<State> m_state;
    Report m_report;
    FolderFigures m_reported;
    QTimer *m_timer;
    QFuture<void> m_settled;
    QList<QFuture<void>> m_walks; // the walks, cancelled ones too, that may still be going
};

} // namespace filinfo
