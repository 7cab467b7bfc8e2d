#include "dialogs/messagedialog.h"

#include <QApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>
#include <QStyle>

namespace dialogs {

namespace {
constexpr int kMargin = 8;
constexpr int kPanelHeight = 44;
constexpr int kHeightBesideText = 80;
} // namespace

MessageDialog::MessageDialog(ShownDialog::Kind kind, const QString &caption, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::WindowStaysOnTopHint)
    , m_kind(kind)
    , m_textLabel(new QLabel(this))
{
    setWindowTitle(caption);
    setModal(true);
    m_textLabel->setWordWrap(true);
    m_textLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_textLabel->setTextFormat(Qt::PlainText);
    m_textLabel->move(kMargin + 4, kMargin + 4);

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
    setFixedSize(kClientWidth, kHeightBesideText + wrappedTextHeight());
}

void MessageDialog::setText(const QString &tekst)
{
    m_tekst = tekst;
    QString shown = tekst;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(u'\r', u'\n');
    m_textLabel->setText(shown);
}

void MessageDialog::resetValues()
{
    setText(QString());
    QFont font = m_textLabel->font();
    font.setPointSize(kRestingFontSize);
    m_textLabel->setFont(font);
}

int MessageDialog::wrappedTextHeight() const
{
    const int width = kClientWidth - 2 * (kMargin + 4);
    const QString text = m_textLabel->text();
    if (text.isEmpty())
        return 0;
    return QFontMetrics(m_textLabel->font())
        .boundingRect(QRect(0, 0, width, 100000), Qt::TextWordWrap, text)
        .height();
}

int MessageDialog::exec()
{
    QFont font = m_textLabel->font();
    font.setPointSize(kTextFontSize);
    m_textLabel->setFont(font);
    prepareShow();

    const int textHeight = wrappedTextHeight();
    const int textWidth = kClientWidth - 2 * (kMargin + 4);
    m_textLabel->resize(textWidth, textHeight);
    const int height = textHeight + kHeightBesideText + extraHeight();
    setFixedSize(kClientWidth, height);
    Panel1->setGeometry(0, height - kPanelHeight, kClientWidth, kPanelHeight);

    int result = mrCancel;
    if (const auto &responder = messages::DialogSeam::responder()) {
        bool alleChecked = false;
        result = responder(ShownDialog{m_kind, m_tekst, alleCheckShown(), width(), height}, alleChecked);
        answerAlleCheck(alleChecked);
        setResult(result);
    } else {
        // Centred on the main window, or the screen when there is none.
        QWidget *centreOn = parentWidget() ? parentWidget()->window() : QApplication::activeWindow();
        const QRect area = centreOn ? centreOn->frameGeometry() : screen()->availableGeometry();
        move(area.center() - QPoint(kClientWidth / 2, height / 2));
        result = QDialog::exec();
    }
    resetValues();
    return result;
}

} // namespace dialogs
