#pragma once
// The name search of an explorer window's search page (findElement): a walk that counts every
// entry below a folder and then walks again to find the names holding a text. The walks run on
// a thread of their own so the window stays alive; the window collects what was found with
// take() from a timer. A new start or the object's end stops a running walk and waits for it.

#include <QList>
#include <QString>
#include <atomic>
#include <mutex>
#include <thread>

// The folder caption of the favourites and the search results: the last name of the path, or
// "Drev " and the drive for a drive.
QString mappeCaption(const QString &path);

class NavneSoegning
{
public:
    struct Fund
    {
        bool mappe = false;
        QString path;
    };
    // The counters of one search, as the page reads them.
    struct Tal
    {
        int mAntal = 0, fAntal = 0, ialtAntal = 0; // counted beforehand
        int mappeAntal = 0, filAntal = 0;          // examined
        int mappeAntalF = 0, filAntalF = 0;        // found
        int progress = 0;
        bool counted = false; // the first walk has ended
        bool done = false;
        bool unreadable = false; // the search folder itself could not be listed
        bool failed = false;     // the walk ended on an unexpected error
    };

    NavneSoegning() = default;
    ~NavneSoegning();
    NavneSoegning(const NavneSoegning &) = delete;
    NavneSoegning &operator=(const NavneSoegning &) = delete;

    // Stops a running search, then searches `folder` for `text` (lower-cased here) and stops
    // when `maxElementer` folders or files were found.
    void start(const QString &folder, const QString &text, int maxElementer);
    void stop();
    // Waits until the running search has ended.
    void wait();
    bool running() const;
    // What was found since the last call, in the order found, and the counters now.
    QList<Fund> take(Tal &tal);

    // The whole percentage of `progress` of `ialt`; a folder with no entries counts as done.
    static int percent(int progress, int ialt);

private:
    void run(const QString &folder, const QString &text, int maxElementer);
    void count(const QString &folder);
    // False when the walk was stopped (by the window or by maxElementer).
    bool search(const QString &folder, const QString &text, int maxElementer);
    void publish(const Fund *fund = nullptr);

    // The worker's own counters, handed over by publish().
    Tal m_tal;
    int m_sincePublish = 0;

    std::thread m_thread;
    std::atomic<bool> m_stop = false;
    mutable std::mutex m_mutex;
    Tal m_state;
    QList<Fund> m_found;
};
