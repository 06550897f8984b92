#include "dialogs/frmAbout.h"

#include "data/Notices.h"
#include "data/Prompter.h"
#include "widgets/Icons.h"
#include "widgets/SingleWindow.h"

#include <QApplication>
#include <QDesktopServices>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

#define TAMBERLOCK_STR2(x) #x
#define TAMBERLOCK_STR(x) TAMBERLOCK_STR2(x)

namespace about {

// A label that reacts to a click, as the picture boxes of the box do.
class ClickLabel : public QLabel
{
    Q_OBJECT
public:
    using QLabel::QLabel;
signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override
    {
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
            emit clicked();
        QLabel::mouseReleaseEvent(event);
    }
};

// The drawing area of the dots. What is drawn stays until it is cleared, so
// a repaint never loses dots.
class DotCanvas : public QFrame
{
    Q_OBJECT
public:
    explicit DotCanvas(QWidget *parent) : QFrame(parent)
    {
        setFrameStyle(QFrame::Panel | QFrame::Sunken);
        setLineWidth(1);
    }

    void clear()
    {
        m_image = QImage(contentsRect().size(), QImage::Format_RGB32);
        m_image.fill(Qt::white);
        m_dots = 0;
        update();
    }

    // A short stroke from (x, y) to (x + 1, y + 1), which the pen width turns
    // into a dot.
    void dotAt(int x, int y, const QColor &colour, int penWidth)
    {
        if (m_image.size() != contentsRect().size())
            clear();
        QPainter p(&m_image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(colour, penWidth, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(x, y, x + 1, y + 1);
        ++m_dots;
        update(QRect(x, y, 2, 2)
                   .adjusted(-penWidth, -penWidth, penWidth, penWidth)
                   .translated(contentsRect().topLeft()));
    }

    int dots() const { return m_dots; }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override
    {
        {
            QPainter p(this);
            if (m_image.isNull())
                p.fillRect(contentsRect(), Qt::white);
            else
                p.drawImage(contentsRect().topLeft(), m_image);
        }
        QFrame::paintEvent(event);
    }
    void mouseReleaseEvent(QMouseEvent *event) override
    {
        if (event->button() == Qt::LeftButton)
            emit clicked();
        QFrame::mouseReleaseEvent(event);
    }

private:
    QImage m_image;
    int m_dots = 0;
};

} // namespace about

namespace {

const QString kTitle = QStringLiteral("Tamberlock");

// The system-information tools this platform may have, best first.
const char *const kSysInfoTools[] = {"hardinfo", "gnome-system-monitor", "kinfocenter", "lshw-gtk"};

// Dots per step of the animation timer: enough to fill the area briskly
// while the processor stays idle between steps.
constexpr int kDotsPerStep = 3;
constexpr int kStepMs = 16;

} // namespace

frmAbout::frmAbout(QWidget *owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("frmAbout"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("About ") + kTitle);

    auto *icon = new about::ClickLabel(this);
    m_iconLabel = icon;
    m_iconLabel->setObjectName(QStringLiteral("picIcon"));
    m_iconLabel->setFixedSize(48, 48);
    m_iconLabel->setAlignment(Qt::AlignCenter);
    m_iconLabel->setPixmap(Icons::program().pixmap(32, 32));
    m_iconLabel->setCursor(Qt::PointingHandCursor);
    m_iconLabel->setToolTip(QString::fromLatin1(kMakerAddress));

    m_titleLabel = new QLabel(kTitle, this);
    m_titleLabel->setObjectName(QStringLiteral("lblTitle"));
    QFont titleFont = m_titleLabel->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.8);
    titleFont.setBold(true);
    m_titleLabel->setFont(titleFont);

    m_versionLabel =
        new QLabel(QStringLiteral("Version ") + QStringLiteral(TAMBERLOCK_STR(TAMBERLOCK_VERSION_MAJOR)) +
                       QStringLiteral(".") + QStringLiteral(TAMBERLOCK_STR(TAMBERLOCK_VERSION_MINOR)),
                   this);
    m_versionLabel->setObjectName(QStringLiteral("lblVersion"));

    m_descriptionLabel = new QLabel(QStringLiteral("Keep track of your contract work."), this);
    m_descriptionLabel->setObjectName(QStringLiteral("lblDescription"));

    m_picture = new about::DotCanvas(this);
    m_picture->setObjectName(QStringLiteral("Picture1"));
    m_picture->setFixedHeight(110);

    m_disclaimerText = new QPlainTextEdit(this);
    m_disclaimerText->setObjectName(QStringLiteral("txtDisclaimer"));
    m_disclaimerText->setReadOnly(true);
    m_disclaimerText->setFixedHeight(104);
    m_disclaimerText->setPlainText(legalNotice());

    m_okButton = new QPushButton(QStringLiteral("OK"), this);
    m_okButton->setObjectName(QStringLiteral("cmdOK"));
    m_okButton->setDefault(true);
    m_sysInfoButton = new QPushButton(QStringLiteral("&System Info..."), this);
    m_sysInfoButton->setObjectName(QStringLiteral("cmdSysInfo"));
    m_sysInfoButton->setAutoDefault(false);

    m_startTimer = new QTimer(this);
    m_startTimer->setObjectName(QStringLiteral("Timer1"));
    m_startTimer->setInterval(5000);
    m_startTimer->setSingleShot(true);

    m_animation = new QTimer(this);
    m_animation->setInterval(kStepMs);

    auto *texts = new QVBoxLayout;
    texts->setSpacing(2);
    texts->addWidget(m_titleLabel);
    texts->addWidget(m_versionLabel);
    texts->addWidget(m_descriptionLabel);
    texts->addStretch();

    auto *top = new QHBoxLayout;
    top->setSpacing(12);
    top->addWidget(m_iconLabel, 0, Qt::AlignTop);
    top->addLayout(texts, 1);

    auto *buttons = new QVBoxLayout;
    buttons->addWidget(m_okButton);
    buttons->addWidget(m_sysInfoButton);
    buttons->addStretch();

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(m_disclaimerText, 1);
    bottom->addLayout(buttons);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_picture);
    layout->addLayout(bottom);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    m_picture->setMinimumWidth(420);

    connect(m_okButton, &QPushButton::clicked, this, &QDialog::close);
    connect(m_sysInfoButton, &QPushButton::clicked, this, &frmAbout::StartSysInfo);
    connect(icon, &about::ClickLabel::clicked, this, &frmAbout::openMakerSite);
    connect(m_picture, &about::DotCanvas::clicked, this, &frmAbout::startAnimation);
    connect(m_startTimer, &QTimer::timeout, this, &frmAbout::startAnimation);
    connect(m_animation, &QTimer::timeout, this, &frmAbout::step);
}

frmAbout *frmAbout::showFor(QWidget *owner)
{
    return SingleWindow::show(SingleWindow::programWide<frmAbout>(), [owner] { return new frmAbout(owner); });
}

QString frmAbout::legalNotice()
{
    return QStringLiteral(
        "Warning: Tamberlock is provided as it is, without warranty of any kind. The maker is not liable "
        "for lost time, data or money arising from its use. Check your figures before you send an "
        "invoice, and keep a copy of your database somewhere safe.");
}

void frmAbout::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_startTimerStarted) {
        m_startTimerStarted = true;
        m_startTimer->start();
    }
}

void frmAbout::hideEvent(QHideEvent *event)
{
    m_animation->stop();
    QDialog::hideEvent(event);
}

void frmAbout::mousePressEvent(QMouseEvent *event)
{
    // Only a click on the bare window background: the icon and the drawing
    // area handle their own clicks, and presses on them would come up here.
    if (event->button() == Qt::LeftButton && !childAt(event->position().toPoint()))
        startAnimation();
    QDialog::mousePressEvent(event);
}

void frmAbout::startAnimation()
{
    QApplication::beep();
    m_picture->clear();
    m_phase = 1;
    if (isVisible())
        m_animation->start();
}

bool frmAbout::isAnimating() const
{
    return m_animation->isActive();
}

int frmAbout::dotsDrawn() const
{
    return m_picture->dots();
}

void frmAbout::step()
{
    if (!isVisible()) {
        m_animation->stop();
        return;
    }
    static const int widths[] = {5, 4, 3};
    static const QColor colours[] = {QColor(255, 0, 0), QColor(0, 0, 0), QColor(128, 128, 128)};
    const QSize area = m_picture->contentsRect().size();
    auto *random = QRandomGenerator::global();
    for (int k = 0; k < kDotsPerStep; ++k) {
        const int width = widths[m_phase - 1];
        const int x = random->bounded(qMax(1, area.width()));
        const int y = random->bounded(qMax(1, area.height()));
        m_phase = m_phase % 3 + 1;
        m_picture->dotAt(x, y, colours[m_phase - 1], width);
    }
}

void frmAbout::StartSysInfo()
{
    for (const char *tool : kSysInfoTools) {
        const QString path = QStandardPaths::findExecutable(QString::fromLatin1(tool));
        if (path.isEmpty())
            continue;
        if (QProcess::startDetached(path, {}))
            return;
    }
    showMessage(windowTitle(), QStringLiteral("System Information Is Unavailable At This Time"),
                BoxIcon::None, BoxButtons::Ok);
}

void frmAbout::openMakerSite()
{
    QDesktopServices::openUrl(QUrl(QString::fromLatin1(kMakerAddress)));
}

#include "frmAbout.moc"
