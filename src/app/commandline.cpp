#include "commandline.h"

#include "journal/journalexport.h"
#include "product/product.h"

#include <QCommandLineParser>
#include <QFileInfo>

namespace Orvella {

namespace {

// The journal's options, which do their work without a window.
const QString ExportJournalOption = QStringLiteral("export-journal");
const QString StatisticsOption = QStringLiteral("journal-statistics");
const QString ImportJournalOption = QStringLiteral("import-journal");

bool isJournalExportName(const QString &target)
{
    return target == QLatin1String("-")
           || target.endsWith(QLatin1String(".json"), Qt::CaseInsensitive) || exportsAsCsv(target);
}

} // namespace

CommandLine parseCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        Product::name() + QStringLiteral(": Medicine Cards readings with animal cards."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption exportJournal(
        ExportJournalOption,
        QStringLiteral("Writes every reading kept in the journal to <file> (.json or .csv by "
                       "its name; - writes JSON to standard output) and ends."),
        QStringLiteral("file"));
    parser.addOption(exportJournal);
    const QCommandLineOption statistics(
        StatisticsOption,
        QStringLiteral("Writes how often each card came up in the journal, against chance, to "
                       "<file> as CSV (- for standard output) and ends."),
        QStringLiteral("file"));
    parser.addOption(statistics);
    const QCommandLineOption importJournal(
        ImportJournalOption,
        QStringLiteral("Keeps the readings of the files named after the options (.mca "
                       "readings, journal exports and journal backups) in the journal, says "
                       "what it did and ends."));
    parser.addOption(importJournal);
    parser.addPositionalArgument(QStringLiteral("reading"),
        QStringLiteral("A saved reading (.mca) to open; with --import-journal, the files to "
                       "import."),
                       QStringLiteral("[reading | files...]"));

    CommandLine line;
    const bool parsed = parser.parse(arguments);
    const QString program = QFileInfo(arguments.value(0)).fileName();
    const QStringList files = parser.positionalArguments();
    // Each time given: a second target would otherwise be taken and the first left unwritten.
    const int journalOptions = int(parser.values(exportJournal).size())
                               + int(parser.values(statistics).size())
                               + int(parser.isSet(importJournal));
    QString refusal;
    if (!parsed)
        refusal = parser.errorText();
    else if (journalOptions > 1)
        refusal = QStringLiteral("Only one journal option can be given at a time.");
    else if (parser.isSet(importJournal) && files.isEmpty())
        refusal = QStringLiteral("Name the files to import.");
    else if (journalOptions == 1 && !parser.isSet(importJournal) && !files.isEmpty())
        refusal = parser.isSet(exportJournal)
                      ? QStringLiteral("The journal is exported without opening a reading.")
                      : QStringLiteral("The statistics are written without opening a reading.");
    else if (parser.isSet(statistics) && parser.value(statistics).isEmpty())
        refusal = QStringLiteral("Name the file to write the statistics to, or - .");
    else if (parser.isSet(exportJournal) && !isJournalExportName(parser.value(exportJournal)))
        refusal = QStringLiteral("The journal is exported to a .json or a .csv file, or to - .");
    else if (journalOptions == 0 && files.size() > 1)
        refusal = QStringLiteral("Only one reading can be opened at a time.");

    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        line.action = CommandLine::Action::ShowHelp;
        line.text = parser.helpText();
    } else if (parser.isSet(version)) {
        line.action = CommandLine::Action::ShowVersion;
        line.text = Product::name() + QLatin1Char(' ') + Product::version() + QLatin1Char('\n');
    } else if (!refusal.isEmpty()) {
        line.action = CommandLine::Action::Refuse;
        line.text = QStringLiteral("%1: %2\nTry '%1 --help' for more information.\n").arg(program,
                                                                                          refusal);
    } else if (parser.isSet(exportJournal)) {
        line.action = CommandLine::Action::ExportJournal;
        line.journalFile = parser.value(exportJournal);
    } else if (parser.isSet(statistics)) {
        line.action = CommandLine::Action::JournalStatistics;
        line.journalFile = parser.value(statistics);
    } else if (parser.isSet(importJournal)) {
        line.action = CommandLine::Action::ImportJournal;
        line.importFiles = files;
    } else {
        line.readingFile = files.value(0);
    }
    return line;
}

bool asksForHelpOrVersion(const QStringList &arguments)
{
    for (const QString &argument : arguments.mid(1)) {
        if (argument == QLatin1String("--"))
            break;
        for (const char *asks : {"-h", "--help", "-?", "--help-all", "-v", "--version"}) {
            if (argument == QLatin1String(asks))
                return true;
        }
    }
    return false;
}

bool runsWithoutWindow(const QStringList &arguments)
{
    if (asksForHelpOrVersion(arguments))
        return true;
    for (const QString &argument : arguments.mid(1)) {
        if (argument == QLatin1String("--"))
            break;
        for (const QString &option : {ExportJournalOption, StatisticsOption, ImportJournalOption}) {
            if (argument == QLatin1String("--") + option
                || argument.startsWith(QLatin1String("--") + option + QLatin1Char('=')))
                return true;
        }
    }
    return false;
}

} // namespace Orvella
