#pragma once

#include <QtGlobal>

#include <functional>
#include <optional>

// What the desktop says about the user's presence: the time since the last
// keyboard or mouse input of the session, and whether the screen is locked
// (or its saver runs), which counts as away whatever the input.
struct IdleReading {
    qint64 idleMilliseconds = 0;
    bool locked = false;
};

// Asked once a second; nothing when the desktop did not answer this time.
using IdleSource = std::function<std::optional<IdleReading>()>;
