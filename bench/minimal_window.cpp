// The yardstick for start-up time and memory: the least a Qt Widgets program
// can do, one empty window with the program's caption and size.
//   minimal_window              shows the window until it is closed
//   minimal_window --memory     shows it, lets it paint, prints VmHWM in KiB and quits
//   minimal_window --label      puts one line of text in it: the share of start-up
//                               and memory that any window with text pays for fonts

#include "product/product.h"
#include "vmhwm.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QTimer>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(Orvella::Product::windowCaption());
    window.resize(630, 382);
    if (app.arguments().contains(QStringLiteral("--label")))
        window.setCentralWidget(new QLabel(QStringLiteral("Please Enter Your Name"), &window));
    window.show();

    if (app.arguments().contains(QStringLiteral("--memory"))) {
        // The same settling time the memory driver gives the reading window.
        QTimer::singleShot(500, &app, [] {
            std::printf("%ld\n", Orvella::Bench::peakResidentKiB());
            QApplication::quit();
        });
    }
    return app.exec();
}
