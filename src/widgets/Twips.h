#pragma once

#include <QtGlobal>

class QWidget;

// Window layout figures are twips: 1/1440 inch, 15 of them to a pixel at 96
// dots per inch. This is the one conversion between the two.
namespace Twips {

inline constexpr double kPerPixel = 15.0;

inline int toPixels(double twips)
{
    return qRound(twips / kPerPixel);
}

inline double fromPixels(int pixels)
{
    return pixels * kPerPixel;
}

// Keeps a window at least as large as an outer size in twips, title bar and
// borders included: sets its minimum and snaps a smaller window back. The
// pixels cover the twips (rounded up), so the minimum is never below itself.
void keepOuterMinimum(QWidget *window, double outerWidthTwips, double outerHeightTwips);

} // namespace Twips
