#include "dialogs/messagedialog.h"

#include <QApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QTextLayout>
#include <algorithm>

namespace dialogs {

namespace {
constexpr int kMargin = 8;
constexpr int kPanelHeight = 44;
constexpr int kHeightBesideText = 80;
constexpr int kTextLeft = kMargin + 4;
constexpr int kTextWidth = MessageDialog::kClientWidth - 2 * kTextLeft;
// Room left on the screen for the title bar and frame the window system adds.
constexpr int kFrameAllowance = 48;

// "\r" and "\r\n" of the caller's text as the label's line breaks.
QString withLineBreaks(const QString &tekst)
{
    QString shown = tekst;
    return shown.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(u'\r', u'\n');
}

// The text broken into lines of at most `width`: at blanks where it can, and inside a word
// (a long path) that is wider than a line, so nothing is cut at the right edge.
QString wrapped(const QString &text, const QFont &font, int width)
{
    QStringList lines;
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    for (const QString &paragraph : text.split(u'\n')) {
        if (paragraph.isEmpty()) {
            lines << QString();
            continue;
        }
        QTextLayout layout(paragraph, font);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            lines << paragraph.mid(line.textStart(), line.textLength());
        }
        layout.endLayout();
    }
    return lines.join(u'\n');
}

int heightOf(const QString &text, const QFont &font)
{
    if (text.isEmpty())
        return 0;
    return QFontMetrics(font).boundingRect(QRect(0, 0, 100000, 100000), 0, text).height();
}
} // namespace

MessageDialog::MessageDialog(ShownDialog::Kind kind, const QString &caption, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::WindowStaysOnTopHint)
    , m_kind(kind)
    , m_textArea(new QScrollArea(this))
    , m_textLabel(new QLabel)
{
    setWindowTitle(caption);
    setModal(true);
    // The text is broken into lines before it is shown, so the label never wraps or cuts it.
    m_textLabel->setWordWrap(false);
    m_textLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_textLabel->setTextFormat(Qt::PlainText);
    m_textArea->setObjectName("tekstOmraade");
    m_textArea->setFrameShape(QFrame::NoFrame);
    m_textArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_textArea->setWidget(m_textLabel);
    m_textArea->viewport()->setAutoFillBackground(false);
    m_textLabel->setAutoFillBackground(false);
    m_textArea->move(kTextLeft, kTextLeft);

    Panel1 = new QFrame(this);
    Panel1->setObjectName("Panel1");
    Panel1->setFrameShape(QFrame::StyledPanel);
    m_buttonRow = new QHBoxLayout(Panel1);
    m_buttonRow->setContentsMargins(kMargin, 6, kMargin, 6);
    const QIcon picture = style()->standardIcon(
        kind == ShownDialog::Information ? QStyle::SP_MessageBoxInformation : QStyle::SP_MessageBoxQuestion);
    Image1 = new QLabel(Panel1);
    Image1->setObjectName("Image1");
    Image2 = new QLabel(Panel1);
    Image2->setObjectName("Image2");
    for (QLabel *image : {Image1, Image2}) {
        image->setPixmap(picture.pixmap(16, 16));
        image->setFixedSize(16, 16);
    }
    m_buttonRow->addWidget(Image1);
    m_buttonRow->addStretch();
    // Subclasses put their buttons at index 2, before the right-hand stretch.
    m_buttonRow->addStretch();
    m_buttonRow->addWidget(Image2);

    resetValues();
    setFixedSize(kClientWidth, kHeightBesideText);
}

void MessageDialog::setText(const QString &tekst)
{
    m_tekst = tekst;
    m_textLabel->setText(withLineBreaks(tekst));
}

void MessageDialog::resetValues()
{
    setText(QString());
    QFont font = m_textLabel->font();
    font.setPointSize(kRestingFontSize);
    m_textLabel->setFont(font);
}

QRect MessageDialog::textArea() const
{
    return m_textArea->geometry();
}

int MessageDialog::layOut()
{
    const QFont font = m_textLabel->font();
    const QString text = withLineBreaks(m_tekst);
    QString lines = wrapped(text, font, kTextWidth);
    int textHeight = heightOf(lines, font);
    const int beside = kHeightBesideText + extraHeight();
    int height = textHeight + beside;
    // Never taller than the screen: the text scrolls instead, narrowed by the scroll bar.
    const QScreen *shownOn = parentWidget() ? parentWidget()->screen() : screen();
    const int highest = shownOn ? shownOn->availableGeometry().height() - kFrameAllowance : height;
    int labelWidth = kTextWidth;
    const bool scrolls = height > highest && highest > beside;
    // Decided here, with the label's width, rather than left to the scroll area.
    m_textArea->setVerticalScrollBarPolicy(scrolls ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    if (scrolls) {
        labelWidth -= m_textArea->verticalScrollBar()->sizeHint().width();
        lines = wrapped(text, font, labelWidth);
        textHeight = heightOf(lines, font);
        height = highest;
    }
    m_textLabel->setText(lines);
    m_textLabel->resize(labelWidth, textHeight);
    m_textArea->setGeometry(kTextLeft, kTextLeft, kTextWidth, height - beside);
    m_textArea->verticalScrollBar()->setValue(0);
    setFixedSize(kClientWidth, height);
    Panel1->setGeometry(0, height - kPanelHeight, kClientWidth, kPanelHeight);
    return height;
}

int MessageDialog::exec()
{
    QFont font = m_textLabel->font();
    font.setPointSize(kTextFontSize);
    m_textLabel->setFont(font);
    const int height = layOut();
    prepareShow();

    int result = mrCancel;
    if (const auto &responder = messages::DialogSeam::responder()) {
        bool alleChecked = false;
        result = responder(ShownDialog{m_kind, m_tekst, alleCheckShown(), width(), height}, alleChecked);
        answerAlleCheck(alleChecked);
        setResult(result);
    } else {
        // Centred on the main window, or the screen when there is none; always wholly on the screen.
        QWidget *centreOn = parentWidget() ? parentWidget()->window() : QApplication::activeWindow();
        const QRect screenArea = screen()->availableGeometry();
        const QRect area = centreOn ? centreOn->frameGeometry() : screenArea;
        QPoint topLeft = area.center() - QPoint(kClientWidth / 2, height / 2);
        const int left = screenArea.left();
        const int top = screenArea.top() + kFrameAllowance / 2;
        topLeft.setX(std::clamp(topLeft.x(), left, std::max(left, screenArea.right() + 1 - kClientWidth)));
        topLeft.setY(std::clamp(topLeft.y(), top, std::max(top, screenArea.bottom() + 1 - height)));
        move(topLeft);
        result = QDialog::exec();
    }
    resetValues();
    return result;
}

} // namespace dialogs
