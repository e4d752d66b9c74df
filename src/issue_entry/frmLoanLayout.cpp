// The entry window's controls: names, captions, geometry in twips, tab order, initial states.
#include "issue_entry/frmLoan.h"

#include "NumberShapeValidator.h"
#include "clsCommonDB.h"
#include "clsCommonGen.h"
#include "ui/ClosedComboWheel.h"
#include "ui/Twips.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

template <class W> W* placed(W* widget, const char* name, QRect geometry)
{
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(geometry);
    return widget;
}

QLineEdit* textBox(QWidget* parent, const char* name, QRect geometry, bool enabled)
{
    auto* box = placed(new QLineEdit(parent), name, geometry);
    box->setEnabled(enabled);
    return box;
}

// Captions of the first column start here, a little left of their designed place, so the longest
// ("Advance Amount(Rs):") fits in front of its field.
constexpr int FirstColumnCaptionLeft = 90;
constexpr int GapBeforeField = 90;

// A caption sits on its field's row, on one line, and ends a gap before the field, taking the
// room from its left end. It uses the condensed face of the window's font: the platform's fonts
// run wider than the window's design font, and a caption cut short leaves the clerk guessing.
QLabel* caption(QWidget* parent, const char* name, const QString& text, QRect designed,
                int leftTwips, int fieldLeftTwips)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    QFont condensed = parent->font();
    condensed.setStretch(QFont::Condensed);
    l->setFont(condensed);
    l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    const int left = Twips::toPixelsX(leftTwips);
    const int height = std::max(designed.height(), l->fontMetrics().height());
    l->setGeometry(left, designed.center().y() - height / 2,
                   Twips::toPixelsX(fieldLeftTwips - GapBeforeField) - left, height);
    return l;
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption, QRect geometry)
{
    return placed(new QPushButton(caption, parent), name, geometry);
}

} // namespace

frmLoan::frmLoan()
{
    layoutControls();
    connectHandlers();
}

frmLoan::~frmLoan() = default;

void frmLoan::layoutControls()
{
    setObjectName(u"frmLoan"_s);
    setWindowTitle(u"Loans Issue"_s);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(Twips::toPixelsX(6495), Twips::toPixelsY(3870));
    // Most fields are filled by the program and only displayed (disabled): their text must stay
    // easy to read.
    QPalette readable = palette();
    for (QPalette::ColorRole role : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText})
        readable.setColor(QPalette::Disabled, role,
                          readable.color(QPalette::Disabled, role).darker(170));
    setPalette(readable);
    // The layout's twips were measured for an 8-point dialog font; a narrower face, where the
    // system has one, keeps the captions on one line, as in the register.
    QFont dialogFont = font();
    dialogFont.setPointSize(8);
    dialogFont.setStretch(QFont::SemiCondensed);
    setFont(dialogFont);

    fraloan = placed(new QGroupBox(this), "fraloan", Twips::rect(45, 0, 6405, 3180));
    txtLoanNo = textBox(fraloan, "txtLoanNo", Twips::rect(1680, 255, 1410, 315), false);
    txtLoanDate = textBox(fraloan, "txtLoanDate", Twips::rect(4935, 255, 1365, 315), false);
    cboEmployee = placed(new QComboBox(fraloan), "cboEmployee", Twips::rect(1680, 675, 4620, 315));
    cboloanapplication =
        placed(new QComboBox(fraloan), "cboloanapplication", Twips::rect(1680, 1080, 4620, 315));
    // The application number can be typed; a text that names no entry drops the application.
    cboloanapplication->setEditable(true);
    cboloanapplication->setInsertPolicy(QComboBox::NoInsert);
    // Completion would rewrite the typed text behind the change handler's back; Enter on a
    // complete number chooses it.
    cboloanapplication->setCompleter(nullptr);
    cboLoanType = placed(new QComboBox(fraloan), "cboLoanType", Twips::rect(1680, 1485, 4620, 315));
    cboLoanType->setEnabled(false);
    txtLoanAmount = textBox(fraloan, "txtLoanAmount", Twips::rect(1680, 1890, 1410, 315), false);
    chkDeductMonthly = placed(new QCheckBox(u"Deduct Monthly"_s, fraloan), "chkDeductMonthly",
                              Twips::rect(3315, 1890, 1815, 315));
    chkDeductMonthly->setChecked(true);
    chkDeductMonthly->setEnabled(false);
    txtNoOfPayments =
        textBox(fraloan, "txtNoOfPayments", Twips::rect(1680, 2280, 1410, 315), false);
    txtInstallmentAmount =
        textBox(fraloan, "txtInstallmentAmount", Twips::rect(4935, 2280, 1365, 315), false);
    txtRemarks = textBox(fraloan, "txtRemarks", Twips::rect(1680, 2685, 4635, 315), true);
    txtRemarks->setMaxLength(250);
    for (QLineEdit* number : {txtLoanAmount, txtNoOfPayments, txtInstallmentAmount})
        number->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // Pasted text passes no key filter; these keep the boxes to the filter's shapes.
    txtLoanAmount->setValidator(new NumberShapeValidator(18, 2, txtLoanAmount));
    txtInstallmentAmount->setValidator(new NumberShapeValidator(18, 2, txtInstallmentAmount));
    txtNoOfPayments->setValidator(new NumberShapeValidator(3, 0, txtNoOfPayments));

    lblGuide = placed(new QLabel(this), "lblGuide", Twips::rect(90, 3240, 3915, 600));
    lblGuide->setWordWrap(true);
    lblGuide->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    cmdOK = button(this, "cmdOK", u"&OK"_s, Twips::rect(4095, 3270, 1170, 540));
    cmdCancel = button(this, "cmdCancel", u"&Close"_s, Twips::rect(5280, 3270, 1170, 540));

    const int first = FirstColumnCaptionLeft;
    lblInstAmt = caption(fraloan, "lblInstAmt", u"Installment Amt:"_s,
                         Twips::rect(3360, 2340, 1110, 195), 3360, 4935);
    Label6 = caption(fraloan, "Label6", u"No.of Paymt (Mths):"_s, Twips::rect(150, 2340, 1395, 195),
                     first, 1680);
    lblloanAmt = caption(fraloan, "lblloanAmt", u"Loan Amount:"_s, Twips::rect(150, 1950, 990, 195),
                         first, 1680);
    lbldescription = caption(fraloan, "lbldescription", u"Loan Description:"_s,
                             Twips::rect(150, 1545, 1245, 195), first, 1680);
    Label3 = caption(fraloan, "Label3", u"Employee Name:"_s, Twips::rect(150, 705, 1200, 195),
                     first, 1680);
    lbldate =
        caption(fraloan, "lbldate", u"Loan Date:"_s, Twips::rect(3405, 315, 795, 195), 3405, 4935);
    lblno = caption(fraloan, "lblno", u"Loan No:"_s, Twips::rect(150, 315, 660, 195), first, 1680);
    lblaplication = caption(fraloan, "lblaplication", u"Loan Application:"_s,
                            Twips::rect(150, 1140, 1230, 195), first, 1680);
    lblRemarks = caption(fraloan, "lblRemarks", u"Remarks:"_s, Twips::rect(195, 2745, 675, 195),
                         first, 1680);

    QWidget* order[] = {txtLoanNo,          txtLoanDate,     cboEmployee,
                        cboloanapplication, cboLoanType,     txtLoanAmount,
                        chkDeductMonthly,   txtNoOfPayments, txtInstallmentAmount,
                        txtRemarks,         cmdOK,           cmdCancel};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
    ignoreWheelOnClosedComboBoxes(this);
}

void frmLoan::setAdvanceCaptions()
{
    setWindowTitle(u"Advance Issue"_s);
    lblno->setText(u"Advance No:"_s);
    lbldate->setText(u"Advance date :"_s);
    lblaplication->setText(u"Advance Application"_s);
    lbldescription->setText(u"Advance Description"_s);
    lblloanAmt->setText(u"Advance Amount"_s);
}
