#pragma once

#include "data/Types.h"
#include "editors/EditorBase.h"

#include <QList>
#include <QMainWindow>
#include <QPointer>
#include <QString>

#include <functional>
#include <optional>

class ListLoader;
class QAction;
class QGroupBox;
class QLabel;
class QMenu;
class QTabWidget;
class QTimer;
class ChargeListModel;
class CompanyListModel;
class ProjectListModel;
class ReportList;
class frmInvoice;

// The start-up window: the three linked lists, the status-bar totals, both
// screen styles, the real-time cost watch and the commands of its menus.
class frmPreferences;

class frmMain : public QMainWindow
{
    Q_OBJECT

public:
    explicit frmMain(QWidget *parent = nullptr);
    ~frmMain() override;

    // The text (record number) of the selected row of LvwCompanys / LvwJobs;
    // empty without a selection.
    QString selectedCompanyText() const;
    QString selectedJobText() const;

    // True once the window was closed; the program ends then, also when the
    // window closed while it was still loading.
    bool isClosed() const { return m_closed; }

    // Reloads the three lists and restores the selected company and project.
    void RefreshData();

    // An editor opened from here or from the payments window: hands it the
    // selected company and project for its add mode and takes back its
    // closing. Called before every SwapFormMode.
    void adoptEditor(EditorBase *editor);

    // The status-bar amounts from two number texts; a text that is not a
    // number leaves its panel (and the balance) as it was.
    void UpdateStatus(const QString &charges, const QString &payments);

    // The screen styles, as the setting stores them: the three lists stacked,
    // or one list at a time, chosen by the tabs.
    enum Style : short { StackedStyle = 0, SingleListStyle = 1 };
    short ScreenStyle() const { return m_screenStyle; }
    void setScreenStyle(short style);
    // The resize rules of the current style, then the lists fitted into
    // their frames.
    void applyLayout();

    // The real-time cost watch.
    bool RealTimeWatch() const { return m_realTimeWatch; }
    void setRealTimeWatch(bool on);
    void RefreshActiveCosts();
    // One tick of tmrRealTimeCost (skipped while the previous one runs).
    void onWatchTick();

    // The lists.
    void InitLvwCompanys();
    void InitLvwJobs();
    void InitLvwHours();
    void LoadCompanies();
    void LoadProjects(qint32 companyId);
    void LoadHours(qint32 jobId);

    // Mouse releases on the lists: the selection cascade or, for the right
    // button, the context menu.
    void onCompanyListReleased(Qt::MouseButton button, const QPoint &globalPos);
    void onProjectListReleased(Qt::MouseButton button, const QPoint &globalPos);
    void onChargeListReleased(Qt::MouseButton button, const QPoint &globalPos);

    // The context-menu preparation of each list (edit items, "Cancel").
    void prepareCompanyMenu();
    void prepareJobMenu();
    void prepareHourMenu();

    // The items of the menus by their index in the menu's item array (the
    // number in their object names, "MnuComps_10"); the gaps are separators.
    enum FileItem { FileBackup = 1, FilePrintInvoices = 3, FileExit = 5 };
    enum ViewItem { ViewRefresh = 1, ViewRealTimeWatch = 2, ViewSingle = 3, ViewPreferences = 4 };
    enum PaymentsItem { PaymentsAdd = 1, PaymentsEdit = 3 };
    enum CompanyItem {
        CompanyAdd = 3,
        CompanyEdit = 4,
        CompanyAddProject = 6,
        CompanyAddPayment = 7,
        CompanyPrint = 8,
        CompanyDelete = 10,
        CompanyCancelSeparator = 11,
        CompanyCancel = 12
    };
    enum ProjectItem {
        ProjectAdd = 3,
        ProjectEdit = 4,
        ProjectAddCharge = 6,
        ProjectExtraSpace = 7,
        ProjectPrint = 8,
        ProjectDelete = 10,
        ProjectCancelSeparator = 11,
        ProjectCancel = 12
    };
    enum ChargeItem {
        ChargeAdd = 3,
        ChargeEdit = 4,
        ChargeStopPending = 6,
        ChargeStartNew = 7,
        ChargePrint = 9,
        ChargeDelete = 11,
        ChargeCancelSeparator = 12,
        ChargeCancel = 13
    };
    enum HelpItem { HelpStructure = 1, HelpAbout = 2 };

    // The menu handlers, each given the index of the item in its array.
    void onFileMenu(int index);
    void onViewMenu(int index);
    void onPaymentsMenu(int index);
    void onCompanyMenu(int index);
    void onProjectMenu(int index);
    void onChargeMenu(int index);
    void onHelpMenu(int index);

    // The invoice window opened by the print items; nullptr when none is open.
    frmInvoice *invoiceWindow() const;

    // The menu item of an array by its index; nullptr when there is none.
    QAction *menuItem(const QString &array, int index) const;

signals:
    // The lists were reloaded (after every change the program makes).
    void dataRefreshed();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct MenuItemSpec;

    void createControls();
    void createStatusBar();
    // Sets the status bar in the largest font, up to the window's own, in
    // which its panels fit the window's width.
    void fitStatusBar();
    void createMenus();
    QMenu *createMenu(const QString &menuName, const QString &title, const QString &arrayName,
                      const QList<MenuItemSpec> &items, void (frmMain::*handler)(int));
    void listMenuAboutToShow(QMenu *menu);
    void popupContext(QMenu *menu, const QPoint &globalPos);

    void layoutStyle0();
    void layoutStyle1();
    void fitLists();

    // The common end of the three loads: the offer of a first row when the
    // list stayed empty, then the list sorted by its row text and focused.
    void finishLoad(ListLoader &loader, ReportList *list, bool empty, const QString &message,
                    const QString &caption, const std::function<void()> &onYes);
    void setCaptionFromProject();
    void companyReleased();
    // False when no project was selected, so no charges were loaded.
    bool jobReleased();
    // The status bar for the loaded company: the listed charges' costs as
    // loaded and its payments; "$0.00" everywhere when no company is loaded.
    void showLoadedTotals();
    // The three amounts; an amount that is not known shows as no value.
    void showTotals(std::optional<Currency> charges, std::optional<Currency> payments);
    void showStatusAmounts();

    void editorClosed(EditorBase::OnClose what);

    void deleteCompany();
    void deleteJob();
    void deleteHour();
    void stopPendingCharge();
    void startNewCharge();
    // The print items: the invoice window on the selected company, project
    // or charge.
    void openInvoice(int companyItem, int projectItem, int chargeItem);

    short m_screenStyle = 0;
    bool m_realTimeWatch = true;
    QString m_timerTag;
    bool m_contextPopup = false;
    bool m_loadingCompanies = false;
    bool m_loadingJobs = false;
    bool m_loadingHours = false;
    // The company whose projects are listed (0: none). The status bar's
    // payments and balance are its own, wherever the keyboard has moved the
    // selection since.
    qint32 m_loadedCompany = 0;
    bool m_closed = false;

    QLabel *m_logo = nullptr;
    QLabel *m_title = nullptr;
    QGroupBox *m_frames[3] = {};
    ReportList *m_companyList = nullptr;
    ReportList *m_projectList = nullptr;
    ReportList *m_chargeList = nullptr;
    QTabWidget *m_tabs = nullptr;
    QLabel *m_panels[6] = {};
    QPointer<frmPreferences> m_preferences;
    // What the status bar's charges, payments and balance panels show.
    std::optional<Currency> m_statusAmounts[3] = {Currency(0), Currency(0), Currency(0)};
    QTimer *m_watchTimer = nullptr;

    QMenu *m_fileMenu = nullptr;
    QMenu *m_viewMenu = nullptr;
    QMenu *m_paymentsMenu = nullptr;
    QMenu *m_companyMenu = nullptr;
    QMenu *m_projectMenu = nullptr;
    QMenu *m_chargeMenu = nullptr;
    QMenu *m_helpMenu = nullptr;

    QPointer<frmInvoice> m_invoiceWindow;

    CompanyListModel *m_companyRows = nullptr;
    ProjectListModel *m_projectRows = nullptr;
    ChargeListModel *m_chargeRows = nullptr;
};
