// tamberlock-sample PATH [options]: a database full of generated data to try
// Tamberlock with, the same from the same seed.
#include "SampleData.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Writes a Tamberlock database filled with sample data."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("path"),
                                 QStringLiteral("The new database file (must not exist)."));
    const QCommandLineOption companies(QStringLiteral("companies"), QStringLiteral("Companies."),
                                       QStringLiteral("n"), QStringLiteral("5"));
    const QCommandLineOption projects(QStringLiteral("projects"), QStringLiteral("Projects per company."),
                                      QStringLiteral("n"), QStringLiteral("3"));
    const QCommandLineOption charges(QStringLiteral("charges"), QStringLiteral("Charges in all."),
                                     QStringLiteral("n"), QStringLiteral("200"));
    const QCommandLineOption first(QStringLiteral("first-project"),
                                   QStringLiteral("Charges on the first project (the rest spread)."),
                                   QStringLiteral("n"), QStringLiteral("-1"));
    const QCommandLineOption running(QStringLiteral("running"), QStringLiteral("Share of running charges."),
                                     QStringLiteral("share"), QStringLiteral("0.01"));
    const QCommandLineOption payments(QStringLiteral("payments"), QStringLiteral("Payments in all."),
                                      QStringLiteral("n"), QStringLiteral("50"));
    const QCommandLineOption seed(QStringLiteral("seed"), QStringLiteral("Random seed."), QStringLiteral("n"),
                                  QStringLiteral("1973"));
    parser.addOptions({companies, projects, charges, first, running, payments, seed});
    parser.process(app);
    QTextStream err(stderr);
    if (parser.positionalArguments().size() != 1) {
        err << parser.helpText();
        return 2;
    }
    SamplePlan plan;
    plan.companies = parser.value(companies).toInt();
    plan.projectsPerCompany = parser.value(projects).toInt();
    plan.charges = parser.value(charges).toInt();
    plan.chargesOnFirstProject = parser.value(first).toInt();
    plan.runningShare = parser.value(running).toDouble();
    plan.payments = parser.value(payments).toInt();
    plan.seed = parser.value(seed).toUInt();
    QString error;
    if (!generateSampleDatabase(parser.positionalArguments().constFirst(), plan, &error)) {
        err << "tamberlock-sample: " << error << "\n";
        return 1;
    }
    return 0;
}
