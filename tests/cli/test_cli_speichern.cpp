// `vk apply` saves the invoice file and its record together or neither: a record the database does
// not let it write (a read-only file, a server role that may only read), a replace the system
// refuses after everything else was done, and an invoice another program holds all end with exit
// status 2, "nothing was saved", the invoice and the database as they were. A password in the
// database address never shows, however its parameter name is spelt.
#include <gtest/gtest.h>
#include <unistd.h>

#include "common/dateisperre.h"
#include "component/rechnungsspeicher.h"
#include "pg/pgserver.h"
#include "rechnungsordner.h"

namespace vktest {
namespace {

namespace fs = std::filesystem;

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
        EXPECT_EQ(l.status, 2) << l.ausgabe;
        EXPECT_TRUE(l.ausgabe.starts_with("vk: apply: Nichts wurde gespeichert: ")) << l.ausgabe;
        EXPECT_NE(l.ausgabe.find(grund), std::string::npos) << l.ausgabe;
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
    Lauf l;
    // (LeakSanitizer, in a build with it, cannot run under strace.)
    l.ausgabe = Ausfuehren("ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0 "
                           "strace -f -qq -o /dev/null -e trace=rename -e inject=rename:error=EPERM " +
                               std::string(VK_CLI_BINARY) + " " + Apply(Db()) + " 2>&1",
                           &l.status);
    Abgelehnt(l, "kann nicht ersetzt werden");
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
    pg::Datenbank server;
    TempOrdner ordner;
    ASSERT_EQ(Vk("demo " + Zitiert(ordner.Pfad().string()) + " --db " + Zitiert(server.Adresse())).status, 0);
    for (const char* name : {"password", "pass%77ord", "%70assword"}) {
        const Lauf l = Vk("apply --db " + Zitiert(server.Adresse() + "&" + name + "=GEHEIM1") + " --user 1 --invoice 99 --doc " +
                          Zitiert((ordner / "Rechnung.docx").string()) + " --category 4 --cancel");
        EXPECT_EQ(l.status, 2) << name << ": " << l.ausgabe;
        EXPECT_NE(l.ausgabe.find("Die Rechnung 99 gibt es in postgresql://"), std::string::npos) << l.ausgabe;
        EXPECT_EQ(l.ausgabe.find("GEHEIM1"), std::string::npos) << name << ": " << l.ausgabe;
    }
}

}  // namespace
}  // namespace vktest
