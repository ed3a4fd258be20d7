// The command line against an office database on the PostgreSQL server: `vk demo --db URI`, every
// category applied to a final invoice with an advance invoice stores what a database file stores (and
// its e-invoice says what the file's says), and a lock held longer than the timeout saves nothing.
//
// `vk apply` saves the invoice file and its record together or neither: a record the database does
// not let it write (a read-only file, a server role that may only read), a replace the system
// refuses after everything else was done, and an invoice another program holds all end with exit
// status 2, "nothing was saved", the invoice and the database as they were. A password in the
// database address never shows, however its parameter name is spelt.
#include <gtest/gtest.h>
#include <unistd.h>

#include "common/dateisperre.h"
#include "common/konvertierung.h"
#include "component/rechnungsspeicher.h"
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

// vk apply refused: exit status 2, "nothing was saved" and the reason.
void NichtsGespeichertGemeldet(const Lauf& l, const std::string& grund) {
    EXPECT_EQ(l.status, 2) << l.ausgabe;
    EXPECT_TRUE(l.ausgabe.starts_with("vk: apply: Nichts wurde gespeichert: ")) << l.ausgabe;
    EXPECT_NE(l.ausgabe.find(grund), std::string::npos) << l.ausgabe;
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
    NichtsGespeichertGemeldet(l, aufServer ? "Rechnung 1" : "gesperrt");
    EXPECT_NE(l.ausgabe.find("gesperrt"), std::string::npos) << l.ausgabe;
    EXPECT_EQ(DateiLesen(buero.ordner / "Schluss.docx"), dokumentVorher) << "the invoice was saved";
    EXPECT_EQ(Rechnungen(buero.db), vorher) << Text(Rechnungen(buero.db));

    ASSERT_EQ(buero.Apply(4, "--set chkOrt=1 --set mskMehrfach=2").status, 0);
    // 357,00 € less the advance invoice's 119,00 €.
    EXPECT_EQ(Rechnungen(buero.db).front()[5], vk::Variant(23800.0)) << Text(Rechnungen(buero.db));
}

INSTANTIATE_TEST_SUITE_P(Backends, GesperrterDatensatz, ::testing::Values(Backend::SQLite, Backend::PostgreSQL),
                         NachBackend());

// The demo office with its priced invoice, and what `vk apply` must leave as it is when it refuses.
class NichtsGespeichert : public DemoBuero {
protected:
    void SetUp() override {
        DemoBuero::SetUp();
        dokument_ = DateiLesen(Rechnung());
        brutto_ = Brutto();
    }
    std::string Apply(const std::string& db) const {
        return "apply " + RechnungsArgumente(db, Rechnung()) + " --category 4 --choose 1 --set chkOrt=0";
    }
    // Refused, the invoice file as it was (and the record, for a database file).
    void Abgelehnt(const Lauf& l, const std::string& grund) {
        NichtsGespeichertGemeldet(l, grund);
        EXPECT_EQ(DateiLesen(Rechnung()), dokument_) << "the invoice was saved";
        EXPECT_EQ(Brutto(), brutto_) << "the record was stored";
    }
    std::string dokument_, brutto_;
};

// A database file the user may only read: the record cannot take the totals, so the invoice is not
// replaced either. (Run as another user where the tests run as root, who may write any file.)
TEST_F(NichtsGespeichert, AReadOnlyDatabaseFileSavesNeitherFileNorRecord) {
    const fs::path db = Db();
    const std::string vorher = DateiLesen(db);
    ASSERT_EQ(::chmod(db.c_str(), 0444), 0);
    std::string als;
    if (::geteuid() == 0) {
        for (const fs::path& p : {ordner_.Pfad(), Rechnung(), ordner_ / "Vorlage.docx"})
            ASSERT_EQ(::chown(p.c_str(), 65534, 65534), 0);
        als = "setpriv --reuid=65534 --regid=65534 --clear-groups ";
    }
    Lauf l;
    l.ausgabe = Ausfuehren(als + VK_CLI_BINARY + " " + Apply(db.string()) + " 2>&1", &l.status);
    Abgelehnt(l, "");
    EXPECT_EQ(DateiLesen(db), vorher);
}

// A server role with SELECT only: the same, on the server.
TEST_F(NichtsGespeichert, ARoleThatMayOnlyReadSavesNeitherFileNorRecord_PostgreSQL) {
    pg::Datenbank server;
    ASSERT_EQ(Vk("demo " + Zitiert((ordner_ / "server").string()) + " --db " + Zitiert(server.Adresse())).status, 0);
    const std::string rolle = "leser_" + server.Name();
    pg::Roh roh(server.Adresse());
    roh.Sql("CREATE ROLE " + rolle + " LOGIN; GRANT SELECT ON ALL TABLES IN SCHEMA public TO " + rolle);
    const std::string vorher = roh.Text("SELECT Brutto FROM Rechnung WHERE ID_Rechnungsnummer = 1");
    std::string adresse = server.Adresse();
    adresse.replace(adresse.find("user=vk"), 7, "user=" + rolle);
    Abgelehnt(Vk(Apply(adresse)), "");
    EXPECT_EQ(roh.Text("SELECT Brutto FROM Rechnung WHERE ID_Rechnungsnummer = 1"), vorher);
    roh.Sql("REVOKE ALL ON ALL TABLES IN SCHEMA public FROM " + rolle + "; DROP OWNED BY " + rolle + "; DROP ROLE " + rolle);
}

// The replace refused by the system (as a sticky folder refuses it) when file and record are ready:
// the record is not committed, so both stay as they were.
TEST_F(NichtsGespeichert, AReplaceTheSystemRefusesLeavesTheRecordAsItWas) {
    ASSERT_FALSE(Ausfuehren("command -v strace").empty()) << "strace is not installed (Debian strace; ./run installs it)";
    Abgelehnt(VkUnterStrace("rename:error=EPERM", Apply(Db())), "kann nicht ersetzt werden");
    EXPECT_EQ(Vk(Apply(Db())).status, 0) << "the next confirmation saves";
}

// Another program holds the invoice beyond the wait: the invoice is named, nothing is saved.
TEST_F(NichtsGespeichert, AnInvoiceAnotherProgramHoldsIsNamedAndLeftAlone) {
    const std::string vorher = DateiLesen(Db());
    {
        const vk::Rechnungssperre andere(Rechnung());
        Abgelehnt(Vk(Apply(Db())), Rechnung().string() + " wird gerade von einem anderen Programm");
    }
    EXPECT_EQ(DateiLesen(Db()), vorher);
    EXPECT_EQ(Vk(Apply(Db())).status, 0) << "once it lets go";
}

// The address in a message (an invoice that is not there) is shown without its password, whatever
// way its parameter's name is spelt: the connection library decodes it.
TEST(KommandozeilePasswort, APasswordInTheAddressNeverShowsWhateverItsParameterIsCalled_PostgreSQL) {
    const Buero buero(true);
    for (const char* name : {"password", "pass%77ord", "%70assword"}) {
        const Lauf l = Vk("apply --db " + Zitiert(buero.db + "&" + name + "=GEHEIM1") + " --user 1 --invoice 99 --doc " +
                          Zitiert((buero.ordner / "Rechnung.docx").string()) + " --category 4 --cancel");
        EXPECT_EQ(l.status, 2) << name << ": " << l.ausgabe;
        EXPECT_NE(l.ausgabe.find("Die Rechnung 99 gibt es in postgresql://"), std::string::npos) << l.ausgabe;
        EXPECT_EQ(l.ausgabe.find("GEHEIM1"), std::string::npos) << name << ": " << l.ausgabe;
    }
}

}  // namespace
}  // namespace vktest
