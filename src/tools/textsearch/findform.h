#pragma once
// The text-file search tool "Find tekst": searches the documents of one type directly inside
// one folder for a text and lists every hit with its document, position and display line; the
// user's list of text-file types ("Filtertyper.txt") chooses the type.

#include "core/textsearch.h"
#include "dialogs/toolform.h"
#include "tools/textsearch/fundliste.h"

#include <QFuture>
#include <QStringList>
#include <atomic>
#include <memory>

class ActionList;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class QTabWidget;
class QTreeWidget;

class Tfindform : public TToolForm
{
    Q_OBJECT
public:
    explicit Tfindform(bool showInternt, QWidget *parent = nullptr);
    ~Tfindform() override;

    // The width of the edit whose display lines the hits show.
    static constexpr int kDisplayWidth = 400;
    static constexpr int kOptionLines = 5;

    QString Mappe; // the search folder, ending in "\" once set
    QString FTekst;
    QStringList filliste; // three lines per type: caption, mask, "1"/"0"
    QString typelistenavn;
    int filterItemIndex = 0;
    QString optFilnavn;

    QTabWidget *pageBog = nullptr;
    QComboBox *filterBoks = nullptr;
    QComboBox *EditFind = nullptr;
    QLineEdit *dirEdit = nullptr;
    QCheckBox *Check1 = nullptr;
    QCheckBox *Check2 = nullptr;
    QLabel *countdis = nullptr;
    QTableView *findis = nullptr; // the hit list, a view of `fundListe`
    FundListe *fundListe = nullptr;
    QTreeWidget *typeliste = nullptr;
    QLineEdit *tekstedit = nullptr;
    QLineEdit *typeedit = nullptr;
    QPushButton *insertknap = nullptr;
    QPushButton *saveknap = nullptr;
    ActionList *actions = nullptr;

    static QStringList standardList();
    // "txt", ".txt", "*.txt" → "*.txt"; "a.b.c" → "*.c"; "*.*" stays.
    static QString normaliseMask(const QString &text);

    bool ErExtListet(const QString &mask);
    // Starts the search of the folder; the rows arrive in order while the window stays alive.
    void FindSD();
    bool searching() const;
    // Lets the running search end, the window's events handled meanwhile.
    void waitForSearch();
    // "Stop": ends the running search; the rows it found so far stay.
    void stopSoegning();

    // The search folder from "Aktuelle" and from a file chosen on disk.
    void aAktuelleExecute();
    void vaelgFilFraDisk(const QString &chosen);

    // The file-type list.
    void hentTyper();
    void GemTyper();
    void standardTyper();
    void insertType();
    void sletValgteType();
    void flytType(int step);

    // The hit list.
    void aabenValgte();
    void koerValgte();
    void findValgte();
    void fjernValgte();
    void rydListen();
    void aabenAlle();

    // The display lines of a line laid out `kDisplayWidth` wide in the window's font (start and
    // length of each), and the one holding `column`.
    static QList<QPair<qsizetype, qsizetype>> displayRows(const QFont &font, const QString &line);
    static QString displayLine(const QList<QPair<qsizetype, qsizetype>> &rows, const QString &line,
                               qsizetype column);

protected:
    void activated() override;
    void closing() override;
    void hentOpt() override;
    void gemOpt() override;

private:
    void buildUi();
    void buildActions();
    void fillFilterBoks();
    void fillTypeliste();
    QString searchMask() const;
    QString selectedDocument() const;
    void addRows(FundListe::Batch batch, quint64 generation);
    void searchEnded(quint64 generation);
    // Ends the worker and waits for it.
    void cancelWorker();
    // Ends the search; nothing the worker still hands over reaches the list.
    void stopSearch();
    // The list's rows: fixed heights, no captions.
    void setRowHeader();
    // Empties the list, its memory given back.
    void clearHits();
    // The selected rows as sorted ranges (first, last) that neither overlap nor touch.
    QList<QPair<int, int>> selectedRanges() const;
    int selectedCount() const;

    std::shared_ptr<std::atomic<bool>> m_cancel;
    QFuture<void> m_search;
    quint64 m_generation = 0;
    bool m_running = false;
};

// The window of the run; cleared when it closes.
extern Tfindform *findform;
