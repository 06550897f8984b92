#pragma once

#include "SampleData.h"

#include <QString>

// A generated database in a temporary folder, made once per distinct plan
// and process, with DataPath pointing at its folder. Returns the folder.
QString benchDatabase(const QString &key, const SamplePlan &plan);
// A fresh copy of a generated database (for benchmarks that write).
QString freshCopy(const QString &key, const SamplePlan &plan);
// What every window benchmark starts from: no empty-list offer waits for an
// answer, and the clock stands at 6 PM on the day the generated running
// charges were started.
void benchSession();
