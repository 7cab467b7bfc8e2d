#pragma once
// The shortcuts tool "Genveje": makes Windows shortcuts (".lnk") to a folder or a file through
// the installed shortcut scripts and waits for the file to appear, and lists, runs and shows the
// shortcuts of the fixed place. The window never writes a shortcut itself.

#include "dialogs/toolform.h"

class ActionList;
class QCheckBox;
class QLineEdit;
class QListWidget;
class QTimer;

class Tgenvejform : public TToolForm
{
    Q_OBJECT
public:
    explicit Tgenvejform(bool showInternt, QWidget *parent = nullptr);
    ~Tgenvejform() override;

    static constexpr int kWidth = 570;
    static constexpr int kHeight = 620;
    static constexpr int kOptionLines = 3;
    // The poll timer: one tick a second, at most ten ticks per shortcut.
    static constexpr int kPollInterval = 1000;
    static constexpr int kPollTicks = 10;

    int timerCount = 0;
    QString optFilnavn;
    QString timerFilename;
    int aLeft = kDefaultLeft;
    int aTop = kDefaultTop;
    bool aLoadGenveje = false;

    QWidget *panelFunk = nullptr;
    QListWidget *genvejsListe = nullptr;
    QCheckBox *autoLoadCheck = nullptr;
    QLineEdit *EditTarget = nullptr;
    QLineEdit *EditDest = nullptr;
    QLineEdit *EditName = nullptr;
    QLineEdit *EditDestFast = nullptr;
    QTimer *pollTimer = nullptr;
    ActionList *actions = nullptr;

    void makeGenvej();
    // Starts a script with its parameter text; a missing script or a failed start is said.
    void OpenFilMedParametre(const QString &script, const QString &parameters);
    void pollTimerTick();
    void loadGenveje(const QString &folder);
    void runGenvejExecute();

protected:
    void activated() override;
    void closing() override;
    void hentOpt() override;
    void gemOpt() override;

private:
    void buildActions();
    void buildUi();

    bool m_firstActivation = true;
};

// The window of the run; cleared when it closes.
extern Tgenvejform *genvejform;
