#include "gallery/galform.h"

#include "core/files.h"
#include "core/linefile.h"
#include "core/messages.h"
#include "core/paths.h"
#include "dialogs/actionlist.h"
#include "dialogs/services.h"
#include "dialogs/widgets.h"
#include "gallery/bibpan.h"
#include "gallery/progresscompo.h"
#include "gallery/rulskakt.h"
#include "platform/Platform.h"

#include <QApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

TGalForm *GalForm = nullptr;

namespace {

TToolHost *host()
{
    return toolHost();
}

QIcon swatch(const QColor &farve)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(farve.isValid() ? farve : QColor(Qt::transparent));
    QPainter painter(&pixmap);
    painter.setPen(Qt::black);
    painter.drawRect(0, 0, 15, 15);
    return QIcon(pixmap);
}

// A button with a caption of its own that runs an action and follows its enabled state.
QPushButton *knap(QAction *action, const QString &caption, const QString &name, QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setStatusTip(action->statusTip());
    QObject::connect(button, &QPushButton::clicked, action, &QAction::trigger);
    QObject::connect(action, &QAction::enabledChanged, button, &QWidget::setEnabled);
    button->setEnabled(action->isEnabled());
    return button;
}

} // namespace

QColor TGalForm::farve(int index)
{
    static const QColor table[] = {{192, 192, 128}, {192, 220, 192}, {0, 0, 155},     {0, 192, 192},
                                   {160, 160, 160}, {0, 128, 0},     {255, 255, 0},   {166, 202, 240},
                                   {255, 255, 255}, {192, 192, 0},   {128, 0, 0},     {0, 128, 255},
                                   {192, 128, 0},   {0, 0, 128},     {128, 128, 128}, {128, 128, 0},
                                   {255, 128, 0},   {255, 0, 0},     {192, 192, 192}, {0, 128, 128}};
    return index >= 0 && index < 20 ? table[index] : QColor();
}

const QStringList &TGalForm::farveNavne()
{
    static const QStringList names{"Beige",    "Bleggrøn", "Blå",       "Blågrøn", "Grå",
                                   "Grøn",     "Gul",      "Himmelblå", "Hvid",    "Karry",
                                   "Kastanje", "Lysblå",   "Lysbrun",   "Mørkblå", "Mørkgrå",
                                   "Oliven",   "Orange",   "Rød",       "Sølvgrå", "Turkis"};
    return names;
}

QColor TGalForm::kontrastFarve(const QColor &farve)
{
    // On the colour value blue·65536 + green·256 + red: the low 16 bits kept, all 24 inverted,
    // bit 15 set.
    const quint32 value = quint32(farve.blue()) << 16 | quint32(farve.green()) << 8 | quint32(farve.red());
    const quint32 kontrast = ((value & 0xFFFFu) ^ 0xFFFFFFu) | 0x8000u;
    return QColor(int(kontrast & 0xFF), int(kontrast >> 8 & 0xFF), int(kontrast >> 16 & 0xFF));
}

TGalForm::TGalForm(bool internal, QWidget *parent)
    : TToolForm("Billeder", internal, parent)
{
    setObjectName("GalForm");
    if (host()) {
        const TToolHost::GalleryOptions options = host()->galleryOptions();
        AntalV = std::max(1, options.GBoxV);
        AntalL = std::max(1, options.GBoxL);
    }
    buildActions();
    buildUi();
    if (!showInternt) {
        optFilnavn = core::delimKon(services::folders()->optMappe()) + "Gallery.txt";
        hentOpt();
    }
    GalForm = this;
}

TGalForm::~TGalForm()
{
    if (GalForm == this)
        GalForm = nullptr;
}

void TGalForm::buildActions()
{
    // Inside the main window the keys act only while the gallery has the focus, so an explorer
    // window keeps its own Ctrl+C, Ctrl+V and Ctrl+D.
    actions = new ActionList(this, Qt::WidgetWithChildrenShortcut);
    auto valgt = [this] { return !picFilnavn.isEmpty(); };
    auto mappe = [this] { return BibPan && !BibPan->Bibliotek.isEmpty(); };
    actions->add("Amappe", "Indlæs billeder", QKeySequence("Ctrl+I"),
                 "Indlæs billeder fra filmappen: Ctrl +I", [this] { loadBilleder(AntalV, AntalL); });
    actions->add(
        "Avis", "Find og marker valgte billede i filstrukturen", QKeySequence("Ctrl+V"),
        "Marker valgte billede i struktur 2: Ctrl+V eller højreklik", [this] { AvisExecute(); }, valgt);
    actions->add(
        "AOpenPic", "Åben valgte i andet program", QKeySequence("Ctrl+K"),
        "Åben valgte eventuelt til redigering: Ctrl+K",
        [this] { services::launcher()->runFilname(picFilnavn, 0); }, valgt);
    actions->add(
        "AKopier", "Kopier til klipbordet", QKeySequence("Ctrl+C"), "Kopier valgte billede: Ctrl+C",
        [this] { services::explorers()->RegisterEleFromGal(picFilnavn); }, valgt);
    actions->add(
        "ADelete", "Slet valgte fil i stifinderen", QKeySequence("Ctrl+D"), "Slet valgte: Ctrl+D",
        [this] { ADeleteExecute(); }, valgt);
    actions->add(
        "AkopierMappe", "Kopier til klipbordet", QKeySequence("Ctrl+M"), "Kopier aktuelle mappe: Ctrl+M",
        [this] { services::explorers()->RegisterEleFromGal(BibPan->Bibliotek); }, mappe);
    actions->add(
        "AopenSF", "Vis i Windows Stifinder", QKeySequence("Ctrl+F"),
        "Åben aktuelle mappe i Stifinder: Ctrl+F", [this] { AopenSFExecute(); }, mappe);
}

QWidget *TGalForm::buildLeftPanel()
{
    auto *panel = new QWidget(this);
    panel->setFixedWidth(180);
    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);

    farveKnap = new QToolButton(panel);
    farveKnap->setObjectName("farveKnap");
    farveKnap->setText("Baggrundsfarve");
    farveKnap->setStatusTip("Vælg baggrundsfarve");
    farveKnap->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    farveKnap->setPopupMode(QToolButton::MenuButtonPopup);
    farveKnap->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    auto *farveMenu = new QMenu(farveKnap);
    for (int i = 0; i < farveNavne().size(); ++i) {
        QAction *item = farveMenu->addAction(swatch(farve(i)), farveNavne().at(i));
        connect(item, &QAction::triggered, this, [this, i] { setBgFarve(i); });
    }
    farveKnap->setMenu(farveMenu);
    connect(farveKnap, &QToolButton::clicked, farveKnap, &QToolButton::showMenu);
    layout->addWidget(farveKnap);

    struct Preset
    {
        int v, l;
        QList<QPair<int, int>> menu;
    };
    const Preset presets[] = {
        {14, 16, {{14, 16}, {13, 15}, {12, 14}, {11, 13}, {10, 12}}},
        {9, 11, {{9, 11}, {8, 10}, {7, 9}, {6, 8}, {5, 7}}},
        {4, 6, {{4, 6}, {3, 5}, {2, 4}, {2, 3}, {2, 2}, {1, 3}, {1, 2}, {1, 1}}},
    };
    for (const Preset &preset : presets) {
        auto *button = new QToolButton(panel);
        const QString size = QString("%1 x %2").arg(preset.v).arg(preset.l);
        button->setObjectName(QString("preset%1x%2").arg(preset.v).arg(preset.l));
        button->setText("Felter(" + size + ")");
        button->setStatusTip(size + " felter");
        button->setPopupMode(QToolButton::MenuButtonPopup);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        connect(button, &QToolButton::clicked, this, [this, preset] { loadBilleder(preset.v, preset.l); });
        auto *menu = new QMenu(button);
        for (const auto &[v, l] : preset.menu) {
            const QString caption = QString("%1 x %2").arg(v).arg(l);
            QAction *item = menu->addAction(caption);
            item->setStatusTip(v * l == 1 ? QString("1 felt") : caption + " felter");
            connect(item, &QAction::triggered, this, [this, v, l] { loadBilleder(v, l); });
        }
        button->setMenu(menu);
        presetKnapper.append(button);
        layout->addWidget(button);
    }

    auto countRow = [&](const QString &title, QLineEdit *&edit, const char *name, QToolButton *&plus,
                        QToolButton *&minus, bool vandret) {
        layout->addWidget(new QLabel(title, panel));
        auto *row = new QHBoxLayout;
        edit = widgets::field(name, QString::number(vandret ? AntalV : AntalL), panel);
        row->addWidget(edit, 1);
        plus = new QToolButton(panel);
        plus->setObjectName(QString(vandret ? "vandret" : "lodret") + "Plus");
        plus->setText("+");
        minus = new QToolButton(panel);
        minus->setObjectName(QString(vandret ? "vandret" : "lodret") + "Minus");
        minus->setText("−");
        connect(plus, &QToolButton::clicked, this, [this, vandret] { plusMinus(vandret, 1); });
        connect(minus, &QToolButton::clicked, this, [this, vandret] { plusMinus(vandret, -1); });
        plus->installEventFilter(this);
        minus->installEventFilter(this);
        row->addWidget(plus);
        row->addWidget(minus);
        layout->addLayout(row);
    };
    countRow("Felter vandret", BVedit, "BVedit", vandretPlus, vandretMinus, true);
    countRow("Felter lodret", BLedit, "BLedit", lodretPlus, lodretMinus, false);
    connect(BVedit, &QLineEdit::textChanged, this, [this] { BVeditChange(); });
    connect(BLedit, &QLineEdit::textChanged, this, [this] { BLeditChange(); });

    layout->addWidget(widgets::actionButton(actions->action("Amappe"), panel,
                                            {"folder-pictures", Qt::ToolButtonTextBesideIcon}));
    StepPan = new TProgressCompo(panel);
    StepPan->setObjectName("StepPan");
    StepPan->Trin = 1;
    StepPan->setFixedHeight(20);
    layout->addWidget(StepPan);
    BibFelt = new QLabel(panel);
    BibFelt->setObjectName("BibFelt");
    layout->addWidget(BibFelt);
    layout->addWidget(new QLabel("Antal billeder", panel));
    antalEdit = widgets::field("antalEdit", QString(), panel);
    layout->addWidget(antalEdit);
    layout->addStretch(1);
    return panel;
}

QWidget *TGalForm::buildRightPanel()
{
    auto *panel = new QGroupBox("Billeder", this);
    panel->setFixedWidth(240);
    auto *layout = new QVBoxLayout(panel);
    auto *mappe = new QGroupBox("Aktuelle mappe", panel);
    auto *mappeLayout = new QVBoxLayout(mappe);
    mappeLayout->addWidget(
        knap(actions->action("AkopierMappe"), "Kopier til klipbordet", "AkopierMappeButton", mappe));
    mappeLayout->addWidget(
        knap(actions->action("AopenSF"), "Vis i Windows Stifinder", "AopenSFButton", mappe));
    layout->addWidget(mappe);
    auto *billede = new QGroupBox("Valgte billede", panel);
    auto *billedLayout = new QVBoxLayout(billede);
    billedLayout->addWidget(
        knap(actions->action("AKopier"), "Kopier til klipbordet", "AKopierButton", billede));
    billedLayout->addWidget(knap(actions->action("ADelete"), "Slet i stifinderen", "ADeleteButton", billede));
    billedLayout->addWidget(
        knap(actions->action("Avis"), "Find og marker i filstrukturen", "AvisButton", billede));
    billedLayout->addWidget(
        knap(actions->action("AOpenPic"), "Åben i andet program", "AOpenPicButton", billede));
    layout->addWidget(billede);
    layout->addStretch(1);
    auto *bottom = new QHBoxLayout;
    if (QAction *visStifinder = services::pages()->mainAction("aVisStifinder"))
        bottom->addWidget(widgets::actionButton(
            visStifinder, panel, {"folder-open", Qt::ToolButtonTextBesideIcon, {}, "visStifinderButton"}));
    bottom->addStretch(1);
    QToolButton *info = widgets::infoButton("infoButton", panel);
    info->setStatusTip("Information");
    info->setVisible(!showInternt);
    connect(info, &QToolButton::clicked, this, [] { services::help()->InfoHelp("Billeder.html"); });
    bottom->addWidget(info);
    auto *close = new QPushButton("Luk", panel);
    close->setObjectName("lukKnap");
    connect(close, &QPushButton::clicked, this, &TToolForm::closeWindow);
    bottom->addWidget(close);
    layout->addLayout(bottom);
    return panel;
}

void TGalForm::buildUi()
{
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(buildLeftPanel());

    auto *centre = new QVBoxLayout;
    auto *gridRow = new QHBoxLayout;
    gridRow->setSpacing(0);
    BibPan = new TBibPan(this);
    BibPan->setObjectName("BibPan");
    BibPan->AlleOppe = true;
    BibPan->RulRundt = false;
    BibPan->FlatSelect = true;
    BibPan->NoOverFocus = true;
    BibPan->FocusInOut = false;
    BibPan->IndreMargen = 2;
    TRammeFeltX &ramme = BibPan->RammeFelt;
    ramme.Art = rtInd;
    ramme.Bredde = 2;
    ramme.Margen = 2;
    ramme.AfstandLodret = 2;
    ramme.AfstandVandret = 2;
    ramme.FarveRamme = palette().color(QPalette::Button);
    ramme.FarveOmrids = Qt::black;
    ramme.FarveOver = Qt::blue;
    ramme.FarveAktiv = Qt::yellow;
    ramme.MedFeltFarve = false;
    ramme.ReaktionNede = rtIngen;
    ramme.ReaktionOver = rtIngen;
    BibPan->BitmapFelt.BitType = btUnikSimpel;
    BibPan->BitmapFelt.AktivVL = false;
    BibPan->NytAntalVL(AntalV, AntalL);
    BibPan->setMinimumSize(200, 200);
    gridRow->addWidget(BibPan, 1);

    BibRul = new TRulskakt(this);
    BibRul->setObjectName("BibRul");
    BibRul->setFixedWidth(16);
    BibRul->Component = BibPan;
    BibRul->CompoFunktion = false;
    BibRul->NoOverFocus = false;
    BibRul->setCursor(Qt::PointingHandCursor);
    BibRul->MedMark = true;
    BibRul->MarkFarve = QColor(128, 128, 128);
    BibRul->MarkMargen = 3;
    BibRul->PosMax = 0;
    BibRul->PosVisible = 2;
    BibRul->RammeYdre.Art = rtInd;
    BibRul->RammeYdre.Bredde = 1;
    BibRul->RammeYdre.AfstandO = BibRul->RammeYdre.AfstandN = 1;
    BibRul->RammeYdre.AfstandH = BibRul->RammeYdre.AfstandV = 1;
    BibRul->RammeKnap.Art = rtUd;
    BibRul->RammeKnap.ArtUaktiv = rtUd;
    BibRul->RammeKnap.ReaktionOver = rtUd;
    BibRul->RammeKnap.FarveFelt = palette().color(QPalette::Button);
    BibRul->RammePos.Art = rtUd;
    BibRul->RammePos.FarveRamme = QColor(224, 224, 224);
    BibRul->RammePos.FocusRamme = true;
    BibRul->RammePos.MedFeltFarve = false;
    BibRul->RammePos.ReaktionNede = rtIngen;
    BibRul->RammePos.ReaktionOver = rtIngen;
    gridRow->addWidget(BibRul);
    centre->addLayout(gridRow, 1);

    auto *info = new QHBoxLayout;
    auto fieldOf = [&](const QString &title, const char *name, int stretch) {
        info->addWidget(new QLabel(title, this));
        QLineEdit *edit = widgets::field(name, QString(), this);
        info->addWidget(edit, stretch);
        return edit;
    };
    Breddefelt = fieldOf("Bredde", "Breddefelt", 0);
    Breddefelt->setFixedWidth(50);
    Hojdefelt = fieldOf("Højde", "Hojdefelt", 0);
    Hojdefelt->setFixedWidth(50);
    Navnfelt = fieldOf("Filnavn", "Navnfelt", 2);
    mappeFelt = fieldOf("Mappe", "mappeFelt", 3);
    centre->addLayout(info);
    layout->addLayout(centre, 1);
    layout->addWidget(buildRightPanel());

    BibPan->OnProgress = [this](int percent) { StepPan->SetPosition(percent); };
    BibPan->OnAntalIalt = [this](int total) {
        rulNyePos();
        antalEdit->setText(QString::number(total));
    };
    BibPan->OnStartNr = [this](int first) { BibRul->NyPosition(first); };
    BibPan->OnMus = [this](Qt::MouseButton button, int n) {
        BibInfo(n, true);
        if (button == Qt::RightButton)
            AvisExecute();
    };
    BibPan->OnNewDown = [this](int n) { BibInfo(n, true); };
    BibPan->OnBillede = [this](int n) {
        // The selected picture's size is known once its thumbnail is made.
        if (n == valgtNr && !picFilnavn.isEmpty())
            BibInfo(n, true);
    };
    BibRul->OnPosition = [this](int position) { BibPan->NytStartNr(position); };
}

void TGalForm::rulNyePos()
{
    const int visible = BibPan->AntalVandret * BibPan->AntalLodret;
    BibRul->NyePos(visible, BibPan->AntalIalt - visible, BibPan->StartNr);
}

// ---------------------------------------------------------------------------------------------
// Frame

void TGalForm::hentOpt()
{
    int left = kDefaultLeft, top = kDefaultTop, height = kDefaultHeight;
    const auto lines = core::readLines(optFilnavn);
    if (lines && lines->size() == 3) {
        bool ok[3] = {};
        const int values[3] = {lines->at(0).toInt(&ok[0]), lines->at(1).toInt(&ok[1]),
                               lines->at(2).toInt(&ok[2])};
        if (ok[0] && ok[1] && ok[2] && values[2] > 0 && values[2] < 100000) {
            left = values[0];
            top = values[1];
            height = values[2];
        }
    }
    setFixedWidth(kWidth);
    resize(kWidth, height);
    move(left, top);
}

void TGalForm::gemOpt()
{
    core::writeLines(optFilnavn, {QString::number(x()), QString::number(y()), QString::number(height())});
}

void TGalForm::activated()
{
    if (m_firstActivation) {
        m_firstActivation = false;
        setBgFarve(host() ? host()->galleryOptions().colIndex : 0);
    }
    BibPan->setFocus();
}

void TGalForm::closing()
{
    BibPan->cancelLoad();
    if (host()) {
        TToolHost::GalleryOptions options = host()->galleryOptions();
        options.GBoxV = AntalV;
        options.GBoxL = AntalL;
        host()->setGalleryOptions(options);
    }
}

bool TGalForm::eventFilter(QObject *watched, QEvent *event)
{
    if (host() && (event->type() == QEvent::Enter || event->type() == QEvent::Leave)) {
        static const QHash<QString, QString> texts{{"vandretPlus", "Forøg antal felter vandret."},
                                                   {"vandretMinus", "Formindsk antallet af felter vandret."},
                                                   {"lodretPlus", "Forøg antallet af felter lodret."},
                                                   {"lodretMinus", "Formindsk antallet af felter lodret."}};
        const QString text = texts.value(watched->objectName());
        if (!text.isEmpty())
            services::status()->UdskrivInfo(event->type() == QEvent::Enter ? text : QString());
    }
    return TToolForm::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------------------------
// Loading, counts, selection

void TGalForm::loadBilleder(int aV, int aL)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        Navnfelt->clear();
        QString folder = services::currentElement()->editSti();
        if (core::fileExists(folder))
            folder = core::folderOf(folder);
        mappeFelt->setText(folder);
        AntalV = std::max(1, aV);
        AntalL = std::max(1, aL);
        BVedit->setText(QString::number(AntalV));
        BLedit->setText(QString::number(AntalL));
        BibPan->SetBibliotek(core::directoryExists(folder) ? folder : QString());
        BibPan->InitAlleUp();
        if (BibPan->Antal > 0)
            BibPan->InitFocus(0);
        const int visible = AntalV * AntalL;
        BibRul->NyePos(visible, BibPan->AntalIalt - visible, 0);
        QApplication::restoreOverrideCursor();
        if (BibPan->AntalIalt >= 1) {
            BibPan->setFocus();
            BibInfo(0, true);
        } else {
            BibInfo(0, false);
            messages::inform(
                "For at indlæse billeder skal der være valgt en billedfil af type jpg, ico eller bmp i "
                "mappe-fil-strukturen, altså struktur 2.");
        }
    } catch (...) {
        QApplication::restoreOverrideCursor();
    }
    actions->updateAll();
}

void TGalForm::plusMinus(bool vandret, int delta)
{
    BibPan->SetBibliotek(QString());
    BibInfo(0, false);
    int &count = vandret ? AntalV : AntalL;
    count += delta;
    if (count < 1) {
        count = 1;
        services::status()->UdskrivInfo("Et felt er mindste feltantal");
    }
    (vandret ? BVedit : BLedit)->setText(QString::number(count));
    actions->updateAll();
}

void TGalForm::BVeditChange()
{
    if (host()) {
        TToolHost::GalleryOptions options = host()->galleryOptions();
        options.GBoxV = AntalV;
        host()->setGalleryOptions(options);
    }
    BibPan->NyeFelterVL(AntalV, AntalL);
    rulNyePos();
    StepPan->SetPosition(0);
}

void TGalForm::BLeditChange()
{
    if (host()) {
        TToolHost::GalleryOptions options = host()->galleryOptions();
        options.GBoxL = AntalL;
        host()->setGalleryOptions(options);
    }
    BibPan->NyeFelterVL(AntalV, AntalL);
    rulNyePos();
    StepPan->SetPosition(0);
}

void TGalForm::BibInfo(int FeltNr, bool MedTekst)
{
    if (!MedTekst || FeltNr < 0 || FeltNr >= BibPan->AntalIalt) {
        picFilnavn.clear();
        valgtNr = -1;
        Navnfelt->clear();
        Breddefelt->clear();
        Hojdefelt->clear();
        actions->updateAll();
        return;
    }
    valgtNr = FeltNr;
    picFilnavn = BibPan->GetFilnavn(FeltNr, true);
    Navnfelt->setText(BibPan->GetFilnavn(FeltNr, false));
    const bool known = FeltNr < BibPan->made();
    Breddefelt->setText(known ? QString::number(BibPan->GetBredde(FeltNr)) : QString());
    Hojdefelt->setText(known ? QString::number(BibPan->GetHojde(FeltNr)) : QString());
    BibFelt->setText("Bredde: " + QString::number(BibPan->FeltBredde) +
                     " Højde: " + QString::number(BibPan->FeltHojde));
    actions->updateAll();
}

void TGalForm::setBgFarve(int index)
{
    if (host()) {
        TToolHost::GalleryOptions options = host()->galleryOptions();
        options.colIndex = index;
        host()->setGalleryOptions(options);
    }
    const QColor colour = farve(index);
    farveKnap->setIcon(swatch(colour));
    if (!colour.isValid())
        return;
    StepPan->SetColor(colour);
    StepPan->SetColorStep(kontrastFarve(colour));
    BibPan->SetFeltFarve(colour);
}

// ---------------------------------------------------------------------------------------------
// Commands

void TGalForm::AvisExecute()
{
    if (!picFilnavn.isEmpty() && host())
        services::explorers()->selectFromGal(picFilnavn, false);
}

void TGalForm::ADeleteExecute()
{
    if (picFilnavn.isEmpty())
        return;
    if (!messages::ask("Filnavn:\r" + core::nameOf(picFilnavn) + "\r" +
                       "Skal filen slettes til papirkurven?"))
        return;
    QCoreApplication::processEvents();
    if (core::fileExists(picFilnavn) && host())
        services::explorers()->selectFromGal(picFilnavn, true);
}

void TGalForm::AopenSFExecute()
{
    const QString folder = BibPan->Bibliotek;
    if (folder.isEmpty())
        return;
    const int result = core::shellExecute("open", folder, QString(), QString(), platform::SW_SHOWNORMAL);
    if (result <= 32 && host())
        services::status()->ErrorInfo(result);
}
