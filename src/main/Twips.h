#pragma once

#include <QtGlobal>

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

} // namespace Twips
