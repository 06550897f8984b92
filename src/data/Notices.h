#pragma once

#include <QString>

// The maker's web site, shown in the not-implemented notice and opened from
// the about box.
inline constexpr const char *kMakerAddress = "http://www.brumvale.example/";

void ShowNotImplemented();
void ShowRecordAdded();
void ShowRecordSaved();
// An information notice whose title is its text ("Payment Saved." and the like).
void showNotice(const QString &text);
