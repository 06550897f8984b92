#include "dialogs/frmDateTime.h"

#include "data/Clock.h"
#include "data/Formats.h"
#include "data/Types.h"
#include "widgets/SingleWindow.h"
#include "widgets/Twips.h"

#include <QCalendarWidget>
#include <QDateTimeEdit>
#include <QEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QPushButton>

frmDateTime::frmDateTime(QWidget *owner)
    : QDialog(owner, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("frmDateTime"));
    setWindowTitle(QStringLiteral("Pick a Date and Time"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(Twips::toPixels(6210), Twips::toPixels(2970));
    // Month names, weekdays and AM/PM stay English, as the editors read them.
    setLocale(QLocale(QLocale::English, QLocale::UnitedStates));

    const QDateTime first = modTamberlock::makeDateTime(QDate(1601, 1, 1));
    const QDateTime last = modTamberlock::makeDateTime(QDate(9999, 12, 31), QTime(23, 59, 59));

    m_monthView = new QCalendarWidget(this);
    m_monthView->setObjectName(QStringLiteral("MonthView1"));
    m_monthView->setGeometry(0, 0, Twips::toPixels(6180), Twips::toPixels(2370));
    m_monthView->setLocale(locale());
    m_monthView->setFirstDayOfWeek(Qt::Sunday);
    m_monthView->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    m_monthView->setDateRange(first.date(), last.date());
    m_monthView->setSelectedDate(Clock::now().date());

    m_rule = new QFrame(this);
    m_rule->setObjectName(QStringLiteral("Label1"));
    m_rule->setGeometry(0, Twips::toPixels(2400), Twips::toPixels(6135), Twips::toPixels(45));
    m_rule->setFrameShape(QFrame::HLine);
    m_rule->setFrameShadow(QFrame::Sunken);

    m_picker = new QDateTimeEdit(this);
    m_picker->setObjectName(QStringLiteral("DTPicker1"));
    m_picker->setGeometry(Twips::toPixels(120), Twips::toPixels(2520), Twips::toPixels(3375),
                          Twips::toPixels(375));
    m_picker->setLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    // Wall-clock values: no time zone may shift them.
    m_picker->setTimeSpec(Qt::UTC);
    m_picker->setDisplayFormat(modTamberlock::dateTimeEditFormat(Formats::current()));
    connect(Formats::notifier(), &FormatsNotifier::changed, this,
            [this] { m_picker->setDisplayFormat(modTamberlock::dateTimeEditFormat(Formats::current())); });
    m_picker->setDateTimeRange(first, last);
    m_picker->setDateTime(modTamberlock::makeDateTime(QDate(1973, 6, 29), QTime(14, 21, 0)));

    m_okButton = new QPushButton(QStringLiteral("Ok"), this);
    m_okButton->setObjectName(QStringLiteral("cmdOK"));
    m_okButton->setGeometry(Twips::toPixels(3600), Twips::toPixels(2520), Twips::toPixels(1215),
                            Twips::toPixels(375));
    m_okButton->setDefault(true);

    m_cancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    m_cancelButton->setObjectName(QStringLiteral("cmdCancel"));
    m_cancelButton->setGeometry(Twips::toPixels(4920), Twips::toPixels(2520), Twips::toPixels(1215),
                                Twips::toPixels(375));
    m_cancelButton->setAutoDefault(false);

    setTabOrder(m_monthView, m_picker);
    setTabOrder(m_picker, m_okButton);
    setTabOrder(m_okButton, m_cancelButton);

    connect(m_monthView, &QCalendarWidget::clicked, this, &frmDateTime::onDayChosen);
    connect(m_monthView, &QCalendarWidget::activated, this, &frmDateTime::onDayChosen);
    connect(m_monthView, &QCalendarWidget::selectionChanged, this, [this] { m_dayMoved = true; });
    // The calendar would keep Enter for itself; in this dialog Enter presses
    // Ok, as it does everywhere else in it.
    if (QWidget *view = m_monthView->focusProxy())
        view->installEventFilter(this);
    connect(m_okButton, &QPushButton::clicked, this, &frmDateTime::accept);
    // Esc and the close box end up in reject() as well.
    connect(m_cancelButton, &QPushButton::clicked, this, &frmDateTime::reject);

    if (owner)
        owner->installEventFilter(this);
}

bool frmDateTime::isKnown(Destination dest)
{
    return dest >= Destination::StartTime && dest <= Destination::TransactionDate;
}

frmDateTime *frmDateTime::forOwner(QWidget *owner)
{
    QPointer<frmDateTime> &held = SingleWindow::programWide<frmDateTime>();
    if (held && held->parentWidget() != owner) {
        // One picker for the whole program: it follows the editor that asks.
        if (QWidget *old = held->parentWidget()) {
            old->removeEventFilter(held);
            disconnect(held, &frmDateTime::chosen, old, nullptr);
        }
        held->setParent(owner, held->windowFlags());
        if (owner)
            owner->installEventFilter(held);
    }
    return SingleWindow::ensure(held, [owner] { return new frmDateTime(owner); });
}

void frmDateTime::LoadPicker(Destination dest, const QString &fieldText)
{
    if (isVisible())
        hide();
    m_destination = dest;

    const QString text = modTamberlock::formatDateTimeText(isKnown(dest) ? fieldText : QString());
    if (text.isEmpty()) {
        m_picker->setDateTime(Clock::now());
    } else {
        // Text that is no date-time ("Pending...") leaves the value as it is.
        const std::optional<QDateTime> when = modTamberlock::parseDateTime(text);
        if (!when)
            return;
        m_picker->setDateTime(*when);
    }
    m_picker->update();
}

QDateTime frmDateTime::value() const
{
    return m_picker->dateTime();
}

void frmDateTime::onDayChosen(const QDate &day)
{
    // The date is replaced as a whole, so no invalid date (31 February) can
    // arise on the way; the time of day stays.
    m_picker->setDateTime(modTamberlock::makeDateTime(day, m_picker->time()));
}

void frmDateTime::accept()
{
    if (isKnown(m_destination))
        emit chosen(m_destination, modTamberlock::formatGeneralDate(m_picker->dateTime()));
    QDialog::accept();
}

bool frmDateTime::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_monthView->focusProxy() && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            // A day chosen with the arrow keys counts as a clicked one; the
            // day the calendar opened on is no choice.
            if (m_dayMoved)
                onDayChosen(m_monthView->selectedDate());
            m_okButton->click();
            return true;
        }
    }
    // The picker serves its editor only; it goes when the editor goes.
    if (watched == parentWidget() && event->type() == QEvent::Hide && !event->spontaneous() && isVisible())
        close();
    return QDialog::eventFilter(watched, event);
}
