#include "dialogs/kopieringsform.h"

#include "core/messages.h"
#include "core/optionlines.h"
#include "dialogs/actionlist.h"
#include "dialogs/widgets.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int kMargin = 8;
constexpr int kHandle = Tkopieringsform::kBesideLists - 2 * kMargin;

QWidget *listPanel(const QString &caption, QListWidget *list, QWidget *parent)
{
    auto *panel = new QWidget(parent);
    auto *column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);
    column->addWidget(new QLabel(caption, panel));
    column->addWidget(list);
    return panel;
}

QPixmap picture(int number, const QStyle *style)
{
    // The main window's 32-pixel list has the copy picture at 2 and the move picture at 7.
    const QIcon icon = number == Tkopieringsform::kMovePicture
                           ? QIcon::fromTheme("edit-move", style->standardIcon(QStyle::SP_ArrowForward))
                           : QIcon::fromTheme("edit-copy", style->standardIcon(QStyle::SP_FileIcon));
    return icon.pixmap(32, 32);
}

} // namespace

Tkopieringsform::Tkopieringsform(const QString &filnavn, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::WindowStaysOnTopHint)
    , optFilnavn(filnavn)
    , m_actions(new ActionList(this))
    , m_mappePanel((kDesignWidth - kBesideLists) / 2)
    , m_filPanel(kDesignWidth - kBesideLists - (kDesignWidth - kBesideLists) / 2)
{
    setObjectName("kopieringsform");
    setWindowTitle("Kopiering/Flytning/Sletning");
    setModal(true);
    setMinimumWidth(kMinimumWidth);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(kMargin, kMargin, kMargin, 0);
    layout->setSpacing(4);

    MappeListe = new QListWidget(this);
    MappeListe->setObjectName("MappeListe");
    FilListe = new QListWidget(this);
    FilListe->setObjectName("FilListe");
    Splitter = new QSplitter(Qt::Horizontal, this);
    Splitter->setObjectName("Splitter");
    Splitter->setHandleWidth(kHandle);
    Splitter->setChildrenCollapsible(false);
    Splitter->addWidget(listPanel("Mapper:", MappeListe, Splitter));
    Splitter->addWidget(listPanel("Filer:", FilListe, Splitter));
    layout->addWidget(Splitter, 1);
    connect(Splitter, &QSplitter::splitterMoved, this, [this] {
        const QList<int> sizes = Splitter->sizes();
        m_mappePanel = sizes.value(0);
        m_filPanel = sizes.value(1);
    });

    layout->addWidget(new QLabel("Destignationsmappe:", this));
    EditDest = widgets::field("EditDest", "destDir", this);
    layout->addWidget(EditDest);

    auto *bottom = new QFrame(this);
    bottom->setObjectName("Panel1");
    bottom->setFrameShape(QFrame::StyledPanel);
    auto *row = new QHBoxLayout(bottom);
    row->setContentsMargins(kMargin, 6, 4, 6);
    auto *question = new QLabel(bottom);
    question->setObjectName("spmImage");
    question->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxQuestion).pixmap(48, 48));
    row->addWidget(question);
    LabelSpm = new QLabel("Skal angivne elementer kopieres?", bottom);
    LabelSpm->setObjectName("LabelSpm");
    QFont bold = LabelSpm->font();
    bold.setBold(true);
    LabelSpm->setFont(bold);
    // A narrow box wraps the question instead of cutting it.
    LabelSpm->setWordWrap(true);
    LabelSpm->setMinimumWidth(110);
    row->addWidget(LabelSpm, 1);
    auto *nej = new QPushButton("Nej", bottom);
    nej->setObjectName("nejButton");
    auto *ja = new QPushButton("Ja", bottom);
    ja->setObjectName("jaButton");
    ja->setDefault(true);
    for (QPushButton *button : {nej, ja}) {
        button->setMinimumWidth(88);
        row->addWidget(button);
    }
    setTabOrder(ja, nej);
    connect(ja, &QPushButton::clicked, this, [this] { done(messages::mrOk); });
    connect(nej, &QPushButton::clicked, this, [this] { done(messages::mrCancel); });
    Image1 = new QLabel(bottom);
    Image1->setObjectName("Image1");
    Image1->setFixedSize(32, 32);
    row->addSpacing(8);
    row->addWidget(Image1);

    m_actions->add(
        "aUdfold", QString(), {}, "Gør boksen større", [this] { udfold(); }, [this] { return kanUdfolde(); });
    m_actions->add(
        "aSammenfold", QString(), {}, "Gør boksen mindre", [this] { sammenfold(); },
        [this] { return kanSammenfolde(); });
    auto *sizeButtons = new QVBoxLayout;
    sizeButtons->setSpacing(2);
    udfoldButton =
        widgets::actionButton(m_actions->action("aUdfold"), bottom,
                              widgets::ButtonLook("zoom-in", Qt::ToolButtonIconOnly, QSize(12, 12)));
    sammenfoldButton =
        widgets::actionButton(m_actions->action("aSammenfold"), bottom,
                              widgets::ButtonLook("zoom-out", Qt::ToolButtonIconOnly, QSize(12, 12)));
    for (QToolButton *button : {udfoldButton, sammenfoldButton}) {
        button->setAutoRaise(false);
        button->setFixedSize(18, 18);
        sizeButtons->addWidget(button);
    }
    row->addSpacing(4);
    row->addLayout(sizeButtons);
    layout->addWidget(bottom);

    setBillede(kCopyPicture);
    resize(kDesignWidth, kDesignHeight);
    hentOpt();
    m_savedWidth = width();
    m_savedFilPanel = m_filPanel;
}

void Tkopieringsform::hentOpt()
{
    int width = kDesignWidth;
    int filPanel = m_filPanel;
    core::OptionTable table;
    table
        .number(
            1, [] { return 0; }, [&](int value) { width = value; }, kDesignWidth, kMinimumWidth,
            kGrowUntil + kStep)
        .number(
            2, [] { return 0; }, [&](int value) { filPanel = value; },
            kDesignWidth - kBesideLists - (kDesignWidth - kBesideLists) / 2, 0, kGrowUntil + kStep);
    table.load(optFilnavn);
    resize(width, height());
    // The file list never takes more than the lists' room; the folder list gets the rest.
    m_filPanel = std::min(filPanel, width - kBesideLists);
    m_mappePanel = width - kBesideLists - m_filPanel;
    applySplitter();
    m_actions->updateAll();
}

void Tkopieringsform::gemOpt()
{
    core::OptionTable table;
    table
        .number(
            1, [this] { return width(); }, [](int) {})
        .number(
            2, [this] { return m_filPanel; }, [](int) {});
    if (table.save(optFilnavn)) {
        m_savedWidth = width();
        m_savedFilPanel = m_filPanel;
    }
}

void Tkopieringsform::applySplitter()
{
    Splitter->setSizes({m_mappePanel, m_filPanel});
}

void Tkopieringsform::setBredde(int width)
{
    resize(std::max(width, kMinimumWidth), height());
    m_mappePanel = (this->width() - kBesideLists) / 2;
    m_filPanel = this->width() - kBesideLists - m_mappePanel;
    applySplitter();
    m_actions->updateAll();
}

void Tkopieringsform::udfold()
{
    if (kanUdfolde())
        setBredde(width() + kStep);
}

void Tkopieringsform::sammenfold()
{
    if (kanSammenfolde())
        setBredde(width() - kStep);
}

void Tkopieringsform::setBillede(int number)
{
    m_billede = number;
    Image1->setPixmap(picture(number, style()));
}

bool Tkopieringsform::skalElementerKopieres(const QString &aDestDir, bool flytEle,
                                            const QStringList &filelist, const QStringList &mappelist)
{
    setBillede(flytEle ? kMovePicture : kCopyPicture);
    return ask(flytEle ? "Flytning af elementer" : "Kopiering af elementer",
               flytEle ? "Skal valgte elementer flyttes?" : "Skal valgte elementer kopieres?", aDestDir,
               filelist, mappelist);
}

bool Tkopieringsform::skalElementerSlettes(const QStringList &Fliste, const QStringList &Mliste,
                                           bool tilPapirkurv)
{
    // The picture stays as the last question left it.
    return ask("Sletning af elementer", "Skal udvalgte elementer slettes?",
               tilPapirkurv ? "Papirkurv" : "Ingen: Elementerne slettes permanent.", Fliste, Mliste);
}

bool Tkopieringsform::ask(const QString &caption, const QString &question, const QString &dest,
                          const QStringList &files, const QStringList &folders)
{
    setWindowTitle(caption);
    LabelSpm->setText(question);
    QCoreApplication::processEvents();
    FilListe->clear();
    FilListe->addItems(files);
    MappeListe->clear();
    MappeListe->addItems(folders);
    EditDest->setText(dest);
    return exec() == messages::mrOk;
}

int Tkopieringsform::exec()
{
    int result = messages::mrCancel;
    if (const auto &responder = messages::DialogSeam::responder()) {
        messages::ShownDialog shown(messages::ShownDialog::Confirmation, LabelSpm->text(), false, width(),
                                    height());
        shown.caption = windowTitle();
        shown.destination = EditDest->text();
        for (int i = 0; i < FilListe->count(); ++i)
            shown.files.append(FilListe->item(i)->text());
        for (int i = 0; i < MappeListe->count(); ++i)
            shown.folders.append(MappeListe->item(i)->text());
        bool unused = false;
        result = responder(shown, unused);
        setResult(result);
    } else {
        QWidget *centreOn = parentWidget() ? parentWidget()->window() : QApplication::activeWindow();
        const QRect area = centreOn ? centreOn->frameGeometry() : screen()->availableGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
        result = QDialog::exec();
        const QList<int> sizes = Splitter->sizes();
        m_mappePanel = sizes.value(0, m_mappePanel);
        m_filPanel = sizes.value(1, m_filPanel);
    }
    // Sizes the user changed are kept for the next time.
    if (width() != m_savedWidth || m_filPanel != m_savedFilPanel)
        gemOpt();
    return result;
}

void Tkopieringsform::reject()
{
    done(messages::mrCancel);
}
