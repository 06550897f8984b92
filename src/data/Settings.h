#pragma once

#include <QString>

#include <optional>

// The per-user "Dont ask this again" choice: application "Kiv", section
// "Billing", key "Bugger". "1" means the empty-list offers are made, "0" that
// they are not; a missing key reads as 1.
namespace DontAskSetting {

// The stored text.
QString text();
// The stored value as a number; nothing when the stored text is not a number.
std::optional<int> value();
// True when the offers are to be made (the setting reads 1).
bool asks();
void write(const QString &value);

} // namespace DontAskSetting
