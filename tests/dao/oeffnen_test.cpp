// Opening and creating office databases: missing, foreign, locked and read-only files give clear
// errors; a new database never replaces a file.
#include <gtest/gtest.h>

#include <fstream>

#include "dao/testdatenbank.h"
#include "platform/dao/dao.h"

using namespace vk::dao;
using vktest::FehlerVon;

namespace {

class DatenbankOeffnen : public ::testing::Test {
protected:
    vktest::TempOrdner ordner;
    std::shared_ptr<Workspace> ws = std::make_shared<Workspace>();
};

TEST_F(DatenbankOeffnen, MissingFolderAndForeignFilesAreRefusedAndNothingIsCreated) {
    auto datei = ordner / "fehlt.sqlite";
    auto f = FehlerVon([&] { ws->OpenDatabase(datei.string()); });
    EXPECT_EQ(f.nummer, fehlernummer::DateiNichtGefunden);
    EXPECT_NE(f.beschreibung.find("fehlt.sqlite"), std::string::npos) << f.beschreibung;
    EXPECT_FALSE(std::filesystem::exists(datei));
    EXPECT_EQ(FehlerVon([&] { ws->OpenDatabase(""); }).nummer, fehlernummer::DateiNichtGefunden);

    EXPECT_EQ(FehlerVon([&] { ws->OpenDatabase(ordner.Pfad().string()); }).nummer, fehlernummer::DateiNichtZuOeffnen);
    auto text = ordner / "brief.txt";
    std::ofstream(text) << "Sehr geehrte Damen und Herren, dies ist keine Datenbank, sondern ein Brief.\n";
    f = FehlerVon([&] { ws->OpenDatabase(text.string()); });
    EXPECT_EQ(f.nummer, fehlernummer::UnbekanntesFormat);
    EXPECT_NE(f.beschreibung.find("brief.txt"), std::string::npos) << f.beschreibung;
}

TEST_F(DatenbankOeffnen, LockedDatabaseGivesLockError) {
    auto datei = vktest::NeueDatenbank(ordner);
    vktest::Roh anderer(datei);
    anderer.Sql("INSERT INTO Rechnung (ID_Rechnungsnummer, Brutto) VALUES (1, 100)");
    ws->SetLockTimeout(std::chrono::milliseconds(50));
    auto db = ws->OpenDatabase(datei.string());

    // Another user writes: reading waits briefly, then fails with a clear lock error.
    anderer.Sql("BEGIN EXCLUSIVE");
    auto f = FehlerVon([&] { db->OpenRecordset("SELECT * FROM Rechnung"); });
    EXPECT_EQ(f.nummer, fehlernummer::Gesperrt);
    EXPECT_NE(f.beschreibung.find("gesperrt"), std::string::npos) << f.beschreibung;
    EXPECT_EQ(FehlerVon([&] { ws->OpenDatabase(datei.string()); }).nummer, fehlernummer::Gesperrt);
    anderer.Sql("COMMIT");

    // Another user holds a write transaction: Update fails, nothing is written, a retry succeeds.
    auto rs = db->OpenRecordset("SELECT * FROM Rechnung");
    rs->Edit();
    rs->Fields("Brutto") = vk::Variant(250.0);
    anderer.Sql("BEGIN IMMEDIATE");
    EXPECT_EQ(FehlerVon([&] { rs->Update(); }).nummer, fehlernummer::Gesperrt);
    anderer.Sql("ROLLBACK");
    EXPECT_EQ(anderer.Text("SELECT Brutto FROM Rechnung"), "100.0");
    rs->Update();
    EXPECT_EQ(anderer.Text("SELECT Brutto FROM Rechnung"), "250.0");
}

TEST_F(DatenbankOeffnen, ReadOnlyDatabaseRefusesChanges) {
    auto datei = vktest::NeueDatenbank(ordner);
    vktest::Roh(datei).Sql("INSERT INTO Rechnung (ID_Rechnungsnummer, Brutto) VALUES (1, 100)");
    auto db = ws->OpenDatabase(datei.string(), /*readOnly=*/true);
    auto rs = db->OpenRecordset("SELECT * FROM Rechnung");
    EXPECT_EQ(rs->Fields("Brutto").Value(), vk::Variant(100.0));
    rs->Edit();
    rs->Fields("Brutto") = vk::Variant(1.0);
    auto f = FehlerVon([&] { rs->Update(); });
    EXPECT_EQ(f.nummer, fehlernummer::NichtAktualisierbar);
    EXPECT_NE(f.beschreibung.find("schreibgeschützt"), std::string::npos) << f.beschreibung;
    EXPECT_EQ(FehlerVon([&] { db->Execute("DELETE FROM Rechnung"); }).nummer, fehlernummer::NichtAktualisierbar);
    EXPECT_EQ(vktest::Roh(datei).Text("SELECT Brutto FROM Rechnung"), "100.0");
}

TEST_F(DatenbankOeffnen, ClosingMakesDatabaseAndRecordsetsUnusable) {
    auto datei = vktest::NeueDatenbank(ordner);
    auto db = ws->OpenDatabase(datei.string());
    auto rs = db->OpenRecordset("SELECT * FROM Version");
    auto rs2 = db->OpenRecordset("Rechnung");
    rs->Close();
    EXPECT_EQ(FehlerVon([&] { rs->EOF(); }).nummer, fehlernummer::ObjektUngueltig);
    EXPECT_TRUE(rs2->EOF());
    ws->Close();
    EXPECT_EQ(FehlerVon([&] { rs2->RecordCount(); }).nummer, fehlernummer::ObjektUngueltig);
    EXPECT_EQ(FehlerVon([&] { db->OpenRecordset("Version"); }).nummer, fehlernummer::ObjektUngueltig);
}

TEST_F(DatenbankOeffnen, NewDatabaseNeverOverwritesAFileAndLeavesNoTemporaryFile) {
    auto datei = vktest::NeueDatenbank(ordner);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(ordner.Pfad()), {}), 1) << "no temporary file left";
    vktest::Roh(datei).Sql("INSERT INTO Version VALUES ('bleibt', 1, 0)");
    EXPECT_EQ(FehlerVon([&] { DatenbankAnlegen(datei); }).nummer, 58);
    EXPECT_EQ(vktest::Roh(datei).Text("SELECT Zahlungsziel FROM Version"), "bleibt");

    EXPECT_EQ(FehlerVon([&] { DatenbankAnlegen(ordner / "neu.sqlite", ordner / "fehlt.sql"); }).nummer,
              vk::fehlernummer::DateiNichtGefunden);
    EXPECT_FALSE(std::filesystem::exists(ordner / "neu.sqlite"));
}

}  // namespace
