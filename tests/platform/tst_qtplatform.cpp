#include "platform/qtplatform.h"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Orvella;

class TestQtPlatform : public QObject
{
    Q_OBJECT

private slots:
    void enterGivesTheSafeAnswer_data();
    void enterGivesTheSafeAnswer();
    void aNameWithoutSuffixIsOfTheKindChosen_data();
    void aNameWithoutSuffixIsOfTheKindChosen();
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

void TestQtPlatform::aNameWithoutSuffixIsOfTheKindChosen_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("suffix");
    QTest::newRow("the kind offered first") << 0 << QStringLiteral(".json");
    QTest::newRow("another kind chosen") << 1 << QStringLiteral(".csv");
}

void TestQtPlatform::aNameWithoutSuffixIsOfTheKindChosen()
{
    QFETCH(int, kind);
    QFETCH(QString, suffix);
    QTemporaryDir folder;
    const QString typed = folder.filePath(QStringLiteral("readings"));
    // The kind chosen from the keyboard, then a name typed without a suffix.
    QString offered;
    QTimer::singleShot(0, this, [typed, kind, &offered] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        auto *kinds = dialog->findChild<QComboBox *>(QStringLiteral("fileTypeCombo"));
        for (int i = 0; i < kind; ++i)
            QTest::keyClick(kinds, Qt::Key_Down);
        auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        offered = name->text();
        name->setText(typed);
        QTest::keyClick(name, Qt::Key_Return);
    });
    QtPlatform platform;
    const QString chosen = platform.saveFileName(
        nullptr, QStringLiteral("Export"), QStringLiteral("Journal (*.json);;Spreadsheet (*.csv)"),
        QStringLiteral("json"), QStringLiteral("journal"));
    QCOMPARE(offered, QStringLiteral("journal"));
    QCOMPARE(chosen, typed + suffix);
}

QTEST_MAIN(TestQtPlatform)
#include "tst_qtplatform.moc"
