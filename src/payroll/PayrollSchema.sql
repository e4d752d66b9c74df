-- Payroll database for the embedded engine (SQLite with the SQL Server semantics registered
-- by the connection: the SQLSERVER_CI collation compares text without regard to letter case
-- and ignores trailing blanks, as the payroll's SQL Server collation does).
--
-- Dates are ISO 'YYYY-MM-DD' text; the checks refuse anything else (a number, a time of day,
-- 31 February). Flags are 0 or 1. Tables are created under their physical names: the issue
-- table lives as pLoansIssueData and linktable maps the logical names onto these tables.
--
-- Statements are separated by a semicolon at the end of a line.

CREATE TABLE linktable (
    linkid INTEGER PRIMARY KEY,
    -- No unique key: the mapping may carry a logical name twice (differing only in case);
    -- the module then takes the later row.
    tablename TEXT COLLATE SQLSERVER_CI NOT NULL,
    linktablename TEXT COLLATE SQLSERVER_CI NOT NULL
);

-- The companies, named on the issue statement.
CREATE TABLE pCompanyMaster (
    CompanyID INTEGER PRIMARY KEY,
    CompanyName TEXT COLLATE SQLSERVER_CI NOT NULL
);

CREATE TABLE pusers (
    companyid INTEGER NOT NULL,
    userid INTEGER NOT NULL,
    username TEXT COLLATE SQLSERVER_CI NOT NULL CHECK (length(username) <= 50),
    PRIMARY KEY (companyid, userid)
);

CREATE TABLE puserrights (
    userrightid INTEGER PRIMARY KEY,
    userid INTEGER NOT NULL,
    interfaceid INTEGER NOT NULL,
    functionrights TEXT COLLATE SQLSERVER_CI
);
CREATE INDEX ix_puserrights_user ON puserrights (userid, interfaceid);

CREATE TABLE psettings (
    companyid INTEGER PRIMARY KEY,
    FlatLoanInterest INTEGER CHECK (FlatLoanInterest IN (0, 1)),
    NoOfPreviousDays INTEGER CHECK (NoOfPreviousDays >= 0)
);

CREATE TABLE pCurrencyMaster (
    CompanyID INTEGER NOT NULL,
    CurrencyId INTEGER NOT NULL,
    CurrencyName TEXT COLLATE SQLSERVER_CI,
    symbol TEXT COLLATE SQLSERVER_CI NOT NULL,
    PRIMARY KEY (CompanyID, CurrencyId)
);

CREATE TABLE pemployee (
    eCompanyID INTEGER NOT NULL,
    eEmpID INTEGER NOT NULL,
    eEmpCode TEXT COLLATE SQLSERVER_CI,
    eName TEXT COLLATE SQLSERVER_CI NOT NULL,
    eJoinDate DATE CHECK (date(eJoinDate, '+0 days') IS eJoinDate),
    eActive INTEGER NOT NULL DEFAULT 1 CHECK (eActive IN (0, 1)),
    PRIMARY KEY (eCompanyID, eEmpID)
);

CREATE TABLE pLoans (
    lCompanyID INTEGER NOT NULL,
    lLoanID INTEGER NOT NULL,
    lDescription TEXT COLLATE SQLSERVER_CI NOT NULL,
    lCurrencyID INTEGER NOT NULL,
    lPercentageofInterest REAL CHECK (lPercentageofInterest >= 0),
    lMinlimit REAL NOT NULL DEFAULT 0 CHECK (lMinlimit >= 0),
    lMaxlimit REAL NOT NULL CHECK (lMaxlimit >= lMinlimit),
    PRIMARY KEY (lCompanyID, lLoanID)
);

-- Application ids are unique across companies: the application read of the entry window
-- looks an application up by its id and type alone.
CREATE TABLE ploanapplication (
    laLoanAppID INTEGER PRIMARY KEY
        CHECK (typeof(laLoanAppID) = 'integer' AND laLoanAppID BETWEEN -2147483648 AND 2147483647),
    laCompanyID INTEGER NOT NULL
        CHECK (typeof(laCompanyID) = 'integer' AND laCompanyID BETWEEN -2147483648 AND 2147483647),
    laloanappno TEXT COLLATE SQLSERVER_CI,
    laAppDate DATE CHECK (date(laAppDate, '+0 days') IS laAppDate),
    laAppType TEXT COLLATE SQLSERVER_CI NOT NULL CHECK (laAppType IN ('L', 'A')),
    laEmployeeID INTEGER NOT NULL
        CHECK (typeof(laEmployeeID) = 'integer'
            AND laEmployeeID BETWEEN -2147483648 AND 2147483647),
    laLoanID INTEGER NOT NULL
        CHECK (typeof(laLoanID) = 'integer' AND laLoanID BETWEEN -2147483648 AND 2147483647),
    laPaymentPeriod INTEGER CHECK (laPaymentPeriod > 0)
        CHECK (typeof(laPaymentPeriod) IN ('integer', 'null')
            AND laPaymentPeriod BETWEEN -2147483648 AND 2147483647),
    laSanctionAmount REAL CHECK (laSanctionAmount >= 0)
        CHECK (typeof(laSanctionAmount) IN ('real', 'null')),
    laInstalmentAmount REAL CHECK (laInstalmentAmount >= 0)
        CHECK (typeof(laInstalmentAmount) IN ('real', 'null')),
    laDeductMonthly INTEGER CHECK (laDeductMonthly IN (0, 1)),
    lacancelled INTEGER NOT NULL DEFAULT 0 CHECK (lacancelled IN (0, 1))
);
CREATE INDEX ix_ploanapplication_employee
    ON ploanapplication (laCompanyID, laEmployeeID, laAppType, lacancelled);

-- The issues. Ids are unique per company and so are numbers per company and issue type:
-- two clerks saving at the same moment can never store the same id or number twice.
CREATE TABLE pLoansIssueData (
    liCompanyID INTEGER NOT NULL
        CHECK (typeof(liCompanyID) = 'integer' AND liCompanyID BETWEEN -2147483648 AND 2147483647),
    liID INTEGER NOT NULL
        CHECK (typeof(liID) = 'integer' AND liID BETWEEN -2147483648 AND 2147483647),
    litype TEXT COLLATE SQLSERVER_CI NOT NULL CHECK (litype IN ('L', 'A')),
    liNo TEXT COLLATE SQLSERVER_CI NOT NULL CHECK (length(liNo) <= 20),
    lidate DATE NOT NULL CHECK (date(lidate, '+0 days') IS lidate),
    liempid INTEGER NOT NULL
        CHECK (typeof(liempid) = 'integer' AND liempid BETWEEN -2147483648 AND 2147483647),
    liLoanID INTEGER NOT NULL
        CHECK (typeof(liLoanID) = 'integer' AND liLoanID BETWEEN -2147483648 AND 2147483647),
    liLoanAppID INTEGER NOT NULL
        CHECK (typeof(liLoanAppID) = 'integer' AND liLoanAppID BETWEEN -2147483648 AND 2147483647),
    liOpeningBalance REAL NOT NULL DEFAULT 0 CHECK (typeof(liOpeningBalance) = 'real'),
    liCurrentBalance REAL NOT NULL DEFAULT 0 CHECK (typeof(liCurrentBalance) = 'real'),
    liNoofPayments REAL NOT NULL DEFAULT 0 CHECK (typeof(liNoofPayments) = 'real'),
    liInstallmentAmount REAL NOT NULL DEFAULT 0 CHECK (typeof(liInstallmentAmount) = 'real'),
    liDeductionMode INTEGER NOT NULL DEFAULT 1 CHECK (liDeductionMode IN (0, 1)),
    liactive INTEGER NOT NULL DEFAULT 1 CHECK (liactive IN (0, 1)),
    licancelled INTEGER NOT NULL DEFAULT 0 CHECK (licancelled IN (0, 1)),
    -- The canceller's name (at most 50), ':', a reason of at most 200 and one blank.
    liCancelledRemarks TEXT COLLATE SQLSERVER_CI CHECK (length(liCancelledRemarks) <= 255),
    liUsed INTEGER CHECK (liUsed IN (0, 1)),
    liRemarks TEXT COLLATE SQLSERVER_CI CHECK (length(liRemarks) <= 250),
    PRIMARY KEY (liCompanyID, liID),
    UNIQUE (liCompanyID, litype, liNo)
);
CREATE INDEX ix_pLoansIssueData_register
    ON pLoansIssueData (liCompanyID, litype, liactive, lidate);
CREATE INDEX ix_pLoansIssueData_application
    ON pLoansIssueData (liCompanyID, liLoanAppID, licancelled);
-- The running loan a new issue would close: an employee's live issues of a loan type.
CREATE INDEX ix_pLoansIssueData_employee
    ON pLoansIssueData (liCompanyID, liempid, liLoanID, liID);
-- The numbering's seek: the issue number's head (digits blanked, in capitals) and the value of
-- the digits after a head free of blanks. Built-in functions only, so any writer keeps it.
CREATE INDEX ix_pLoansIssueData_number
    ON pLoansIssueData (liCompanyID, litype,
        upper(rtrim(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(liNo,' ','~'),'0',' '),'1',' '),'2',' '),'3',' '),'4',' '),'5',' '),'6',' '),'7',' '),'8',' '),'9',' '))),
        case when upper(rtrim(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(liNo,' ','~'),'0',' '),'1',' '),'2',' '),'3',' '),'4',' '),'5',' '),'6',' '),'7',' '),'8',' '),'9',' '))) = replace(upper(rtrim(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(liNo,' ','~'),'0',' '),'1',' '),'2',' '),'3',' '),'4',' '),'5',' '),'6',' '),'7',' '),'8',' '),'9',' '))),' ','') then cast(replace(upper(replace(liNo,' ','~')),upper(rtrim(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(liNo,' ','~'),'0',' '),'1',' '),'2',' '),'3',' '),'4',' '),'5',' '),'6',' '),'7',' '),'8',' '),'9',' '))),'') as float) end);

CREATE TABLE ploanrepaymentdetails (
    lrdID INTEGER PRIMARY KEY
        CHECK (typeof(lrdID) = 'integer' AND lrdID BETWEEN -2147483648 AND 2147483647),
    lrdcompanyid INTEGER NOT NULL
        CHECK (typeof(lrdcompanyid) = 'integer'
            AND lrdcompanyid BETWEEN -2147483648 AND 2147483647),
    lrdEmpID INTEGER NOT NULL
        CHECK (typeof(lrdEmpID) = 'integer' AND lrdEmpID BETWEEN -2147483648 AND 2147483647),
    lrdLoanID INTEGER NOT NULL
        CHECK (typeof(lrdLoanID) = 'integer' AND lrdLoanID BETWEEN -2147483648 AND 2147483647),
    lrdLoanIssueID INTEGER
        CHECK (typeof(lrdLoanIssueID) IN ('integer', 'null')
            AND lrdLoanIssueID BETWEEN -2147483648 AND 2147483647),
    lrdMonth DATE NOT NULL CHECK (date(lrdMonth, '+0 days') IS lrdMonth),
    lrdAmount REAL NOT NULL DEFAULT 0 CHECK (typeof(lrdAmount) = 'real'),
    lrdProcessed INTEGER NOT NULL DEFAULT 0 CHECK (lrdProcessed IN (0, 1))
);
CREATE INDEX ix_ploanrepaymentdetails_employee
    ON ploanrepaymentdetails (lrdcompanyid, lrdEmpID, lrdLoanID);

CREATE TABLE pPrefix (
    CompanyID INTEGER NOT NULL,
    InterfaceID INTEGER NOT NULL,
    Prefix TEXT COLLATE SQLSERVER_CI CHECK (length(Prefix) <= 10),
    PRIMARY KEY (CompanyID, InterfaceID)
);

-- Heading sets of the host's grids: one ptables row per set, one ptablecolumns row per grid
-- column in ColumnID order, the first for the grid's hidden id column.
CREATE TABLE ptables (
    tableid INTEGER PRIMARY KEY,
    tablename TEXT COLLATE SQLSERVER_CI NOT NULL UNIQUE
);

CREATE TABLE ptablecolumns (
    tableid INTEGER NOT NULL,
    ColumnID INTEGER NOT NULL,
    columnheader TEXT COLLATE SQLSERVER_CI,
    columnname TEXT COLLATE SQLSERVER_CI NOT NULL,
    PRIMARY KEY (tableid, ColumnID)
);

-- The host's monthly payroll entries and their deduction lines; eddID names the entry a
-- line belongs to.
CREATE TABLE pempMonthlyEntryHeader (
    emhCompanyID INTEGER NOT NULL,
    emhID INTEGER NOT NULL,
    emhEmpID INTEGER NOT NULL,
    emhMonth DATE NOT NULL CHECK (date(emhMonth, '+0 days') IS emhMonth),
    emhCancelled INTEGER NOT NULL DEFAULT 0 CHECK (emhCancelled IN (0, 1)),
    PRIMARY KEY (emhCompanyID, emhID)
);

CREATE TABLE pEmployeeDeductionDetail (
    eddLineID INTEGER PRIMARY KEY,
    eddCompanyID INTEGER NOT NULL,
    eddID INTEGER NOT NULL,
    eddLoanIssueID INTEGER,
    eddAmount REAL NOT NULL DEFAULT 0
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

-- Heading sets of the two registers. The loan register's set is named after the issue
-- table's physical name, the advance register's is Padvancemaster; pemployee belongs to the
-- host's employee list.
INSERT INTO ptables (tableid, tablename) VALUES
    (1, 'pLoansIssueData'),
    (2, 'Padvancemaster'),
    (3, 'pemployee');

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
    (2, 8, 'Cancelled', 'licancelled'),
    (3, 1, 'Employee ID', 'eEmpID'),
    (3, 2, 'Employee Code', 'eEmpCode'),
    (3, 3, 'Employee Name', 'eName');
