#include "widgets/Twips.h"

#include <QWidget>

#include <cmath>

namespace Twips {

void keepOuterMinimum(QWidget *window, double outerWidthTwips, double outerHeightTwips)
{
    // Qt sizes the inside; the frame the window manager adds comes off.
    const QSize frame = (window->frameGeometry().size() - window->size()).expandedTo(QSize(0, 0));
    const QSize minimum(qMax(0, int(std::ceil(outerWidthTwips / kPerPixel)) - frame.width()),
                        qMax(0, int(std::ceil(outerHeightTwips / kPerPixel)) - frame.height()));
    window->setMinimumSize(minimum);
    if (window->width() < minimum.width() || window->height() < minimum.height())
        window->resize(qMax(window->width(), minimum.width()), qMax(window->height(), minimum.height()));
}

} // namespace Twips
