// Finding a category's table: new, existing ones through the table-choice dialog, the cursor table,
// key pairs and the follow-on search.
#include <gtest/gtest.h>

#include "document/G_frmTabelle.h"
#include "document/GebuehrenTabelle.h"
#include "platform/controls/formen.h"
#include "rechnungsumfeld.h"

namespace vktest {
namespace {

class Tabellensuche : public Rechnungsumfeld {
protected:
    void TearDown() override {
        vk::G_frmTabelle::ModalHandlerSetzen(nullptr);
        vk::ui::Formen::AlleEntladen();
        Rechnungsumfeld::TearDown();
    }
    // The dialog's answer: "neu", an existing entry 1..5, or "cursor"; records what was offered.
    void Antworten(std::string wahl) {
        vk::G_frmTabelle::ModalHandlerSetzen([this, wahl](vk::G_frmTabelle& f) {
            gezeigt_ = true;
            angeboten_.clear();
            for (int i = 0; i < 5; ++i) angeboten_.push_back(f.optTabelle(i).Enabled());
            cursorAngeboten_ = f.optAktTabelle.Enabled();
            if (wahl == "cursor") f.optAktTabelle.SetValue(true);
            else if (wahl != "neu") f.optTabelle(std::stoi(wahl) - 1).SetValue(true);
            f.cmdEnde.Click.Auslösen();
        });
    }
    long Position(const vk::word::Table& t) {
        long p = 0;
        for (vk::word::Table x : doc_->Tables()) {
            ++p;
            if (x.IsSame(t)) return p;
        }
        return 0;
    }
    bool gezeigt_ = false;
    std::vector<bool> angeboten_;
    bool cursorAngeboten_ = false;
};

// Without a tagged table or a table at the cursor the table is new without asking; with one, choosing
// "new" gives the same. Either way the index of the table edited is 0.
TEST_F(Tabellensuche, NewTableWithoutATaggedOneOrByChoice) {
    Antworten("1");
    vk::TabellenIndex() = 3;
    EXPECT_TRUE(vk::TabelleErmitteln("VK_LP_02_5", 0).IstNothing());
    EXPECT_FALSE(gezeigt_);
    EXPECT_EQ(vk::TabellenIndex(), 0);

    Gebuehrentabelle({{1, ""}});
    Antworten("neu");
    vk::TabellenIndex() = 5;
    EXPECT_TRUE(vk::TabelleErmitteln("VK_LP_02_5", 0).IstNothing());
    EXPECT_TRUE(gezeigt_);
    EXPECT_EQ(vk::TabellenIndex(), 0);
}

TEST_F(Tabellensuche, ThreeTablesOfOneKeyOptionTwoEditsTheSecond) {
    Gebuehrentabelle({{1, ""}}, "VK_LP_02_6");
    Gebuehrentabelle({{2, ""}});
    Gebuehrentabelle({{3, ""}});
    Gebuehrentabelle({{4, ""}});
    Antworten("2");
    vk::word::Table t = vk::TabelleErmitteln("VK_LP_02_5", 0);
    EXPECT_TRUE(gezeigt_);
    EXPECT_EQ(angeboten_, (std::vector<bool>{true, true, true, false, false}));
    ASSERT_FALSE(t.IstNothing());
    EXPECT_EQ(Zeilen(t)[1], "||||    3,00 €");
    EXPECT_EQ(vk::TabellenIndex(), Position(t));
}

TEST_F(Tabellensuche, KeyPairMatchesTheSecondKeyToo) {
    Gebuehrentabelle({{7, ""}}, "VK_LP_08_4_Ein");
    Antworten("1");
    vk::word::Table t = vk::TabelleErmitteln("VK_LP_08_4,VK_LP_08_4_Ein", 0);
    ASSERT_FALSE(t.IstNothing());
    EXPECT_EQ(Zeilen(t)[1], "||||    7,00 €");
}

TEST_F(Tabellensuche, PlainTableAtTheCursorIsOffered) {
    vk::word::Table form;
    vk::word::Table plain = doc_->Tables().Add(vk::EinfügestelleErmitteln(form), 2, 2);
    plain.Cell(1, 1).Select();
    Antworten("cursor");
    vk::word::Table t = vk::TabelleErmitteln("VK_LP_02_5", 0);
    EXPECT_TRUE(cursorAngeboten_);
    EXPECT_TRUE(t.IsSame(plain));
    EXPECT_EQ(vk::TabellenIndex(), 1);
}

// The follow-on table is the one right after the main table (index from the main table's search),
// never one beyond a table of another kind, and none without a main table.
TEST_F(Tabellensuche, FollowOnTableDirectlyAfterTheMainOne) {
    vk::word::Table haupt = Gebuehrentabelle({{1, ""}}, "VK_LP_08_4");
    vk::word::Table hoai = Gebuehrentabelle({{2, ""}}, "RE_HOAI_Kosten");
    Gebuehrentabelle({{3, ""}}, "VK_LP_08_4_Ein");
    vk::TabellenIndex() = static_cast<std::int16_t>(Position(haupt));
    EXPECT_TRUE(vk::TabelleErmitteln("VK_LP_08_4_Ein", -1).IstNothing());
    vk::TabellenIndex() = 0;
    EXPECT_TRUE(vk::TabelleErmitteln("VK_LP_08_4_Ein", -1).IstNothing());

    hoai.Delete();
    vk::TabellenIndex() = static_cast<std::int16_t>(Position(haupt));
    vk::word::Table t = vk::TabelleErmitteln("VK_LP_08_4_Ein", -1);
    ASSERT_FALSE(t.IstNothing());
    EXPECT_EQ(Zeilen(t)[1], "||||    3,00 €");
}

}  // namespace
}  // namespace vktest
