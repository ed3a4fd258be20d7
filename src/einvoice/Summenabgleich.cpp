#include "einvoice/Summenabgleich.h"

#include <cmath>
#include <optional>

#include "common/funktionen.h"
#include "common/konvertierung.h"
#include "document/KV_WordAuto.h"
#include "document/kennungen.h"
#include "document/tabellenkennung.h"
#include "einvoice/Dezimal.h"

namespace vk::erechnung {
namespace {

std::string Zelle(const word::Row& zeile, long spalte) {
    if (zeile.CellCount() < spalte) return "";
    std::string text = zeile.Cell(spalte).Range().Text();
    if (text.size() >= 2) text.erase(text.size() - 2);
    std::string s;
    for (char c : text)
        if (c != '\r' && c != '\a') s += c;
    const auto a = s.find_first_not_of(' ');
    return a == std::string::npos ? "" : s.substr(a, s.find_last_not_of(' ') - a + 1);
}

std::int64_t Betrag(const std::string& text) { return Cent(CVal(text)); }

class Vergleich {
public:
    Vergleich(std::string wo, const char* wie, std::vector<std::string>& mängel)
        : wo_(std::move(wo)), wie_(wie), mängel_(mängel) {}
    void Prüfen(const std::string& was, std::optional<std::int64_t> ist, std::int64_t soll) {
        if (ist == soll) return;
        mängel_.push_back(wo_ + ", " + was + ": " + (ist ? EuroText(*ist) : std::string("(fehlt)")) + " " + wie_ + ", " +
                          EuroText(soll) + " nach den Gebührentabellen");
    }

private:
    std::string wo_;
    const char* wie_;
    std::vector<std::string>& mängel_;
};

}  // namespace

void SummentabelleAbgleichen(word::Document& doc, const Summen& summen, const std::string& regeltext,
                             const Restbeträge* rest, std::vector<std::string>& mängel) {
    // The totals table says "Summe" in cell (1,2); only such a table's tag is looked at.
    word::Table tabelle;
    for (word::Table t : AlleTabellen(doc)) {
        const word::Row erste = t.Rows().Item(1);
        if (erste.CellCount() >= 2 && erste.Cell(2).Range().Text() == "Summe\r\a" && TraegtKennung(t, kennung::Summe)) {
            tabelle = t;
            break;
        }
    }
    if (tabelle.IstNothing()) {
        mängel.push_back("Das Dokument hat keine Summentabelle: die Rechnung erst mit einer Gebührentabelle bestätigen");
        return;
    }
    std::optional<std::int64_t> gesamt, netto, brutto, restNetto, restMwSt, restBrutto;
    std::vector<std::pair<std::string, std::pair<std::int64_t, std::int64_t>>> mwst;
    std::string regel = regeltext;
    while (!regel.empty() && regel.back() == ' ') regel.pop_back();
    for (const word::Row& zeile : tabelle.Rows().Each()) {
        const std::string links = Zelle(zeile, 1), mitte = Zelle(zeile, 2);
        if (mitte == "Summe" && !gesamt) gesamt = Betrag(Zelle(zeile, 4));
        else if (!regel.empty() && mitte == regel) netto = Betrag(Zelle(zeile, 4));
        else if (mitte.rfind("Mehrwertsteuer ", 0) == 0)
            mwst.push_back({mitte, {Betrag(Zelle(zeile, 3)), Betrag(Zelle(zeile, 4))}});
        else if ((mitte == "Rechnungsbetrag" || mitte == "Gesamtsumme") && !brutto) brutto = Betrag(Zelle(zeile, 4));
        else if (links == "Rechnungsbetrag") {
            restNetto = Betrag(mitte);
            restMwSt = Betrag(Zelle(zeile, 3));
            restBrutto = Betrag(Zelle(zeile, 4));
        }
    }
    Vergleich v("Summentabelle", "im Dokument", mängel);
    v.Prüfen("Summe", gesamt, summen.Gesamt);
    if (!regel.empty()) v.Prüfen(regel, netto, summen.Netto);
    for (std::size_t i = 0; i < summen.saetze.size(); ++i) {
        const Steuersatz& s = summen.saetze[i];
        const std::string name = "Mehrwertsteuer " + CStr(s.satz) + " %";
        const bool da = i < mwst.size() && mwst[i].first == name;
        v.Prüfen(name + " (Bemessungsgrundlage)", da ? std::optional(mwst[i].second.first) : std::nullopt, s.basis);
        v.Prüfen(name, da ? std::optional(mwst[i].second.second) : std::nullopt, s.mwst);
    }
    for (std::size_t i = summen.saetze.size(); i < mwst.size(); ++i)
        mängel.push_back("Summentabelle, " + mwst[i].first + ": im Dokument, nicht nach den Gebührentabellen");
    v.Prüfen(rest ? "Gesamtsumme" : "Rechnungsbetrag", brutto, summen.Rechnungsbetrag());
    if (!rest) return;
    v.Prüfen("Rechnungsbetrag (Entgelt)", restNetto, rest->netto);
    v.Prüfen("Rechnungsbetrag (Umsatzsteuer)", restMwSt, rest->mwst);
    v.Prüfen("Rechnungsbetrag", restBrutto, rest->brutto);
}

void DatensatzAbgleichen(dao::Recordset& rechnung, const Summen& summen, const Restbeträge* rest, bool negiert,
                         std::vector<std::string>& mängel) {
    const std::int64_t vorzeichen = negiert ? -1 : 1;
    const std::int64_t netto = rest ? rest->netto - rest->frei : summen.Steuerpflichtig;
    const std::int64_t brutto = rest ? rest->brutto : summen.Rechnungsbetrag();
    const std::int64_t frei = rest ? rest->frei : summen.Frei;
    Vergleich v("Rechnungsdatensatz", "gespeichert", mängel);
    for (const auto& [feld, soll] : {std::pair{"NettoRechnung", netto}, std::pair{"Brutto", brutto},
                                     std::pair{"MehrwertsteuerFreierbetrag", frei}}) {
        const Variant wert = rechnung.Fields(feld).Value();
        std::optional<std::int64_t> ist;
        if (!wert.IstNull() && !wert.IstEmpty()) ist = std::llround(CDbl(wert));
        v.Prüfen(feld, ist, vorzeichen * soll);
    }
}

}  // namespace vk::erechnung
