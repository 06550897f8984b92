#include "dialogs/frmKivMsg.h"

frmKivMsg::frmKivMsg(QWidget *parent) : QDialog(parent) {}

namespace modTamberlock {
short ShowConfirmBox(const QString &, const QString &, int, int)
{
    return 7;
}
} // namespace modTamberlock
