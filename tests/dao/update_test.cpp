// Edit and Update: the assigned fields of the current row are written in one transaction to the
// row found by its key, survive reopening, and leave other rows and other fields alone.
#include <gtest/gtest.h>

#include "dao/testdatenbank.h"
#include "platform/dao/dao.h"

using namespace vk::dao;
using vk::Variant;
using vktest::FehlerVon;

namespace {

class RecordsetAendern : public ::testing::Test {
protected:
    void SetUp() override {
        datei = vktest::NeueDatenbank(ordner);
        roh = std::make_unique<vktest::Roh>(datei);
        roh->Sql("INSERT INTO Rechnung VALUES (1, 4711, 1, '2026/1', 10000, 11900, 0, 190),"
                 " (2, 4711, 1, '2026/1', 10000, 11900, 0, 190)");
        db = ws->OpenDatabase(datei.string());
    }
    std::string Roh(const std::string& sql) { return roh->Text(sql); }
    // Edit, assign one field, Update.
    static void Aendern(Recordset& rs, const char* feld, const Variant& wert) {
        rs.Edit();
        rs.Fields(feld) = wert;
        rs.Update();
    }

    vktest::TempOrdner ordner;
    std::filesystem::path datei;
    std::unique_ptr<vktest::Roh> roh;
    std::shared_ptr<Workspace> ws = std::make_shared<Workspace>();
    std::shared_ptr<Database> db;
};

TEST_F(RecordsetAendern, UpdateStoresFieldsThatSurviveReopening) {
    auto rs = db->OpenRecordset("SELECT * FROM Rechnung WHERE ID_Rechnungsnummer = 2");
    rs->Edit();
    rs->Fields("NettoRechnung") = Variant(15000.0);
    rs->Fields("Brutto").SetValue(Variant(17850.0));
    rs->Fields("Mehrwertsteuersatz") = Variant(std::int16_t{190});
    EXPECT_EQ(rs->Fields("Brutto").Value(), Variant(17850.0)) << "the assigned value is visible during Edit";
    rs->Update();
    EXPECT_EQ(rs->Fields("Brutto").Value(), Variant(17850.0));
    db->Close();

    auto wieder = std::make_shared<Workspace>()->OpenDatabase(datei.string());
    auto neu = wieder->OpenRecordset("SELECT * FROM Rechnung WHERE ID_Rechnungsnummer = 2");
    EXPECT_EQ(neu->Fields("NettoRechnung").Value(), Variant(15000.0));
    EXPECT_EQ(neu->Fields("Brutto").Value(), Variant(17850.0));
    EXPECT_EQ(neu->Fields("Mehrwertsteuersatz").Value(), Variant(190));
}

TEST_F(RecordsetAendern, RowIsFoundByItsKeyNotByItsValues) {
    // Two invoices alike in every value but the key: only the second one changes.
    auto rs = db->OpenRecordset("SELECT ID_Auftragsnummer, Brutto FROM Rechnung ORDER BY ID_Rechnungsnummer");
    rs->MoveNext();
    Aendern(*rs, "Brutto", Variant(-11900.0));
    EXPECT_EQ(Roh("SELECT Brutto FROM Rechnung WHERE ID_Rechnungsnummer = 1"), "11900.0");
    EXPECT_EQ(Roh("SELECT Brutto FROM Rechnung WHERE ID_Rechnungsnummer = 2"), "-11900.0");

    // A table without any key: two identical rows, told apart by their rowid.
    roh->Sql("CREATE TABLE Notiz (Text TEXT, Zahl INTEGER); INSERT INTO Notiz VALUES ('a', 1), ('a', 1)");
    auto notiz = db->OpenRecordset("SELECT * FROM Notiz");
    notiz->MoveLast();
    Aendern(*notiz, "Zahl", Variant(2));
    EXPECT_EQ(Roh("SELECT group_concat(Zahl) FROM (SELECT Zahl FROM Notiz ORDER BY rowid)"), "1,2");

    // A table without rowid: found by its primary key.
    roh->Sql("CREATE TABLE Satz (A INTEGER, B INTEGER, W TEXT, PRIMARY KEY (A, B)) WITHOUT ROWID;"
             "INSERT INTO Satz VALUES (1, 1, 'x'), (1, 2, 'x')");
    auto satz = db->OpenRecordset("SELECT W, B, A FROM Satz WHERE A = 1 ORDER BY B");
    satz->MoveNext();
    Aendern(*satz, "W", Variant("y"));
    EXPECT_EQ(Roh("SELECT group_concat(W) FROM (SELECT W FROM Satz ORDER BY B)"), "x,y");
}

TEST_F(RecordsetAendern, OnlyAssignedFieldsAreWritten) {
    auto rs = db->OpenRecordset("SELECT * FROM Rechnung WHERE ID_Rechnungsnummer = 1");
    roh->Sql("UPDATE Rechnung SET Rechnungsnummer = '2026/99' WHERE ID_Rechnungsnummer = 1");  // another user
    Aendern(*rs, "Brutto", Variant(1.0));
    EXPECT_EQ(Roh("SELECT Rechnungsnummer || ' ' || Brutto FROM Rechnung WHERE ID_Rechnungsnummer = 1"), "2026/99 1.0");
}

TEST_F(RecordsetAendern, EditRulesAndRefusals) {
    auto rs = db->OpenRecordset("SELECT * FROM Rechnung");
    EXPECT_EQ(FehlerVon([&] { rs->Fields("Brutto") = Variant(1.0); }).nummer, fehlernummer::UpdateOhneEdit);
    EXPECT_EQ(FehlerVon([&] { rs->Update(); }).nummer, fehlernummer::UpdateOhneEdit);

    // Moving away drops what was assigned.
    rs->Edit();
    rs->Fields("Brutto") = Variant(1.0);
    rs->MoveNext();
    EXPECT_EQ(FehlerVon([&] { rs->Update(); }).nummer, fehlernummer::UpdateOhneEdit);
    EXPECT_EQ(Roh("SELECT min(Brutto) FROM Rechnung"), "11900.0");

    // Read-only recordsets: snapshot, grouped rows, computed columns.
    auto snapshot = db->OpenRecordset("SELECT * FROM Rechnung", dbOpenSnapshot);
    EXPECT_EQ(FehlerVon([&] { snapshot->Edit(); }).nummer, fehlernummer::NichtAktualisierbar);
    auto gruppe = db->OpenRecordset("SELECT ID_Auftragsnummer, Brutto FROM Rechnung GROUP BY ID_Auftragsnummer");
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
    EXPECT_EQ(Roh("SELECT count(*) FROM Rechnung"), "1");
}

TEST_F(RecordsetAendern, FailedUpdateWritesNoFieldAtAll) {
    roh->Sql("CREATE TABLE Pflicht (A INTEGER, B INTEGER NOT NULL); INSERT INTO Pflicht VALUES (1, 1)");
    auto rs = db->OpenRecordset("Pflicht");
    rs->Edit();
    rs->Fields("A") = Variant(2);
    rs->Fields("B") = Variant::Null();
    EXPECT_EQ(FehlerVon([&] { rs->Update(); }).nummer, fehlernummer::NullNichtErlaubt);
    EXPECT_EQ(Roh("SELECT A || ',' || B FROM Pflicht"), "1,1");
    EXPECT_EQ(rs->Fields("A").Value(), Variant(2)) << "the assignment stays pending after a failed Update";
    rs->CancelUpdate();
    EXPECT_EQ(rs->Fields("A").Value(), Variant(1));
}

}  // namespace
