// An e-invoice is written only from complete master data and an invoice whose totals are up to date:
// each missing or invalid datum is one line naming it, and nothing is written (a file already there
// stays as it was).
#include <gtest/gtest.h>

#include "../common/datei_hilfe.h"
#include "platform/dao/schema.h"
#include "platform/word/document.h"
#include "rechnungsfall.h"

namespace vktest {
namespace {

namespace fs = std::filesystem;

// 100,00 € at 19 %, no rule: 119,00 €.
Rechnungsfall Einfach() {
    return Rechnungsfall({}, {{"VK_LP_02_5",
                              {{{"Grenzbescheinigungen"}}, {{"mit Vermessung\rTarifstelle 8.1"}}, {{}, 100.0}}}});
}

struct Ablehnung {
    const char* sql;
    std::vector<std::string> zeilen;
};

TEST(ERechnungAbgelehnt, JederFehlendeOderUngültigeWertIstEineZeileUndNichtsWirdGeschrieben) {
    const std::vector<Ablehnung> fälle = {
        {"UPDATE Buero SET IBAN = 'DE89 3704 0044 0532 0130 01'",
         {"Buero.IBAN \"DE89 3704 0044 0532 0130 01\" ist keine gültige IBAN (Prüfziffern falsch)"}},
        {"UPDATE Auftraggeber SET Kaeuferreferenz = ' '",
         {"Auftraggeber.Kaeuferreferenz fehlt (Leitweg-ID oder Referenz des Käufers) (Auftrag 100)"}},
        {"UPDATE Buero SET ElektronischeAdresse = NULL", {"Buero.ElektronischeAdresse fehlt"}},
        {"UPDATE Auftraggeber SET ElektronischeAdresse = ''", {"Auftraggeber.ElektronischeAdresse fehlt (Auftrag 100)"}},
        {"UPDATE Buero SET UStIdNr = NULL, Steuernummer = NULL",
         {"Buero.UStIdNr und Buero.Steuernummer fehlen: eine Rechnung braucht eine der beiden"}},
        {"UPDATE Buero SET UStIdNr = '987654321', Land = 'Deutschland'",
         {"Buero.Land \"Deutschland\" ist kein Ländercode nach ISO 3166 (z. B. DE)",
          "Buero.UStIdNr \"987654321\" beginnt nicht mit einem Ländercode (z. B. DE123456789)"}},
        {"DELETE FROM Auftraggeber",
         {"Die Tabelle Auftraggeber hat keine Zeile für den Auftrag 100: Name, Anschrift und Käuferreferenz des "
          "Auftraggebers fehlen."}},
        {"DELETE FROM Termine", {"Rechnung 2026-017 hat kein Rechnungsdatum (Tabelle Termine, Terminart 8)"}},
        {"UPDATE Rechnung SET Brutto = 11800",
         {"Rechnungsdatensatz, Brutto: 118,00 € gespeichert, 119,00 € nach den Gebührentabellen"}},
    };
    for (const Ablehnung& a : fälle) {
        SCOPED_TRACE(a.sql);
        Rechnungsfall fall = Einfach();
        fall.Sql(a.sql);
        const vk::ERechnungsauftrag auftrag = fall.Auftrag();
        DateiSchreiben(auftrag.xml, "alt");
        const std::string db = DateiLesen(fall.datenbank), doc = DateiLesen(fall.dokument);
        EXPECT_EQ(vk::ERechnungSchreiben(auftrag), a.zeilen);
        EXPECT_EQ(DateiLesen(auftrag.xml), "alt");
        EXPECT_EQ(DateiLesen(fall.datenbank), db);
        EXPECT_EQ(DateiLesen(fall.dokument), doc);
    }
}

// A certificate amount changed by hand after the totals were built: the printed totals no longer say
// what the fee tables give, and neither would the e-invoice.
TEST(ERechnungAbgelehnt, VeralteteSummenWerdenNichtVerschickt) {
    Rechnungsfall fall = Einfach();
    {
        auto doc = vk::word::Document::Open(fall.dokument);
        vk::word::Range zelle = doc->Tables().Item(1).Cell(3, 5).Range();
        zelle.SetRange(zelle.Start(), zelle.End() - 2);
        zelle.SetText("  120,00 €");
        doc->Save();
    }
    EXPECT_EQ(vk::ERechnungSchreiben(fall.Auftrag()),
              (std::vector<std::string>{
                  "Summentabelle, Summe: 100,00 € im Dokument, 120,00 € nach den Gebührentabellen",
                  "Summentabelle, Mehrwertsteuer 19 % (Bemessungsgrundlage): 100,00 € im Dokument, 120,00 € nach den "
                  "Gebührentabellen",
                  "Summentabelle, Mehrwertsteuer 19 %: 19,00 € im Dokument, 22,80 € nach den Gebührentabellen",
                  "Summentabelle, Rechnungsbetrag: 119,00 € im Dokument, 142,80 € nach den Gebührentabellen",
                  "Rechnungsdatensatz, NettoRechnung: 100,00 € gespeichert, 120,00 € nach den Gebührentabellen",
                  "Rechnungsdatensatz, Brutto: 119,00 € gespeichert, 142,80 € nach den Gebührentabellen",
              }));
    EXPECT_FALSE(fs::exists(fall.Auftrag().xml));
}

// A database made before the master data existed: refused with the file that adds the tables; that
// file leaves the tables there untouched, and then the e-invoice is written.
TEST(ERechnungAbgelehnt, EineÄltereDatenbankBekommtDieTabellenAusDemSchema) {
    Rechnungsfall fall = Einfach();
    fall.Sql("DROP TABLE Buero; DROP TABLE Auftraggeber");
    const std::vector<std::string> zeilen = vk::ERechnungSchreiben(fall.Auftrag());
    ASSERT_EQ(zeilen.size(), 2u);
    for (const std::string& z : zeilen) EXPECT_NE(z.find("sql/schema.sql legt die fehlenden Tabellen an"), std::string::npos) << z;
    EXPECT_NE(zeilen[0].find("keine Tabelle Buero"), std::string::npos) << zeilen[0];
    EXPECT_NE(zeilen[1].find("keine Tabelle Auftraggeber"), std::string::npos) << zeilen[1];

    fall.Sql(std::string(vk::dao::SchemaText()));
    EXPECT_EQ(fall.Text("SELECT Brutto FROM Rechnung WHERE ID_Rechnungsnummer = 1"), "11900.0");
    EXPECT_EQ(fall.Text("SELECT Mehrwertsteuersatz FROM TempDoc"), "190");
    fall.Sql(kStammdaten);
    EXPECT_EQ(vk::ERechnungSchreiben(fall.Auftrag()), std::vector<std::string>{});
    EXPECT_TRUE(fs::exists(fall.Auftrag().xml));
}

}  // namespace
}  // namespace vktest
