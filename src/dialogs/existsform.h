#pragma once
// The clash dialog: a file or folder of the same name exists, what now? Its choice in
// "Handling" is kept from one question to the next.

#include "core/messages.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;
class RadioGroup;

class TExistsForm : public QDialog
{
    Q_OBJECT
public:
    static constexpr int kHeight = 320;
    static constexpr int kMinimumWidth = 410;
    enum Handling { OverskrivIngen, OverskrivAlle, OpretKopier, SpoergHverGang };

    explicit TExistsForm(QWidget *parent = nullptr);

    // Fills the two fields, shows the dialog modally (or hands it to the test seam) and gives
    // the chosen item and the check box as left.
    messages::ClashResult askUser(const QString &mappenavn, const QString &filnavn);

    // A click on item `index` of "Handling": only "Spørg hver gang" leaves the element to overwrite.
    void vaelgHandling(int index);
    int handling() const;
    bool overskriv() const;

    int exec() override;
    void reject() override;

    QLineEdit *filEdit;
    QLineEdit *dirEdit;
    RadioGroup *resultBox;
    QCheckBox *checkOverskriv;
    QPushButton *okButton;

private:
    void prepareShow();
};
