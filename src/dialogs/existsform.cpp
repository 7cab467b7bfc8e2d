#include "dialogs/existsform.h"

#include "dialogs/radiogroup.h"
#include "dialogs/widgets.h"

#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

TExistsForm::TExistsForm(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::WindowStaysOnTopHint)
{
    setObjectName("ExistsForm");
    setWindowTitle("Bestem handling");
    setModal(true);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->setSpacing(4);
    layout->addWidget(new QLabel("Filnavn", this));
    filEdit = widgets::field("filEdit", QString(), this);
    layout->addWidget(filEdit);
    layout->addWidget(new QLabel("Mappenavn", this));
    dirEdit = widgets::field("dirEdit", QString(), this);
    layout->addWidget(dirEdit);
    layout->addSpacing(6);

    auto *middle = new QHBoxLayout;
    auto *text =
        widgets::note("Hvis der findes filer eller mapper med samme navn, hvad skal der så gøres?", this);
    text->setFixedWidth(120);
    middle->addWidget(text, 0, Qt::AlignTop);
    resultBox = widgets::radio("resultBox", "Handling",
                               {"Overskriv ingen", "Overskriv alle", "Opret kopier", "Spørg hver gang"},
                               SpoergHverGang, this);
    resultBox->setColumns(2);
    middle->addWidget(resultBox, 1);
    layout->addLayout(middle);
    layout->addStretch();

    auto *bottom = new QHBoxLayout;
    checkOverskriv = widgets::check("checkOverskriv", "Overskriv dette element", this, true);
    bottom->addWidget(checkOverskriv);
    bottom->addStretch();
    okButton = new QPushButton("OK", this);
    okButton->setObjectName("okButton");
    okButton->setDefault(true);
    okButton->setMinimumWidth(88);
    bottom->addWidget(okButton);
    layout->addLayout(bottom);

    connect(resultBox, &RadioGroup::itemClicked, this, &TExistsForm::vaelgHandling);
    connect(okButton, &QPushButton::clicked, this, [this] { done(messages::mrOk); });

    setMinimumWidth(kMinimumWidth);
    setFixedHeight(kHeight);
    resize(std::max(kMinimumWidth, sizeHint().width()), kHeight);
}

void TExistsForm::vaelgHandling(int index)
{
    resultBox->setItemIndex(index);
    checkOverskriv->setChecked(handling() == SpoergHverGang);
}

int TExistsForm::handling() const
{
    return resultBox->itemIndex();
}

bool TExistsForm::overskriv() const
{
    return checkOverskriv->isChecked();
}

void TExistsForm::prepareShow()
{
    checkOverskriv->setChecked(handling() == SpoergHverGang);
    okButton->setFocus();
}

messages::ClashResult TExistsForm::askUser(const QString &mappenavn, const QString &filnavn)
{
    dirEdit->setText(mappenavn);
    filEdit->setText(filnavn);
    exec();
    return {handling(), overskriv()};
}

int TExistsForm::exec()
{
    prepareShow();
    if (const auto &responder = messages::DialogSeam::clashResponder()) {
        messages::ShownDialog shown(messages::ShownDialog::Clash, filEdit->text(), false, width(), height());
        shown.caption = windowTitle();
        shown.destination = dirEdit->text();
        shown.handling = handling();
        shown.overskrivChecked = overskriv();
        const messages::DialogSeam::ClashAnswer answer = responder(shown);
        if (answer.handling >= 0)
            vaelgHandling(answer.handling);
        if (answer.overskriv)
            checkOverskriv->setChecked(*answer.overskriv);
        setResult(messages::mrOk);
        return messages::mrOk;
    }
    QWidget *centreOn = parentWidget() ? parentWidget()->window() : QApplication::activeWindow();
    const QRect area = centreOn ? centreOn->frameGeometry() : screen()->availableGeometry();
    move(area.center() - QPoint(width() / 2, height() / 2));
    return QDialog::exec();
}

void TExistsForm::reject()
{
    done(messages::mrCancel);
}
