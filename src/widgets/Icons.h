#pragma once

#include <QIcon>

class QPainter;

// The program's pictures, painted in code so they stay sharp at every size
// and on HiDPI screens.
namespace Icons {

QIcon program();                // the 32 x 32 program picture
QIcon company();                // a company row
QIcon project();                // a project row
QIcon charge();                 // a charge as loaded
QIcon runningCharge(int frame); // frames 0..3 of a running charge
QIcon payment();                // a payment row

// Paints the program picture on a 32 x 32 canvas; scale the painter for
// other sizes. The launcher icons are rendered from it.
void paintProgram(QPainter &p);

} // namespace Icons
