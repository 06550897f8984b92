// tamberlock-export: the charges, payments or balances of a Tamberlock
// database as CSV. Reads the file read-only, so it runs beside the program.
#include "data/Export.h"
#include "data/DataPath.h"
#include "data/RegionalFormats.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTextStream>

namespace {

int fail(const QString &message, int code = 1)
{
    QTextStream(stderr) << "tamberlock-export: " << message << "\n";
    return code;
}

std::optional<qint32> key(const QString &text)
{
    bool ok = false;
    const qint32 value = text.toInt(&ok);
    return ok && value > 0 ? std::optional<qint32>(value) : std::nullopt;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tamberlock-export"));
    // The user's currency labels the amounts and sets their decimals.
    Formats::setCurrent(RegionalFormats::fromSettings());

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Writes the charges, payments or balances of a Tamberlock database as CSV.\n"
                       "The database is opened read-only; Tamberlock may be running."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("report"), QStringLiteral("charges, payments or balance"));
    const QCommandLineOption dbOption(
        QStringLiteral("db"), QStringLiteral("The database (default: Tamberlock.mdb beside this command)."),
        QStringLiteral("PATH"));
    const QCommandLineOption outputOption({QStringLiteral("o"), QStringLiteral("output")},
                                          QStringLiteral("Write to FILE instead of standard output."),
                                          QStringLiteral("FILE"));
    const QCommandLineOption companyOption(QStringLiteral("company"), QStringLiteral("Only this company."),
                                           QStringLiteral("ID"));
    const QCommandLineOption projectOption(QStringLiteral("project"),
                                           QStringLiteral("Only this project (payments: of its company)."),
                                           QStringLiteral("ID"));
    const QCommandLineOption fromOption(
        QStringLiteral("from"),
        QStringLiteral("Only charges started and payments made on or after DATE "
                       "(YYYY-MM-DD)."),
        QStringLiteral("DATE"));
    const QCommandLineOption toOption(
        QStringLiteral("to"),
        QStringLiteral("Only charges started and payments made on or before DATE "
                       "(YYYY-MM-DD)."),
        QStringLiteral("DATE"));
    parser.addOptions({dbOption, outputOption, companyOption, projectOption, fromOption, toOption});
    if (!parser.parse(app.arguments()))
        return fail(parser.errorText() + QStringLiteral(" (see --help)"), 2);
    if (parser.isSet(QStringLiteral("help")))
        parser.showHelp(0);

    const QStringList positional = parser.positionalArguments();
    const std::optional<Export::Report> report =
        positional.size() == 1 ? Export::reportNamed(positional.first()) : std::nullopt;
    if (!report)
        return fail(QStringLiteral("name one report: charges, payments or balance (see --help)"), 2);

    Export::Filter filter;
    if (parser.isSet(companyOption) && !(filter.company = key(parser.value(companyOption))))
        return fail(
            QStringLiteral("--company wants a company number, not \"%1\"").arg(parser.value(companyOption)),
            2);
    if (parser.isSet(projectOption) && !(filter.project = key(parser.value(projectOption))))
        return fail(
            QStringLiteral("--project wants a project number, not \"%1\"").arg(parser.value(projectOption)),
            2);
    for (const auto &[option, day] :
         {std::pair{&fromOption, &filter.from}, std::pair{&toOption, &filter.to}}) {
        if (!parser.isSet(*option))
            continue;
        const QDate date = QDate::fromString(parser.value(*option), Qt::ISODate);
        if (!date.isValid())
            return fail(QStringLiteral("--%1 wants a date as YYYY-MM-DD, not \"%2\"")
                            .arg(option->names().first(), parser.value(*option)),
                        2);
        *day = date;
    }
    if (filter.from && filter.to && *filter.from > *filter.to)
        return fail(QStringLiteral("--from is after --to"), 2);

    const QString database = parser.isSet(dbOption) ? parser.value(dbOption)
                                                    : dataPathFor(QCoreApplication::applicationDirPath()) +
                                                          QLatin1String(kDatabaseFileName);

    if (!parser.isSet(outputOption)) {
        QFile out;
        if (!out.open(stdout, QIODevice::WriteOnly))
            return fail(QStringLiteral("cannot write to standard output"));
        const QString error = Export::write(database, *report, filter, out);
        return error.isEmpty() ? 0 : fail(error);
    }

    const QString output = parser.value(outputOption);
    if (QFileInfo(output).canonicalFilePath() == QFileInfo(database).canonicalFilePath() &&
        QFileInfo::exists(output))
        return fail(QStringLiteral("%1 is the database itself; choose another file to write").arg(output), 2);
    // Written whole or not at all: a failed export leaves no half file.
    QSaveFile out(output);
    if (!out.open(QIODevice::WriteOnly))
        return fail(QStringLiteral("cannot write %1: %2").arg(output, out.errorString()));
    const QString error = Export::write(database, *report, filter, out);
    if (!error.isEmpty())
        return fail(error);
    if (!out.commit())
        return fail(QStringLiteral("cannot write %1: %2").arg(output, out.errorString()));
    return 0;
}
