#include "dialogs/frmHelpStruct.h"

#include "widgets/Icons.h"
#include "widgets/SingleWindow.h"
#include "widgets/Twips.h"

#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QShortcut>
#include <QStringList>

namespace {

constexpr int kMinWidth = 5385;
constexpr int kMinHeight = 3495;
constexpr int kBarHeight = 510;
constexpr int kTextLeft = 720;
constexpr int kTextTop = 120;
constexpr int kEdge = 25;

} // namespace

frmHelpStruct::frmHelpStruct(QWidget *owner)
    : QWidget(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint)
{
    // Of the dialog kind, so that the window system knows its owner (see the
    // payments window).
    setObjectName(QStringLiteral("frmHelpStruct"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Help on Data Structure"));
    // The window manager keeps to the same floor that the resize rules set.
    Twips::keepOuterMinimum(this, kMinWidth, kMinHeight);

    m_image = new QLabel(this);
    m_image->setObjectName(QStringLiteral("Image1"));
    m_image->setGeometry(Twips::toPixels(120), Twips::toPixels(120), 32, 32);
    m_image->setAlignment(Qt::AlignCenter);
    m_image->setPixmap(Icons::program().pixmap(32, 32));

    m_helpText = new QPlainTextEdit(this);
    m_helpText->setObjectName(QStringLiteral("txtHolder"));
    m_helpText->setReadOnly(true);
    m_helpText->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_helpText->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    QString shown = helpText();
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.chop(1); // the last line break would show as an empty line
    m_helpText->setPlainText(shown);
    m_helpText->move(Twips::toPixels(kTextLeft), Twips::toPixels(kTextTop));

    m_buttonBar = new QFrame(this);
    m_buttonBar->setObjectName(QStringLiteral("picAligner"));
    m_buttonBar->setFrameShape(QFrame::NoFrame);

    m_closeButton = new QPushButton(QStringLiteral("Close"), m_buttonBar);
    m_closeButton->setObjectName(QStringLiteral("cmdClose"));
    m_closeButton->setDefault(true);
    m_closeButton->setGeometry(0, Twips::toPixels(kBarHeight - 375) / 2, Twips::toPixels(1215),
                               Twips::toPixels(375));

    connect(m_closeButton, &QPushButton::clicked, this, &frmHelpStruct::onCloseClicked);
    // Esc closes the help as Close does, as it closes every other window here.
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, m_closeButton, &QPushButton::click);

    resize(Twips::toPixels(9000), Twips::toPixels(7500));
    applyLayout();
}

frmHelpStruct *frmHelpStruct::showFor(QWidget *owner)
{
    return SingleWindow::show(SingleWindow::programWide<frmHelpStruct>(),
                              [owner] { return new frmHelpStruct(owner); });
}

QString frmHelpStruct::helpText()
{
    static const QStringList lines = {
        QStringLiteral(
            "The data is structured as objects.  The first thing you must do, is Create a Company Entry."),
        QString(),
        QStringLiteral(
            "Once you have entered a Company, you can then assign Projects to it (Right-Click on Company)."),
        QStringLiteral(
            "Clicking on a Company in the Company list, will load all of the projects, assigned to that "
            "company, in the list below it."),
        QStringLiteral(
            "If you delete the company, the projects assigned to it will also be deleted, because they "
            "are part of the company."),
        QString(),
        QStringLiteral(
            "You can then assign Payments to the company (Right-click on the Company).  The Payments, like "
            "the Projects, will also be deleted if you delete the company."),
        QString(),
        QStringLiteral("Once you have created a Project, you can create Zarividude Charges.(1) (Right-Click "
                       "on Project)"),
        QStringLiteral(
            "The Charges keep track of the hours you spend on the project.  If you stop for a short break, "
            "Stop the current charge (by right-clicking on it) then start a new charge when you come back."),
        QString(),
        QStringLiteral(
            "The Charges are assigned to the project, so if you delete the project, all the charges "
            "assigned to it will also be deleted."),
        QString(),
        QString(),
        QStringLiteral("(1)"),
        // The footnote: the word, then its dictionary entry.
        QStringLiteral("Zarividude"),
        QStringLiteral(
            "zar-i-vi-dude \\zar-ih-VEE-dood\\ adj. Of work: done with care, logged to the minute and "
            "billed without apology. n. (pl. zarividudes) One who works in that way."),
        QStringLiteral(
            "\"Every zarividude charge on that invoice was worth its rate, and the client knew it.\""),
        QStringLiteral("-- The Brumvale Pocket Dictionary of Working Words, second edition"),
    };
    QString text;
    for (const QString &line : lines)
        text += line + QStringLiteral("\r\n");
    return text;
}

void frmHelpStruct::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    applyLayout();
}

void frmHelpStruct::applyLayout()
{
    Twips::keepOuterMinimum(this, kMinWidth, kMinHeight);
    // The bar is docked along the bottom edge.
    const int barHeight = Twips::toPixels(kBarHeight);
    m_buttonBar->setGeometry(0, height() - barHeight, width(), barHeight);
    m_closeButton->move(m_buttonBar->width() - m_closeButton->width(), m_closeButton->y());
    m_helpText->resize(width() - m_helpText->x() - Twips::toPixels(kEdge),
                       height() - m_helpText->y() - m_buttonBar->height());
}

void frmHelpStruct::onCloseClicked()
{
    // The help was asked for from the main window, which owns it; the user
    // goes back there.
    if (QWidget *owner = parentWidget())
        owner->activateWindow();
    close();
}
