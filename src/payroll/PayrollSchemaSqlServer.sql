-- The payroll tables the loan issue module uses, for the company's SQL Server (2012 or later).
-- A site administrator runs it once in an empty database:
--
--     sqlcmd -S SERVER -d PAYROLL -E -i PayrollSchemaSqlServer.sql
--
-- The database must use a case-insensitive collation (SQL_Latin1_General_CP1_CI_AS, the
-- default of a us_english installation, or Latin1_General_CI_AS): the module names tables and
-- columns and compares texts without regard to letter case, and SQL Server ignores trailing
-- blanks in comparisons by itself. The module's login needs select, insert and update on
-- these tables. Tables, columns, keys and indexes are those of the embedded database
-- (PayrollSchema.sql beside this file; a test keeps the two alike).

CREATE TABLE linktable (
    linkid int IDENTITY(1, 1) NOT NULL PRIMARY KEY,
    tablename nvarchar(50) NOT NULL,
    linktablename nvarchar(50) NOT NULL
);

CREATE TABLE pCompanyMaster (
    CompanyID int NOT NULL PRIMARY KEY,
    CompanyName nvarchar(100) NOT NULL
);

CREATE TABLE pusers (
    companyid int NOT NULL,
    userid int NOT NULL,
    username nvarchar(50) NOT NULL,
    CONSTRAINT pk_pusers PRIMARY KEY (companyid, userid)
);

CREATE TABLE puserrights (
    userrightid int IDENTITY(1, 1) NOT NULL PRIMARY KEY,
    userid int NOT NULL,
    interfaceid int NOT NULL,
    functionrights nvarchar(50)
);
CREATE INDEX ix_puserrights_user ON puserrights (userid, interfaceid);

CREATE TABLE psettings (
    companyid int NOT NULL PRIMARY KEY,
    FlatLoanInterest int CHECK (FlatLoanInterest IN (0, 1)),
    NoOfPreviousDays int CHECK (NoOfPreviousDays >= 0)
);

CREATE TABLE pCurrencyMaster (
    CompanyID int NOT NULL,
    CurrencyId int NOT NULL,
    CurrencyName nvarchar(50),
    symbol nvarchar(10) NOT NULL,
    CONSTRAINT pk_pCurrencyMaster PRIMARY KEY (CompanyID, CurrencyId)
);

CREATE TABLE pemployee (
    eCompanyID int NOT NULL,
    eEmpID int NOT NULL,
    eEmpCode nvarchar(20),
    eName nvarchar(100) NOT NULL,
    eJoinDate date,
    eActive int NOT NULL DEFAULT 1 CHECK (eActive IN (0, 1)),
    CONSTRAINT pk_pemployee PRIMARY KEY (eCompanyID, eEmpID)
);

CREATE TABLE pLoans (
    lCompanyID int NOT NULL,
    lLoanID int NOT NULL,
    lDescription nvarchar(100) NOT NULL,
    lCurrencyID int NOT NULL,
    lPercentageofInterest float CHECK (lPercentageofInterest >= 0),
    lMinlimit float NOT NULL DEFAULT 0 CHECK (lMinlimit >= 0),
    lMaxlimit float NOT NULL,
    CONSTRAINT pk_pLoans PRIMARY KEY (lCompanyID, lLoanID),
    CONSTRAINT ck_pLoans_limits CHECK (lMaxlimit >= lMinlimit)
);

-- Application ids are unique across companies: the entry window reads an application by its
-- id and type alone.
CREATE TABLE ploanapplication (
    laLoanAppID int NOT NULL PRIMARY KEY,
    laCompanyID int NOT NULL,
    laloanappno nvarchar(20),
    laAppDate date,
    laAppType nchar(1) NOT NULL CHECK (laAppType IN ('L', 'A')),
    laEmployeeID int NOT NULL,
    laLoanID int NOT NULL,
    laPaymentPeriod int CHECK (laPaymentPeriod > 0),
    laSanctionAmount float CHECK (laSanctionAmount >= 0),
    laInstalmentAmount float CHECK (laInstalmentAmount >= 0),
    laDeductMonthly int CHECK (laDeductMonthly IN (0, 1)),
    lacancelled int NOT NULL DEFAULT 0 CHECK (lacancelled IN (0, 1))
);
CREATE INDEX ix_ploanapplication_employee
    ON ploanapplication (laCompanyID, laEmployeeID, laAppType, lacancelled);

-- The issues, under the physical name linktable maps pLoansIssue to. The save relies on both
-- unique keys: two clerks saving at once can never store the same id, or the same number for
-- a company and issue type; the second save fails and is told to its clerk.
CREATE TABLE pLoansIssueData (
    liCompanyID int NOT NULL,
    liID int NOT NULL,
    litype nchar(1) NOT NULL CHECK (litype IN ('L', 'A')),
    liNo nvarchar(20) NOT NULL,
    lidate date NOT NULL,
    liempid int NOT NULL,
    liLoanID int NOT NULL,
    liLoanAppID int NOT NULL,
    liOpeningBalance float NOT NULL DEFAULT 0,
    liCurrentBalance float NOT NULL DEFAULT 0,
    liNoofPayments float NOT NULL DEFAULT 0,
    liInstallmentAmount float NOT NULL DEFAULT 0,
    liDeductionMode int NOT NULL DEFAULT 1 CHECK (liDeductionMode IN (0, 1)),
    liactive int NOT NULL DEFAULT 1 CHECK (liactive IN (0, 1)),
    licancelled int NOT NULL DEFAULT 0 CHECK (licancelled IN (0, 1)),
    liCancelledRemarks nvarchar(255),
    liUsed int CHECK (liUsed IN (0, 1)),
    liRemarks nvarchar(250),
    CONSTRAINT pk_pLoansIssueData PRIMARY KEY (liCompanyID, liID),
    CONSTRAINT uq_pLoansIssueData_number UNIQUE (liCompanyID, litype, liNo)
);
-- The register's list and the save's check that an application has no live issue.
CREATE INDEX ix_pLoansIssueData_register
    ON pLoansIssueData (liCompanyID, litype, liactive, lidate);
CREATE INDEX ix_pLoansIssueData_application
    ON pLoansIssueData (liCompanyID, liLoanAppID, licancelled);
-- The running loan a new issue would close: an employee's live issues of a loan type.
CREATE INDEX ix_pLoansIssueData_employee
    ON pLoansIssueData (liCompanyID, liempid, liLoanID, liID);
-- The numbering's seek. SQL Server indexes an expression through a computed column; the
-- numbering statement names the expressions, which the server matches to these columns.
ALTER TABLE pLoansIssueData ADD
    liNoHead AS upper(rtrim(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(liNo,' ','~'),'0',' '),'1',' '),'2',' '),'3',' '),'4',' '),'5',' '),'6',' '),'7',' '),'8',' '),'9',' '))),
    liNoTail AS (case when upper(rtrim(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(liNo,' ','~'),'0',' '),'1',' '),'2',' '),'3',' '),'4',' '),'5',' '),'6',' '),'7',' '),'8',' '),'9',' '))) = replace(upper(rtrim(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(liNo,' ','~'),'0',' '),'1',' '),'2',' '),'3',' '),'4',' '),'5',' '),'6',' '),'7',' '),'8',' '),'9',' '))),' ','') then cast(replace(upper(replace(liNo,' ','~')),upper(rtrim(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(liNo,' ','~'),'0',' '),'1',' '),'2',' '),'3',' '),'4',' '),'5',' '),'6',' '),'7',' '),'8',' '),'9',' '))),'') as float) end) PERSISTED;
CREATE INDEX ix_pLoansIssueData_number
    ON pLoansIssueData (liCompanyID, litype, liNoHead, liNoTail);

CREATE TABLE ploanrepaymentdetails (
    lrdID int IDENTITY(1, 1) NOT NULL PRIMARY KEY,
    lrdcompanyid int NOT NULL,
    lrdEmpID int NOT NULL,
    lrdLoanID int NOT NULL,
    lrdLoanIssueID int,
    lrdMonth date NOT NULL,
    lrdAmount float NOT NULL DEFAULT 0,
    lrdProcessed int NOT NULL DEFAULT 0 CHECK (lrdProcessed IN (0, 1))
);
CREATE INDEX ix_ploanrepaymentdetails_employee
    ON ploanrepaymentdetails (lrdcompanyid, lrdEmpID, lrdLoanID);

CREATE TABLE pPrefix (
    CompanyID int NOT NULL,
    InterfaceID int NOT NULL,
    Prefix nvarchar(10),
    CONSTRAINT pk_pPrefix PRIMARY KEY (CompanyID, InterfaceID)
);

CREATE TABLE ptables (
    tableid int NOT NULL PRIMARY KEY,
    tablename nvarchar(50) NOT NULL UNIQUE
);

CREATE TABLE ptablecolumns (
    tableid int NOT NULL,
    ColumnID int NOT NULL,
    columnheader nvarchar(50),
    columnname nvarchar(50) NOT NULL,
    CONSTRAINT pk_ptablecolumns PRIMARY KEY (tableid, ColumnID)
);

CREATE TABLE pempMonthlyEntryHeader (
    emhCompanyID int NOT NULL,
    emhID int NOT NULL,
    emhEmpID int NOT NULL,
    emhMonth date NOT NULL,
    emhCancelled int NOT NULL DEFAULT 0 CHECK (emhCancelled IN (0, 1)),
    CONSTRAINT pk_pempMonthlyEntryHeader PRIMARY KEY (emhCompanyID, emhID)
);

CREATE TABLE pEmployeeDeductionDetail (
    eddLineID int IDENTITY(1, 1) NOT NULL PRIMARY KEY,
    eddCompanyID int NOT NULL,
    eddID int NOT NULL,
    eddLoanIssueID int,
    eddAmount float NOT NULL DEFAULT 0
);
CREATE INDEX ix_pEmployeeDeductionDetail_issue
    ON pEmployeeDeductionDetail (eddCompanyID, eddLoanIssueID);

-- The map from the logical names the module uses to the tables above.
INSERT INTO linktable (tablename, linktablename) VALUES
    ('pusers', 'pusers'),
    ('pLoansIssue', 'pLoansIssueData'),
    ('pLoans', 'pLoans'),
    ('ploanrepaymentdetails', 'ploanrepaymentdetails'),
    ('ptables', 'ptables'),
    ('ptablecolumns', 'ptablecolumns'),
    ('puserrights', 'puserrights'),
    ('psettings', 'psettings'),
    ('pemployee', 'pemployee'),
    ('ploanapplication', 'ploanapplication'),
    ('pPrefix', 'pPrefix'),
    ('pCurrencyMaster', 'pCurrencyMaster');

-- The registers' heading sets: the loan register's is named after the issue table's physical
-- name, the advance register's is Padvancemaster.
INSERT INTO ptables (tableid, tablename) VALUES
    (1, 'pLoansIssueData'),
    (2, 'Padvancemaster');

INSERT INTO ptablecolumns (tableid, ColumnID, columnheader, columnname) VALUES
    (1, 1, 'Loan ID', 'liid'),
    (1, 2, 'Loan No', 'lino'),
    (1, 3, 'Loan Date', 'lidate'),
    (1, 4, 'Employee Name', 'eName'),
    (1, 5, 'Loan Description', 'lDescription'),
    (1, 6, 'Opening Balance', 'liopeningbalance'),
    (1, 7, 'Current Balance', 'licurrentbalance'),
    (1, 8, 'Cancelled', 'licancelled'),
    (2, 1, 'Advance ID', 'liid'),
    (2, 2, 'Advance No', 'lino'),
    (2, 3, 'Advance Date', 'lidate'),
    (2, 4, 'Employee Name', 'eName'),
    (2, 5, 'Advance Type', 'lDescription'),
    (2, 6, 'Opening Balance', 'liopeningbalance'),
    (2, 7, 'Current Balance', 'licurrentbalance'),
    (2, 8, 'Cancelled', 'licancelled');
