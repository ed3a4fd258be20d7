// An invoice for the e-invoice tests, made as an office makes it: an office database with the user's
// invoice settings, the invoice record and its date, the office's and the client's master data; a
// letter with fee tables written the way the categories write them, its totals built; document and
// database saved as files, from which the e-invoice is made as `vk einvoice` makes it.
#pragma once

#include <array>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "../dao/testdatenbank.h"
#include "../document/rechnungsumfeld.h"
#include "component/rechnungskontext.h"
#include "document/Beispielvorlage.h"
#include "document/GebuehrenTabelle.h"
#include "document/KV_WordAuto.h"
#include "document/SummeBilden.h"
#include "einvoice/ERechnung.h"
#include "platform/dao/dao.h"
#include "platform/word/document.h"

namespace vktest {

// One row of a fee table: the texts of cells 1 to 4, the amount of cell 5 (0: none) and its VAT tag.
struct Tabellenzeile {
    std::array<std::string, 4> texte;
    double betrag = 0;
    std::string kennung;
};

struct Gebührentabelle {
    std::string schlüssel;
    std::vector<Tabellenzeile> zeilen;  // the first is the title row
};

// The user's invoice settings (TempDoc) and the kind of the invoice record.
struct Einstellungen {
    int rabatt = 0, abschlagProzent = 100, abschlagAbsolut = 0 /* whole euros */, satz = 19, art = 1;
};

// An advance invoice of the same order: number, stored net, VAT-free part and gross (cents), date.
struct Abschlagsrechnung {
    std::string nummer;
    long netto = 0, frei = 0, brutto = 0;
    std::string datum;
};

// The master data rows of a valid office and client (order 100).
inline const char* const kStammdaten =
    "INSERT INTO Buero (Name, Strasse, PLZ, Ort, Land, UStIdNr, Steuernummer, Ansprechpartner, Telefon, EMail, "
    "ElektronischeAdresse, IBAN, BIC, Kontoinhaber) VALUES ('Vermessungsbüro Nord & Söhne', 'Am Markt 3', "
    "'24103', 'Kiel', 'DE', 'DE987654321', '20/123/45678', 'Jan Peters', '0431 98765', "
    "'peters@vermessung-nord.de', 'rechnung@vermessung-nord.de', 'DE89 3704 0044 0532 0130 00', NULL, NULL);"
    "INSERT INTO Auftraggeber (ID_Auftragsnummer, Name, Strasse, PLZ, Ort, Land, Kaeuferreferenz, "
    "ElektronischeAdresse, UStIdNr) VALUES (100, 'Kreis Plön, Fachdienst Kataster', 'Hamburger Straße 17', "
    "'24306', 'Plön', 'DE', '01057000-00017-25', '01057000-00017-25', NULL);";

class Rechnungsfall {
    TempOrdner ordner_;  // first: the files below are in it

public:
    const std::filesystem::path datenbank = ordner_ / "buero.sqlite", dokument = ordner_ / "Rechnung.docx";

    Rechnungsfall(const Einstellungen& e, const std::vector<Gebührentabelle>& tabellen,
                  const std::vector<Abschlagsrechnung>& abschläge = {}) {
        vk::dao::DatenbankAnlegen(datenbank);
        roh_ = std::make_unique<Roh>(datenbank);
        // One transaction: each statement on its own would wait for the disk.
        std::string sql = "BEGIN;INSERT INTO TempDoc (ID_Benutzer, AbschlagAbsolut, AbschlagProzent, Zahlungsziel, "
                          "Mehrwertsteuersatz, Rabatt) VALUES (1, " + std::to_string(e.abschlagAbsolut) + ", " +
                          std::to_string(e.abschlagProzent) + ", 0, " + std::to_string(e.satz * 10) + ", " +
                          std::to_string(e.rabatt) + ");INSERT INTO Rechnung (ID_Rechnungsnummer, ID_Auftragsnummer, "
                          "Rechnungsart, Rechnungsnummer) VALUES (1, 100, " + std::to_string(e.art) + ", '2026-017');"
                          "INSERT INTO Termine (ID_Rechnungsnummer, ID_Terminart, Datum) VALUES (1, 8, '2026-12-05');"
                          "INSERT INTO Version (Zahlungsziel, AbstandZahlungsziel, BundZahlungsziel) "
                          "VALUES ('Zahlbar bis zum <30> ohne Abzug.', 25, 1);";
        int id = 1;
        for (const Abschlagsrechnung& a : abschläge) {
            const std::string n = std::to_string(++id);
            sql += "INSERT INTO Rechnung (ID_Rechnungsnummer, ID_Auftragsnummer, Rechnungsart, Rechnungsnummer, "
                   "NettoRechnung, Brutto, MehrwertsteuerFreierbetrag) VALUES (" + n + ", 100, 5, '" + a.nummer + "', " +
                   std::to_string(a.netto) + ", " + std::to_string(a.brutto) + ", " + std::to_string(a.frei) + ");"
                   "INSERT INTO Termine (ID_Rechnungsnummer, ID_Terminart, Datum) VALUES (" + n + ", 8, '" + a.datum + "');";
        }
        roh_->Sql(sql + kStammdaten + "COMMIT;");

        // The host's part and the categories' part: the context, the tables, the totals.
        vk::KontextZuruecksetzen();
        vk::TabellenIndex() = 0;
        auto& k = vk::Kontext();
        k.KalWorkspace = std::make_shared<vk::dao::Workspace>();
        k.NeueAbfrage = k.KalWorkspace->OpenDatabase(datenbank.string());
        k.Rechnung = k.NeueAbfrage->OpenRecordset("SELECT * FROM Rechnung WHERE ID_Rechnungsnummer = 1");
        k.Mehrwertsteuersatz = static_cast<std::int16_t>(e.satz);
        k.Rabatt = static_cast<std::int16_t>(e.rabatt);
        k.AbschlagProzent = static_cast<std::int16_t>(e.abschlagProzent);
        k.AbschlagAbsolut = e.abschlagAbsolut;
        std::shared_ptr<vk::word::Document> doc = vk::BeispielVorlage();
        k.Doc = doc;
        k.WordApp = doc->Application();
        for (const Gebührentabelle& g : tabellen) {
            vk::word::Table keine;
            vk::word::Table t = doc->Tables().Add(vk::EinfügestelleErmitteln(keine), static_cast<long>(g.zeilen.size()), 5);
            for (std::size_t r = 0; r < g.zeilen.size(); ++r) {
                const Tabellenzeile& z = g.zeilen[r];
                const long zeile = static_cast<long>(r) + 1;
                for (std::size_t c = 0; c < 4; ++c)
                    if (!z.texte[c].empty()) vk::ZelleSchreiben(t, zeile, static_cast<long>(c) + 1, z.texte[c], r + c == 0);
                if (z.betrag != 0) vk::ZelleSchreiben(t, zeile, 5, vk::Betragstext(z.betrag), false);
                if (!z.kennung.empty()) vk::MwStKennungSetzen(t, zeile, z.kennung);
            }
            vk::BookmarkSetzen(t, g.schlüssel);
        }
        vk::SummeBilden(false);
        doc->Save(dokument);
        vk::KontextZuruecksetzen();
    }

    // The order e-invoice of invoice 1 for user 1, to `xml` (in the case's folder unless absolute).
    vk::ERechnungsauftrag Auftrag(const std::filesystem::path& xml = "Rechnung.xml") const {
        return {datenbank.string(), 1, 1, dokument, xml.is_absolute() ? xml : ordner_ / xml.string()};
    }
    // The printed totals table, row by row, cells joined by "|" (end marks dropped).
    std::vector<std::string> Summentabelle() const {
        auto doc = vk::word::Document::Open(dokument);
        for (vk::word::Table t : doc->Tables())
            if (vk::ErsterKommentarText(t.Range()) == "RE_Summe") return TabellenZeilen(t);
        return {};
    }
    // Runs a statement on the database (to spoil master data), and reads a value back.
    void Sql(const std::string& sql) { roh_->Sql(sql); }
    std::string Text(const std::string& sql) { return roh_->Text(sql); }

private:
    std::unique_ptr<Roh> roh_;
};

}  // namespace vktest
