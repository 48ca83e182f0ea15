// The card view opened on a card of a seven-card reading and painted, as a
// click on a card does it. Run by hand, e.g.  QT_QPA_PLATFORM=offscreen ./bench_cardview
// Cold: the first opening in a process, each in a fresh process of its own
// (this program started again with --once). Warm: later openings, each on
// another card, in one process. Both print their median (goal: under 16 ms,
// one display frame).

#include "support/mainwindowdriver.h"
#include "windows/cardview.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>

#include <algorithm>
#include <cstdio>

using namespace Orvella;

namespace {

double openAndPaint(MainWindow &window, int position)
{
    QElapsedTimer timer;
    timer.start();
    window.openCardView(position);
    window.cardView()->repaint();
    return timer.nsecsElapsed() / 1e6;
}

// The offscreen platform says so at every raise and resize; nothing to see.
void quietPlatform(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type != QtWarningMsg || !message.startsWith(QLatin1String("This plugin does not support")))
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? 0 : values[values.size() / 2];
}

} // namespace

int main(int argc, char *argv[])
{
    qInstallMessageHandler(quietPlatform);
    QApplication app(argc, argv);
    const bool once = app.arguments().contains(QStringLiteral("--once"));
    if (!once) {
        constexpr int ColdRuns = 15;
        QList<double> cold;
        for (int i = 0; i < ColdRuns; ++i) {
            QProcess child;
            child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--once")});
            if (!child.waitForFinished(30000) || child.exitCode() != 0) {
                std::fprintf(stderr, "a cold run failed: %s\n",
                             child.readAllStandardError().constData());
                return 1;
            }
            cold << child.readAllStandardOutput().trimmed().toDouble();
        }
        std::printf(
            "card view, cold (first opening in a process): median %.2f ms over %d processes\n",
            median(cold), ColdRuns);
    }

    Test::MainWindowDriver driver;
    if (!driver.show())
        return 1;
    driver.proceed(QStringLiteral("Ann"), 0);
    if (once) {
        std::printf("%.3f\n", openAndPaint(driver.window(), 2));
        return 0;
    }
    constexpr int WarmRuns = 101;
    QList<double> warm;
    openAndPaint(driver.window(), 0);
    for (int i = 1; i <= WarmRuns; ++i) {
        driver.window().cardView()->close();
        warm << openAndPaint(driver.window(), i % 7);
    }
    std::printf("card view, warm (opened again on another card): median %.2f ms over %d openings\n",
                median(warm), WarmRuns);
    return 0;
}
