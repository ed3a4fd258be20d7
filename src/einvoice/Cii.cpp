#include "einvoice/Cii.h"

#include <pugixml.hpp>

#include "common/fehler.h"
#include "einvoice/Dezimal.h"

namespace vk::erechnung {
namespace {

constexpr const char* kProzess = "urn:fdc:peppol.eu:2017:poacc:billing:01:1.0";
constexpr const char* kXRechnung = "urn:cen.eu:en16931:2017#compliant#urn:xeinkauf.de:kosit:xrechnung_3.0";

pugi::xml_node Kind(pugi::xml_node eltern, const char* name, const std::string& text = {}) {
    pugi::xml_node k = eltern.append_child(name);
    if (!text.empty()) k.text().set(text.c_str());
    return k;
}

void Attribut(pugi::xml_node n, const char* name, const std::string& wert) {
    n.append_attribute(name).set_value(wert.c_str());
}

void Tag(pugi::xml_node eltern, const char* name, const std::string& tag) {
    Attribut(Kind(Kind(eltern, name), "udt:DateTimeString", tag), "format", "102");
}

std::string Kategorie(const Steuerart& s) { return s.befreit ? "E" : "S"; }

// The VAT category of a line or an allowance.
void Steuer(pugi::xml_node n, const Steuerart& s) {
    Kind(n, "ram:TypeCode", "VAT");
    Kind(n, "ram:CategoryCode", Kategorie(s));
    Kind(n, "ram:RateApplicablePercent", Satz(s.satz));
}

void Zeile(pugi::xml_node handel, const Rechnungszeile& z, std::size_t nummer) {
    pugi::xml_node p = Kind(handel, "ram:IncludedSupplyChainTradeLineItem");
    Kind(Kind(p, "ram:AssociatedDocumentLineDocument"), "ram:LineID", std::to_string(nummer));
    pugi::xml_node produkt = Kind(p, "ram:SpecifiedTradeProduct");
    if (!z.tarifstelle.empty()) Kind(produkt, "ram:SellerAssignedID", z.tarifstelle);
    Kind(produkt, "ram:Name", z.name);
    pugi::xml_node preis = Kind(Kind(p, "ram:SpecifiedLineTradeAgreement"), "ram:NetPriceProductTradePrice");
    Kind(preis, "ram:ChargeAmount", Dezimal4(z.preis, 2));
    if (z.basismenge) Attribut(Kind(preis, "ram:BasisQuantity", Dezimal4(z.basismenge, 0)), "unitCode", z.einheit);
    Attribut(Kind(Kind(p, "ram:SpecifiedLineTradeDelivery"), "ram:BilledQuantity", Dezimal4(z.menge, 0)), "unitCode",
             z.einheit);
    pugi::xml_node abrechnung = Kind(p, "ram:SpecifiedLineTradeSettlement");
    Steuer(Kind(abrechnung, "ram:ApplicableTradeTax"), z.steuer);
    Kind(Kind(abrechnung, "ram:SpecifiedTradeSettlementLineMonetarySummation"), "ram:LineTotalAmount", Betrag(z.betrag));
}

void Anschrift(pugi::xml_node partei, const std::string& plz, const std::string& strasse, const std::string& ort,
               const std::string& land) {
    pugi::xml_node a = Kind(partei, "ram:PostalTradeAddress");
    Kind(a, "ram:PostcodeCode", plz);
    Kind(a, "ram:LineOne", strasse);
    Kind(a, "ram:CityName", ort);
    Kind(a, "ram:CountryID", land);
}

void Adresse(pugi::xml_node partei, const std::string& text) {
    const ElektronischeAdresse a = AdresseZerlegen(text);
    Attribut(Kind(Kind(partei, "ram:URIUniversalCommunication"), "ram:URIID", a.kennung), "schemeID", a.schema);
}

void Steuernummer(pugi::xml_node partei, const std::string& nummer, const char* schema) {
    if (!nummer.empty()) Attribut(Kind(Kind(partei, "ram:SpecifiedTaxRegistration"), "ram:ID", nummer), "schemeID", schema);
}

void Parteien(pugi::xml_node handel, const Stammdaten& s) {
    pugi::xml_node vereinbarung = Kind(handel, "ram:ApplicableHeaderTradeAgreement");
    Kind(vereinbarung, "ram:BuyerReference", s.auftraggeber.Kaeuferreferenz);
    const Buero& b = s.buero;
    pugi::xml_node verkäufer = Kind(vereinbarung, "ram:SellerTradeParty");
    Kind(verkäufer, "ram:Name", b.Name);
    pugi::xml_node kontakt = Kind(verkäufer, "ram:DefinedTradeContact");
    Kind(kontakt, "ram:PersonName", b.Ansprechpartner);
    Kind(Kind(kontakt, "ram:TelephoneUniversalCommunication"), "ram:CompleteNumber", b.Telefon);
    Kind(Kind(kontakt, "ram:EmailURIUniversalCommunication"), "ram:URIID", b.EMail);
    Anschrift(verkäufer, b.PLZ, b.Strasse, b.Ort, b.Land);
    Adresse(verkäufer, b.ElektronischeAdresse);
    Steuernummer(verkäufer, b.UStIdNr, "VA");
    Steuernummer(verkäufer, b.Steuernummer, "FC");
    const Auftraggeber& a = s.auftraggeber;
    pugi::xml_node käufer = Kind(vereinbarung, "ram:BuyerTradeParty");
    Kind(käufer, "ram:Name", a.Name);
    Anschrift(käufer, a.PLZ, a.Strasse, a.Ort, a.Land);
    Adresse(käufer, a.ElektronischeAdresse);
    Steuernummer(käufer, a.UStIdNr, "VA");
}

void Abrechnung(pugi::xml_node handel, const Rechnungsinhalt& r, const Buero& b) {
    pugi::xml_node abrechnung = Kind(handel, "ram:ApplicableHeaderTradeSettlement");
    Kind(abrechnung, "ram:InvoiceCurrencyCode", "EUR");
    // SEPA credit transfer to the office's account.
    pugi::xml_node zahlung = Kind(abrechnung, "ram:SpecifiedTradeSettlementPaymentMeans");
    Kind(zahlung, "ram:TypeCode", "58");
    pugi::xml_node konto = Kind(zahlung, "ram:PayeePartyCreditorFinancialAccount");
    Kind(konto, "ram:IBANID", IbanOhneLeerzeichen(b.IBAN));
    if (!b.Kontoinhaber.empty()) Kind(konto, "ram:AccountName", b.Kontoinhaber);
    if (!b.BIC.empty()) Kind(Kind(zahlung, "ram:PayeeSpecifiedCreditorFinancialInstitution"), "ram:BICID", b.BIC);

    for (const Steuerzeile& s : r.steuern) {
        pugi::xml_node n = Kind(abrechnung, "ram:ApplicableTradeTax");
        Kind(n, "ram:CalculatedAmount", Betrag(s.betrag));
        Kind(n, "ram:TypeCode", "VAT");
        if (s.steuer.befreit) Kind(n, "ram:ExemptionReason", kBefreiungsgrund);
        Kind(n, "ram:BasisAmount", Betrag(s.basis));
        Kind(n, "ram:CategoryCode", Kategorie(s.steuer));
        if (s.steuer.befreit) Kind(n, "ram:ExemptionReasonCode", kBefreiungscode);
        Kind(n, "ram:RateApplicablePercent", Satz(s.steuer.satz));
    }
    for (const Nachlass& n : r.nachlässe) {
        pugi::xml_node a = Kind(abrechnung, "ram:SpecifiedTradeAllowanceCharge");
        Kind(Kind(a, "ram:ChargeIndicator"), "udt:Indicator", n.zuschlag ? "true" : "false");
        Kind(a, "ram:ActualAmount", Betrag(n.betrag));
        if (!n.grundcode.empty()) Kind(a, "ram:ReasonCode", n.grundcode);
        Kind(a, "ram:Reason", n.grund);
        Steuer(Kind(a, "ram:CategoryTradeTax"), n.steuer);
    }
    if (!r.zahlungsbedingungen.empty() || !r.fälligAm.empty()) {
        pugi::xml_node bedingungen = Kind(abrechnung, "ram:SpecifiedTradePaymentTerms");
        if (!r.zahlungsbedingungen.empty()) Kind(bedingungen, "ram:Description", r.zahlungsbedingungen);
        if (!r.fälligAm.empty()) Tag(bedingungen, "ram:DueDateDateTime", r.fälligAm);
    }
    const Gesamtbeträge& g = r.summen;
    pugi::xml_node summen = Kind(abrechnung, "ram:SpecifiedTradeSettlementHeaderMonetarySummation");
    Kind(summen, "ram:LineTotalAmount", Betrag(g.positionen));
    if (g.zuschläge) Kind(summen, "ram:ChargeTotalAmount", Betrag(g.zuschläge));
    if (g.nachlässe) Kind(summen, "ram:AllowanceTotalAmount", Betrag(g.nachlässe));
    Kind(summen, "ram:TaxBasisTotalAmount", Betrag(g.netto));
    Attribut(Kind(summen, "ram:TaxTotalAmount", Betrag(g.mwst)), "currencyID", "EUR");
    Kind(summen, "ram:GrandTotalAmount", Betrag(g.brutto));
    if (g.vorausbezahlt) Kind(summen, "ram:TotalPrepaidAmount", Betrag(g.vorausbezahlt));
    Kind(summen, "ram:DuePayableAmount", Betrag(g.fällig));
}

// --- reading ---------------------------------------------------------------------------------------

// Elements are found by their local name, whatever prefix the writer chose.
std::string_view Lokal(const char* name) {
    std::string_view n(name);
    const auto p = n.find(':');
    return p == std::string_view::npos ? n : n.substr(p + 1);
}

pugi::xml_node Unter(pugi::xml_node n, std::string_view name) {
    for (pugi::xml_node k : n.children())
        if (Lokal(k.name()) == name) return k;
    return {};
}

pugi::xml_node Pfad(pugi::xml_node n, std::initializer_list<std::string_view> pfad) {
    for (std::string_view name : pfad) n = Unter(n, name);
    return n;
}

std::vector<pugi::xml_node> Alle(pugi::xml_node n, std::string_view name) {
    std::vector<pugi::xml_node> alle;
    for (pugi::xml_node k : n.children())
        if (Lokal(k.name()) == name) alle.push_back(k);
    return alle;
}

[[noreturn]] void Ungültig(const std::string& was) {
    throw LaufzeitFehler(fehlernummer::UngueltigesArgument, "Die E-Rechnung ist unlesbar: " + was);
}

std::int64_t Zahl(pugi::xml_node n, int stellen, const std::string& was, bool pflicht = true) {
    if (!n) {
        if (pflicht) Ungültig(was + " fehlt");
        return 0;
    }
    const auto wert = DezimalLesen(n.child_value(), stellen);
    if (!wert) Ungültig(was + " \"" + n.child_value() + "\" ist keine Zahl");
    return *wert;
}

Steuerart SteuerLesen(pugi::xml_node n) {
    const auto satz = DezimalLesen(Unter(n, "RateApplicablePercent").child_value(), 4);
    return {std::string_view(Unter(n, "CategoryCode").child_value()) != "S",
            satz ? static_cast<double>(*satz) / kZehntausend : 0.0};
}

}  // namespace

void CiiSchreiben(const Rechnungsinhalt& r, const Stammdaten& s, std::ostream& aus) {
    pugi::xml_document doc;
    pugi::xml_node deklaration = doc.append_child(pugi::node_declaration);
    Attribut(deklaration, "version", "1.0");
    Attribut(deklaration, "encoding", "UTF-8");
    pugi::xml_node wurzel = doc.append_child("rsm:CrossIndustryInvoice");
    Attribut(wurzel, "xmlns:rsm", "urn:un:unece:uncefact:data:standard:CrossIndustryInvoice:100");
    Attribut(wurzel, "xmlns:ram", "urn:un:unece:uncefact:data:standard:ReusableAggregateBusinessInformationEntity:100");
    Attribut(wurzel, "xmlns:qdt", "urn:un:unece:uncefact:data:standard:QualifiedDataType:100");
    Attribut(wurzel, "xmlns:udt", "urn:un:unece:uncefact:data:standard:UnqualifiedDataType:100");

    pugi::xml_node kontext = Kind(wurzel, "rsm:ExchangedDocumentContext");
    Kind(Kind(kontext, "ram:BusinessProcessSpecifiedDocumentContextParameter"), "ram:ID", kProzess);
    Kind(Kind(kontext, "ram:GuidelineSpecifiedDocumentContextParameter"), "ram:ID", kXRechnung);
    pugi::xml_node dokument = Kind(wurzel, "rsm:ExchangedDocument");
    Kind(dokument, "ram:ID", r.nummer);
    Kind(dokument, "ram:TypeCode", r.art);
    Tag(dokument, "ram:IssueDateTime", r.datum);
    for (const std::string& h : r.hinweise) Kind(Kind(dokument, "ram:IncludedNote"), "ram:Content", h);

    pugi::xml_node handel = Kind(wurzel, "rsm:SupplyChainTradeTransaction");
    for (std::size_t i = 0; i < r.zeilen.size(); ++i) Zeile(handel, r.zeilen[i], i + 1);
    Parteien(handel, s);
    Kind(handel, "ram:ApplicableHeaderTradeDelivery");
    Abrechnung(handel, r, s.buero);

    doc.save(aus, "  ", pugi::format_default, pugi::encoding_utf8);
}

Rechnungsinhalt CiiLesen(const std::string& xml) {
    pugi::xml_document doc;
    const pugi::xml_parse_result ergebnis = doc.load_buffer(xml.data(), xml.size());
    if (!ergebnis) Ungültig(std::string("kein XML (") + ergebnis.description() + ")");
    const pugi::xml_node wurzel = doc.document_element();
    if (Lokal(wurzel.name()) != "CrossIndustryInvoice") Ungültig("keine Cross Industry Invoice");
    Rechnungsinhalt r;
    const pugi::xml_node dokument = Unter(wurzel, "ExchangedDocument");
    r.nummer = Unter(dokument, "ID").child_value();
    r.art = Unter(dokument, "TypeCode").child_value();
    r.datum = Pfad(dokument, {"IssueDateTime", "DateTimeString"}).child_value();
    const pugi::xml_node handel = Unter(wurzel, "SupplyChainTradeTransaction");
    for (pugi::xml_node p : Alle(handel, "IncludedSupplyChainTradeLineItem")) {
        Rechnungszeile z;
        const std::string nr = "Position " + std::to_string(r.zeilen.size() + 1);
        z.name = Pfad(p, {"SpecifiedTradeProduct", "Name"}).child_value();
        z.tarifstelle = Pfad(p, {"SpecifiedTradeProduct", "SellerAssignedID"}).child_value();
        const pugi::xml_node menge = Pfad(p, {"SpecifiedLineTradeDelivery", "BilledQuantity"});
        z.menge = Zahl(menge, 4, nr + ": Menge");
        z.einheit = menge.attribute("unitCode").value();
        const pugi::xml_node preis = Pfad(p, {"SpecifiedLineTradeAgreement", "NetPriceProductTradePrice"});
        z.preis = Zahl(Unter(preis, "ChargeAmount"), 4, nr + ": Preis");
        z.basismenge = Zahl(Unter(preis, "BasisQuantity"), 4, nr + ": Basismenge", false);
        const pugi::xml_node abrechnung = Unter(p, "SpecifiedLineTradeSettlement");
        z.steuer = SteuerLesen(Unter(abrechnung, "ApplicableTradeTax"));
        z.betrag = Zahl(Pfad(abrechnung, {"SpecifiedTradeSettlementLineMonetarySummation", "LineTotalAmount"}), 2,
                        nr + ": Betrag");
        r.zeilen.push_back(std::move(z));
    }
    const pugi::xml_node abrechnung = Unter(handel, "ApplicableHeaderTradeSettlement");
    for (pugi::xml_node n : Alle(abrechnung, "ApplicableTradeTax"))
        r.steuern.push_back({SteuerLesen(n), Zahl(Unter(n, "BasisAmount"), 2, "Steuerbetrag (Basis)"),
                             Zahl(Unter(n, "CalculatedAmount"), 2, "Steuerbetrag")});
    for (pugi::xml_node n : Alle(abrechnung, "SpecifiedTradeAllowanceCharge"))
        r.nachlässe.push_back({std::string_view(Pfad(n, {"ChargeIndicator", "Indicator"}).child_value()) == "true",
                               Zahl(Unter(n, "ActualAmount"), 2, "Nachlass"), Unter(n, "Reason").child_value(),
                               Unter(n, "ReasonCode").child_value(), SteuerLesen(Unter(n, "CategoryTradeTax"))});
    const pugi::xml_node s = Unter(abrechnung, "SpecifiedTradeSettlementHeaderMonetarySummation");
    Gesamtbeträge& g = r.summen;
    g.positionen = Zahl(Unter(s, "LineTotalAmount"), 2, "Summe der Positionen");
    g.zuschläge = Zahl(Unter(s, "ChargeTotalAmount"), 2, "Zuschläge", false);
    g.nachlässe = Zahl(Unter(s, "AllowanceTotalAmount"), 2, "Nachlässe", false);
    g.netto = Zahl(Unter(s, "TaxBasisTotalAmount"), 2, "Nettobetrag");
    g.mwst = Zahl(Unter(s, "TaxTotalAmount"), 2, "Umsatzsteuer");
    g.brutto = Zahl(Unter(s, "GrandTotalAmount"), 2, "Bruttobetrag");
    g.vorausbezahlt = Zahl(Unter(s, "TotalPrepaidAmount"), 2, "Vorauszahlungen", false);
    g.fällig = Zahl(Unter(s, "DuePayableAmount"), 2, "fälliger Betrag");
    return r;
}

}  // namespace vk::erechnung
