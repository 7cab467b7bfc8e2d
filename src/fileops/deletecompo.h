#pragma once
// The delete engine of an explorer window: folders and files to the recycle bin or permanently,
// after an optional confirmation, while the delete progress window shows the progress.

#include "core/messages.h"
#include "fileops/foldertree.h"

#include <QList>
#include <QObject>
#include <QStringList>
#include <functional>
#include <memory>

class QWidget;

// One deletion, as the explorer window gives it to the engine: what, how, and its settings.
struct DeleteJob
{
    QStringList folders; // full paths
    QStringList files;
    bool toRecycleBin = false;
    int ask = 0; // 0 "Spørg altid", 1 "Kun før Slet", 2 "Spørg aldrig"
    bool closeBoxAfter = true;
};

class TDeleteCompo : public QObject
{
    Q_OBJECT
public:
    explicit TDeleteCompo(QObject *owner = nullptr);
    ~TDeleteCompo() override;

    // False only when the user declined. What could not be deleted is named in one message at the
    // end and kept in ikkeSlettede(); a file that cannot be deleted permanently ends the deletion
    // there (the window stays open). A listed file that is gone raises FilFejl before anything is
    // deleted.
    bool DeleteElementer(const DeleteJob &job);
    // A listed folder or file the last deletion left: where a permanent deletion of a folder
    // stopped (empty when at the folder itself, or for the recycle bin) and the system's reason
    // (empty when it gave none).
    struct IkkeSlettet
    {
        QString element;
        bool mappe = false;
        bool tilPapirkurv = false;
        QString stoppetVed;
        QString grund;
    };
    const QList<IkkeSlettet> &ikkeSlettede() const { return m_ikkeSlettede; }
    // Whether the last deletion removed anything at all.
    bool slettetNoget() const { return m_slettetNoget; }
    // The message naming what the last deletion left; empty when it left nothing.
    QString ikkeSlettetBesked() const;
    // The delete pass of a move to another drive: no question, permanently, under the heading
    // "Sletningen er permanent"; folders still there at the end are tried once more. False when
    // anything is left. The copy pass has counted the folders and files already.
    bool sletFlyttede(const QStringList &mapper, const QStringList &filer, const QList<TreeCount> &mappeTal,
                      const QList<qint64> &filStoerrelser, bool closeBoxAfter);
    // The heading from its 21st character on: a blank and the short size text. When something
    // could not be deleted: a blank, the size of what was deleted and how many were left.
    QString getResult() const;
    static bool FileDeleteRB(const QString &aFileName);
    // The platform shows no window of its own here; with Confirm the user is asked first.
    static bool sletMappe(QWidget *WindowHandle, const QString &aMappe, bool Confirm, bool toPapirkurv);

    qint64 sizeOfDelElementer(const QString &heading);
    QString setTotalString(bool all) const;
    int progressInfoDel();

    messages::DeleteProgressView &deleteBox() const { return *DeleteBox; }
    messages::OperationQuestions &spmDelBox() const { return *SpmDelBox; }
    const QStringList &deleteMapper() const { return FDeleteMapper; }
    const QStringList &deleteFiler() const { return FDeleteFiler; }

    int antalFiler = 0;
    int antalMapper = 0;
    qint64 totalSize = 0;
    qint64 posSize = 0;

protected:
    QStringList FDeleteMapper;
    QStringList FDeleteFiler;
    std::unique_ptr<messages::OperationQuestions> SpmDelBox;
    std::unique_ptr<messages::DeleteProgressView> DeleteBox;

private:
    // The preparation with the counts given, or counted here when there are none.
    qint64 forbered(const QString &heading, const QList<TreeCount> *mappeTal,
                    const QList<qint64> *filStoerrelser);
    // Every listed folder that still exists, with its counted files off the figures.
    void sletMapperne(bool tilPapirkurv);
    // One folder permanently, its files counted off as they go.
    void sletMappePermanent(const QString &mappe, const TreeCount &count);
    void nulstilUdfald();
    void slettet(qint64 bytes);
    void pumpMessages(bool force);
    bool tidTilPump() const;

    QString m_heading;
    QList<TreeCount> m_mappeTreeCount;
    QList<qint64> m_filStoerrelser;
    qint64 m_lastPump = -1;
    QList<IkkeSlettet> m_ikkeSlettede;
    bool m_slettetNoget = false;
    qint64 m_slettetBytes = 0;
    // Listed files after the one where a permanent deletion stopped.
    int m_efterStop = 0;
};

class TDeleteObjekt : public TDeleteCompo
{
    Q_OBJECT
public:
    using TDeleteCompo::TDeleteCompo;
};
