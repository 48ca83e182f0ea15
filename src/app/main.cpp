#include "app/commandline.h"
#include "app/journalcommandline.h"
#include "app/programstyle.h"
#include "app/shutdown.h"
#include "app/startup.h"
#include "journalviews/journal.h"
#include "platform/qtplatform.h"
#include "product/product.h"
#include "reading/clockrandomsource.h"
#include "windows/mainwindow.h"

#include <QApplication>
#include <QFile>

#include <cstdio>

namespace {

QStringList systemArguments(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QFile::decodeName(argv[i]);
    return arguments;
}

// A name whose bytes are no text in this system's encoding would be read as
// another name: the file written or read would not be the one meant.
bool namesAreText(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i) {
        if (QFile::encodeName(QFile::decodeName(argv[i])) != QByteArrayView(argv[i]))
            return false;
    }
    return true;
}

// Prints what the command line asked for; the exit code, or -1 to go on and run.
int answer(const Orvella::CommandLine &line)
{
    using Action = Orvella::CommandLine::Action;
    switch (line.action) {
    case Action::ShowHelp:
    case Action::ShowVersion:
        // Not said when it could not be written (a closed output, a full disk).
        return std::fputs(line.text.toLocal8Bit().constData(), stdout) >= 0
                       && std::fflush(stdout) == 0
                   ? 0
                   : 1;
    case Action::Refuse:
        std::fputs(line.text.toLocal8Bit().constData(), stderr);
        return Orvella::CommandLineRefused;
    case Action::ExportJournal:
        return Orvella::exportJournalCommand(Orvella::instanceFolder(), line.journalFile);
    case Action::JournalStatistics:
        return Orvella::journalStatisticsCommand(Orvella::instanceFolder(), line.journalFile);
    case Action::ImportJournal:
        return Orvella::importJournalCommand(Orvella::instanceFolder(), line.importFiles);
    case Action::Run:
        break;
    }
    return -1;
}

} // namespace

int main(int argc, char *argv[])
{
    if (const QStringList arguments = systemArguments(argc, argv);
        Orvella::runsWithoutWindow(arguments)) {
        // Its help names the program from the application object; no display needed.
        QCoreApplication core(argc, argv);
        if (!namesAreText(argc, argv)) {
            const QString refused = QStringLiteral("%1: a name given holds bytes that are "
                                                   "not text here; rename the file first.\n")
                                                       .arg(Orvella::Product::id());
            std::fputs(qPrintable(refused), stderr);
            return Orvella::CommandLineRefused;
        }
        return answer(Orvella::parseCommandLine(arguments));
    }
    const bool namesRead = namesAreText(argc, argv);
    QApplication app(argc, argv);
    // Qt has taken its own options (-style, -platform, ...) out by now.
    Orvella::CommandLine line = Orvella::parseCommandLine(QCoreApplication::arguments());
    if (const int code = answer(line); code >= 0)
        return code;
    // Never another file than the one named: the program starts without it and says why.
    if (!namesRead)
        line.readingFile.clear();

    Orvella::installProgramStyle(app);

    Orvella::QtPlatform platform;
    Orvella::ClockRandomSource random;
    Orvella::ProgramStartup startup(platform, random, line.readingFile);
    if (!namesRead)
        startup.refuseNameNotText();
    // Another copy runs: it took the reading, or it is left alone.
    if (!Orvella::runStartup(startup))
        return startup.readingNotHandedOver() ? 1 : 0;

    if (Orvella::MainWindow *mainWindow = startup.mainWindow()) {
        Orvella::Shutdown *shutdown = Orvella::installShutdown(*mainWindow, platform, random);
        if (Orvella::Journal *journal = startup.journal()) {
            shutdown->setMayEnd([journal] { return journal->mayEnd(); });
#ifndef QT_NO_SESSIONMANAGER
            // Logging out ends the program without asking: what was just typed is kept first.
            QObject::connect(&app, &QGuiApplication::commitDataRequest, journal,
                             [journal] { journal->keepWaiting(); });
#endif
        }
        startup.openReadings();
    }
    return app.exec();
}
