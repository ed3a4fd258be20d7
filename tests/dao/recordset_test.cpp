// Reading with recordsets: values as variants, navigation, the component's own statements, and
// errors that name the missing table or field.
#include <gtest/gtest.h>

#include <functional>

#include "common/konvertierung.h"
#include "dao/testdatenbank.h"
#include "platform/dao/dao.h"

using namespace vk::dao;
using vk::Variant;
using vk::VarTyp;
using vktest::FehlerVon;

namespace {

class RecordsetLesen : public vktest::AufBeidenBackends {
protected:
    void SetUp() override {
        AufBeidenBackends::SetUp();
        roh->Sql("INSERT INTO TempDoc (ID_Benutzer, ID_Auftragsnummer, AbschlagAbsolut, Mehrwertsteuersatz, Rabatt, Zahlungsziel)"
                 " VALUES (1, 4711, 250.5, 190, NULL, 1), (2, 4712, 0, 70, 3, 0)");
        roh->Sql("INSERT INTO Rechnung (ID_Rechnungsnummer, ID_Auftragsnummer, Rechnungsart, Rechnungsnummer, Brutto)"
                 " VALUES (10, 4711, 5, '2026/17', 119000), (11, 4711, 5, '2026/18', 59500), (12, 4711, 4, '2026/30', NULL)");
        roh->Sql("INSERT INTO Termine VALUES (10, 8, '2026-03-01'), (10, 2, '2026-02-01'), (11, 8, '2026-06-15')");
        roh->Sql("INSERT INTO Version VALUES ('Zahlbar innerhalb von <14> Tagen.', 25.5, 1)");
        db = std::make_shared<Workspace>()->OpenDatabase(roh->Name());
    }

    std::shared_ptr<Database> db;
};

TEST_P(RecordsetLesen, FieldsComeBackAsVariantsOfTheirStorageClass) {
    auto rs = db->OpenRecordset("SELECT * FROM TempDoc WHERE ID_Benutzer = 1");
    ASSERT_FALSE(rs->EOF());
    EXPECT_EQ(rs->Fields("ID_Auftragsnummer").Value(), Variant(4711));
    EXPECT_EQ(rs->Fields("AbschlagAbsolut").Value(), Variant(250.5));
    EXPECT_TRUE(rs->Fields("Rabatt").Value().IstNull());
    EXPECT_TRUE(rs->Fields("ID_Lieferschein").Value().IstNull());
    EXPECT_EQ(rs->Fields("mehrwertsteuersatz").Value(), Variant(190)) << "field names ignore case";
    EXPECT_EQ(rs->Fields("MeßtruppZusammenfassen").Value(), Variant(0)) << "column default";
    EXPECT_TRUE(rs->Fields("MwStErmäßigt").Value().IstNull()) << "a name with umlauts, folded to lower case by the server";

    auto v = db->OpenRecordset("Version");
    EXPECT_EQ(v->Fields("Zahlungsziel").Value(), Variant("Zahlbar innerhalb von <14> Tagen."));
    EXPECT_EQ(v->Fields(1).Value(), Variant(25.5));
    EXPECT_EQ(v->FieldCount(), 3);
    EXPECT_EQ(db->OpenRecordset("[version]")->RecordCount(), 1) << "a bare table name in any case";
}

TEST_P(RecordsetLesen, NavigationFollowsBofEofRules) {
    auto rs = db->OpenRecordset("SELECT * FROM Rechnung WHERE ID_Auftragsnummer = 4711 AND Rechnungsart = 5");
    EXPECT_EQ(rs->RecordCount(), 2);
    EXPECT_FALSE(rs->BOF());
    EXPECT_EQ(rs->Fields("Rechnungsnummer").Value(), Variant("2026/17"));
    rs->MoveNext();
    EXPECT_EQ(rs->Fields("Rechnungsnummer").Value(), Variant("2026/18"));
    rs->MoveNext();
    EXPECT_TRUE(rs->EOF());
    EXPECT_EQ(FehlerVon([&] { rs->Fields("Brutto").Value(); }).nummer, fehlernummer::KeinAktuellerDatensatz);
    EXPECT_EQ(FehlerVon([&] { rs->MoveNext(); }).nummer, fehlernummer::KeinAktuellerDatensatz);
    rs->MoveFirst();
    EXPECT_EQ(rs->Fields("Brutto").Value(), Variant(119000.0));
    EXPECT_EQ(FehlerVon([&] { rs->MovePrevious(); rs->MovePrevious(); }).nummer, fehlernummer::KeinAktuellerDatensatz);
    EXPECT_TRUE(rs->BOF());

    auto leer = db->OpenRecordset("SELECT * FROM TempDoc WHERE ID_Benutzer = 99");
    EXPECT_TRUE(leer->BOF());
    EXPECT_TRUE(leer->EOF());
    EXPECT_EQ(leer->RecordCount(), 0);
    EXPECT_EQ(FehlerVon([&] { leer->MoveFirst(); }).nummer, fehlernummer::KeinAktuellerDatensatz);
    auto f = FehlerVon([&] { leer->Fields("Rabatt").Value(); });
    EXPECT_EQ(f.nummer, 3021);
}

TEST_P(RecordsetLesen, DatesAndBoundValuesInQueriesAndInExecute) {
    // The invoice number comes from data, so it is bound, not pasted.
    auto rs = db->OpenRecordset(
        "SELECT ID_Terminart, ID_Rechnungsnummer, Datum From Termine WHERE (((ID_Terminart)=8) AND ((ID_Rechnungsnummer)=?));",
        {Variant(10)});
    ASSERT_EQ(rs->RecordCount(), 1);
    Variant datum = rs->Fields("Datum").Value();
    ASSERT_EQ(datum.Typ(), VarTyp::Date) << "a DATE column reads as a date";
    EXPECT_EQ(datum.AlsDatum(), vk::DatumAusTagen(2026, 3, 1));
    EXPECT_EQ(vk::CStr(datum), "01.03.2026");

    // Execute runs one change and counts its rows.
    db->Execute("UPDATE Rechnung SET Rechnungsart = ? WHERE ID_Auftragsnummer = ?", {Variant(7), Variant(4711)});
    EXPECT_EQ(db->RecordsAffected(), 3);
    db->Execute("INSERT INTO Termine VALUES (12, 8, ?)", {Variant(vk::DatumAusTagen(2026, 12, 5))});
    EXPECT_EQ(roh->Text("SELECT Datum FROM Termine WHERE ID_Rechnungsnummer = 12"), "2026-12-05")
        << "a date is stored as the date (ISO-8601 text in a file)";
}

TEST_P(RecordsetLesen, ErrorsNameTheMissingTableOrField) {
    auto rs = db->OpenRecordset("SELECT * FROM TempDoc");
    const struct {
        std::function<void()> aktion;
        int nummer;
        const char* genannt;
    } fälle[] = {
        {[&] { db->OpenRecordset("SELECT * FROM TempDocs WHERE ID_Benutzer = 1"); }, fehlernummer::TabelleNichtGefunden, "'TempDocs'"},
        {[&] { db->OpenRecordset("SELECT * FROM TempDoc WHERE Benutzer = 1"); }, fehlernummer::ParameterAnzahl, "'Benutzer'"},
        {[&] { rs->Fields("Skonto"); }, fehlernummer::ElementNichtGefunden, "'Skonto'"},
        {[&] { db->OpenRecordset("SELEKT * FROM TempDoc"); }, fehlernummer::SyntaxFehler, ""},
        // a placeholder without a value
        {[&] { db->OpenRecordset("SELECT * FROM Termine WHERE ID_Terminart = ?"); }, fehlernummer::ParameterAnzahl, ""},
        {[&] { db->OpenRecordset("DELETE FROM Termine"); }, fehlernummer::UngueltigeOperation, ""},
        {[&] { db->Execute("SELECT * FROM Termine"); }, fehlernummer::AuswahlabfrageAusfuehren, ""},
        {[&] { db->OpenRecordset("Version", 3); }, fehlernummer::UngueltigesArgument, ""},
    };
    for (const auto& fall : fälle) {
        auto f = FehlerVon(fall.aktion);
        EXPECT_EQ(f.nummer, fall.nummer) << f.beschreibung;
        EXPECT_NE(f.beschreibung.find(fall.genannt), std::string::npos) << f.beschreibung;
    }
    EXPECT_EQ(roh->Text("SELECT count(*) FROM Termine"), "3");
}

// A value taken from data cannot change a statement: it is bound, and a second statement after the
// first one is refused.
TEST_P(RecordsetLesen, HostileValuesStayValuesAndASecondStatementIsRefused) {
    // An order number as a host could have stored it in a text field. A file compares it with the
    // numbers and finds none; the server refuses a text that is no number where a number belongs.
    for (const char* boese : {"4711 OR 1=1", "0; DROP TABLE Rechnung", "4711' OR '1'='1", "4711 --"}) {
        long zeilen = -1;
        const auto f = FehlerVon([&] {
            zeilen = db->OpenRecordset("SELECT * FROM Rechnung WHERE ID_Auftragsnummer = ? AND Rechnungsart = 5", {Variant(boese)})
                         ->RecordCount();
        });
        if (GetParam() == vktest::Backend::SQLite) {
            EXPECT_EQ(zeilen, 0) << boese;
        } else {
            EXPECT_EQ(f.nummer, fehlernummer::Datentyp) << boese << ": " << f.beschreibung;
        }
    }
    db->Execute("UPDATE Rechnung SET Rechnungsnummer = ? WHERE ID_Rechnungsnummer = ?",
                {Variant("x'; DELETE FROM Rechnung; --"), Variant(10)});
    EXPECT_EQ(roh->Text("SELECT count(*) FROM Rechnung"), "3");
    EXPECT_EQ(roh->Text("SELECT Rechnungsnummer FROM Rechnung WHERE ID_Rechnungsnummer = 10"), "x'; DELETE FROM Rechnung; --");

    // Had someone pasted the value into the text, the second statement is refused, not run.
    EXPECT_EQ(FehlerVon([&] { db->OpenRecordset("SELECT * FROM Rechnung WHERE ID_Auftragsnummer = 0; DROP TABLE Rechnung"); }).nummer,
              fehlernummer::ZeichenNachEnde);
    EXPECT_EQ(FehlerVon([&] { db->Execute("DELETE FROM Termine; DROP TABLE Rechnung"); }).nummer, fehlernummer::ZeichenNachEnde);
    EXPECT_EQ(roh->Text("SELECT count(*) FROM Rechnung"), "3");
    EXPECT_EQ(roh->Text("SELECT count(*) FROM Termine"), "3");

    // A trailing semicolon or comment is fine.
    EXPECT_EQ(db->OpenRecordset("SELECT * FROM Rechnung; -- alle")->RecordCount(), 3);
}

INSTANTIATE_TEST_SUITE_P(Backends, RecordsetLesen, ::testing::Values(vktest::Backend::SQLite, vktest::Backend::PostgreSQL),
                         vktest::NachBackend());

}  // namespace
