// The menu bar of the main window. The three list menus are also the
// lists' context menus: one QMenu serves both.
#include "main/frmMain.h"

#include "data/Formats.h"
#include "main/RowNumbers.h"
#include "widgets/ReportList.h"

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

    m_menuFile = createMenu(QStringLiteral("MenuFile"), QStringLiteral("&Action"), QStringLiteral("mnuFile"),
                            {{1, "&Backup Data", "Ctrl+S", false},
                             {2, "-", nullptr, false},
                             {3, "&Print Invoices", "Ctrl+P", false},
                             {4, "-", nullptr, false},
                             {5, "E&xit"}},
                            &frmMain::mnuFile_Click);
    m_menuView = createMenu(QStringLiteral("MenuView"), QStringLiteral("&View"), QStringLiteral("mnuView"),
                            {{1, "Refresh Data", "F5"},
                             {2, "Real Time Watch", "F2", true, true, true},
                             {3, "View Single", "F3", true, true, false}},
                            &frmMain::mnuView_Click);
    m_menuPayments = createMenu(
        QStringLiteral("MenuPayments"), QStringLiteral("&Payments"), QStringLiteral("MnuPayments"),
        {{1, "Add Payment..."}, {2, "-"}, {3, "Edit Payments...", "F4"}}, &frmMain::MnuPayments_Click);
    m_menuLvwCompanys = createMenu(QStringLiteral("MenuLvwCompanys"), QStringLiteral("&Companies"),
                                   QStringLiteral("MnuComps"),
                                   {{3, "&Add Company..."},
                                    {4, "&Edit Company"},
                                    {5, "-"},
                                    {6, "Add P&roject..."},
                                    {7, "Add Pa&yment..."},
                                    {8, "&Print Company Invoices..."},
                                    {9, "-"},
                                    {10, "&Delete Company"},
                                    {11, "-", nullptr, false},
                                    {12, "Cancel", nullptr, false}},
                                   &frmMain::MnuComps_Click);
    m_menuLvwJobs =
        createMenu(QStringLiteral("MenuLvwJobs"), QStringLiteral("Projects"), QStringLiteral("mnuJobs"),
                   {{3, "&Add Project..."},
                    {4, "&Edit Project..."},
                    {5, "-"},
                    {6, "&Add Charge..."},
                    {7, "Extra Space", nullptr, false},
                    {8, "&Print Project Invoices..."},
                    {9, "-"},
                    {10, "&Delete Project"},
                    {11, "-", nullptr, false},
                    {12, "Cancel", nullptr, false}},
                   &frmMain::mnuJobs_Click);
    m_menuLvwHours =
        createMenu(QStringLiteral("MenuLvwHours"), QStringLiteral("Charge&s"), QStringLiteral("mnuHours"),
                   {{3, "&Add Charge..."},
                    {4, "&Edit Charge..."},
                    {5, "-"},
                    {6, "Stop &Pending Charge", "F11"},
                    {7, "Start &New Charge", "F12"},
                    {8, "-"},
                    {9, "&Print Hour Invoices"},
                    {10, "-"},
                    {11, "&Delete Charge"},
                    {12, "-", nullptr, false},
                    {13, "Cancel", nullptr, false}},
                   &frmMain::mnuHours_Click);
    m_menuHelp = createMenu(QStringLiteral("MenuHelp"), QStringLiteral("&Help"), QStringLiteral("MnuHelp"),
                            {{1, "&Help On Structure...", "F1"}, {2, "&About"}}, &frmMain::MnuHelp_Click);

    for (QMenu *menu : {m_menuLvwCompanys, m_menuLvwJobs, m_menuLvwHours})
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
    menuItem(QStringLiteral("MnuComps"), 4)->setEnabled(n > 0);
    menuItem(QStringLiteral("MnuComps"), 11)->setVisible(true);
    menuItem(QStringLiteral("MnuComps"), 12)->setVisible(true);
}

void frmMain::prepareJobMenu()
{
    const qint32 n = RowNumbers::withZeroPrefix(selectedJobText()).value_or(0);
    menuItem(QStringLiteral("mnuJobs"), 4)->setEnabled(n > 0);
    menuItem(QStringLiteral("mnuJobs"), 11)->setVisible(true);
    menuItem(QStringLiteral("mnuJobs"), 12)->setVisible(true);
}

void frmMain::prepareHourMenu()
{
    const int row = m_lvwHours->selectedRow();
    const QString text = row < 0 ? QString() : m_lvwHours->rowText(row);
    const qint32 n = RowNumbers::withZeroPrefix(text).value_or(0);
    menuItem(QStringLiteral("mnuHours"), 4)->setEnabled(n > 0);
    // Without a selected charge there is no stop-time cell to read; the
    // step is skipped and the item keeps its state.
    if (row >= 0)
        menuItem(QStringLiteral("mnuHours"), 6)
            ->setEnabled(modTamberlock::IsPendingTime(m_lvwHours->cell(row, 3)));
    menuItem(QStringLiteral("mnuHours"), 12)->setVisible(true);
    menuItem(QStringLiteral("mnuHours"), 13)->setVisible(true);
}
