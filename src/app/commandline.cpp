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
    } else if (!parsed || parser.positionalArguments().size() > 1) {
        line.action = CommandLine::Action::Refuse;
        const QString why = parsed ? QStringLiteral("Only one reading can be opened at a time.")
                                   : parser.errorText();
        line.text = QStringLiteral("%1: %2\nTry '%1 --help' for more information.\n").arg(program,
                                                                                          why);
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

} // namespace Orvella
