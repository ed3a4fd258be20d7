// The command line against an office database on the PostgreSQL server: `vk demo --db URI`, every
// category applied to a final invoice with an advance invoice stores what a database file stores (and
// its e-invoice says what the file's says), and a lock held longer than the timeout saves nothing.
#include <gtest/gtest.h>

#include "common/konvertierung.h"
#include "pg/pgserver.h"
#include "platform/dao/dao.h"
#include "rechnungsordner.h"

namespace vktest {
namespace {

namespace fs = std::filesystem;

using Zeilen = std::vector<std::vector<vk::Variant>>;

// Every row of the invoice table, each field as a Variant, in key order.
Zeilen Rechnungen(const std::string& datenbank) {
    auto rs = std::make_shared<vk::dao::Workspace>()->OpenDatabase(datenbank)->OpenRecordset(
        "SELECT * FROM Rechnung ORDER BY ID_Rechnungsnummer");
    Zeilen zeilen;
    for (; !rs->EOF(); rs->MoveNext()) {
        zeilen.emplace_back();
        for (int i = 0; i < rs->FieldCount(); ++i) zeilen.back().push_back(rs->Fields(i).Value());
    }
    return zeilen;
}

std::string Text(const Zeilen& zeilen) {
    std::string text;
    for (const auto& z : zeilen) {
        for (const vk::Variant& w : z) text += (w.IstNull() ? std::string("Null") : vk::CStr(w)) + " | ";
        text += "\n";
    }
    return text;
}

// The demo office (of a file or of the server), its invoice 1 turned into a final invoice of order 1
// that follows an advance invoice 2 dated 2 November 2026: the totals read that date and deduct it.
struct Buero {
    TempOrdner ordner;
    std::unique_ptr<pg::Datenbank> server;
    std::string db;
    std::string demo;  // what `vk demo` printed

    explicit Buero(bool aufServer) : server(aufServer ? std::make_unique<pg::Datenbank>() : nullptr) {
        db = aufServer ? server->Adresse() : (ordner / "buero.sqlite").string();
        const Lauf l = Vk("demo " + Zitiert(ordner.Pfad().string()) + (aufServer ? " --db " + Zitiert(db) : ""));
        EXPECT_EQ(l.status, 0) << l.ausgabe;
        demo = l.ausgabe.substr(0, l.ausgabe.find("Geschrieben: "));
        Sql("UPDATE Rechnung SET Rechnungsart = 4 WHERE ID_Rechnungsnummer = 1;"
            "INSERT INTO Rechnung VALUES (2, 1, 5, '2026-000', 10000, 11900, 0, 190);"
            "INSERT INTO Termine VALUES (2, 8, '2026-11-02')");
        fs::copy_file(ordner / "Vorlage.docx", ordner / "Schluss.docx");
    }
    void Sql(const std::string& sql) const { server ? pg::Roh(db).Sql(sql) : Roh(db).Sql(sql); }
    std::string Argumente() const { return RechnungsArgumente(db, ordner / "Schluss.docx"); }
    Lauf Apply(int kategorie, const std::string& eingaben) const {
        return Vk("apply " + Argumente() + " --category " + std::to_string(kategorie) + " " + eingaben);
    }
    // The final invoice's e-invoice.
    std::string ERechnung() const {
        const Lauf l = Vk("einvoice " + Argumente() + " --out " + Zitiert((ordner / "Schluss.xml").string()));
        EXPECT_EQ(l.status, 0) << l.ausgabe;
        return DateiLesen(ordner / "Schluss.xml");
    }
};

TEST(KommandozeileServer, DemoAndEveryCategoryStoreWhatAFileStores_PostgreSQL) {
    Buero datei(false), server(true);
    EXPECT_EQ(server.demo, datei.demo);
    // The demo's totals (net 20.714,00 €, gross 24.491,01 €) as the demo test has them.
    EXPECT_NE(server.demo.find("Gespeichert: NettoRechnung 1987900 ct, Brutto 2449101 ct"), std::string::npos) << server.demo;

    for (const auto& [kategorie, eingaben] : kJeKategorie) {
        SCOPED_TRACE(kategorie);
        const Lauf a = datei.Apply(kategorie, eingaben), b = server.Apply(kategorie, eingaben);
        ASSERT_EQ(a.status, 0) << a.ausgabe;
        ASSERT_EQ(b.status, 0) << b.ausgabe;
        EXPECT_EQ(b.ausgabe, a.ausgabe);
        EXPECT_EQ(Rechnungen(server.db), Rechnungen(datei.db)) << Text(Rechnungen(server.db)) << Text(Rechnungen(datei.db));
    }
    // The final invoice's e-invoice: master data, the advance invoice and its date read from the server
    // as from the file.
    const std::string xml = server.ERechnung();
    EXPECT_EQ(xml, datei.ERechnung());
    EXPECT_NE(xml.find("<ram:TotalPrepaidAmount>119.00</ram:TotalPrepaidAmount>"), std::string::npos) << xml;
    EXPECT_NE(xml.find("Rechnung Nr. 2026-000 vom 02.11.2026"), std::string::npos);

    // The advance invoice's date came from the server's DATE column.
    EXPECT_NE(server.Apply(4, "--choose 1").ausgabe.find("Rechnung Nr. 2026-000 vom 02.11.2026"), std::string::npos);
    EXPECT_FALSE(Rechnungen(server.db).front()[5].IstNull());

    // A server database that holds the office tables already is left alone.
    const Lauf nochmal = Vk("demo " + Zitiert(server.ordner.Pfad().string()) + " --db " + Zitiert(server.db));
    EXPECT_EQ(nochmal.status, 2);
    EXPECT_NE(nochmal.ausgabe.find("enthält schon Tabellen"), std::string::npos) << nochmal.ausgabe;
    EXPECT_EQ(pg::Roh(server.db).Text("SELECT count(*) FROM Rechnung"), "2");
}

// Another workstation holds the invoice record locked for longer than the lock timeout (2 s): the
// confirmation saves nothing, neither the invoice nor its record, and says why (exit status 2,
// naming the invoice on the server); once the lock is gone the same confirmation stores the totals
// (300,00 € and 19 % VAT) with the invoice.
class GesperrterDatensatz : public ::testing::TestWithParam<Backend> {};

TEST_P(GesperrterDatensatz, NothingSavedNeitherFileNorRecordAndTheInvoiceNamed) {
    const bool aufServer = GetParam() == Backend::PostgreSQL;
    Buero buero(aufServer);
    std::unique_ptr<pg::Roh> pgAndere = aufServer ? std::make_unique<pg::Roh>(buero.db) : nullptr;
    std::unique_ptr<Roh> dateiAndere = aufServer ? nullptr : std::make_unique<Roh>(buero.db);
    const auto andere = [&](const std::string& sql) { aufServer ? pgAndere->Sql(sql) : dateiAndere->Sql(sql); };
    andere(aufServer ? "BEGIN; SELECT * FROM Rechnung WHERE ID_Rechnungsnummer = 1 FOR UPDATE" : "BEGIN IMMEDIATE");
    const auto vorher = Rechnungen(buero.db);
    const std::string dokumentVorher = DateiLesen(buero.ordner / "Schluss.docx");
    const Lauf l = buero.Apply(4, "--set chkOrt=1 --set mskMehrfach=2");
    andere("ROLLBACK");
    EXPECT_EQ(l.status, 2) << l.ausgabe;
    EXPECT_TRUE(l.ausgabe.starts_with("vk: apply: Nichts wurde gespeichert: ")) << l.ausgabe;
    EXPECT_NE(l.ausgabe.find("gesperrt"), std::string::npos) << l.ausgabe;
    EXPECT_TRUE(!aufServer || l.ausgabe.find("Rechnung 1") != std::string::npos) << l.ausgabe;
    EXPECT_EQ(DateiLesen(buero.ordner / "Schluss.docx"), dokumentVorher) << "the invoice was saved";
    EXPECT_EQ(Rechnungen(buero.db), vorher) << Text(Rechnungen(buero.db));

    ASSERT_EQ(buero.Apply(4, "--set chkOrt=1 --set mskMehrfach=2").status, 0);
    // 357,00 € less the advance invoice's 119,00 €.
    EXPECT_EQ(Rechnungen(buero.db).front()[5], vk::Variant(23800.0)) << Text(Rechnungen(buero.db));
}

INSTANTIATE_TEST_SUITE_P(Backends, GesperrterDatensatz, ::testing::Values(Backend::SQLite, Backend::PostgreSQL),
                         NachBackend());

}  // namespace
}  // namespace vktest
