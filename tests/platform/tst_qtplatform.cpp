#include "platform/qtplatform.h"

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

using namespace Orvella;

class TestQtPlatform : public QObject
{
    Q_OBJECT

private slots:
    void enterGivesTheSafeAnswer_data();
    void enterGivesTheSafeAnswer();
};

void TestQtPlatform::enterGivesTheSafeAnswer_data()
{
    QTest::addColumn<int>("buttons");
    QTest::addColumn<int>("answer");
    QTest::addColumn<int>("icon");
    using Buttons = Platform::Buttons;
    using Answer = Platform::Answer;
    QTest::newRow("a message") << int(Buttons::Ok) << int(Answer::Ok)
                               << int(QMessageBox::Information);
    QTest::newRow("a question") << int(Buttons::YesNo) << int(Answer::Yes)
                                << int(QMessageBox::Information);
    QTest::newRow("a question whose yes loses something")
        << int(Buttons::YesNoDefaultNo) << int(Answer::No) << int(QMessageBox::Warning);
}

void TestQtPlatform::enterGivesTheSafeAnswer()
{
    QFETCH(int, buttons);
    QFETCH(int, answer);
    QFETCH(int, icon);
    // The box as the user meets it, answered with Enter as a hurried hand would;
    // a name in it that looks like markup shown as written.
    bool pressed = false;
    QTimer::singleShot(0, this, [&pressed, icon] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            QCOMPARE(box->textFormat(), Qt::PlainText);
            QCOMPARE(int(box->icon()), icon);
            QTest::keyClick(box, Qt::Key_Return);
            pressed = true;
        }
    });
    QtPlatform platform;
    const Platform::Answer given = platform.showMessage(
        nullptr, QStringLiteral("Delete <b>a.mca</b>?"), Platform::Icon::Information,
                                Platform::Buttons(buttons));
    QVERIFY(pressed);
    QCOMPARE(int(given), answer);
}

QTEST_MAIN(TestQtPlatform)
#include "tst_qtplatform.moc"
