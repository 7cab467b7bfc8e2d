#pragma once
// A small spinning arc that tells that a long operation of the window runs.

#include <QWidget>

class QTimer;

class ActivityIndicator : public QWidget
{
    Q_OBJECT
public:
    explicit ActivityIndicator(QWidget *parent = nullptr);
    void setSpinning(bool on);
    bool spinning() const { return m_spinning; }
    QSize sizeHint() const override { return {22, 22}; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QTimer *m_timer;
    int m_angle = 0;
    bool m_spinning = false;
};
