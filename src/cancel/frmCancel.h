#pragma once

#include "common/SingleInstanceForm.h"

#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

// Asks for the reason an issue is cancelled and cancels the issue selected in the register,
// recording who cancelled it and why. Closing it with the close box cancels nothing.
class frmCancel : public SingleInstanceForm<frmCancel>
{
public:
    frmCancel();

    void Form_Load();
    void txtcanreason_KeyPress(qint16& KeyAscii);
    void cmdOK_Click();

    QLineEdit* txtcanreason;
    QPushButton* cmdOK;
    QLabel* Label1;

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void layoutControls();
    std::optional<QString> cancellingUserName();
};
