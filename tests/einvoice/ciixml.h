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
            const std::string basis = T(p, ".//ram:NetPriceProductTradePrice/ram:BasisQuantity");
            zeilen.push_back(T(p, "ram:SpecifiedTradeProduct/ram:SellerAssignedID") + "|" +
                             T(p, "ram:SpecifiedTradeProduct/ram:Name") + "|" + menge.child_value() + " " +
                             menge.attribute("unitCode").value() + "|" +
                             T(p, ".//ram:NetPriceProductTradePrice/ram:ChargeAmount") +
                             (basis.empty() ? "" : " je " + basis) + "|" + T(p, ".//ram:LineTotalAmount") + "|" +
                             Steuer(p.select_node(".//ram:ApplicableTradeTax").node()));
        }
        return zeilen;
    }
    // The VAT lines, then the allowances: "S 19: 97.29 auf 512.05", "E 0: 0.00 auf 90.00 VATEX-EU-79-C",
    // "Nachlass 26.95 S 19 (95 Abzüglich dem Rabatt von 5%)".
    std::vector<std::string> SteuernUndNachlässe() const {
        std::vector<std::string> liste;
        for (const pugi::xpath_node& n : doc_.select_nodes("//ram:ApplicableHeaderTradeSettlement/ram:ApplicableTradeTax")) {
            const std::string code = T(n.node(), "ram:ExemptionReasonCode");
            liste.push_back(Steuer(n.node()) + ": " + T(n.node(), "ram:CalculatedAmount") + " auf " +
                            T(n.node(), "ram:BasisAmount") + (code.empty() ? "" : " " + code));
        }
        for (const pugi::xpath_node& n : doc_.select_nodes("//ram:SpecifiedTradeAllowanceCharge")) {
            const std::string code = T(n.node(), "ram:ReasonCode");
            liste.push_back((T(n.node(), "ram:ChargeIndicator/udt:Indicator") == "true" ? "Zuschlag " : "Nachlass ") +
                            T(n.node(), "ram:ActualAmount") + " " + Steuer(n.node().child("ram:CategoryTradeTax")) +
                            " (" + (code.empty() ? "" : code + " ") + T(n.node(), "ram:Reason") + ")");
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
    static std::string T(pugi::xml_node n, const char* pfad) { return n.select_node(pfad).node().child_value(); }
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
