#include "main/frmMain.h"

#include "data/Formats.h"
#include "dialogs/frmKivMsg.h"
#include "widgets/Icons.h"
#include "widgets/ListModels.h"
#include "widgets/ReportList.h"
#include "widgets/RowNumbers.h"
#include "widgets/Twips.h"

#include <QBoxLayout>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QPainter>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QTimer>

namespace {

// A status-bar caption that may give up its room to the amounts beside it:
// squeezed, it shows as much of its text as fits, ending in an ellipsis.
class CaptionPanel : public QLabel
{
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        const QRect area = contentsRect();
        const QString shown = fontMetrics().elidedText(text(), Qt::ElideRight, area.width());
        style()->drawItemText(&painter, area, int(alignment()), palette(), isEnabled(), shown,
                              foregroundRole());
    }
};

QRect twipRect(double left, double top, double width, double height)
{
    return QRect(Twips::toPixels(left), Twips::toPixels(top), Twips::toPixels(width),
                 Twips::toPixels(height));
}

} // namespace

frmMain::frmMain(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Tamberlock"));
    setWindowIcon(Icons::program());
    // The empty-list offers stand over this window and close with it.

    createControls();
    createStatusBar();
    createMenus();
    // New regional formats: the lists repaint themselves; the status bar
    // shows its amounts anew.
    connect(Formats::notifier(), &FormatsNotifier::changed, this, [this] {
        showStatusAmounts();
        fitStatusBar();
    });

    m_watchTimer = new QTimer(this);
    m_watchTimer->setObjectName(QStringLiteral("tmrRealTimeCost"));
    m_watchTimer->setInterval(1000);
    connect(m_watchTimer, &QTimer::timeout, this, &frmMain::onWatchTick);

    // The designer's client area is 7110 x 6195 twips below the menu bar.
    setMinimumSize(Twips::toPixels(6090), Twips::toPixels(4725));
    resize(Twips::toPixels(7110), Twips::toPixels(6195) + menuBar()->sizeHint().height());
    applyLayout();

    // The folder of the database is set by the program before the window
    // exists (and by tests to their own folder); it is not changed here.
    InitLvwCompanys();
    InitLvwJobs();
    InitLvwHours();
    m_watchTimer->start();
    // The window shows itself before it loads: on an empty database the
    // offer to add a first company then stands over the window it belongs to.
    show();
    LoadCompanies();
}

frmMain::~frmMain() = default;

void frmMain::createControls()
{
    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("frmMainClient"));
    setCentralWidget(client);
    // The rules measure the client area, which also changes without the
    // window changing size (the menu bar settles its height once shown).
    client->installEventFilter(this);

    m_logo = new QLabel(client);
    m_logo->setObjectName(QStringLiteral("Image1"));
    m_logo->setGeometry(twipRect(120, 0, 480, 480));
    m_logo->setAlignment(Qt::AlignCenter);
    m_logo->setPixmap(Icons::program().pixmap(32, 32));

    m_title = new QLabel(QStringLiteral("Tamberlock"), client);
    m_title->setObjectName(QStringLiteral("Label1"));
    QFont font(QStringLiteral("Verdana"), 18);
    font.setBold(true);
    const QRect labelRect = twipRect(720, 0, 2100, 435);
    // Where Verdana is missing, the font standing in for it may run wider:
    // it is set smaller until the whole word fits the label's own width.
    if (QFontInfo(font).family() != font.family()) {
        while (font.pointSizeF() > 6 &&
               QFontMetrics(font).horizontalAdvance(m_title->text()) > labelRect.width())
            font.setPointSizeF(font.pointSizeF() - 0.5);
    }
    m_title->setFont(font);
    m_title->setGeometry(labelRect);

    // The tab strip lies under the frames; in style 1 the selected tab's
    // frame is shown on top of it.
    m_tabs = new QTabWidget(client);
    m_tabs->setObjectName(QStringLiteral("TabS1"));
    m_tabs->setGeometry(twipRect(0, 480, 7095, 2775));
    for (const char *caption : {"Companies", "Projects", "Charges"})
        m_tabs->addTab(new QWidget(m_tabs), QString::fromLatin1(caption));
    m_tabs->hide();
    connect(m_tabs, &QTabWidget::currentChanged, this, [this] { applyLayout(); });

    const char *captions[3] = {"Companies:", "Projects:", "Zarividude Charges:"};
    const double tops[3] = {600, 2400, 4200};
    const char *listNames[3] = {"LvwCompanys", "LvwJobs", "lvwHours"};
    const double listHeights[3] = {1320, 1290, 1305};
    m_companyRows = new CompanyListModel(this);
    m_projectRows = new ProjectListModel(this);
    m_chargeRows = new ChargeListModel(this);
    ReportModel *models[3] = {m_companyRows, m_projectRows, m_chargeRows};
    ReportList **lists[3] = {&m_companyList, &m_projectList, &m_chargeList};
    for (int i = 0; i < 3; ++i) {
        m_frames[i] = new QGroupBox(QString::fromLatin1(captions[i]), client);
        m_frames[i]->setObjectName(QStringLiteral("framBig_%1").arg(i));
        m_frames[i]->setGeometry(twipRect(120, tops[i], 6855, 1695));
        auto *list = new ReportList(models[i], m_frames[i]);
        list->setObjectName(QString::fromLatin1(listNames[i]));
        list->setGeometry(twipRect(120, 240, 6585, listHeights[i]));
        *lists[i] = list;
    }

    m_companyList->setImages({Icons::company()});
    m_projectList->setImages({Icons::project(), Icons::project()});
    m_chargeList->setImages({Icons::runningCharge(0), Icons::runningCharge(1), Icons::runningCharge(2),
                             Icons::runningCharge(3), Icons::charge()});

    connect(m_companyList, &ReportList::mouseReleased, this, &frmMain::onCompanyListReleased);
    connect(m_projectList, &ReportList::mouseReleased, this, &frmMain::onProjectListReleased);
    connect(m_chargeList, &ReportList::mouseReleased, this, &frmMain::onChargeListReleased);
    connect(m_companyList, &ReportList::rowDoubleClicked, this, [this] { onCompanyMenu(CompanyEdit); });
    connect(m_projectList, &ReportList::rowDoubleClicked, this, [this] { onProjectMenu(ProjectEdit); });
    connect(m_chargeList, &ReportList::rowDoubleClicked, this, [this] { onChargeMenu(ChargeEdit); });
}

void frmMain::createStatusBar()
{
    QStatusBar *bar = new QStatusBar(this);
    bar->setObjectName(QStringLiteral("StBr1"));
    setStatusBar(bar);
    bar->setFixedHeight(qMax(Twips::toPixels(300), bar->fontMetrics().height() + 6));
    // The window is narrow at its smallest; the grip would only take room
    // from the amounts.
    bar->setSizeGripEnabled(false);
    // The panels share one row of their own: the bar's own spacing between
    // widgets is wider than a narrow window can spare.
    auto *row = new QWidget(bar);
    row->setObjectName(QStringLiteral("StBr1Panels"));
    auto *rowLayout = new QHBoxLayout(row);
    rowLayout->setContentsMargins(0, 0, 0, 0);
    rowLayout->setSpacing(2);
    // No company is loaded yet, so there is no money to show.
    const QString zero = modTamberlock::formatCurrency(0);
    const QString texts[6] = {QStringLiteral("Charges:"), zero, QStringLiteral("Payments:"), zero,
                              QStringLiteral("Balance:"), zero};
    for (int i = 0; i < 6; ++i) {
        const bool amount = (i % 2) == 1;
        QLabel *panel = amount ? new QLabel(texts[i], row) : new CaptionPanel(texts[i], row);
        panel->setObjectName(QStringLiteral("StBr1_%1").arg(i + 1));
        panel->setToolTip(texts[i]);
        panel->setAlignment((amount ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
        panel->setContentsMargins(2, 0, 2, 0);
        panel->setIndent(0);
        if (amount)
            panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        rowLayout->addWidget(panel, amount ? 1 : 0);
        m_panels[i] = panel;
    }
    bar->addWidget(row, 1);
    // A new amount may be wider than the last one, and the window may be
    // narrower than the panels at full size.
    bar->installEventFilter(this);
}

void frmMain::fitStatusBar()
{
    QWidget *row = m_panels[0]->parentWidget();
    const QFont full = font();
    if (full.pointSizeF() <= 0 || !row->layout())
        return;
    // Under the default formats "$10,000.00".
    const QString sample = modTamberlock::formatCurrency(100000000);
    // Margins, frames and spacing do not scale with the font; the texts do.
    int room = width() - (statusBar()->width() - row->width()) - row->layout()->spacing() * 5;
    int extra[6];
    for (int i = 0; i < 6; ++i) {
        extra[i] = m_panels[i]->sizeHint().width() -
                   m_panels[i]->fontMetrics().horizontalAdvance(m_panels[i]->text());
        room -= extra[i];
    }
    // An amount is never cut: it would show a person the wrong money (a
    // balance without its minus sign). The captions before the amounts give
    // up their room first, down to their first letter; only then is the whole
    // bar set in a smaller font.
    QFont f = full;
    int shown[6] = {};
    for (;;) {
        const QFontMetrics metrics(f);
        int needed = 0;
        for (int i = 0; i < 6; ++i) {
            const QString text = m_panels[i]->text();
            shown[i] = metrics.horizontalAdvance(i % 2 == 1 ? text : text.left(1) + QChar(0x2026));
            needed += shown[i];
        }
        if (needed <= room || f.pointSizeF() <= 4)
            break;
        f.setPointSizeF(f.pointSizeF() - 0.5);
    }
    // While the bar has room, an amount panel keeps room for a placeholder
    // amount with some air, so that it does not jump with every new figure.
    const QFontMetrics metrics(f);
    const int placeholder = metrics.horizontalAdvance(sample) + (f.pointSizeF() < full.pointSizeF() ? 4 : 10);
    int roomy = 0;
    for (int i = 0; i < 6; ++i)
        roomy += i % 2 == 1 ? qMax(shown[i], placeholder) : shown[i];
    for (int i = 0; i < 6; ++i) {
        const int wanted = i % 2 == 1 && roomy <= room ? qMax(shown[i], placeholder) : shown[i];
        if (m_panels[i]->font() != f)
            m_panels[i]->setFont(f);
        if (m_panels[i]->minimumWidth() != wanted + extra[i])
            m_panels[i]->setMinimumWidth(wanted + extra[i]);
    }
}

QString frmMain::selectedCompanyText() const
{
    const int row = m_companyList->selectedRow();
    return row < 0 ? QString() : m_companyList->rowText(row);
}

QString frmMain::selectedJobText() const
{
    const int row = m_projectList->selectedRow();
    return row < 0 ? QString() : m_projectList->rowText(row);
}

void frmMain::RefreshData()
{
    // Told on every way out.
    struct Told {
        frmMain *w;
        ~Told() { emit w->dataRefreshed(); }
    } told{this};
    const qint32 company = RowNumbers::withZeroPrefix(selectedCompanyText()).value_or(0);
    const qint32 job = RowNumbers::withZeroPrefix(selectedJobText()).value_or(0);

    m_chargeList->clearRows();
    m_projectList->clearRows();
    m_companyList->clearRows();
    m_loadedCompany = 0;

    LoadCompanies();

    const QString companyText = QString::number(company);
    bool found = false;
    for (int row = 0; row < m_companyList->rowCount(); ++row) {
        if (m_companyList->rowText(row) == companyText) {
            m_companyList->selectRow(row);
            m_companyList->scrollToRow(row);
            found = true;
            break;
        }
    }
    if (!found) {
        // The company is gone (deleted, say): so are its totals.
        showLoadedTotals();
        return;
    }
    onCompanyListReleased(Qt::LeftButton, {});

    const QString jobText = QString::number(job);
    for (int row = 0; row < m_projectList->rowCount(); ++row) {
        if (m_projectList->rowText(row) == jobText) {
            m_projectList->selectRow(row);
            m_projectList->scrollToRow(row);
            onProjectListReleased(Qt::LeftButton, {});
            break;
        }
    }
}

void frmMain::UpdateStatus(const QString &charges, const QString &payments)
{
    const std::optional<Currency> c = modTamberlock::parseCurrency(charges);
    const std::optional<Currency> p = modTamberlock::parseCurrency(payments);
    if (c)
        m_statusAmounts[0] = c;
    if (p)
        m_statusAmounts[1] = p;
    if (c && p)
        m_statusAmounts[2] = modTamberlock::subtractCurrency(*c, *p);
    showStatusAmounts();
}

void frmMain::showStatusAmounts()
{
    for (int i = 0; i < 3; ++i) {
        const std::optional<Currency> &amount = m_statusAmounts[i];
        m_panels[2 * i + 1]->setText(amount ? modTamberlock::formatCurrency(*amount) : QString());
    }
    fitStatusBar();
}

void frmMain::showTotals(std::optional<Currency> charges, std::optional<Currency> payments)
{
    m_statusAmounts[0] = charges;
    m_statusAmounts[1] = payments;
    m_statusAmounts[2] =
        charges && payments ? modTamberlock::subtractCurrency(*charges, *payments) : std::nullopt;
    showStatusAmounts();
}

void frmMain::closeEvent(QCloseEvent *event)
{
    m_watchTimer->stop();
    m_closed = true;
    // A question still waiting (the offer of an empty list) goes with the
    // window; its caller takes that as no and nothing more happens.
    for (frmKivMsg *box : findChildren<frmKivMsg *>())
        box->close();
    QCoreApplication::processEvents();
    QMainWindow::closeEvent(event);
}
