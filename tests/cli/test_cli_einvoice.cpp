// vk einvoice and vk check --xml on the demo office: the e-invoice is written, refused with one line
// per missing datum, and compared line by line and total by total with the invoice it came from.
#include <gtest/gtest.h>

#include "rechnungsordner.h"

namespace vktest {
namespace {

namespace fs = std::filesystem;

class ERechnungCli : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(Vk("demo " + Zitiert(ordner_.Pfad().string())).status, 0); }
    std::string Rechnung() const {
        return "--db " + Zitiert((ordner_ / "buero.sqlite").string()) + " --user 1 --invoice 1 --doc " +
               Zitiert((ordner_ / "Rechnung.docx").string());
    }
    Lauf Schreiben() { return Vk("einvoice " + Rechnung() + " --out " + Zitiert(xml_.string())); }
    Lauf Prüfen(const fs::path& xml, const std::string& mehr = "") {
        return Vk("check " + Rechnung() + " --xml " + Zitiert(xml.string()) + mehr);
    }

    TempOrdner ordner_;
    fs::path xml_ = ordner_ / "Rechnung.xml";
};

TEST_F(ERechnungCli, GeschriebenGeprüftUndVonHandGeändertGefunden) {
    const std::string db = DateiLesen(ordner_ / "buero.sqlite"), doc = DateiLesen(ordner_ / "Rechnung.docx");
    const Lauf l = Schreiben();
    ASSERT_EQ(l.status, 0) << l.ausgabe;
    EXPECT_EQ(l.ausgabe, "E-Rechnung geschrieben: " + xml_.string() + "\n");
    EXPECT_EQ(DateiLesen(ordner_ / "buero.sqlite"), db);
    EXPECT_EQ(DateiLesen(ordner_ / "Rechnung.docx"), doc);

    const Lauf gleich = Prüfen(xml_);
    EXPECT_EQ(gleich.status, 0) << gleich.ausgabe;
    EXPECT_NE(gleich.ausgabe.find("Rechnungsdatensatz: stimmt\nE-Rechnung Rechnung.xml: stimmt\n"), std::string::npos)
        << gleich.ausgabe;

    // The certificate's line lowered by hand in the e-invoice, and its totals with it.
    std::string text = DateiLesen(xml_);
    for (const auto& [alt, neu] : {std::pair<std::string, std::string>{"<ram:LineTotalAmount>300.00<", "<ram:LineTotalAmount>280.00<"},
                                   {"<ram:GrandTotalAmount>24491.01<", "<ram:GrandTotalAmount>24471.01<"}}) {
        const auto p = text.find(alt);
        ASSERT_NE(p, std::string::npos) << alt;
        text.replace(p, alt.size(), neu);
    }
    const fs::path geändert = ordner_ / "geändert.xml";
    DateiSchreiben(geändert, text);
    const Lauf ab = Prüfen(geändert);
    EXPECT_EQ(ab.status, 1) << ab.ausgabe;
    EXPECT_NE(ab.ausgabe.find("E-Rechnung geändert.xml: weicht ab: Position 15, Betrag: 280,00 € in der E-Rechnung, "
                              "300,00 € nach dem Dokument; Rechnungsbetrag (BT-112): 24.471,01 € in der E-Rechnung, "
                              "24.491,01 € nach dem Dokument\n"),
              std::string::npos)
        << ab.ausgabe;
    const Lauf json = Prüfen(geändert, " --json");
    EXPECT_EQ(json.status, 1);
    EXPECT_NE(json.ausgabe.find("\"erechnung\":{\"datei\":"), std::string::npos) << json.ausgabe;
    EXPECT_NE(json.ausgabe.find("{\"was\":\"Position 15, Betrag\",\"erechnung\":\"280,00 €\",\"dokument\":\"300,00 €\"}"),
              std::string::npos)
        << json.ausgabe;

    DateiSchreiben(geändert, "<kein/>");
    EXPECT_EQ(Prüfen(geändert).status, 2);
}

TEST_F(ERechnungCli, AbgelehntMitEinerZeileJeFehlendemWertUndOhneDatei) {
    Roh(ordner_ / "buero.sqlite").Sql("UPDATE Buero SET IBAN = NULL; UPDATE Auftraggeber SET Kaeuferreferenz = NULL");
    const Lauf l = Schreiben();
    EXPECT_EQ(l.status, 2);
    EXPECT_EQ(l.ausgabe,
              "vk: einvoice: keine E-Rechnung geschrieben:\n"
              "  Buero.IBAN fehlt\n"
              "  Auftraggeber.Kaeuferreferenz fehlt (Leitweg-ID oder Referenz des Käufers) (Auftrag 1)\n");
    EXPECT_FALSE(fs::exists(xml_));
    EXPECT_EQ(Vk("einvoice " + Rechnung()).status, 2) << "--out is required";
    EXPECT_EQ(Vk("einvoice " + Rechnung() + " --invoice 9 --out " + Zitiert(xml_.string())).status, 2) << "no invoice 9";
}

}  // namespace
}  // namespace vktest
