#pragma once
// The question dialog: "Ja" and "Nej", and the optional "Gør det samme med alle".

#include "dialogs/messagedialog.h"

class QCheckBox;
class QPushButton;

class Tspform : public dialogs::MessageDialog
{
    Q_OBJECT
public:
    static constexpr int kAlleCheckHeight = 23;

    explicit Tspform(QWidget *parent = nullptr);
    void insertTekst(const QString &tekst) { setText(tekst); }

    QLabel *textLabel;
    QCheckBox *alleCheck;
    QPushButton *annullerButton;
    QPushButton *BitBtn1;

protected:
    int extraHeight() const override;
    void prepareShow() override;
    bool alleCheckShown() const override;
    bool answerAlleCheck(bool checked) override;
};
