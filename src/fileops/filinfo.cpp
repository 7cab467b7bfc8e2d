#include "fileops/filinfo.h"

#include "fileops/foldertree.h"

#include "core/files.h"
#include "core/messages.h"
#include "core/paths.h"
#include "core/sizetext.h"
#include "fileops/metodecompo.h"
#include "platform/Platform.h"
#include "structures/strukturcompo.h"

#include <QDateTime>
#include <QTimer>
#include <QtConcurrent/QtConcurrentRun>
#include <atomic>
#include <cmath>
#include <vector>

namespace filinfo {

namespace {

bool oneOf(const QString &ext, std::initializer_list<const char *> kinds)
{
    for (const char *kind : kinds) {
        if (ext == QLatin1String(kind))
            return true;
    }
    return false;
}

bool isFilm(const QString &ext)
{
    return oneOf(ext, {"mp4", "m4v", "avi", "mov", "wmv", "mpg", "ts"});
}

bool isMusik(const QString &ext)
{
    return oneOf(ext, {"mp3", "m4a"});
}

bool isBillede(const QString &ext)
{
    return oneOf(ext, {"bmp", "jpg", "ico", "gif", "png", "jpeg", "tif", "tiff", "emf", "wmf"});
}

} // namespace

QString extensionOf(const QString &filnavn)
{
    const QString name = core::nameOf(filnavn);
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot < 0 ? QString() : name.mid(dot + 1).toLower();
}

QString typeText(const QString &ext)
{
    if (isFilm(ext))
        return QStringLiteral("Videofil: ");
    if (isMusik(ext))
        return QStringLiteral("Musikfil: ");
    if (isBillede(ext))
        return QStringLiteral("Billedfil: ");
    static const std::pair<const char *, const char *> texts[] = {
        {"txt", "Tekstfil: "},          {"html", "Webfil: "},         {"htm", "Webfil: "},
        {"js", "Scriptfil: "},          {"css", "Stylesheet: "},      {"vbs", "Scriptfil: "},
        {"wsf", "Window script fil: "}, {"asp", "Webfil: "},          {"inc", "Includefil: "},
        {"bat", "Batchfil: "},          {"pas", "Delphi-kildefil: "}, {"lnk", "Genvej: "},
    };
    for (const auto &[kind, text] : texts) {
        if (ext == QLatin1String(kind))
            return QString::fromUtf8(text);
    }
    return QString();
}

QString fileTypeLine(const QString &ext)
{
    return typeText(ext) + ext.toUpper() + "-fil " + "(." + ext + ")";
}

QString fallbackIcon(const QString &ext)
{
    if (isFilm(ext))
        return QStringLiteral("film");
    if (isMusik(ext))
        return QStringLiteral("musik");
    if (isBillede(ext))
        return QStringLiteral("billeder");
    return QStringLiteral("ukendt");
}

QString timeText(qint64 secondsSince1970, const QLocale &locale)
{
    return locale.toString(QDateTime::fromSecsSinceEpoch(secondsSince1970), QLocale::ShortFormat);
}

QString contentText(qint64 filer, qint64 mapper, const QLocale &locale)
{
    return locale.toString(filer) + " filer, " + locale.toString(mapper) + " mapper";
}

int usedPercent(quint64 used, quint64 capacity)
{
    if (capacity == 0)
        return 100;
    // Round to nearest with halves to the even number, as the rounding the figure was first
    // shown with; long double keeps the bytes of any disk exact enough.
    const long double exact = static_cast<long double>(used) * 100.0L / static_cast<long double>(capacity);
    return int(std::nearbyint(exact));
}

std::optional<Attributes> attributesOf(const QString &filnavn)
{
    platform::FindData data;
    if (!platform::current().fileAttributes(filnavn.toStdU16String(), data))
        return std::nullopt;
    return Attributes{(data.attributes & platform::FILE_ATTRIBUTE_READONLY) != 0,
                      (data.attributes & platform::FILE_ATTRIBUTE_HIDDEN) != 0};
}

std::optional<Attributes> applyAttributes(const QString &filnavn, bool readOnly, bool hidden)
{
    if (!core::fileExists(filnavn))
        return std::nullopt;
    auto &system = platform::current();
    const std::u16string path = filnavn.toStdU16String();
    platform::FindData data;
    bool done = system.fileAttributes(path, data);
    if (done) {
        // What a listing reports of the kind of entry is no attribute one sets.
        std::uint32_t attributes =
            data.attributes & ~(platform::FILE_ATTRIBUTE_DIRECTORY | platform::FILE_ATTRIBUTE_REPARSE_POINT);
        for (const auto &[bit, on] : {std::pair{platform::FILE_ATTRIBUTE_READONLY, readOnly},
                                      std::pair{platform::FILE_ATTRIBUTE_HIDDEN, hidden}})
            attributes = on ? attributes | bit : attributes & ~bit;
        done = system.setFileAttributes(path, attributes);
    }
    if (!done)
        messages::inform("Der opstod en fejl.\rStien er muligvist invalid, eller der er muligvist ikke "
                         "adgang til filen.\r");
    return attributesOf(filnavn);
}

// ---------------------------------------------------------------------------------------------
// FolderCount

// What the walk and the UI thread share; the walk keeps it alive, so it may outlive the count.
struct FolderCount::State
{
    std::atomic<bool> cancel = false;
    std::atomic<qint64> bytes = 0;
    std::atomic<qint64> files = 0;
    std::atomic<qint64> folders = 0;
};

FolderCount::FolderCount(QObject *parent)
    : QObject(parent)
    , m_timer(new QTimer(this))
{
    m_timer->setInterval(kIntervalMs);
    connect(m_timer, &QTimer::timeout, this, [this] { report(false); });
}

FolderCount::~FolderCount()
{
    cancel();
    for (QFuture<void> &walk : m_walks)
        walk.waitForFinished();
}

void FolderCount::start(const QString &folder, Report whenCounted)
{
    cancel();
    m_walks.removeIf([](const QFuture<void> &walk) { return walk.isFinished(); });
    auto state = std::make_shared<State>();
    m_state = state;
    m_report = std::move(whenCounted);
    m_reported = FolderFigures{};
    QFuture<void> walk = QtConcurrent::run([state, folder] { walkTree(folder, *state); });
    m_walks.append(walk);
    // The end is heard on this thread; a walk cancelled meanwhile reports nothing.
    m_settled = walk.then(this, [this, state] {
        if (state == m_state)
            report(true);
    });
    m_timer->start();
}

void FolderCount::cancel()
{
    if (m_state)
        m_state->cancel = true;
    m_state.reset();
    m_report = nullptr;
    m_timer->stop();
}

bool FolderCount::isRunning() const
{
    return m_state != nullptr;
}

void FolderCount::report(bool done)
{
    if (!m_state)
        return;
    const FolderFigures figures{m_state->bytes.load(), m_state->files.load(), m_state->folders.load()};
    if (done) {
        m_timer->stop();
        m_state.reset();
    } else if (figures == m_reported) {
        return;
    }
    m_reported = figures;
    // The receiver may cancel or start another count while it is told.
    const Report told = done ? std::move(m_report) : m_report;
    if (told)
        told(figures, done);
}

void FolderCount::walkTree(const QString &top, State &state)
{
    try {
        TreeCount count;
        countTree(top, count, [&state](const TreeCount &sofar) {
            state.bytes = sofar.bytes;
            state.files = sofar.files;
            state.folders = sofar.folders;
            return !state.cancel;
        });
    } catch (const std::exception &) {
        // No platform any more: the walk ends with what it has.
    }
}

} // namespace filinfo

// ---------------------------------------------------------------------------------------------
// TFilMappeDrevInfo

PropertiesView::~PropertiesView()
{
    if (m_gone)
        m_gone();
}

void PropertiesView::setWatcher(std::function<void()> closed, std::function<void()> gone)
{
    m_closed = std::move(closed);
    m_gone = std::move(gone);
}

void PropertiesView::windowClosed() const
{
    if (m_closed)
        m_closed();
}

TFilMappeDrevInfo::~TFilMappeDrevInfo()
{
    setPropertiesView(nullptr);
    stopCount();
}

void TFilMappeDrevInfo::setPropertiesView(PropertiesView *view)
{
    if (m_view)
        m_view->setWatcher({}, {});
    m_view = view;
    if (m_view) {
        m_view->setWatcher([this] { stopCount(); },
                           [this] {
                               stopCount();
                               m_view = nullptr;
                           });
    }
}

void TFilMappeDrevInfo::stopCount()
{
    if (m_count)
        m_count->cancel();
}

void TFilMappeDrevInfo::failWith(const QString &message)
{
    stopCount();
    if (m_view)
        m_view->closeWindow();
    messages::inform(message);
}

int TFilMappeDrevInfo::getID(StrukturNr tree) const
{
    return FStrukturY->getNodeId(tree);
}

QString TFilMappeDrevInfo::getVolumeLabel(QChar letter)
{
    return TStrukturCompo::getVolumeLabel(letter);
}

QString TFilMappeDrevInfo::getDrevTypeString(QChar letter)
{
    const std::u16string root{letter.unicode(), u':', u'\\'};
    switch (platform::current().driveType(root)) {
    case platform::DriveType::Removable:
        return QStringLiteral("Flytbar disk");
    case platform::DriveType::Fixed:
        return QStringLiteral("Lokal disk");
    case platform::DriveType::Remote:
        return QStringLiteral("Fjern disk");
    case platform::DriveType::CdRom:
        return QStringLiteral("CD ROM disk");
    case platform::DriveType::RamDisk:
        return QStringLiteral("RAM disk");
    default:
        return QString();
    }
}

QString TFilMappeDrevInfo::getFileSystem(QChar letter)
{
    std::u16string name;
    const std::u16string root{letter.unicode(), u':', u'\\'};
    if (!platform::current().fileSystemName(root, name) || name.empty())
        return QStringLiteral("Ukendt");
    return QString::fromStdU16String(name);
}

QString TFilMappeDrevInfo::getSizeInfo(const QString &aFilnavn)
{
    platform::FindData data;
    if (!platform::current().fileAttributes(aFilnavn.toStdU16String(), data))
        throw FilFejl(aFilnavn);
    return core::getSizeString(qint64(data.size));
}

QString TFilMappeDrevInfo::makeIconFilnavn(const QString &name) const
{
    return m_ikonDir + name + "_ikon.ico";
}

QString TFilMappeDrevInfo::insertIkon(const QString &aFilnavn)
{
    const QString ext = filinfo::extensionOf(aFilnavn);
    PropertiesIcon icon;
    const QString own = makeIconFilnavn(ext);
    if (!ext.isEmpty() && core::fileExists(own)) {
        icon.imageFile = core::hostPath(own);
    } else {
        QString fallback = filinfo::fallbackIcon(ext);
        if (ext == QLatin1String("exe")) {
            const platform::IconSource program = platform::current().extractIcon(aFilnavn.toStdU16String());
            icon.imageFile = QString::fromStdU16String(program.imageFile);
            icon.themeName = QString::fromStdU16String(program.themeName);
        }
        if (icon.imageFile.isEmpty() && icon.themeName.isEmpty()) {
            const QString file = makeIconFilnavn(fallback);
            if (!core::fileExists(file))
                throw FilFejl(file);
            icon.imageFile = core::hostPath(file);
        }
    }
    if (m_view)
        m_view->setIcon(icon);
    return ext;
}

void TFilMappeDrevInfo::showFileInfo(const QString &aFilename)
{
    stopCount();
    try {
        const QString ext = insertIkon(aFilename);
        platform::FindData data;
        platform::FileTimes times;
        auto &system = platform::current();
        if (!system.fileAttributes(aFilename.toStdU16String(), data) ||
            !system.fileTimes(aFilename.toStdU16String(), times))
            throw FilFejl(aFilename);
        FilePage page;
        page.filnavn = aFilename;
        page.navn = core::nameOf(aFilename);
        page.placering = core::delimKon(core::folderOf(aFilename));
        page.filtype = filinfo::fileTypeLine(ext);
        page.size = getSizeInfo(aFilename);
        page.oprettet = filinfo::timeText(times.creation);
        page.aendret = filinfo::timeText(times.lastWrite);
        page.aabnet = filinfo::timeText(times.lastAccess);
        page.readOnly = data.attributes & platform::FILE_ATTRIBUTE_READONLY;
        page.hidden = data.attributes & platform::FILE_ATTRIBUTE_HIDDEN;
        if (m_view)
            m_view->showFilePage(page);
    } catch (const std::exception &) {
        failWith("Der opstod en fejl.\rFilen er muligvist i brug.");
    }
}

void TFilMappeDrevInfo::showMappeInfo(StrukturNr tree)
{
    stopCount();
    QString folder, text;
    if (tree == StrukturNr::mapper) {
        const StrukturNode *node =
            FStrukturY->struktur1() ? FStrukturY->struktur1()->selectedNode() : nullptr;
        if (!node) {
            messages::inform("Der er ikke valgt en mappe.");
            return;
        }
        folder = node->rec.mappe;
        text = node->text;
    } else {
        const StrukturNode *node =
            FStrukturY->struktur2() ? FStrukturY->struktur2()->selectedNode() : nullptr;
        folder = node ? node->rec.mappe : FStrukturY->mappenavn();
        text = node ? node->text : core::getLastDirectory(folder);
    }
    if (folder.isEmpty() || !core::directoryExists(folder)) {
        messages::inform("Mappen blev ikke fundet.");
        return;
    }
    try {
        platform::FileTimes times;
        if (!platform::current().fileTimes(folder.toStdU16String(), times))
            throw FilFejl(folder);
        FolderPage page;
        page.navn = text;
        page.placering = core::folderOf(core::withoutTrailingBackslash(folder));
        page.size = core::getSizeString(0);
        page.indhold = filinfo::contentText(0, 0);
        page.oprettet = filinfo::timeText(times.creation);
        if (m_view)
            m_view->showFolderPage(page);
        if (!m_count)
            m_count = new filinfo::FolderCount(this);
        m_count->start(folder, [this](const filinfo::FolderFigures &figures, bool) {
            if (m_view)
                m_view->setFolderFigures(core::getSizeString(figures.bytes),
                                         filinfo::contentText(figures.files, figures.folders));
        });
    } catch (const std::exception &) {
        failWith("Der opstod en fejl.");
    }
}

void TFilMappeDrevInfo::showDriveInfo(const QString &aDriveTekst)
{
    stopCount();
    try {
        if (aDriveTekst.isEmpty())
            throw FilFejl(aDriveTekst);
        const QChar letter = aDriveTekst.at(0);
        const std::u16string root{letter.unicode(), u':', u'\\'};
        platform::DiskSpace space;
        quint64 capacity = 0, free = 0;
        if (platform::current().diskFreeSpace(root, space)) {
            capacity = space.total;
            free = space.freeToCaller;
        }
        const quint64 used = capacity > free ? capacity - free : 0;
        DrivePage page;
        page.navn = getVolumeLabel(letter) + " (" + letter + ":)";
        page.type = getDrevTypeString(letter);
        page.filsystem = getFileSystem(letter);
        page.anvendt = core::getSizeString(qint64(used));
        page.ledig = core::getSizeString(qint64(free));
        page.kapasitet = core::getSizeString(qint64(capacity));
        page.bar = filinfo::usedPercent(used, capacity);
        if (m_view)
            m_view->showDrivePage(page);
    } catch (const std::exception &) {
        failWith("Der opstod en ukendt fejl.");
    }
}
