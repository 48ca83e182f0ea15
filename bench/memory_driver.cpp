// Peak resident memory once a 7-card reading is on screen: builds the main
// window as start-up does, types a name, keeps the Pathway Spread, clicks
// cmdProceed, lets the result paint and prints VmHWM in KiB.
// Drives the window through its own widgets, not QTest: the test library's
// pages would count against the program.

#include "app/handover.h"
#include "app/programstyle.h"
#include "app/startup.h"
#include "journalviews/journal.h"
#include "platform/privatefolder.h"
#include "platform/qtplatform.h"
#include "reading/clockrandomsource.h"
#include "vmhwm.h"
#include "web/programicon.h"
#include "windows/mainwindow.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QWindow>

#include <cstdio>

using namespace Orvella;

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    installProgramStyle(app);
    QtPlatform platform;
    ClockRandomSource random;
    random.seed(7);
    MainWindow window(platform, random);
    window.show();
    QElapsedTimer waited;
    waited.start();
    while (!window.windowHandle() || !window.windowHandle()->isExposed()) {
        if (waited.hasExpired(5000)) {
            std::fprintf(stderr, "the main window was never shown\n");
            return 1;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }

    // As the program does once its window is up: the window icon (its pictures
    // are part of the program's memory), it listens for readings handed over,
    // and it keeps the readings shown in its journal (loaded with the first).
    showProgramIcon();
    Journal journal(window.session(), platform, preparePrivateFolder(instanceFolder()).path);
    HandOverInbox inbox(HandOver::inbox(instanceFolder()),
                        [&window](const QString &path) { return window.receiveReading(path); });
    inbox.start();

    auto *spreads = window.findChild<QComboBox *>(QStringLiteral("cboSpread"));
    auto *name = window.findChild<QLineEdit *>(QStringLiteral("txtName"));
    auto *proceed = window.findChild<QPushButton *>(QStringLiteral("cmdProceed"));
    if (!spreads || !name || !proceed) {
        std::fprintf(stderr, "main window lacks cboSpread, txtName or cmdProceed\n");
        return 1;
    }
    spreads->setCurrentIndex(0);
    name->setText(QStringLiteral("Aiyana"));
    proceed->click();
    if (window.reading().positionCount() != 7) {
        std::fprintf(stderr, "no 7-card reading was drawn\n");
        return 1;
    }

    QTimer::singleShot(500, &app, [] {
        std::printf("%ld\n", Bench::peakResidentKiB());
        QApplication::quit();
    });
    return app.exec();
}
