#include "data/DataPath.h"

namespace {
QString g_dataPath;
}

QString DataPath()
{
    return g_dataPath;
}

void setDataPath(const QString &folderWithSeparator)
{
    g_dataPath = folderWithSeparator;
}

QString dataPathFor(const QString &folder)
{
    if (folder.endsWith(QLatin1Char('/')) || folder.endsWith(QLatin1Char('\\')))
        return folder;
    return folder + QLatin1Char('/');
}

QString databaseFile()
{
    return DataPath() + QLatin1String(kDatabaseFileName);
}
