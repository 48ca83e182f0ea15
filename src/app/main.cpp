#include "app/programstyle.h"
#include "app/shutdown.h"
#include "app/startup.h"
#include "platform/qtplatform.h"
#include "reading/clockrandomsource.h"
#include "web/exitscreen.h"
#include "web/programicon.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Orvella::installProgramStyle(app);
    QApplication::setWindowIcon(Orvella::programIcon());

    Orvella::QtPlatform platform;
    Orvella::ClockRandomSource random;
    Orvella::ProgramStartup startup(platform, random);
    if (!Orvella::runStartup(startup))
        return 0; // another copy runs; it is left alone

    if (Orvella::MainWindow *mainWindow = startup.mainWindow())
        Orvella::installShutdown(*mainWindow, platform, random);
    return app.exec();
}
