#pragma once
// The copy and move engine of an explorer window: "Sæt ind" of the clipboard's folders and
// files into one destination folder, with the confirmation, the clash rules, the progress
// window and, for a move to another drive, the permanent deletion of what was copied.

#include "core/messages.h"
#include "fileops/deletecompo.h"

#include <QList>
#include <QObject>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

// One paste, as the explorer window gives it to the engine: what, where, and its settings.
struct PasteJob
{
    // The folder pasted into; empty when there is none (then nothing is done).
    QString destination;
    // The clipboard's folders and files, full paths.
    QStringList folders;
    QStringList files;
    int ask = 0;       // 0 "Spørg altid", 1 "Kun før Slet", 2 "Spørg aldrig"
    int clashRule = 0; // 0 "Overskriv ikke", 1 "Overskriv", 2 "Opret kopi", 3 "Spørg"
    bool closeBoxAfter = true;
    // The explorer window's caption, which the progress window's names.
    QString caption;
};

class TPasteCompo : public QObject
{
    Q_OBJECT
public:
    explicit TPasteCompo(QObject *owner = nullptr);
    ~TPasteCompo() override;

    // Told after the confirmation: true when the paste goes ahead.
    std::function<void(bool doCopy)> FonPasteElements;

    // The job's elements copied, or moved (the clipboard's rows were cut).
    bool PasteElementer(const PasteJob &job);
    bool PasteCutElementer(const PasteJob &job);
    // "12 filer: 3,45 MB" after a paste; the stop text after a stopped one.
    QString getResult() const;

    // What is left of the last paste's lists: a move takes out what it moved on the drive.
    const QStringList &pasteMapper() const { return FPasteMapper; }
    const QStringList &pasteFiler() const { return FPasteFiler; }
    messages::PasteProgressView &progressBox() const { return *ProgressBox; }
    messages::OperationQuestions &spmHandling() const { return *SpmHandling; }
    messages::DeleteProgressView &deleteBox() const { return m_sletter->deleteBox(); }

    int antalFiler = 0;
    int antalMapper = 0;
    qint64 totalSize = 0;
    qint64 posSize = 0;
    int ikkePastede = 0;

private:
    // What became of one file: copied, left because of a name clash, not copied, or not copied
    // because the paste had stopped (Stop, or the destination full, which is said already).
    enum class Udfald { Kopieret, Sprunget, Fejlet, Stoppet };
    // What became of a folder tree.
    struct Traeudfald
    {
        bool fejl = false;     // something was not copied
        bool sprunget = false; // something was left because of a name clash
        // The elements below the folder that failed, one line each with the system's reason.
        messages::Opremsning ikkeKopieret;
        // Why the folder itself could not be made or read; then nothing of it was copied.
        std::optional<QString> hele;
    };

    // The opening steps of a copy and a move: the job taken, checked, confirmed and counted.
    // False when the paste goes no further.
    bool begin(const PasteJob &job, bool flyt);
    qint64 sizeOfElementer(const QString &dest);
    void udskrivInfo();
    bool kopierFilEx(const QString &src, const QString &dst, bool overskriv);
    // The folder `src` copied to `dst`, made when missing; a folder made gets the source's
    // last-write time once its contents are in. `oeverst`: `src` is the listed folder itself,
    // not one below it.
    void kopierMappe(const QString &src, const QString &dst, Traeudfald &udfald, bool oeverst);
    // The contents of `src` copied into the folder `dst`.
    void kopierMappeEx(const QString &src, const QString &dst, Traeudfald &udfald, bool oeverst);
    // The system's reason for the failure just met; empty when it gave none.
    QString grund() const;
    Udfald haandterFil(const QString &src, QString dst, bool link);
    bool kopier(const QString &src, const QString &dst, bool link, bool overskriv);
    messages::ClashResult askUser(const QString &aFilnavn);
    // What to do with an existing `dst`: 0 leave it, 1 replace it, 2 a new name. "Spørg" asks,
    // and an answer for all holds for the rest of the paste.
    int clashRule(const QString &dst);
    int progressInfo(qint64 aSize);
    // Steps 5 and 6 of a copy: every folder and file of the lists, with their messages.
    void kopierListerne();
    bool KopierFraLister();
    bool DeleteFraLister();
    // The two same-drive passes of a move.
    void flytMapperPaaDrevet();
    void flytFilerPaaDrevet();
    // Asks before a folder is replaced, by the answer for all when one was given.
    bool maaMappenErstattes(const QString &dest);
    // `kilde` moved to `dest` in place of what is there; the old one is removed only once the
    // new one is in place.
    bool erstat(const QString &kilde, const QString &dest, bool mappe);
    // A move within a drive that failed: said, with the system's reason.
    void sigIkkeFlyttet(const QString &kilde, const QString &dest, bool mappe);
    // A folder pasted into itself or below itself, or moved where it already lies (decided by the
    // file system's identity, not the path text): said, and nothing is done.
    bool indISigSelv(bool flyt) const;
    // The destination drive has room for what is to be copied; said when not.
    bool pladsNok() const;
    // Stop pressed, or the destination full.
    bool stoppet() const;
    // A listed file that was not copied, with the system's reason.
    void sigIkkeKopieret(const QString &kilde, const QString &dest);
    // A listed folder not copied whole: the elements below it that failed, or why the folder
    // itself could not be copied; "afbrød" only when a full destination stopped the paste in it.
    void sigMappeIkkeKopieret(const QString &kilde, const QString &dest, const Traeudfald &udfald);
    void pump(bool force);

    QString FConstDest;
    QStringList FPasteMapper;
    QStringList FPasteFiler;
    int FIntSpm = 0;
    int FIntPasteMetode = 0;
    bool FCloseBoxAfter = true;
    std::unique_ptr<messages::OperationQuestions> SpmHandling;
    std::unique_ptr<messages::PasteProgressView> ProgressBox;
    std::unique_ptr<TDeleteObjekt> m_sletter;

    QList<qint64> m_filStoerrelser;
    // What the copy will write on the destination drive: the counted files' allocated sizes.
    qint64 m_pladsBehov = 0;
    // What the last preparation counted in each folder, for the delete pass of a move.
    QList<TreeCount> m_mappeTal;
    // The lists the last preparation counted, so a move whose lists did not change by the same-drive
    // passes is not counted twice.
    QStringList m_taltMapper;
    QStringList m_taltFiler;
    // Which elements the last copy pass copied whole, by list position.
    QList<bool> m_mappeHel;
    QList<bool> m_filHel;
    // The destination filled up: the rest of the paste is abandoned as after "Stop".
    bool m_fuld = false;
    // The system's reason for the last copy that failed.
    QString m_fejlGrund;
    // "Gør det samme med alle" of the folder replacement question: none, yes or no.
    int m_erstatAlle = -1;
    qint64 m_lastPump = -1;
};

class TPasteObjekt : public TPasteCompo
{
    Q_OBJECT
public:
    using TPasteCompo::TPasteCompo;
};
