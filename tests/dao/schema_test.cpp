// The host schema: a new database holds the host tables with the columns the component uses;
// an existing file is never overwritten.
#include <gtest/gtest.h>

#include "dao/testdatenbank.h"
#include "platform/dao/dao.h"

using namespace vk::dao;
using vktest::FehlerVon;

namespace {

TEST(HostSchema, NewDatabaseHasTheHostTables) {
    vktest::TempOrdner ordner;
    auto datei = vktest::NeueDatenbank(ordner);
    vktest::Roh roh(datei);
    auto spalten = [&](const char* tabelle) {
        return roh.Text(std::string("SELECT group_concat(name, ',') FROM pragma_table_info('") + tabelle + "')");
    };
    EXPECT_EQ(spalten("TempDoc"),
              "ID_Benutzer,ID_Auftragsnummer,MeßtruppZusammenfassen,ID_Lieferschein,AbschlagAbsolut,AbschlagProzent,"
              "Zahlungsziel,Mehrwertsteuersatz,Preisgruppe1,Preisgruppe2,Preisgruppe3,Preisgruppe4,Mehrwertsteuer,"
              "MwStErmäßigt,Rabatt");
    EXPECT_EQ(spalten("Rechnung"),
              "ID_Rechnungsnummer,ID_Auftragsnummer,Rechnungsart,Rechnungsnummer,NettoRechnung,Brutto,"
              "MehrwertsteuerFreierbetrag,Mehrwertsteuersatz");
    EXPECT_EQ(spalten("Termine"), "ID_Rechnungsnummer,ID_Terminart,Datum");
    EXPECT_EQ(spalten("Version"), "Zahlungsziel,AbstandZahlungsziel,BundZahlungsziel");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(ordner.Pfad()), {}), 1) << "no temporary file left";
}

TEST(HostSchema, ExistingFileIsNeverOverwritten) {
    vktest::TempOrdner ordner;
    auto datei = vktest::NeueDatenbank(ordner);
    vktest::Roh(datei).Sql("INSERT INTO Version VALUES ('bleibt', 1, 0)");
    EXPECT_EQ(FehlerVon([&] { DatenbankAnlegen(datei); }).nummer, 58);
    EXPECT_EQ(vktest::Roh(datei).Text("SELECT Zahlungsziel FROM Version"), "bleibt");

    auto f = FehlerVon([&] { DatenbankAnlegen(ordner / "neu.sqlite", ordner / "fehlt.sql"); });
    EXPECT_EQ(f.nummer, vk::fehlernummer::DateiNichtGefunden);
    EXPECT_FALSE(std::filesystem::exists(ordner / "neu.sqlite"));
}

}  // namespace
