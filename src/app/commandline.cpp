#include "commandline.h"

#include "product/product.h"

#include <QCommandLineParser>
#include <QFileInfo>

namespace Orvella {

CommandLine parseCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        Product::name() + QStringLiteral(": Medicine Cards readings with animal cards."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption exportJournal(QStringLiteral("export-journal"),
        QStringLiteral("Writes every reading kept in the journal to <file> (.json or .csv by "
                       "its name; - writes JSON to standard output) and ends."),
                       QStringLiteral("file"));
    parser.addOption(exportJournal);
    parser.addPositionalArgument(QStringLiteral("reading"), QStringLiteral("A saved reading (.mca) to open."), QStringLiteral("[reading]"));

    CommandLine line;
    const bool parsed = parser.parse(arguments);
    const QString program = QFileInfo(arguments.value(0)).fileName();
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        line.action = CommandLine::Action::ShowHelp;
        line.text = parser.helpText();
    } else if (parser.isSet(version)) {
        line.action = CommandLine::Action::ShowVersion;
        line.text = Product::name() + QLatin1Char(' ') + Product::version() + QLatin1Char('\n');
    } else if (!parsed || parser.positionalArguments().size() > 1
               || (parser.isSet(exportJournal) && !parser.positionalArguments().isEmpty())) {
        line.action = CommandLine::Action::Refuse;
        const QString why = !parsed ? parser.errorText()
                                    : parser.isSet(exportJournal)
                                ? QStringLiteral("The journal is exported without opening a reading.")
                                : QStringLiteral("Only one reading can be opened at a time.");
        line.text = QStringLiteral("%1: %2\nTry '%1 --help' for more information.\n").arg(program,
                                                                                          why);
    } else if (parser.isSet(exportJournal)) {
        line.action = CommandLine::Action::ExportJournal;
        line.journalFile = parser.value(exportJournal);
    } else {
        line.readingFile = parser.positionalArguments().value(0);
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
        if (argument == QLatin1String("--export-journal")
            || argument.startsWith(QLatin1String("--export-journal=")))
            return true;
    }
    return false;
}

} // namespace Orvella
