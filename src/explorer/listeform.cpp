#include "explorer/listeform.h"

#include "core/linefile.h"
#include "core/optionlines.h"
#include "dialogs/actionlist.h"
#include "dialogs/services.h"
#include "explorer/mainhost.h"
#include "explorer/winform.h"
#include "fileops/klipbord.h"
#include "fileops/metodecompo.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QSplitter>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

Tlisteform::Tlisteform(Klipbord *klipbord, bool shared, int number, const QString &optMappe, QWidget *parent)
    : QWidget(parent)
    , m_klipbord(klipbord)
{
    setObjectName("listeform");
    setWindowTitle(shared ? QStringLiteral("Klipbord") : "Klipbord " + QString::number(number));
    winformCaption = shared ? QStringLiteral("Stifinder 1") : "Stifinder " + QString::number(number);
    optfilnavn = optMappe + (shared ? QStringLiteral("listeEgenskaber.txt")
                                    : "listeEgenskaber" + QString::number(number) + ".txt");
    setMinimumWidth(632);
    actions = new ActionList(this, Qt::WidgetWithChildrenShortcut);

    auto *body = new QVBoxLayout(this);
    auto *top = new QHBoxLayout;
    sizeField = new QLabel("Ukendt", this);
    sizeField->setObjectName("sizeField");
    sizeField->setMinimumWidth(200);
    mapperField = new QLineEdit(this);
    filerField = new QLineEdit(this);
    for (QLineEdit *count : {mapperField, filerField}) {
        count->setReadOnly(true);
        count->setFixedWidth(60);
    }
    infoField = new QLabel(this);
    auto *info = new QPushButton("Info", this);
    info->setObjectName("BeregnSize");
    info->setStatusTip("Informer om størrelsen på valgte elementer i klipbordet");
    connect(info, &QPushButton::clicked, this, [this] {
        if (Twinform *window = mainHost() ? mainHost()->findExplorer(winformCaption) : nullptr)
            window->metodeX->getSizeOfKlipbord();
    });
    top->addWidget(sizeField);
    top->addWidget(new QLabel("Mapper: ", this));
    top->addWidget(mapperField);
    top->addWidget(new QLabel("Filer: ", this));
    top->addWidget(filerField);
    top->addWidget(infoField, 1);
    top->addWidget(info);
    body->addLayout(top);

    splitter = new QSplitter(this);
    connect(splitter, &QSplitter::splitterMoved, this,
            [this] { m_folderListWidth = splitter->sizes().value(0); });
    auto column = [this](KlipbordListe *list, const QString &suffix, const QString &what) {
        auto *side = new QWidget(splitter);
        auto *layout = new QVBoxLayout(side);
        layout->setContentsMargins(0, 0, 0, 0);
        auto *buttons = new QHBoxLayout;
        auto add = [&](const QString &name, const QString &caption, const QString &hint,
                       std::function<void()> execute, std::function<bool()> enabled) {
            QAction *action =
                actions->add(name + suffix, caption, {}, hint, std::move(execute), std::move(enabled));
            auto *button = new QToolButton(side);
            button->setDefaultAction(action);
            button->setToolButtonStyle(Qt::ToolButtonTextOnly);
            buttons->addWidget(button);
        };
        auto hasRows = [list] { return list->count() > 0; };
        add(
            "selectAlle", "Alle", "Vælg alle " + what + " til Sæt ind", [this, list] { selectAlle(list); },
            hasRows);
        add(
            "selectIngen", "Ingen", "Fravælg alle " + what + " til Sæt ind",
            [this, list] { selectIngen(list); }, hasRows);
        add(
            suffix.isEmpty() ? "sletAlt1" : "sletAlt", "Ryd", "Slet alle afkrydsede elementer i listen",
            [this, list] { sletAlt(list); }, hasRows);
        add(
            "sletValgteFraListe", "Fjern", "Fjern alle afkrydsede og valgte " + what + " fra listen",
            [this, list] { sletValgteFraListe(list); },
            [this, list] { return viewOf(list) && viewOf(list)->selectionModel()->hasSelection(); });
        buttons->addStretch();
        layout->addLayout(buttons);
        QTableView *view = makeView(list);
        layout->addWidget(view, 1);
        return std::make_pair(side, view);
    };
    auto [left, folders] = column(klipbord->Mappeliste, QString(), "mapper");
    Mappeliste = folders;
    auto [right, files] = column(klipbord->Filliste, "2", "filer");
    Filliste = files;
    splitter->addWidget(left);
    splitter->addWidget(right);
    body->addWidget(splitter, 1);

    auto *bottom = new QHBoxLayout;
    QAction *stifinder = actions->add(
        "StifinderEks", "Stifinderen", {}, "Vælg destination i relevante Stifinder",
        [this] {
            if (!mainHost())
                return;
            if (Twinform *window = mainHost()->getWinform(winformCaption))
                mainHost()->showExplorer(window);
        },
        [this] { return m_klipbord->Mappeliste->count() + m_klipbord->Filliste->count() > 0; });
    QAction *both = actions->add(
        "sletBeggeLister", "Slet begge lister", {}, "Sletter alle elementer uanset afkrydsning",
        [this] { sletBeggeLister(); },
        [this] { return m_klipbord->Mappeliste->count() + m_klipbord->Filliste->count() > 0; });
    auto *stifinderButton = new QToolButton(this);
    stifinderButton->setDefaultAction(stifinder);
    stifinderButton->setToolButtonStyle(Qt::ToolButtonTextOnly);
    auto *bothButton = new QToolButton(this);
    bothButton->setDefaultAction(both);
    bothButton->setToolButtonStyle(Qt::ToolButtonTextOnly);
    selectCheck = new QCheckBox("Linjevalg", this);
    selectCheck->setObjectName("selectCheck");
    selectCheck->setStatusTip("Ved elementvalg vælg hele linjen");
    selectCheck->setChecked(true);
    connect(selectCheck, &QCheckBox::clicked, this, [this] { linjevalgClick(); });
    bottom->addWidget(stifinderButton);
    bottom->addWidget(new QLabel("Vælg destination", this));
    bottom->addStretch();
    bottom->addWidget(bothButton);
    bottom->addWidget(selectCheck);
    body->addLayout(bottom);

    connect(klipbord, &Klipbord::fieldsChanged, this, [this] { showFields(); });
    connect(klipbord->Mappeliste, &KlipbordListe::rowsChanged, this,
            [this] { showCounts(m_klipbord->Mappeliste); });
    connect(klipbord->Filliste, &KlipbordListe::rowsChanged, this,
            [this] { showCounts(m_klipbord->Filliste); });
    showFields();
    mapperField->setText(QString::number(klipbord->Mappeliste->count()));
    filerField->setText(QString::number(klipbord->Filliste->count()));
    HentOpt();
}

QTableView *Tlisteform::makeView(KlipbordListe *list)
{
    auto *view = new QTableView(this);
    view->setObjectName(list == m_klipbord->Mappeliste ? "Mappeliste" : "Filliste");
    view->setModel(list);
    view->setShowGrid(true);
    view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view->verticalHeader()->hide();
    view->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Fixed);
    view->horizontalHeader()->resizeSection(0, 48);
    view->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    view->setWordWrap(false);
    return view;
}

QTableView *Tlisteform::viewOf(KlipbordListe *list) const
{
    return list == m_klipbord->Mappeliste ? Mappeliste : Filliste;
}

int Tlisteform::getElementAntal() const
{
    return m_klipbord->Mappeliste->checkedCount() + m_klipbord->Filliste->checkedCount();
}

void Tlisteform::showFields()
{
    sizeField->setText(m_klipbord->sizeText);
    if (!m_klipbord->mapperText.isEmpty())
        mapperField->setText(m_klipbord->mapperText);
    if (!m_klipbord->filerText.isEmpty())
        filerField->setText(m_klipbord->filerText);
    infoField->setText(m_klipbord->infoText);
}

void Tlisteform::showCounts(KlipbordListe *changed)
{
    const QString count = QString::number(changed->count());
    if (changed == m_klipbord->Mappeliste)
        udskrivMappeFilInf(count, QString());
    else
        udskrivMappeFilInf(QString(), count);
    actions->updateAll();
}

void Tlisteform::udskrivMappeFilInf(const QString &antalMapper, const QString &antalFiler)
{
    if (!antalMapper.isEmpty())
        mapperField->setText(antalMapper);
    if (!antalFiler.isEmpty())
        filerField->setText(antalFiler);
    if (!mainHost())
        return;
    if (services::settings()->settings().sharedClipboard)
        mainHost()->udskivKlipbordInf(antalMapper, antalFiler);
    else
        mainHost()->showClipboardCounts(winformCaption, antalMapper, antalFiler);
}

void Tlisteform::udskrivTilWin(const QString &S)
{
    if (mainHost())
        mainHost()->showClipboardSize(winformCaption, S);
}

void Tlisteform::ClearCopyLister()
{
    for (KlipbordListe *list : {m_klipbord->Mappeliste, m_klipbord->Filliste}) {
        list->removeChecked();
    }
    udskrivMappeFilInf(QString::number(m_klipbord->Mappeliste->count()),
                       QString::number(m_klipbord->Filliste->count()));
}

void Tlisteform::selectAlle(KlipbordListe *list)
{
    list->setAllChecked(true);
}

void Tlisteform::selectIngen(KlipbordListe *list)
{
    list->setAllChecked(false);
}

void Tlisteform::sletAlt(KlipbordListe *list)
{
    list->removeChecked();
}

void Tlisteform::sletValgteFraListe(KlipbordListe *list)
{
    QTableView *view = viewOf(list);
    // Highlighted rows, each once, whole rows or single cells alike; removed in one pass.
    QSet<int> highlighted;
    for (const QModelIndex &index : view->selectionModel()->selectedIndexes())
        highlighted.insert(index.row());
    QStringList removed;
    int firstRemoved = -1;
    for (int row : std::as_const(highlighted)) {
        if (row < list->count() && list->row(row).checked) {
            removed << list->row(row).path;
            firstRemoved = firstRemoved < 0 ? row : std::min(firstRemoved, row);
        }
    }
    list->removePaths(removed);
    view->clearSelection();
    if (firstRemoved >= 0 && list->count() > 0)
        view->selectRow(std::min(firstRemoved, list->count() - 1));
}

void Tlisteform::sletBeggeLister()
{
    m_klipbord->Mappeliste->removeAll();
    m_klipbord->Filliste->removeAll();
    m_klipbord->setFields(QString(), QString(), QString(), QString());
    mapperField->clear();
    filerField->clear();
    udskrivMappeFilInf("0", "0");
}

void Tlisteform::applyLinjevalg()
{
    const auto behaviour =
        selectCheck->isChecked() ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems;
    Mappeliste->setSelectionBehavior(behaviour);
    Filliste->setSelectionBehavior(behaviour);
}

void Tlisteform::linjevalgClick()
{
    applyLinjevalg();
    gemOpt();
    setFocus();
}

core::OptionTable Tlisteform::optionTable()
{
    core::OptionTable table;
    table
        .number(
            1, [this] { return m_folderListWidth; },
            [this](int width) {
                m_folderListWidth = width;
                splitter->setSizes({width, std::max(300, 900 - width)});
            },
            kDefaultLeftWidth, kMinimumListWidth, kMaximumListWidth)
        .flag(
            2, [this] { return selectCheck->isChecked(); }, [this](bool on) { selectCheck->setChecked(on); },
            true);
    return table;
}

void Tlisteform::defaultOpt()
{
    optionTable().applyDefaults();
}

void Tlisteform::HentOpt()
{
    // The file is written again only when loading changes "Linjevalg".
    const bool before = selectCheck->isChecked();
    optionTable().load(optfilnavn);
    applyLinjevalg();
    if (selectCheck->isChecked() != before)
        gemOpt();
}

void Tlisteform::gemOpt()
{
    optionTable().save(optfilnavn);
}

void Tlisteform::FormActivate()
{
    if (opstart) {
        opstart = false;
        if (mainHost()) {
            services::tabs()->InsertTab(this);
            services::tabs()->SetTCindex();
        }
    }
    services::tabs()->fokusTab(windowTitle());
    actions->updateAll();
}

void Tlisteform::closeEvent(QCloseEvent *event)
{
    // The rows belong to the explorer windows that use them: closing hides the window and
    // takes its tab away; showing the clipboard again brings the same window back.
    services::tabs()->CloseTab(windowTitle());
    opstart = true;
    if (auto *frame = parentWidget())
        frame->hide();
    event->ignore();
}
