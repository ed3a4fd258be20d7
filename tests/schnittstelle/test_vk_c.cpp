// The C interface's contract where the Python example does not go: status codes, the last error's
// text, one session at a time, nothing saved when a confirmation is refused.
#include <gtest/gtest.h>

#include <string>

#include "cli/rechnungsordner.h"
#include "vk_lp_08/vk_c.h"

namespace vktest {
namespace {

TEST(CSchnittstelle, StatusCodesAndTheLastErrorSayWhatIsWrong) {
    double gebuehr = 0;
    EXPECT_EQ(vk_gebuehrenstaffel1(10, 800, nullptr), VK_UNGUELTIG);
    EXPECT_EQ(std::string(vk_letzter_fehler()), "gebuehr fehlt (NULL).");
    ASSERT_EQ(vk_gebaeudevermessung(200000, &gebuehr), VK_OK);
    EXPECT_EQ(gebuehr, 475.0);
    EXPECT_EQ(std::string(vk_letzter_fehler()), "") << "a call that succeeds clears it";

    vk_sitzung* s = nullptr;
    EXPECT_EQ(vk_sitzung_oeffnen("/nicht/da.sqlite", 1, 1, "/nicht/da.docx", nullptr, &s), VK_FEHLER);
    EXPECT_EQ(s, nullptr);
    EXPECT_NE(std::string(vk_letzter_fehler()).find("/nicht/da.sqlite"), std::string::npos) << vk_letzter_fehler();
}

TEST(CSchnittstelle, OneSessionAtATimeAndARefusedStepChangesNothing) {
    TempOrdner ordner;
    ASSERT_EQ(Vk("demo " + Zitiert(ordner.Pfad().string())).status, 0);
    const std::string db = (ordner / "buero.sqlite").string(), doc = (ordner / "Rechnung.docx").string();
    const std::string vorher = DateiLesen(doc);

    vk_sitzung* s = nullptr;
    ASSERT_EQ(vk_sitzung_oeffnen(db.c_str(), 1, 1, doc.c_str(), nullptr, &s), VK_OK) << vk_letzter_fehler();
    vk_sitzung* zweite = nullptr;
    EXPECT_EQ(vk_sitzung_oeffnen(db.c_str(), 1, 1, doc.c_str(), nullptr, &zweite), VK_BESETZT);
    EXPECT_EQ(vk_sitzung_kategorie(s, 9, nullptr, nullptr), VK_UNGUELTIG);
    EXPECT_EQ(vk_sitzung_bestaetigen(s, nullptr, nullptr), VK_UNGUELTIG) << "no dialog is open";
    ASSERT_EQ(vk_sitzung_kategorie(s, 4, "1", nullptr), VK_OK) << vk_letzter_fehler();
    EXPECT_EQ(vk_sitzung_setzen(s, "gibtsNicht=1"), VK_UNGUELTIG);
    EXPECT_NE(std::string(vk_letzter_fehler()).find("gibtsNicht"), std::string::npos) << vk_letzter_fehler();
    EXPECT_EQ(vk_sitzung_abbrechen(s), VK_OK);
    vk_sitzung_schliessen(s);
    EXPECT_EQ(DateiLesen(doc), vorher);

    // Closed, the next session may open.
    ASSERT_EQ(vk_sitzung_oeffnen(db.c_str(), 1, 1, doc.c_str(), nullptr, &s), VK_OK) << vk_letzter_fehler();
    vk_sitzung_schliessen(s);
}

}  // namespace
}  // namespace vktest
