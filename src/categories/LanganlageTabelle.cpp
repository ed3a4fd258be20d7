#include "categories/LanganlageTabelle.h"

#include "categories/Kategoriedialog.h"

#include <initializer_list>
#include <utility>

#include "common/funktionen.h"
#include "common/konvertierung.h"
#include "common/prozedur.h"
#include "document/GebuehrenTabelle.h"
#include "platform/word/application.h"
#include "platform/word/konstanten.h"
#include "platform/word/paragraph_format.h"

namespace vk {

namespace {

constexpr const char* kModul = "frmKat4";
constexpr const char* kTarifstelle = "Tarifstelle 10.2 ; Gebührenstaffel 2";

// Widths in cm of single cells of a row: {column, width}.
void Zellbreiten(word::Table& t, long zeile, std::initializer_list<std::pair<long, double>> breiten) {
    Prozedur proc(kModul, "TabelleFormatieren");
    for (const auto& [spalte, cm] : breiten)
        proc([&] { t.Cell(zeile, spalte).SetWidth(word::Application::CentimetersToPoints(cm), word::wdAdjustNone); });
}

void Rechtsbündig(word::Table& t, long zeile, std::initializer_list<long> spalten) {
    Prozedur proc(kModul, "CommandEnde_Click");
    for (long spalte : spalten)
        proc([&] { t.Cell(zeile, spalte).Range().ParagraphFormat().SetAlignment(word::wdAlignParagraphRight); });
}

std::string Getrimmt(const std::string& text) {
    const auto anfang = text.find_first_not_of(' ');
    if (anfang == std::string::npos) return "";
    return text.substr(anfang, text.find_last_not_of(' ') - anfang + 1);
}

// A length as the table prints it; a negative one, priced as none, prints as 0.
std::string Länge(const std::string& text) { return MengeFormatieren(text, 4, 0); }
// A parcel count as typed, unless it is negative: then 0, as it is priced.
std::string Trennstücke(const std::string& text) { return CVal(text) < 0 ? MengeFormatieren(text, 3, 0) : text; }

void TitelSchreiben(word::Table& t) {
    ZelleSchreiben(t, 1, 1, "Langgestreckte Anlagen", true);
    ZelleSchreiben(t, 1, 2, "Kate-  Länge  \r\ngorie    [m]", true);
    ZelleSchreiben(t, 1, 3, "Seite\r\n", true);
    ZelleSchreiben(t, 1, 4, "Anzahl  \tGrenzlänge je\r\nTrennstücke\tangefangene 10m", true);
}

void AbschnitteSchreiben(word::Table& t, const std::vector<Abschnitt>& abschnitte, const Langanlagengebühr& g) {
    for (std::size_t i = 0; i < abschnitte.size(); ++i) {
        const Abschnitt& a = abschnitte[i];
        const long z = static_cast<long>(i) + 2;
        const std::string faktor = ZweiteSeite(a.seite) ? "0,9/10 = " : "1,0/10 = ";
        ZelleSchreiben(t, z, 1, a.bezeichnung, false);
        ZelleSchreiben(t, z, 2, a.kategorie + "  \t" + Länge(a.länge), false);
        ZelleSchreiben(t, z, 3, a.seite, false);
        ZelleSchreiben(t, z, 4,
                       Trennstücke(a.trennstücke) + "\t\t" + Länge(a.länge) + " x " + faktor +
                           WertFormatieren(i < g.einheiten.size() ? g.einheiten[i] : 0.0, 3, 0),
                       false);
    }
}

void GebührenSchreiben(word::Table& t, long n, const Langanlagengebühr& g) {
    const Langanlagensatz& s = g.satz ? *g.satz : *LanganlagensatzVon("III");
    ZelleSchreiben(t, n + 3, 1, kTarifstelle, true);
    Zellbreiten(t, n + 3, {{1, 6.7}, {2, 0.3}, {3, 2.0}});

    const long a = n + 4;
    ZelleSchreiben(t, a, 1, "A. Grundgebühr", false);
    ZelleSchreiben(t, a, 2, "je angefangener Kilometer", false);
    Zellbreiten(t, a, {{2, 3.3}, {3, 4.1}, {4, 3.0}, {5, 3.8}});
    ZelleSchreiben(t, a, 4,
                   WertFormatieren(g.kilometer, 3, 0) + " x " + CStr(s.grundgebühr) + " €",
                   false);
    ZelleSchreiben(t, a, 5, Betragstext(g.grundgebühr), false);
    Rechtsbündig(t, a, {4, 5});

    const long b = n + 5;
    ZelleSchreiben(t, b, 1, "B. Teilgebühr nach Grenzlänge je angefangene 10 m", false);
    Zellbreiten(t, b, {{1, 5.4}, {2, 3.3}, {3, 1.0}});
    if (g.grenzeinheiten > 0) {
        Zellbreiten(t, b, {{4, 4.0}, {5, 3.8}});
        ZelleSchreiben(t, b, 4,
                       WertFormatieren(g.grenzeinheiten, 3, 0) + " x " +
                           std::string(s.grenzlänge) + " €",
                       false);
        ZelleSchreiben(t, b, 5, Betragstext(g.grenzlängengebühr), false);
        Rechtsbündig(t, b, {3, 4});
    }

    const long c = n + 6;
    if (g.trennstücke > 0) {
        ZelleSchreiben(t, c, 1, "C. Teilgebühr je Trennstück", false);
        Zellbreiten(t, c, {{1, 5.4}, {2, 0.3}, {4, 4.7}, {5, 3.8}});
        ZelleSchreiben(t, c, 4, CStr(g.trennstücke) + " x " + std::string(s.trennstück) + " €", false);
        ZelleSchreiben(t, c, 5, Betragstext(g.trennstückgebühr), false);
        Rechtsbündig(t, c, {4});
    }
}

void AuslageSchreiben(word::Table& t, long z, const char* stelle, const char* text, const char* einheit,
                      const char* satz, double betrag) {
    ZelleSchreiben(t, z, 1, stelle, false);
    ZelleSchreiben(t, z, 2, text, false);
    ZelleSchreiben(t, z, 3, einheit, false);
    ZelleSchreiben(t, z, 4, satz, false);
    ZelleSchreiben(t, z, 5, Betragstext(betrag), false);
    Rechtsbündig(t, z, {4});
    Zellbreiten(t, z, {{1, 1.4}, {2, 4.5}, {3, 4.0}, {4, 3.3}, {5, 4.3}});
    MwStKennungSetzen(t, z, "0");
}

}  // namespace

long LanganlageZeilenzahl(const Langanlagenangaben& angaben) {
    long zeilen = static_cast<long>(angaben.abschnitte.size()) + 7;
    if (CVal(angaben.flächenText) > 0) zeilen += 2;
    if (angaben.unterlagen) ++zeilen;
    if (angaben.übernahme) ++zeilen;
    if (angaben.unterlagen || angaben.übernahme) ++zeilen;
    return zeilen;
}

void LanganlageTabelleFormatieren(word::Table& tabelle) {
    TabelleFormatierenGemeinsam(tabelle, {5}, {3.3, 2.4, 3.3, 7.0, 0.3}, kModul);
}

void LanganlageZeilenSchreiben(word::Table& t, const Langanlagenangaben& angaben, const Langanlagengebühr& g) {
    const long n = static_cast<long>(angaben.abschnitte.size());
    TitelSchreiben(t);
    AbschnitteSchreiben(t, angaben.abschnitte, g);
    GebührenSchreiben(t, n, g);

    long letzte = n + 6;
    const double flächen = CVal(angaben.flächenText);
    if (flächen > 0) {
        letzte = n + 8;
        ZelleSchreiben(t, letzte, 1, angaben.flächenText + " Flächenberechnungen:\r\n", true);
        Zellbreiten(t, letzte, {{1, 12.1}, {2, 0.3}, {3, 0.3}, {4, 0.3}, {5, 4.5}});
        ZelleSchreiben(t, letzte, 5, Betragstext(g.flächenberechnungen), false);
    }
    if (!angaben.unterlagen && !angaben.übernahme) return;
    // The heading of the expenses goes below the last fee. Narrowed as for the area calculations,
    // the parcel-fee row would grow 4 cm beyond the others and its amount would not be printed, so
    // that row keeps its own widths.
    if (flächen > 0) Zellbreiten(t, letzte, {{1, 5.37}, {2, 5.0}, {3, 2.7}});
    ZelleSchreiben(t, letzte, 1, "\rUmsatzsteuerfreie Auslagen", true);
    if (angaben.unterlagen)
        AuslageSchreiben(t, ++letzte, "9.2", "Vermessungsunterlagen", "je halbem km", "130,00 €", g.unterlagen);
    if (angaben.übernahme)
        AuslageSchreiben(t, ++letzte, "14.2", "Übernahmegebühr", "je Trennstück", "40,00 €", g.übernahme);
}

long LanganlageTarifzeile(word::Table& tabelle) {
    Prozedur proc(kModul, "Form_Load");
    long zeilen = 0;
    proc([&] { zeilen = tabelle.Rows().Count(); });
    long tarif = 0;
    // A section label could name the tariff too; the tariff row is the last such row.
    for (long r = 1; r <= zeilen; ++r)
        proc([&] {
            if (ZellText(tabelle, r, 1).find("Tarifstelle 10.2") != std::string::npos) tarif = r;
        });
    return tarif;
}

Abschnitt LanganlageAbschnittLesen(word::Table& tabelle, long zeile) {
    Prozedur proc(kModul, "Form_Load");
    Abschnitt a;
    proc([&] { a.bezeichnung = ZellText(tabelle, zeile, 1); });
    proc([&] {
        const std::string text = ZellText(tabelle, zeile, 2);
        const auto tab = text.find('\t');
        a.kategorie = Getrimmt(text.substr(0, tab));
        a.länge = tab == std::string::npos ? "" : Getrimmt(text.substr(tab + 1));
    });
    proc([&] { a.seite = Getrimmt(ZellText(tabelle, zeile, 3)); });
    proc([&] {
        const std::string text = ZellText(tabelle, zeile, 4);
        a.trennstücke = Getrimmt(text.substr(0, text.find('\t')));
    });
    return a;
}

}  // namespace vk
