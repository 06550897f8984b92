// The menu bar of the main window. The three list menus are also the
// lists' context menus: one QMenu serves both.
#include "main/frmMain.h"

#include "data/Formats.h"
#include "widgets/ListModels.h"
#include "widgets/ReportList.h"
#include "widgets/RowNumbers.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

struct frmMain::MenuItemSpec {
    int index;
    const char *caption; // "-" for a separator
    const char *shortcut = nullptr;
    bool visible = true;
    bool checkable = false;
    bool checked = false;
};

QMenu *frmMain::createMenu(const QString &menuName, const QString &title, const QString &arrayName,
                           const QList<MenuItemSpec> &items, void (frmMain::*handler)(int))
{
    QMenu *menu = menuBar()->addMenu(title);
    menu->setObjectName(menuName);
    menu->menuAction()->setObjectName(menuName + QStringLiteral("_menu"));
    for (const MenuItemSpec &plan : items) {
        auto *action = new QAction(menu);
        action->setObjectName(arrayName + QLatin1Char('_') + QString::number(plan.index));
        action->setData(plan.index);
        if (qstrcmp(plan.caption, "-") == 0) {
            action->setSeparator(true);
        } else {
            action->setText(QString::fromLatin1(plan.caption));
            if (plan.shortcut)
                action->setShortcut(QKeySequence(QString::fromLatin1(plan.shortcut)));
            action->setCheckable(plan.checkable);
            action->setChecked(plan.checked);
            const int index = plan.index;
            connect(action, &QAction::triggered, this, [this, handler, index] { (this->*handler)(index); });
        }
        action->setVisible(plan.visible);
        menu->addAction(action);
    }
    return menu;
}

void frmMain::createMenus()
{
    menuBar()->setObjectName(QStringLiteral("menuBar"));

    m_fileMenu = createMenu(QStringLiteral("MenuFile"), QStringLiteral("&Action"), QStringLiteral("mnuFile"),
                            {{FileBackup, "&Backup Data", "Ctrl+S", false},
                             {2, "-", nullptr, false},
                             {FilePrintInvoices, "&Print Invoices", "Ctrl+P", false},
                             {4, "-", nullptr, false},
                             {FileExit, "E&xit"}},
                            &frmMain::onFileMenu);
    m_viewMenu = createMenu(QStringLiteral("MenuView"), QStringLiteral("&View"), QStringLiteral("mnuView"),
                            {{ViewRefresh, "Refresh Data", "F5"},
                             {ViewRealTimeWatch, "Real Time Watch", "F2", true, true, true},
                             {ViewSingle, "View Single", "F3", true, true, false},
                             {ViewPreferences, "&Preferences..."}},
                            &frmMain::onViewMenu);
    m_paymentsMenu =
        createMenu(QStringLiteral("MenuPayments"), QStringLiteral("&Payments"), QStringLiteral("MnuPayments"),
                   {{PaymentsAdd, "Add Payment..."}, {2, "-"}, {PaymentsEdit, "Edit Payments...", "F4"}},
                   &frmMain::onPaymentsMenu);
    m_companyMenu = createMenu(QStringLiteral("MenuLvwCompanys"), QStringLiteral("&Companies"),
                               QStringLiteral("MnuComps"),
                               {{CompanyAdd, "&Add Company..."},
                                {CompanyEdit, "&Edit Company"},
                                {5, "-"},
                                {CompanyAddProject, "Add P&roject..."},
                                {CompanyAddPayment, "Add Pa&yment..."},
                                {CompanyPrint, "&Print Company Invoices..."},
                                {9, "-"},
                                {CompanyDelete, "&Delete Company"},
                                {CompanyCancelSeparator, "-", nullptr, false},
                                {CompanyCancel, "Cancel", nullptr, false}},
                               &frmMain::onCompanyMenu);
    m_projectMenu =
        createMenu(QStringLiteral("MenuLvwJobs"), QStringLiteral("Projects"), QStringLiteral("mnuJobs"),
                   {{ProjectAdd, "&Add Project..."},
                    {ProjectEdit, "&Edit Project..."},
                    {5, "-"},
                    {ProjectAddCharge, "&Add Charge..."},
                    {ProjectExtraSpace, "Extra Space", nullptr, false},
                    {ProjectPrint, "&Print Project Invoices..."},
                    {9, "-"},
                    {ProjectDelete, "&Delete Project"},
                    {ProjectCancelSeparator, "-", nullptr, false},
                    {ProjectCancel, "Cancel", nullptr, false}},
                   &frmMain::onProjectMenu);
    m_chargeMenu =
        createMenu(QStringLiteral("MenuLvwHours"), QStringLiteral("Charge&s"), QStringLiteral("mnuHours"),
                   {{ChargeAdd, "&Add Charge..."},
                    {ChargeEdit, "&Edit Charge..."},
                    {5, "-"},
                    {ChargeStopPending, "Stop &Pending Charge", "F11"},
                    {ChargeStartNew, "Start &New Charge", "F12"},
                    {8, "-"},
                    {ChargePrint, "&Print Hour Invoices"},
                    {10, "-"},
                    {ChargeDelete, "&Delete Charge"},
                    {ChargeCancelSeparator, "-", nullptr, false},
                    {ChargeCancel, "Cancel", nullptr, false}},
                   &frmMain::onChargeMenu);
    m_helpMenu = createMenu(QStringLiteral("MenuHelp"), QStringLiteral("&Help"), QStringLiteral("MnuHelp"),
                            {{HelpStructure, "&Help On Structure...", "F1"}, {HelpAbout, "&About"}},
                            &frmMain::onHelpMenu);

    for (QMenu *menu : {m_companyMenu, m_projectMenu, m_chargeMenu})
        connect(menu, &QMenu::aboutToShow, this, [this, menu] { listMenuAboutToShow(menu); });
}

QAction *frmMain::menuItem(const QString &array, int index) const
{
    return findChild<QAction *>(array + QLatin1Char('_') + QString::number(index));
}

void frmMain::listMenuAboutToShow(QMenu *menu)
{
    if (m_contextPopup) {
        m_contextPopup = false;
        return;
    }
    // Opened from the menu bar: "Cancel" belongs to the context menu only.
    const QList<QAction *> actions = menu->actions();
    if (actions.size() >= 2) {
        actions.at(actions.size() - 1)->setVisible(false);
        actions.at(actions.size() - 2)->setVisible(false);
    }
}

void frmMain::popupContext(QMenu *menu, const QPoint &globalPos)
{
    m_contextPopup = true;
    menu->popup(globalPos);
    m_contextPopup = false;
}

void frmMain::prepareCompanyMenu()
{
    const qint32 n = RowNumbers::withZeroPrefix(selectedCompanyText()).value_or(0);
    menuItem(QStringLiteral("MnuComps"), CompanyEdit)->setEnabled(n > 0);
    menuItem(QStringLiteral("MnuComps"), CompanyCancelSeparator)->setVisible(true);
    menuItem(QStringLiteral("MnuComps"), CompanyCancel)->setVisible(true);
}

void frmMain::prepareJobMenu()
{
    const qint32 n = RowNumbers::withZeroPrefix(selectedJobText()).value_or(0);
    menuItem(QStringLiteral("mnuJobs"), ProjectEdit)->setEnabled(n > 0);
    menuItem(QStringLiteral("mnuJobs"), ProjectCancelSeparator)->setVisible(true);
    menuItem(QStringLiteral("mnuJobs"), ProjectCancel)->setVisible(true);
}

void frmMain::prepareHourMenu()
{
    const int row = m_chargeList->selectedRow();
    const QString text = row < 0 ? QString() : m_chargeList->rowText(row);
    const qint32 n = RowNumbers::withZeroPrefix(text).value_or(0);
    menuItem(QStringLiteral("mnuHours"), ChargeEdit)->setEnabled(n > 0);
    // Without a selected charge there is no stop-time cell to read; the
    // step is skipped and the item keeps its state.
    if (row >= 0)
        menuItem(QStringLiteral("mnuHours"), ChargeStopPending)
            ->setEnabled(modTamberlock::IsPendingTime(m_chargeList->cell(row, ChargeListModel::Stop)));
    menuItem(QStringLiteral("mnuHours"), ChargeCancelSeparator)->setVisible(true);
    menuItem(QStringLiteral("mnuHours"), ChargeCancel)->setVisible(true);
}
