#include "rechnungsfall.h"

#include "component/rechnungskontext.h"
#include "document/Beispielvorlage.h"
#include "document/GebuehrenTabelle.h"
#include "document/KV_WordAuto.h"
#include "document/SummeBilden.h"
#include "platform/dao/dao.h"
#include "platform/word/document.h"

namespace vktest {

namespace fs = std::filesystem;

std::string Stammdaten() {
    return std::string("INSERT INTO Buero (Name, Strasse, PLZ, Ort, Land, UStIdNr, Steuernummer, Ansprechpartner, Telefon, EMail, "
            "ElektronischeAdresse, IBAN, BIC, Kontoinhaber) VALUES ('Vermessungsbüro Nord & Söhne', 'Am Markt 3', "
            "'24103', 'Kiel', 'DE', 'DE987654321', '20/123/45678', 'Jan Peters', '0431 98765', "
            "'peters@vermessung-nord.de', 'rechnung@vermessung-nord.de', 'DE89 3704 0044 0532 0130 00', NULL, NULL);"
           "INSERT INTO Auftraggeber (ID_Auftragsnummer, Name, Strasse, PLZ, Ort, Land, Kaeuferreferenz, "
            "ElektronischeAdresse, UStIdNr) VALUES (100, 'Kreis Plön, Fachdienst Kataster', 'Hamburger Straße 17', "
            "'24306', 'Plön', 'DE', '01057000-00017-25', '01057000-00017-25', NULL);");
}

void StammdatenEintragen(Roh& roh) { roh.Sql(Stammdaten()); }

Rechnungsfall::Rechnungsfall(const Einstellungen& e, const std::vector<Gebührentabelle>& tabellen,
                             const std::vector<Abschlagsrechnung>& abschläge) {
    datenbank = ordner_ / "buero.sqlite";
    dokument = ordner_ / "Rechnung.docx";
    vk::dao::DatenbankAnlegen(datenbank);
    roh_ = std::make_unique<Roh>(datenbank);
    // One transaction: each statement on its own would wait for the disk.
    std::string sql = "BEGIN;";
    sql += ("INSERT INTO TempDoc (ID_Benutzer, AbschlagAbsolut, AbschlagProzent, Zahlungsziel, Mehrwertsteuersatz, "
              "Rabatt) VALUES (1, " + std::to_string(e.abschlagAbsolut) + ", " + std::to_string(e.abschlagProzent) +
              ", 0, " + std::to_string(e.satz * 10) + ", " + std::to_string(e.rabatt) + ");");
    sql += ("INSERT INTO Rechnung (ID_Rechnungsnummer, ID_Auftragsnummer, Rechnungsart, Rechnungsnummer) VALUES "
              "(1, 100, " + std::to_string(e.art) + ", '2026-017');");
    sql += "INSERT INTO Termine (ID_Rechnungsnummer, ID_Terminart, Datum) VALUES (1, 8, '2026-12-05');"
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
    roh_->Sql(sql + Stammdaten() + "COMMIT;");

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
            for (long c = 1; c <= 4; ++c)
                if (!z.texte[static_cast<std::size_t>(c - 1)].empty())
                    vk::ZelleSchreiben(t, zeile, c, z.texte[static_cast<std::size_t>(c - 1)], r == 0 && c == 1);
            if (z.betrag != 0) vk::ZelleSchreiben(t, zeile, 5, vk::Betragstext(z.betrag), false);
            if (!z.kennung.empty()) vk::MwStKennungSetzen(t, zeile, z.kennung);
        }
        vk::BookmarkSetzen(t, g.schlüssel);
    }
    vk::SummeBilden(false);
    doc->Save(dokument);
    vk::KontextZuruecksetzen();
}

vk::ERechnungsauftrag Rechnungsfall::Auftrag(const fs::path& xml) const {
    return {datenbank.string(), 1, 1, dokument, xml.is_absolute() ? xml : ordner_ / xml.string()};
}

std::vector<std::string> Rechnungsfall::Summentabelle() const {
    auto doc = vk::word::Document::Open(dokument);
    std::vector<std::string> zeilen;
    for (vk::word::Table t : doc->Tables()) {
        if (vk::ErsterKommentarText(t.Range()) != "RE_Summe") continue;
        for (const vk::word::Row& r : t.Rows().Each()) {
            std::string z;
            for (long c = 1; c <= r.CellCount(); ++c) {
                const std::string text = r.Cell(c).Range().Text();
                z += (c > 1 ? "|" : "") + text.substr(0, text.size() - 2);
            }
            zeilen.push_back(z);
        }
    }
    return zeilen;
}

}  // namespace vktest
