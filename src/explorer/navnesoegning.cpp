#include "explorer/navnesoegning.h"

#include "platform/Platform.h"

#include <cmath>
#include <vector>

namespace {

// Hands counters to the window after this many entries, so the lock is rare.
constexpr int kPublishEvery = 512;

QString joined(const QString &folder, const QString &name)
{
    return folder.endsWith(u'\\') ? folder + name : folder + u'\\' + name;
}

bool isDot(const std::u16string &name)
{
    return name == u"." || name == u"..";
}

bool listing(const QString &folder, std::vector<platform::FindData> &entries)
{
    entries.clear();
    return platform::current().findFiles(folder.toStdU16String(), entries, platform::FindDetail::Kinds);
}

bool isFolder(const platform::FindData &entry)
{
    return entry.attributes & platform::FILE_ATTRIBUTE_DIRECTORY;
}

// A link is counted and matched but never entered: one pointing back to a parent would make
// the walk endless.
bool entered(const platform::FindData &entry)
{
    return isFolder(entry) && !(entry.attributes & platform::FILE_ATTRIBUTE_REPARSE_POINT);
}

} // namespace

QString mappeCaption(const QString &path)
{
    const qsizetype slash = path.lastIndexOf(u'\\');
    const QString caption = slash < 0 ? path : path.mid(slash + 1);
    return caption.size() > 1 && caption.at(1) == u':' ? "Drev " + caption : caption;
}

NavneSoegning::~NavneSoegning()
{
    stop();
}

int NavneSoegning::percent(int progress, int ialt)
{
    if (ialt <= 0)
        return 100;
    return std::min(100, int(std::lround(double(progress) * 100.0 / double(ialt))));
}

void NavneSoegning::start(const QString &folder, const QString &text, int maxElementer)
{
    stop();
    m_stop = false;
    {
        const std::lock_guard lock(m_mutex);
        m_state = Tal();
        m_found.clear();
    }
    m_tal = Tal();
    m_sincePublish = 0;
    m_thread = std::thread(
        [this, folder, lowered = text.toLower(), maxElementer] { run(folder, lowered, maxElementer); });
}

void NavneSoegning::stop()
{
    m_stop = true;
    wait();
}

void NavneSoegning::wait()
{
    if (m_thread.joinable())
        m_thread.join();
}

bool NavneSoegning::running() const
{
    const std::lock_guard lock(m_mutex);
    return m_thread.joinable() && !m_state.done;
}

QList<NavneSoegning::Fund> NavneSoegning::take(Tal &tal)
{
    const std::lock_guard lock(m_mutex);
    tal = m_state;
    QList<Fund> found;
    found.swap(m_found);
    return found;
}

void NavneSoegning::publish(const Fund *fund)
{
    m_sincePublish = 0;
    const std::lock_guard lock(m_mutex);
    m_state = m_tal;
    if (fund)
        m_found.append(*fund);
}

void NavneSoegning::run(const QString &folder, const QString &text, int maxElementer)
{
    // An error must not leave the worker's thread: it ends the search and the window says so.
    try {
        std::vector<platform::FindData> probe;
        m_tal.unreadable = !listing(folder, probe);
        if (!m_tal.unreadable) {
            count(folder);
            m_tal.ialtAntal = m_tal.mAntal + m_tal.fAntal;
            m_tal.counted = true;
            publish();
            if (!m_stop)
                search(folder, text, maxElementer);
        }
    } catch (const std::exception &) {
        m_tal.failed = true;
    }
    m_tal.done = true;
    publish();
}

void NavneSoegning::count(const QString &folder)
{
    std::vector<platform::FindData> entries;
    // A folder that cannot be read (no right to, or gone meanwhile) adds nothing.
    if (!listing(folder, entries))
        return;
    for (const platform::FindData &entry : entries) {
        if (m_stop)
            return;
        if (isDot(entry.name))
            continue;
        if (isFolder(entry)) {
            ++m_tal.mAntal;
            if (entered(entry))
                count(joined(folder, QString::fromStdU16String(entry.name)));
        } else {
            ++m_tal.fAntal;
        }
        if (++m_sincePublish >= kPublishEvery)
            publish();
    }
}

bool NavneSoegning::search(const QString &folder, const QString &text, int maxElementer)
{
    std::vector<platform::FindData> entries;
    if (!listing(folder, entries))
        return true;
    for (const platform::FindData &entry : entries) {
        if (m_stop || m_tal.filAntalF == maxElementer || m_tal.mappeAntalF == maxElementer)
            return false;
        if (isDot(entry.name))
            continue;
        const bool folderEntry = isFolder(entry);
        ++(folderEntry ? m_tal.mappeAntal : m_tal.filAntal);
        ++m_tal.progress;
        // The text is lower-cased already; the name is compared without a copy per entry.
        const QStringView name(entry.name.data(), qsizetype(entry.name.size()));
        if (name.contains(text, Qt::CaseInsensitive)) {
            ++(folderEntry ? m_tal.mappeAntalF : m_tal.filAntalF);
            const Fund fund{folderEntry, joined(folder, name.toString())};
            publish(&fund);
        } else if (++m_sincePublish >= kPublishEvery) {
            publish();
        }
        if (folderEntry && entered(entry) && !search(joined(folder, name.toString()), text, maxElementer))
            return false;
    }
    return true;
}
