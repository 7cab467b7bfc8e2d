#include "explorer/winform.h"

#include "core/files.h"
#include "core/linefile.h"
#include "core/messages.h"
#include "core/optionlines.h"
#include "core/paths.h"
#include "dialogs/actionlist.h"
#include "dialogs/radiogroup.h"
#include "dialogs/services.h"
#include "dialogs/tablook.h"
#include "explorer/activityindicator.h"
#include "explorer/listeform.h"
#include "explorer/mainhost.h"
#include "explorer/navnesoegning.h"
#include "fileops/metodecompo.h"
#include "fileops/pastecompo.h"
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
#include <QMdiSubWindow>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QSplitter>
#include <QTabBar>
#include <QTabWidget>
#include <QThreadPool>
#include <QTimer>
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

    const int number = mainHost() ? mainHost()->freeExplorerNumber() : 1;
    StifinderNavn = "Stifinder " + QString::number(number);
    setObjectName(StifinderNavn);
    setWindowTitle(StifinderNavn);
    const QString optMappe = services::folders()->optMappe();
    optFilnavn = optMappe + StifinderNavn + ".txt";

    createLists();
    metodeX = new TMetodeCompo(this);
    createEngines();
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
        applyTreeFont(services::settings()->settings().treeFontSize(),
                      services::settings()->settings().treeFontName());
        topPanel->setVisible(services::settings()->settings().topPanel);
    }

    struktur->setGemHentFilnavn(savedTreeFile());
    struktur->setStruktur1(MappeStruktur);
    struktur->setStruktur2(FilStruktur);
    struktur->setOnDirectoryChange([this](const QString &path, bool medSti) { mappeKontrol(path, medSti); });
    struktur->setShowPrivate(privatCheckBox->isChecked());
    struktur->setShowHidden(hiddenCheck->isChecked());

    if (!makeOpstartStrukturer()) {
        struktur->makePreDrives();
        setActiveTree(StrukturNr::filer);
        mappeKontrol(struktur->makeStruktur2(QString()), true);
    }
    if (mainHost()) {
        applyTabLook(services::settings()->settings().tabLook);
        setTreeLines(services::settings()->settings().treeLines);
    }
    FavDir->HentReopenFiler();
    FavFiler->HentReopenFiler();
}

Twinform::~Twinform() = default;

QString Twinform::historyFile() const
{
    return (services::folders()->optMappe()) + "historiemapper" + StifinderNavn.mid(10) + ".txt";
}

QString Twinform::favouriteFoldersFile() const
{
    return (services::folders()->optMappe()) + "favoritmapper" + StifinderNavn.mid(10) + ".txt";
}

QString Twinform::favouriteFilesFile() const
{
    return (services::folders()->optMappe()) + "favoritfiler" + StifinderNavn.mid(10) + ".txt";
}

QString Twinform::savedTreeFile() const
{
    return (services::folders()->optMappe()) + "GemHentStruktur " + StifinderNavn + ".txt";
}

void Twinform::createLists()
{
    historieDir = new TReopenFilerY(this);
    historieDir->SetItemfile(historyFile());
    historieDir->SetListeBoks(HistorieListe);
    historieDir->SetItemtype(itBibliotek);
    auto status = [](const QString &path) { services::status()->UdskrivInfo(path); };
    auto show = [this](const QString &, const QString &path) { visIFilStruktur(path); };
    historieDir->SetOnDblListeKlik(show);
    historieDir->SetOnListeKlik([status](const QString &, const QString &path) { status(path); });

    FavDir = new TReopenFilerX(this);
    FavDir->SetItemfile(favouriteFoldersFile());
    FavDir->SetListeBoks(favoritliste);
    FavDir->SetItemtype(itBibliotek);
    FavDir->SetOnListeKlik([this, status](const QString &caption, const QString &path) {
        RenamMEdit->setText(caption);
        status(path);
    });
    FavDir->SetOnDblListeKlik(show);
    FavFiler = new TReopenFilerX(this);
    FavFiler->SetItemfile(favouriteFilesFile());
    FavFiler->SetListeBoks(favfilerListe);
    FavFiler->SetItemtype(itFil);
    FavFiler->SetOnListeKlik([this, status](const QString &caption, const QString &path) {
        RenamFEdit->setText(caption);
        status(path);
    });
    FavFiler->SetOnDblListeKlik(
        [](const QString &, const QString &path) { services::launcher()->runFilname(path, 0); });

    findDir = new TReopenFilerX(this);
    findDir->SetListeBoks(mappeBoxen);
    findDir->SetItemtype(itBibliotek);
    findFiler = new TReopenFilerX(this);
    findFiler->SetListeBoks(filBoxen);
    findFiler->SetItemtype(itFil);
    for (TReopenFilerX *found : {findDir, findFiler}) {
        found->SetOnListeKlik([status](const QString &, const QString &path) { status(path); });
        found->SetOnDblListeKlik(show);
    }
}

void Twinform::newMetodeObjekt()
{
    if (mainHost())
        mainHost()->setKlipbord(this);
    metodeX->setBoolVisKlipbord(visKlipbordCheck->isChecked());
}

// ---------------------------------------------------------------------------------------------
// Options file

core::OptionTable Twinform::optionTable()
{
    TStrukturCompo *struktur = metodeX->strukturY();
    auto box = [](QCheckBox *check) {
        return std::pair{[check] { return check->isChecked(); }, [check](bool on) { check->setChecked(on); }};
    };
    auto radio = [](RadioGroup *group) {
        return std::pair{[group] { return group->itemIndex(); },
                         [group](int index) { group->setItemIndex(index); }};
    };
    auto page = [](QTabWidget *book) {
        return std::pair{[book] { return book->currentIndex(); },
                         [book](int index) { book->setCurrentIndex(index); }};
    };
    auto pageSwitch = [](QPushButton *button) {
        return std::pair{[button] { return button->isChecked(); },
                         [button](bool on) { button->setChecked(on); }};
    };
    using core::FlagRule;
    core::OptionTable table;
    table
        .text(
            1, [struktur] { return struktur->mappenavn(); },
            [struktur](const QString &path) { struktur->setMappenavn(path); }, QString("C:"))
        .text(
            2, [struktur] { return struktur->filnavn(); },
            [struktur](const QString &path) { struktur->setFilnavn(path); }, QString())
        .number(
            3, [this] { return std::max(MappeStruktur->width(), splitter->sizes().value(0)); },
            [this](int treeWidth) {
                QList<int> sizes = splitter->sizes();
                sizes[0] = treeWidth;
                splitter->setSizes(sizes);
            },
            kDefaultTreeWidth, kMinimumTreeWidth, kMaximumTreeWidth)
        .flag(4, box(privatCheckBox).first, box(privatCheckBox).second, false, FlagRule::NonZeroByte)
        .number(5, radio(RadioOpstart).first, radio(RadioOpstart).second, 0)
        .flag(6, box(hiddenCheck).first, box(hiddenCheck).second, false, FlagRule::NonZeroByte)
        .number(7, radio(mappeBox).first, radio(mappeBox).second)
        .number(8, page(winBog).first, page(winBog).second)
        .number(9, page(favoritBog).first, page(favoritBog).second)
        .number(10, radio(spmBox).first, radio(spmBox).second)
        .number(11, radio(resultBox).first, radio(resultBox).second);
    QCheckBox *const pasteChecks[] = {DragDropCheck, opdaterCheck, visKlipbordCheck,
                                      rydCheck,      LukCheck,     visIndstillingerCheck};
    for (int i = 0; i < 6; ++i)
        table.flag(12 + i, box(pasteChecks[i]).first, box(pasteChecks[i]).second, std::nullopt,
                   FlagRule::NonZeroByte);
    table.number(18, radio(fanePlaceringsBox).first, radio(fanePlaceringsBox).second)
        .flag(19, box(udfoldCheck).first, box(udfoldCheck).second, false, FlagRule::NonZeroByte)
        .number(20, radio(redskabsCheck).first, radio(redskabsCheck).second);
    QPushButton *const switches[] = {tabVisCheck1, tabVisCheck2, tabVisCheck3, tabVisCheck0};
    for (int i = 0; i < 4; ++i)
        table.flag(21 + i, pageSwitch(switches[i]).first, pageSwitch(switches[i]).second);
    table.afterApplying([this, struktur] {
        fanePlaceringsBoxClick();
        redskabsCheckClick();
        if (!core::directoryExists(struktur->mappenavn()))
            struktur->setMappenavn("C:");
        if (!core::fileExists(struktur->filnavn()))
            struktur->setFilnavn(QString());
    });
    return table;
}

void Twinform::defaultOpt()
{
    optionTable().applyDefaults();
}

void Twinform::HentOpt()
{
    optionTable().load(optFilnavn);
}

QStringList Twinform::optionLines() const
{
    return const_cast<Twinform *>(this)->optionTable().lines();
}

void Twinform::GemOpt()
{
    optionTable().save(optFilnavn);
}

bool Twinform::makeOpstartStrukturer()
{
    TStrukturCompo *struktur = metodeX->strukturY();
    try {
        const int mode = RadioOpstart->itemIndex();
        if (mode <= 0) {
            struktur->makePreDrives();
            setActiveTree(StrukturNr::filer);
            mappeKontrol(struktur->makeStruktur2(QString()), true);
            return true;
        }
        const QString folder = struktur->mappenavn();
        const QString file = struktur->filnavn();
        struktur->udfoldStruktur1(folder, mode == 2);
        setActiveTree(StrukturNr::filer);
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
            services::tabs()->InsertTab(this);
            services::tabs()->SetTCindex();
        }
        (activeTree() == StrukturNr::mapper ? MappeStruktur : FilStruktur)->setFocus();
        services::structureMenu()->loadMappeStruktur(false);
        if (mainHost() && !services::settings()->settings().triedBefore) {
            winBog->setCurrentIndex(4);
            egenskabsBogen->setCurrentIndex(1);
        }
        if (mainHost() && services::settings()->settings().sharedClipboard) {
            Klipbord *klipbord = metodeX->klipbord();
            mainHost()->udskivKlipbordInf(QString::number(klipbord->Mappeliste->count()),
                                          QString::number(klipbord->Filliste->count()));
        }
        funkNo = metodeX->strukturY()->getNodeId(activeTree());
        setActionUpdates(mainHost() && services::settings()->settings().block);
    }
    if (mainHost()) {
        services::tabs()->fokusTab(StifinderNavn);
        services::currentElement()->setEditSti(aktuelleSti);
    }
    stifindernavnLabel->setText(StifinderNavn);
}

void Twinform::FormClose()
{
    if (m_closed)
        return;
    m_closed = true;
    // A running search ends here, before the lists it fills go away.
    if (m_soegning)
        m_soegning->stop();
    m_soegningAktiv = false;
    if (mainHost() && metodeX->ownsKlipbord())
        mainHost()->destroyClipboardWindow(metodeX->klipbord());
    GemOpt();
    FavDir->GemReopenFiler();
    FavFiler->GemReopenFiler();
    if (mainHost()) {
        mainHost()->explorerClosed();
        services::tabs()->CloseTab(StifinderNavn);
    }
}

void Twinform::closeEvent(QCloseEvent *event)
{
    // A paste or deletion still runs on this window's engines: the copy is stopped, and the
    // window closes as soon as the operation has ended.
    if (aktivitetsAntal > 0) {
        m_closeWhenDone = true;
        PasteObj->progressBox().stopFlag() = true;
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
}

// ---------------------------------------------------------------------------------------------
// Activity, operations and enabling rules

void Twinform::setAktivitetsNr(int ant, int infoNo)
{
    aktivitetsAntal += ant;
    funkTilladt = aktivitetsAntal <= 0;
    if (funkTilladt && m_closeWhenDone) {
        m_closeWhenDone = false;
        // Inside the main window the frame around it is what closes.
        QTimer::singleShot(0, this, [this] {
            if (auto *frame = qobject_cast<QMdiSubWindow *>(parentWidget()))
                frame->close();
            else
                close();
        });
    }
    if (AktivitetBoks)
        AktivitetBoks->setSpinning(!funkTilladt);
    if (mainHost() && services::settings()->settings().notifications) {
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
    if (mainHost() && services::settings()->settings().notifications)
        services::status()->makeInfo("Information", text);
}

bool Twinform::operationBracket(const QString &question, int infoNo, const std::function<void()> &work)
{
    if (!mayStart(question))
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
    const bool blocking = !services::settings()->settings().block;
    mainHost()->setBlokerChecked(blocking);
    if (blocking)
        services::status()->UdskrivInfo("Andre funktioner blokeres nu ved aktive tidskrævende funktioner.");
    else if (services::settings()->settings().inform)
        services::status()->UdskrivInfo(
            "Andre funktioner blokeres ikke ved aktive tidskrævende funktioner, men der informeres.");
    else
        services::status()->UdskrivInfo(
            "Andre funktioner blokeres ikke ved aktive tidskrævende funktioner, og der informeres ikke.");
}
