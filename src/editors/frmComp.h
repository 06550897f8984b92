#pragma once

#include "editors/EditorBase.h"

// The company editor: a client company's name, web site, postal address,
// contact person and comments. It has no change marker and offers Ok and
// Close only.
class frmComp : public EditorBase
{
    Q_OBJECT
public:
    // The one editor, shown (created from its design when it is not open) and
    // brought forward, owned by owner.
    static frmComp *showEditor(QWidget *owner);
    // -1 edits the row with that id; every other value adds a row.
    using EditorBase::SwapFormMode;

protected:
    void LoadRecord() override;
    QString AddRecord() override;
    QString SaveRecord() override;
    OnClose onCloseBox() const override { return OnClose::FocusOnly; }
    OnClose onCloseButton() const override { return OnClose::FocusAndReload; }

private:
    explicit frmComp(QWidget *owner);
    QString saveAs(qint32 id);
};
