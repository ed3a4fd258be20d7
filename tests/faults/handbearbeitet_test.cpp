// A fee table edited by hand in the word processor (cells removed, rows emptied, texts changed,
// cells merged) is read back by its dialog without a crash, confirmed into a sound table, and the
// totals are rebuilt around it.
#include <gtest/gtest.h>

#include <pugixml.hpp>

#include <sstream>

#include "categories/frmKat5.h"
#include "categories/kategorieumfeld.h"
#include "document/SummeBilden.h"
#include "word/word_hilfen.h"

namespace vktest {
namespace {

using vk::frmKat5;
using vk::ui::Klicken;
using Eingriff = void (*)(pugi::xml_node tabelle);

std::vector<pugi::xml_node> Zeilen(pugi::xml_node tbl) {
    const auto tr = tbl.children("w:tr");
    return {tr.begin(), tr.end()};
}

void TexteErsetzen(pugi::xml_node wurzel, const std::string& alt, const std::string& neu) {
    for (pugi::xpath_node t : wurzel.select_nodes(".//w:t"))
        if (std::string(t.node().text().get()).find(alt) != std::string::npos) t.node().text().set(neu.c_str());
}

struct Fall {
    const char* name;
    Eingriff eingriff;
};
void PrintTo(const Fall& f, std::ostream* aus) { *aus << f.name; }

const Fall kFaelle[] = {
    {"LastCellOfEveryRowButTheFirstRemoved",
     [](pugi::xml_node tbl) {
         auto z = Zeilen(tbl);
         for (std::size_t i = 1; i < z.size(); ++i) z[i].remove_child(z[i].last_child());
     }},
    {"Row2CutToOneCellRow4WithoutAnyCell",
     [](pugi::xml_node tbl) {
         auto z = Zeilen(tbl);
         while (z[1].last_child() != z[1].child("w:tc")) z[1].remove_child(z[1].last_child());
         while (pugi::xml_node tc = z[3].child("w:tc")) z[3].remove_child(tc);
     }},
    {"TextsChangedPositionCountAndAmount",
     [](pugi::xml_node tbl) {
         TexteErsetzen(tbl, "Ortsbesichtigung", "Ortstermin war");
         TexteErsetzen(tbl, "2", "zwei");
         TexteErsetzen(tbl, "300,00", "dreihundert");
     }},
    {"Rows3And4Removed",
     [](pugi::xml_node tbl) {
         auto z = Zeilen(tbl);
         tbl.remove_child(z[3]);
         tbl.remove_child(z[2]);
     }},
    {"Row2MergedIntoOneCellSpanningFive",
     [](pugi::xml_node tbl) {
         pugi::xml_node tr = Zeilen(tbl)[1];
         while (tr.last_child() != tr.child("w:tc")) tr.remove_child(tr.last_child());
         pugi::xml_node tcPr = tr.child("w:tc").child("w:tcPr");
         if (!tcPr) tcPr = tr.child("w:tc").prepend_child("w:tcPr");
         tcPr.append_child("w:gridSpan").append_attribute("w:val") = "5";
     }},
};

class Handbearbeitet : public Kategorieumfeld, public ::testing::WithParamInterface<Fall> {
protected:
    // The certificate table written by the dialog, saved, edited by hand and opened again.
    void Bearbeiten(const Eingriff& eingriff) {
        frmKat5& form = Oeffnen<frmKat5>(4);
        vk::ui::Setzen(form, "chkOrt=1");
        vk::ui::Setzen(form, "mskMehrfach=2");
        Klicken(form, "CommandEnde");
        const auto pfad = ordner_ / "Rechnung.docx";
        doc_->Save(pfad);
        const std::string xml = vk::word::test::ZipTeil(pfad, "word/document.xml");
        pugi::xml_document d;
        ASSERT_TRUE(d.load_buffer(xml.data(), xml.size(), pugi::parse_full));
        for (pugi::xpath_node t : d.select_nodes("//w:tbl"))
            if (t.node().select_node(".//w:t[contains(., 'Grenzbescheinigungen')]")) eingriff(t.node());
        std::ostringstream aus;
        d.save(aus, "", pugi::format_raw);
        vk::word::test::ZipTeilSetzen(pfad, "word/document.xml", aus.str());
        doc_ = vk::word::Document::Open(pfad);
        vk::Kontext().Doc = doc_;
        vk::Kontext().WordApp = doc_->Application();
    }
};

TEST_P(Handbearbeitet, TotalsRebuiltAroundItThenReadBackAndConfirmedIntoASoundTable) {
    Bearbeiten(GetParam().eingriff);

    // The totals over the edited table are rebuilt without a crash.
    ASSERT_NO_THROW(vk::SummeLöschen());
    ASSERT_NO_THROW(vk::SummeBilden(false));
    EXPECT_FALSE(Summentabelle().IstNothing());

    // Reading the edited table back: the dialog opens (a damaged cell is at most a logged error).
    frmKat5* form = nullptr;
    ASSERT_NO_THROW(form = &Oeffnen<frmKat5>(4));
    ASSERT_TRUE(form->Geladen());
    ASSERT_NO_THROW(Klicken(*form, "CommandEnde"));

    // The edited table was replaced by a sound one: one table of the key, 3 or 4 rows of 5 cells.
    EXPECT_EQ(Anzahl("VK_LP_02_5"), 1);
    vk::word::Table t = Tabelle("VK_LP_02_5");
    ASSERT_FALSE(t.IstNothing());
    const auto zeilen = Kategorieumfeld::Zeilen(t);
    EXPECT_TRUE(zeilen.size() == 3 || zeilen.size() == 4) << zeilen.size();
    for (long r = 1; r <= t.Rows().Count(); ++r) EXPECT_EQ(t.Rows().Item(r).CellCount(), 5) << "row " << r;
    EXPECT_EQ(zeilen.front(), "Grenzbescheinigungen||||");

    // One totals table whose sum is the new table's amount.
    ASSERT_FALSE(Summentabelle().IstNothing());
    const std::string betrag = zeilen.back().substr(zeilen.back().rfind('|') + 1);
    EXPECT_EQ(Kategorieumfeld::Zeilen(Summentabelle()).front(), " |Summe||   " + betrag);

    // And the result saves and opens again.
    doc_->Save(ordner_ / "Ergebnis.docx");
    EXPECT_EQ(vk::word::Document::Open(ordner_ / "Ergebnis.docx")->Tables().Count(), doc_->Tables().Count());
}

INSTANTIATE_TEST_SUITE_P(Eingriffe, Handbearbeitet, ::testing::ValuesIn(kFaelle),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vktest
