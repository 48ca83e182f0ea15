// ShowReading for a seven-card reading: the report, seven pictures, the panel switch.
// Run by hand, e.g.  QT_QPA_PLATFORM=offscreen ./bench_showreading
// The first function prints the median of many single runs; the second is the
// same work under QBENCHMARK (add "-median 21" for QTest's own median).

#include "support/fakeplatform.h"
#include "support/scriptedrandom.h"
#include "windows/mainwindow.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <algorithm>

using namespace Orvella;

class BenchShowReading : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void medianOfSingleRuns();
    void showReading();

private:
    Test::FakePlatform *m_platform = nullptr;
    Test::ScriptedRandom *m_random = nullptr;
    MainWindow *m_window = nullptr;
};

void BenchShowReading::init()
{
    m_platform = new Test::FakePlatform;
    m_random = new Test::ScriptedRandom;
    m_window = new MainWindow(*m_platform, *m_random);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    QTest::keyClicks(m_window->findChild<QLineEdit *>(QStringLiteral("txtName")),
                                                      QStringLiteral("Ann"));
    // The first spread, seven cards, with several reversed ones.
    QTest::mouseClick(m_window->findChild<QPushButton *>(QStringLiteral("cmdProceed")),
                                                         Qt::LeftButton);
    QCOMPARE(m_window->reading().positionCount(), 7);
}

void BenchShowReading::cleanup()
{
    delete m_window;
    delete m_random;
    delete m_platform;
}

void BenchShowReading::medianOfSingleRuns()
{
    constexpr int Runs = 301;
    QList<qint64> nanoseconds;
    nanoseconds.reserve(Runs);
    QElapsedTimer timer;
    for (int i = 0; i < Runs; ++i) {
        timer.start();
        m_window->ShowReading();
        nanoseconds << timer.nsecsElapsed();
    }
    std::sort(nanoseconds.begin(), nanoseconds.end());
    qInfo("ShowReading, 7 cards: median %.3f ms, fastest %.3f ms, slowest %.3f ms over %d runs",
          nanoseconds[Runs / 2] / 1e6, nanoseconds.first() / 1e6, nanoseconds.last() / 1e6, Runs);
}

void BenchShowReading::showReading()
{
    QBENCHMARK
    {
        m_window->ShowReading();
    }
}

QTEST_MAIN(BenchShowReading)
#include "bench_showreading.moc"
