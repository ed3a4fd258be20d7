-- The host tables of the office database that the fee component reads and writes.
-- Amounts in the invoice record are in cents, VAT rates in tenths of a per cent.
-- Columns allow NULL: the component reads NULL as 0 where the host may leave a value out.
--
-- The same text creates a SQLite file and the tables in a PostgreSQL database, so it keeps to what
-- both read alike: DOUBLE PRECISION (on PostgreSQL REAL would be single precision), DATE (ISO-8601
-- text "yyyy-mm-dd" in a SQLite file, the date type on the server), names without quotes (the
-- server keeps them in lower case; the layer compares names without case).
--
-- Run on an existing database it adds the tables that are missing and leaves the others as they are
-- (sqlite3 buero.sqlite < sql/schema.sql, psql -d buero -f sql/schema.sql).

-- Invoice settings of each user (one row per user).
CREATE TABLE IF NOT EXISTS TempDoc (
    ID_Benutzer             INTEGER PRIMARY KEY,
    ID_Auftragsnummer       INTEGER,
    MeßtruppZusammenfassen  INTEGER DEFAULT 0,   -- flag 0 / 1
    ID_Lieferschein         INTEGER,
    AbschlagAbsolut         DOUBLE PRECISION DEFAULT 0,  -- advance payment as an amount, in euros
    AbschlagProzent         INTEGER DEFAULT 100, -- advance payment in per cent; 100 = none
    Zahlungsziel            INTEGER DEFAULT 0,   -- flag 0 / 1: the invoice gets the payment-target box
    Mehrwertsteuersatz      INTEGER DEFAULT 190, -- tenths of a per cent: 190 is 19 %
    Preisgruppe1            INTEGER,
    Preisgruppe2            INTEGER,
    Preisgruppe3            INTEGER,
    Preisgruppe4            INTEGER,
    Mehrwertsteuer          INTEGER,             -- tenths of a per cent
    MwStErmäßigt            INTEGER,             -- tenths of a per cent
    Rabatt                  INTEGER DEFAULT 0    -- discount in per cent
);

-- Invoices. Rechnungsart 4 final invoice, 5 advance invoice, 7 invoice with negated amounts.
CREATE TABLE IF NOT EXISTS Rechnung (
    ID_Rechnungsnummer          INTEGER PRIMARY KEY,
    ID_Auftragsnummer           INTEGER,
    Rechnungsart                INTEGER,
    Rechnungsnummer             TEXT,
    NettoRechnung               DOUBLE PRECISION,  -- cents
    Brutto                      DOUBLE PRECISION,  -- cents
    MehrwertsteuerFreierbetrag  DOUBLE PRECISION,  -- cents
    Mehrwertsteuersatz          INTEGER  -- tenths of a per cent
);
CREATE INDEX IF NOT EXISTS Rechnung_Auftrag ON Rechnung (ID_Auftragsnummer, Rechnungsart);

-- Dated events of an invoice; ID_Terminart 8 is the invoice date.
CREATE TABLE IF NOT EXISTS Termine (
    ID_Rechnungsnummer  INTEGER REFERENCES Rechnung (ID_Rechnungsnummer),
    ID_Terminart        INTEGER,
    Datum               DATE     -- the invoice date and the like
);
CREATE INDEX IF NOT EXISTS Termine_Rechnung ON Termine (ID_Rechnungsnummer, ID_Terminart);

-- Installation settings; the first row holds the payment-target text and its placement.
CREATE TABLE IF NOT EXISTS Version (
    Zahlungsziel         TEXT,    -- sentence with the number of days between "<" and ">"
    AbstandZahlungsziel  DOUBLE PRECISION,  -- distance of the text box from the top of the page, in cm
    BundZahlungsziel     INTEGER  -- 0 left, 1 centred, other right
);

-- The office itself, the seller of every invoice (one row): what an e-invoice says of it.
CREATE TABLE IF NOT EXISTS Buero (
    Name                  TEXT,
    Strasse               TEXT,
    PLZ                   TEXT,
    Ort                   TEXT,
    Land                  TEXT,   -- ISO 3166 code: DE
    UStIdNr               TEXT,   -- VAT id (DE123456789); this or Steuernummer, or both
    Steuernummer          TEXT,   -- tax number at the tax office
    Ansprechpartner       TEXT,
    Telefon               TEXT,
    EMail                 TEXT,
    ElektronischeAdresse  TEXT,   -- where the office receives e-invoices (e-mail, or SCHEME:ID)
    IBAN                  TEXT,   -- the account invoices are paid to
    BIC                   TEXT,
    Kontoinhaber          TEXT
);

-- The client of each order, the buyer of its invoices.
CREATE TABLE IF NOT EXISTS Auftraggeber (
    ID_Auftragsnummer     INTEGER PRIMARY KEY,
    Name                  TEXT,
    Strasse               TEXT,
    PLZ                   TEXT,
    Ort                   TEXT,
    Land                  TEXT,   -- ISO 3166 code: DE
    Kaeuferreferenz       TEXT,   -- a public client's Leitweg-ID, or the reference a business gave
    ElektronischeAdresse  TEXT,   -- where the client receives e-invoices (Leitweg-ID, e-mail, SCHEME:ID)
    UStIdNr               TEXT
);
