#pragma once

#include "editors/EditorBase.h"

#include <QList>
#include <QMainWindow>
#include <QPointer>

class QAction;
class QGroupBox;
class QMenu;
class PaymentListModel;
class ReportList;
class frmInvoice;

// The payments of one company.
class frmPayments : public QMainWindow
{
    Q_OBJECT
public:
    ~frmPayments() override;

    // The one payments window, created hidden and owned by owner when there is none.
    static frmPayments *forOwner(QWidget *owner);
    void LoadPayments(qint32 forCompanyID);
    void RefreshData();

    // Sets up the seven columns of LvwPayments.
    void InitLvwPayments();
    // The items of the "&Payments" menu by their index (the number in their
    // object names, "MnuPayments_8"); the gaps are separators.
    enum PaymentsItem {
        AddPayment = 3,
        EditPayment = 4,
        PrintInvoices = 6,
        DeletePayment = 8,
        RefreshPayments = 10
    };
    // The commands of the "&Payments" menu.
    void onPaymentsMenu(int index);

    qint32 currentCompany() const { return m_companyId; }
    ReportList *list() const { return m_list; }
    QMenu *menu() const { return m_menu; }
    // The item of an index (separators included), nullptr for another index.
    QAction *menuItem(int index) const;
    // The statement window opened by "&Print Payment Invoices..."; nullptr when none is open.
    frmInvoice *invoiceWindow() const;

signals:
    // A payment editor was opened from here and is about to get its
    // SwapFormMode: the time for the main window to hand it its selection.
    void editorOpened(EditorBase *editor);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    explicit frmPayments(QWidget *owner);

    // The number of the selected row as "0" followed by its text reads; 0
    // without a selected row.
    qint32 selectedNumber() const;
    void updateEditItem();
    void offerNewPayment();
    void onListReleased(Qt::MouseButton button, const QPoint &globalPos);
    void applyMinimumSize();

    QGroupBox *m_frame = nullptr;
    PaymentListModel *m_rows = nullptr;
    ReportList *m_list = nullptr;
    QMenu *m_menu = nullptr;
    QList<QAction *> m_menuItems; // index - 3
    QPointer<frmInvoice> m_invoiceWindow;
    qint32 m_companyId = 0;
    bool m_loading = false;
};
