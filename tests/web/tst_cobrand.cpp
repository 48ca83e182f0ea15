#include "support/scriptedrandom.h"
#include "web/cobrand.h"

#include <QLabel>
#include <QTest>

#include <array>
#include <cmath>

using namespace Orvella;
using Orvella::Test::ScriptedRandom;

namespace {

constexpr double TwoTo24 = 16777216.0;

} // namespace

class TestCoBrand : public QObject
{
    Q_OBJECT

private slots:
    void numberAtBoundaries_data();
    void numberAtBoundaries();
    void tiesGoToTheEvenNeighbour();
    void sevenToFiveOverAllValues();
    void raisesTheRightLabel_data();
    void raisesTheRightLabel();
    void drawsExactlyOnce();
};

void TestCoBrand::numberAtBoundaries_data()
{
    QTest::addColumn<qint64>("k");
    QTest::addColumn<int>("expected");
    // r = k / 2^24, as the random source hands it out.
    QTest::newRow("r 0 gives 1") << qint64(0) << 1;
    QTest::newRow("last value of 1") << qint64(1398101) << 1;
    QTest::newRow("first value of 2") << qint64(1398102) << 2;
    QTest::newRow("r 0.25 is the tie 2.5, to 2") << qint64(4194304) << 2;
    QTest::newRow("just above 0.25 gives 3") << qint64(4194305) << 3;
    QTest::newRow("last value of 3") << qint64(6990506) << 3;
    QTest::newRow("float rounding makes the tie 3.5, to 4") << qint64(6990507) << 4;
    QTest::newRow("float rounding makes the tie 4.5, to 4 (first)") << qint64(9786709) << 4;
    QTest::newRow("float rounding makes the tie 4.5, to 4 (second)") << qint64(9786710) << 4;
    QTest::newRow("first value of 5") << qint64(9786711) << 5;
    QTest::newRow("last value of 5") << qint64(12582911) << 5;
    QTest::newRow("r 0.75 is the tie 5.5, to 6") << qint64(12582912) << 6;
    QTest::newRow("float rounding makes the tie 6.5, to 6 (first)") << qint64(15379114) << 6;
    QTest::newRow("float rounding makes the tie 6.5, to 6 (second)") << qint64(15379115) << 6;
    QTest::newRow("first value of 7") << qint64(15379116) << 7;
    QTest::newRow("largest r gives 7") << qint64(16777215) << 7;
}

void TestCoBrand::numberAtBoundaries()
{
    QFETCH(qint64, k);
    QFETCH(int, expected);
    QCOMPARE(int(coBrandNumber(float(k / TwoTo24))), expected);
}

void TestCoBrand::tiesGoToTheEvenNeighbour()
{
    // Every value whose single-precision r * 6 + 1 lands exactly on a half.
    int ties = 0;
    for (qint64 k = 0; k < qint64(TwoTo24); ++k) {
        const float r = float(k / TwoTo24);
        const float value = r * 6.0f + 1.0f;
        if (value - std::floor(value) != 0.5f)
            continue;
        ++ties;
        const int number = coBrandNumber(r);
        QVERIFY2(number % 2 == 0, qPrintable(QStringLiteral("k %1 gave %2").arg(k).arg(number)));
        QCOMPARE(std::abs(number - value), 0.5f);
    }
    // 2.5 and 5.5 exactly, plus the halves that single precision lands on.
    QVERIFY(ties >= 2);
}

void TestCoBrand::sevenToFiveOverAllValues()
{
    std::array<qint64, 9> counts{};
    for (qint64 k = 0; k < qint64(TwoTo24); ++k) {
        const int number = coBrandNumber(float(k / TwoTo24));
        QVERIFY(number >= 1 && number <= 7);
        ++counts[number];
    }
    // Each of 2..6 takes a sixth of the values, 1 and 7 a twelfth; single
    // precision moves a handful of values across a boundary at most.
    const double sixth = TwoTo24 / 6;
    for (int n = 2; n <= 6; ++n)
        QVERIFY2(std::abs(counts[n] - sixth) <= 4, qPrintable(QString::number(n)));
    QVERIFY(std::abs(counts[1] - sixth / 2) <= 4);
    QVERIFY(std::abs(counts[7] - sixth / 2) <= 4);

    const qint64 fullBrand = counts[2] + counts[4] + counts[6] + counts[7];
    const qint64 coBrand = counts[1] + counts[3] + counts[5];
    QCOMPARE(fullBrand + coBrand, qint64(TwoTo24));
    QVERIFY(std::abs(fullBrand - TwoTo24 * 7 / 12) <= 4);
    QVERIFY(std::abs(coBrand - TwoTo24 * 5 / 12) <= 4);
}

void TestCoBrand::raisesTheRightLabel_data()
{
    QTest::addColumn<double>("r");
    QTest::addColumn<int>("number");
    QTest::addColumn<bool>("fullBrandFirst");
    QTest::addColumn<bool>("fullBrandAfter");
    // Each row starts from the order the draw should change (or, for 7, keep).
    QTest::newRow("1 raises the co-brand label") << 0.0 << 1 << true << false;
    QTest::newRow("2 raises the full-brand label") << 0.25 << 2 << false << true;
    QTest::newRow("3 raises the co-brand label") << 0.3 << 3 << true << false;
    QTest::newRow("4 raises the full-brand label") << 0.5 << 4 << false << true;
    QTest::newRow("5 raises the co-brand label") << 0.7 << 5 << true << false;
    QTest::newRow("6 raises the full-brand label") << 0.75 << 6 << false << true;
    const double largest = (TwoTo24 - 1) / TwoTo24;
    QTest::newRow("7 keeps the stored order") << largest << 7 << true << true;
    QTest::newRow("7 moves neither label") << largest << 7 << false << false;
}

void TestCoBrand::raisesTheRightLabel()
{
    QFETCH(double, r);
    QFETCH(int, number);
    QFETCH(bool, fullBrandFirst);
    QFETCH(bool, fullBrandAfter);

    QWidget frame;
    frame.resize(630, 44);
    auto *coBrand = new QLabel(QStringLiteral("co"), &frame);
    auto *fullBrand = new QLabel(QStringLiteral("full"), &frame);
    for (QLabel *label : {coBrand, fullBrand}) {
        label->setGeometry(8, 11, 615, 30);
        label->setAutoFillBackground(true);
    }
    (fullBrandFirst ? fullBrand : coBrand)->raise();
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));

    ScriptedRandom random({r});
    QCOMPARE(int(CoBrand_Randomize(random, fullBrand, coBrand)), number);
    QWidget *seen = frame.childAt(QPoint(300, 25));
    QCOMPARE(seen, fullBrandAfter ? static_cast<QWidget *>(fullBrand) : coBrand);
    // The one behind is hidden: not even a screen reader meets it.
    QCOMPARE(fullBrand->isVisible(), fullBrandAfter);
    QCOMPARE(coBrand->isVisible(), !fullBrandAfter);
}

void TestCoBrand::drawsExactlyOnce()
{
    ScriptedRandom random({0.5});
    QLabel full, co;
    CoBrand_Randomize(random, &full, &co);
    QCOMPARE(random.taken(), 1);
    QCOMPARE(random.seeds(), 0);
    // Missing labels are skipped, not dereferenced.
    CoBrand_Randomize(random, nullptr, nullptr);
    QCOMPARE(random.taken(), 2);
}

QTEST_MAIN(TestCoBrand)
#include "tst_cobrand.moc"
