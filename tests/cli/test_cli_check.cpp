// vk check: a priced invoice proves clean, and every kind of hand edit an office makes after the
// component wrote the invoice is found with its table, row, column and both texts; the invoice and the
// office database are byte for byte what they were.
#include <gtest/gtest.h>

#include "../word/word_hilfen.h"
#include "common/fehlerprotokoll.h"
#include "rechnungsordner.h"

namespace vktest {
namespace {

namespace fs = std::filesystem;

class Pruefung : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(Vk("demo " + Zitiert(ordner_.Pfad().string())).status, 0); }

    Lauf Pruefen(const fs::path& doc, const std::string& mehr = "") {
        return Vk("check --db " + Zitiert((ordner_ / "buero.sqlite").string()) + " --user 1 --invoice 1 --doc " +
                  Zitiert(doc.string()) + mehr);
    }
    // The demo invoice as another program (python-docx) leaves it after `aendern` ran on its document d.
    fs::path Bearbeitet(const std::string& aendern) {
        const fs::path ziel = ordner_ / "bearbeitet.docx";
        int rc = -1;
        const std::string skript = "import docx, sys\nd = docx.Document(sys.argv[1])\n" + aendern + "\nd.save(sys.argv[2])\n";
        const std::string aus = Ausfuehren(vk::word::test::PythonMitDocx() + " -c " + Zitiert(skript) + " " +
                                               Zitiert((ordner_ / "Rechnung.docx").string()) + " " + Zitiert(ziel.string()) + " 2>&1",
                                           &rc);
        EXPECT_EQ(rc, 0) << aus;
        return ziel;
    }

    TempOrdner ordner_;
};

TEST_F(Pruefung, ThePricedDemoInvoiceChecksCleanAndNothingChanges) {
    const fs::path doc = ordner_ / "Rechnung.docx", db = ordner_ / "buero.sqlite";
    const std::string docVorher = DateiLesen(doc), dbVorher = DateiLesen(db);
    const std::string logVorher = DateiLesen(vk::ProtokollPfad());
    const Lauf l = Pruefen(doc);
    EXPECT_EQ(l.status, 0) << l.ausgabe;
    EXPECT_EQ(l.ausgabe,
              "Tabelle 1, Teilung / Grenzherstellung (Zerlegung / Sonderung): stimmt\n"
              "Tabelle 2, Grenzfeststellung und Abmarkungen: stimmt\n"
              "Tabelle 3, Einmessung von Gebäuden: stimmt\n"
              "Tabelle 4, Langgestreckte Anlagen: stimmt\n"
              "Tabelle 5, Grenzbescheinigungen: stimmt\n"
              "Tabelle 6, Gebühren nach Zeitaufwand: stimmt\n"
              "Summentabelle (Tabelle 7): stimmt\n"
              "Beträge im Brieftext: stimmen\n"
              "Rechnungsdatensatz: stimmt\n");
    EXPECT_EQ(DateiLesen(doc), docVorher);
    EXPECT_EQ(DateiLesen(db), dbVorher);
    EXPECT_EQ(DateiLesen(vk::ProtokollPfad()), logVorher) << "a clean check logs nothing";
    EXPECT_EQ(Pruefen(ordner_ / "fehlt.docx").status, 2);
    EXPECT_EQ(Vk("check --db " + Zitiert(db.string()) + " --user 99 --invoice 1 --doc " + Zitiert(doc.string())).status, 2)
        << "no such user";

    // Another workstation writing the office database meanwhile does not hold the check up.
    Roh andere(db);
    andere.Sql("BEGIN IMMEDIATE; UPDATE Rechnung SET Rechnungsnummer = Rechnungsnummer");
    EXPECT_EQ(Pruefen(doc).status, 0);
    andere.Sql("ROLLBACK");

    // Opened and saved by LibreOffice without a change, the invoice still checks clean.
    if (!LibreOfficeVorhanden()) GTEST_SKIP() << "LibreOffice is not installed";
    const fs::path lo = ordner_ / "lo";
    Ausfuehren("cd " + Zitiert(ordner_.Pfad().string()) + " && HOME=" + Zitiert(ordner_.Pfad().string()) +
               " soffice --headless --convert-to 'docx:MS Word 2007 XML' --outdir lo Rechnung.docx >/dev/null 2>&1");
    const Lauf wieder = Pruefen(lo / "Rechnung.docx");
    EXPECT_EQ(wieder.status, 0) << wieder.ausgabe;
}

// 7 billion certificate copies cost more than the totals can hold: the overflow is logged, the
// invoice saved with 0,00 € totals. The command says so, and the check does not prove the invoice,
// although its totals table agrees with a rebuild that fails the same way.
TEST_F(Pruefung, AnInvoiceWhoseTotalsCannotBeFormedIsNotProved) {
    const fs::path doc = ordner_ / "Riesig.docx";
    fs::copy_file(ordner_ / "Vorlage.docx", doc);
    const Lauf apply = Vk("apply --db " + Zitiert((ordner_ / "buero.sqlite").string()) + " --user 1 --invoice 1 --doc " +
                          Zitiert(doc.string()) + " --category 4 --set chkOrt=1 --set mskMehrfach=7e12");
    EXPECT_EQ(apply.status, 0) << apply.ausgabe;
    EXPECT_NE(apply.ausgabe.find("1.050.000.000.000.000,00 €"), std::string::npos) << apply.ausgabe;
    EXPECT_NE(apply.ausgabe.find("vk: apply: the invoice was saved, but 1 error was logged on the way"), std::string::npos)
        << apply.ausgabe;
    const Lauf l = Pruefen(doc);
    EXPECT_EQ(l.status, 1) << l.ausgabe;
    EXPECT_NE(ZeileMit(l.ausgabe, {"Fehler beim Nachrechnen", "Summen: Überlauf (GebührenTabelle.SummeBilden)"}), "")
        << l.ausgabe;
}

// The demo's boundary certificate (table 5) charges 2 copies with inspection, 300,00 €; its boundary
// determination (table 2) marks 7 points at 10,00 €.
TEST_F(Pruefung, EachHandEditIsFoundWithTableRowColumnAndBothTexts) {
    if (vk::word::test::PythonMitDocx().empty()) GTEST_SKIP() << "python-docx is not installed";
    // Cells counted as the document has them (python-docx's row.cells counts grid columns).
    const std::string zelleErsetzen = "from docx.oxml.ns import qn\n"
                                      "def ersetzen(t, r, c, alt, neu):\n"
                                      "    for w in d.tables[t].rows[r]._tr.tc_lst[c].iter(qn('w:t')):\n"
                                      "        w.text = w.text.replace(alt, neu)\n";
    struct Fall {
        const char* was;
        std::string aendern;  // python-docx on the invoice, or empty
        const char* sql;      // a change of the invoice record, or nullptr
        std::vector<std::string> zeilen;
    };
    const Fall fälle[] = {
        {"an amount lowered by hand, the totals left as they were",
         zelleErsetzen + "ersetzen(4, 3, 4, '300,00', '280,00')", nullptr,
         {"Tabelle 5, Grenzbescheinigungen: weicht ab: Zeile 4, Spalte 5: 280,00 € im Dokument, 300,00 € nach Gebührenordnung",
          "Summentabelle (Tabelle 7): weicht ab: Zeile 1, Spalte 4: 20.714,00 € im Dokument, 20.694,00 € nach den "
          "Gebührentabellen"}},
        {"a quantity changed by hand: the amount is not the ordinance's",
         zelleErsetzen + "ersetzen(4, 3, 1, '2', '3')", nullptr,
         {"Tabelle 5, Grenzbescheinigungen: weicht ab: Zeile 4, Spalte 5: 300,00 € im Dokument, 450,00 € nach Gebührenordnung",
          "Summentabelle (Tabelle 7): stimmt"}},
        {"a row deleted", "tr = d.tables[1].rows[7]._tr\ntr.getparent().remove(tr)", nullptr,
         {"Tabelle 2, Grenzfeststellung und Abmarkungen: weicht ab: Zeile 8, Spalte 1: (fehlt) im Dokument, 12.1 nach "
          "Gebührenordnung; Zeile 8, Spalte 2: (fehlt) im Dokument, je abgemarkter Grenzpunkt nach Gebührenordnung; "
          "Zeile 8, Spalte 3: (fehlt) im Dokument, 7 nach Gebührenordnung; Zeile 8, Spalte 4: (fehlt) im Dokument, "
          "x 10,00 € nach Gebührenordnung; Zeile 8, Spalte 5: (fehlt) im Dokument, 70,00 € nach Gebührenordnung"}},
        {"a building's cost lowered by hand", zelleErsetzen + "ersetzen(2, 1, 4, '475,00', '450,00')", nullptr,
         {"Tabelle 3, Einmessung von Gebäuden: weicht ab: Zeile 2, Spalte 5: 450,00 € im Dokument, 475,00 € nach "
          "Gebührenordnung"}},
        {"an hourly rate lowered by hand", zelleErsetzen + "ersetzen(5, 1, 3, '84,00', '80,00')", nullptr,
         {"Tabelle 6, Gebühren nach Zeitaufwand: weicht ab: Zeile 2, Spalte 4: 80,00 € im Dokument, 84,00 € nach "
          "Gebührenordnung"}},
        {"a record whose totals differ from the document", "", "UPDATE Rechnung SET Brutto = 100",
         {"Tabelle 5, Grenzbescheinigungen: stimmt",
          "Rechnungsdatensatz: weicht ab: Brutto: 1,00 € gespeichert, 24.491,01 € nach den Gebührentabellen"}},
    };
    for (const Fall& f : fälle) {
        SCOPED_TRACE(f.was);
        const fs::path doc = f.aendern.empty() ? ordner_ / "Rechnung.docx" : Bearbeitet(f.aendern);
        if (f.sql) Roh(ordner_ / "buero.sqlite").Sql(f.sql);
        const std::string docVorher = DateiLesen(doc), dbVorher = DateiLesen(ordner_ / "buero.sqlite");
        const Lauf l = Pruefen(doc);
        EXPECT_EQ(l.status, 1) << l.ausgabe;
        for (const std::string& zeile : f.zeilen) EXPECT_NE(ZeileMit(l.ausgabe, {zeile.c_str()}), "") << zeile << "\n" << l.ausgabe;
        EXPECT_EQ(DateiLesen(doc), docVorher);
        EXPECT_EQ(DateiLesen(ordner_ / "buero.sqlite"), dbVorher);
        if (f.sql) Roh(ordner_ / "buero.sqlite").Sql("UPDATE Rechnung SET Brutto = 2449101");
    }
    const Lauf json = Pruefen(Bearbeitet(zelleErsetzen + "ersetzen(4, 3, 4, '300,00', '280,00')"), " --json");
    EXPECT_EQ(json.status, 1);
    EXPECT_NE(json.ausgabe.find("{\"tabelle\":5,\"kennung\":\"VK_LP_02_5\",\"kategorie\":\"Grenzbescheinigungen\","
                                "\"ergebnis\":\"weicht ab\",\"abweichungen\":[{\"zeile\":4,\"spalte\":5,"
                                "\"dokument\":\"280,00 €\",\"gebuehrenordnung\":\"300,00 €\"}]}"),
              std::string::npos)
        << json.ausgabe;
}

}  // namespace
}  // namespace vktest
