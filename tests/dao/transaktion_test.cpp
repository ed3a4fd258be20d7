// Transactions: what is changed between BeginTrans and CommitTrans is stored together or, after
// Rollback, not at all; a statement that fails inside a transaction has no effect and the
// transaction goes on; a second writer waits for the first up to the lock timeout, then fails with
// 3260. A file has one write lock for the whole database; a server locks the rows written.
#include <gtest/gtest.h>

#include "common/konvertierung.h"
#include "dao/testdatenbank.h"
#include "platform/dao/dao.h"

using namespace vk::dao;
using vk::Variant;
using vktest::Backend;
using vktest::FehlerVon;

namespace {

class Transaktion : public vktest::AufBeidenBackends {
protected:
    void SetUp() override {
        AufBeidenBackends::SetUp();
        roh->Sql("INSERT INTO Rechnung (ID_Rechnungsnummer, Brutto) VALUES (1, 100), (2, 200)");
        db = Oeffnen();
    }
    std::shared_ptr<Database> Oeffnen() {
        auto ws = std::make_shared<Workspace>();
        ws->SetLockTimeout(std::chrono::milliseconds(50));
        return ws->OpenDatabase(roh->Name());
    }
    static std::shared_ptr<Recordset> Rechnung(Database& d, int id) {
        return d.OpenRecordset("SELECT * FROM Rechnung WHERE ID_Rechnungsnummer = ?", {Variant(id)});
    }
    static void Brutto(Recordset& rs, double wert) {
        rs.Edit();
        rs.Fields("Brutto") = Variant(wert);
        rs.Update();
    }

    std::shared_ptr<Database> db;
};

TEST_P(Transaktion, ChangesAreStoredTogetherOrNotAtAll) {
    auto rs = Rechnung(*db, 1);
    EXPECT_FALSE(db->InTransaction());
    db->BeginTrans();
    EXPECT_TRUE(db->InTransaction());
    EXPECT_EQ(FehlerVon([&] { db->BeginTrans(); }).nummer, fehlernummer::KeineTransaktion);
    Brutto(*rs, 150);
    db->Execute("INSERT INTO Termine VALUES (1, 8, ?)", {Variant(vk::DatumAusTagen(2026, 5, 4))});
    EXPECT_EQ(roh->Zahl("SELECT Brutto FROM Rechnung WHERE ID_Rechnungsnummer = 1"), 100) << "others see nothing before the commit";
    db->Rollback();
    EXPECT_FALSE(db->InTransaction());
    EXPECT_EQ(roh->Zahl("SELECT Brutto FROM Rechnung WHERE ID_Rechnungsnummer = 1"), 100);
    EXPECT_EQ(roh->Zahl("SELECT count(*) FROM Termine"), 0);

    db->BeginTrans();
    Brutto(*Rechnung(*db, 1), 150);
    db->Execute("INSERT INTO Termine VALUES (1, 8, ?)", {Variant(vk::DatumAusTagen(2026, 5, 4))});
    db->CommitTrans();
    EXPECT_EQ(roh->Zahl("SELECT Brutto FROM Rechnung WHERE ID_Rechnungsnummer = 1"), 150);
    EXPECT_EQ(roh->Text("SELECT Datum FROM Termine"), "2026-05-04");
    EXPECT_EQ(FehlerVon([&] { db->CommitTrans(); }).nummer, fehlernummer::KeineTransaktion);
    EXPECT_EQ(FehlerVon([&] { db->Rollback(); }).nummer, fehlernummer::KeineTransaktion);
}

TEST_P(Transaktion, FailedStatementHasNoEffectAndTheTransactionGoesOn) {
    roh->Sql("CREATE TABLE Pflicht (A INTEGER, B INTEGER NOT NULL); INSERT INTO Pflicht VALUES (1, 1)");
    db->BeginTrans();
    db->Execute("INSERT INTO Termine VALUES (1, 8, '2026-01-01')");
    EXPECT_EQ(FehlerVon([&] { db->OpenRecordset("SELECT * FROM Fehlt"); }).nummer, fehlernummer::TabelleNichtGefunden);
    EXPECT_EQ(FehlerVon([&] { db->Execute("INSERT INTO Pflicht VALUES (2, NULL)"); }).nummer, fehlernummer::NullNichtErlaubt);
    auto pflicht = db->OpenRecordset("Pflicht");
    pflicht->Edit();
    pflicht->Fields("A") = Variant(5);
    pflicht->Fields("B") = Variant::Null();
    EXPECT_EQ(FehlerVon([&] { pflicht->Update(); }).nummer, fehlernummer::NullNichtErlaubt);
    Brutto(*Rechnung(*db, 2), 250);
    db->CommitTrans();
    EXPECT_EQ(roh->Zahl("SELECT count(*) FROM Termine"), 1);
    EXPECT_EQ(roh->Text("SELECT A || ',' || B FROM Pflicht"), "1,1");
    EXPECT_EQ(roh->Zahl("SELECT Brutto FROM Rechnung WHERE ID_Rechnungsnummer = 2"), 250);
}

TEST_P(Transaktion, SecondWriterWaitsUpToTheLockTimeout) {
    auto zweite = Oeffnen();
    auto eins = Rechnung(*zweite, 1);
    auto zwei = Rechnung(*zweite, 2);

    db->BeginTrans();
    Brutto(*Rechnung(*db, 1), 111);
    // The same invoice is locked on both; another invoice only in a file, locked as a whole.
    EXPECT_EQ(FehlerVon([&] { Brutto(*eins, 999); }).nummer, fehlernummer::Gesperrt);
    const auto anderes = FehlerVon([&] { Brutto(*zwei, 222); });
    EXPECT_EQ(anderes.nummer, GetParam() == Backend::SQLite ? fehlernummer::Gesperrt : 0) << anderes.beschreibung;
    // A file's BeginTrans waits for the write lock; a server's takes none, its Update waits.
    const auto beginnen = FehlerVon([&] { zweite->BeginTrans(); });
    EXPECT_EQ(beginnen.nummer, GetParam() == Backend::SQLite ? fehlernummer::Gesperrt : 0) << beginnen.beschreibung;
    if (zweite->InTransaction()) {
        EXPECT_EQ(FehlerVon([&] { Brutto(*eins, 999); }).nummer, fehlernummer::Gesperrt);
        Brutto(*zwei, 223);
        zweite->CommitTrans();
    }
    db->CommitTrans();

    Brutto(*eins, 112);
    EXPECT_EQ(roh->Zahl("SELECT Brutto FROM Rechnung WHERE ID_Rechnungsnummer = 1"), 112);
    EXPECT_EQ(roh->Zahl("SELECT Brutto FROM Rechnung WHERE ID_Rechnungsnummer = 2"), GetParam() == Backend::SQLite ? 200 : 223);
}

INSTANTIATE_TEST_SUITE_P(Backends, Transaktion, ::testing::Values(Backend::SQLite, Backend::PostgreSQL), vktest::NachBackend());

}  // namespace
