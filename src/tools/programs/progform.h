#pragma once
// The programs tool "Programmer": registers programs in the programs list of the main window's
// menu and programs page, reorders and removes them, and offers well-known programs found on
// the machine.

#include "dialogs/toolform.h"

#include <QStringList>

class ActionList;
class QCheckBox;
class QCommandLinkButton;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

class TProgform : public TToolForm
{
    Q_OBJECT
public:
    explicit TProgform(bool showInternt, QWidget *parent = nullptr);
    ~TProgform() override;

    static constexpr int kWidth = 940;
    static constexpr int kHeight = 572;

    // A suggestion button, its menu caption and the program paths tried in order: the Windows
    // places first, then the nearest programs of a Linux host through drive Z:.
    struct Suggestion
    {
        const char *button;
        const char *caption;     // the button's caption
        const char *menuCaption; // the caption it registers
        QStringList paths;
    };
    static const QList<Suggestion> &suggestions();

    int SletNr = -1;
    bool listeForandret = false;
    QString optFilnavn;
    QStringList suggestionPaths; // per suggestion: the path the check found

    QLabel *progInfLabel = nullptr;
    QTreeWidget *programListe = nullptr;
    QLineEdit *fileText = nullptr;
    QLabel *spmLabel = nullptr;
    QPushButton *jaKnap = nullptr;
    QPushButton *nejKnap = nullptr;
    QLineEdit *filEdit = nullptr;
    QLabel *IconDis = nullptr;
    QLineEdit *CapEdit = nullptr;
    QCheckBox *maxTekstCheck = nullptr;
    QLabel *addText = nullptr;
    QLineEdit *placeringEdit = nullptr;
    QList<QPushButton *> suggestionButtons;
    ActionList *actions = nullptr;

    bool CheckProgramExists(const QString &path) const;
    void loadListe2();
    void FormShow();
    void aExeFileExecute();
    void aInsertProgramExecute();
    void checkButtonClick();
    void registerSuggestion(int index);
    void visProgrammerExecute();
    void programListeClick();
    void flyt(int step);
    void AGemExecute();
    void ADelprogExecute();
    void jaKnapClick();
    void nejKnapClick();

protected:
    void closing() override;
    void hentOpt() override;
    void gemOpt() override;
    void showEvent(QShowEvent *event) override;

private:
    void buildActions();
    void buildUi();
    void resetInput();
    int selectedRow() const;
    void setRemovalAsked(bool asked);

    bool m_firstShow = true;
    bool m_asking = false; // the removal question is shown
};

// The window of the run; cleared when it closes.
extern TProgform *Progform;
