// Handlers whose pieces are being built on their own branches; each moves to its own file.
#include "register/FrmMaster.h"

#include "common/quorrel/clsCommonDB.h"
#include "common/quorrel/clsCommonGen.h"
#include "platform/grid/FlexGrid.h"

void FrmMaster::GridPopulate(const QString&) {}
void FrmMaster::FillColumnHeadings(const QString&, QVector<double>&) {}
void FrmMaster::UserRights() {}
bool FrmMaster::fnUserRights(QString&) { return false; }
void FrmMaster::flexMaster_EnterCell() {}
void FrmMaster::MarkCancelledRows() {}
void FrmMaster::cboColNames_Click() {}
void FrmMaster::optAscend_Click() {}
void FrmMaster::optDescend_Click() {}
void FrmMaster::txtsearch_KeyUp() {}
void FrmMaster::SearchGrid() {}
void FrmMaster::cmdnew_Click() {}
void FrmMaster::CmdEdit_Click() {}
bool FrmMaster::fnCheckMonthlyEntryDone(qint32) { return false; }
