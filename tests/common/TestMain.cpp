#include <QApplication>
#include <QStandardPaths>

int runRegisteredTests(int argc, char **argv);

int main(int argc, char **argv)
{
    // Never read or write a person's own settings.
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tamberlock"));
    const int failures = runRegisteredTests(argc, argv);
    return failures == 0 ? 0 : 1;
}
