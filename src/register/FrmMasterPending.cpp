// Handlers whose pieces are being built on their own branches; each moves to its own file.
#include "register/FrmMaster.h"

#include "common/quorrel/clsCommonDB.h"
#include "common/quorrel/clsCommonGen.h"
#include "platform/grid/FlexGrid.h"

void FrmMaster::CmdDelete_Click() {}
