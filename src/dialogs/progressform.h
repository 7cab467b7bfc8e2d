#pragma once
// The progress window of a copy or move. Not modal: the engine fills it and lets the
// application process messages. "Stop" raises `FCancel`, which the platform's file copy reads
// between chunks; every showing clears it again.

#include <QWidget>
#include <cstdint>

class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QStatusBar;

class Tprogressform : public QWidget
{
    Q_OBJECT
public:
    explicit Tprogressform(QWidget *parent = nullptr);

    // "Der kopieres 1 mappe:", "Der kopieres 3 mapper:".
    static QString kildeTekst(int antalMapper);
    // Before the counting: empty bars and lines, the destination, the source caption.
    void nulstil(const QString &destination, int antalMapper);
    void tilfoejMappe(const QString &mappe);
    void markerMappe(int index);
    // The second panel of the status bar: folders counted so far.
    void setIndlaesteMapper(int antal);
    QString indlaesteMapper() const;

    void stop() { FCancel = 1; }
    bool isCancelled() const { return FCancel != 0; }

    // Zero: go on. Its address is the copy's cancel flag.
    std::int32_t FCancel = 0;

    QLabel *LabelInfo;
    QProgressBar *pBar;
    QLabel *LabelProcent;
    QLabel *LabelResterende;
    QProgressBar *pBarAll;
    QProgressBar *pBarAktiv;
    QStatusBar *infoBar;
    QPushButton *stopButton;
    QLineEdit *destinationEdit;
    QLabel *kildeLabel;
    QListWidget *listbox;
    QLabel *infoLabel;

protected:
    void showEvent(QShowEvent *event) override;

private:
    QLabel *m_panel2;
};
