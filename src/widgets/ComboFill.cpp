#include "widgets/ComboFill.h"

#include "data/Connection.h"

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QGuiApplication>

namespace modTamberlock {

void FillComboFromTable(QComboBox *combo, const QString &tableName, const QString &idField,
                        const QString &textField, const QString &selectValue, bool matchByText)
{
    if (!combo)
        return;
    Connection connection;
    const bool opened = !connection.open();
    QSqlQuery query = connection.newQuery();
    const bool ran =
        opened && query.exec(QStringLiteral("SELECT %1, %2 FROM %3").arg(idField, textField, tableName));

    int count = 0;
    int selected = 0;
    combo->clear();
    while (ran && query.next()) {
        if (++count > kMaxListedRows)
            break;
        const QVariant id = query.value(0);
        const QString text = query.value(1).toString();
        if (!selectValue.isEmpty()) {
            const QString compared = matchByText ? text : id.toString();
            if (compared == selectValue)
                selected = combo->count();
        }
        combo->addItem(text, QVariant(id.toInt()));
    }
    query.finish();
    QCoreApplication::processEvents();
    if (combo->count() > 0)
        combo->setCurrentIndex(selected);
}

void SetBusyPointer(bool busy)
{
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return;
    // One hourglass at most: a second "on" must not need a second "off".
    while (QGuiApplication::overrideCursor())
        QGuiApplication::restoreOverrideCursor();
    if (busy)
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
}

} // namespace modTamberlock
