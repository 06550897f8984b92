#pragma once

#include <QDateTime>
#include <QString>

// Elapsed-time texts computed from whole seconds. They give exactly what the
// shared FormatElapsedTime gives for the same two moments (its day, hour,
// minute and second differences with borrowing come to the same split of the
// total), without reading date texts again; the real-time watch uses them
// once a second for every listed row.
namespace ElapsedSpan {

// A wall-clock moment as a count of seconds, milliseconds dropped.
qint64 secondsOf(const QDateTime &moment);

QString mode2(qint64 seconds); // decimal hours, "0.####"
QString mode5(qint64 seconds); // "D HH:MM.SS"
QString mode6(qint64 seconds); // "Dd Hh Mm SSs"

} // namespace ElapsedSpan
