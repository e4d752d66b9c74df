#pragma once

#include "common/SingleInstanceForm.h"
#include "ui/EdgeAnchors.h"

#include <QString>
#include <QVector>
#include <memory>
#include <vector>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class FlexGrid;
class GridPrefixSearch;
class RegisterLoadProgress;
class clsCommonDB;
class clsCommonGen;

// The issue register: the company's active issues of one type, with sort and search, and the
// commands New, Edit, Delete, Preview and Close, each governed by the user's rights. It opens
// wide enough to show every column (or as the clerk left it last time) and may be enlarged; the
// grid takes the extra room.
class FrmMaster : public SingleInstanceForm<FrmMaster>
{
public:
    FrmMaster();
    ~FrmMaster() override;

    void Form_Load();
    void Form_Activate();

    // Grid population and headings.
    void GridPopulate(const QString& strsql);
    void FillColumnHeadings(const QString& headingSet, QVector<double>& lengths);

    // Rights and the row rule.
    void UserRights();
    bool fnUserRights(QString& strRight);
    void flexMaster_EnterCell();
    void MarkCancelledRows();

    // Sort and search.
    void cboColNames_Click();
    void flexMaster_HeadingClick(int col);
    void optAscend_Click();
    void optDescend_Click();
    void cboSearch_Click();
    void txtsearch_KeyUp();
    void SearchGrid();

    // Commands.
    void cmdnew_Click();
    void CmdEdit_Click();
    void CmdDelete_Click();
    void cmdPreview_Click();
    void CmdClose_Click();
    bool fnCheckMonthlyEntryDone(qint32 lngLoanIssueID);

    // Controls, named as the window lays them out.
    QPushButton* cmdnew;
    QPushButton* CmdEdit;
    QPushButton* CmdDelete;
    QPushButton* cmdPreview;
    QPushButton* CmdClose;
    FlexGrid* flexMaster;
    QGroupBox* fraBrowse;
    QRadioButton* optAscend;
    QRadioButton* optDescend;
    QComboBox* cboColNames;
    QLabel* lblsearch;
    QComboBox* cboSearch;
    QLineEdit* txtsearch;
    // In the Browse frame, below the search: what a search that found nothing looked for.
    QLabel* lblSearchResult;
    // Below the grid: how many issues are listed, how many cancelled, and the day window.
    QLabel* lblListContext;

protected:
    bool event(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void done(int result) override;

private:
    void layoutControls();
    void connectHandlers();
    void flexMaster_KeyPress(int& KeyAscii);
    void flexMaster_KeyDown(int& KeyCode, int Shift);
    void flexMaster_DblClick();

    void applyRememberedLayout();
    void fitToColumns();
    void rememberLayout() const;
    void shareSpareWidth();
    void sortOnHeading(int col, bool descending);
    void showSortOrder(int col, bool descending);
    void prepareSearchOrders();
    void showSearchMiss(const GridPrefixSearch& search);
    void endSearchMiss();
    void selectCurrentIssue();
    void issuesAddedOrCancelled();
    void showListContext();
    // Held rights, none of New, Edit and Delete on a database that can only be read.
    bool holdsRight(QString letter);
    void explainDisabledCommands();
    QString whyDisabled(char16_t letter, const QString& name);
    bool isCancelledRow(int row) const;
    void applyRowRule(int row);

    std::unique_ptr<clsCommonGen> objCommonGen;
    std::unique_ptr<clsCommonDB> objCommonDB;
    QString strRights;

    EdgeAnchors m_anchors;
    RegisterLoadProgress* m_loadProgress = nullptr; // while the load reads the list
    qint16 m_previousDays = 0;
    int m_cancelledIssues = 0;
    bool m_readOnlyDatabase = false;
    int m_sortHeading = -1; // the column the list was last ordered by, and how
    bool m_sortDescending = false;
    bool m_searchMissShown = false;
};
