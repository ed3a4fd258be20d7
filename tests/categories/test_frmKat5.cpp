// Boundary certificates: the position chosen by the check boxes, the copies, the totals, and the
// table read back when the dialog is opened again.
#include <gtest/gtest.h>

#include "categories/frmKat5.h"
#include "categories/kategorieumfeld.h"
#include "common/konvertierung.h"
#include "platform/controls/version.h"

namespace vktest {
namespace {

using vk::frmKat5;
using vk::ui::Klicken;
using vk::ui::Setzen;

class Kat5 : public Kategorieumfeld {
protected:
    frmKat5& Form() { return Oeffnen<frmKat5>(4); }
};

TEST_F(Kat5, ShowOpensTheDialogInsideTheHostWithItsCommonLoadSteps) {
    frmKat5& form = Form();
    EXPECT_TRUE(form.Geladen());
    EXPECT_EQ(form.lblVersion.Caption(), vk::ui::VersionsText());
    EXPECT_EQ(vk::ui::StandardBildschirm().Verlauf(), (std::vector<int>{11, 0}));
    EXPECT_EQ(vk::ui::StandardFensterverwaltung().Von(form.hWnd()).eltern, 0x4D);
    EXPECT_EQ(vk::ui::StandardFensterverwaltung().Von(form.hWnd()).stil, 0x140);
    EXPECT_EQ(Zeigt(form, {"chkOrt", "mskMehrfach"}), (Zellen{"0", ""}));
}

// The position chosen by the check boxes, and the count shown and the amount charged agreeing for
// any count a person types; a text that is no number is no copies.
TEST_F(Kat5, PositionAndCopiesWritten) {
    const std::string ohne = "ohne Ortsbesichtigung\rTarifstelle 8.2.1||||";
    const std::pair<std::vector<const char*>, Zellen> fälle[] = {
        {{"chkOrt=1", "mskMehrfach=2"},
         {"mit Ortsbesichtigung\rTarifstelle 8.2.2||||", "||||", "Anzahl Mehrfachausfertigungen:|       2|||  300,00 €"}},
        {{"chkOrt=1", "chkMitVermessung=1", "mskMehrfach=1"},
         {"in Zusammenhang mit einer Vermessung\rTarifstelle 13||||", "||||",
          "Anzahl Mehrfachausfertigungen:|       1|||   60,00 €"}},
        {{"mskMehrfach=1.200"}, {ohne, "||||", "Anzahl Mehrfachausfertigungen:|   1.200|||90.000,00 €"}},
        {{"mskMehrfach=2,5"}, {ohne, "||||", "Anzahl Mehrfachausfertigungen:|       3|||  225,00 €"}},
        {{"mskMehrfach=-2"}, {ohne, "||||   75,00 €"}},
        {{"mskMehrfach=keine"}, {ohne, "||||   75,00 €"}},
    };
    for (const auto& [eingaben, zeilen] : fälle) {
        SCOPED_TRACE(eingaben.back());
        frmKat5& form = Form();
        Eingeben(form, eingaben);
        Zellen erwartet = zeilen;
        erwartet.insert(erwartet.begin(), "Grenzbescheinigungen||||");
        EXPECT_EQ(Bestaetigen(form, "VK_LP_02_5"), erwartet);
        EXPECT_FALSE(Offen<frmKat5>());
        Tabelle("VK_LP_02_5").Delete();
    }
}

// With a survey the inspection box is disabled and keeps its value. A certificate with a survey,
// re-opened and the survey unticked, is one without inspection: the "mit" of its text is no inspection.
TEST_F(Kat5, WithASurveyTheInspectionBoxIsDisabledAndNotTickedOnReading) {
    frmKat5& form = Form();
    Eingeben(form, {"chkOrt=1", "mskMehrfach=2", "chkMitVermessung=1"});
    EXPECT_EQ(Zeigt(form, {"mskMehrfach", "chkOrt.Enabled", "chkOrt"}), (Zellen{"       2", "0", "1"}));
    Setzen(form, "chkMitVermessung=0");
    EXPECT_EQ(Zeigt(form, {"chkOrt.Enabled", "chkOrt"}), (Zellen{"1", "1"}));
    form.Unload();

    Setzen(Form(), "chkMitVermessung=1");
    Klicken(Form(), "CommandEnde");
    frmKat5& wieder = Form();
    EXPECT_EQ(Zeigt(wieder, {"chkMitVermessung", "chkOrt"}), (Zellen{"1", "0"}));
    Setzen(wieder, "chkMitVermessung=0");
    EXPECT_EQ(Bestaetigen(wieder, "VK_LP_02_5"),
              (Zellen{"Grenzbescheinigungen||||", "ohne Ortsbesichtigung\rTarifstelle 8.2.1||||", "||||   75,00 €"}));
}

// Opening the dialog on its own table and confirming unchanged writes the same table.
TEST_F(Kat5, ReopeningRestoresTheInputsAndConfirmingWritesTheSameTable) {
    struct Fall {
        const char* ort;
        const char* vermessung;
        const char* kopien;
    };
    for (const Fall& fall : {Fall{"1", "0", "2"}, Fall{"0", "0", ""}, Fall{"1", "1", "3"}, Fall{"0", "1", ""}}) {
        SCOPED_TRACE(std::string(fall.ort) + fall.vermessung + fall.kopien);
        frmKat5& form = Form();
        Setzen(form, "chkOrt", fall.ort);
        Setzen(form, "chkMitVermessung", fall.vermessung);
        if (*fall.kopien) Setzen(form, "mskMehrfach", fall.kopien);
        const auto vorher = Bestaetigen(form, "VK_LP_02_5");

        frmKat5& wieder = Form();
        EXPECT_EQ(wieder.chkMitVermessung.Value(), fall.vermessung[0] - '0');
        EXPECT_EQ(wieder.chkOrt.Enabled(), fall.vermessung[0] == '0');
        if (fall.vermessung[0] == '0') {
            EXPECT_EQ(wieder.chkOrt.Value(), fall.ort[0] - '0');
        }
        EXPECT_EQ(vk::Val(wieder.mskMehrfach.Text()), vk::Val(fall.kopien));
        EXPECT_EQ(Bestaetigen(wieder, "VK_LP_02_5"), vorher);
        EXPECT_EQ(doc_->Tables().Count(), 2) << "one fee table and the totals";
        Tabelle("VK_LP_02_5").Delete();
    }
}

TEST_F(Kat5, CancelLeavesTheDocumentUnchanged) {
    frmKat5& first = Form();
    Setzen(first, "chkOrt=1");
    Klicken(first, "CommandEnde");
    const auto vor = ordner_ / "vor.docx";
    doc_->Save(vor);
    const std::string vorher = doc_->Content().Text();

    frmKat5& form = Form();
    Eingeben(form, {"chkOrt=0", "mskMehrfach=5"});
    Klicken(form, "CommandAbbruch");
    EXPECT_FALSE(Offen<frmKat5>());
    EXPECT_EQ(doc_->Content().Text(), vorher);
    const auto nach = ordner_ / "nach.docx";
    doc_->Save(nach);
    EXPECT_EQ(DateiLesen(nach), DateiLesen(vor));
    EXPECT_EQ(Zeilen(Tabelle("VK_LP_02_5"))[1], "mit Ortsbesichtigung\rTarifstelle 8.2.2||||");
}

}  // namespace
}  // namespace vktest
