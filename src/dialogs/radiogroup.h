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
    // Long item texts wrap beside their buttons instead of widening the group.
    void setWordWrap(bool on);
    // The items in `columns` columns, filled column by column.
    void setColumns(int columns);

signals:
    // The user chose an item.
    void itemClicked(int index);
    // An item was chosen, by the user or by setItemIndex.
    void itemIndexChanged(int index);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QButtonGroup *m_buttons;
    QStringList m_items;
};
