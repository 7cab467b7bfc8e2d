#include "tools/wmi/wmiform.h"

#include "core/files.h"
#include "core/linefile.h"
#include "core/messages.h"
#include "core/paths.h"
#include "dialogs/actionlist.h"
#include "dialogs/services.h"
#include "dialogs/widgets.h"
#include "tools/wmi/applets.h"
#include "tools/wmi/waform.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

TwmiForm *wmiForm = nullptr;

namespace {

constexpr int kShowNormal = 1;
const char *const kVaelg = "Vælg en wmi class";

TToolHost *host()
{
    return toolHost();
}

void unknownError()
{
    messages::inform("Der opstod en ukendt fejl.");
}

// The installed script of a Windows name, in the host's naming.
QString installed(const QString &folder, const QString &windowsName)
{
    return folder + "\\" + core::scriptFileName(windowsName);
}

} // namespace

TwmiForm::TwmiForm(bool internal, QWidget *parent)
    : TToolForm("WMI", internal, parent)
{
    setObjectName("wmiForm");
    if (host()) {
        wmiMappe = services::folders()->brugerMappe() + "\\WMI";
        wmidir = services::folders()->programMappe() + "\\Programfiler";
    }
    if (!wmiMappe.isEmpty() && !core::directoryExists(wmiMappe))
        core::forceDirectories(wmiMappe);
    wmiFile = installed(wmidir, "_wmiClasses.wsf");
    udskrivFile = installed(wmidir, "_udskrivKode.wsf");
    udskrivFileHTML = installed(wmidir, "_udskrivKodeHTML.wsf");
    // The installation is only read: the class list is written where the scripts go.
    classFile = wmiMappe + "\\classes.txt";
    Timer = new QTimer(this);
    Timer->setInterval(kPollInterval);
    connect(Timer, &QTimer::timeout, this, [this] { TimerTimer(); });
    buildActions();
    buildUi();
    if (!showInternt) {
        optFilnavn = core::delimKon(services::folders()->optMappe()) + "WMI.txt";
        hentOpt();
        browserPanel->hide();
        setFixedSize(kWidth, kHeight);
    }
    wmiForm = this;
}

TwmiForm::~TwmiForm()
{
    if (wmiForm == this)
        wmiForm = nullptr;
}

QString TwmiForm::scriptName(const QString &klasse, bool html)
{
    // Where the platform runs scripts of its own kind, the generated ones are shell scripts.
    const QString ext = core::scriptFileName("x.vbs") == u"x.vbs" ? ".vbs" : ".sh";
    return klasse + (html ? "_Html" : "") + ext;
}

void TwmiForm::buildActions()
{
    actions = new ActionList(this);
    actions->add(
        "AloadListe", "Hent classes", {},
        "Hent (opdater) systemets wmi classes til namespace root/CIMV2. Dette kan tage lidt tid!",
        [this] { AloadListeExecute(); }, [this] { return !namespaceDone; });
    actions->add(
        "Awmi", "Indlæs classes", {}, "Indlæs classes til Namespace: root\\CIMV2 ", [this] { AwmiExecute(); },
        [this] { return !wmiDone && core::fileExists(classFile); });
    actions->add(
        "AmakeFile", "Skriv scriptet", {}, "Skriver scriptet og åbner det", [this] { makeFile(false); },
        [this] { return wmiBox && wmiBox->currentIndex() > 0 && core::fileExists(udskrivFile); });
    actions->add(
        "AmakeFileHTML", "Skriv HTML", {},
        "Skriver scriptet og åbner det. Når det køres er output en html fil", [this] { makeFile(true); },
        [this] { return wmiBox && wmiBox->currentIndex() > 0 && core::fileExists(udskrivFileHTML); });
    actions->add("googleUrlen", "Søg", {}, "Skriv en søgetekst i feltet og søg efter den på nettet", [this] {
        const int result = core::shellExecute("open", googleUrl(), QString(), QString(), kShowNormal);
        if (result <= 32 && host())
            services::status()->ErrorInfo(result);
    });
}

void TwmiForm::buildUi()
{
    auto *columns = new QHBoxLayout(this);
    auto *side = new QWidget(this);
    side->setFixedWidth(kWidth - 20);
    auto *layout = new QVBoxLayout(side);
    auto *heading = new QLabel("WMI", side);
    QFont big = heading->font();
    big.setPointSize(big.pointSize() + 6);
    big.setBold(true);
    heading->setFont(big);
    layout->addWidget(heading);
    layout->addWidget(widgets::note(
        "1. Indlæs WMI klasser  2. Vælg klasse  3. Skriv scriptet eller Skriv HTML 4. Se output", side));

    auto *row = new QHBoxLayout;
    for (const char *name : {"AloadListe", "Awmi"})
        row->addWidget(widgets::actionButton(actions->action(name), side, {{}, Qt::ToolButtonTextOnly}));
    auto *ns = new QLabel("root\\cimv2", side);
    ns->setObjectName("namespaceLabel");
    row->addWidget(ns);
    row->addStretch();
    layout->addLayout(row);

    wmiBox = new QComboBox(side);
    wmiBox->setObjectName("wmiBox");
    wmiBox->setMaxVisibleItems(24);
    connect(wmiBox, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index > 0)
            findEdit->setText(wmiBox->itemText(index));
        actions->updateAll();
    });
    layout->addWidget(wmiBox);

    auto *write = new QHBoxLayout;
    for (const char *name : {"AmakeFile", "AmakeFileHTML"})
        write->addWidget(widgets::actionButton(actions->action(name), side, {{}, Qt::ToolButtonTextOnly}));
    write->addStretch();
    layout->addLayout(write);

    auto *search = new QHBoxLayout;
    search->addWidget(new QLabel("Søge tekst", side));
    findEdit = new QLineEdit(side);
    findEdit->setObjectName("findEdit");
    findEdit->setStatusTip("Søgefelt");
    findEdit->setToolTip("Søgefelt");
    search->addWidget(findEdit, 1);
    search->addWidget(
        widgets::actionButton(actions->action("googleUrlen"), side, {{}, Qt::ToolButtonTextOnly}));
    layout->addLayout(search);

    auto *applets = new QHBoxLayout;
    const QString appletsDir = services::folders()->appletsMappe();
    for (const char *name : {"winApp17", "winApp6"})
        applets->addWidget(appletButton(appletsDir, *appletByName(name), side));
    layout->addLayout(applets);
    layout->addStretch(1);

    auto *closeRow = new QHBoxLayout;
    QToolButton *info = widgets::infoButton("infoKnap", side);
    connect(info, &QToolButton::clicked, this, [] { services::help()->InfoHelp("WMI.html"); });
    info->setVisible(!showInternt);
    closeRow->addWidget(info);
    closeRow->addStretch(1);
    auto *luk = new QPushButton("Luk", side);
    luk->setObjectName("lukKnap");
    connect(luk, &QPushButton::clicked, this, [this] { closeWindow(); });
    closeRow->addWidget(luk);
    layout->addLayout(closeRow);
    columns->addWidget(side);

    browserPanel = new QWidget(this);
    auto *right = new QVBoxLayout(browserPanel);
    right->setContentsMargins(0, 0, 0, 0);
    right->addWidget(new QLabel("Information", browserPanel));
    Browser = new QTextBrowser(browserPanel);
    Browser->setObjectName("Browser");
    right->addWidget(Browser, 1);
    showHelpPage(Browser, "WMI2.html");
    columns->addWidget(browserPanel, 1);
}

bool TwmiForm::goScript(const QString &file, const QString &parameters, const QString &folder)
{
    const int result =
        core::nameOf(file).endsWith(u".bat", Qt::CaseInsensitive)
            ? core::shellExecute("open", "cmd", "/K " + core::nameOf(file), QString(), kShowNormal)
            : core::shellExecute("open", file, parameters, folder, kShowNormal);
    if (result <= 32) {
        services::status()->ErrorInfo(result);
        return false;
    }
    return true;
}

void TwmiForm::AloadListeExecute()
{
    try {
        if (!core::fileExists(wmiFile))
            return;
        wmiBox->clear();
        if (core::fileExists(classFile))
            core::deleteFile(classFile);
        // The generator writes its list into its working folder.
        goScript(wmiFile, QString(), wmiMappe);
        wmiDone = false;
        namespaceDone = true;
    } catch (const std::exception &) {
        unknownError();
    }
    actions->updateAll();
}

void TwmiForm::AwmiExecute()
{
    try {
        const auto lines = core::readLines(classFile);
        if (!lines) {
            unknownError();
            return;
        }
        QStringList classes = *lines;
        if (!classes.isEmpty() && classes.last().isEmpty())
            classes.removeLast();
        const QSignalBlocker blocker(wmiBox);
        wmiBox->clear();
        wmiBox->addItems(classes);
        wmiBox->insertItem(0, kVaelg);
        wmiBox->setCurrentIndex(0);
        wmiDone = true;
    } catch (const std::exception &) {
        unknownError();
    }
    actions->updateAll();
}

void TwmiForm::makeFile(bool html)
{
    const QString klasse = wmiBox->currentIndex() > 0 ? wmiBox->currentText() : QString();
    if (klasse.isEmpty())
        return;
    try {
        if (core::directoryExists(wmiMappe)) {
            vbsFile = wmiMappe + "\\" + scriptName(klasse, html);
            if (core::fileExists(vbsFile))
                core::deleteFile(vbsFile);
        }
        if (goScript(html ? udskrivFileHTML : udskrivFile, core::quoteArgument(klasse), wmiMappe))
            Timer->start();
    } catch (const std::exception &) {
        unknownError();
    }
}

void TwmiForm::TimerTimer()
{
    if (vbsFile.isEmpty() || !core::fileExists(vbsFile))
        return;
    Timer->stop();
    // A script of the host's console kind runs in a console that stays open, so its output can
    // be read; anything else is opened as the shell opens it.
    const int result = core::isConsoleScript(vbsFile)
                           ? core::runInConsole(vbsFile, wmiMappe)
                           : core::shellExecute("open", vbsFile, QString(), QString(), kShowNormal);
    if (result <= 32 && host())
        services::status()->ErrorInfo(result);
    services::explorers()->aktiverWinform(false, wmiMappe);
}

QString TwmiForm::googleUrl() const
{
    return core::webSearchAddress("https://www.google.com/search?q=", findEdit->text());
}

void TwmiForm::activated() {}

void TwmiForm::closing()
{
    Timer->stop();
}

void TwmiForm::hentOpt()
{
    int left = kDefaultLeft, top = kDefaultTop;
    const auto lines = core::readLines(optFilnavn);
    if (lines && lines->size() == 2) {
        bool leftOk = false, topOk = false;
        const int l = lines->at(0).toInt(&leftOk);
        const int t = lines->at(1).toInt(&topOk);
        if (leftOk && topOk) {
            left = l;
            top = t;
        }
    }
    move(left, top);
}

void TwmiForm::gemOpt()
{
    core::writeLinesOrSay(optFilnavn, {QString::number(x()), QString::number(y())});
}
