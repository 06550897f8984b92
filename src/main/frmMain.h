#pragma once

#include <QMainWindow>

// The start-up window: the three linked lists, the status-bar totals, both
// screen styles, the real-time cost watch and the commands of its menus.
class frmMain : public QMainWindow
{
    Q_OBJECT

public:
    explicit frmMain(QWidget *parent = nullptr);
    ~frmMain() override;

    // The one main window while it exists.
    static frmMain *instance();

    // The text (record number) of the selected row of LvwCompanys / LvwJobs;
    // empty without a selection.
    QString selectedCompanyText() const;
    QString selectedJobText() const;

    // Reloads the three lists and restores the selected company and project.
    void RefreshData();

private:
    static frmMain *s_instance;
};
