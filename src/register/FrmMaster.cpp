#include "register/FrmMaster.h"

#include "clsCommonDB.h"
#include "clsCommonGen.h"
#include "common/BasLoan.h"
#include "common/GuardedHandler.h"
#include "data/ResolveTableNames.h"
#include "db/SqlLiteral.h"
#include "entry/include/OstrelLoanIssue.h"
#include "grid/FlexGrid.h"
#include "grid/KeyCodes.h"
#include "register/RegisterLoadProgress.h"
#include "runtime/Conversions.h"
#include "ui/ClosedComboWheel.h"
#include "ui/Twips.h"

#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QShortcut>
#include <QStyle>
#include <QStyleFactory>

using namespace Qt::StringLiterals;

namespace {

QPushButton* button(QWidget* parent, const char* name, const QString& caption, QRect geometry)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setGeometry(geometry);
    b->setAutoDefault(false); // Enter belongs to the grid and the Browse controls
    return b;
}

template <class W> W* placed(W* widget, const char* name, QRect geometry)
{
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(geometry);
    return widget;
}

} // namespace

FrmMaster::FrmMaster()
{
    layoutControls();
    connectHandlers();
    BasLoan::setFlexMaster(flexMaster);
}

FrmMaster::~FrmMaster()
{
    if (BasLoan::flexMaster() == flexMaster)
        BasLoan::setFlexMaster(nullptr);
}

void FrmMaster::layoutControls()
{
    setObjectName(u"FrmMaster"_s);
    setWindowTitle(u"Loans Issue"_s);
    // The layout's twips were measured for an 8-point dialog font; a narrower face, where the
    // system has one, keeps the captions inside their controls.
    QFont dialogFont = font();
    dialogFont.setPointSize(8);
    dialogFont.setStretch(QFont::SemiCondensed);
    setFont(dialogFont);
    // A window of its own (not a dialog) so that it can be maximised; it stays modal to the host.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);

    cmdnew = button(this, "cmdnew", u"&New"_s, Twips::rect(45, 5550, 1170, 540));
    CmdEdit = button(this, "CmdEdit", u"&Edit"_s, Twips::rect(1263, 5550, 1170, 540));
    CmdDelete = button(this, "CmdDelete", u"&Delete"_s, Twips::rect(2481, 5550, 1170, 540));
    cmdPreview = button(this, "cmdPreview", u"&Preview"_s, Twips::rect(3675, 5550, 1170, 540));
    CmdClose = button(this, "CmdClose", u"&Close"_s, Twips::rect(6000, 5550, 1170, 540));
    // The grid leaves a line above the Browse frame for the list's context.
    flexMaster = placed(new FlexGrid(this), "flexMaster", Twips::rect(45, 0, 7125, 3990));
    lblListContext = placed(new QLabel(this), "lblListContext", Twips::rect(60, 4005, 7110, 225));

    fraBrowse =
        placed(new QGroupBox(u"Browse"_s, this), "fraBrowse", Twips::rect(30, 4245, 7140, 1215));
    // The caption sits on the frame's border, and the rows of controls inside it (a little
    // lower than designed, clear of the caption; the third tells what a search did not find).
    if (QStyle* captionOnBorder = QStyleFactory::create(u"Windows"_s)) {
        captionOnBorder->setParent(fraBrowse);
        fraBrowse->setStyle(captionOnBorder); // the frame only; its controls keep the window's
    }
    optAscend = placed(new QRadioButton(u"Ascending"_s, fraBrowse), "optAscend",
                       Twips::rect(1035, 255, 1050, 285));
    optAscend->setChecked(true);
    optDescend = placed(new QRadioButton(u"Descending"_s, fraBrowse), "optDescend",
                        Twips::rect(2430, 255, 1320, 285));
    cboColNames =
        placed(new QComboBox(fraBrowse), "cboColNames", Twips::rect(3915, 240, 3060, 315));
    lblsearch = placed(new QLabel(u"&Search On:"_s, fraBrowse), "lblsearch",
                       Twips::rect(135, 630, 810, 195));
    cboSearch = placed(new QComboBox(fraBrowse), "cboSearch", Twips::rect(1050, 585, 2760, 315));
    lblsearch->setBuddy(cboSearch);
    txtsearch = placed(new QLineEdit(fraBrowse), "txtsearch", Twips::rect(3915, 585, 3060, 315));
    txtsearch->setMaxLength(50);
    lblSearchResult =
        placed(new QLabel(fraBrowse), "lblSearchResult", Twips::rect(135, 930, 6840, 225));
    QPalette missed = lblSearchResult->palette();
    missed.setColor(QPalette::WindowText, QColor(0xB0, 0, 0));
    lblSearchResult->setPalette(missed);

    QWidget* order[] = {cmdnew,    CmdEdit,    CmdDelete,   cmdPreview, CmdClose, flexMaster,
                        optAscend, optDescend, cboColNames, cboSearch,  txtsearch};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
    ignoreWheelOnClosedComboBoxes(this);

    // The designed size is the least; the grid takes the extra room, the Browse frame and the
    // line above it widen with the window, and the buttons keep to the bottom (Close to the
    // right).
    using E = EdgeAnchors;
    m_anchors.add(flexMaster, E::Width | E::Height);
    for (QWidget* w : std::initializer_list<QWidget*>{lblListContext, fraBrowse})
        m_anchors.add(w, E::Bottom | E::Width);
    for (QWidget* w : std::initializer_list<QWidget*>{cboColNames, txtsearch, lblSearchResult})
        m_anchors.add(w, E::Width);
    for (QWidget* w : std::initializer_list<QWidget*>{cmdnew, CmdEdit, CmdDelete, cmdPreview})
        m_anchors.add(w, E::Bottom);
    m_anchors.add(CmdClose, E::Bottom | E::Right);
    setMinimumSize(Twips::toPixelsX(7185), Twips::toPixelsY(6165));
    resize(minimumSize());
}

void FrmMaster::connectHandlers()
{
    connectGuarded(cmdnew, &QPushButton::clicked, this, &FrmMaster::cmdnew_Click);
    connectGuarded(CmdEdit, &QPushButton::clicked, this, &FrmMaster::CmdEdit_Click);
    connectGuarded(CmdDelete, &QPushButton::clicked, this, &FrmMaster::CmdDelete_Click);
    connectGuarded(cmdPreview, &QPushButton::clicked, this, &FrmMaster::cmdPreview_Click);
    connectGuarded(CmdClose, &QPushButton::clicked, this, &FrmMaster::CmdClose_Click);

    connectGuarded(flexMaster, &FlexGrid::EnterCell, this, &FrmMaster::flexMaster_EnterCell);
    connectGuarded(flexMaster, &FlexGrid::KeyPress, this, &FrmMaster::flexMaster_KeyPress);
    connectGuarded(flexMaster, &FlexGrid::KeyDown, this, &FrmMaster::flexMaster_KeyDown);
    connectGuarded(flexMaster, &FlexGrid::DblClick, this, &FrmMaster::flexMaster_DblClick);

    connectGuarded(cboColNames, &QComboBox::currentIndexChanged, this,
                   &FrmMaster::cboColNames_Click);
    // Choosing the entry already chosen sorts too: the list may have left that order since. A
    // choice that changed the entry has sorted already, and the same sort again costs nothing.
    connectGuarded(cboColNames, &QComboBox::activated, this, &FrmMaster::cboColNames_Click);
    connectGuarded(flexMaster, &FlexGrid::HeadingClick, this, &FrmMaster::flexMaster_HeadingClick);
    connectGuarded(optAscend, &QRadioButton::clicked, this, &FrmMaster::optAscend_Click);
    connectGuarded(optDescend, &QRadioButton::clicked, this, &FrmMaster::optDescend_Click);
    connectGuarded(cboSearch, &QComboBox::currentIndexChanged, this, &FrmMaster::cboSearch_Click);

    for (QWidget* w : {static_cast<QWidget*>(optAscend), static_cast<QWidget*>(optDescend),
                       static_cast<QWidget*>(cboColNames), static_cast<QWidget*>(cboSearch),
                       static_cast<QWidget*>(txtsearch)})
        w->installEventFilter(this);

    // Ctrl+D anywhere in the register gives the grid the keyboard focus.
    auto* toGrid = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_D), this);
    connect(toGrid, &QShortcut::activated, flexMaster, [this] { flexMaster->setFocus(); });
}

void FrmMaster::Form_Load()
{
    RegisterLoadProgress progress(this);
    m_loadProgress = &progress;
    const auto loaded = qScopeGuard([this] { m_loadProgress = nullptr; });

    objCommonGen = CreateObjectAs<clsCommonGen>(u"Quorrel.clsCommonGen"_s);
    objCommonDB = CreateObjectAs<clsCommonDB>(u"Quorrel.clsCommonDB"_s);

    if (BasLoan::strtype == u"L") {
        BasLoan::lngInterfaceID = LoanRegisterInterfaceID;
    } else if (BasLoan::strtype == u"A") {
        setWindowTitle(u"Advance Issue"_s);
        BasLoan::lngInterfaceID = AdvanceRegisterInterfaceID;
    }
    BasLoan::ResolveTableNames();
    objCommonDB->adocon = BasLoan::adoconPtr();
    m_readOnlyDatabase = BasLoan::adocon().isReadOnly();
    explainDisabledCommands();
    setEnabled(false);

    objCommonDB->strTableName = BasLoan::strTblSettings;
    const QVariant days = objCommonDB->fnReturnField(
        u"NoOfPreviousDays"_s, u"companyID="_s + QString::number(BasLoan::intCompanyID));
    const qint16 previousDays = days.isNull() ? 0 : vb::CInt(days);
    m_previousDays = previousDays;

    QString sql = u"select liid, lino, lidate, eName, lDescription, liopeningbalance, "
                  u"licurrentbalance, case licancelled when 1 then 'Yes' when 0 then 'No' end "
                  u"From %1, %2, %3  Where liActive = 1 and ecompanyid = licompanyid And "
                  u"eEmpid = liempid and  lcompanyid = licompanyid and  lloanid = liloanid and "
                  u"licompanyid = %4 and litype= '%5'"_s.arg(
                      BasLoan::strTblLoansIssue, BasLoan::strTblEmployee, BasLoan::strTblLoans,
                      QString::number(BasLoan::intCompanyID), ado::quotedText(BasLoan::strtype));
    if (previousDays > 0)
        sql += u" and liDate >='%1'"_s.arg(
            BasLoan::ProcessDate.addDays(-previousDays).toString(u"yyyyMMdd"_s));
    BasLoan::strMasterSQL = sql;

    setCursor(Qt::WaitCursor);
    GridPopulate(BasLoan::strMasterSQL);
    unsetCursor();

    UserRights();
    flexMaster_EnterCell();
    if (flexMaster->TextMatrix(1, 1).isEmpty()) {
        CmdEdit->setEnabled(false);
        CmdDelete->setEnabled(false);
        cmdPreview->setEnabled(false);
    }
    if (isCancelledRow(flexMaster->Row()))
        CmdDelete->setEnabled(false);
    showListContext();
    applyRememberedLayout();
    prepareSearchOrders();
    setEnabled(true);
    // Keyboard first: arrows move through the issues and Enter edits the one chosen.
    flexMaster->setFocus();
}

void FrmMaster::Form_Activate()
{
    if (flexMaster->TextMatrix(flexMaster->Row(), 0).isEmpty()) {
        CmdEdit->setEnabled(false);
        CmdDelete->setEnabled(false);
    } else {
        CmdEdit->setEnabled(holdsRight(u"E"_s));
        CmdDelete->setEnabled(holdsRight(u"D"_s));
    }
    flexMaster->setColWidth(0, 0);
    flexMaster_EnterCell();
}

void FrmMaster::CmdClose_Click()
{
    close();
}

bool FrmMaster::event(QEvent* e)
{
    if (e->type() == QEvent::WindowActivate)
        guarded([&] { Form_Activate(); });
    return SingleInstanceForm::event(e);
}

void FrmMaster::keyPressEvent(QKeyEvent* e)
{
    // Enter and Return are the controls' own (see eventFilter); only Esc closes, as Close does.
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter)
        return;
    SingleInstanceForm::keyPressEvent(e);
}

bool FrmMaster::eventFilter(QObject* watched, QEvent* e)
{
    if (e->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(e);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            qint16 KeyAscii = key_codes::Enter;
            BasLoan::EnterAsTab(KeyAscii);
            return true;
        }
    } else if (e->type() == QEvent::KeyRelease && watched == txtsearch) {
        guarded([&] { txtsearch_KeyUp(); });
    }
    return SingleInstanceForm::eventFilter(watched, e);
}

void FrmMaster::flexMaster_KeyPress(int& KeyAscii)
{
    if (KeyAscii == key_codes::CtrlEnter && cmdnew->isEnabled())
        cmdnew_Click();
    else if (KeyAscii == key_codes::Enter)
        flexMaster_DblClick();
}

void FrmMaster::flexMaster_KeyDown(int& KeyCode, int /*Shift*/)
{
    if (KeyCode == key_codes::DeleteKey && CmdDelete->isEnabled())
        CmdDelete_Click();
}

void FrmMaster::flexMaster_DblClick()
{
    if (CmdEdit->isEnabled())
        CmdEdit_Click();
}
