#include "data/DataPath.h"
#include "dialogs/QtPrompter.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tamberlock"));
    QApplication::setOrganizationName(QStringLiteral("Kiv"));

    QtPrompter qtPrompter;
    setPrompter(&qtPrompter);
    setDataPath(dataPathFor(QCoreApplication::applicationDirPath()));

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Tamberlock"));
    window.resize(474, 413);
    window.show();
    const int rc = app.exec();
    setPrompter(nullptr);
    return rc;
}
