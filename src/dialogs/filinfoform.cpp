#include "dialogs/filinfoform.h"

#include "dialogs/actionlist.h"
#include "dialogs/widgets.h"
#include "fileops/filinfo.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFormLayout>
#include <QFrame>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int kPicture = 32;

// A value that may be longer than the box is wide: cut, never widening the box.
QLabel *value(const QString &name, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

QFrame *line(QWidget *parent)
{
    auto *frame = new QFrame(parent);
    frame->setFrameShape(QFrame::HLine);
    frame->setFrameShadow(QFrame::Sunken);
    return frame;
}

QLabel *picture(const QString &name, const QIcon &icon, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setFixedSize(kPicture, kPicture);
    label->setPixmap(icon.pixmap(kPicture, kPicture));
    return label;
}

// A page: the picture and the name field on top, a line, then rows of caption and value.
QFormLayout *page(QWidget *pageWidget, QLabel *image, QLineEdit *name)
{
    auto *column = new QVBoxLayout(pageWidget);
    auto *top = new QHBoxLayout;
    top->addWidget(image);
    top->addSpacing(8);
    top->addWidget(name, 1);
    column->addLayout(top);
    column->addWidget(line(pageWidget));
    auto *rows = new QFormLayout;
    rows->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    rows->setLabelAlignment(Qt::AlignLeft);
    column->addLayout(rows);
    column->addStretch(1);
    return rows;
}

const char *const kCaptions[] = {"Fil egenskaber", "Mappe egenskaber", "Drev egenskaber"};

} // namespace

Tfilinfoform::Tfilinfoform(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::WindowStaysOnTopHint)
    , m_actions(new ActionList(this))
{
    setObjectName("filinfoform");
    setWindowTitle(kCaptions[egenskabSide::fil]);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    Bog = new QTabWidget(this);
    Bog->setObjectName("Bog");
    layout->addWidget(Bog, 1);

    auto *filSide = new QWidget(Bog);
    ikonBox = picture("ikonBox", QIcon(), filSide);
    EditFilnavn = widgets::field("EditFilnavn", QString(), filSide);
    QFormLayout *rows = page(filSide, ikonBox, EditFilnavn);
    EditPath = widgets::field("EditPath", QString(), filSide);
    rows->addRow("Placering:", EditPath);
    LabelSize = value("LabelSize", filSide);
    rows->addRow("Størrelse:", LabelSize);
    rows->addRow(line(filSide));
    LabelOprettet = value("LabelOprettet", filSide);
    rows->addRow("Oprettet:", LabelOprettet);
    LabelForandret = value("LabelForandret", filSide);
    rows->addRow("Ændret:", LabelForandret);
    LabelAabnet = value("LabelAabnet", filSide);
    rows->addRow("Åbnet:", LabelAabnet);
    rows->addRow(line(filSide));
    cbReadOnly = widgets::check("cbReadOnly", "Skrivebeskyttet", filSide);
    cbHidden = widgets::check("cbHidden", "Skjult", filSide);
    anvendButton = new QPushButton("Anvend", filSide);
    anvendButton->setObjectName("anvendButton");
    anvendButton->setToolTip("Sæt de nye attributværdier");
    anvendButton->setStatusTip(anvendButton->toolTip());
    anvendButton->setEnabled(false);
    // The boxes above each other: side by side with "Anvend" they would not fit 345 pixels.
    auto *boxes = new QVBoxLayout;
    boxes->addWidget(cbReadOnly);
    boxes->addWidget(cbHidden);
    auto *attributes = new QHBoxLayout;
    attributes->addLayout(boxes);
    attributes->addStretch(1);
    attributes->addWidget(anvendButton, 0, Qt::AlignBottom);
    rows->addRow("Attributter:", attributes);
    rows->addRow(line(filSide));
    LabelFiltype = value("LabelFiltype", filSide);
    rows->addRow("Filtype:", LabelFiltype);
    Bog->addTab(filSide, "Fil");
    // Only a click enables "Anvend": the boxes filled from the file leave it as it is.
    for (QCheckBox *box : {cbReadOnly, cbHidden})
        connect(box, &QCheckBox::clicked, anvendButton, [this] { anvendButton->setEnabled(true); });
    connect(anvendButton, &QPushButton::clicked, this, [this] { anvend(); });

    auto *mappeSide = new QWidget(Bog);
    EditMappenavn = widgets::field("EditMappenavn", QString(), mappeSide);
    rows = page(mappeSide,
                picture("mappeBillede", QIcon::fromTheme("folder", style()->standardIcon(QStyle::SP_DirIcon)),
                        mappeSide),
                EditMappenavn);
    LabelPlacering = value("LabelPlacering", mappeSide);
    rows->addRow("Placering:", LabelPlacering);
    LabelMappeSize = value("LabelMappeSize", mappeSide);
    rows->addRow("Størrelse:", LabelMappeSize);
    LabelMappeIndhold = value("LabelMappeIndhold", mappeSide);
    rows->addRow("Indeholder:", LabelMappeIndhold);
    rows->addRow(line(mappeSide));
    LabeloprettelsesDato = value("LabeloprettelsesDato", mappeSide);
    rows->addRow("Oprettet:", LabeloprettelsesDato);
    Bog->addTab(mappeSide, "Mappe");

    auto *drevSide = new QWidget(Bog);
    EditDisknavn = widgets::field("EditDisknavn", QString(), drevSide);
    rows = page(drevSide,
                picture("drevBillede",
                        QIcon::fromTheme("drive-harddisk", style()->standardIcon(QStyle::SP_DriveHDIcon)),
                        drevSide),
                EditDisknavn);
    LabelFreeSpace = value("LabelFreeSpace", drevSide);
    rows->addRow("Ledig plads:", LabelFreeSpace);
    LabelAnvendtSpace = value("LabelAnvendtSpace", drevSide);
    rows->addRow("Anvendt plads:", LabelAnvendtSpace);
    LabelKapasitet = value("LabelKapasitet", drevSide);
    rows->addRow("Kapasitet:", LabelKapasitet);
    ProgressBar = new QProgressBar(drevSide);
    ProgressBar->setObjectName("ProgressBar");
    ProgressBar->setRange(0, 100);
    rows->addRow(ProgressBar);
    rows->addRow(line(drevSide));
    LabelType = value("LabelType", drevSide);
    rows->addRow("Type:", LabelType);
    LabelFilsystem = value("LabelFilsystem", drevSide);
    rows->addRow("Filsystem:", LabelFilsystem);
    Bog->addTab(drevSide, "Drev");

    // The page shown is the only one: a click on another tab goes back to it.
    connect(Bog, &QTabWidget::currentChanged, this, [this](int index) {
        if (index != SideNummer)
            Bog->setCurrentIndex(SideNummer);
    });

    auto *buttons = new QHBoxLayout;
    lukButton = new QPushButton("Luk", this);
    lukButton->setObjectName("lukButton");
    lukButton->setToolTip("Luk egenskabsboksen");
    informationButton = new QPushButton("Information", this);
    informationButton->setObjectName("informationButton");
    informationButton->setToolTip("Information om drev, fil og mappe egenskaber");
    for (QPushButton *button : {lukButton, informationButton}) {
        button->setStatusTip(button->toolTip());
        buttons->addWidget(button);
    }
    connect(lukButton, &QPushButton::clicked, this, [this] { close(); });
    connect(informationButton, &QPushButton::clicked, this, [this] { information(); });
    buttons->addStretch(1);
    m_actions->add(
        "aUdvid", QString(), {}, "Gør boksen større", [this] { udvid(); }, [this] { return kanUdvide(); });
    m_actions->add(
        "aFormindsk", QString(), {}, "Gør boksen mindre", [this] { formindsk(); },
        [this] { return kanFormindske(); });
    udvidButton = widgets::actionButton(
        m_actions->action("aUdvid"), this,
        widgets::ButtonLook("zoom-in", Qt::ToolButtonIconOnly, QSize(12, 12), "udvidButton"));
    formindskButton = widgets::actionButton(
        m_actions->action("aFormindsk"), this,
        widgets::ButtonLook("zoom-out", Qt::ToolButtonIconOnly, QSize(12, 12), "formindskButton"));
    // Without the theme's pictures the style's arrows say which way the box goes.
    for (const auto &[name, arrow] :
         {std::pair{"aUdvid", QStyle::SP_ArrowRight}, std::pair{"aFormindsk", QStyle::SP_ArrowLeft}}) {
        if (m_actions->action(name)->icon().isNull())
            m_actions->action(name)->setIcon(style()->standardIcon(arrow));
    }
    for (QToolButton *button : {udvidButton, formindskButton}) {
        button->setAutoRaise(false);
        button->setFixedSize(18, 18);
        buttons->addWidget(button);
    }
    layout->addLayout(buttons);

    resize(kDesignWidth, sizeHint().height());
    m_actions->updateAll();
}

Tfilinfoform::~Tfilinfoform() = default;

QString Tfilinfoform::hjaelpeside(int side)
{
    return QString::fromUtf8(kCaptions[qBound(0, side, 2)]) + ".html";
}

void Tfilinfoform::vis(int side)
{
    SideNummer = side;
    Bog->setCurrentIndex(side);
    setWindowTitle(kCaptions[side]);
    if (!m_placed && parentWidget()) {
        const QRect main = parentWidget()->window()->frameGeometry();
        move(main.center() - QPoint(width() / 2, height() / 2));
    }
    m_placed = true;
    show();
    raise();
}

void Tfilinfoform::setIcon(const PropertiesIcon &icon)
{
    const QIcon shown = icon.imageFile.isEmpty() ? QIcon::fromTheme(icon.themeName) : QIcon(icon.imageFile);
    ikonBox->setPixmap(shown.pixmap(kPicture, kPicture));
}

void Tfilinfoform::showFilePage(const FilePage &page)
{
    Filnavn = page.filnavn;
    EditFilnavn->setText(page.navn);
    EditPath->setText(page.placering);
    LabelSize->setText(page.size);
    LabelOprettet->setText(page.oprettet);
    LabelForandret->setText(page.aendret);
    LabelAabnet->setText(page.aabnet);
    LabelFiltype->setText(page.filtype);
    cbReadOnly->setChecked(page.readOnly);
    cbHidden->setChecked(page.hidden);
    anvendButton->setEnabled(false);
    vis(egenskabSide::fil);
}

void Tfilinfoform::showFolderPage(const FolderPage &page)
{
    EditMappenavn->setText(page.navn);
    LabelPlacering->setText(page.placering);
    LabelMappeSize->setText(page.size);
    LabelMappeIndhold->setText(page.indhold);
    LabeloprettelsesDato->setText(page.oprettet);
    vis(egenskabSide::mappe);
}

void Tfilinfoform::showDrivePage(const DrivePage &page)
{
    EditDisknavn->setText(page.navn);
    LabelFreeSpace->setText(page.ledig);
    LabelAnvendtSpace->setText(page.anvendt);
    LabelKapasitet->setText(page.kapasitet);
    ProgressBar->setValue(page.bar);
    LabelType->setText(page.type);
    LabelFilsystem->setText(page.filsystem);
    vis(egenskabSide::drev);
}

void Tfilinfoform::setFolderFigures(const QString &size, const QString &indhold)
{
    LabelMappeSize->setText(size);
    LabelMappeIndhold->setText(indhold);
}

void Tfilinfoform::closeWindow()
{
    close();
}

void Tfilinfoform::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    windowClosed();
}

void Tfilinfoform::anvend()
{
    if (const auto state =
            filinfo::applyAttributes(Filnavn, cbReadOnly->isChecked(), cbHidden->isChecked())) {
        cbReadOnly->setChecked(state->readOnly);
        cbHidden->setChecked(state->hidden);
    }
    anvendButton->setEnabled(false);
}

bool Tfilinfoform::kanUdvide() const
{
    return width() < kGrowUntil;
}

bool Tfilinfoform::kanFormindske() const
{
    return width() > kShrinkFrom;
}

void Tfilinfoform::setBredde(int width)
{
    resize(width, height());
    m_actions->updateAll();
}

void Tfilinfoform::udvid()
{
    if (kanUdvide())
        setBredde(width() + kStep);
}

void Tfilinfoform::formindsk()
{
    if (kanFormindske())
        setBredde(kSmallWidth);
}

void Tfilinfoform::information()
{
    if (onHjaelp)
        onHjaelp(hjaelpeside(SideNummer));
}
