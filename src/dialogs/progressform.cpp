#include "dialogs/progressform.h"

#include "dialogs/progresslists.h"
#include "dialogs/widgets.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

namespace {

QProgressBar *bar(const QString &name, QWidget *parent)
{
    auto *progress = new QProgressBar(parent);
    progress->setObjectName(name);
    progress->setRange(0, 100);
    progress->setValue(0);
    progress->setTextVisible(false);
    progress->setFixedHeight(16);
    return progress;
}

QLabel *label(const QString &name, const QString &text, QWidget *parent)
{
    auto *shown = new QLabel(text, parent);
    shown->setObjectName(name);
    return shown;
}

} // namespace

Tprogressform::Tprogressform(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint)
{
    setObjectName("progressform");
    setWindowTitle("Kopierer mapper og filer");
    resize(400, 362);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(4);

    LabelInfo = label("LabelInfo", "Kopierings information", this);
    layout->addWidget(LabelInfo);
    pBar = bar("pBar", this);
    layout->addWidget(pBar);

    auto *remaining = new QHBoxLayout;
    remaining->setSpacing(0);
    LabelProcent = label("LabelProcent", "0%", this);
    remaining->addWidget(LabelProcent);
    remaining->addWidget(new QLabel(" Resterende elementer: ", this));
    LabelResterende = label("LabelResterende", " ", this);
    remaining->addWidget(LabelResterende, 1);
    layout->addLayout(remaining);
    pBarAll = bar("pBarAll", this);
    layout->addWidget(pBarAll);

    auto *counting = new QHBoxLayout;
    pBarAktiv = bar("pBarAktiv", this);
    pBarAktiv->setFixedWidth(90);
    counting->addWidget(pBarAktiv);
    infoBar = new QStatusBar(this);
    infoBar->setObjectName("infoBar");
    infoBar->setSizeGripEnabled(false);
    infoBar->addWidget(new QLabel(" Indlæste mapper", infoBar));
    m_panel2 = label("panel2", QString(), infoBar);
    infoBar->addWidget(m_panel2, 1);
    counting->addWidget(infoBar, 1);
    stopButton = new QPushButton("Stop", this);
    stopButton->setObjectName("stopButton");
    const QString hint =
        QString("Stop processen på eget ansvar.\r\nKopieringen er muligvist ikke gennemført.")
            .replace(QLatin1String("\r\n"), QLatin1String("\n"));
    stopButton->setToolTip(hint);
    stopButton->setStatusTip(hint);
    connect(stopButton, &QPushButton::clicked, this, &Tprogressform::stop);
    counting->addWidget(stopButton);
    layout->addLayout(counting);

    layout->addWidget(new QLabel("Destination", this));
    destinationEdit = widgets::field("destinationEdit", QString(), this);
    layout->addWidget(destinationEdit);
    kildeLabel = label("kildeLabel", "Kildemapper", this);
    layout->addWidget(kildeLabel);
    listbox = dialogs::folderCheckList(this);
    layout->addWidget(listbox, 1);
    infoLabel = label("infoLabel", QString(), this);
    infoLabel->setWordWrap(true);
    layout->addWidget(infoLabel);
}

QString Tprogressform::kildeTekst(int antalMapper)
{
    if (antalMapper == 1)
        return "Der kopieres 1 mappe:";
    return "Der kopieres " + QString::number(antalMapper) + " mapper:";
}

void Tprogressform::nulstil(const QString &destination, int antalMapper)
{
    kildeLabel->setText(kildeTekst(antalMapper));
    listbox->clear();
    pBarAktiv->setRange(0, std::max(antalMapper, 1));
    pBarAktiv->setValue(0);
    pBar->setValue(0);
    pBarAll->setValue(0);
    LabelInfo->clear();
    LabelResterende->clear();
    LabelProcent->setText("0%");
    destinationEdit->setText(destination);
    infoLabel->clear();
}

void Tprogressform::tilfoejMappe(const QString &mappe)
{
    dialogs::addFolder(listbox, mappe);
}

void Tprogressform::markerMappe(int index)
{
    dialogs::checkFolder(listbox, index);
}

void Tprogressform::setIndlaesteMapper(int antal)
{
    m_panel2->setText(QString::number(antal));
}

void Tprogressform::setTaelteMapper(int antal)
{
    setIndlaesteMapper(antal);
    pBarAktiv->setValue(std::min(antal, pBarAktiv->maximum()));
}

QString Tprogressform::indlaesteMapper() const
{
    return m_panel2->text();
}

void Tprogressform::showEvent(QShowEvent *event)
{
    // A stop pressed during the last paste must not stop the next one.
    FCancel = false;
    QWidget::showEvent(event);
}
