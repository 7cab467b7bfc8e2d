#pragma once
// What the information and the question dialog have in common: a wrapped text on top, a
// bottom panel with a picture at each end, a fixed width, a height that follows the text but
// never passes the screen (the text scrolls then), and the test seam.

#include "core/messages.h"

#include <QDialog>

class QFrame;
class QLabel;
class QHBoxLayout;
class QScrollArea;

namespace dialogs {

using messages::mrCancel;
using messages::mrOk;
using messages::ShownDialog;

class MessageDialog : public QDialog
{
    Q_OBJECT
public:
    static constexpr int kClientWidth = 323;
    static constexpr int kTextFontSize = 10;
    static constexpr int kRestingFontSize = 8;

    // Shows the dialog modally (or hands it to the test seam) and returns the modal result;
    // the text is emptied again when it closes.
    int exec() override;
    void reject() override { done(mrCancel); }
    // Empties the text and sets its font size to 8.
    void resetValues();
    // The text as the caller gave it, "\r" line breaks kept.
    QString tekst() const { return m_tekst; }

protected:
    MessageDialog(ShownDialog::Kind kind, const QString &caption, QWidget *parent);
    QLabel *textWidget() const { return m_textLabel; }
    void setText(const QString &tekst);
    // The part of the height below the text that the subclass adds (the "all" check box).
    virtual int extraHeight() const { return 0; }
    // Called once the text is laid out: textArea() is where it is shown.
    virtual void prepareShow() {}
    virtual bool alleCheckShown() const { return false; }
    virtual bool answerAlleCheck(bool checked) { return checked; }
    QRect textArea() const;

    QFrame *Panel1 = nullptr;
    QLabel *Image1 = nullptr;
    QLabel *Image2 = nullptr;
    QHBoxLayout *m_buttonRow = nullptr;

private:
    ShownDialog::Kind m_kind;
    // Lays the text out for showing and sizes the dialog; returns its height.
    int layOut();

    QScrollArea *m_textArea;
    QLabel *m_textLabel;
    QString m_tekst;
};

} // namespace dialogs
