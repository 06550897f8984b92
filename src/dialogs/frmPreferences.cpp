#include "dialogs/frmPreferences.h"

#include "desktop/DesktopPage.h"
#include "dialogs/PreferencesPage.h"
#include "dialogs/RegionalFormatsPage.h"

#include <QBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>

frmPreferences::frmPreferences(QWidget *owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("frmPreferences"));
    setWindowTitle(QStringLiteral("Preferences"));
    setModal(false);

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("lstPages"));
    m_list->setMaximumWidth(170);
    m_stack = new QStackedWidget(this);
    m_stack->setObjectName(QStringLiteral("stkPages"));
    connect(m_list, &QListWidget::currentRowChanged, m_stack, &QStackedWidget::setCurrentIndex);

    m_okButton = new QPushButton(QStringLiteral("Ok"), this);
    m_okButton->setObjectName(QStringLiteral("cmdOK"));
    m_okButton->setDefault(true);
    m_cancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    m_cancelButton->setObjectName(QStringLiteral("cmdCancel"));
    m_applyButton = new QPushButton(QStringLiteral("&Apply"), this);
    m_applyButton->setObjectName(QStringLiteral("cmdApply"));
    connect(m_okButton, &QPushButton::clicked, this, &frmPreferences::onOk);
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_applyButton, &QPushButton::clicked, this, &frmPreferences::applyPages);

    auto *pages = new QHBoxLayout;
    pages->addWidget(m_list);
    pages->addWidget(m_stack, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_okButton);
    buttons->addWidget(m_cancelButton);
    buttons->addWidget(m_applyButton);
    auto *outer = new QVBoxLayout(this);
    outer->addLayout(pages, 1);
    outer->addLayout(buttons);

    addPage(new RegionalFormatsPage(this));
    addPage(new DesktopPage(this));
}

void frmPreferences::addPage(PreferencesPage *page)
{
    m_pages.append(page);
    m_stack->addWidget(page);
    auto *item = new QListWidgetItem(page->title(), m_list);
    item->setData(Qt::UserRole, page->objectName());
    if (m_list->currentRow() < 0)
        m_list->setCurrentRow(0);
}

void frmPreferences::bringForward()
{
    if (!isVisible()) {
        for (PreferencesPage *page : std::as_const(m_pages))
            page->load();
    }
    show();
    raise();
    activateWindow();
}

bool frmPreferences::applyPages()
{
    for (int i = 0; i < m_pages.size(); ++i) {
        if (!m_pages[i]->apply()) {
            m_list->setCurrentRow(i);
            return false;
        }
    }
    return true;
}

void frmPreferences::onOk()
{
    if (applyPages())
        accept();
}
