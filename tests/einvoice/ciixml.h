// Reading an e-invoice in the tests the way a recipient reads it, apart from the code that wrote it:
// XPath on the XML, each line, VAT line, allowance and total as one text to compare with a literal.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include <pugixml.hpp>

#include "../common/datei_hilfe.h"
#include "../druck.h"

namespace vktest {

class CiiXml {
public:
    explicit CiiXml(const std::filesystem::path& datei) {
        const pugi::xml_parse_result r = doc_.load_file(datei.c_str());
        EXPECT_TRUE(r) << datei << ": " << r.description();
    }
    // The text of the first node the path finds ("" for none).
    std::string Wert(const std::string& xpath) const { return doc_.select_node(xpath.c_str()).node().child_value(); }

    // "10.2|Langgestreckte Anlagen: A. Grundgebühr …|2 H87|770.00|1540.00|S 19" (a price per a base
    // quantity reads "10.00 je 12").
    std::vector<std::string> Zeilen() const {
        std::vector<std::string> zeilen;
        for (const pugi::xpath_node& n : doc_.select_nodes("//ram:IncludedSupplyChainTradeLineItem")) {
            const pugi::xml_node p = n.node();
            const pugi::xml_node menge = p.select_node("ram:SpecifiedLineTradeDelivery/ram:BilledQuantity").node();
            const std::string basis = p.select_node(".//ram:NetPriceProductTradePrice/ram:BasisQuantity").node().child_value();
            zeilen.push_back(std::string(p.select_node("ram:SpecifiedTradeProduct/ram:SellerAssignedID").node().child_value()) +
                             "|" + p.select_node("ram:SpecifiedTradeProduct/ram:Name").node().child_value() + "|" +
                             menge.child_value() + " " + menge.attribute("unitCode").value() + "|" +
                             p.select_node(".//ram:NetPriceProductTradePrice/ram:ChargeAmount").node().child_value() +
                             (basis.empty() ? "" : " je " + basis) + "|" +
                             p.select_node(".//ram:LineTotalAmount").node().child_value() + "|" + Steuer(p.select_node(".//ram:ApplicableTradeTax").node()));
        }
        return zeilen;
    }
    // "S 19: 97.29 auf 512.05", "E 0: 0.00 auf 90.00 VATEX-EU-79-C".
    std::vector<std::string> Steuern() const {
        std::vector<std::string> steuern;
        for (const pugi::xpath_node& n : doc_.select_nodes("//ram:ApplicableHeaderTradeSettlement/ram:ApplicableTradeTax")) {
            const pugi::xml_node s = n.node();
            const std::string code = s.child_value("ram:ExemptionReasonCode");
            steuern.push_back(Steuer(s) + ": " + s.child_value("ram:CalculatedAmount") + " auf " +
                              s.child_value("ram:BasisAmount") + (code.empty() ? "" : " " + code));
        }
        return steuern;
    }
    // "Nachlass 26.95 S 19 (95 Abzüglich dem Rabatt von 5%)".
    std::vector<std::string> Nachlässe() const {
        std::vector<std::string> liste;
        for (const pugi::xpath_node& n : doc_.select_nodes("//ram:SpecifiedTradeAllowanceCharge")) {
            const pugi::xml_node a = n.node();
            const std::string code = a.child_value("ram:ReasonCode");
            liste.push_back(std::string(a.select_node("ram:ChargeIndicator/udt:Indicator").node().child_value() ==
                                                std::string("true")
                                            ? "Zuschlag "
                                            : "Nachlass ") +
                            a.child_value("ram:ActualAmount") + " " + Steuer(a.child("ram:CategoryTradeTax")) + " (" +
                            (code.empty() ? "" : code + " ") + a.child_value("ram:Reason") + ")");
        }
        return liste;
    }
    // "LineTotalAmount 539.00", … in the order the totals stand.
    std::vector<std::string> Summen() const {
        std::vector<std::string> summen;
        for (pugi::xml_node s : doc_.select_node("//ram:SpecifiedTradeSettlementHeaderMonetarySummation").node().children())
            summen.push_back(std::string(s.name()).substr(4) + " " + s.child_value());
        return summen;
    }

private:
    static std::string Steuer(pugi::xml_node s) {
        return std::string(s.child_value("ram:CategoryCode")) + " " + s.child_value("ram:RateApplicablePercent");
    }
    pugi::xml_document doc_;
};

// Checks every e-invoice in the folder with the validation artefacts (schema, EN 16931 rules,
// XRechnung rules) in one run; the findings, empty when none is fatal or an error.
inline std::string Validieren(const std::filesystem::path& ordner, int* rc) {
    return Ausfuehren(std::string(VK_SOURCE_DIR) + "/tests/einvoice/alle_pruefen.sh " + Zitiert(ordner.string()) + " 2>&1", rc);
}

}  // namespace vktest
