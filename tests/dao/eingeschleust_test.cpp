// A value taken from data cannot change a statement: it is bound, and a second statement after
// the first one is refused.
#include <gtest/gtest.h>

#include "dao/testdatenbank.h"
#include "platform/dao/dao.h"

using namespace vk::dao;
using vk::Variant;
using vktest::FehlerVon;

namespace {

TEST(FeindlicheWerte, BoundValueStaysAValue) {
    vktest::TempOrdner ordner;
    auto datei = vktest::NeueDatenbank(ordner);
    vktest::Roh roh(datei);
    roh.Sql("INSERT INTO Rechnung (ID_Rechnungsnummer, ID_Auftragsnummer, Rechnungsart) VALUES (1, 4711, 5), (2, 4712, 5)");
    auto db = std::make_shared<Workspace>()->OpenDatabase(datei.string());

    // An order number as a host could have stored it in a text field.
    for (const char* boese : {"4711 OR 1=1", "0; DROP TABLE Rechnung", "4711' OR '1'='1", "4711 --"}) {
        auto rs = db->OpenRecordset("SELECT * FROM Rechnung WHERE ID_Auftragsnummer = ? AND Rechnungsart = 5", {Variant(boese)});
        EXPECT_EQ(rs->RecordCount(), 0) << boese;
    }
    db->Execute("UPDATE Rechnung SET Rechnungsnummer = ? WHERE ID_Rechnungsnummer = ?",
                {Variant("x'; DELETE FROM Rechnung; --"), Variant(1)});
    EXPECT_EQ(roh.Text("SELECT count(*) FROM Rechnung"), "2");
    EXPECT_EQ(roh.Text("SELECT Rechnungsnummer FROM Rechnung WHERE ID_Rechnungsnummer = 1"), "x'; DELETE FROM Rechnung; --");

    // Had someone pasted the value into the text, the second statement is refused, not run.
    auto f = FehlerVon([&] { db->OpenRecordset("SELECT * FROM Rechnung WHERE ID_Auftragsnummer = 0; DROP TABLE Rechnung"); });
    EXPECT_EQ(f.nummer, fehlernummer::ZeichenNachEnde);
    EXPECT_EQ(FehlerVon([&] { db->Execute("DELETE FROM Termine; DROP TABLE Rechnung"); }).nummer, fehlernummer::ZeichenNachEnde);
    EXPECT_EQ(roh.Text("SELECT count(*) FROM Rechnung"), "2");

    // A trailing semicolon or comment is fine.
    EXPECT_EQ(db->OpenRecordset("SELECT * FROM Rechnung; -- alle")->RecordCount(), 2);
}

}  // namespace
