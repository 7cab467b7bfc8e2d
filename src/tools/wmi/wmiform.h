#pragma once
// The tool "WMI": the system-information classes of the machine are listed by an installed
// generator script; for the class chosen another generator writes a script (plain or HTML
// output), which is then opened and shown in an explorer window. The window itself reads no
// system information.

#include "dialogs/toolform.h"

class ActionList;
class QComboBox;
class QLineEdit;
class QTextBrowser;
class QTimer;

class TwmiForm : public TToolForm
{
    Q_OBJECT
public:
    explicit TwmiForm(bool showInternt, QWidget *parent = nullptr);
    ~TwmiForm() override;

    static constexpr int kWidth = 570;
    static constexpr int kHeight = 576;
    static constexpr int kPollInterval = 1000;

    bool namespaceDone = false;
    bool wmiDone = false;
    QString wmiMappe;
    QString wmidir;
    QString wmiFile;
    QString classFile;
    QString udskrivFile;
    QString udskrivFileHTML;
    QString vbsFile;
    QString optFilnavn;

    QComboBox *wmiBox = nullptr;
    QLineEdit *findEdit = nullptr;
    QTextBrowser *Browser = nullptr;
    QWidget *browserPanel = nullptr;
    QTimer *Timer = nullptr;
    ActionList *actions = nullptr;

    // "Hent classes", "Indlæs classes", "Skriv scriptet" and "Skriv HTML".
    void AloadListeExecute();
    void AwmiExecute();
    void makeFile(bool html);
    // One tick of the poll for the written script.
    void TimerTimer();
    // The address "Søg" opens: the search engine with the search text as typed.
    QString googleUrl() const;
    // The name a generated script gets in the user's WMI folder.
    static QString scriptName(const QString &klasse, bool html);

protected:
    void activated() override;
    void closing() override;
    void hentOpt() override;
    void gemOpt() override;

private:
    void buildActions();
    void buildUi();
    // goScript: a generator started with the shell in `folder`; false after ErrorInfo.
    bool goScript(const QString &file, const QString &parameters, const QString &folder);
};

extern TwmiForm *wmiForm;
