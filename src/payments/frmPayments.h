#pragma once

#include <QMainWindow>

// The payments of one company.
class frmPayments : public QMainWindow
{
    Q_OBJECT
public:
    // The one payments window, created hidden and owned by owner when there is none.
    static frmPayments *forOwner(QWidget *owner);
    void LoadPayments(qint32 forCompanyID);
    void RefreshData();

private:
    explicit frmPayments(QWidget *owner);
};
