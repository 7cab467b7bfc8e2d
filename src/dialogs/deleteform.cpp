#include "dialogs/deleteform.h"

#include "dialogs/progresslists.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QVBoxLayout>

namespace {

QLabel *label(const QString &name, const QString &text, QWidget *parent)
{
    auto *shown = new QLabel(text, parent);
    shown->setObjectName(name);
    return shown;
}

QFrame *line(QWidget *parent)
{
    auto *frame = new QFrame(parent);
    frame->setFrameShape(QFrame::HLine);
    frame->setFrameShadow(QFrame::Sunken);
    return frame;
}

} // namespace

Tdeleteform::Tdeleteform(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::WindowStaysOnTopHint)
{
    setObjectName("deleteform");
    setWindowTitle("Sletter mapper og filer");
    resize(384, 299);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(4);
    destLabel = label("destLabel", "Der slettes til papirkurv / Sletningen er permanent", this);
    QFont bold = destLabel->font();
    bold.setBold(true);
    destLabel->setFont(bold);
    layout->addWidget(destLabel);
    layout->addWidget(line(this));
    LabelInfo = label("LabelInfo", "Kopierings information", this);
    layout->addWidget(LabelInfo);

    auto *remaining = new QHBoxLayout;
    remaining->setSpacing(0);
    LabelProcent = label("LabelProcent", "0%", this);
    remaining->addWidget(LabelProcent);
    remaining->addWidget(new QLabel(" Resterende elementer: ", this));
    LabelResterende = label("LabelResterende", QString(), this);
    remaining->addWidget(LabelResterende, 1);
    layout->addLayout(remaining);

    proBar = new QProgressBar(this);
    proBar->setObjectName("proBar");
    proBar->setRange(0, 100);
    proBar->setValue(0);
    proBar->setTextVisible(false);
    proBar->setFixedHeight(16);
    layout->addWidget(proBar);
    layout->addWidget(line(this));
    mapperLabel = label("mapperLabel", "Følgende mapper slettes", this);
    layout->addWidget(mapperLabel);
    listbox = dialogs::folderCheckList(this);
    layout->addWidget(listbox, 1);
}

QString Tdeleteform::mapperTekst(int antalMapper)
{
    if (antalMapper == 1)
        return "Følgende 1 mappe slettes:";
    return "Følgende " + QString::number(antalMapper) + " mapper slettes:";
}

void Tdeleteform::nulstil(const QString &heading, int antalMapper)
{
    listbox->clear();
    proBar->setValue(0);
    LabelInfo->clear();
    LabelResterende->clear();
    LabelProcent->setText("0%");
    destLabel->setText(heading);
    mapperLabel->setText(mapperTekst(antalMapper));
}

void Tdeleteform::tilfoejMappe(const QString &mappe)
{
    dialogs::addFolder(listbox, mappe);
}

void Tdeleteform::markerMappe(int index)
{
    dialogs::checkFolder(listbox, index);
}
