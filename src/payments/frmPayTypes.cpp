#include "payments/frmPayTypes.h"

#include "data/Connection.h"
#include "data/Notices.h"
#include "data/Prompter.h"
#include "data/RecordStore.h"
#include "widgets/ComboFill.h"
#include "widgets/Twips.h"

#include <QComboBox>
#include <QCoreApplication>
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
                         Qt::WindowCloseButtonHint),
      m_owner(owner)
{
    setObjectName(QStringLiteral("frmPayTypes"));
    setWindowTitle(QStringLiteral("Types Of Payment"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setSizeGripEnabled(false);
    resize(px(2640), px(2235));

    // No layout: the controls keep their places when the dialog is resized.
    lstPayTypes = new QListWidget(this);
    lstPayTypes->setObjectName(QStringLiteral("lstPayTypes"));
    lstPayTypes->setSelectionMode(QAbstractItemView::SingleSelection);
    lstPayTypes->setSortingEnabled(false);
    lstPayTypes->setGeometry(twipsRect(120, 120, 1695, 2010));

    const struct {
        const char *caption;
        int top;
    } buttons[] = {{"&Add", 120}, {"&Edit", 600}, {"&Del", 1080}, {"E&xit", 1680}};
    for (int i = 0; i < 4; ++i) {
        auto *b = new QPushButton(QString::fromLatin1(buttons[i].caption), this);
        b->setObjectName(QStringLiteral("cmdAddPayType_%1").arg(i));
        b->setGeometry(twipsRect(1920, buttons[i].top, 615, 405));
        // Enter must not press a button the user did not choose.
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, [this, i] { cmdAddPayType_Click(i); });
        cmdAddPayType.append(b);
    }
    setTabOrder(lstPayTypes, cmdAddPayType[0]);
    for (int i = 0; i + 1 < 4; ++i)
        setTabOrder(cmdAddPayType[i], cmdAddPayType[i + 1]);
    lstPayTypes->setFocus();
}

frmPayTypes *frmPayTypes::showFor(QWidget *owner)
{
    // One dialog at a time: a second "+" brings the open one forward.
    static QPointer<frmPayTypes> s_open;
    if (s_open && !s_open->m_closed && s_open->parentWidget() == owner) {
        s_open->raise();
        s_open->activateWindow();
        return s_open;
    }
    auto *d = new frmPayTypes(owner);
    s_open = d;
    d->show();
    // The dialog takes the keyboard at once, so that Esc closes it and not
    // the payment editor behind it.
    d->raise();
    d->activateWindow();
    d->FillPayTypeList(QStringLiteral("1"), false);
    return d;
}

void frmPayTypes::FillPayTypeList(const QString &selectText, bool byText)
{
    Connection connection;
    if (connection.open())
        return;
    QSqlQuery query = connection.newQuery();
    if (!query.exec(QStringLiteral("SELECT ") + QStringLiteral("lngPayTypeID") + QStringLiteral(", ") +
                    QStringLiteral("strPayType") + QStringLiteral(" FROM ") + QStringLiteral("lkuPayTypes")))
        return;

    lstPayTypes->clear();
    int selected = 0;
    int count = 0;
    while (query.next()) {
        if (++count > modTamberlock::kMaxListedRows)
            break;
        const QVariant id = query.value(0);
        const QString text = query.value(1).toString();
        if (!selectText.isEmpty() && selectText == (byText ? text : id.toString()))
            selected = lstPayTypes->count();
        auto *item = new QListWidgetItem(text);
        item->setData(Qt::UserRole, id.toInt());
        lstPayTypes->addItem(item);
    }
    // The record set holds a read lock until it is finished; let no event
    // handler meet it.
    query.finish();
    QCoreApplication::processEvents();
    if (lstPayTypes->count() > 0)
        lstPayTypes->setCurrentRow(selected);
}

void frmPayTypes::cmdAddPayType_Click(int index)
{
    qint32 id = 0;
    QString text;
    if (QListWidgetItem *item = lstPayTypes->currentItem(); item && item->isSelected()) {
        id = item->data(Qt::UserRole).toInt();
        text = item->text();
    }
    // Keep this window alive across the boxes: a box lets other windows run.
    QPointer<frmPayTypes> self(this);

    switch (index) {
    case 0: {
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
    case 1: {
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
    case 2: {
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
    case 3: close(); break;
    default: break;
    }
}

void frmPayTypes::done(int result)
{
    // Exit, Esc and the close box all end here; the work is done once.
    if (!m_closed) {
        m_closed = true;
        modTamberlock::SetBusyPointer(false);
        if (m_owner) {
            if (auto *combo = m_owner->findChild<QComboBox *>(QStringLiteral("cboPayTypes"))) {
                // The type the payment had keeps its place in the refilled
                // list; only a type deleted meanwhile falls back to id 1.
                const QVariant chosen = combo->currentIndex() >= 0 ? combo->currentData() : QVariant();
                modTamberlock::FillComboFromTable(combo, QStringLiteral("lkuPayTypes"),
                                                  QStringLiteral("lngPayTypeID"),
                                                  QStringLiteral("strPayType"), QStringLiteral("1"), false);
                if (const int kept = chosen.isValid() ? combo->findData(chosen) : -1; kept >= 0)
                    combo->setCurrentIndex(kept);
            }
        }
    }
    QDialog::done(result);
}
