#include "app/Icons.h"

namespace Icons {

QIcon program() { return {}; }
QIcon company() { return {}; }
QIcon project() { return {}; }
QIcon charge() { return {}; }
QIcon runningCharge(int) { return {}; }
QIcon payment() { return {}; }

} // namespace Icons
