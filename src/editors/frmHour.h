#pragma once

#include "editors/EditorBase.h"

class QComboBox;
class QRadioButton;

// The charge editor: a time charge of a project with its start and stop time;
// a charge still running shows "Pending..." as its stop time.
class frmHour : public EditorBase
{
    Q_OBJECT
public:
    // The one editor, shown (created from its design when it is not open) and
    // brought forward, owned by owner.
    static frmHour *showEditor(QWidget *owner);
    // -1 edits the row with that id; every other value adds a row.
    using EditorBase::SwapFormMode;

protected:
    void LoadRecord() override;
    QString AddRecord() override;
    QString SaveRecord() override;
    void presetChoices() override;
    bool recordAcceptable() override;
    OnClose onCloseBox() const override { return OnClose::FocusAndReload; }
    OnClose onCloseButton() const override { return OnClose::FocusAndReload; }

private:
    explicit frmHour(QWidget *owner);
    QString saveAs(qint32 id);
    void onPendingChosen();
    void onStopTimeChosen();

    QComboBox *m_projectBox = nullptr;
    QRadioButton *m_pendingOption = nullptr;
    QRadioButton *m_stopTimeOption = nullptr;
};
