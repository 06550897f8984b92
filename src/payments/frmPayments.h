#pragma once

#include "editors/EditorBase.h"

#include <QList>
#include <QMainWindow>

class QAction;
class QGroupBox;
class QMenu;
class PaymentListModel;
class ReportList;

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
    // The commands of the "&Payments" menu, by index 3 to 10.
    void MnuPayments_Click(int index);

    qint32 currentCompany() const { return m_companyId; }
    ReportList *list() const { return LvwPayments; }
    QMenu *menu() const { return MenulvwPayments; }
    // The item of an index (separators included), nullptr for another index.
    QAction *menuItem(int index) const;

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
    void LvwPayments_ColumnClick(int column);
    void LvwPayments_MouseUp(Qt::MouseButton button, const QPoint &globalPos);
    void applyMinimumSize();

    QGroupBox *framBig = nullptr;
    PaymentListModel *m_payments = nullptr;
    ReportList *LvwPayments = nullptr;
    QMenu *MenulvwPayments = nullptr;
    QList<QAction *> MnuPayments; // index - 3
    qint32 m_companyId = 0;
    bool m_loading = false;
};
