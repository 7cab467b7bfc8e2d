#pragma once
// The folder-structure tool "Mappestruktur": the user's home-made folder structures, each a named
// list of folders saved as a file, shown as point or level structures in an explorer window. The
// edit flag (MsRedigeret) lives in the main window, which refuses to close while it is set.

#include "dialogs/toolform.h"

class ActionList;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QTabWidget;

class Tmappestrukturform : public TToolForm
{
    Q_OBJECT
public:
    explicit Tmappestrukturform(bool showInternt, QWidget *parent = nullptr);
    ~Tmappestrukturform() override;

    static constexpr int kDefaultHeight = 580;
    static constexpr int kDefaultWidth = 860;
    static constexpr int kOptionLines = 5;

    QString optFilnavn;
    QGroupBox *venstrePanel = nullptr;
    QListWidget *strukturListe = nullptr; // the saved structures, by name
    QTabWidget *strukturBog = nullptr;
    QListWidget *mappeListe = nullptr;          // "Strukturer": the chosen structure's folders
    QListWidget *strukturListeMapper = nullptr; // "Opret og rediger strukturer": being edited
    QLineEdit *navnEdit = nullptr;              // "Strukturnavn"
    ActionList *actions = nullptr;

    // The saved structures from the main window's reading of the folder.
    void setStrukturer(const QStringList &names);
    QString valgtStruktur() const;

    void strukturListeClick();
    void mappeListeDblClick();
    void visSomStruktur(bool punkt);
    void sletValgte();
    void redigerValgte();
    void opdater();
    void visMappen();
    void gemStrukturen();
    void klargoerTilNy();
    void aktuelleMappe();
    // A folder appended to the structure being edited, the edit page shown (the main window's "Tilføj").
    void tilfoejMappe(const QString &folder);
    void fjernMappe();
    void flyt(int step);
    void panelKnapClick();

protected:
    void hentOpt() override;
    void gemOpt() override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildActions();
    void buildUi();
    void redigeret();
    int editRow() const;

    int m_fuldBredde = kDefaultWidth;
};

// The window of the run; cleared when it closes.
extern Tmappestrukturform *Mappestrukturform;
