#pragma once
// The image gallery "Billeder": the ".bmp", ".jpg" and ".ico" files of the current element's
// folder as a grid of thumbnails, with presets for the grid, a background colour, and the
// commands that mark, open, copy or delete the selected picture through an explorer window.

#include "dialogs/toolform.h"

#include <QColor>
#include <QStringList>

class ActionList;
class QLabel;
class QLineEdit;
class QToolButton;
class TBibPan;
class TProgressCompo;
class TRulskakt;

class TGalForm : public TToolForm
{
    Q_OBJECT
public:
    explicit TGalForm(bool showInternt, QWidget *parent = nullptr);
    ~TGalForm() override;

    static constexpr int kWidth = 900;
    static constexpr int kDefaultHeight = 580;

    // The background colours by index; an invalid colour for any other index.
    static QColor farve(int index);
    static const QStringList &farveNavne();
    // The progress bar's colour on a strip of `farve`.
    static QColor kontrastFarve(const QColor &farve);

    QString optFilnavn;
    QString picFilnavn;
    int AntalV = 2;
    int AntalL = 2;
    int valgtNr = -1; // the selected picture's number

    TBibPan *BibPan = nullptr;
    TRulskakt *BibRul = nullptr;
    TProgressCompo *StepPan = nullptr;
    QLabel *BibFelt = nullptr;
    QLineEdit *antalEdit = nullptr;
    QLineEdit *BVedit = nullptr;
    QLineEdit *BLedit = nullptr;
    QLineEdit *Breddefelt = nullptr;
    QLineEdit *Hojdefelt = nullptr;
    QLineEdit *Navnfelt = nullptr;
    QLineEdit *mappeFelt = nullptr;
    QToolButton *farveKnap = nullptr;
    QList<QToolButton *> presetKnapper;
    QToolButton *vandretPlus = nullptr;
    QToolButton *vandretMinus = nullptr;
    QToolButton *lodretPlus = nullptr;
    QToolButton *lodretMinus = nullptr;
    ActionList *actions = nullptr;

    void loadBilleder(int aV, int aL);
    // Plus (+1) or minus (−1) on the column count (`vandret`) or the row count.
    void plusMinus(bool vandret, int delta);
    void BVeditChange();
    void BLeditChange();
    void BibInfo(int FeltNr, bool MedTekst);
    void setBgFarve(int index);
    void AvisExecute();
    void ADeleteExecute();
    void AopenSFExecute();

protected:
    void activated() override;
    void closing() override;
    void hentOpt() override;
    void gemOpt() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildActions();
    void buildUi();
    QWidget *buildLeftPanel();
    QWidget *buildRightPanel();
    void rulNyePos();

    bool m_firstActivation = true;
};

// The window of the run; cleared when it closes.
extern TGalForm *GalForm;
