#pragma once

#include <QDialog>

// The payment types dialog, opened by the payment editor's "+" button.
class frmPayTypes : public QDialog
{
    Q_OBJECT
public:
    // Shows the dialog (created afresh) owned by the payment editor.
    static frmPayTypes *showFor(QWidget *owner);

private:
    explicit frmPayTypes(QWidget *owner);
};
