// Edit and Update: the assigned fields of the current row are written in one transaction to the
// row found by its key, survive reopening, and leave other rows and other fields alone.
#include <gtest/gtest.h>

#include "dao/testdatenbank.h"
#include "platform/dao/dao.h"

using namespace vk::dao;
using vk::Variant;
using vktest::FehlerVon;

namespace {

class RecordsetAendern : public vktest::AufBeidenBackends {
protected:
    void SetUp() override {
        AufBeidenBackends::SetUp();
        roh->Sql("INSERT INTO Rechnung VALUES (1, 4711, 1, '2026/1', 10000, 11900, 0, 190),"
                 " (2, 4711, 1, '2026/1', 10000, 11900, 0, 190)");
        db = ws->OpenDatabase(roh->Name());
    }
    double Zahl(const std::string& sql) { return roh->Zahl(sql); }
    // Edit, assign one field, Update.
    static void Aendern(Recordset& rs, const char* feld, const Variant& wert) {
        rs.Edit();
        rs.Fields(feld) = wert;
        rs.Update();
    }

    std::shared_ptr<Workspace> ws = std::make_shared<Workspace>();
    std::shared_ptr<Database> db;
};

TEST_P(RecordsetAendern, UpdateStoresOnlyTheAssignedFieldsAndTheySurviveReopening) {
    auto rs = db->OpenRecordset("SELECT * FROM Rechnung WHERE ID_Rechnungsnummer = 2");
    rs->Edit();
    rs->Fields("NettoRechnung") = Variant(15000.0);
    rs->Fields("Brutto").SetValue(Variant(17850.0));
    rs->Fields("Mehrwertsteuersatz") = Variant(std::int16_t{190});
    EXPECT_EQ(rs->Fields("Brutto").Value(), Variant(17850.0)) << "the assigned value is visible during Edit";
    rs->Update();
    EXPECT_EQ(rs->Fields("Brutto").Value(), Variant(17850.0));
    db->Close();

    auto wieder = std::make_shared<Workspace>()->OpenDatabase(roh->Name());
    auto neu = wieder->OpenRecordset("SELECT * FROM Rechnung WHERE ID_Rechnungsnummer = 2");
    EXPECT_EQ(neu->Fields("NettoRechnung").Value(), Variant(15000.0));
    EXPECT_EQ(neu->Fields("Brutto").Value(), Variant(17850.0));
    EXPECT_EQ(neu->Fields("Mehrwertsteuersatz").Value(), Variant(190));

    // Only the assigned fields are written: another user's change of a field beside them stays.
    rs = wieder->OpenRecordset("SELECT * FROM Rechnung WHERE ID_Rechnungsnummer = 1");
    roh->Sql("UPDATE Rechnung SET Rechnungsnummer = '2026/99' WHERE ID_Rechnungsnummer = 1");
    Aendern(*rs, "Brutto", Variant(1.0));
    EXPECT_EQ(roh->Text("SELECT Rechnungsnummer FROM Rechnung WHERE ID_Rechnungsnummer = 1"), "2026/99");
    EXPECT_EQ(Zahl("SELECT Brutto FROM Rechnung WHERE ID_Rechnungsnummer = 1"), 1);
}

TEST_P(RecordsetAendern, RowIsFoundByItsKeyNotByItsValues) {
    // Two invoices alike in every value but the key, which the query leaves out: only the second changes.
    auto rs = db->OpenRecordset("SELECT ID_Auftragsnummer, Brutto FROM Rechnung ORDER BY ID_Rechnungsnummer");
    rs->MoveNext();
    Aendern(*rs, "Brutto", Variant(-11900.0));
    EXPECT_EQ(Zahl("SELECT Brutto FROM Rechnung WHERE ID_Rechnungsnummer = 1"), 11900);
    EXPECT_EQ(Zahl("SELECT Brutto FROM Rechnung WHERE ID_Rechnungsnummer = 2"), -11900);

    // A table without any key: two rows alike in what the query reads, told apart by the row id.
    roh->Sql("CREATE TABLE Notiz (Text TEXT, Zahl INTEGER, Nr INTEGER); INSERT INTO Notiz VALUES ('a', 1, 1), ('a', 1, 2)");
    auto notiz = db->OpenRecordset("SELECT Text, Zahl FROM Notiz ORDER BY Nr");
    notiz->MoveLast();
    Aendern(*notiz, "Zahl", Variant(2));
    EXPECT_EQ(Zahl("SELECT Zahl FROM Notiz WHERE Nr = 1"), 1);
    EXPECT_EQ(Zahl("SELECT Zahl FROM Notiz WHERE Nr = 2"), 2);
    Aendern(*notiz, "Text", Variant("b"));
    EXPECT_EQ(roh->Text("SELECT Text FROM Notiz WHERE Nr = 2"), "b") << "the row id read back after the first Update";

    // A primary key of two columns (a file keeps such a table without rowid).
    roh->Sql(std::string("CREATE TABLE Satz (A INTEGER, B INTEGER, W TEXT, PRIMARY KEY (A, B))") +
             (GetParam() == vktest::Backend::SQLite ? " WITHOUT ROWID" : "") + "; INSERT INTO Satz VALUES (1, 1, 'x'), (1, 2, 'x')");
    auto satz = db->OpenRecordset("SELECT W, B, A FROM Satz WHERE A = 1 ORDER BY B");
    satz->MoveNext();
    Aendern(*satz, "W", Variant("y"));
    EXPECT_EQ(roh->Text("SELECT W FROM Satz WHERE B = 1"), "x");
    EXPECT_EQ(roh->Text("SELECT W FROM Satz WHERE B = 2"), "y");
}

TEST_P(RecordsetAendern, EditRulesRefusalsAndAFailedUpdate) {
    auto rs = db->OpenRecordset("SELECT * FROM Rechnung");
    EXPECT_EQ(FehlerVon([&] { rs->Fields("Brutto") = Variant(1.0); }).nummer, fehlernummer::UpdateOhneEdit);
    EXPECT_EQ(FehlerVon([&] { rs->Update(); }).nummer, fehlernummer::UpdateOhneEdit);

    // Moving away drops what was assigned.
    rs->Edit();
    rs->Fields("Brutto") = Variant(1.0);
    rs->MoveNext();
    EXPECT_EQ(FehlerVon([&] { rs->Update(); }).nummer, fehlernummer::UpdateOhneEdit);
    EXPECT_EQ(Zahl("SELECT min(Brutto) FROM Rechnung"), 11900);

    // Read-only recordsets: snapshot, grouped rows, computed columns.
    auto snapshot = db->OpenRecordset("SELECT * FROM Rechnung", dbOpenSnapshot);
    EXPECT_EQ(FehlerVon([&] { snapshot->Edit(); }).nummer, fehlernummer::NichtAktualisierbar);
    auto gruppe = db->OpenRecordset("SELECT ID_Auftragsnummer, max(Brutto) AS Brutto FROM Rechnung GROUP BY ID_Auftragsnummer");
    EXPECT_FALSE(gruppe->Updatable());
    auto rechnung = db->OpenRecordset("SELECT Brutto, Brutto / 100 AS Euro FROM Rechnung");
    rechnung->Edit();
    EXPECT_EQ(FehlerVon([&] { rechnung->Fields("Euro") = Variant(5.0); }).nummer, fehlernummer::FeldNichtAktualisierbar);

    // The row was deleted meanwhile: the Update reports it and changes nothing.
    auto weg = db->OpenRecordset("SELECT * FROM Rechnung WHERE ID_Rechnungsnummer = 2");
    roh->Sql("DELETE FROM Rechnung WHERE ID_Rechnungsnummer = 2");
    weg->Edit();
    weg->Fields("Brutto") = Variant(5.0);
    EXPECT_EQ(FehlerVon([&] { weg->Update(); }).nummer, fehlernummer::DatensatzGeloescht);
    EXPECT_EQ(Zahl("SELECT count(*) FROM Rechnung"), 1);

    // A failed Update writes no field at all; the assignment stays pending until cancelled.
    roh->Sql("CREATE TABLE Pflicht (A INTEGER, B INTEGER NOT NULL); INSERT INTO Pflicht VALUES (1, 1)");
    auto pflicht = db->OpenRecordset("Pflicht");
    pflicht->Edit();
    pflicht->Fields("A") = Variant(2);
    pflicht->Fields("B") = Variant::Null();
    EXPECT_EQ(FehlerVon([&] { pflicht->Update(); }).nummer, fehlernummer::NullNichtErlaubt);
    EXPECT_EQ(roh->Text("SELECT A || ',' || B FROM Pflicht"), "1,1");
    EXPECT_EQ(pflicht->Fields("A").Value(), Variant(2)) << "the assignment stays pending after a failed Update";
    pflicht->CancelUpdate();
    EXPECT_EQ(pflicht->Fields("A").Value(), Variant(1));
}

INSTANTIATE_TEST_SUITE_P(Backends, RecordsetAendern, ::testing::Values(vktest::Backend::SQLite, vktest::Backend::PostgreSQL),
                         vktest::NachBackend());

}  // namespace
