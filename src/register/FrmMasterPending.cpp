// Handlers whose pieces are being built on their own branches; each moves to its own file.
#include "register/FrmMaster.h"

#include "common/quorrel/clsCommonDB.h"
#include "common/quorrel/clsCommonGen.h"
#include "platform/grid/FlexGrid.h"

void FrmMaster::cmdnew_Click() {}
void FrmMaster::CmdEdit_Click() {}
void FrmMaster::CmdDelete_Click() {}
bool FrmMaster::fnCheckMonthlyEntryDone(qint32) { return false; }
