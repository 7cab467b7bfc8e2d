#pragma once
// A framed group of radio buttons chosen by index, the way options files store them.

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;

class RadioGroup : public QGroupBox
{
    Q_OBJECT
public:
    RadioGroup(const QString &title, const QStringList &items, QWidget *parent = nullptr,
               Qt::Orientation orientation = Qt::Vertical);

    int count() const;
    // −1 when no item is chosen.
    int itemIndex() const;
    // An index beyond the items chooses the nearest one; −1 or less chooses none.
    void setItemIndex(int index);
    QString itemText(int index) const;

signals:
    // The user chose an item.
    void itemClicked(int index);

private:
    QButtonGroup *m_buttons;
};
