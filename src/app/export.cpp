// tamberlock-export: the charges, payments or balances of a Tamberlock
// database as CSV, or an invoice as PDF. Reads the file read-only, so it runs
// beside the program.
#include "data/Export.h"
#include "billing/InvoicePages.h"
#include "billing/Register.h"
#include "data/Clock.h"
#include "data/DataPath.h"
#include "data/RegionalFormats.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
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

// A key option ("--project 3"): empty when it is missing or a number, else
// what is wrong with it.
QString readKey(const QCommandLineParser &parser, const QCommandLineOption &option,
                std::optional<qint32> &into)
{
    if (!parser.isSet(option) || (into = key(parser.value(option))))
        return QString();
    const QString name = option.names().first();
    return QStringLiteral("--%1 wants a %1 number, not \"%2\"").arg(name, parser.value(option));
}

// The days of --from and --to (YYYY-MM-DD), as readKey.
QString readPeriod(const QCommandLineParser &parser, const QCommandLineOption &fromOption,
                   const QCommandLineOption &toOption, std::optional<QDate> &from, std::optional<QDate> &to)
{
    for (const auto &[option, day] : {std::pair{&fromOption, &from}, std::pair{&toOption, &to}}) {
        if (!parser.isSet(*option))
            continue;
        const QDate date = QDate::fromString(parser.value(*option), Qt::ISODate);
        if (!date.isValid())
            return QStringLiteral("--%1 wants a date as YYYY-MM-DD, not \"%2\"")
                .arg(option->names().first(), parser.value(*option));
        *day = date;
    }
    return QString();
}

QString defaultDatabase()
{
    return dataPathFor(QCoreApplication::applicationDirPath()) + QLatin1String(kDatabaseFileName);
}

// "invoice": one invoice as PDF, a draft unless --issue takes its number.
int invoiceMain(int argc, char *argv[])
{
    // Pages are laid out with fonts, which need a GUI application, but
    // never a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tamberlock-export"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Writes an invoice of a Tamberlock database as PDF: a draft marked \"DRAFT\", or with\n"
        "--issue a numbered invoice, kept in the \"Invoices\" folder beside the database."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("invoice"), QStringLiteral("the word invoice"));
    const QCommandLineOption dbOption(
        QStringLiteral("db"), QStringLiteral("The database (default: Tamberlock.mdb beside this command)."),
        QStringLiteral("PATH"));
    const QCommandLineOption outputOption({QStringLiteral("o"), QStringLiteral("output")},
                                          QStringLiteral("The PDF file to write."), QStringLiteral("FILE"));
    const QCommandLineOption companyOption(QStringLiteral("company"), QStringLiteral("The company billed."),
                                           QStringLiteral("ID"));
    const QCommandLineOption projectOption(QStringLiteral("project"), QStringLiteral("Only this project."),
                                           QStringLiteral("ID"));
    const QCommandLineOption fromOption(QStringLiteral("from"),
                                        QStringLiteral("Charges started on or after DATE (YYYY-MM-DD)."),
                                        QStringLiteral("DATE"));
    const QCommandLineOption toOption(QStringLiteral("to"),
                                      QStringLiteral("Charges started on or before DATE (YYYY-MM-DD)."),
                                      QStringLiteral("DATE"));
    const QCommandLineOption detailOption(QStringLiteral("detail"),
                                          QStringLiteral("One line per charge (default), project or day."),
                                          QStringLiteral("charge|project|day"));
    const QCommandLineOption issueOption(QStringLiteral("issue"),
                                         QStringLiteral("Issue it: take the next number and keep it."));
    parser.addOptions({dbOption, outputOption, companyOption, projectOption, fromOption, toOption,
                       detailOption, issueOption});
    if (!parser.parse(app.arguments()))
        return fail(parser.errorText() + QStringLiteral(" (see --help)"), 2);
    if (parser.isSet(QStringLiteral("help")))
        parser.showHelp(0);

    Billing::Request request;
    const std::optional<qint32> company = key(parser.value(companyOption));
    if (!company)
        return fail(QStringLiteral("invoice wants --company and a company number"), 2);
    request.companyId = *company;
    QString wrong = readKey(parser, projectOption, request.projectId);
    if (wrong.isEmpty())
        wrong = readPeriod(parser, fromOption, toOption, request.from, request.to);
    if (!wrong.isEmpty())
        return fail(wrong, 2);
    if (request.from.has_value() != request.to.has_value())
        return fail(QStringLiteral("give both --from and --to, or neither"), 2);
    if (request.from && *request.from > *request.to)
        return fail(QStringLiteral("--from is after --to"), 2);
    if (parser.isSet(detailOption)) {
        const std::optional<Billing::Detail> detail = Billing::detailNamed(parser.value(detailOption));
        if (!detail)
            return fail(QStringLiteral("--detail wants charge, project or day, not \"%1\"")
                            .arg(parser.value(detailOption)),
                        2);
        request.detail = *detail;
    }
    if (!parser.isSet(outputOption))
        return fail(QStringLiteral("invoice wants -o FILE.pdf"), 2);
    const QString output = parser.value(outputOption);
    const QString database = parser.isSet(dbOption) ? parser.value(dbOption) : defaultDatabase();
    if (QFileInfo::exists(output) &&
        QFileInfo(output).canonicalFilePath() == QFileInfo(database).canonicalFilePath())
        return fail(QStringLiteral("%1 is the database itself; choose another file to write").arg(output), 2);

    const Billing::Sender sender = Billing::loadSender();
    request.invoiceDate = Clock::now().date();
    request.dueDate = request.invoiceDate.addDays(sender.paymentTermsDays);
    request.taxRate = sender.defaultTaxRate;
    request.taxLabel = sender.taxLabel;

    const QString folder = Billing::invoicesFolderFor(database);
    QString error;
    const std::optional<Billing::Invoice> invoice =
        Billing::computeRegistered(database, folder, request, sender, &error);
    if (!invoice)
        return fail(error);
    if (!invoice->refusals.isEmpty())
        return fail(QStringLiteral("the invoice cannot be made:\n  ") +
                    invoice->refusals.join(QStringLiteral("\n  ")));
    if (invoice->charges.empty())
        return fail(
            QStringLiteral("there are no stopped charges to bill%1; nothing was written")
                .arg(invoice->runningLeftOut
                         ? QStringLiteral(" (%1 running charges left out)").arg(invoice->runningLeftOut)
                         : QString()));
    const QPageLayout layout = Billing::defaultPageLayout();
    if (!parser.isSet(issueOption)) {
        if (!Billing::writePdf(*invoice, layout, output, &error))
            return fail(error);
        return 0;
    }
    // The file asked for is opened first: a place that cannot be written
    // takes no number.
    QSaveFile out(output);
    if (!out.open(QIODevice::WriteOnly))
        return fail(
            QStringLiteral("cannot write %1: %2; no invoice was issued").arg(output, out.errorString()));
    const Billing::IssueResult issued = Billing::issue(
        folder, *invoice, [&](const Billing::Invoice &numbered, const QString &pdf, QString *why) {
            return Billing::writePdf(numbered, layout, pdf, why);
        });
    if (!issued.error.isEmpty())
        return fail(issued.error);
    // The kept PDF is the invoice; the asked-for file is a copy of it.
    QFile kept(issued.keptFile);
    if (!kept.open(QIODevice::ReadOnly) || out.write(kept.readAll()) < 0 || !out.commit())
        return fail(QStringLiteral("invoice %1 was issued and kept as %2, but %3 cannot be written: %4")
                        .arg(issued.number, issued.keptFile, output, out.errorString()));
    QTextStream(stdout) << issued.number << "\n";
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc > 1 && QByteArray(argv[1]) == "invoice")
        return invoiceMain(argc, argv);
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tamberlock-export"));
    // The user's currency labels the amounts and sets their decimals.
    Formats::setCurrent(RegionalFormats::fromSettings());

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Writes the charges, payments or balances of a Tamberlock database as CSV.\n"
                       "The database is opened read-only; Tamberlock may be running."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("report"),
                                 QStringLiteral("charges, payments or balance "
                                                "(or invoice, see invoice --help)"));
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
    QString wrong = readKey(parser, companyOption, filter.company);
    if (wrong.isEmpty())
        wrong = readKey(parser, projectOption, filter.project);
    if (wrong.isEmpty())
        wrong = readPeriod(parser, fromOption, toOption, filter.from, filter.to);
    if (!wrong.isEmpty())
        return fail(wrong, 2);
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
