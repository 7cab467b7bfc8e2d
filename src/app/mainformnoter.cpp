// Main window: the notes page, the web-search page with the notification test, and the
// download links of the maker.

#include "app/mainform.h"

#include "core/danishorder.h"
#include "core/filenames.h"
#include "core/files.h"
#include "core/linefile.h"
#include "core/messages.h"
#include "core/paths.h"
#include "dialogs/actionlist.h"
#include "dialogs/listrow.h"
#include "dialogs/widgets.h"
#include "explorer/winform.h"
#include "platform/Platform.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

void Tmainform::buildNoteActions()
{
    actions->add(
        "aGemNotat", "Gem", QKeySequence("Ctrl+G"), "Gem nuværende notat: Ctrl+G",
        [this] { aGemNotatExecute(); },
        [this] {
            return (notatEdit->isModified() || notatMemo->document()->isModified()) &&
                   !notatEdit->text().isEmpty();
        });
    actions->add(
        "aHentNotat", "Hent", QKeySequence("Ctrl+H"), "Hent valgte notat: Ctrl+H",
        [this] { aHentNotatExecute(); }, [this] { return notatBox->currentRow() >= 0; });
    actions->add(
        "googleUrl2", "", {}, "Søg efter overskriften med Google",
        [this] {
            openWebAddress(
                core::webSearchAddress(QString(kFirstSearchEngine) + "/search?q=", notatEdit->text()));
        },
        [this] { return !notatEdit->text().isEmpty(); });

    auto searchable = [this] {
        return (CheckFind->isChecked() || CheckMemo->isChecked()) &&
               (!findEditX->text().isEmpty() || !findMemo->toPlainText().isEmpty());
    };
    actions->add(
        "googleUrlen", "Google", QKeySequence("Shift+Ctrl+G"), "Søg med Google: Shift+Ctrl+G",
        [this] {
            openWebAddress(core::webSearchAddress(QString(kFirstSearchEngine) + "/search?q=", getTheWord()));
        },
        searchable);
    actions->add(
        "bingUrl", "Bing", QKeySequence("Shift+Ctrl+B"), "Søg med Bing: Shift+Ctrl+B",
        [this] {
            openWebAddress(core::webSearchAddress(QString(kSecondSearchEngine) + "/search?q=", getTheWord()));
        },
        searchable);
    actions->add(
        "tubeUrl", "YouTube", {}, "Søg på YouTube",
        [this] {
            openWebAddress(
                core::webSearchAddress(QString(kVideoSite) + "/results?search_query=", getTheWordTube()));
        },
        [this] { return CheckTube->isChecked() && !tubeEdit->text().isEmpty(); });
    actions->add(
        "aClearMemo", "", {}, "Rens tekstvinduet for tekst", [this] { findMemo->clear(); },
        [this] { return !findMemo->toPlainText().isEmpty(); });

    // The maker's download pages: the address of the maker's web site is not known to this
    // build, so the links stay disabled rather than open a guessed site.
    auto never = [] { return false; };
    actions->add("webUrl", "Brindel", {}, "Download Brindel", {}, never);
    actions->add("tastraUrlen", "zunTastra", {}, "Download zunTastra", {}, never);
    actions->add("tolmaUrlen", "Tolma", {}, "Download Tolma", {}, never);
}

// ---------------------------------------------------------------------------------------------
// Notes

QWidget *Tmainform::buildNotatPage()
{
    auto *page = new QWidget;
    page->setObjectName("notatSide");
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(new QLabel("Overskrift", page));
    auto *headingRow = new QHBoxLayout;
    notatEdit = new QLineEdit(page);
    notatEdit->setObjectName("notatEdit");
    notatEdit->setStatusTip("Overskriften danner filnavnet");
    headingRow->addWidget(notatEdit, 1);
    headingRow->addWidget(
        widgets::actionButton(actions->action("googleUrl2"), page,
                              {"internet-web-browser", Qt::ToolButtonIconOnly, QSize(16, 16)}));
    layout->addLayout(headingRow);
    notatMemo = new QPlainTextEdit(page);
    notatMemo->setObjectName("notatMemo");
    notatMemo->setContextMenuPolicy(Qt::CustomContextMenu);
    layout->addWidget(notatMemo, 3);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(widgets::actionButton(actions->action("aGemNotat"), page,
                                             {"document-save", Qt::ToolButtonTextBesideIcon, QSize(16, 16)}));
    buttons->addWidget(widgets::actionButton(actions->action("aHentNotat"), page,
                                             {"document-open", Qt::ToolButtonTextBesideIcon, QSize(16, 16)}));
    auto button = [page](const char *name, const char *icon, const char *hint) {
        auto *b = new QToolButton(page);
        b->setObjectName(name);
        b->setIcon(QIcon::fromTheme(icon));
        b->setAutoRaise(true);
        b->setStatusTip(hint);
        b->setToolTip(hint);
        return b;
    };
    nytNotatButton = button("nytNotatButton", "document-new", "Opret nyt notat");
    notatMappeVisKnap = button("notatMappeVisKnap", "folder-open", "Vis notatmappe");
    opdaterNoterButton = button("opdaterNoterButton", "view-refresh", "Opdater listen");
    buttons->addWidget(nytNotatButton);
    buttons->addWidget(notatMappeVisKnap);
    buttons->addWidget(opdaterNoterButton);
    buttons->addStretch(1);
    layout->addLayout(buttons);

    NotatLabel = new QLabel("Eksisterende notater: 0", page);
    NotatLabel->setObjectName("NotatLabel");
    layout->addWidget(NotatLabel);
    notatBox = new QListWidget(page);
    notatBox->setObjectName("notatBox");
    notatBox->setItemDelegate(new ListRowDelegate(ListRowDelegate::Mark::Square, std::nullopt, notatBox));
    layout->addWidget(notatBox, 2);

    // Ctrl+G and Ctrl+H save and load a note while the notes page has the focus; in an explorer
    // window the same keys save and load its tree.
    for (const char *name : {"aGemNotat", "aHentNotat"}) {
        QAction *action = actions->action(name);
        removeAction(action);
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        page->addAction(action);
    }

    connect(notatEdit, &QLineEdit::textEdited, this, [this] { nytNotatNavn = true; });
    connect(notatBox, &QListWidget::itemDoubleClicked, this, [this] { notatBoxDblClick(); });
    connect(notatBox, &QListWidget::currentRowChanged, actions, [this] { actions->updateAll(); });
    connect(nytNotatButton, &QToolButton::clicked, this, [this] { nytNotatButtonClick(); });
    connect(notatMappeVisKnap, &QToolButton::clicked, this, [this] { notatMappeVisKnapClick(); });
    connect(opdaterNoterButton, &QToolButton::clicked, this, [this] { loadNotater(); });
    connect(notatMemo, &QPlainTextEdit::customContextMenuRequested, this, [this](const QPoint &at) {
        QMenu menu(notatMemo);
        menu.addAction("Annuler", notatMemo, &QPlainTextEdit::undo)
            ->setEnabled(notatMemo->document()->isUndoAvailable());
        const bool selection = notatMemo->textCursor().hasSelection();
        menu.addAction("Klip", notatMemo, &QPlainTextEdit::cut)->setEnabled(selection);
        menu.addAction("Kopier", notatMemo, &QPlainTextEdit::copy)->setEnabled(selection);
        menu.addAction("Sæt ind", notatMemo, &QPlainTextEdit::paste)->setEnabled(notatMemo->canPaste());
        menu.addAction("Slet", notatMemo, [this] { notatMemo->textCursor().removeSelectedText(); })
            ->setEnabled(selection);
        menu.exec(notatMemo->mapToGlobal(at));
    });
    return page;
}

void Tmainform::loadNotater()
{
    notatBox->clear();
    notatEdit->clear();
    std::vector<platform::FindData> entries;
    if (!platform::current().findFiles(core::withoutTrailingBackslash(NotatMappe).toStdU16String(), entries,
                                       platform::FindDetail::Kinds)) {
        NotatLabel->setText("Eksisterende notater: 0");
        messages::inform("Der opstod en fejl i forbindelse med indlæsningen af notatfiler.");
        return;
    }
    core::sortEntriesDanish(entries);
    for (const platform::FindData &entry : entries) {
        const QString name = QString::fromStdU16String(entry.name);
        if (entry.attributes & platform::FILE_ATTRIBUTE_DIRECTORY)
            continue;
        if (name.size() > 4 && name.endsWith(".txt", Qt::CaseInsensitive))
            notatBox->addItem(name.left(name.size() - 4));
    }
    NotatLabel->setText("Eksisterende notater: " + QString::number(notatBox->count()));
    actions->updateAll();
}

void Tmainform::aGemNotatExecute()
{
    const QString heading = notatEdit->text();
    if (heading.isEmpty())
        return;
    // The heading is the note's file name: a heading no file can be named is refused whole.
    QString refusal = core::invalidNameMessage(heading);
    if (refusal.isEmpty())
        refusal = core::invalidNameMessage(heading + ".txt");
    if (!refusal.isEmpty()) {
        messages::inform(refusal + "\rOverskriften bliver filnavnet, så notatet blev ikke gemt.");
        return;
    }
    const QString file = NotatMappe + heading + ".txt";
    const bool exists = core::fileExists(file);
    if (nytNotatNavn && exists && !messages::ask("Filnavn:\r" + file + "\r" + "Skal denne fil overskrives?"))
        return;
    if (!core::writeLinesOrSay(file, memoLines(notatMemo)))
        return;
    if (!exists)
        notatBox->addItem(heading);
    NotatLabel->setText("Eksisterende notater: " + QString::number(notatBox->count()));
    notatEdit->setModified(false);
    notatMemo->document()->setModified(false);
    nytNotatNavn = false;
    actions->updateAll();
}

void Tmainform::aHentNotatExecute()
{
    const int row = notatBox->currentRow();
    if (row < 0)
        return;
    actions->updateAll();
    if (actions->action("aGemNotat")->isEnabled() &&
        !messages::ask("Nuværende notat er ikke gemt.\rSkal der åbnes et nyt notat alligevel?"))
        return;
    const QString heading = notatBox->item(row)->text();
    const QString file = NotatMappe + heading + ".txt";
    const auto lines = core::fileExists(file) ? core::readLinesOrSay(file) : std::nullopt;
    if (!lines) {
        messages::inform("Filen blev ikke fundet.\r");
        return;
    }
    notatEdit->setText(heading);
    notatMemo->setPlainText(lines->join(u'\n'));
    notatEdit->setModified(false);
    notatMemo->document()->setModified(false);
    nytNotatNavn = false;
    actions->updateAll();
}

void Tmainform::notatBoxDblClick()
{
    actions->updateAll();
    if (!actions->action("aHentNotat")->isEnabled())
        return;
    aHentNotatExecute();
    nytNotatNavn = false;
}

void Tmainform::nytNotatButtonClick()
{
    actions->updateAll();
    if (actions->action("aGemNotat")->isEnabled() &&
        !messages::ask(
            "Nuværende notat er redigeret men ikke gemt.\rSkal der startes et nyt notat alligevel?"))
        return;
    notatEdit->clear();
    notatMemo->clear();
    notatEdit->setModified(false);
    notatMemo->document()->setModified(false);
    notatEdit->setFocus();
    actions->updateAll();
}

void Tmainform::notatMappeVisKnapClick()
{
    Twinform *window = activeExplorer();
    if (!window) {
        messages::inform(
            "Der skal være en Stifinder aktiv for denne funktion.\rAktiver en Stifinder og prøv igen!");
        return;
    }
    const int row = notatBox->currentRow();
    const QString file = row >= 0 ? NotatMappe + notatBox->item(row)->text() + ".txt" : QString();
    window->visIFilStruktur(
        !file.isEmpty() && core::fileExists(file) ? file : core::withoutTrailingBackslash(NotatMappe));
}

// ---------------------------------------------------------------------------------------------
// Web search and the notification test

QWidget *Tmainform::buildGlobusPage()
{
    auto *page = new QWidget;
    page->setObjectName("globusSide");
    auto *layout = new QVBoxLayout(page);
    const widgets::ButtonLook engine("internet-web-browser", Qt::ToolButtonTextBesideIcon, QSize(16, 16));

    auto *search = new QGroupBox("Søg på nettet", page);
    auto *searchLayout = new QVBoxLayout(search);
    auto radio = [search](const char *name, const char *hint) {
        auto *button = new QRadioButton(search);
        button->setObjectName(name);
        button->setStatusTip(hint);
        button->setToolTip(hint);
        return button;
    };
    CheckFind = radio("CheckFind", "Anvend mit tekstfelt");
    CheckMemo = radio("CheckMemo", "Anvend min skriveboks");
    CheckTube = radio("CheckTube", "Anvend mit skrivefelt");
    auto *group = new QButtonGroup(page);
    for (QRadioButton *button : {CheckFind, CheckMemo, CheckTube})
        group->addButton(button);
    CheckFind->setChecked(true);

    auto *findRow = new QHBoxLayout;
    findEditX = new QLineEdit(search);
    findEditX->setObjectName("findEditX");
    findRow->addWidget(CheckFind);
    findRow->addWidget(findEditX, 1);
    searchLayout->addLayout(findRow);
    auto *memoRow = new QHBoxLayout;
    findMemo = new QPlainTextEdit(search);
    findMemo->setObjectName("findMemo");
    memoRow->addWidget(CheckMemo, 0, Qt::AlignTop);
    memoRow->addWidget(findMemo, 1);
    memoRow->addWidget(widgets::actionButton(actions->action("aClearMemo"), search,
                                             {"edit-clear", Qt::ToolButtonIconOnly, QSize(16, 16)}),
                       0, Qt::AlignTop);
    searchLayout->addLayout(memoRow, 1);
    auto *engines = new QHBoxLayout;
    engines->addWidget(widgets::actionButton(actions->action("googleUrlen"), search, engine));
    engines->addWidget(widgets::actionButton(actions->action("bingUrl"), search, engine));
    engines->addStretch(1);
    searchLayout->addLayout(engines);
    layout->addWidget(search, 2);

    auto *video = new QGroupBox("Video", page);
    auto *videoLayout = new QHBoxLayout(video);
    tubeEdit = new QLineEdit(video);
    tubeEdit->setObjectName("tubeEdit");
    CheckTube->setParent(video);
    videoLayout->addWidget(CheckTube);
    videoLayout->addWidget(tubeEdit, 1);
    videoLayout->addWidget(widgets::actionButton(
        actions->action("tubeUrl"), video, {"video-x-generic", Qt::ToolButtonTextBesideIcon, QSize(16, 16)}));
    layout->addWidget(video);

    auto *besked = new QGroupBox("Besked center", page);
    auto *beskedLayout = new QVBoxLayout(besked);
    bcEdit = new QLineEdit(besked);
    bcEdit->setObjectName("bcEdit");
    bcEdit->setPlaceholderText("Overskrift");
    bcEditTekst = new QLineEdit(besked);
    bcEditTekst->setObjectName("bcEditTekst");
    bcEditTekst->setPlaceholderText("Tekst");
    beskedLayout->addWidget(bcEdit);
    beskedLayout->addWidget(bcEditTekst);
    auto *beskedButtons = new QHBoxLayout;
    bcNyButton = new QPushButton("Ny", besked);
    bcNyButton->setObjectName("bcNyButton");
    bcButton = new QPushButton("Send", besked);
    bcButton->setObjectName("bcButton");
    beskedButtons->addWidget(bcNyButton);
    beskedButtons->addWidget(bcButton);
    beskedButtons->addStretch(1);
    beskedLayout->addLayout(beskedButtons);
    layout->addWidget(besked);
    layout->addStretch(1);

    // Checking a radio button focuses its field; the group keeps the other two cleared.
    connect(CheckFind, &QRadioButton::clicked, findEditX, [this] { findEditX->setFocus(); });
    connect(CheckMemo, &QRadioButton::clicked, findMemo, [this] { findMemo->setFocus(); });
    connect(CheckTube, &QRadioButton::clicked, tubeEdit, [this] { tubeEdit->setFocus(); });
    connect(bcEdit, &QLineEdit::returnPressed, bcEditTekst, [this] { bcEditTekst->setFocus(); });
    connect(bcEditTekst, &QLineEdit::returnPressed, bcButton, [this] { bcButton->setFocus(); });
    connect(bcButton, &QPushButton::clicked, this, [this] { bcButtonClick(); });
    connect(bcNyButton, &QPushButton::clicked, this, [this] {
        bcEdit->clear();
        bcEditTekst->clear();
        bcEdit->setFocus();
    });
    return page;
}

QString Tmainform::getTheWord() const
{
    QString word;
    if (CheckFind->isChecked())
        word = findEditX->text();
    else if (CheckMemo->isChecked())
        word = findMemo->toPlainText();
    return word.isEmpty() ? QStringLiteral("Der mangler et søgeord") : word;
}

QString Tmainform::getTheWordTube() const
{
    const QString word = CheckTube->isChecked() ? tubeEdit->text() : QString();
    return word.isEmpty() ? QStringLiteral("Der mangler et søgeord") : word;
}

void Tmainform::openWebAddress(const QString &address)
{
    const int result = core::shellExecute("open", address, QString(), QString(), platform::SW_SHOWNORMAL);
    if (result <= 32)
        ErrorInfo(result);
}

void Tmainform::bcButtonClick()
{
    makeInfo(bcEdit->text(), bcEditTekst->text());
}
