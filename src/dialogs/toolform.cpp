#include "dialogs/toolform.h"

#include "dialogs/services.h"
#include "dialogs/widgets.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QStatusTipEvent>
#include <QToolButton>
#include <memory>

namespace {
TToolHost *g_toolHost = nullptr;
} // namespace

TToolHost *toolHost()
{
    return g_toolHost;
}

void setToolHost(TToolHost *host)
{
    g_toolHost = host;
}

TToolForm::TToolForm(const QString &caption, bool internal, QWidget *parent)
    : QWidget(parent)
    , showInternt(internal)
{
    setWindowTitle(caption);
    setAttribute(Qt::WA_DeleteOnClose);
}

void TToolForm::FormActivate()
{
    if (showInternt && toolHost()) {
        if (opstart) {
            services::tabs()->InsertTab(this);
            services::tabs()->SetTCindex();
        }
        services::tabs()->fokusTab(windowTitle());
    }
    opstart = false;
    activated();
}

core::OptionTable TToolForm::placeLines()
{
    constexpr int reach = 10000;
    auto place = std::make_shared<QPoint>(kDefaultLeft, kDefaultTop);
    core::OptionTable table;
    table
        .number(
            1, [this] { return x(); }, [place](int left) { place->setX(left); }, kDefaultLeft, -reach, reach)
        .number(
            2, [this] { return y(); }, [place](int top) { place->setY(top); }, kDefaultTop, -reach, reach)
        .afterApplying([this, place] { move(*place); });
    return table;
}

QHBoxLayout *TToolForm::bottomBar(const QString &helpPage)
{
    auto *bottom = new QHBoxLayout;
    if (QAction *visStifinder = services::pages()->mainAction("aVisStifinder"))
        bottom->addWidget(widgets::actionButton(
            visStifinder, this, {"folder-open", Qt::ToolButtonTextBesideIcon, {}, "visStifinderButton"}));
    bottom->addStretch(1);
    QToolButton *info = widgets::infoButton("infoButton", this);
    info->setStatusTip("Information");
    info->setVisible(!showInternt);
    connect(info, &QToolButton::clicked, this, [helpPage] { services::help()->InfoHelp(helpPage); });
    bottom->addWidget(info);
    auto *close = new QPushButton("Luk", this);
    close->setObjectName("lukKnap");
    connect(close, &QPushButton::clicked, this, &TToolForm::closeWindow);
    bottom->addWidget(close);
    return bottom;
}

void TToolForm::closeWindow()
{
    if (auto *frame = qobject_cast<QMdiSubWindow *>(parentWidget()))
        frame->close();
    else
        close();
}

void TToolForm::closeEvent(QCloseEvent *event)
{
    if (!m_closed) {
        m_closed = true;
        closing();
        if (showInternt) {
            services::tabs()->CloseTab(windowTitle());
        } else {
            gemOpt();
        }
        // Closed by itself inside the main window: its frame goes too.
        auto *frame = qobject_cast<QMdiSubWindow *>(parentWidget());
        if (frame && !m_frameClosing)
            QMetaObject::invokeMethod(frame, &QWidget::close, Qt::QueuedConnection);
    }
    QWidget::closeEvent(event);
}

bool TToolForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == parentWidget() && event->type() == QEvent::Close)
        m_frameClosing = true;
    return QWidget::eventFilter(watched, event);
}

void TToolForm::changeEvent(QEvent *event)
{
    // A window of its own is activated by the window system.
    if (event->type() == QEvent::ActivationChange && !showInternt && isActiveWindow())
        FormActivate();
    QWidget::changeEvent(event);
}

bool TToolForm::event(QEvent *event)
{
    if (event->type() == QEvent::ParentAboutToChange && parentWidget())
        parentWidget()->removeEventFilter(this);
    if (event->type() == QEvent::ParentChange && parentWidget())
        parentWidget()->installEventFilter(this);
    if (event->type() == QEvent::StatusTip && toolHost()) {
        services::status()->HintInfo(static_cast<QStatusTipEvent *>(event)->tip());
        return true;
    }
    return QWidget::event(event);
}
