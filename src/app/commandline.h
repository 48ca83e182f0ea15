#pragma once

#include <QString>
#include <QStringList>

namespace Orvella {

/** What the program was asked on its command line. */
struct CommandLine
{
    enum class Action {
        Run,
        ShowHelp,
        ShowVersion,
        Refuse,
        ExportJournal,
        ImportJournal,
        JournalStatistics,
    };

    Action action = Action::Run;
    /** The reading file to open; empty for none. */
    QString readingFile;
    /** Where --export-journal or --journal-statistics writes: a file, or "-" for standard out. */
    QString journalFile;
    /** What --import-journal takes in. */
    QStringList importFiles;
    /** What to print: the help, the version, or why the command line is refused. */
    QString text;
};

/**
 * Reads @p arguments, the program's own name first: --help, --version,
 * --export-journal FILE, --journal-statistics FILE, --import-journal FILE...
 * and one optional reading file. An unknown option, a second reading file, a
 * reading file with a journal option, two journal options, or
 * --import-journal without files is refused. --help and --version win over
 * anything else given with them.
 */
CommandLine parseCommandLine(const QStringList &arguments);

/**
 * True when @p arguments, as the system passed them, ask for --help or
 * --version: those are answered before Qt's windowing starts, so they work
 * without a display.
 */
bool asksForHelpOrVersion(const QStringList &arguments);

/**
 * True when @p arguments ask for something done without a window (--help,
 * --version and the journal's options): it is done without a display, also
 * while a copy of the program runs.
 */
bool runsWithoutWindow(const QStringList &arguments);

/** The exit code of a refused command line. */
inline constexpr int CommandLineRefused = 2;

} // namespace Orvella
