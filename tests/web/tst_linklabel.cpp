#include "web/linklabel.h"

#include "support/pointer.h"

#include <QAccessible>
#include <QApplication>
#include <QCursor>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QTest>

using namespace Orvella;

class TestLinkLabel : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void eachClickActsOnce();
    void doubleClickIsTwoClicks();
    void hoverDoesNothing();
    void onlyAFullLeftClickCounts_data();
    void onlyAFullLeftClickCounts();
    void showsTheLinkCursor();
    void cursorPointsWithItsTip();
    void heardAsALinkWithItsPressAction();

private:
    QLabel *m_label = nullptr;
    int m_clicks = 0;
};

void TestLinkLabel::init()
{
    m_clicks = 0;
    m_label = new QLabel(QStringLiteral("Click here for more details"));
    m_label->resize(200, 20);
    makeLinkLabel(m_label, [this] { ++m_clicks; });
    m_label->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_label));
}

void TestLinkLabel::cleanup()
{
    delete m_label;
    m_label = nullptr;
}

void TestLinkLabel::eachClickActsOnce()
{
    QTest::mouseClick(m_label, Qt::LeftButton);
    QCOMPARE(m_clicks, 1);
    QTest::mouseClick(m_label, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseClick(m_label, Qt::LeftButton, {}, QPoint(190, 15));
    QCOMPARE(m_clicks, 3);
}

void TestLinkLabel::heardAsALinkWithItsPressAction()
{
    // Even when it was given a short name of its own before it became a link.
    QLabel named(QStringLiteral("Click here to visit it"));
    named.setAccessibleName(QStringLiteral("Forum"));
    makeLinkLabel(&named, [this] { ++m_clicks; });
    for (QLabel *label : {m_label, &named}) {
        QAccessibleInterface *heard = QAccessible::queryAccessibleInterface(label);
        QCOMPARE(heard->role(), QAccessible::Link);
        QCOMPARE(heard->text(QAccessible::Name), label->text());
        QVERIFY(heard->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
        heard->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        // Still no tab stop.
        QCOMPARE(label->focusPolicy(), Qt::NoFocus);
    }
    QCOMPARE(m_clicks, 2);
}

void TestLinkLabel::doubleClickIsTwoClicks()
{
    // What a widget receives for a double click: press, release, press, double click, release.
    const QPointF at(20, 10);
    const QPointF global = m_label->mapToGlobal(at);
    const QEvent::Type sequence[] = {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                                     QEvent::MouseButtonPress, QEvent::MouseButtonDblClick,
                                     QEvent::MouseButtonRelease};
    for (QEvent::Type type : sequence) {
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton
                                                                         : Qt::LeftButton;
        QMouseEvent event(type, at, global, Qt::LeftButton, held, Qt::NoModifier);
        QApplication::sendEvent(m_label, &event);
    }
    QCOMPARE(m_clicks, 2);
}

void TestLinkLabel::hoverDoesNothing()
{
    QTest::mouseMove(m_label, QPoint(10, 10));
    QTest::mouseMove(m_label, QPoint(150, 12));
    QCOMPARE(m_clicks, 0);
}

void TestLinkLabel::onlyAFullLeftClickCounts_data()
{
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<QPoint>("releaseAt");
    QTest::newRow("right button") << Qt::RightButton << QPoint(10, 10);
    QTest::newRow("released outside the label") << Qt::LeftButton << QPoint(300, 10);
}

void TestLinkLabel::onlyAFullLeftClickCounts()
{
    QFETCH(Qt::MouseButton, button);
    QFETCH(QPoint, releaseAt);
    QTest::mousePress(m_label, button, {}, QPoint(10, 10));
    QTest::mouseRelease(m_label, button, {}, releaseAt);
    QCOMPARE(m_clicks, 0);
    // A release alone, without its press, is no click either.
    QTest::mouseRelease(m_label, Qt::LeftButton, {}, QPoint(10, 10));
    QCOMPARE(m_clicks, 0);
}

void TestLinkLabel::showsTheLinkCursor()
{
    Test::pointAt(m_label);
    QCOMPARE(m_label->cursor().shape(), Qt::BitmapCursor);
    QCOMPARE(m_label->cursor().pixmap().cacheKey(), linkCursor().pixmap().cacheKey());
    QCOMPARE(linkCursor().pixmap().size(), QSize(32, 32));
}

void TestLinkLabel::cursorPointsWithItsTip()
{
    const QImage picture = linkCursor().pixmap().toImage();
    const QPoint hotSpot = linkCursor().hotSpot();
    QVERIFY(QRect(0, 0, 32, 32).contains(hotSpot));

    // The tip is the topmost drawn part of the picture, and the hot spot is on it.
    int topRow = -1;
    for (int y = 0; y < picture.height() && topRow < 0; ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (qAlpha(picture.pixel(x, y)) > 0) {
                topRow = y;
                break;
            }
    QVERIFY(topRow >= 0);
    QVERIFY2(std::abs(hotSpot.y() - topRow) <= 1, qPrintable(QString::number(topRow)));
    bool drawnNearHotSpot = false;
    for (int dy = 0; dy <= 2; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            drawnNearHotSpot |= qAlpha(picture.pixel(hotSpot + QPoint(dx, dy))) > 128;
    QVERIFY(drawnNearHotSpot);
}

QTEST_MAIN(TestLinkLabel)
#include "tst_linklabel.moc"
