#pragma once
// The calendar tool "Kalender": a note per day, a folder per date shown in an explorer window,
// the difference between two dates worked out by an installed script, and the Danish public
// holidays of a year.

#include "dialogs/toolform.h"

#include <QDate>
#include <QList>

class ActionList;
class QCalendarWidget;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QTimer;

class Tkalenderform : public TToolForm
{
    Q_OBJECT
public:
    explicit Tkalenderform(bool showInternt, QWidget *parent = nullptr);
    ~Tkalenderform() override;

    static constexpr int kWidth = 940;
    static constexpr int kHeight = 550;

    // One month calendar with its step buttons, "I dag: " button and day, month and year edits.
    struct DateBlock
    {
        QCalendarWidget *calendar = nullptr;
        QLabel *monthLabel = nullptr;
        QPushButton *today = nullptr;
        QLineEdit *day = nullptr;
        QLineEdit *month = nullptr;
        QLineEdit *year = nullptr;
        QPushButton *update = nullptr;
    };

    QString memoFilename;
    QString shownNoteFile; // the file of the day whose note the memo holds
    QString optFilnavn;

    QTabWidget *bog = nullptr;
    DateBlock kalender;  // page "Kalender"
    DateBlock kalender1; // "Datoforskelle": first date
    DateBlock kalender2; // "Datoforskelle": second date
    QPlainTextEdit *kalnotatMemo = nullptr;
    QLineEdit *Edit1 = nullptr;
    QLineEdit *Edit2 = nullptr;
    QLineEdit *aarEdit = nullptr;
    QPushButton *nuKnap = nullptr;
    QLabel *datoerLabel = nullptr;
    QList<QLabel *> holidayLabels;
    QLineEdit *mappeEdit = nullptr;
    QTimer *diffTimer = nullptr;
    ActionList *actions = nullptr;

    // The day note of the main calendar's date.
    QString noteFile() const;
    void showDay();
    // Typed notes belong to the day they were typed for: written to its file when another day is
    // chosen or the window closes, never thrown away.
    void saveEditedNote();
    void aMemoGemExecute();
    void aMemoSletExecute();
    // "Opdater": the edits cleaned, then the calendar set from them.
    void opdater(DateBlock &block);
    void opretMappe();
    void indsaetAktuelle();
    void beregn();
    void diffTimerTick();
    void stepYear(int years);
    void findDatoer();

protected:
    void activated() override;
    void closing() override;
    void hentOpt() override;
    void gemOpt() override;

private:
    void buildActions();
    void buildUi();
    QWidget *dateBlock(DateBlock &block, const QString &name, QWidget *parent);
    void showMonth(const DateBlock &block);
    QString resultFile() const;

    bool m_firstActivation = true;
};

// The window of the run; cleared when it closes.
extern Tkalenderform *kalenderform;
