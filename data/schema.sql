-- The native billing file: an SQLite 3 database named YVO.mdb.
-- Text compares and groups without regard to case (COLLATE NOCASE), money is REAL, Yes/No flags are
-- 0/1 in BOOLEAN columns, and TRANS.DATE is a serial date: days since 1899-12-30 as a REAL number,
-- its fraction the time of day (the value model of an Access date). Columns the reports never read
-- may be added freely; the names below are the ones the queries use.

CREATE TABLE CLIENTS (
    ClientID     INTEGER PRIMARY KEY,
    [first name] TEXT COLLATE NOCASE,
    [last name]  TEXT COLLATE NOCASE,
    company      TEXT COLLATE NOCASE,
    CNUM         BOOLEAN NOT NULL DEFAULT 0,  -- company starts with a coded digit
    LNUM         BOOLEAN NOT NULL DEFAULT 0,  -- last name starts with a coded digit
    FNUM         BOOLEAN NOT NULL DEFAULT 0   -- first name starts with a coded digit
);

CREATE TABLE INEXTB (
    ProductCode  INTEGER PRIMARY KEY,         -- signed 32-bit
    DESCRIPTION  TEXT COLLATE NOCASE,         -- up to 50 characters
    TYPE         TEXT COLLATE NOCASE          -- 'IN' income, 'EX' expense
);

CREATE TABLE TRANS (
    TransID              INTEGER PRIMARY KEY,
    CLIENTID             INTEGER,
    ProductCode          INTEGER,
    DATE                 DATETIME,            -- REAL serial date
    [Total Amount Due]   REAL,
    [Amount Paid]        REAL
);

CREATE INDEX TRANS_DATE ON TRANS (DATE);
