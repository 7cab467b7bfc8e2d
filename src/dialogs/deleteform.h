#pragma once
// The progress window of a deletion. Not modal; the delete engine fills it.

#include <QWidget>

class QLabel;
class QListWidget;
class QProgressBar;

class Tdeleteform : public QWidget
{
    Q_OBJECT
public:
    explicit Tdeleteform(QWidget *parent = nullptr);

    // "Følgende 1 mappe slettes:", "Følgende 3 mapper slettes:".
    static QString mapperTekst(int antalMapper);
    // Before the counting: the heading, empty bar and lines, the folder caption, no folders.
    void nulstil(const QString &heading, int antalMapper);
    void tilfoejMappe(const QString &mappe);
    void markerMappe(int index);

    QLabel *destLabel;
    QLabel *LabelInfo;
    QLabel *LabelProcent;
    QLabel *LabelResterende;
    QProgressBar *proBar;
    QLabel *mapperLabel;
    QListWidget *listbox;
};
