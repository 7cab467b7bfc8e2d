#include "explorer/winform.h"

#include "core/files.h"
#include "core/linefile.h"
#include "core/messages.h"
#include "core/optionlines.h"
#include "core/paths.h"
#include "dialogs/actionlist.h"
#include "dialogs/radiogroup.h"
#include "dialogs/tablook.h"
#include "explorer/activityindicator.h"
#include "explorer/listeform.h"
#include "explorer/mainhost.h"
#include "fileops/metodecompo.h"
#include "lists/reopenfiler.h"
#include "platform/Platform.h"
#include "structures/strukturcompo.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFormLayout>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QSplitter>
#include <QTabBar>
#include <QTabWidget>
#include <QThreadPool>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace {

TMainHost *g_host = nullptr;

QCheckBox *check(const QString &name, const QString &caption, QWidget *parent, bool checked = false)
{
    auto *box = new QCheckBox(caption, parent);
    box->setObjectName(name);
    box->setChecked(checked);
    return box;
}

RadioGroup *radio(const QString &name, const QString &title, const QStringList &items, int index,
                  QWidget *parent, Qt::Orientation orientation = Qt::Vertical)
{
    auto *group = new RadioGroup(title, items, parent, orientation);
    group->setObjectName(name);
    group->setItemIndex(index);
    return group;
}

QLineEdit *field(const QString &name, const QString &text, QWidget *parent)
{
    auto *edit = new QLineEdit(text, parent);
    edit->setObjectName(name);
    edit->setReadOnly(true);
    return edit;
}

// A page switch: "Vist" when on, "Skjult" when off.
QPushButton *pageSwitch(const QString &name, QWidget *parent)
{
    auto *button = new QPushButton("Vist", parent);
    button->setObjectName(name);
    button->setCheckable(true);
    button->setChecked(true);
    button->setFixedWidth(72);
    QObject::connect(button, &QPushButton::toggled, button, [button](bool on) {
        button->setText(on ? QStringLiteral("Vist") : QStringLiteral("Skjult"));
    });
    return button;
}

QToolButton *infoButton(const QString &name, QWidget *parent)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(name);
    button->setIcon(QIcon::fromTheme("dialog-information"));
    button->setAutoRaise(true);
    return button;
}

} // namespace

TMainHost *mainHost()
{
    return g_host;
}

void setMainHost(TMainHost *host)
{
    g_host = host;
}

// ---------------------------------------------------------------------------------------------
// Creation

Twinform::Twinform(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setAcceptDrops(true);
    opstart = true;
    buildActions();
    buildUi();
    setAktivitetsNr(0, 0);
    funkTilladt = true;
    aktivitetsAntal = 0;
    funkNo = -1;

    const int number = g_host ? g_host->newCount() : 1;
    StifinderNavn = "Stifinder " + QString::number(number);
    setObjectName(StifinderNavn);
    setWindowTitle(StifinderNavn);
    const QString optMappe = g_host ? g_host->optMappe() : QString();
    optFilnavn = optMappe + StifinderNavn + ".txt";

    createLists();
    metodeX = new TMetodeCompo(this);
    TStrukturCompo *struktur = metodeX->strukturY();

    HentOpt();
    bestemTabs();
    newMetodeObjekt();
    if (g_host && metodeX->ownsKlipbord())
        g_host->createClipboardWindow(metodeX->klipbord(), false, number);
    metodeX->onVisKlipbord = [this] {
        if (g_host)
            g_host->showClipboardWindow(metodeX->klipbord());
    };
    metodeX->onUdskrivTilWin = [this](const QString &text) { sizeLabel->setText(text); };
    buildMenus();
    setMarkerButton();

    redskabsCheckClick();
    if (g_host) {
        applyTreeFont(g_host->treeFontSize(), g_host->treeFontName());
        topPanel->setVisible(g_host->vistoppanel());
    }

    struktur->setGemHentFilnavn(savedTreeFile());
    struktur->setStruktur1(MappeStruktur);
    struktur->setStruktur2(FilStruktur);
    struktur->setOnDirectoryChange([this](const QString &path, bool medSti) { mappeKontrol(path, medSti); });
    struktur->setShowPrivate(privatCheckBox->isChecked());
    struktur->setShowHidden(hiddenCheck->isChecked());

    if (!makeOpstartStrukturer()) {
        struktur->setAktiveStruktur(1);
        struktur->makePreDrives();
        struktur->setAktiveStruktur(2);
        mappeKontrol(struktur->makeStruktur2(QString()), true);
    }
    if (g_host) {
        applyTabLook(g_host->bogfanerIndex());
        setTreeLines(g_host->strukturLinjer());
    }
    FavDir->HentReopenFiler();
    FavFiler->HentReopenFiler();
}

Twinform::~Twinform() = default;

QString Twinform::historyFile() const
{
    return (g_host ? g_host->optMappe() : QString()) + "historiemapper" + StifinderNavn.mid(10) + ".txt";
}

QString Twinform::favouriteFoldersFile() const
{
    return (g_host ? g_host->optMappe() : QString()) + "favoritmapper" + StifinderNavn.mid(10) + ".txt";
}

QString Twinform::favouriteFilesFile() const
{
    return (g_host ? g_host->optMappe() : QString()) + "favoritfiler" + StifinderNavn.mid(10) + ".txt";
}

QString Twinform::savedTreeFile() const
{
    return (g_host ? g_host->optMappe() : QString()) + "GemHentStruktur " + StifinderNavn + ".txt";
}

void Twinform::createLists()
{
    historieDir = new TReopenFilerY(this);
    historieDir->SetItemfile(historyFile());
    historieDir->SetListeBoks(HistorieListe);
    historieDir->SetItemtype(itBibliotek);
    historieDir->SetOnDblListeKlik([this](const QString &, const QString &) { skiftHisDir(); });
    historieDir->SetOnListeKlik([this](const QString &, const QString &) { skiftHisDir(); });

    FavDir = new TReopenFilerX(this);
    FavDir->SetItemfile(favouriteFoldersFile());
    FavDir->SetListeBoks(favoritliste);
    FavDir->SetItemtype(itBibliotek);
    FavFiler = new TReopenFilerX(this);
    FavFiler->SetItemfile(favouriteFilesFile());
    FavFiler->SetListeBoks(favfilerListe);
    FavFiler->SetItemtype(itFil);

    findDir = new TReopenFilerX(this);
    findDir->SetListeBoks(mappeBoxen);
    findDir->SetItemtype(itBibliotek);
    findFiler = new TReopenFilerX(this);
    findFiler->SetListeBoks(filBoxen);
    findFiler->SetItemtype(itFil);
}

void Twinform::newMetodeObjekt()
{
    if (g_host)
        g_host->setKlipbord(this);
    metodeX->setBoolVisKlipbord(visKlipbordCheck->isChecked());
    metodeX->setFlytElementer(false);
}

// ---------------------------------------------------------------------------------------------
// Options file

void Twinform::defaultOpt()
{
    TStrukturCompo *struktur = metodeX->strukturY();
    struktur->setMappenavn("C:");
    struktur->setFilnavn(QString());
    splitter->setSizes({300, splitter->sizes().value(1, 400), splitter->sizes().value(2, 260)});
    privatCheckBox->setChecked(false);
    RadioOpstart->setItemIndex(0);
    hiddenCheck->setChecked(false);
    udfoldCheck->setChecked(false);
}

void Twinform::HentOpt()
{
    const auto read = core::readLines(optFilnavn);
    if (!read || read->size() != kOptionLines) {
        defaultOpt();
        return;
    }
    const QStringList &lines = *read;
    TStrukturCompo *struktur = metodeX->strukturY();
    auto box = [&](QCheckBox *target, int line) {
        target->setChecked((core::optionInt(lines.at(line)) & 0xFF) != 0);
    };
    auto toggle = [&](QPushButton *target, int line) {
        target->setChecked(core::optionInt(lines.at(line)) == 1);
    };
    try {
        struktur->setMappenavn(lines.at(0));
        struktur->setFilnavn(lines.at(1));
        QList<int> sizes = splitter->sizes();
        sizes[0] = core::optionInt(lines.at(2));
        splitter->setSizes(sizes);
        box(privatCheckBox, 3);
        RadioOpstart->setItemIndex(core::optionInt(lines.at(4)));
        box(hiddenCheck, 5);
        mappeBox->setItemIndex(core::optionInt(lines.at(6)));
        winBog->setCurrentIndex(core::optionInt(lines.at(7)));
        favoritBog->setCurrentIndex(core::optionInt(lines.at(8)));
        spmBox->setItemIndex(core::optionInt(lines.at(9)));
        resultBox->setItemIndex(core::optionInt(lines.at(10)));
        box(DragDropCheck, 11);
        box(opdaterCheck, 12);
        box(visKlipbordCheck, 13);
        box(rydCheck, 14);
        box(LukCheck, 15);
        box(visIndstillingerCheck, 16);
        fanePlaceringsBox->setItemIndex(core::optionInt(lines.at(17)));
        fanePlaceringsBoxClick();
        box(udfoldCheck, 18);
        redskabsCheck->setItemIndex(core::optionInt(lines.at(19)));
        redskabsCheckClick();
        toggle(tabVisCheck1, 20);
        toggle(tabVisCheck2, 21);
        toggle(tabVisCheck3, 22);
        toggle(tabVisCheck0, 23);
    } catch (const core::BadOptionLine &) {
        defaultOpt();
    }
    if (!core::directoryExists(struktur->mappenavn()))
        struktur->setMappenavn("C:");
    if (!core::fileExists(struktur->filnavn()))
        struktur->setFilnavn(QString());
}

QStringList Twinform::optionLines() const
{
    const TStrukturCompo *struktur = metodeX->strukturY();
    return {
        struktur->mappenavn(),
        struktur->filnavn(),
        QString::number(std::max(MappeStruktur->width(), splitter->sizes().value(0))),
        core::optionFlag(privatCheckBox->isChecked()),
        QString::number(RadioOpstart->itemIndex()),
        core::optionFlag(hiddenCheck->isChecked()),
        QString::number(mappeBox->itemIndex()),
        QString::number(winBog->currentIndex()),
        QString::number(favoritBog->currentIndex()),
        QString::number(spmBox->itemIndex()),
        QString::number(resultBox->itemIndex()),
        core::optionFlag(DragDropCheck->isChecked()),
        core::optionFlag(opdaterCheck->isChecked()),
        core::optionFlag(visKlipbordCheck->isChecked()),
        core::optionFlag(rydCheck->isChecked()),
        core::optionFlag(LukCheck->isChecked()),
        core::optionFlag(visIndstillingerCheck->isChecked()),
        QString::number(fanePlaceringsBox->itemIndex()),
        core::optionFlag(udfoldCheck->isChecked()),
        QString::number(redskabsCheck->itemIndex()),
        core::optionFlag(tabVisCheck1->isChecked()),
        core::optionFlag(tabVisCheck2->isChecked()),
        core::optionFlag(tabVisCheck3->isChecked()),
        core::optionFlag(tabVisCheck0->isChecked()),
    };
}

void Twinform::GemOpt()
{
    core::writeLines(optFilnavn, optionLines());
}

bool Twinform::makeOpstartStrukturer()
{
    TStrukturCompo *struktur = metodeX->strukturY();
    try {
        const int mode = RadioOpstart->itemIndex();
        if (mode <= 0) {
            struktur->setAktiveStruktur(1);
            struktur->makePreDrives();
            struktur->setAktiveStruktur(2);
            mappeKontrol(struktur->makeStruktur2(QString()), true);
            return true;
        }
        const QString folder = struktur->mappenavn();
        const QString file = struktur->filnavn();
        struktur->udfoldStruktur1(folder, mode == 2);
        struktur->setAktiveStruktur(2);
        if (core::fileExists(file)) {
            mappeKontrol(struktur->SelectFil(file), true);
        } else {
            mappeKontrol(struktur->makeStruktur2(core::directoryExists(folder) ? folder : QString()), true);
        }
        return true;
    } catch (const std::exception &) {
        return false;
    }
}

void Twinform::bestemTabs()
{
    winBog->setTabVisible(0, tabVisCheck1->isChecked());
    winBog->setTabVisible(1, tabVisCheck0->isChecked());
    winBog->setTabVisible(2, tabVisCheck2->isChecked());
    winBog->setTabVisible(3, tabVisCheck3->isChecked());
}

// ---------------------------------------------------------------------------------------------
// Activation and closing

void Twinform::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    fitToolBarToTree();
}

void Twinform::FormActivate()
{
    if (opstart) {
        opstart = false;
        fitToolBarToTree();
        if (g_host) {
            g_host->InsertTab();
            g_host->SetTCindex();
        }
        (metodeX->strukturY()->aktiveStruktur() == 1 ? MappeStruktur : FilStruktur)->setFocus();
        if (g_host && !g_host->tryedBefore()) {
            winBog->setCurrentIndex(4);
            egenskabsBogen->setCurrentIndex(1);
        }
        if (g_host && g_host->sharedClipboard()) {
            Klipbord *klipbord = metodeX->klipbord();
            g_host->udskivKlipbordInf(QString::number(klipbord->Mappeliste->count()),
                                      QString::number(klipbord->Filliste->count()));
        }
        funkNo = metodeX->strukturY()->getNodeId();
        setActionUpdates(g_host && g_host->blokerChecked());
    }
    if (g_host) {
        g_host->fokusTab(StifinderNavn);
        g_host->setEditSti(aktuelleSti);
    }
    stifindernavnLabel->setText(StifinderNavn);
}

void Twinform::FormClose()
{
    if (m_closed)
        return;
    m_closed = true;
    if (g_host && metodeX->ownsKlipbord())
        g_host->destroyClipboardWindow(metodeX->klipbord());
    GemOpt();
    FavDir->GemReopenFiler();
    FavFiler->GemReopenFiler();
    if (g_host) {
        g_host->explorerClosed();
        g_host->CloseTab(StifinderNavn);
    }
}

void Twinform::closeEvent(QCloseEvent *event)
{
    FormClose();
    event->accept();
}

// ---------------------------------------------------------------------------------------------
// Activity, operations and enabling rules

void Twinform::setAktivitetsNr(int ant, int infoNo)
{
    aktivitetsAntal += ant;
    funkTilladt = aktivitetsAntal <= 0;
    if (AktivitetBoks)
        AktivitetBoks->setSpinning(!funkTilladt);
    if (g_host && g_host->beskedChecked()) {
        if (infoNo == 1)
            setBeskedInfo("Der blev kopieret " +
                          (pasteResultText.isEmpty() ? QStringLiteral("0 bytes") : pasteResultText));
        else if (infoNo == 2)
            setBeskedInfo("Der blev slettet " +
                          (deleteResultText.isEmpty() ? QStringLiteral("0 bytes") : deleteResultText));
    }
    if (actions)
        actions->updateAll();
}

void Twinform::setBeskedInfo(const QString &text)
{
    if (g_host && g_host->beskedChecked())
        g_host->makeInfo("Information", text);
}

bool Twinform::operationBracket(const QString &question, int infoNo, const std::function<void()> &work)
{
    if (g_host && !question.isEmpty() && g_host->runningOperations() > 0 && g_host->sikkerhedsChecked() &&
        !messages::ask(question))
        return false;
    if (g_host) {
        g_host->changeProcessCount(1);
        g_host->updateCloseElement();
    }
    setAktivitetsNr(1, 0);
    QCoreApplication::processEvents();
    work();
    QCoreApplication::processEvents();
    if (g_host) {
        g_host->changeProcessCount(-1);
        g_host->updateCloseElement();
    }
    setAktivitetsNr(-1, infoNo);
    QCoreApplication::processEvents();
    return true;
}

void Twinform::requestRuleEvaluation()
{
    // A pool task whose only work is to hand the evaluation back to the user-interface thread.
    // It does not wait for it: a window closed meanwhile (or a program ending) would leave it
    // waiting forever; the guard is checked on the user-interface thread, where it is safe.
    QPointer<ActionList> rules(actions);
    QThreadPool::globalInstance()->start([rules] {
        QMetaObject::invokeMethod(
            qApp,
            [rules] {
                if (rules)
                    rules->updateAll();
            },
            Qt::QueuedConnection);
    });
}

void Twinform::setActionUpdates(bool bloker)
{
    m_bloker = bloker;
    if (QAction *update = actions->action("ActionUpd"))
        update->setIcon(QIcon::fromTheme(bloker ? "object-locked" : "object-unlocked"));
    requestRuleEvaluation();
}

void Twinform::actionUpdExecute()
{
    if (!g_host)
        return;
    const bool blocking = !g_host->blokerChecked();
    g_host->setBlokerChecked(blocking);
    if (blocking)
        g_host->UdskrivInfo("Andre funktioner blokeres nu ved aktive tidskrævende funktioner.");
    else if (g_host->sikkerhedsChecked())
        g_host->UdskrivInfo(
            "Andre funktioner blokeres ikke ved aktive tidskrævende funktioner, men der informeres.");
    else
        g_host->UdskrivInfo(
            "Andre funktioner blokeres ikke ved aktive tidskrævende funktioner, og der informeres ikke.");
}

// ---------------------------------------------------------------------------------------------
// Navigation

void Twinform::showActiveTree()
{
    const bool first = metodeX->strukturY()->aktiveStruktur() == 1;
    AktiveStrukturEdit->setText(first ? "Struktur 1" : "Struktur 2");
    if (QAction *fokus = actions->action("Fokus"))
        fokus->setIcon(QIcon::fromTheme(first ? "view-list-tree" : "view-list-details"));
}

void Twinform::mappeKontrol(const QString &denneSti, bool medSti)
{
    QCoreApplication::processEvents();
    showActiveTree();
    if (denneSti.isEmpty())
        return;
    if (g_host) {
        g_host->setEditSti(denneSti);
        aktuelleSti = g_host->editSti();
    } else {
        aktuelleSti = denneSti;
    }
    if (core::directoryExists(denneSti)) {
        historieDir->InsertItem(denneSti, core::getLastDirectory(denneSti));
        HListeForandret = true;
    }
    if (medSti)
        udskrivSti(denneSti);
    favChanged = true;
    funkNo = metodeX->strukturY()->getNodeId();
    if (g_host && g_host->runningOperations() > 0)
        requestRuleEvaluation();
}

void Twinform::udskrivSti(const QString &path)
{
    const QSignalBlocker blocker(stibox);
    while (stibox->count() > 0)
        stibox->removeTab(0);
    // Empty components (a path \\server\share, a trailing backslash) get no tab; each tab remembers
    // its component, so choosing a tab always leads to the path up to that tab's name.
    stiArray = path.split(u'\\');
    tabComponents.clear();
    for (int i = 0; i < stiArray.size(); ++i) {
        if (stiArray.at(i).isEmpty())
            continue;
        stibox->addTab(stiArray.at(i));
        tabComponents.append(i);
    }
    stibox->setCurrentIndex(stibox->count() - 1);
    TStrukturCompo *struktur = metodeX->strukturY();
    if (core::directoryExists(path)) {
        struktur->setMappenavn(path);
        AktuelleElementEdit->setText("Mappe");
        mappenavnFelt->setText(core::getLastDirectory(path));
        filnavnFelt->setText(core::nameOf(struktur->filnavn()));
    } else if (core::fileExists(path)) {
        struktur->setFilnavn(path);
        struktur->setMappenavn(core::folderOf(path));
        mappenavnFelt->setText(core::getLastDirectory(core::folderOf(path)));
        filnavnFelt->setText(core::nameOf(path));
        AktuelleElementEdit->setText("Fil");
    }
    mappeLabel->setText(mappenavnFelt->text());
}

QString Twinform::getStien(int tabIndex) const
{
    const int component = tabComponents.value(tabIndex, tabIndex);
    return stiArray.mid(0, component + 1).join(u'\\');
}

void Twinform::stiboxChange(int index)
{
    if (index < 0)
        return;
    TStrukturCompo *struktur = metodeX->strukturY();
    struktur->setAktiveStruktur(2);
    const QString path = getStien(index);
    if (core::fileExists(path)) {
        struktur->setFilnavn(path);
        struktur->setMappenavn(core::folderOf(path));
        mappeKontrol(struktur->SelectFil(path), false);
    } else {
        struktur->setFilnavn(QString());
        struktur->setMappenavn(path);
        mappeKontrol(struktur->makeStruktur2(path), false);
    }
}

void Twinform::MappeStrukturClick()
{
    TStrukturCompo *struktur = metodeX->strukturY();
    struktur->setAktiveStruktur(1);
    struktur->setFilnavn(QString());
    mappeKontrol(struktur->getDirectory(), true);
}

void Twinform::MappeStrukturDblClick()
{
    TStrukturCompo *struktur = metodeX->strukturY();
    struktur->setAktiveStruktur(1);
    struktur->udfoldDirectory();
}

void Twinform::FilStrukturClick()
{
    TStrukturCompo *struktur = metodeX->strukturY();
    struktur->setAktiveStruktur(2);
    struktur->setMultiSelect(QApplication::keyboardModifiers() & (Qt::ShiftModifier | Qt::ControlModifier));
    mappeKontrol(struktur->getFileDirectory(false), true);
    struktur->setMultiSelect(false);
}

void Twinform::FilStrukturDblClick()
{
    TStrukturCompo *struktur = metodeX->strukturY();
    struktur->setAktiveStruktur(2);
    const QString path = struktur->udfoldFileDirectory();
    if (core::directoryExists(path))
        mappeKontrol(struktur->makeStruktur2(path), true);
    else if (core::fileExists(path) && g_host)
        g_host->runFilname(path, 0);
}

void Twinform::tilbageExecute()
{
    const int rows = HistorieListe->count();
    if (rows < 2 || HistorieListe->currentRow() < 0)
        return;
    const int row = HistorieListe->currentRow();
    HistorieListe->setCurrentRow(row == 0 ? rows - 1 : row - 1);
    skiftHisDir();
}

void Twinform::fremExecute()
{
    const int rows = HistorieListe->count();
    if (rows < 2 || HistorieListe->currentRow() < 0)
        return;
    const int row = HistorieListe->currentRow();
    HistorieListe->setCurrentRow(row == rows - 1 ? 0 : row + 1);
    skiftHisDir();
}

void Twinform::opdater2Execute()
{
    TStrukturCompo *struktur = metodeX->strukturY();
    if (core::fileExists(struktur->filnavn()))
        struktur->SelectFil(struktur->filnavn());
    else
        struktur->makeStruktur2(struktur->mappenavn());
    QCoreApplication::processEvents();
    struktur->setAktiveStruktur(2);
    mappeKontrol(struktur->mappenavn(), true);
}

void Twinform::skiftHisDir()
{
    const QString folder = historieDir->GetFilnavn(HistorieListe->currentRow());
    if (!core::directoryExists(folder))
        return;
    TStrukturCompo *struktur = metodeX->strukturY();
    struktur->setAktiveStruktur(2);
    mappeKontrol(struktur->makeStruktur2(folder), true);
}

// ---------------------------------------------------------------------------------------------
// Layout switches

void Twinform::redskabsCheckClick()
{
    auto *body = qobject_cast<QVBoxLayout *>(layout());
    if (!body)
        return;
    body->removeWidget(Redskabslinje);
    const int position = redskabsCheck->itemIndex();
    if (position == 1)
        body->addWidget(Redskabslinje);
    else
        body->insertWidget(2, Redskabslinje);
    Redskabslinje->setVisible(position != 2);
}

void Twinform::fanePlaceringsBoxClick()
{
    static const QTabWidget::TabPosition positions[] = {QTabWidget::West, QTabWidget::North,
                                                        QTabWidget::East};
    const int index = fanePlaceringsBox->itemIndex();
    winBog->setTabPosition(positions[index >= 0 && index <= 2 ? index : 0]);
}

void Twinform::aTopPanelExecute()
{
    topPanel->setVisible(topPanel->isHidden());
    if (g_host)
        g_host->setVistoppanel(!topPanel->isHidden());
}

void Twinform::applyTreeFont(int pointSize, const QString &fontName)
{
    for (StrukturView *tree : {MappeStruktur, FilStruktur}) {
        QFont font = tree->font();
        font.setPointSize(pointSize);
        if (fontName != QLatin1String("Default"))
            font.setFamily(fontName);
        else
            font.setFamily(QApplication::font().family());
        tree->setFont(font);
    }
}

void Twinform::applyTabLook(int bogfanerIndex)
{
    for (QTabBar *bar : {stibox, favoritBog->tabBar()})
        setTabLook(bar, bogfanerIndex);
}

void Twinform::setTreeLines(bool on)
{
    MappeStruktur->setLinjer(on);
}

void Twinform::fitToolBarToTree()
{
    funkPanel1->setFixedWidth(std::max(MappeStruktur->width(), kMinimumTreeWidth));
}

// ---------------------------------------------------------------------------------------------
// Dropped files

void Twinform::registerDropped(const QStringList &paths)
{
    for (const QString &path : paths)
        metodeX->RegisterElements(path); // neither folder nor file: skipped
}

void Twinform::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasUrls() && event->source() == nullptr)
        event->acceptProposedAction();
}

void Twinform::dropEvent(QDropEvent *event)
{
    QStringList paths;
    for (const QUrl &url : event->mimeData()->urls()) {
        if (url.isLocalFile())
            paths << core::programPath(url.toLocalFile());
    }
    registerDropped(paths);
    event->acceptProposedAction();
}

QString Twinform::infoText(const QString &button)
{
    static const QHash<QString, QString> texts = {
        {"infUdfold", "Vis alle marker-knapper på redskabslinjen i stedet for at anvende drop-down menu."},
        {"KlipInf01", "Vælg om kopierings-listerne skal vises efter hver kopierings-handling."},
        {"KlipInf02",
         "Vælg om alle valgte emner i listerne skal slettes efter \"Sæt-ind\".\rImodsat fald bevares "
         "de. De skal så slettes manuelt, når det er relevant.\rDet kan anvendes, hvis det kopierede "
         "skal indsættes flere steder."},
        {"KlipInf03",
         "Bestemmer om progressbokse skal lukkes automatisk efter brug.\rI modsat fald skal de lukkes "
         "manuelt."},
        {"KlipInf06",
         "Hvis \"Anvend Drag-Drop-kopiering\" er valg, slettes der ikke efter Drag-Drop-kopiering "
         "selvom det foregår på samme drev.\rDet svarer således til normalkopiering men udført som "
         "drag-drop handling."},
        {"KlipInf07",
         "Bestem om mappestrukturen altid skal opdateres efter \"Sæt-Ind\" eller ej.\rHvis ikke skal "
         "den opdateres manuelt efter handlinger, hvor det er nødvendigt."},
        {"klipInf", "Åben altid siden med indstillinger for funktioner, når der klippes eller kopieres."},
        {"sizeInfo",
         "Funktionen beregner hvor meget valgte mapper og filer i Klipbordet fylder.\rDette kan tage lidt "
         "tid, alt efter hvor meget der er placeret i Klipbordet."},
        {"transferShared", "Denne funktion er ikke anvendelig, når filfinderne har fælles klipbord."},
        {"transferInfo", "Overfør data fra klipbordet til andre klipborde.\rAfkryds feltet for at aktivere "
                         "muligheden for at overføre data."},
        {"sammeKinfo",
         "Hvis \"Anvend samme klipbord\" vælges, anvender alle stifindere samme klipbord.\rI modsat "
         "fald har hver stifinder sit eget klipbord."},
        {"gendanInfo", "Gendan klipbordsdata.\rEr kun muligt efter kopiering."},
    };
    return texts.value(button);
}

// ---------------------------------------------------------------------------------------------
// Layout

void Twinform::buildActions()
{
    actions = new ActionList(this);
    actions->add(
        "Tilbage", "Tilbage", {}, "Gå til foregående eller sidste mappe", [this] { tilbageExecute(); },
        [this] { return HistorieListe && HistorieListe->currentRow() >= 0 && HistorieListe->count() > 1; });
    actions->add(
        "Frem", "Frem", {}, "Gå til næste eller første mappe", [this] { fremExecute(); },
        [this] { return HistorieListe && HistorieListe->currentRow() >= 0 && HistorieListe->count() > 1; });
    actions->add("Fokus", "Aktiv mappestruktur", QKeySequence("Alt+1"), "Aktiv mappestruktur: Alt+1", [this] {
        if (metodeX->strukturY()->aktiveStruktur() != 2)
            return;
        metodeX->strukturY()->setAktiveStruktur(1);
        mappeKontrol(metodeX->strukturY()->getDirectory(), true);
        MappeStruktur->setFocus();
    });
    actions->add("Fokus2", "Aktiv filstruktur", QKeySequence("Alt+2"), "Aktiv filstruktur: Alt+2", [this] {
        TStrukturCompo *struktur = metodeX->strukturY();
        if (struktur->aktiveStruktur() != 1)
            return;
        struktur->setAktiveStruktur(2);
        const QString result = core::fileExists(struktur->filnavn())
                                   ? struktur->SelectFil(struktur->filnavn())
                                   : struktur->getFileDirectory(false);
        mappeKontrol(result, true);
        FilStruktur->setFocus();
    });
    actions->add("opdater2", "Opdater", QKeySequence("F6"), "Opdater mappe-fil-strukturen: F6",
                 [this] { opdater2Execute(); });
    actions->add("ActionUpd", "Opdater", QKeySequence("Ctrl+Alt+O"), "Opdater",
                 [this] { actionUpdExecute(); });
    actions->add("aTopPanel", "Toppanel", QKeySequence("F7"), "Vis eller skjul toppanelet: F7",
                 [this] { aTopPanelExecute(); });
    actions->add("opdateActButton", "Opdater funktioner", {}, "Opdater funktioner",
                 [this] { requestRuleEvaluation(); });
    // Saving or loading the tree disables these three until the selection changes again.
    auto treeButtons = [this](bool on) {
        for (const char *name : {"gemStruktur", "hentStruktur", "GHopt"})
            actions->action(name)->setEnabled(on);
    };
    actions->add("gemStruktur", "Gem", QKeySequence("Ctrl+G"), "Gemmer aktuelle mappestruktur: Ctrl+G",
                 [this, treeButtons] {
                     metodeX->strukturY()->GemStrukturen();
                     treeButtons(false);
                 });
    actions->add("hentStruktur", "Hent", QKeySequence("Ctrl+H"), "Hen gemte mappestruktur: Ctrl+H",
                 [this, treeButtons] {
                     metodeX->strukturY()->HentStrukturen(g_host ? g_host->fremFormIndex() : 0);
                     treeButtons(false);
                 });
    actions->add("GHopt", "Bestem fremvisnings metode", {}, "Bestem fremvisnings metode", [] {
        if (g_host)
            g_host->showMainPage(4, 2);
    });
    buildNavigationActions();
    buildClipboardActions();
}

QWidget *Twinform::buildPathBar()
{
    auto *bar = new QWidget(this);
    auto *layout = new QHBoxLayout(bar);
    layout->setContentsMargins(4, 2, 4, 2);
    auto button = [bar](QAction *action, const char *icon) {
        auto *tool = new QToolButton(bar);
        action->setIcon(QIcon::fromTheme(icon));
        tool->setDefaultAction(action);
        tool->setAutoRaise(true);
        return tool;
    };
    Tilbage = button(actions->action("Tilbage"), "go-previous");
    Tilbage->setObjectName("Tilbage");
    Frem = button(actions->action("Frem"), "go-next");
    Frem->setObjectName("Frem");
    stibox = new QTabBar(bar);
    stibox->setObjectName("stibox");
    stibox->setExpanding(false);
    stibox->setDrawBase(false);
    stibox->setUsesScrollButtons(true);
    connect(stibox, &QTabBar::tabBarClicked, this, [this](int index) { stiboxChange(index); });
    layout->addWidget(Tilbage);
    layout->addWidget(Frem);
    layout->addWidget(stibox, 1);
    return bar;
}

QWidget *Twinform::buildToolBar()
{
    Redskabslinje = new QFrame(this);
    Redskabslinje->setObjectName("Redskabslinje");
    Redskabslinje->setFixedHeight(36);
    auto *layout = new QHBoxLayout(Redskabslinje);
    layout->setContentsMargins(4, 2, 4, 2);
    funkPanel1 = new QFrame(Redskabslinje);
    funkPanel1->setObjectName("funkPanel1");
    funkPanel2 = new QFrame(Redskabslinje);
    funkPanel2->setObjectName("funkPanel2");
    auto *left = new QHBoxLayout(funkPanel1);
    left->setContentsMargins(0, 0, 0, 0);
    auto add = [](QHBoxLayout *to, QWidget *parent, QAction *action, const char *icon) {
        auto *tool = new QToolButton(parent);
        action->setIcon(QIcon::fromTheme(icon));
        tool->setDefaultAction(action);
        tool->setAutoRaise(true);
        to->addWidget(tool);
    };
    add(left, funkPanel1, actions->action("Fokus"), "view-list-tree");
    left->addStretch();
    auto *middle = new QHBoxLayout(funkPanel2);
    middle->setContentsMargins(0, 0, 0, 0);
    add(middle, funkPanel2, actions->action("Fokus2"), "view-list-details");
    middle->addStretch();
    layout->addWidget(funkPanel1);
    layout->addWidget(funkPanel2, 1);
    add(layout, Redskabslinje, actions->action("gemStruktur"), "document-save");
    add(layout, Redskabslinje, actions->action("hentStruktur"), "document-open");
    add(layout, Redskabslinje, actions->action("GHopt"), "configure");
    add(layout, Redskabslinje, actions->action("aTopPanel"), "view-split-top-bottom");
    add(layout, Redskabslinje, actions->action("ActionUpd"), "object-unlocked");
    add(layout, Redskabslinje, actions->action("opdateActButton"), "view-refresh");
    return Redskabslinje;
}

QWidget *Twinform::buildKnownFoldersPage()
{
    auto *page = new QWidget;
    page->setObjectName("sideH1");
    auto *layout = new QVBoxLayout(page);
    auto *grid = new QGridLayout;
    static const char *const folders[] = {
        "Adesktopdir", "Adokudir",   "Amusikdir", "Avideodir",   "Apicdir",  "AallUsers", "aFavoritmappe",
        "aDownload",   "aKontakter", "aOneDrev",  "aStartMappe", "Aprogdir", "aKamBil",   "aKamFilm"};
    for (int i = 0; i < 14; ++i) {
        auto *button = new QToolButton(page);
        button->setDefaultAction(actions->action(folders[i]));
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        grid->addWidget(button, i / 2, i % 2);
    }
    layout->addLayout(grid);
    mappeBox =
        radio("mappeBox", "Vælg struktur til visning af mappe", {"Mappestuktur", "Filstruktur"}, 1, page);
    layout->addWidget(mappeBox);
    layout->addStretch();
    return page;
}

QWidget *Twinform::buildHistoryPage()
{
    auto *page = new QWidget;
    page->setObjectName("sideH2");
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(new QLabel("Besøgte mapper", page));
    HistorieListe = new QListWidget(page);
    HistorieListe->setObjectName("HistorieListe");
    layout->addWidget(HistorieListe, 1);
    return page;
}

QWidget *Twinform::buildFavouritesPage()
{
    auto *page = new QWidget;
    page->setObjectName("sideH3");
    auto *layout = new QVBoxLayout(page);
    favoritBog = new QTabWidget(page);
    favoritBog->setObjectName("favoritBog");
    favoritliste = new QListWidget;
    favoritliste->setObjectName("favoritliste");
    favfilerListe = new QListWidget;
    favfilerListe->setObjectName("favfilerListe");
    favoritBog->addTab(favoritliste, "Mapper");
    favoritBog->addTab(favfilerListe, "Filer");
    layout->addWidget(favoritBog, 1);
    return page;
}

QWidget *Twinform::buildSearchPage()
{
    auto *page = new QWidget;
    page->setObjectName("sideH5");
    auto *layout = new QVBoxLayout(page);
    mappeLabel = new QLabel("Søgemappe: Aktuelle element", page);
    mappeLabel->setObjectName("mappeLabel");
    layout->addWidget(mappeLabel);
    mappeBoxen = new QListWidget(page);
    mappeBoxen->setObjectName("mappeBoxen");
    filBoxen = new QListWidget(page);
    filBoxen->setObjectName("filBoxen");
    layout->addWidget(new QLabel("Mapper", page));
    layout->addWidget(mappeBoxen, 1);
    layout->addWidget(new QLabel("Filer", page));
    layout->addWidget(filBoxen, 1);
    return page;
}

QWidget *Twinform::buildSettingsPage()
{
    auto *page = new QWidget;
    page->setObjectName("EgenSiden");
    auto *outer = new QVBoxLayout(page);
    outer->setContentsMargins(0, 0, 0, 0);
    egenskabsBogen = new QTabWidget(page);
    egenskabsBogen->setObjectName("egenskabsBogen");

    auto *egenskaber = new QWidget;
    auto *layout = new QVBoxLayout(egenskaber);
    auto *intro = new QLabel("Bestem om følgende tabs skal være synlige eller skjulte.", egenskaber);
    intro->setWordWrap(true);
    layout->addWidget(intro);
    auto *tools = new QGroupBox("Redskabslinje", egenskaber);
    auto *toolsLayout = new QVBoxLayout(tools);
    auto *udfoldRow = new QHBoxLayout;
    udfoldCheck = check("udfoldCheck", "Vis alle markerknapper", tools);
    auto *infUdfold = infoButton("infUdfold", tools);
    udfoldRow->addWidget(udfoldCheck, 1);
    udfoldRow->addWidget(infUdfold);
    toolsLayout->addLayout(udfoldRow);
    redskabsCheck = radio("redskabsCheck", "Placering", {"Oppe", "Nede", "Ude"}, 0, tools, Qt::Horizontal);
    toolsLayout->addWidget(redskabsCheck);
    layout->addWidget(tools);
    auto *tabs = new QGroupBox("Bogfaner", egenskaber);
    auto *tabsLayout = new QVBoxLayout(tabs);
    fanePlaceringsBox =
        radio("fanePlaceringsBox", "Placering", {"Venstre", "Top", "Højre"}, 0, tabs, Qt::Horizontal);
    tabsLayout->addWidget(fanePlaceringsBox);
    layout->addWidget(tabs);
    auto *klip = new QGroupBox("Klipbord", egenskaber);
    KDTcheck = check("KDTcheck", "Aktiver", klip);
    KDTcheck->setStatusTip("Aktiver funktionen");
    sammeKbutton = new QPushButton("Bestem indstilling", klip);
    sammeKbutton->setObjectName("sammeKbutton");
    sammeKbutton->setStatusTip("Gå til indstillinger angående fælles klipbord");
    connect(sammeKbutton, &QPushButton::clicked, this, [] {
        if (g_host)
            g_host->showMainPage(4, 1, "Program egenskaber");
    });
    auto *transfer = new QToolButton(klip);
    transfer->setDefaultAction(actions->action("KlipbordsdataTransfer"));
    transfer->setToolButtonStyle(Qt::ToolButtonTextOnly);
    auto *transferInfo = infoButton("transferInfo", klip);
    connect(transferInfo, &QToolButton::clicked, this, [] {
        messages::inform(g_host && g_host->sharedClipboard() ? infoText("transferShared")
                                                             : infoText("transferInfo"));
    });
    auto *sameInfo = infoButton("sammeKinfo", klip);
    connect(sameInfo, &QToolButton::clicked, this, [] { messages::inform(infoText("sammeKinfo")); });
    auto *restore = new QToolButton(klip);
    restore->setDefaultAction(actions->action("klipbordsGendannelse"));
    restore->setToolButtonStyle(Qt::ToolButtonTextOnly);
    auto *restoreInfo = infoButton("gendanInfo", klip);
    connect(restoreInfo, &QToolButton::clicked, this, [] { messages::inform(infoText("gendanInfo")); });

    auto *klipGrid = new QGridLayout(klip);
    klipGrid->addWidget(KDTcheck, 0, 0);
    klipGrid->addWidget(transfer, 0, 1);
    klipGrid->addWidget(transferInfo, 0, 2);
    klipGrid->addWidget(sammeKbutton, 1, 1);
    klipGrid->addWidget(sameInfo, 1, 2);
    klipGrid->addWidget(restore, 2, 1);
    klipGrid->addWidget(restoreInfo, 2, 2);
    klipGrid->setColumnStretch(1, 1);
    layout->addWidget(klip);
    auto *panel = new QGroupBox("Panel indhold", egenskaber);
    auto *panelLayout = new QFormLayout(panel);
    tabVisCheck1 = pageSwitch("tabVisCheck1", panel);
    tabVisCheck0 = pageSwitch("tabVisCheck0", panel);
    tabVisCheck2 = pageSwitch("tabVisCheck2", panel);
    tabVisCheck3 = pageSwitch("tabVisCheck3", panel);
    panelLayout->addRow("Kendte mapper", tabVisCheck1);
    panelLayout->addRow("Besøgte mapper", tabVisCheck0);
    panelLayout->addRow("Favoritter", tabVisCheck2);
    panelLayout->addRow("Fil og mappenavne", tabVisCheck3);
    for (QPushButton *toggle : {tabVisCheck0, tabVisCheck1, tabVisCheck2, tabVisCheck3})
        connect(toggle, &QPushButton::clicked, this, [this] { bestemTabs(); });
    layout->addWidget(panel);
    layout->addStretch();
    egenskabsBogen->addTab(egenskaber, "Egenskaber");

    auto *stifinder = new QWidget;
    auto *own = new QVBoxLayout(stifinder);
    stifindernavnLabel = new QLabel(stifinder);
    stifindernavnLabel->setObjectName("stifindernavnLabel");
    QFont bold = stifindernavnLabel->font();
    bold.setBold(true);
    stifindernavnLabel->setFont(bold);
    own->addWidget(stifindernavnLabel);
    own->addWidget(new QLabel("Specifikke egenskaber", stifinder));
    privatCheckBox = check("privatCheckBox", "Start op med privatmapper øverst i mappestrukturen", stifinder);
    hiddenCheck = check("hiddenCheck", "Vis skjulte filer og mapper", stifinder);
    RadioOpstart =
        radio("RadioOpstart", "Program opstart",
              {"Standard opstart med alle drev i mappestrukturen. Filstrukturen indrettes herefter, "
               "altså med første drev i mappestrukturen indlæst.",
               "Gemmer filstrukturen når programmet lukkes og henter den næste gang programmet åbnes. "
               "Mappestrukturen indrettes derefter med aktuelle drev.",
               "Gemmer filstrukturen når programmet lukkes og henter den næste gang programmet åbnes. "
               "Mappestrukturen indrettes derefter med alle drev."},
              0, stifinder);
    RadioOpstart->setWordWrap(true);
    own->addWidget(privatCheckBox);
    own->addWidget(RadioOpstart);
    own->addWidget(hiddenCheck);
    own->addStretch();
    connect(privatCheckBox, &QCheckBox::toggled, this,
            [this](bool on) { metodeX ? metodeX->strukturY()->setShowPrivate(on) : void(); });
    connect(hiddenCheck, &QCheckBox::toggled, this,
            [this](bool on) { metodeX ? metodeX->strukturY()->setShowHidden(on) : void(); });
    egenskabsBogen->addTab(stifinder, "Stifinder");

    connect(infUdfold, &QToolButton::clicked, this, [] { messages::inform(infoText("infUdfold")); });
    connect(redskabsCheck, &RadioGroup::itemClicked, this, [this] { redskabsCheckClick(); });
    connect(fanePlaceringsBox, &RadioGroup::itemClicked, this, [this] { fanePlaceringsBoxClick(); });
    outer->addWidget(egenskabsBogen);
    return page;
}

QWidget *Twinform::buildCurrentElementPage()
{
    auto *page = new QWidget;
    page->setObjectName("mainside");
    auto *layout = new QVBoxLayout(page);
    auto *facts = new QFormLayout;
    mappenavnFelt = field("mappenavnFelt", QString(), page);
    filnavnFelt = field("filnavnFelt", QString(), page);
    facts->addRow("Mappenavn", mappenavnFelt);
    facts->addRow("Filnavn", filnavnFelt);
    auto *fokus = new QPushButton("Aktiv mappestruktur", page);
    fokus->setObjectName("FokusButton");
    connect(fokus, &QPushButton::clicked, actions->action("Fokus"), &QAction::trigger);
    auto *fokus2 = new QPushButton("Aktiv filstruktur", page);
    fokus2->setObjectName("Fokus2Button");
    connect(fokus2, &QPushButton::clicked, actions->action("Fokus2"), &QAction::trigger);
    AktiveStrukturEdit = field("AktiveStrukturEdit", "Struktur 1", page);
    AktuelleElementEdit = field("AktuelleElementEdit", "Adgang forbudt", page);
    facts->addRow(fokus, AktiveStrukturEdit);
    facts->addRow(fokus2, AktuelleElementEdit);
    EditMappe = field("EditMappe", "Ingen", page);
    EditFil = field("EditFil", "Ingen", page);
    auto withButton = [page](QWidget *field, QAction *action, const char *icon) {
        auto *row = new QHBoxLayout;
        row->setContentsMargins(0, 0, 0, 0);
        row->addWidget(field, 1);
        auto *button = new QToolButton(page);
        action->setIcon(QIcon::fromTheme(icon));
        button->setDefaultAction(action);
        button->setAutoRaise(true);
        row->addWidget(button);
        return row;
    };
    facts->addRow("Antal mapper i klipbordet",
                  withButton(EditMappe, actions->action("aAnnullerMapper"), "edit-clear"));
    facts->addRow("Antal filer i klipbordet",
                  withButton(EditFil, actions->action("aAnnullerFiler"), "edit-clear"));
    sizeLabel = new QLabel("Ukendt", page);
    sizeLabel->setObjectName("sizeLabel");
    auto *sizeRow = new QHBoxLayout;
    sizeRow->addWidget(sizeLabel, 1);
    auto *sizeButton = new QPushButton("Info", page);
    sizeButton->setObjectName("aMappeFilSizeButton");
    QAction *sizeAction = actions->action("aMappeFilSize");
    connect(sizeButton, &QPushButton::clicked, sizeAction, &QAction::trigger);
    connect(sizeAction, &QAction::changed, sizeButton,
            [sizeButton, sizeAction] { sizeButton->setEnabled(sizeAction->isEnabled()); });
    auto *sizeInfo = infoButton("sizeInfo", page);
    connect(sizeInfo, &QToolButton::clicked, this, [] { messages::inform(infoText("sizeInfo")); });
    sizeRow->addWidget(sizeButton);
    sizeRow->addWidget(sizeInfo);
    facts->addRow("Størrelse", sizeRow);
    layout->addLayout(facts);

    auto *heading = new QLabel("Indstillinger", page);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    layout->addWidget(heading);
    spmBox = radio("spmBox", "Sæt ind og slet", {"Spørg altid", "Kun før Slet", "Spørg aldrig"}, 0, page);
    resultBox =
        radio("resultBox", "Sæt ind", {"Overskriv ikke", "Overskriv", "Opret kopi", "Spørg"}, 3, page);
    layout->addWidget(spmBox);
    layout->addWidget(resultBox);
    auto addCheck = [&](QCheckBox *&box, const char *name, const char *caption, bool checked,
                        const char *info) {
        auto *row = new QHBoxLayout;
        box = check(name, caption, page, checked);
        row->addWidget(box, 1);
        auto *button = infoButton(info, page);
        connect(button, &QToolButton::clicked, this, [info] { messages::inform(infoText(info)); });
        row->addWidget(button);
        layout->addLayout(row);
    };
    addCheck(DragDropCheck, "DragDropCheck", "Anvend Drag-Drop-kopiering", true, "KlipInf06");
    addCheck(opdaterCheck, "opdaterCheck", "Auto-opdater efter sæt ind", true, "KlipInf07");
    addCheck(LukCheck, "LukCheck", "Luk progressbokse", true, "KlipInf03");
    addCheck(rydCheck, "rydCheck", "Ryd kopieringslister", true, "KlipInf02");
    addCheck(visKlipbordCheck, "visKlipbordCheck", "Vis Klipbord", false, "KlipInf01");
    addCheck(visIndstillingerCheck, "visIndstillingerCheck", "Gå til indstillinger", true, "klipInf");
    connect(visKlipbordCheck, &QCheckBox::toggled, this, [this](bool on) {
        if (!opstart && metodeX)
            metodeX->setBoolVisKlipbord(on);
    });
    layout->addStretch();
    return page;
}

void Twinform::buildUi()
{
    auto *body = new QVBoxLayout(this);
    body->setContentsMargins(0, 0, 0, 0);
    body->setSpacing(0);

    topPanel = new QFrame(this);
    topPanel->setObjectName("topPanel");
    topPanel->setFixedHeight(38);
    auto *top = new QHBoxLayout(topPanel);
    top->setContentsMargins(6, 2, 6, 2);
    top->addStretch();
    AktivitetBoks = new ActivityIndicator(topPanel);
    top->addWidget(AktivitetBoks);
    body->addWidget(topPanel);
    body->addWidget(buildPathBar());
    body->addWidget(buildToolBar());

    splitter = new QSplitter(this);
    splitter->setObjectName("splitter");
    MappeStruktur = new StrukturView(PictureSet::FolderTree, splitter);
    MappeStruktur->setObjectName("MappeStruktur");
    MappeStruktur->setMinimumWidth(kMinimumTreeWidth);
    MappeStruktur->setIndentation(12);
    FilStruktur = new StrukturView(PictureSet::FileTree, splitter);
    FilStruktur->setObjectName("FilStruktur");
    FilStruktur->setIndentation(5);
    winBog = new QTabWidget(splitter);
    winBog->setObjectName("winBog");
    winBog->setTabPosition(QTabWidget::West);
    winBog->setIconSize(QSize(22, 22));
    static const struct
    {
        const char *icon;
        const char *hint;
    } pages[] = {{"folder-favorites", "Kendte mapper"}, {"view-history", "Besøgte mapper"},
                 {"bookmarks", "Favoritter"},           {"edit-find", "Fil og mappenavne"},
                 {"configure", "Egenskaber"},           {"dialog-information", "Aktuelle element"}};
    QWidget *contents[] = {buildKnownFoldersPage(), buildHistoryPage(),  buildFavouritesPage(),
                           buildSearchPage(),       buildSettingsPage(), buildCurrentElementPage()};
    for (int i = 0; i < 6; ++i) {
        winBog->addTab(contents[i], QIcon::fromTheme(pages[i].icon), QString());
        winBog->setTabToolTip(i, pages[i].hint);
    }
    splitter->addWidget(MappeStruktur);
    splitter->addWidget(FilStruktur);
    splitter->addWidget(winBog);
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    splitter->setStretchFactor(2, 0);
    splitter->setSizes({300, 420, 300});
    connect(splitter, &QSplitter::splitterMoved, this, [this] { fitToolBarToTree(); });
    body->addWidget(splitter, 1);

    for (StrukturView *tree : {MappeStruktur, FilStruktur}) {
        connect(tree->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this, tree] {
            for (const char *name : {"gemStruktur", "hentStruktur", "GHopt"})
                actions->action(name)->setEnabled(true);
            if (!tree->selectedNode() && metodeX)
                funkNo = metodeX->strukturY()->getNodeId();
        });
    }
    connect(MappeStruktur, &QTreeView::clicked, this, [this] { MappeStrukturClick(); });
    connect(MappeStruktur, &QTreeView::doubleClicked, this, [this] { MappeStrukturDblClick(); });
    connect(FilStruktur, &QTreeView::clicked, this, [this] { FilStrukturClick(); });
    connect(FilStruktur, &QTreeView::doubleClicked, this, [this] { FilStrukturDblClick(); });
}

// ---------------------------------------------------------------------------------------------
// Navigation commands, known folders and selection

void Twinform::buildNavigationActions()
{
    auto struktur = [this] { return metodeX->strukturY(); };
    auto hasFolder = [this] { return metodeX && !metodeX->strukturY()->mappenavn().isEmpty(); };
    auto rebuild = [this](bool medAlleDrev) {
        TStrukturCompo *compo = metodeX->strukturY();
        compo->setAktiveStruktur(1);
        compo->udfoldStruktur1(compo->mappenavn(), medAlleDrev);
        mappeKontrol(compo->mappenavn(), false);
    };
    actions->add(
        "OpdaterKunEn", "Opdater", QKeySequence("F4"),
        "Opdater aktuelle mappe på aktuelle drev uden at vise andre drev: F4", [rebuild] { rebuild(false); },
        hasFolder);
    actions->add(
        "OpdaterAlle", "Opdater alle", QKeySequence("F5"),
        "Opdater aktuelle mappe på aktuelle drev med samtlige drev i strukturen: F5",
        [rebuild] { rebuild(true); }, hasFolder);
    actions->add(
        "indstilMappestruktur", "Indstil", {}, "Indstil mappestrukturen til denne mappe",
        [this, rebuild] { rebuild(allDrives()); }, hasFolder);
    actions->add("KunDrev", "Drev", {}, "Opdater alle drev eller vælg drev til mappestrukturen", [struktur] {
        struktur()->setAktiveStruktur(1);
        struktur()->makePreDrives();
    });
    actions->add("UdfoldStruktur", "Udfold", {}, "Udfold strukturen",
                 [this] { MappeStruktur->expandAllNodes(); });
    actions->add("SammenfoldStruktur", "Sammenfold", {}, "Sammenfold struktur",
                 [this] { MappeStruktur->collapseAllNodes(); });
    actions->add("aMedtagPrivat", "Privatmapper", {},
                 "Medtag eller fjern privatmapper med opdatering af alle drev", [this] {
                     privatCheckBox->setChecked(!privatCheckBox->isChecked());
                     metodeX->strukturY()->makePreDrives();
                     actions->action("aMedtagPrivat")
                         ->setIcon(
                             QIcon::fromTheme(privatCheckBox->isChecked() ? "user-home" : "drive-harddisk"));
                 });
    // Re-opening the last home-made structure belongs to the structure menu, not yet in the
    // main window.
    actions->add("aReloadStruktur", "Genskab", QKeySequence("F3"),
                 "Genskab sidste aktiverede hjemmelavede struktur: F3", {}, [] { return false; });

    // The selection commands of the file tree. With neither tree active, "Marker alt" and
    // "Inverter valg" keep the state they had.
    auto fileTreeActive = [this] { return metodeX && metodeX->strukturY()->aktiveStruktur() == 2; };
    auto keep = [this](const char *name, bool whenFileTree, bool fileTree, bool folderTree) {
        if (fileTree)
            return whenFileTree;
        if (folderTree)
            return false;
        QAction *action = actions->action(name);
        return action && action->isEnabled();
    };
    actions->add(
        "selectAlleElementer", "Marker alt", QKeySequence("Ctrl+A"), "Marker alt",
        [this] {
            metodeX->strukturY()->SelectMapperFiler(1);
            mappeKontrol(metodeX->strukturY()->mappenavn(), true);
        },
        [this, keep] {
            const int active = metodeX ? metodeX->strukturY()->aktiveStruktur() : 0;
            const bool notAll = FilStruktur->selectionCount() < FilStruktur->strukturModel()->rowCount();
            return keep("selectAlleElementer", notAll, active == 2, active == 1);
        });
    actions->add(
        "deselectElementer", "Fjern", QKeySequence("Ctrl+F"), "Fjern alle markeringer",
        [this] {
            metodeX->strukturY()->SelectMapperFiler(2);
            mappeKontrol(metodeX->strukturY()->mappenavn(), true);
        },
        [this, fileTreeActive] { return fileTreeActive() && FilStruktur->selectionCount() > 0; });
    actions->add(
        "inverterSelection", "Inverter valg", QKeySequence("Ctrl+I"), "Inverter nuværende markering",
        [this] {
            metodeX->strukturY()->SelectMapperFiler(3);
            mappeKontrol(metodeX->strukturY()->mappenavn(), true);
        },
        [this, keep] {
            const int active = metodeX ? metodeX->strukturY()->aktiveStruktur() : 0;
            return keep("inverterSelection", !FilStruktur->isEmpty(), active == 2, active == 1);
        });
    actions->add(
        "deselectAll", "Fjern alle markeringer", {}, "Fjern alle markeringer: Alt+Mus",
        [this] {
            metodeX->strukturY()->deselectMapper();
            mappeKontrol(metodeX->strukturY()->mappenavn(), true);
        },
        [this] {
            return metodeX && metodeX->strukturY()->aktiveStruktur() == 1 &&
                   MappeStruktur->selectionCount() > 0;
        });

    // Known folders.
    auto known = [this](const char *name, const char *caption, const char *icon,
                        std::function<QString()> path) {
        QAction *action = actions->add(name, caption, {}, caption, [this, path] {
            QString folder;
            try {
                folder = path();
            } catch (const StrukturFejl &error) {
                messages::inform(error.message());
                return;
            }
            openMappeStruktur(folder);
        });
        action->setIcon(QIcon::fromTheme(icon));
    };
    auto special = [](int csidl) {
        platform::Path path;
        return platform::current().specialFolder(csidl, path) ? QString::fromStdU16String(path) : QString();
    };
    known("Adesktopdir", "Skrivebord", "user-desktop",
          [special] { return special(platform::CSIDL_DESKTOPDIRECTORY); });
    known("Adokudir", "Dokumenter", "folder-documents",
          [special] { return special(platform::CSIDL_PERSONAL); });
    known("Amusikdir", "Musik", "folder-music", [special] { return special(platform::CSIDL_MYMUSIC); });
    known("Avideodir", "Videoer", "folder-videos", [special] { return special(platform::CSIDL_MYVIDEO); });
    known("Apicdir", "Billeder", "folder-pictures",
          [special] { return special(platform::CSIDL_MYPICTURES); });
    known("AallUsers", "Alle brugere", "system-users",
          [this] { return metodeX->strukturY()->GetAllUsers(); });
    known("aFavoritmappe", "Favoritter", "folder-favorites",
          [this] { return metodeX->strukturY()->GetMyFavorit(); });
    known("aDownload", "Overførsler", "folder-download",
          [this] { return metodeX->strukturY()->GetMyDownLoad(); });
    known("aKontakter", "Kontakter", "contact-new", [this] { return getSpecialMappe(0); });
    known("aOneDrev", "OneDrive", "folder-cloud", [this] { return getSpecialMappe(1); });
    known("aStartMappe", "Startmenu", "application-menu",
          [this] { return metodeX->strukturY()->GetStartMenuPrograms(); });
    known("Aprogdir", "AppData", "folder-development", [this] { return metodeX->strukturY()->GetMyApp(); });
    known("aKamBil", "Billeder", "camera-photo", [this] { return getSpecialMappe(2); });
    known("aKamFilm", "Film", "camera-video", [this] { return getSpecialMappe(3); });
    actions->action("aKamBil")->setToolTip("Kamerabilleder");
    actions->action("aKamFilm")->setToolTip("Skærmoptagelser");
}

QString Twinform::getSpecialMappe(int kind) const
{
    static const char *const tails[] = {"\\Contacts", "\\OneDrive", "\\Pictures\\Camera Roll",
                                        "\\Videos\\Captures"};
    if (kind < 0 || kind > 3)
        return QString();
    const QString path = "C:\\Users\\" + metodeX->strukturY()->brugernavn() + tails[kind];
    return core::directoryExists(path) ? path : QString();
}

void Twinform::openMappeStruktur(const QString &path)
{
    if (!core::directoryExists(path)) {
        messages::inform("Mappen blev ikke fundet.");
        return;
    }
    TStrukturCompo *struktur = metodeX->strukturY();
    if (mappeBox->itemIndex() == 1) {
        struktur->setAktiveStruktur(2);
        mappeKontrol(struktur->makeStruktur2(path), true);
    } else {
        struktur->setAktiveStruktur(1);
        struktur->udfoldMappe(path);
    }
}

void Twinform::setMarkerButton()
{
    const bool all = udfoldCheck->isChecked();
    aSelectButton->setVisible(!all);
    selectionPanel->setFixedWidth(all ? 84 : 43);
    static const std::pair<const char *, const char *> captions[] = {
        {"selectAlleElementer", "Marker alt"},
        {"deselectElementer", "Fjern alle markeringer"},
        {"inverterSelection", "Inverter nuværende markering"}};
    for (const auto &[name, caption] : captions) {
        actions->action(name)->setText(all ? QString() : QString::fromUtf8(caption));
        if (QWidget *button = selectionPanel->findChild<QToolButton *>(QString(name) + "Button"))
            button->setVisible(all);
    }
}

QMenu *Twinform::contextMenuFor(StrukturView *tree) const
{
    const TStrukturCompo *struktur = metodeX->strukturY();
    const int kind = struktur->getNodeId();
    if (tree == MappeStruktur) {
        if (struktur->aktiveStruktur() == 2)
            return nullptr;
        switch (kind) {
        case 0:
            return PUdirbox;
        case 2:
        case 3:
            return PUdirPrivate;
        case 4:
            return PUdirboxDrev;
        default:
            return nullptr;
        }
    }
    if (struktur->aktiveStruktur() == 1)
        return nullptr;
    return kind > 1 ? PUdirboxDrev : PUfilbox;
}

void Twinform::treeMousePress(StrukturView *tree, QMouseEvent *event)
{
    TStrukturCompo *struktur = metodeX->strukturY();
    const Qt::KeyboardModifiers keys = event->modifiers();
    if (tree == FilStruktur) {
        struktur->setMultiSelect(keys & (Qt::ShiftModifier | Qt::ControlModifier));
        if (keys & Qt::AltModifier)
            struktur->getFileDirectory(true);
    } else if ((keys & Qt::AltModifier) && event->button() != Qt::LeftButton) {
        QAction *deselect = actions->action("deselectAll");
        actions->updateAll();
        if (deselect->isEnabled())
            deselect->trigger();
    }
    if (event->button() == Qt::RightButton) {
        const QPoint where = event->globalPosition().toPoint();
        // After the press has selected the node under the mouse.
        QTimer::singleShot(0, this, [this, tree, where] {
            if (QMenu *menu = contextMenuFor(tree))
                menu->popup(where);
        });
    }
}

bool Twinform::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        if (watched == MappeStruktur->viewport())
            treeMousePress(MappeStruktur, static_cast<QMouseEvent *>(event));
        else if (watched == FilStruktur->viewport())
            treeMousePress(FilStruktur, static_cast<QMouseEvent *>(event));
        else if (watched == stibox && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
            actions->updateAll();
            if (actions->action("deselectElementer")->isEnabled())
                actions->action("deselectElementer")->trigger();
        }
    }
    return QWidget::eventFilter(watched, event);
}

void Twinform::buildMenus()
{
    // The commands of the menus that the file commands bring come with them; cut, copy, new
    // folder and in-place rename work already.
    auto pending = [this](const char *name, const QString &caption) {
        if (QAction *existing = actions->action(name))
            return existing;
        return actions->add(name, caption, {}, caption, {}, [] { return false; });
    };
    QAction *klip = actions->action("Klip");
    QAction *kopier = actions->action("Kopier");
    QAction *paste = pending("Paste", "Sæt ind");
    QAction *sletKurv = pending("aSletKurv", "Slet");
    QAction *sletHelt = pending("aSletHelt", "Slet permanent");
    QAction *omdobHer = actions->action("aOmdobHer");
    QAction *omdob = pending("aOmdob", "Omdøb...");
    QAction *mappe = actions->action("aNyMappe");
    QAction *egenskaber = pending("aEgenskaber", "Egenskaber");
    auto menu = [this](const char *name) {
        auto *result = new QMenu(this);
        result->setObjectName(name);
        return result;
    };
    PUdirbox = menu("PUdirbox");
    PUfilbox = menu("PUfilbox");
    for (QMenu *full : {PUdirbox, PUfilbox}) {
        full->addActions({klip, kopier, paste});
        full->addSeparator();
        full->addActions({sletKurv, sletHelt});
        full->addSeparator();
        full->addActions({omdobHer, omdob, mappe});
        full->addSeparator();
        full->addAction(egenskaber);
    }
    PUdirboxDrev = menu("PUdirboxDrev");
    PUdirboxDrev->addActions({paste, mappe});
    PUdirboxDrev->addSeparator();
    PUdirboxDrev->addAction(egenskaber);
    PUdirPrivate = menu("PUdirPrivate");
    PUdirPrivate->addActions({kopier, paste, mappe});
    PUdirPrivate->addSeparator();
    PUdirPrivate->addAction(egenskaber);

    for (StrukturView *tree : {MappeStruktur, FilStruktur})
        tree->viewport()->installEventFilter(this);
    stibox->installEventFilter(this);

    // The top panel carries the same file commands.
    auto *top = qobject_cast<QHBoxLayout *>(topPanel->layout());
    const std::pair<QAction *, const char *> commands[] = {{klip, "edit-cut"},
                                                           {kopier, "edit-copy"},
                                                           {paste, "edit-paste"},
                                                           {sletKurv, "edit-delete"},
                                                           {sletHelt, "edit-delete-shred"},
                                                           {omdobHer, "edit-rename"},
                                                           {mappe, "folder-new"},
                                                           {egenskaber, "document-properties"}};
    int at = 0;
    for (const auto &[action, icon] : commands) {
        action->setIcon(QIcon::fromTheme(icon));
        auto *button = new QToolButton(topPanel);
        button->setDefaultAction(action);
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        button->setAutoRaise(true);
        top->insertWidget(at++, button);
    }

    // The drive menus of the two trees fill themselves when opened.
    drevMenu1 = menu("drevMenu1");
    drevMenu2 = menu("drevMenu2");
    connect(drevMenu1, &QMenu::aboutToShow, this, [this] {
        metodeX->strukturY()->setAktiveStruktur(1);
        metodeX->strukturY()->makeDrevMenu(drevMenu1);
    });
    connect(drevMenu2, &QMenu::aboutToShow, this, [this] {
        metodeX->strukturY()->setAktiveStruktur(2);
        metodeX->strukturY()->makeDrevMenu(drevMenu2);
    });
    actions->action("KunDrev")->setMenu(drevMenu1);
    QAction *drive2 = actions->add("drevKnap2", "Drev", {}, "Vælg drev til visning i filstrukturen",
                                   [this] { drevMenu2->popup(QCursor::pos()); });
    drive2->setIcon(QIcon::fromTheme("drive-harddisk"));

    // The selection panel of the tool bar: three buttons, or one split button with a menu.
    selectionPanel = new QFrame(funkPanel2);
    selectionPanel->setObjectName("selectionPanel");
    auto *panel = new QHBoxLayout(selectionPanel);
    panel->setContentsMargins(0, 0, 0, 0);
    panel->setSpacing(0);
    static const std::pair<const char *, const char *> selection[] = {
        {"selectAlleElementer", "edit-select-all"},
        {"deselectElementer", "edit-select-none"},
        {"inverterSelection", "edit-select-invert"}};
    auto *selectMenu = new QMenu(this);
    for (const auto &[name, icon] : selection) {
        QAction *action = actions->action(name);
        action->setIcon(QIcon::fromTheme(icon));
        auto *button = new QToolButton(selectionPanel);
        button->setObjectName(QString(name) + "Button");
        button->setDefaultAction(action);
        button->setAutoRaise(true);
        panel->addWidget(button);
        selectMenu->addAction(action);
    }
    QAction *splitAction = actions->add(
        "aSelectButton", "Marker", {}, "Marker alt",
        [this] {
            QAction *all = actions->action("selectAlleElementer");
            actions->updateAll();
            if (all->isEnabled())
                all->trigger();
        },
        [this] { return metodeX && metodeX->strukturY()->aktiveStruktur() == 2; });
    splitAction->setIcon(QIcon::fromTheme("edit-select-all"));
    aSelectButton = new QToolButton(selectionPanel);
    aSelectButton->setObjectName("aSelectButton");
    aSelectButton->setDefaultAction(splitAction);
    aSelectButton->setMenu(selectMenu);
    aSelectButton->setPopupMode(QToolButton::MenuButtonPopup);
    aSelectButton->setAutoRaise(true);
    panel->addWidget(aSelectButton);
    auto *middle = qobject_cast<QHBoxLayout *>(funkPanel2->layout());
    middle->insertWidget(1, selectionPanel);
    auto addTool = [](QHBoxLayout *to, QWidget *parent, QAction *action, const char *icon, int at) {
        auto *tool = new QToolButton(parent);
        action->setIcon(QIcon::fromTheme(icon));
        tool->setDefaultAction(action);
        tool->setAutoRaise(true);
        if (action->menu())
            tool->setPopupMode(QToolButton::MenuButtonPopup);
        to->insertWidget(at, tool);
    };
    addTool(middle, funkPanel2, drive2, "drive-harddisk", 2);
    addTool(middle, funkPanel2, actions->action("opdater2"), "view-refresh", 3);
    auto *left = qobject_cast<QHBoxLayout *>(funkPanel1->layout());
    addTool(left, funkPanel1, actions->action("KunDrev"), "drive-harddisk", 1);
    addTool(left, funkPanel1, actions->action("OpdaterKunEn"), "view-refresh", 2);
    addTool(left, funkPanel1, actions->action("UdfoldStruktur"), "view-list-tree", 3);
    addTool(left, funkPanel1, actions->action("SammenfoldStruktur"), "view-list-text", 4);
    addTool(left, funkPanel1, actions->action("aMedtagPrivat"), "drive-harddisk", 5);
    connect(udfoldCheck, &QCheckBox::clicked, this, [this] { setMarkerButton(); });

    // An in-place rename ends by renaming the folder or file; the node keeps the name it got,
    // and a second later the tree is read again, so nodes below a renamed folder get its new path.
    for (StrukturView *tree : {MappeStruktur, FilStruktur}) {
        connect(tree->strukturModel(), &StrukturModel::textEdited, this,
                [this, tree](StrukturNode *node, const QString &text) {
                    const bool file = !node->rec.filnavn.isEmpty();
                    if (file)
                        metodeX->strukturY()->setFilnavn(node->rec.filnavn);
                    const QString before = node->text;
                    const QString kept = file ? metodeX->RenameFil(before, text, node)
                                              : metodeX->RenameMappe(before, text, node);
                    if (kept.isEmpty() || kept == before)
                        return;
                    tree->strukturModel()->setText(node, kept);
                    const bool folderTree = tree == MappeStruktur;
                    QTimer::singleShot(1000, this, [this, folderTree] {
                        TStrukturCompo *struktur = metodeX->strukturY();
                        if (folderTree)
                            struktur->udfoldStruktur1(struktur->mappenavn(), allDrives());
                        else
                            opdater2Execute();
                    });
                });
    }
}

// ---------------------------------------------------------------------------------------------
// The clipboard

void Twinform::buildClipboardActions()
{
    actions->add("Klip", "Klip", QKeySequence("Ctrl+X"), "Klip", [this] { KopierElementer(true); });
    actions->add("Kopier", "Kopier", QKeySequence("Ctrl+C"), "Kopier", [this] { KopierElementer(false); });
    actions->add(
        "aOmdobHer", "Omdøb", {}, "Omdøb", [this] { metodeX->editSelected(); },
        [this] { return funkTilladt || !m_bloker; });
    actions->add(
        "aNyMappe", "Mappe", {}, "Ny mappe",
        [this] {
            const QString created = metodeX->OpretNyMappe(QString());
            if (!created.isEmpty())
                opdater2Execute();
        },
        [this] { return funkNo != 5 && (funkTilladt || !m_bloker); });
    actions->add(
        "klipbordsGendannelse", "Gendan data", {}, "Gendan sidste klipbordsdata",
        [this] { klipbordsGendannelse(); },
        [this] { return !lastPasteMapper.isEmpty() || !lastPasteFiler.isEmpty(); });
    auto clearSize = [this] { sizeLabel->clear(); };
    actions->add(
        "aAnnullerMapper", "Annuller mapper", {}, "Annuller kopiering af mapper",
        [this, clearSize] {
            KlipbordListe *list = metodeX->klipbord()->Mappeliste;
            list->removeChecked();
            clearSize();
        },
        [this] { return metodeX && metodeX->klipbord()->Mappeliste->count() > 0; });
    actions->add(
        "aAnnullerFiler", "Annuller filer", {}, "Annuller kopiering af filer",
        [this, clearSize] {
            KlipbordListe *list = metodeX->klipbord()->Filliste;
            list->removeChecked();
            clearSize();
        },
        [this] { return metodeX && metodeX->klipbord()->Filliste->count() > 0; });
    actions->add(
        "AnnullerKopiering", "Annuller kopiering", QKeySequence("Ctrl+Z"), "Annuller kopiering: Ctrl+Z",
        [this, clearSize] {
            Klipbord *klipbord = metodeX->klipbord();
            klipbord->Mappeliste->removeAll();
            klipbord->Filliste->removeAll();
            klipbord->setFields(QString(), QString(), QString(), QString());
            clearSize();
        },
        [this] { return metodeX && metodeX->klipbord()->elementAntal > 0; });
    actions->add(
        "KlipbordsdataTransfer", "Overfør klipbords data", {}, "Overfør klipbordsdata til andre klipborde",
        [this] {
            if (!g_host)
                return;
            Klipbord *klipbord = metodeX->klipbord();
            g_host->transferClipboard(StifinderNavn, *klipbord->Mappeliste, *klipbord->Filliste);
            KDTcheck->setChecked(false);
        },
        [this] {
            return g_host && !g_host->sharedClipboard() && KDTcheck->isChecked() && g_host->newCount() >= 2 &&
                   metodeX->klipbord()->elementAntal >= 1 && g_host->runningOperations() == 0;
        });
    actions->add(
        "aMappeFilSize", "Info", {}, "Informer om størrelsen på valgte elementer i klipbordet",
        [this] {
            actions->action("aMappeFilSize")->setEnabled(false);
            sizeLabel->setText("Beregner...");
            metodeX->getSizeOfKlipbord();
        },
        [this] { return funkTilladt; });
}

void Twinform::KopierElementer(bool medCut)
{
    try {
        metodeX->setFlytElementer(medCut);
        metodeX->CopyElementer();
        QCoreApplication::processEvents();
        if (visIndstillingerCheck->isChecked())
            winBog->setCurrentIndex(5);
    } catch (const std::exception &) {
        messages::inform("Der opstod en fejl.");
    }
}

bool Twinform::loadListerne(QString &destination, QStringList &mapper, QStringList &filer)
{
    mapper.clear();
    filer.clear();
    destination = metodeX->getDestination();
    if (!core::directoryExists(destination)) {
        destination.clear();
        messages::inform(
            "Der mangler en destination for \"Sæt-ind\" funktionen.\rVælg mappen, hvor elementerne skal "
            "kopieres til og prøv igen.");
        return false;
    }
    if (metodeX->loadLister(mapper, filer, destination) == 0) {
        destination.clear();
        messages::inform("Der er ingen gyldige elementer i Klipbordet.\rIndsæt elementer og prøv igen.");
        return false;
    }
    lastPasteMapper = mapper;
    lastPasteFiler = filer;
    return true;
}

void Twinform::lukKlipbordKontrol(bool doCopy)
{
    if (!doCopy || !rydCheck->isChecked())
        return;
    Klipbord *klipbord = metodeX->klipbord();
    for (KlipbordListe *list : {klipbord->Mappeliste, klipbord->Filliste}) {
        list->removeChecked();
    }
}

void Twinform::klipbordsGendannelse()
{
    for (const QString &path : lastPasteMapper + lastPasteFiler)
        metodeX->RegisterElements(path);
    if (visIndstillingerCheck->isChecked())
        winBog->setCurrentIndex(5);
}

bool Twinform::allDrives() const
{
    return RadioOpstart->itemIndex() != 1;
}
