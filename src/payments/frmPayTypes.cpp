#include "payments/frmPayTypes.h"

#include "data/Notices.h"
#include "data/Prompter.h"
#include "data/RecordStore.h"
#include "widgets/ComboFill.h"
#include "widgets/SingleWindow.h"
#include "widgets/Twips.h"

#include <QListWidget>
#include <QPushButton>

namespace {

int px(int twips)
{
    return Twips::toPixels(twips);
}

QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(px(left), px(top), px(width), px(height));
}

} // namespace

frmPayTypes::frmPayTypes(QWidget *owner)
    : QDialog(owner, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("frmPayTypes"));
    setWindowTitle(QStringLiteral("Types Of Payment"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setSizeGripEnabled(false);
    resize(px(2640), px(2235));

    // No layout: the controls keep their places when the dialog is resized.
    m_typeList = new QListWidget(this);
    m_typeList->setObjectName(QStringLiteral("lstPayTypes"));
    m_typeList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_typeList->setSortingEnabled(false);
    m_typeList->setGeometry(twipsRect(120, 120, 1695, 2010));

    const struct {
        const char *caption;
        int top;
    } buttons[] = {{"&Add", 120}, {"&Edit", 600}, {"&Del", 1080}, {"E&xit", 1680}};
    for (int i = AddButton; i <= ExitButton; ++i) {
        auto *b = new QPushButton(QString::fromLatin1(buttons[i].caption), this);
        b->setObjectName(QStringLiteral("cmdAddPayType_%1").arg(i));
        b->setGeometry(twipsRect(1920, buttons[i].top, 615, 405));
        // Enter must not press a button the user did not choose.
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, [this, i] { onButtonClicked(i); });
        m_buttons.append(b);
    }
    setTabOrder(m_typeList, m_buttons[AddButton]);
    for (int i = AddButton; i < ExitButton; ++i)
        setTabOrder(m_buttons[i], m_buttons[i + 1]);
    m_typeList->setFocus();
}

frmPayTypes *frmPayTypes::showFor(QPointer<frmPayTypes> &held, QWidget *owner)
{
    // A second "+" brings the open dialog forward with its list as it is.
    if (SingleWindow::isOpen(held))
        return SingleWindow::bringForward(held.data());
    // The dialog takes the keyboard at once, so that Esc closes it and not
    // the payment editor behind it.
    frmPayTypes *dialog = SingleWindow::show(held, [owner] { return new frmPayTypes(owner); });
    dialog->FillPayTypeList(QStringLiteral("1"), false);
    return dialog;
}

void frmPayTypes::FillPayTypeList(const QString &selectText, bool byText)
{
    modTamberlock::FillListFromTable(m_typeList, QStringLiteral("lkuPayTypes"),
                                     QStringLiteral("lngPayTypeID"), QStringLiteral("strPayType"), selectText,
                                     byText);
}

void frmPayTypes::onButtonClicked(int index)
{
    qint32 id = 0;
    QString text;
    if (QListWidgetItem *item = m_typeList->currentItem(); item && item->isSelected()) {
        id = item->data(Qt::UserRole).toInt();
        text = item->text();
    }
    // Keep this window alive across the boxes: a box lets other windows run.
    QPointer<frmPayTypes> self(this);

    switch (index) {
    case AddButton: {
        const std::optional<QString> answer =
            prompter().input({QStringLiteral("Enter the New Payment Type below:"),
                              QStringLiteral("Add New Payment Type:"), QStringLiteral("Cash")});
        if (!self || !answer || answer->trimmed().isEmpty())
            return;
        modTamberlock::SetBusyPointer(true);
        const QString result = modTamberlock::SavePayTypeRecord(0, *answer);
        modTamberlock::SetBusyPointer(false);
        if (result.isEmpty())
            ShowRecordAdded();
        if (self)
            FillPayTypeList(*answer, true);
        break;
    }
    case EditButton: {
        const std::optional<QString> answer =
            prompter().input({QStringLiteral("You can edit the Payment Type here."),
                              QStringLiteral("Edit Payment Type:"), text});
        if (!self || !answer || answer->trimmed().isEmpty())
            return;
        modTamberlock::SetBusyPointer(true);
        const QString result = modTamberlock::SavePayTypeRecord(id, *answer);
        modTamberlock::SetBusyPointer(false);
        if (result.isEmpty())
            ShowRecordSaved();
        if (self)
            FillPayTypeList(QString::number(id), false);
        break;
    }
    case DeleteButton: {
        const BoxResult answer = showMessage(QStringLiteral("Delete This Payment Type?"),
                                             QStringLiteral("There is NO Way to Undo this command.\r\n\r\n"
                                                            "Do you want to Delete this Payment Type?"),
                                             BoxIcon::Warning, BoxButtons::YesNo, 1);
        if (answer != BoxResult::Yes || !self)
            return;
        modTamberlock::SetBusyPointer(true);
        modTamberlock::DeletePayTypeRecord(id);
        if (self)
            FillPayTypeList(QStringLiteral("1"), false);
        modTamberlock::SetBusyPointer(false);
        break;
    }
    case ExitButton: close(); break;
    default: break;
    }
}

void frmPayTypes::done(int result)
{
    // Exit, Esc and the close box all end here; the work is done once.
    if (!m_closed) {
        m_closed = true;
        modTamberlock::SetBusyPointer(false);
        emit closed();
    }
    QDialog::done(result);
}
