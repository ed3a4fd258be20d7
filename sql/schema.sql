-- The host tables of the office database that the fee component reads and writes.
-- Amounts in the invoice record are in cents, VAT rates in tenths of a per cent.
-- Columns allow NULL: the component reads NULL as 0 where the host may leave a value out.
--
-- The same text creates a SQLite file and the tables in a PostgreSQL database, so it keeps to what
-- both read alike: DOUBLE PRECISION (on PostgreSQL REAL would be single precision), DATE (ISO-8601
-- text "yyyy-mm-dd" in a SQLite file, the date type on the server), names without quotes (the
-- server keeps them in lower case; the layer compares names without case).

-- Invoice settings of each user (one row per user).
CREATE TABLE TempDoc (
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
CREATE TABLE Rechnung (
    ID_Rechnungsnummer          INTEGER PRIMARY KEY,
    ID_Auftragsnummer           INTEGER,
    Rechnungsart                INTEGER,
    Rechnungsnummer             TEXT,
    NettoRechnung               DOUBLE PRECISION,  -- cents
    Brutto                      DOUBLE PRECISION,  -- cents
    MehrwertsteuerFreierbetrag  DOUBLE PRECISION,  -- cents
    Mehrwertsteuersatz          INTEGER  -- tenths of a per cent
);
CREATE INDEX Rechnung_Auftrag ON Rechnung (ID_Auftragsnummer, Rechnungsart);

-- Dated events of an invoice; ID_Terminart 8 is the invoice date.
CREATE TABLE Termine (
    ID_Rechnungsnummer  INTEGER REFERENCES Rechnung (ID_Rechnungsnummer),
    ID_Terminart        INTEGER,
    Datum               DATE     -- the invoice date and the like
);
CREATE INDEX Termine_Rechnung ON Termine (ID_Rechnungsnummer, ID_Terminart);

-- Installation settings; the first row holds the payment-target text and its placement.
CREATE TABLE Version (
    Zahlungsziel         TEXT,    -- sentence with the number of days between "<" and ">"
    AbstandZahlungsziel  DOUBLE PRECISION,  -- distance of the text box from the top of the page, in cm
    BundZahlungsziel     INTEGER  -- 0 left, 1 centred, other right
);
