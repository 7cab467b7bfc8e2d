#include "tools/wmi/waform.h"

#include "core/files.h"
#include "dialogs/services.h"
#include "tools/wmi/applets.h"

#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

TwaForm *waForm = nullptr;

void showHelpPage(QTextBrowser *browser, const QString &page)
{
    const QString folder = services::folders()->infoMappe();
    const QString path = core::hostPath(folder + page);
    if (path.isEmpty() || !QFile::exists(path)) {
        browser->setPlainText("Hjælpesiden " + page + " findes ikke.");
        return;
    }
    // Links of the page resolve against its own folder.
    browser->setSource(QUrl::fromLocalFile(path));
}

TwaForm::TwaForm(QWidget *parent)
    : TToolForm("Window Applets", true, parent)
{
    setObjectName("waForm");
    auto *columns = new QHBoxLayout(this);
    auto *side = new QWidget(this);
    auto *layout = new QVBoxLayout(side);
    auto *heading = new QLabel("Window Applets", side);
    QFont big = heading->font();
    big.setPointSize(big.pointSize() + 6);
    big.setBold(true);
    heading->setFont(big);
    layout->addWidget(heading);
    layout->addWidget(new QLabel("Nemadgang til forskellige Windows elementer", side));
    const QString appletsDir = services::folders()->appletsMappe();
    bool someMissing = false;
    for (const QList<Applet> &group : appletGroups()) {
        auto *box = new QGroupBox(side);
        auto *grid = new QGridLayout(box);
        for (int i = 0; i < group.size(); ++i) {
            QToolButton *button = appletButton(appletsDir, group[i], box);
            someMissing = someMissing || !button->isEnabled();
            grid->addWidget(button, i / 3, i % 3);
        }
        layout->addWidget(box);
    }
    if (someMissing) {
        auto *note = new QLabel(
            "Grå knapper: systemet har ikke et program til dem. Knappens hint siger hvilke.", side);
        note->setObjectName("appletNote");
        note->setWordWrap(true);
        layout->addWidget(note);
    }
    layout->addStretch(1);
    auto *closeRow = new QHBoxLayout;
    closeRow->addStretch(1);
    auto *luk = new QPushButton("Luk", side);
    luk->setObjectName("lukKnap");
    connect(luk, &QPushButton::clicked, this, [this] { closeWindow(); });
    closeRow->addWidget(luk);
    layout->addLayout(closeRow);
    side->setFixedWidth(520);
    columns->addWidget(side);

    auto *right = new QVBoxLayout;
    right->addWidget(new QLabel("Information", this));
    Browser = new QTextBrowser(this);
    Browser->setObjectName("Browser");
    right->addWidget(Browser, 1);
    showHelpPage(Browser, "Applets2.html");
    columns->addLayout(right, 1);
    waForm = this;
}

TwaForm::~TwaForm()
{
    if (waForm == this)
        waForm = nullptr;
}

void TwaForm::closing() {}
