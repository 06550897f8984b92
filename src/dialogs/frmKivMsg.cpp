#include "dialogs/frmKivMsg.h"

#include "data/Settings.h"
#include "widgets/Icons.h"
#include "widgets/Twips.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QFontMetrics>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QWindow>

#include <functional>

namespace {

constexpr qreal kMinMessagePoints = 7.0;

// Calls back when a window becomes exposed (mapped and placed on screen).
class ExposeWatch : public QObject
{
public:
    ExposeWatch(QWindow *window, std::function<void()> exposed)
        : m_window(window), m_exposed(std::move(exposed))
    {
        window->installEventFilter(this);
    }
    ~ExposeWatch() override
    {
        if (m_window)
            m_window->removeEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_window && event->type() == QEvent::Expose && m_window->isExposed())
            m_exposed();
        return QObject::eventFilter(watched, event);
    }

private:
    QPointer<QWindow> m_window;
    std::function<void()> m_exposed;
};

} // namespace

frmKivMsg::frmKivMsg(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("frmKivMsg"));
    setWindowTitle(QStringLiteral("Dialog Caption"));
    setFixedSize(Twips::toPixels(3315), Twips::toPixels(2010));

    m_image = new QLabel(this);
    m_image->setObjectName(QStringLiteral("Image1"));
    m_image->setGeometry(Twips::toPixels(180), Twips::toPixels(165), Twips::toPixels(480),
                         Twips::toPixels(480));
    m_image->setAlignment(Qt::AlignCenter);
    m_image->setPixmap(Icons::program().pixmap(32, 32));

    m_messageText = new QPlainTextEdit(this);
    m_messageText->setObjectName(QStringLiteral("txtMessage"));
    m_messageText->setGeometry(Twips::toPixels(720), Twips::toPixels(240), Twips::toPixels(2415),
                               Twips::toPixels(735));
    m_messageText->setReadOnly(true);
    m_messageText->setFrameShape(QFrame::NoFrame);
    m_messageText->setFocusPolicy(Qt::NoFocus);
    m_messageText->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_messageText->document()->setDocumentMargin(0);
    // The message reads as part of the box, not as something to edit.
    QPalette pal = m_messageText->palette();
    pal.setColor(QPalette::Base, pal.color(QPalette::Button));
    m_messageText->setPalette(pal);

    m_okButton = new QPushButton(QStringLiteral("Yes"), this);
    m_okButton->setObjectName(QStringLiteral("OKButton"));
    m_okButton->setGeometry(Twips::toPixels(480), Twips::toPixels(1200), Twips::toPixels(1095),
                            Twips::toPixels(345));

    m_cancelButton = new QPushButton(QStringLiteral("No"), this);
    m_cancelButton->setObjectName(QStringLiteral("CancelButton"));
    m_cancelButton->setGeometry(Twips::toPixels(1680), Twips::toPixels(1200), Twips::toPixels(1095),
                                Twips::toPixels(345));

    m_dontAskBox = new QCheckBox(QStringLiteral("Dont ask this again"), this);
    m_dontAskBox->setObjectName(QStringLiteral("Check1"));
    m_dontAskBox->setGeometry(Twips::toPixels(600), Twips::toPixels(1680), Twips::toPixels(2295),
                              Twips::toPixels(255));

    setTabOrder(m_okButton, m_cancelButton);
    setTabOrder(m_cancelButton, m_dontAskBox);

    connect(m_okButton, &QPushButton::clicked, this, [this] { setResponse(Yes); });
    connect(m_cancelButton, &QPushButton::clicked, this, [this] { setResponse(No); });
    // The choice is kept at once, whatever the answer will be.
    connect(m_dontAskBox, &QCheckBox::clicked, this,
            [](bool ticked) { DontAskSetting::write(ticked ? QStringLiteral("0") : QStringLiteral("1")); });

    setDefaultButton(YesIsDefault);
}

void frmKivMsg::setMessage(const QString &message)
{
    m_message = message;
    QString shown = message;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    m_messageText->setPlainText(shown);
    fitMessage();
}

void frmKivMsg::fitMessage()
{
    // The text box is small and of fixed size; a longer question is set a
    // little smaller rather than hidden behind a scroll bar.
    const QString text = m_messageText->toPlainText();
    const QRect area(0, 0, m_messageText->width() - 6, 10000);
    QFont f = font();
    for (qreal pt = f.pointSizeF(); pt >= kMinMessagePoints; pt -= 0.5) {
        f.setPointSizeF(pt);
        if (QFontMetrics(f).boundingRect(area, Qt::TextWordWrap, text).height() <= m_messageText->height())
            break;
    }
    m_messageText->setFont(f);
}

void frmKivMsg::setDefaultButton(int value)
{
    m_defaultButton = value;
    QPushButton *def = value == YesIsDefault ? m_okButton : m_cancelButton;
    QPushButton *other = value == YesIsDefault ? m_cancelButton : m_okButton;
    other->setDefault(false);
    def->setDefault(true);
}

QPushButton *frmKivMsg::escapeButton() const
{
    return m_defaultButton == YesIsDefault ? m_cancelButton : m_okButton;
}

void frmKivMsg::reject()
{
    escapeButton()->click();
}

void frmKivMsg::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // Enter answers with the default button, so it starts with the focus.
    (m_defaultButton == YesIsDefault ? m_okButton : m_cancelButton)->setFocus();
    centreOnOwner();
    // A question asked while its owner is still being placed by the window
    // manager (the first offer, at start-up) follows the owner to where it
    // lands, until someone moves the box itself.
    if (QWidget *owner = ownerWindow())
        owner->installEventFilter(this);
}

void frmKivMsg::hideEvent(QHideEvent *event)
{
    if (QWidget *owner = ownerWindow())
        owner->removeEventFilter(this);
    QDialog::hideEvent(event);
}

bool frmKivMsg::eventFilter(QObject *watched, QEvent *event)
{
    // The window manager may still shift the box by its decorations.
    if (watched == ownerWindow() && (event->type() == QEvent::Move || event->type() == QEvent::Resize) &&
        (pos() - m_centredAt).manhattanLength() <= 40)
        centreOnOwner();
    return QDialog::eventFilter(watched, event);
}

QWidget *frmKivMsg::ownerWindow() const
{
    return parentWidget() ? parentWidget()->window() : nullptr;
}

void frmKivMsg::centreOnOwner()
{
    const QWidget *owner = ownerWindow();
    if (!owner || !owner->isVisible())
        return;
    // The box's own frame is not known before it is mapped; its fixed size is.
    move(owner->frameGeometry().center() - QPoint(width() / 2, height() / 2));
    m_centredAt = pos();
}

void frmKivMsg::closeEvent(QCloseEvent *event)
{
    // The close box answers no. QDialog's own handler would turn the close
    // into a reject, which here only presses a button and keeps the box open.
    if (m_response == NoAnswer)
        setResponse(No);
    event->accept();
}

void frmKivMsg::setResponse(short response)
{
    m_response = response;
    emit answered(response);
}

namespace modTamberlock {

short ShowConfirmBox(QWidget *owner, const QString &message, const QString &caption, int defaultButton,
                     int timeoutSeconds)
{
    // A window just shown is placed by the window manager only when it is
    // mapped; a box centred before that would stand where the owner was.
    if (owner && owner->window()->isVisible() && owner->window()->windowHandle() &&
        !owner->window()->windowHandle()->isExposed()) {
        QWindow *ownerWindow = owner->window()->windowHandle();
        QEventLoop placed;
        QTimer::singleShot(1000, &placed, &QEventLoop::quit);
        ExposeWatch watch(ownerWindow, [&placed] { placed.quit(); });
        placed.exec();
    }
    QPointer<frmKivMsg> box = new frmKivMsg(owner);
    box->setWindowTitle(caption);
    box->setDefaultButton(defaultButton);
    box->setMessage(message);
    box->show();

    // The rest of the program keeps running while this caller sleeps in its
    // own event loop; a nested question gets its own box and its own loop.
    QEventLoop loop;
    QObject::connect(box, &frmKivMsg::answered, &loop, &QEventLoop::quit);
    QObject::connect(box, &QObject::destroyed, &loop, &QEventLoop::quit);

    const bool limited = timeoutSeconds > 0;
    const QDeadlineTimer deadline = limited ? QDeadlineTimer(qint64(timeoutSeconds) * 1000, Qt::PreciseTimer)
                                            : QDeadlineTimer(QDeadlineTimer::Forever);
    QTimer timeout;
    timeout.setSingleShot(true);
    timeout.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timeout, &QTimer::timeout, &loop, &QEventLoop::quit);

    while (box && box->Response() == frmKivMsg::NoAnswer && !deadline.hasExpired()) {
        if (limited)
            timeout.start(int(qMax<qint64>(1, deadline.remainingTime())));
        loop.exec();
    }
    timeout.stop();

    if (!box) // gone with its owner: as good as closed
        return frmKivMsg::No;
    const short result = box->Response();
    if (result == frmKivMsg::NoAnswer)
        QCoreApplication::processEvents();
    if (box) {
        box->disconnect(&loop);
        box->close();
        delete box;
    }
    return result;
}

} // namespace modTamberlock
