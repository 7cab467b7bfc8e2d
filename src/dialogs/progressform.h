#pragma once
// The progress window of a copy or move. Not modal: the engine fills it and lets the
// application process messages. "Stop" raises `FCancel`, which the platform's file copy reads
// between chunks; every showing clears it again.

#include <QWidget>
#include <atomic>

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

    void stop() { FCancel = true; }
    bool isCancelled() const { return FCancel; }
    // The folders counted so far: the second panel and the folder bar.
    void setTaelteMapper(int antal);

    // False: go on. Its address is the copy's cancel flag.
    std::atomic<bool> FCancel = false;

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
