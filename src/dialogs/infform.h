#pragma once
// The information dialog: a message and "OK".

#include "dialogs/messagedialog.h"

class QPushButton;

class Tinfform : public dialogs::MessageDialog
{
    Q_OBJECT
public:
    explicit Tinfform(QWidget *parent = nullptr);
    void insertTekst(const QString &tekst) { setText(tekst); }

    QLabel *Label1;
    QPushButton *BitBtn1;
};
