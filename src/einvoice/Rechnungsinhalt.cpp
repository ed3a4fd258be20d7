#include "einvoice/Rechnungsinhalt.h"

#include <cmath>
#include <cstdlib>
#include <memory>

#include "common/fehler.h"
#include "common/fehlerprotokoll.h"
#include "common/funktionen.h"
#include "common/konvertierung.h"
#include "common/prozedur.h"
#include "einvoice/Dezimal.h"
#include "einvoice/Summenabgleich.h"
#include "platform/dao/recordset.h"

namespace vk::erechnung {
namespace {

constexpr int kEndgültigeRechnung = 4;
constexpr int kAbschlag = 5;
constexpr int kNegiert = 7;
constexpr int kTerminRechnungsdatum = 8;

Variant Wert(dao::Recordset& rs, const char* feld) { return rs.Fields(feld).Value(); }
std::int64_t Cents(dao::Recordset& rs, const char* feld) { return Cent(CDbl(ZahlDatensatzLesen(Wert(rs, feld))) / 100.0); }

// A date field as stored (a date, or ISO text).
std::optional<Datum> DatumLesen(const Variant& v) {
    if (v.Typ() == VarTyp::Date) return v.AlsDatum();
    if (v.Typ() == VarTyp::String) return DatumAusIso(v.AlsString());
    return std::nullopt;
}

std::string Tag(Datum d) {
    int jahr = 0, monat = 0, tag = 0;
    TageAusDatum(d, jahr, monat, tag);
    const auto zweistellig = [](int n) { return std::string(n < 10 ? "0" : "") + std::to_string(n); };
    std::string j = std::to_string(jahr);
    j.insert(0, j.size() < 4 ? 4 - j.size() : 0, '0');
    return j + zweistellig(monat) + zweistellig(tag);
}

std::optional<Datum> Rechnungsdatum(dao::Database& db, const Variant& id) {
    auto rs = db.OpenRecordset("SELECT Datum FROM Termine WHERE ID_Rechnungsnummer = ? AND ID_Terminart = ?",
                               {id, Variant(std::int32_t{kTerminRechnungsdatum})}, dao::dbOpenForwardOnly);
    if (rs->EOF()) return std::nullopt;
    return DatumLesen(Wert(*rs, "Datum"));
}

// The user's rule values and VAT rate, read from TempDoc as Show reads them.
std::optional<Regelwerte> Einstellungen(dao::Database& db, std::int32_t benutzer) {
    auto rs = db.OpenRecordset("SELECT * FROM TempDoc WHERE ID_Benutzer = ?", {Variant(benutzer)}, dao::dbOpenForwardOnly);
    if (rs->EOF()) return std::nullopt;
    Regelwerte w;
    w.Rabatt = CInt(ZahlDatensatzLesen(Wert(*rs, "Rabatt")));
    w.AbschlagProzent = CInt(ZahlDatensatzLesen(Wert(*rs, "AbschlagProzent")));
    w.AbschlagAbsolut = CDbl(ZahlDatensatzLesen(Wert(*rs, "AbschlagAbsolut")));
    w.Mehrwertsteuersatz = CInt(CDbl(ZahlDatensatzLesen(Wert(*rs, "Mehrwertsteuersatz"))) / 10.0);
    return w;
}

// The payment-target sentence of the "Version" row with its number of days between "<" and ">"
// replaced by the due date, as the invoice's text box shows it; the due date itself.
void Zahlungsziel(dao::Database& db, Datum rechnungsdatum, Rechnungsinhalt& inhalt) {
    auto rs = db.OpenRecordset("SELECT * FROM Version", dao::dbOpenForwardOnly);
    if (rs->EOF()) return;
    const Variant wert = Wert(*rs, "Zahlungsziel");
    std::string text = wert.IstNull() || wert.IstEmpty() ? std::string() : CStr(wert);
    if (const auto auf = text.find('<'); auf != std::string::npos) {
        const Datum fällig{std::floor(rechnungsdatum.wert) + Val(text.substr(auf + 1, 3))};
        const std::size_t zu = text.find('>', auf);
        text.replace(auf, zu == std::string::npos ? std::string::npos : zu - auf + 1, " " + CStr(fällig) + " ");
        inhalt.fälligAm = Tag(fällig);
    }
    std::string einzeilig;
    for (char c : text) {
        if (c == ' ' || c == '\r' || c == '\n' || c == '\t') {
            if (!einzeilig.empty() && einzeilig.back() != ' ') einzeilig += ' ';
        } else {
            einzeilig += c;
        }
    }
    while (!einzeilig.empty() && einzeilig.back() == ' ') einzeilig.pop_back();
    inhalt.zahlungsbedingungen = einzeilig;
}

// Price per unit to four decimals when that is exact, else the line's amount per its whole quantity.
Rechnungszeile Zeile(const Gebührenposition& p) {
    Rechnungszeile z{p.name, p.tarifstelle, p.menge, p.einheit, 0, 0, p.betrag,
                     p.satz ? Steuerart{false, *p.satz} : Steuerart{true, 0.0}};
    const std::int64_t menge = std::llabs(p.menge);
    const std::int64_t betrag = std::llabs(p.betrag) * 100;  // ten-thousandths of a euro
    if (menge > 0 && betrag * kZehntausend % menge == 0) {
        z.preis = betrag * kZehntausend / menge;
    } else {
        z.preis = betrag;
        z.basismenge = menge;
    }
    return z;
}

// The rule as document-level allowances (a charge where an advance by amount exceeds the total):
// per VAT category the difference between its lines and its base after the rule.
void Nachlässe(const Summen& s, const std::string& regeltext, Rechnungsinhalt& inhalt) {
    if (s.regel == Regel::Keine) return;
    std::string grund = regeltext;
    while (!grund.empty() && grund.back() == ' ') grund.pop_back();
    if (s.regel == Regel::AbschlagBetrag) grund += " " + EuroText(s.Netto);
    const std::string code = s.regel == Regel::Rabatt ? "95" : "";
    auto hinzu = [&](Steuerart art, std::int64_t vorher, std::int64_t nachher) {
        const std::int64_t differenz = vorher - nachher;
        if (differenz == 0) return;
        inhalt.nachlässe.push_back({differenz < 0, std::llabs(differenz), grund, differenz < 0 ? "" : code, art});
    };
    std::int64_t taxiert = 0;
    for (const Steuersatz& satz : s.saetze) {
        hinzu({false, satz.satz}, satz.netto, satz.basis);
        taxiert += satz.netto;
    }
    hinzu({true, 0.0}, s.Gesamt - taxiert, s.Frei);
}

// The VAT breakdown: each rate that has lines, and the exempt category when VAT-free lines exist.
void Steuern(const Summen& s, Rechnungsinhalt& inhalt) {
    const auto kommtVor = [&](const Steuerart& art) {
        for (const Rechnungszeile& z : inhalt.zeilen)
            if (z.steuer == art) return true;
        return false;
    };
    for (const Steuersatz& satz : s.saetze)
        if (kommtVor({false, satz.satz})) inhalt.steuern.push_back({{false, satz.satz}, satz.basis, satz.mwst});
    if (kommtVor({true, 0.0})) inhalt.steuern.push_back({{true, 0.0}, s.Frei, 0});
}

// Final invoice: the advance invoices of the order, deducted as the totals table deducts them.
bool AbschlägeAbziehen(dao::Database& db, const Variant& auftrag, const Summen& s, Restbeträge& rest,
                       Rechnungsinhalt& inhalt, std::vector<std::string>& mängel) {
    auto rs = db.OpenRecordset("SELECT * FROM Rechnung WHERE ID_Auftragsnummer = ? AND Rechnungsart = ?",
                               {auftrag, Variant(std::int32_t{kAbschlag})}, dao::dbOpenForwardOnly);
    if (rs->EOF()) return false;
    rest = {s.Netto, s.MwSt, s.Rechnungsbetrag(), s.Frei};
    std::string hinweis = "Abzüglich der Anzahlungen:";
    for (; !rs->EOF(); rs->MoveNext()) {
        const std::int64_t netto = Cents(*rs, "NettoRechnung"), frei = Cents(*rs, "MehrwertsteuerFreierbetrag"),
                           brutto = Cents(*rs, "Brutto");
        const Variant nummer = Wert(*rs, "Rechnungsnummer");
        const std::optional<Datum> datum = Rechnungsdatum(db, Wert(*rs, "ID_Rechnungsnummer"));
        const std::string name = nummer.IstNull() ? std::string("(ohne Nummer)") : CStr(nummer);
        if (!datum) mängel.push_back("Die Abschlagsrechnung " + name + " hat kein Rechnungsdatum (Tabelle Termine, Terminart 8)");
        hinweis += " Rechnung Nr. " + name + " vom " + (datum ? CStr(*datum) : std::string("?")) + ": Entgelt " +
                   EuroText(netto + frei) + ", Umsatzsteuer " + EuroText(brutto - netto - frei) + ", Summe " + EuroText(brutto) + ";";
        rest.netto -= netto + frei;
        rest.mwst -= brutto - netto - frei;
        rest.brutto -= brutto;
        rest.frei -= frei;
        inhalt.summen.vorausbezahlt += brutto;
    }
    hinweis += " verbleibend: Entgelt " + EuroText(rest.netto) + ", Umsatzsteuer " + EuroText(rest.mwst) + ", Summe " +
               EuroText(rest.brutto) + ".";
    inhalt.hinweise.push_back(std::move(hinweis));
    return true;
}

}  // namespace

Rechnungsinhalt InhaltErmitteln(const Rechnungsquelle& quelle, std::vector<std::string>& mängel) {
    dao::Database& db = *quelle.datenbank;
    Rechnungsinhalt inhalt;
    const std::optional<Regelwerte> werte = Einstellungen(db, quelle.benutzer);
    if (!werte)
        throw LaufzeitFehler(fehlernummer::UngueltigesArgument, "Keinen Benutzer " + std::to_string(quelle.benutzer) +
                                                                    " in der Tabelle TempDoc von " + db.Name());
    auto rechnung = db.OpenRecordset("SELECT * FROM Rechnung WHERE ID_Rechnungsnummer = ?", {Variant(quelle.rechnung)},
                                     dao::dbOpenForwardOnly);
    if (rechnung->EOF())
        throw LaufzeitFehler(fehlernummer::UngueltigesArgument,
                             "Keine Rechnung " + std::to_string(quelle.rechnung) + " in " + db.Name());
    const Variant nummer = Wert(*rechnung, "Rechnungsnummer");
    if (!nummer.IstNull()) inhalt.nummer = CStr(nummer);
    if (inhalt.nummer.find_first_not_of(' ') == std::string::npos)
        mängel.push_back("Rechnung " + std::to_string(quelle.rechnung) + ": die Rechnungsnummer fehlt");
    const int art = CInt(ZahlDatensatzLesen(Wert(*rechnung, "Rechnungsart")));
    inhalt.art = art == kAbschlag ? kAbschlagsrechnung : art == kNegiert ? kGutschrift : kRechnung;
    const Variant auftrag = Wert(*rechnung, "ID_Auftragsnummer");
    inhalt.auftrag = auftrag;
    const std::optional<Datum> datum = Rechnungsdatum(db, Variant(quelle.rechnung));
    if (datum) {
        inhalt.datum = Tag(*datum);
        Zahlungsziel(db, *datum, inhalt);
    } else {
        mängel.push_back("Rechnung " + inhalt.nummer + " hat kein Rechnungsdatum (Tabelle Termine, Terminart 8)");
    }

    // The lines and the sums, read and priced as the totals are.
    Summen s;
    Prozedur proc("ERechnung", "PositionenLesen");
    const Protokollstand vorher = Protokolliert();
    const std::vector<Gebührenposition> positionen = PositionenLesen(proc, *quelle.dokument, werte->Mehrwertsteuersatz, s);
    if (proc.Fehleranzahl() > 0)
        mängel.push_back("Das Dokument kann nicht vollständig gelesen werden: " + Protokolliert().letzter +
                         (Protokolliert().anzahl > vorher.anzahl ? " (siehe Fehlerprotokoll)" : ""));
    if (positionen.empty()) mängel.push_back("Das Dokument hat keine Gebührenposition mit einem Betrag");
    try {
        RegelAnwenden(s, *werte);
    } catch (const LaufzeitFehler&) {
        RegelAnwenden(s, Regelwerte{});  // as the totals: the rule that cannot be applied is none
    }
    const std::string regeltext = Regeltext(s, *werte);
    for (const Gebührenposition& p : positionen) inhalt.zeilen.push_back(Zeile(p));
    Nachlässe(s, regeltext, inhalt);
    Steuern(s, inhalt);

    Restbeträge rest;
    const bool abgezogen =
        art == kEndgültigeRechnung && AbschlägeAbziehen(db, auftrag, s, rest, inhalt, mängel);
    Gesamtbeträge& g = inhalt.summen;
    g.positionen = s.Gesamt;
    for (const Nachlass& n : inhalt.nachlässe) (n.zuschlag ? g.zuschläge : g.nachlässe) += n.betrag;
    g.netto = s.Netto;
    g.mwst = s.MwSt;
    g.brutto = s.Rechnungsbetrag();
    g.fällig = g.brutto - g.vorausbezahlt;
    if (g.fällig > 0 && inhalt.zahlungsbedingungen.empty() && datum)
        mängel.push_back("Die Tabelle Version hat kein Zahlungsziel: die E-Rechnung braucht Zahlungsbedingungen");

    SummentabelleAbgleichen(*quelle.dokument, s, regeltext, abgezogen ? &rest : nullptr, mängel);
    DatensatzAbgleichen(*rechnung, s, abgezogen ? &rest : nullptr, art == kNegiert, mängel);
    return inhalt;
}

}  // namespace vk::erechnung
