#pragma once

#include <QWidget>

class frmHelpStruct : public QWidget
{
    Q_OBJECT
public:
    static frmHelpStruct *showFor(QWidget *owner);

private:
    explicit frmHelpStruct(QWidget *owner);
};
