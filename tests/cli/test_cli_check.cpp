// vk check: a priced invoice proves clean, and every kind of hand edit an office makes after the
// component wrote the invoice is found with its table, row, column and both texts; the invoice and the
// office database are byte for byte what they were.
#include <gtest/gtest.h>

#include <algorithm>

#include "../word/word_hilfen.h"
#include "common/fehlerprotokoll.h"
#include "document/tabellenkennung.h"
#include "platform/word/document.h"
#include "rechnungsordner.h"

namespace vktest {
namespace {

namespace fs = std::filesystem;

class Pruefung : public DemoBuero {
protected:
    // The demo invoice as another program (python-docx) leaves it after `aendern` ran on its document d.
    fs::path Bearbeitet(const std::string& aendern) {
        const fs::path ziel = ordner_ / "bearbeitet.docx";
        int rc = -1;
        const std::string skript = "import docx, sys\nd = docx.Document(sys.argv[1])\n" + aendern + "\nd.save(sys.argv[2])\n";
        const std::string aus = Ausfuehren(vk::word::test::PythonMitDocx() + " -c " + Zitiert(skript) + " " +
                                               Zitiert(Rechnung().string()) + " " + Zitiert(ziel.string()) + " 2>&1", &rc);
        EXPECT_EQ(rc, 0) << aus;
        return ziel;
    }
    // The demo invoice with `ändern` applied through the document layer, saved beside it.
    fs::path Geaendert(const char* name, const std::function<void(vk::word::Document&)>& ändern) {
        auto doc = vk::word::Document::Open(Rechnung());
        ändern(*doc);
        doc->Save(ordner_ / name);
        return ordner_ / name;
    }
    // `vk check` on `doc` ends with `status` and says each of `teile`.
    Lauf Sagt(const fs::path& doc, int status, const std::vector<std::string>& teile, const std::string& mehr = "") {
        const Lauf l = Pruefen(doc, mehr);
        EXPECT_EQ(l.status, status) << l.ausgabe;
        for (const std::string& t : teile) EXPECT_NE(l.ausgabe.find(t), std::string::npos) << t << "\n" << l.ausgabe;
        return l;
    }
};

TEST_F(Pruefung, ThePricedDemoInvoiceChecksCleanAndNothingChanges) {
    const std::string docVorher = DateiLesen(Rechnung()), dbVorher = DateiLesen(Db());
    const std::string logVorher = DateiLesen(vk::ProtokollPfad());
    const Lauf l = Pruefen();
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
    EXPECT_EQ(DateiLesen(Rechnung()), docVorher);
    EXPECT_EQ(DateiLesen(Db()), dbVorher);
    EXPECT_EQ(DateiLesen(vk::ProtokollPfad()), logVorher) << "a clean check logs nothing";
    EXPECT_EQ(Pruefen(ordner_ / "fehlt.docx").status, 2);
    EXPECT_EQ(Vk("check --db " + Zitiert(Db()) + " --user 99 --invoice 1 --doc " + Zitiert(Rechnung().string())).status, 2)
        << "no such user";

    // Another workstation writing the office database meanwhile does not hold the check up.
    Roh andere(Db());
    andere.Sql("BEGIN IMMEDIATE; UPDATE Rechnung SET Rechnungsnummer = Rechnungsnummer");
    EXPECT_EQ(Pruefen().status, 0);
    andere.Sql("ROLLBACK");

    // Opened and saved by LibreOffice without a change, the invoice still checks clean.
    if (!LibreOfficeVorhanden()) GTEST_SKIP() << "LibreOffice is not installed";
    Ausfuehren(LibreOffice(ordner_.Pfad()) + "--convert-to 'docx:MS Word 2007 XML' --outdir lo Rechnung.docx >/dev/null 2>&1");
    const Lauf wieder = Pruefen(ordner_ / "lo" / "Rechnung.docx");
    EXPECT_EQ(wieder.status, 0) << wieder.ausgabe;
}

// 7 billion certificate copies cost more than the totals can hold: the overflow is logged, the
// invoice saved with 0,00 € totals. The command says so, and the check does not prove the invoice,
// although its totals table agrees with a rebuild that fails the same way.
TEST_F(Pruefung, AnInvoiceWhoseTotalsCannotBeFormedIsNotProved) {
    const fs::path doc = ordner_ / "Riesig.docx";
    fs::copy_file(ordner_ / "Vorlage.docx", doc);
    const Lauf apply = Vk("apply " + RechnungsArgumente(Db(), doc) + " --category 4 --set chkOrt=1 --set mskMehrfach=7e12");
    EXPECT_EQ(apply.status, 0) << apply.ausgabe;
    for (const char* teil : {"1.050.000.000.000.000,00 €", "vk: apply: die Rechnung ist gespeichert, aber 1 Fehler wurde unterwegs protokolliert"})
        EXPECT_NE(apply.ausgabe.find(teil), std::string::npos) << apply.ausgabe;
    Sagt(doc, 1, {"Fehler beim Nachrechnen (siehe Fehlerprotokoll):\n  Summen: Überlauf (GebührenTabelle.SummeBilden)\n"});
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
         {"Tabelle 5, Grenzbescheinigungen: weicht ab\n"
          "  Zeile 4, Spalte 5: 280,00 € im Dokument, 300,00 € nach Gebührenordnung\n",
          "Summentabelle (Tabelle 7): weicht ab\n"
          "  Zeile 1, Spalte 4: 20.714,00 € im Dokument, 20.694,00 € nach den Gebührentabellen\n"}},
        {"a quantity changed by hand: the amount is not the ordinance's",
         zelleErsetzen + "ersetzen(4, 3, 1, '2', '3')", nullptr,
         {"Tabelle 5, Grenzbescheinigungen: weicht ab\n"
          "  Zeile 4, Spalte 5: 300,00 € im Dokument, 450,00 € nach Gebührenordnung\n",
          "Summentabelle (Tabelle 7): stimmt\n"}},
        {"a row deleted: one finding, the row the ordinance gives",
         "tr = d.tables[1].rows[7]._tr\ntr.getparent().remove(tr)", nullptr,
         {"Tabelle 2, Grenzfeststellung und Abmarkungen: weicht ab\n"
          "  Zeile 8 fehlt im Dokument; nach Gebührenordnung: 12.1 | je abgemarkter Grenzpunkt | 7 | x 10,00 € | "
          "70,00 €\nTabelle 3, Einmessung"}},
        {"a row added by hand", "import copy\ntr = d.tables[1].rows[10]._tr\ntr.addnext(copy.deepcopy(tr))", nullptr,
         {"Tabelle 2, Grenzfeststellung und Abmarkungen: weicht ab\n"
          "  Zeile 11 steht nur im Dokument (nach Gebührenordnung keine solche Zeile): 14.3 | Übernahmegebühr | "
          "8% der Teilgebühr B | min. 30,00 € | 84,00 €\nTabelle 3"}},
        {"a building's cost lowered by hand", zelleErsetzen + "ersetzen(2, 1, 4, '475,00', '450,00')", nullptr,
         {"Tabelle 3, Einmessung von Gebäuden: weicht ab\n"
          "  Zeile 2, Spalte 5: 450,00 € im Dokument, 475,00 € nach Gebührenordnung\n"}},
        {"an hourly rate lowered by hand", zelleErsetzen + "ersetzen(5, 1, 3, '84,00', '80,00')", nullptr,
         {"Tabelle 6, Gebühren nach Zeitaufwand: weicht ab\n"
          "  Zeile 2, Spalte 4: 80,00 € im Dokument, 84,00 € nach Gebührenordnung\n"}},
        {"a record whose totals differ from the document", "", "UPDATE Rechnung SET Brutto = 100",
         {"Tabelle 5, Grenzbescheinigungen: stimmt\n",
          "Rechnungsdatensatz: weicht ab\n  Rechnungsbetrag (brutto): 1,00 € gespeichert, 24.491,01 € nach den "
          "Gebührentabellen\n"}},
        {"the user's VAT rate changed after the invoice was priced", "", "UPDATE TempDoc SET Mehrwertsteuersatz = 160",
         {"Summentabelle (Tabelle 7): weicht ab\n  Zeile 2, Spalte 2: Mehrwertsteuer 19 % im Dokument, Mehrwertsteuer 16 % "
          "nach den Einstellungen des Benutzers\n",
          "Die Einstellungen des Benutzers haben sich geändert:\n"
          "  Umsatzsteuersatz: 19 % in der Rechnung, 16 % nach den Einstellungen des Benutzers\n"}},
    };
    for (const Fall& f : fälle) {
        SCOPED_TRACE(f.was);
        const fs::path doc = f.aendern.empty() ? Rechnung() : Bearbeitet(f.aendern);
        if (f.sql) Roh(Db()).Sql(f.sql);
        const std::string docVorher = DateiLesen(doc), dbVorher = DateiLesen(Db());
        Sagt(doc, 1, f.zeilen);
        EXPECT_EQ(DateiLesen(doc), docVorher);
        EXPECT_EQ(DateiLesen(Db()), dbVorher);
        if (f.sql) Roh(Db()).Sql("UPDATE Rechnung SET Brutto = 2449101; UPDATE TempDoc SET Mehrwertsteuersatz = 190");
    }
    Sagt(Bearbeitet(zelleErsetzen + "ersetzen(4, 3, 4, '300,00', '280,00')"), 1,
         {"{\"tabelle\":5,\"kennung\":\"VK_LP_02_5\",\"kategorie\":\"Grenzbescheinigungen\",\"ergebnis\":\"weicht ab\","
          "\"abweichungen\":[{\"zeile\":4,\"spalte\":5,\"dokument\":\"280,00 €\",\"berechnet\":\"300,00 €\"}]}"},
         " --json");
}

// What the check cannot compare is never reported as agreeing: a fee table or a letter amount that lost
// its tag is "nicht geprüft" (exit 1), every table is proved however many of its kind there are, and
// a table without amounts added by hand is no fee table and changes nothing.
TEST_F(Pruefung, WhatCannotBeComparedIsNotProved) {
    const auto kommentarLöschen = [](const std::string& text) {
        return [text](vk::word::Document& d) {
            for (vk::word::Comment c : d.Comments())
                if (c.Text() == text) return c.Delete();
        };
    };
    Sagt(Geaendert("ohneKennung.docx", kommentarLöschen("VK_LP_02_5")), 1,
         {"Tabelle 5: nicht geprüft (ohne Kennung einer Gebührentabelle; ihre Beträge zählen zu den Summen)\n"});
    const Lauf ohneNetto = Sagt(Geaendert("ohneNetto.docx", kommentarLöschen("kalNetto")), 1, {"Beträge im Brieftext: nicht geprüft\n"});
    EXPECT_NE(ZeileMit(ohneNetto.ausgabe, {"(Netto 20.714,00", "steht ohne Kennung im Brieftext"}), "") << ohneNetto.ausgabe;
    Sagt(Geaendert("fremd.docx",
                   [](vk::word::Document& d) {
                       vk::word::Range ende = d.Content();
                       ende.Collapse(vk::word::wdCollapseEnd);
                       d.Tables().Add(ende, 1, 2).Cell(1, 1).Range().InsertAfter("Anlage: Lageplan");
                   }),
         0, {"Tabelle 8: keine Gebührentabelle (ohne Kennung einer Gebührentabelle)\n"});

    // Six boundary certificates: the table choice offers five, the check proves all six.
    for (int kopien = 1; kopien <= 5; ++kopien)
        ASSERT_EQ(Vk("apply " + RechnungsArgumente(Db(), Rechnung()) + " --category 4 --choose new --set chkOrt=1 --set mskMehrfach=" +
                     std::to_string(kopien)).status, 0);
    const Lauf sechs = Pruefen();
    EXPECT_EQ(sechs.status, 0) << sechs.ausgabe;
    std::size_t bescheinigungen = 0;
    for (std::size_t p = 0; (p = sechs.ausgabe.find("Grenzbescheinigungen: stimmt", p)) != std::string::npos; ++p) ++bescheinigungen;
    EXPECT_EQ(bescheinigungen, 6u) << sechs.ausgabe;
    // The sixth in document order (five copies at 150,00 €, as the demo's two make 300,00 €) lowered by hand.
    Sagt(Geaendert("sechste.docx",
                   [](vk::word::Document& d) {
                       int n = 0;
                       for (vk::word::Table t : d.Tables()) {
                           if (t.Range().Comments().Count() == 0 || t.Range().Comments().Item(1).Text() != "VK_LP_02_5" || ++n < 6)
                               continue;
                           vk::word::Range zelle = t.Cell(4, 5).Range();
                           zelle.SetRange(zelle.Start(), zelle.End() - 2);
                           zelle.SetText("  100,00 €");
                       }
                   }),
         1, {"Grenzbescheinigungen: weicht ab\n  Zeile 4, Spalte 5: 100,00 € im Dokument, 750,00 € nach Gebührenordnung\n"});
}

// Two fee tables with no paragraph between them (a word processor joins them into one when it opens
// the file) are compared as the two tables they are, and the report says that they touch.
TEST_F(Pruefung, TwoTablesWithoutAParagraphBetweenThemAreComparedAsTwo) {
    if (vk::word::test::PythonMitDocx().empty()) GTEST_SKIP() << "python-docx is not installed";
    const std::string zusammen = "b = d.element.body\nt5 = d.tables[4]._tbl\nn = d.tables[3]._tbl.getnext()\n"
                                 "while n is not t5:\n    x = n.getnext(); b.remove(n); n = x\n";
    Sagt(Bearbeitet(zusammen), 0,
         {"Tabelle 4, Langgestreckte Anlagen: stimmt\nTabelle 5, Grenzbescheinigungen: stimmt\n",
          "Hinweis: Tabelle 4 und Tabelle 5 stehen ohne Absatz aneinander"});
    // The first of the two changed by hand: one finding, where it is.
    Sagt(Bearbeitet(zusammen + "for w in d.tables[3].rows[5]._tr.tc_lst[4].iter("
                               "'{http://schemas.openxmlformats.org/wordprocessingml/2006/main}t'):\n"
                               "    w.text = w.text.replace('1.540,00', '1.500,00')\n"),
         1,
         {"Tabelle 4, Langgestreckte Anlagen: weicht ab\n"
          "  Zeile 6, Spalte 5: 1.500,00 € im Dokument, 1.540,00 € nach Gebührenordnung\n"
          "Tabelle 5, Grenzbescheinigungen: stimmt\n"});
}

// Templates and a person's edits: the "kalStart" tag inside a letter's layout table, and a reviewer's
// comment on a fee table. The component works with the innermost table that carries its tag, finds
// the tag among all of a table's comments, never deletes a table that is not its own, and `vk check`
// does not pass an invoice with a fee table it cannot price again.

// The position (in characters) of a text in the document's main text.
long Stelle(vk::word::Document& doc, const std::string& text) {
    const std::string alles = doc.Content().Text();
    const std::size_t byte = alles.find(text);
    EXPECT_NE(byte, std::string::npos) << text;
    return std::count_if(alles.begin(), alles.begin() + static_cast<long>(byte), [](unsigned char c) { return (c & 0xC0) != 0x80; });
}

void Markieren(vk::word::Document& doc, const std::string& text, const std::string& tag) {
    const long p = Stelle(doc, text);
    doc.Comments().Add(doc.Range(p, p + static_cast<long>(text.size())), tag);
}

// How many comments of the document read the key (one per fee table of that key).
int Kennungen(const fs::path& datei, const std::string& schluessel) {
    int n = 0;
    for (vk::word::Comment c : vk::word::Document::Open(datei)->Comments()) n += c.Text() == schluessel;
    return n;
}

class Vorlagen : public Pruefung {
protected:
    Lauf Apply(const fs::path& doc, const std::string& eingaben) const {
        return Vk("apply " + RechnungsArgumente(Db(), doc) + " --category 4 " + eingaben);
    }
    void Stimmt(const fs::path& doc) { Sagt(doc, 0, {"Grenzbescheinigungen: stimmt"}); }
};

// A letter laid out in a one-row table of two cells, the "kalStart" paragraph in the second: the fee
// table and the totals go into that cell, are summed there (150,00 € and 19 % VAT: 178,50 €), and
// the next confirmation (75,00 €: 89,25 €) replaces the fee table alone: the layout table stays.
TEST_F(Vorlagen, TheInsertionTagInALayoutTableSumsThereAndTheLayoutTableStays) {
    const fs::path datei = ordner_ / "Layout.docx";
    {
        auto doc = vk::word::Document::New();
        doc->Content().InsertAfter("Vermessungsbüro Muster\rNetto: Betrag 0,00 € und weiter\rMit freundlichen Grüßen");
        const long p = Stelle(*doc, "Netto:");
        vk::word::Table layout = doc->Tables().Add(doc->Range(p, p), 1, 2);
        layout.Cell(1, 1).Range().InsertAfter("Anschrift");
        layout.Cell(1, 2).Range().InsertAfter("Unsere Leistungen\rPositionen:");
        Markieren(*doc, "Positionen:", "kalStart");
        Markieren(*doc, "Netto: Betrag", "kalNetto");
        doc->Save(datei);
    }
    const Lauf erste = Apply(datei, "--set chkOrt=1");
    ASSERT_EQ(erste.status, 0) << erste.ausgabe;
    EXPECT_NE(erste.ausgabe.find("Rechnungsbetrag |  |      178,50 €"), std::string::npos) << erste.ausgabe;
    EXPECT_EQ(Brutto(), "17850.0");

    const Lauf zweite = Apply(datei, "--choose 1 --set chkOrt=0");
    ASSERT_EQ(zweite.status, 0) << zweite.ausgabe;
    EXPECT_EQ(Brutto(), "8925.0");
    auto doc = vk::word::Document::Open(datei);
    ASSERT_EQ(doc->Tables().Count(), 1) << "the layout table is the one table of the letter";
    EXPECT_EQ(doc->Tables().Item(1).Cell(1, 1).Range().Text(), "Anschrift\r\a");
    EXPECT_EQ(Kennungen(datei, "VK_LP_02_5"), 1);
    EXPECT_EQ(Kennungen(datei, "RE_Summe"), 1);
    EXPECT_NE(doc->Content().Text().find("Netto: Betrag      75,00\u00A0€ und weiter"), std::string::npos) << doc->Content().Text();
    EXPECT_EQ(doc->Tables().Item(1).Tables().Count(), 2) << "fee table and totals in the layout table's cell";
    Stimmt(datei);
}

// A reviewer's comment on a fee table's title: the table is still the category's table, re-opened
// and replaced by `--choose 1` (no second one charged), and proved by the check.
TEST_F(Vorlagen, AReviewersCommentOnAFeeTableLeavesItTheCategorysTable) {
    const fs::path datei = Rechnung();
    {
        auto doc = vk::word::Document::Open(datei);
        for (const vk::word::Table& t : vk::AlleTabellen(*doc))
            if (vk::TraegtKennung(t, "VK_LP_02_5")) doc->Comments().Add(t.Cell(1, 1).Range(), "Bitte prüfen: Ortstermin?");
        doc->Save(datei);
    }
    Stimmt(datei);
    const Lauf l = Apply(datei, "--choose 1 --set chkOrt=0");
    ASSERT_EQ(l.status, 0) << l.ausgabe;
    EXPECT_EQ(Kennungen(datei, "VK_LP_02_5"), 1) << "a second table was added";
    Stimmt(datei);
}

// vk einvoice and vk check --xml on the demo office: the e-invoice is written, refused with one line
// per missing datum, and compared line by line and total by total with the invoice it came from.
class ERechnungCli : public Pruefung {
protected:
    Lauf Schreiben(const std::string& mehr = "") {
        return Vk("einvoice " + RechnungsArgumente(Db(), Rechnung()) + " --out " + Zitiert(xml_.string()) + mehr);
    }
    fs::path xml_ = ordner_ / "Rechnung.xml";
};

TEST_F(ERechnungCli, GeschriebenGeprüftUndVonHandGeändertGefunden) {
    const std::string db = DateiLesen(Db()), doc = DateiLesen(Rechnung());
    const Lauf l = Schreiben();
    ASSERT_EQ(l.status, 0) << l.ausgabe;
    EXPECT_EQ(l.ausgabe, "E-Rechnung geschrieben: " + xml_.string() + "\n");
    EXPECT_EQ(DateiLesen(Db()), db);
    EXPECT_EQ(DateiLesen(Rechnung()), doc);
    Sagt(Rechnung(), 0, {"Rechnungsdatensatz: stimmt\nE-Rechnung Rechnung.xml: stimmt\n"}, " --xml " + Zitiert(xml_.string()));

    // The certificate's line lowered by hand in the e-invoice, and its totals with it.
    std::string text = DateiLesen(xml_);
    for (const auto& [alt, neu] : {std::pair<std::string, std::string>{"<ram:LineTotalAmount>300.00<", "<ram:LineTotalAmount>280.00<"},
                                   {"<ram:GrandTotalAmount>24491.01<", "<ram:GrandTotalAmount>24471.01<"}}) {
        ASSERT_NE(text.find(alt), std::string::npos) << alt;
        text.replace(text.find(alt), alt.size(), neu);
    }
    const std::string geändert = " --xml " + Zitiert((ordner_ / "geändert.xml").string());
    DateiSchreiben(ordner_ / "geändert.xml", text);
    Sagt(Rechnung(), 1,
         {"E-Rechnung geändert.xml: weicht ab: Position 15, Betrag: 280,00 € in der E-Rechnung, 300,00 € nach dem Dokument; "
          "Rechnungsbetrag (BT-112): 24.471,01 € in der E-Rechnung, 24.491,01 € nach dem Dokument\n"},
         geändert);
    Sagt(Rechnung(), 1,
         {"\"erechnung\":{\"datei\":", "{\"was\":\"Position 15, Betrag\",\"erechnung\":\"280,00 €\",\"dokument\":\"300,00 €\"}"},
         geändert + " --json");
    DateiSchreiben(ordner_ / "geändert.xml", "<kein/>");
    Sagt(Rechnung(), 2, {}, geändert);
}

TEST_F(ERechnungCli, AbgelehntMitEinerZeileJeFehlendemWertUndOhneDatei) {
    Roh(Db()).Sql("UPDATE Buero SET IBAN = NULL; UPDATE Auftraggeber SET Kaeuferreferenz = NULL");
    const Lauf l = Schreiben();
    EXPECT_EQ(l.status, 2);
    EXPECT_EQ(l.ausgabe,
              "vk: einvoice: keine E-Rechnung geschrieben:\n"
              "  Buero.IBAN fehlt\n"
              "  Auftraggeber.Kaeuferreferenz fehlt (Leitweg-ID oder Referenz des Käufers) (Auftrag 1)\n");
    EXPECT_FALSE(fs::exists(xml_));
    EXPECT_EQ(Vk("einvoice " + RechnungsArgumente(Db(), Rechnung())).status, 2) << "--out is required";
    EXPECT_EQ(Schreiben(" --invoice 9").status, 2) << "no invoice 9";
}

}  // namespace
}  // namespace vktest
