#include "app/styles.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QHash>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QStandardItemModel>
#include <QTest>
#include <QTreeView>
#include <cmath>
#include <memory>

namespace {

// What a piece of text looks like on screen: its background and its ink (the pixel that stands
// out most from the background, which for large bold text is the text colour itself).
struct Ink
{
    QColor background;
    QColor ink;
};

double distance(const QColor &a, const QColor &b)
{
    const int r = a.red() - b.red(), g = a.green() - b.green(), bl = a.blue() - b.blue();
    return std::sqrt(double(r * r + g * g + bl * bl));
}

Ink inkOf(const QImage &image, const QRect &area)
{
    QHash<QRgb, int> counts;
    const QRect rect = area.intersected(image.rect());
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x)
            ++counts[image.pixel(x, y)];
    }
    QRgb background = 0;
    int most = -1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (it.value() > most) {
            most = it.value();
            background = it.key();
        }
    }
    Ink result{QColor(background), QColor(background)};
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (distance(QColor(it.key()), result.background) > distance(result.ink, result.background))
            result.ink = QColor(it.key());
    }
    return result;
}

QImage imageOf(QWidget &widget)
{
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QFont bigBold()
{
    QFont font = QApplication::font();
    font.setPixelSize(22);
    font.setBold(true);
    return font;
}

const QString kText = QStringLiteral("WWWWWWWWWWWW");

} // namespace

class TestStyles : public QObject
{
    Q_OBJECT
private slots:
    void disabledTextIsGreyedInEveryStyle_data();
    void disabledTextIsGreyedInEveryStyle();
};

void TestStyles::disabledTextIsGreyedInEveryStyle_data()
{
    QTest::addColumn<QString>("style");
    QTest::addColumn<QString>("control");
    for (const QString &style : styles::names()) {
        for (const char *control : {"check box", "label", "menu entry", "tree node"})
            QTest::addRow("%s, %s", qPrintable(style), control) << style << QString(control);
    }
}

void TestStyles::disabledTextIsGreyedInEveryStyle()
{
    QFETCH(QString, style);
    QFETCH(QString, control);
    QVERIFY(styles::apply(style));

    // The same text drawn live and disabled, each cropped to where the text is.
    Ink live, disabled;
    if (control == "check box" || control == "label") {
        auto measure = [&](bool enabled) {
            std::unique_ptr<QWidget> widget;
            if (control == "check box")
                widget = std::make_unique<QCheckBox>(kText);
            else
                widget = std::make_unique<QLabel>(kText);
            widget->setFont(bigBold());
            widget->setEnabled(enabled);
            widget->adjustSize();
            const QImage image = imageOf(*widget);
            // The right half holds only text, clear of the check box's indicator.
            return inkOf(image, QRect(image.width() / 2, 0, image.width() / 2, image.height()));
        };
        live = measure(true);
        disabled = measure(false);
    } else if (control == "menu entry") {
        QMenu menu;
        menu.setFont(bigBold());
        QAction *on = menu.addAction(kText);
        QAction *off = menu.addAction(kText);
        off->setEnabled(false);
        menu.adjustSize();
        const QImage image = imageOf(menu);
        auto textPart = [&](QAction *action) {
            const QRect row = menu.actionGeometry(action);
            return QRect(row.center().x(), row.top(), row.width() / 3, row.height());
        };
        live = inkOf(image, textPart(on));
        disabled = inkOf(image, textPart(off));
    } else {
        QStandardItemModel model;
        auto *on = new QStandardItem(kText);
        auto *off = new QStandardItem(kText);
        off->setEnabled(false);
        model.appendRow(on);
        model.appendRow(off);
        QTreeView tree;
        tree.setFont(bigBold());
        tree.setHeaderHidden(true);
        tree.setModel(&model);
        tree.resize(500, 200);
        tree.setColumnWidth(0, 480);
        const QImage image = imageOf(tree);
        auto textPart = [&](const QStandardItem *item) {
            const QRect row = tree.visualRect(item->index()).translated(tree.viewport()->pos());
            return QRect(row.left() + 100, row.top(), 200, row.height());
        };
        live = inkOf(image, textPart(on));
        disabled = inkOf(image, textPart(off));
    }

    const QString seen =
        QString("live %1 on %2, disabled %3 on %4")
            .arg(live.ink.name(), live.background.name(), disabled.ink.name(), disabled.background.name());
    // Live text must show at all, or the measurement says nothing.
    QVERIFY2(std::abs(live.ink.lightnessF() - live.background.lightnessF()) > 0.4, qPrintable(seen));
    // Disabled text is clearly fainter than live text ...
    QVERIFY2(std::abs(disabled.ink.lightnessF() - live.ink.lightnessF()) > 0.2, qPrintable(seen));
    QVERIFY2(std::abs(disabled.ink.lightnessF() - disabled.background.lightnessF()) <
                 std::abs(live.ink.lightnessF() - live.background.lightnessF()) - 0.2,
             qPrintable(seen));
    // ... and still readable.
    QVERIFY2(std::abs(disabled.ink.lightnessF() - disabled.background.lightnessF()) > 0.15, qPrintable(seen));
}

QTEST_MAIN(TestStyles)
#include "test_styles.moc"
