#pragma once

#include "editors/EditorBase.h"

class QComboBox;

// The project editor: a project of a client company with its name, hourly
// rate and due date.
class frmJob : public EditorBase
{
    Q_OBJECT
public:
    // The one editor, shown (created from its design when it is not open) and
    // brought forward, owned by owner.
    static frmJob *showEditor(QWidget *owner);
    // -1 edits the row with that id; every other value adds a row.
    using EditorBase::SwapFormMode;

protected:
    void LoadRecord() override;
    QString AddRecord() override;
    QString SaveRecord() override;
    void presetChoices() override;
    OnClose onCloseBox() const override { return OnClose::FocusAndReload; }
    OnClose onCloseButton() const override { return OnClose::FocusAndReload; }

private:
    explicit frmJob(QWidget *owner);
    QString saveAs(qint32 id);

    QComboBox *m_companyBox = nullptr;
};
