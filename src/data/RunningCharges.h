#pragma once

#include "data/Types.h"

#include <QString>

#include <optional>
#include <vector>

// The charges still running, wherever they are listed or not, and the stop
// written for one of them from outside the main window's lists (the tray,
// the question after time away, the reminder).
namespace RunningCharges {

struct Charge {
    qint32 id = 0;
    qint32 projectId = 0;
    QString company;
    QString project;
    std::optional<Currency> rate;
    qint64 start = 0; // seconds, as oleToSeconds counts them
};

// Every running charge, oldest start first. Read quietly: an unreadable file
// gives no charges and sets *readFailed.
std::vector<Charge> read(bool *readFailed = nullptr);

// The project of the charge started last; nothing when there is none.
struct Project {
    qint32 id = 0;
    QString name;
};
std::optional<Project> lastProject();

// The time so far and the cost so far of a charge at a moment, as the charge
// list shows them; the cost is empty when the project has no rate or the cost
// leaves the currency range.
QString timeSoFar(const Charge &charge, qint64 now);
QString costSoFar(const Charge &charge, qint64 now);

enum class StopOutcome {
    Saved,       // the stop is written
    Gone,        // the charge was deleted meanwhile
    NotRunning,  // the charge was stopped meanwhile (its stop stays)
    BeforeStart, // the stop would lie before (or at) its start: the start wins
    NotRead,     // the charge could not be read (the error box was shown)
    NotSaved     // the save failed (the record store's error box was shown)
};

// Stops a charge at a moment (seconds), reading it again first: a charge
// changed since it was listed is judged as it is now, and nothing is written
// for one deleted, already stopped, or started at or after that moment.
// Reading and writing report their errors through the shared error box.
StopOutcome stopAt(qint32 chargeId, qint64 stopSeconds);

} // namespace RunningCharges
