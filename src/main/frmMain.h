#pragma once

#include "data/Types.h"
#include "editors/EditorBase.h"

#include <QList>
#include <QMainWindow>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

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

// The start-up window: the three linked lists, the status-bar totals, both
// screen styles, the real-time cost watch and the commands of its menus.
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

    // 0: the three lists stacked; 1: one list at a time, chosen by the tabs.
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
    void tmrRealTimeCost_Timer();

    // The lists.
    void InitLvwCompanys();
    void InitLvwJobs();
    void InitLvwHours();
    void LoadCompanies();
    void LoadProjects(qint32 companyId);
    void LoadHours(qint32 jobId);

    // Mouse releases on the lists: the selection cascade or, for the right
    // button, the context menu.
    void LvwCompanys_MouseUp(Qt::MouseButton button, const QPoint &globalPos);
    void LvwJobs_MouseUp(Qt::MouseButton button, const QPoint &globalPos);
    void lvwHours_MouseUp(Qt::MouseButton button, const QPoint &globalPos);
    void sortByColumn(ReportList *list, int column);

    // The context-menu preparation of each list (edit items, "Cancel").
    void prepareCompanyMenu();
    void prepareJobMenu();
    void prepareHourMenu();

    // The menu handlers, each given the index of the item in its array.
    void mnuFile_Click(int index);
    void mnuView_Click(int index);
    void MnuPayments_Click(int index);
    void MnuComps_Click(int index);
    void mnuJobs_Click(int index);
    void mnuHours_Click(int index);
    void MnuHelp_Click(int index);

    // The menu item of an array by its index; nullptr when there is none.
    QAction *menuItem(const QString &array, int index) const;

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

    void editorClosed(EditorBase::OnClose what);

    void deleteCompany();
    void deleteJob();
    void deleteHour();
    void stopPendingCharge();
    void startNewCharge();


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

    QLabel *m_image1 = nullptr;
    QLabel *m_label1 = nullptr;
    QGroupBox *m_framBig[3] = {};
    ReportList *m_lvwCompanys = nullptr;
    ReportList *m_lvwJobs = nullptr;
    ReportList *m_lvwHours = nullptr;
    QTabWidget *m_tabS1 = nullptr;
    QLabel *m_panels[6] = {};
    QTimer *m_tmrRealTimeCost = nullptr;

    QMenu *m_menuFile = nullptr;
    QMenu *m_menuView = nullptr;
    QMenu *m_menuPayments = nullptr;
    QMenu *m_menuLvwCompanys = nullptr;
    QMenu *m_menuLvwJobs = nullptr;
    QMenu *m_menuLvwHours = nullptr;
    QMenu *m_menuHelp = nullptr;

    CompanyListModel *m_companies = nullptr;
    ProjectListModel *m_projects = nullptr;
    ChargeListModel *m_charges = nullptr;
};
