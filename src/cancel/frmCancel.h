#pragma once

#include "common/SingleInstanceForm.h"

#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

// Asks for the reason an issue is cancelled and cancels the issue selected in the register,
// recording who cancelled it and why. Closing it with Cancel or the close box cancels nothing.
class frmCancel : public SingleInstanceForm<frmCancel>
{
public:
    frmCancel();

    void Form_Load();
    void txtcanreason_KeyPress(qint16& KeyAscii);
    void cmdOK_Click();

    QLineEdit* txtcanreason;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;
    QLabel* Label1;
    QLabel* lblRoomLeft; // how much of the reason's room is left

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void layoutControls();
    void showRoomLeft();
    std::optional<QString> cancellingUserName();
};
