// What a session reports as logged while its dialog was open: a value that is no number, typed
// into the time-spent grid, is logged and the invoice saved; a host (and vk apply's line on standard
// error) learns of it. What reading an existing table back logs while the dialog opens is not
// counted.
#include <gtest/gtest.h>

#include "cli/rechnungsordner.h"
#include "vk_lp_08/sitzung.h"

namespace vktest {
namespace {

TEST(SitzungProtokoll, AnInputThatIsNoNumberIsReportedTheReopenedTableIsNot) {
    TempOrdner ordner;
    ASSERT_EQ(Vk("demo " + Zitiert(ordner.Pfad().string())).status, 0);
    const vk::Rechnungssitzung::Auftrag auftrag{(ordner / "buero.sqlite").string(), 1, 1, ordner / "Rechnung.docx", {}};
    {
        vk::Rechnungssitzung s(auftrag);
        s.KategorieÖffnen(0, "1");
        s.Bestätigen();
        EXPECT_EQ(s.ProtokollImDialog().anzahl, 0u) << s.ProtokollImDialog().letzter;
    }
    vk::Rechnungssitzung s(auftrag);
    s.KategorieÖffnen(5, "new");
    s.Setzen("GridGebühren(1,1)=Meßtruppführer");
    s.Setzen("GridGebühren(1,2)=1,234.5");
    s.Bestätigen();
    const vk::Protokollstand p = s.ProtokollImDialog();
    EXPECT_GE(p.anzahl, 1u);
    EXPECT_NE(p.letzter.find("Typen unverträglich"), std::string::npos) << p.letzter;
}

}  // namespace
}  // namespace vktest
