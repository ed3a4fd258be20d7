#include "categories/Grenzfeststellungstabelle.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "common/funktionen.h"
#include "common/konvertierung.h"
#include "common/prozedur.h"
#include "document/GebuehrenTabelle.h"
#include "document/kontextdokument.h"
#include "platform/word/application.h"
#include "platform/word/konstanten.h"
#include "platform/word/selection.h"

namespace vk {
namespace {

constexpr const char* kModul = "frmKat2";
constexpr const char* kTitel = "Grenzfeststellung und Abmarkungen";

double Punkte(double cm) { return word::Application::CentimetersToPoints(cm); }

std::string Getrimmt(const std::string& text) {
    const auto a = text.find_first_not_of(' ');
    if (a == std::string::npos) return {};
    return text.substr(a, text.find_last_not_of(' ') - a + 1);
}

// A decimal tab stop at 1.5 cm, no leader, in the paragraphs of the selection.
void DezimaltabulatorSetzen(Prozedur& proc) {
    proc([&] {
        Anwendung().Selection().ParagraphFormat().TabStops().Add(Punkte(1.5), word::wdAlignTabDecimal,
                                                                 word::wdTabLeaderSpaces);
    });
}

void Zellbreite(Prozedur& proc, word::Table& t, long zeile, long spalte, double cm) {
    proc([&] { t.Cell(zeile, spalte).SetWidth(Punkte(cm)); });
}

void ZellbreiteMitTabulator(Prozedur& proc, word::Table& t, long zeile, long spalte, double cm) {
    Zellbreite(proc, t, zeile, spalte, cm);
    proc([&] { t.Cell(zeile, spalte).Select(); });
    DezimaltabulatorSetzen(proc);
}

struct Zeilentexte {
    const char* tarifstelle;
    const char* bezeichnung;
    const char* teilA;
};

Zeilentexte Texte(Grenzart art) {
    switch (art) {
        case NachträglicheAbmarkung:
            return {"12.2", "Nachträgliche Abmarkungen", "Gebühr nach Staffel 3, Teil A (70%)"};
        case AbmarkungKatastererneuerung:
            return {"12.3", "Abmarkungen im Zusammenhang mit einer Katastererneuerung",
                    "Keine Gebühr nach Staffel 3, Teil A"};
        default:
            return {"11.1", kTitel, "Gebühr nach Staffel 3, Teil A"};
    }
}

// The row that puts a share of an amount into column 5: its two-paragraph text in cell 2 (made
// wider), the share's amount in cell 5, which starts where column 7 of the fee rows starts and has
// the same decimal tab stop, so the amounts line up; cell 7 narrow.
void Anteilszeile(Prozedur& proc, word::Table& t, long z, const std::string& text, double betrag) {
    Zellbreite(proc, t, z, 2, 7.2);
    Zellbreite(proc, t, z, 3, 2.7);
    ZellbreiteMitTabulator(proc, t, z, 5, 2.5);
    Zellbreite(proc, t, z, 7, 0.3);
    ZelleSchreiben(t, z, 2, text, false);
    ZelleSchreiben(t, z, 5, Betragstext(betrag), false);
}

// One VAT-free expense: in the full layout its amount in column 5 tagged "0"; in the share layout
// the undivided amount in column 8 without a tag (the share of all expenses follows in its own row).
// There the empty cell 5 stays narrow and cell 8 starts where column 7 of the fee rows starts, so
// the row keeps the table's width and its amount stays on the page.
void Auslagenzeile(Prozedur& proc, word::Table& t, long z, bool anteilig, double breite6,
                   const std::vector<std::string_view>& texte, double betrag) {
    Zellbreite(proc, t, z, 4, anteilig ? 2.8 : 3.1);
    Zellbreite(proc, t, z, 5, anteilig ? 0.3 : 3.0);
    Zellbreite(proc, t, z, 7, 0.3);
    if (anteilig) ZellbreiteMitTabulator(proc, t, z, 8, 2.8);
    else ZellbreiteMitTabulator(proc, t, z, 6, breite6);
    for (std::size_t i = 0; i < texte.size(); ++i)
        ZelleSchreiben(t, z, static_cast<long>(i) + 1, texte[i], false);
    if (anteilig) {
        ZelleSchreiben(t, z, 8, Betragstext(betrag), false);
        return;
    }
    ZelleSchreiben(t, z, 5, Betragstext(betrag), false);
    MwStKennungSetzen(t, z, "0");
}

}  // namespace

long GrenzfeststellungZeilenzahl(const Grenzfeststellungseingaben& e) {
    long zeilen = 8;
    if (e.unterlagen || e.übernahme) ++zeilen;
    if (e.unterlagen) ++zeilen;
    if (e.übernahme) ++zeilen;
    if (Anteilsfaktor(e.anteil) < 1.0) zeilen += 3;
    return zeilen;
}

void GrenzfeststellungstabelleFormatieren(word::Table& tabelle, bool anteilig) {
    static const std::vector<double> voll{2.0, 5.6, 4.0, 3.4, 2.5, 0.3, 0.3, 0.3};
    static const std::vector<double> anteil{2.0, 5.3, 4.0, 3.1, 0.3, 0.3, 2.5, 0.3};
    TabelleFormatierenGemeinsam(tabelle, {}, anteilig ? anteil : voll, kModul);
    Prozedur proc(kModul, "TabelleFormatieren");
    proc([&] { tabelle.Columns().Item(anteilig ? 7 : 5).Select(); });
    DezimaltabulatorSetzen(proc);
}

void GrenzfeststellungszeilenSchreiben(word::Table& t, const Grenzfeststellungseingaben& e) {
    Prozedur proc(kModul, "CommandEnde_Click");
    const double faktor = Anteilsfaktor(e.anteil);
    const bool anteilig = faktor < 1.0;
    const long wertspalte = anteilig ? 7 : 5;
    // A negative land value or number of points is priced as none and printed as 0.
    double n = 0, bodenwert = 0;
    proc([&] { n = std::max(0.0, CVal(e.punkte)); });
    proc([&] { bodenwert = std::max(0.0, CVal(e.bodenwert)); });
    const std::string punkteText = CVal(e.punkte) < 0 ? MengeFormatieren(e.punkte, 2, 0) : e.punkte;
    const std::string wertText = CVal(e.bodenwert) < 0 ? MengeFormatieren(e.bodenwert, 8, 2) : e.bodenwert;
    const Grenzfeststellungsbeträge b = TabellenBeträge(e.art, bodenwert, n);
    const Zeilentexte texte = Texte(e.art);

    ZelleSchreiben(t, 1, 1, kTitel, true);
    for (long z : {1, 2}) {
        Zellbreite(proc, t, z, 1, 13.5);
        for (long s : {2, 3, 4}) Zellbreite(proc, t, z, s, 0.5);
    }
    ZelleSchreiben(t, 2, 1, e.flurstück, false);
    ZelleSchreiben(t, 3, 1, "Tarif- stelle", true);
    ZelleSchreiben(t, 3, 2, "Bezeichnung", true);
    Zellbreite(proc, t, 3, 3, 1.0);
    Zellbreite(proc, t, 3, 5, 2.87);

    ZelleSchreiben(t, 4, 1, texte.tarifstelle, false);
    ZelleSchreiben(t, 4, 2, texte.bezeichnung, false);
    ZelleSchreiben(t, 5, 2, "Bodenwert", false);
    ZelleSchreiben(t, 5, 3, wertText + " €/m²", false);
    ZelleSchreiben(t, 6, 2, texte.teilA, false);
    ZelleSchreiben(t, 6, wertspalte, Betragstext(b.teilA), false);
    ZelleSchreiben(t, 7, 2, "Gebühr nach Staffel 3, Teil B", false);
    ZelleSchreiben(t, 7, 3, punkteText + " in der Örtlichkeit überprüfte/hergestellte Grenzpunkte", false);
    ZelleSchreiben(t, 7, 4, "x " + Betragstext(b.jePunkt), false);
    ZelleSchreiben(t, 7, wertspalte, Betragstext(b.teilB), false);

    long z = 8;
    if (e.art == GrenzfeststellungUndAbmarkung) {
        ZelleSchreiben(t, z, 1, "12.1", false);
        ZelleSchreiben(t, z, 2, "je abgemarkter Grenzpunkt", false);
        ZelleSchreiben(t, z, 3, punkteText, false);
        ZelleSchreiben(t, z, 4, "x 10,00 €", false);
        ZelleSchreiben(t, z, wertspalte, Betragstext(b.abmarkung), false);
        ++z;
    }

    const std::string prozent = KurzText(faktor * 100.0, 2) + " % von ";
    if (anteilig) {
        const double zwischensumme = b.teilA + b.teilB + b.abmarkung;
        ZelleSchreiben(t, z, 2, "Zwischensumme\r", true);
        ZelleSchreiben(t, z, 7, Betragstext(zwischensumme), true);
        ++z;
        Anteilszeile(proc, t, z,
                     "Ihr Anteil beträgt " + Getrimmt(e.anteil) + "/1000\r" + prozent + Betragstext(zwischensumme),
                     Anteil(zwischensumme, faktor));
        ++z;
    }

    if (!e.unterlagen && !e.übernahme) return;
    ZelleSchreiben(t, z, 2, "\rUmsatzsteuerfreie Auslagen", true);
    ++z;
    double auslagen = 0;
    if (e.unterlagen) {
        Auslagenzeile(proc, t, z, anteilig, 2.5, {"9.1", "Vermessungsunterlagen"}, kVermessungsunterlagen);
        auslagen += kVermessungsunterlagen;
        ++z;
    }
    if (e.übernahme) {
        const double übernahme = Übernahmegebühr(b.teilB);
        Auslagenzeile(proc, t, z, anteilig, 3.0,
                      {"14.3", "Übernahmegebühr", "8% der Teilgebühr B", "min. 30,00 €"}, übernahme);
        auslagen += übernahme;
        ++z;
    }
    if (!anteilig) return;
    Anteilszeile(proc, t, z, "anteilige Auslagen \r" + prozent + Betragstext(auslagen), Anteil(auslagen, faktor));
    MwStKennungSetzen(t, z, "0");
}

}  // namespace vk
