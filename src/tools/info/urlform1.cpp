#include "tools/info/urlform1.h"

#include "core/optionlines.h"
#include "dialogs/actionlist.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

Turlform1 *urlform1 = nullptr;

namespace {

constexpr int kDefaultWidth = 220;
constexpr int kDefaultHeight = 360;
constexpr int kLargest = 4000;

// Width and height, the file's two lines; one that cannot be read leaves the window's own size.
core::OptionTable sizeLines(Turlform1 *window)
{
    auto size = std::make_shared<QSize>(window->size());
    core::OptionTable table;
    table
        .number(
            1, [window] { return window->width(); }, [size](int w) { size->setWidth(w); }, std::nullopt,
            Turlform1::kMinWidth, kLargest)
        .number(
            2, [window] { return window->height(); }, [size](int h) { size->setHeight(h); }, std::nullopt,
            Turlform1::kMinHeight, kLargest)
        .afterApplying([window, size] { window->resize(*size); });
    return table;
}

} // namespace

Turlform1::Turlform1(const QString &optMappe, QWidget *mainWindow)
    : QWidget(mainWindow, Qt::Window | Qt::WindowStaysOnTopHint)
    , optfilnavn(optMappe + "urlboks.txt")
{
    setObjectName("urlform1");
    setWindowTitle("Informationssider");
    setMinimumSize(kMinWidth, kMinHeight);
    resize(kDefaultWidth, kDefaultHeight);

    urlListe = new QListWidget(this);
    urlListe->setObjectName("urlListe");

    actions = new ActionList(this);
    actions->add(
        "AsletAlle", "Slet liste", {}, "Slet alle urls fra listen",
        [this] {
            urlListe->clear();
            actions->updateAll();
            emit listeSlettet();
        },
        [this] { return urlListe->count() > 0; });
    // Rows added by the information window count at once.
    connect(urlListe->model(), &QAbstractItemModel::rowsInserted, actions, [this] { actions->updateAll(); });
    connect(urlListe->model(), &QAbstractItemModel::modelReset, actions, [this] { actions->updateAll(); });

    m_layout = new QVBoxLayout(this);
    m_layout->setContentsMargins(4, 4, 4, 4);
    auto *buttons = new QHBoxLayout;
    auto *slet = new QToolButton(this);
    slet->setObjectName("sletListeKnap");
    slet->setDefaultAction(actions->action("AsletAlle"));
    slet->setToolButtonStyle(Qt::ToolButtonTextOnly);
    buttons->addWidget(slet);
    buttons->addStretch(1);
    auto *luk = new QPushButton("Luk", this);
    luk->setObjectName("lukKnap");
    luk->setToolTip("Luk urlboksen");
    luk->setStatusTip("Luk urlboksen");
    connect(luk, &QPushButton::clicked, this, &QWidget::close);
    buttons->addWidget(luk);
    m_layout->addWidget(urlListe, 1);
    m_layout->addLayout(buttons);

    sizeLines(this).load(optfilnavn);
    actions->updateAll();
    urlform1 = this;
}

Turlform1::~Turlform1()
{
    if (urlform1 == this)
        urlform1 = nullptr;
    // The list's model resets when the list is destroyed with this window's children; its rule
    // must not look at this window by then.
    QObject::disconnect(urlListe->model(), nullptr, actions, nullptr);
}

bool Turlform1::holdsList() const
{
    return urlListe->parentWidget() == this;
}

void Turlform1::takeListBack()
{
    if (holdsList())
        return;
    m_layout->insertWidget(0, urlListe, 1);
    urlListe->show();
}

void Turlform1::showEvent(QShowEvent *event)
{
    // Centred over the main window the first time it is shown, then where the user leaves it.
    if (!m_placed) {
        m_placed = true;
        const QWidget *main = parentWidget();
        const QRect over = main && main->isVisible()
                               ? main->frameGeometry()
                               : (screen() ? screen()->availableGeometry() : QRect(0, 0, 800, 600));
        move(over.center() - QPoint(width() / 2, height() / 2));
    }
    QWidget::showEvent(event);
    emit visibilityChanged();
}

void Turlform1::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    emit visibilityChanged();
}

void Turlform1::closeEvent(QCloseEvent *event)
{
    // Closing only hides it; its size is kept for the next run.
    sizeLines(this).save(optfilnavn);
    QWidget::closeEvent(event);
}
