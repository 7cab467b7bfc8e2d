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
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QSplitter>
#include <QTabBar>
#include <QTabWidget>
#include <QThreadPool>
#include <QToolButton>

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

    const int number = mainHost() ? mainHost()->newCount() : 1;
    StifinderNavn = "Stifinder " + QString::number(number);
    setObjectName(StifinderNavn);
    setWindowTitle(StifinderNavn);
    const QString optMappe = mainHost() ? mainHost()->optMappe() : QString();
    optFilnavn = optMappe + StifinderNavn + ".txt";

    createLists();
    metodeX = new TMetodeCompo(this);
    TStrukturCompo *struktur = metodeX->strukturY();

    HentOpt();
    bestemTabs();
    newMetodeObjekt();
    if (mainHost() && metodeX->ownsKlipbord())
        mainHost()->createClipboardWindow(metodeX->klipbord(), false, number);
    metodeX->onVisKlipbord = [this] {
        if (mainHost())
            mainHost()->showClipboardWindow(metodeX->klipbord());
    };
    metodeX->onUdskrivTilWin = [this](const QString &text) { sizeLabel->setText(text); };
    setMarkerButton();

    redskabsCheckClick();
    if (mainHost()) {
        applyTreeFont(mainHost()->treeFontSize(), mainHost()->treeFontName());
        topPanel->setVisible(mainHost()->vistoppanel());
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
    if (mainHost()) {
        applyTabLook(mainHost()->bogfanerIndex());
        setTreeLines(mainHost()->strukturLinjer());
    }
    FavDir->HentReopenFiler();
    FavFiler->HentReopenFiler();
}

Twinform::~Twinform() = default;

QString Twinform::historyFile() const
{
    return (mainHost() ? mainHost()->optMappe() : QString()) + "historiemapper" + StifinderNavn.mid(10) +
           ".txt";
}

QString Twinform::favouriteFoldersFile() const
{
    return (mainHost() ? mainHost()->optMappe() : QString()) + "favoritmapper" + StifinderNavn.mid(10) +
           ".txt";
}

QString Twinform::favouriteFilesFile() const
{
    return (mainHost() ? mainHost()->optMappe() : QString()) + "favoritfiler" + StifinderNavn.mid(10) +
           ".txt";
}

QString Twinform::savedTreeFile() const
{
    return (mainHost() ? mainHost()->optMappe() : QString()) + "GemHentStruktur " + StifinderNavn + ".txt";
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
    if (mainHost())
        mainHost()->setKlipbord(this);
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
        if (mainHost()) {
            mainHost()->InsertTab();
            mainHost()->SetTCindex();
        }
        (metodeX->strukturY()->aktiveStruktur() == 1 ? MappeStruktur : FilStruktur)->setFocus();
        if (mainHost() && !mainHost()->tryedBefore()) {
            winBog->setCurrentIndex(4);
            egenskabsBogen->setCurrentIndex(1);
        }
        if (mainHost() && mainHost()->sharedClipboard()) {
            Klipbord *klipbord = metodeX->klipbord();
            mainHost()->udskivKlipbordInf(QString::number(klipbord->Mappeliste->count()),
                                          QString::number(klipbord->Filliste->count()));
        }
        funkNo = metodeX->strukturY()->getNodeId();
        setActionUpdates(mainHost() && mainHost()->blokerChecked());
    }
    if (mainHost()) {
        mainHost()->fokusTab(StifinderNavn);
        mainHost()->setEditSti(aktuelleSti);
    }
    stifindernavnLabel->setText(StifinderNavn);
}

void Twinform::FormClose()
{
    if (m_closed)
        return;
    m_closed = true;
    if (mainHost() && metodeX->ownsKlipbord())
        mainHost()->destroyClipboardWindow(metodeX->klipbord());
    GemOpt();
    FavDir->GemReopenFiler();
    FavFiler->GemReopenFiler();
    if (mainHost()) {
        mainHost()->explorerClosed();
        mainHost()->CloseTab(StifinderNavn);
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
    if (mainHost() && mainHost()->beskedChecked()) {
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
    if (mainHost() && mainHost()->beskedChecked())
        mainHost()->makeInfo("Information", text);
}

bool Twinform::operationBracket(const QString &question, int infoNo, const std::function<void()> &work)
{
    if (mainHost() && !question.isEmpty() && mainHost()->runningOperations() > 0 &&
        mainHost()->sikkerhedsChecked() && !messages::ask(question))
        return false;
    if (mainHost()) {
        mainHost()->changeProcessCount(1);
        mainHost()->updateCloseElement();
    }
    setAktivitetsNr(1, 0);
    QCoreApplication::processEvents();
    work();
    QCoreApplication::processEvents();
    if (mainHost()) {
        mainHost()->changeProcessCount(-1);
        mainHost()->updateCloseElement();
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
    if (!mainHost())
        return;
    const bool blocking = !mainHost()->blokerChecked();
    mainHost()->setBlokerChecked(blocking);
    if (blocking)
        mainHost()->UdskrivInfo("Andre funktioner blokeres nu ved aktive tidskrævende funktioner.");
    else if (mainHost()->sikkerhedsChecked())
        mainHost()->UdskrivInfo(
            "Andre funktioner blokeres ikke ved aktive tidskrævende funktioner, men der informeres.");
    else
        mainHost()->UdskrivInfo(
            "Andre funktioner blokeres ikke ved aktive tidskrævende funktioner, og der informeres ikke.");
}
