// vk einvoice and vk check --xml on the demo office: the e-invoice is written, refused with one line
// per missing datum, and compared line by line and total by total with the invoice it came from.
#include <gtest/gtest.h>

#include "rechnungsordner.h"

namespace vktest {
namespace {

namespace fs = std::filesystem;

class ERechnungCli : public DemoBuero {
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
    const Lauf gleich = Pruefen({}, " --xml " + Zitiert(xml_.string()));
    EXPECT_EQ(gleich.status, 0) << gleich.ausgabe;
    EXPECT_NE(gleich.ausgabe.find("Rechnungsdatensatz: stimmt\nE-Rechnung Rechnung.xml: stimmt\n"), std::string::npos)
        << gleich.ausgabe;

    // The certificate's line lowered by hand in the e-invoice, and its totals with it.
    std::string text = DateiLesen(xml_);
    for (const auto& [alt, neu] : {std::pair<std::string, std::string>{"<ram:LineTotalAmount>300.00<", "<ram:LineTotalAmount>280.00<"},
                                   {"<ram:GrandTotalAmount>24491.01<", "<ram:GrandTotalAmount>24471.01<"}}) {
        ASSERT_NE(text.find(alt), std::string::npos) << alt;
        text.replace(text.find(alt), alt.size(), neu);
    }
    const std::string geändert = " --xml " + Zitiert((ordner_ / "geändert.xml").string());
    DateiSchreiben(ordner_ / "geändert.xml", text);
    const Lauf ab = Pruefen({}, geändert), json = Pruefen({}, geändert + " --json");
    EXPECT_EQ(ab.status, 1) << ab.ausgabe;
    EXPECT_NE(ab.ausgabe.find("E-Rechnung geändert.xml: weicht ab: Position 15, Betrag: 280,00 € in der E-Rechnung, "
                              "300,00 € nach dem Dokument; Rechnungsbetrag (BT-112): 24.471,01 € in der E-Rechnung, "
                              "24.491,01 € nach dem Dokument\n"),
              std::string::npos)
        << ab.ausgabe;
    EXPECT_EQ(json.status, 1);
    EXPECT_NE(json.ausgabe.find("\"erechnung\":{\"datei\":"), std::string::npos) << json.ausgabe;
    EXPECT_NE(json.ausgabe.find("{\"was\":\"Position 15, Betrag\",\"erechnung\":\"280,00 €\",\"dokument\":\"300,00 €\"}"),
              std::string::npos)
        << json.ausgabe;

    DateiSchreiben(ordner_ / "geändert.xml", "<kein/>");
    EXPECT_EQ(Pruefen({}, geändert).status, 2);
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
