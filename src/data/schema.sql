-- The empty Tamberlock database. Money is an INTEGER count of 1/10 000 of a
-- dollar; a date-time is a REAL count of days since 30 December 1899 with the
-- time of day as the fraction. AUTOINCREMENT keys are never handed out twice.
-- A company owns its projects and payments, a project its charges: deleting
-- the owner deletes them inside the database.

CREATE TABLE tblCompanys (
    lngCompanyID      INTEGER PRIMARY KEY AUTOINCREMENT,
    strCompanyName    TEXT,
    strCompanyWeb     TEXT,
    strCompanyAddr1   TEXT,
    strCompanyAddr2   TEXT,
    strCompanyCity    TEXT,
    strCompanyState   TEXT,
    strCompanyZip     TEXT,
    strComments       TEXT,
    strCompanyContact TEXT,
    strCompanyEmail   TEXT,
    strCompanyPhone   TEXT,
    strCompanyFax     TEXT
);

CREATE TABLE tblJobs (
    lngJobID      INTEGER PRIMARY KEY AUTOINCREMENT,
    lngCompanyID  INTEGER REFERENCES tblCompanys (lngCompanyID) ON DELETE CASCADE,
    strJobName    TEXT,
    curHourlyWage INTEGER,
    dtmDeadLine   REAL
);
CREATE INDEX idxJobsCompany ON tblJobs (lngCompanyID);

CREATE TABLE tblHours (
    lngHourID    INTEGER PRIMARY KEY AUTOINCREMENT,
    lngJobID     INTEGER REFERENCES tblJobs (lngJobID) ON DELETE CASCADE,
    dtmStartTime REAL,
    dtmStopTime  REAL
);
CREATE INDEX idxHoursJob ON tblHours (lngJobID);

CREATE TABLE lkuPayTypes (
    lngPayTypeID INTEGER PRIMARY KEY AUTOINCREMENT,
    strPayType   TEXT
);

-- A payment names its type but is not owned by it: a type may be deleted
-- while payments still refer to it.
CREATE TABLE tblPayments (
    lngPaymentID   INTEGER PRIMARY KEY AUTOINCREMENT,
    lngCompanyID   INTEGER REFERENCES tblCompanys (lngCompanyID) ON DELETE CASCADE,
    curAmount      INTEGER,
    dtmTransaction REAL,
    memComments    TEXT,
    lngPayTypeID   INTEGER
);
CREATE INDEX idxPaymentsCompany ON tblPayments (lngCompanyID, curAmount);

INSERT INTO lkuPayTypes (strPayType) VALUES ('Cash');
INSERT INTO lkuPayTypes (strPayType) VALUES ('Check');
INSERT INTO lkuPayTypes (strPayType) VALUES ('Credit Card');
INSERT INTO lkuPayTypes (strPayType) VALUES ('Bank Transfer');
INSERT INTO lkuPayTypes (strPayType) VALUES ('Money Order');
