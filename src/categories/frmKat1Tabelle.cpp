// "&OK" of the parcel-formation dialog: the fee table with its parcel rows, positions, share rows
// and VAT-free expenses, written in place of the dialog's table.
#include <string>

#include "categories/Flurstuecksbildung.h"
#include "categories/frmKat1.h"
#include "common/fehler.h"
#include "common/funktionen.h"
#include "common/konvertierung.h"
#include "common/prozedur.h"
#include "document/Bestaetigung.h"
#include "document/GebuehrenTabelle.h"
#include "document/kontextdokument.h"
#include "feescale/modStatus.h"
#include "platform/word/application.h"
#include "platform/word/bookmarks.h"
#include "platform/word/comment.h"
#include "platform/word/konstanten.h"
#include "platform/word/selection.h"

namespace vk {

namespace {

constexpr const char* kModul = "frmKat1";
constexpr const char* kSchluessel = "VK_LP_02_1";
constexpr double kVermessungsunterlagen = 154.0;

double Punkte(double cm) { return word::Application::CentimetersToPoints(cm); }

// Extends the selection by n - 1 lines downwards, so a selected cell becomes a block of n cells.
void SelectionVerschieben(long n) {
    Anwendung().Selection().MoveDown(word::wdLine, n - 1, word::wdExtend);
}

// Borders off, every paragraph right-aligned, column 1 left-aligned, the whole table's widths.
void TabelleFormatieren(word::Table& t) {
    TabelleFormatierenGemeinsam(t, {}, {5.6, 3.5, 3.0, 2.9, 2.5, 0.3, 0.3, 0.3}, kModul);
    Prozedur proc(kModul, "TabelleFormatieren");
    proc([&] { t.Select(); });
    proc([&] { Anwendung().Selection().ParagraphFormat().SetAlignment(word::wdAlignParagraphRight); });
    proc([&] { t.Columns().Item(1).Select(); });
    proc([&] { Anwendung().Selection().ParagraphFormat().SetAlignment(word::wdAlignParagraphLeft); });
}

void Breite(word::Table& t, long zeile, long spalte, double cm) {
    Prozedur proc(kModul, "CommandEnde_Click");
    proc([&] { t.Cell(zeile, spalte).SetWidth(Punkte(cm)); });
}

// Everything the table shows, computed once from the dialog's inputs.
struct Positionen {
    bool liste = true;
    int parzellen = 0;       // grid rows (list mode)
    double anteil = 1.0;     // the client's share, 1 for the whole
    bool unterlagen = false, übernahme = false;
    std::string art;
    double V = 0, F = 0, P = 0;
    double S1 = 0, A1 = 0, B = 0, A2 = 0;
    double faktor = 1;
    std::string faktorText, anzahlText;
    double übernahmegebühr = 0;
    double zwischensumme = 0, auslagen = 0;

    bool Geteilt() const { return anteil < 1; }
    bool MitAuslagen() const { return unterlagen || übernahme; }
    long Kopfzeile() const { return liste ? parzellen + 2 : 2; }
    long Zeilen() const {
        return (liste ? parzellen + 9 : 9) + (MitAuslagen() ? 1 : 0) + (unterlagen ? 1 : 0) + (übernahme ? 1 : 0) +
               (Geteilt() ? 3 : 0);
    }
    long Betragsspalte() const { return Geteilt() ? 7 : 5; }
    std::string Prozent() const { return KurzText(anteil * 100, 2); }
};

}  // namespace

void frmKat1::CommandEnde_Click() {
    Prozedur proc(kModul, "CommandEnde_Click");
    Positionen p;
    p.liste = Listenmodus();
    // The totals and the area to pay are brought up to date before the share is taken from them:
    // adding a row does not recompute, and a stale area to pay would price a wrong share.
    proc([&] { ÜbernehmenWerte(); });
    proc([&] {
        const double promille = PromilleAnteil(MaskEdBoxAnteil.Text());
        if (promille >= 0) {
            p.anteil = promille;
        } else {
            const double zahlen = CVal(txtzahlen.Text()), fläche = CVal(lblFläche.Caption());
            if (zahlen != fläche) p.anteil = Division(zahlen, fläche);
        }
    });
    p.parzellen = GridGebühren1.Rows();
    p.unterlagen = chkUnterlagen.Value() == 1;
    p.übernahme = chkÜbernahme.Value() == 1;
    p.art = comArt.Text();
    p.V = CVal(lblWert.Caption());
    p.F = CVal(lblFläche.Caption());
    p.P = CVal(MaskEdBoxGrenzpunkte.Text());
    if (p.art == "10.1") proc([&] {
            p.B = Grenzfeststellung_B(p.V, p.P);
            p.A2 = GrenzpunktGebühr(p.V, p.P);
        });
    if (p.liste) {
        p.faktor = p.parzellen - 1 > 1 ? Flurstücksfaktor(p.parzellen - 1) : 1.0;
        p.anzahlText = CStr(static_cast<double>(p.parzellen));
    } else {
        // An empty count is one parcel: the invoice is not priced at zero for a field left empty.
        p.anzahlText = Trim(txtAnzahl.Text());
        if (p.anzahlText.empty()) p.anzahlText = "1";
        p.faktor = Flurstücksfaktor(CVal(p.anzahlText));
    }
    p.faktorText = CStr(p.faktor);
    if (p.art == "10.3") {
        p.faktorText += " x 0,5 ";
        p.faktor /= 2;
    }
    proc([&] { p.S1 = Gebührenstaffel1(p.V, p.F); });
    // Every amount counts with the cents it shows: the subtotal and the expenses are sums of the
    // amounts printed above them, and the take-over fee is 8 % of the printed fee.
    proc([&] { p.A1 = AufCent(p.S1 * p.faktor); });
    proc([&] { p.A2 = AufCent(p.A2); });
    proc([&] { p.übernahmegebühr = AufCent(0.08 * p.A1); });
    p.zwischensumme = p.A1 + p.A2;
    if (p.unterlagen) p.auslagen += kVermessungsunterlagen;
    if (p.übernahme) p.auslagen += p.übernahmegebühr;

    const std::string zahlenText = Trim(txtzahlen.Text());
    const std::string flächeText = Trim(lblFläche.Caption());
    const std::string anteilText = MaskEdBoxAnteil.Text();
    const bool nachFläche = Trim(anteilText).empty() || PromilleAnteil(anteilText) < 0;

    Tabellenauftrag auftrag;
    auftrag.modul = kModul;
    auftrag.schluessel = kSchluessel;
    auftrag.zeilen = p.Zeilen();
    auftrag.spalten = 8;
    auftrag.formatieren = [](word::Table& t) { TabelleFormatieren(t); };
    auftrag.zeilenSchreiben = [&](word::Table& t) {
        Prozedur schreiben(kModul, "CommandEnde_Click");
        const long R = p.Kopfzeile();
        const long betrag = p.Betragsspalte();
        schreiben([&] {
            word::Bookmarks marken = Dokument().Bookmarks();
            marken.Add(kSchluessel, t.Cell(1, 5).Range());
            marken.SetDefaultSorting(0);
            marken.SetShowHidden(true);
        });

        ZelleSchreiben(t, 1, 1, "Festestellung von Flurstückgrenzen zur Flurstücksbildung", true);
        if (p.liste) {
            ZelleSchreiben(t, 1, 2, "Fläche [m²]", true);
            ZelleSchreiben(t, 1, 3, "Bodenwert [€/m²]", true);
            ZelleSchreiben(t, 1, 4, "Wert [€]", true);
            ZelleSchreiben(t, 1, 5, "zu zahlen", true);
            const int spalte[] = {1, 3, 4, 5, 2};  // grid column of each table column
            for (int i = 1; i <= p.parzellen; ++i)
                for (int c = 1; c <= 5; ++c)
                    ZelleSchreiben(t, i + 1, c, GridGebühren1.TextMatrix(i, spalte[c - 1]), false);
        }

        // Widths and alignment of the position rows, from the header row down.
        const long block = p.Zeilen() - R + 1;
        const double breiten[] = {2.0, p.Geteilt() ? 5.0 : 5.6, 4.0, 3.4, p.Geteilt() ? 0.3 : 2.5};
        for (long c = 1; c <= 5; ++c) {
            schreiben([&] { t.Cell(R, c).Select(); });
            schreiben([&] { SelectionVerschieben(block); });
            schreiben([&] { Anwendung().Selection().Cells().SetWidth(Punkte(breiten[c - 1])); });
            if (c <= 2)
                schreiben([&] { Anwendung().Selection().ParagraphFormat().SetAlignment(word::wdAlignParagraphLeft); });
        }
        if (p.Geteilt()) {
            schreiben([&] { t.Cell(R, 7).Select(); });
            schreiben([&] { SelectionVerschieben(block); });
            schreiben([&] { Anwendung().Selection().Cells().SetWidth(Punkte(3.0)); });
        }
        ZelleSchreiben(t, R, 1, "Tarif- stelle", true);
        ZelleSchreiben(t, R, 2, "Bezeichnung", true);

        if (p.art == "10.1") {
            ZelleSchreiben(t, R + 1, 1, "10.1", false);
            ZelleSchreiben(t, R + 1, 2, "Zerlegungsmessung", false);
        } else if (p.art == "10.3") {
            ZelleSchreiben(t, R + 1, 1, "10.3", false);
            ZelleSchreiben(t, R + 1, 2, "Sonderung nach dem Katasternachweis", false);
        }
        ZelleSchreiben(t, R + 2, 2, "Vermessungsfläche", false);
        ZelleSchreiben(t, R + 2, 3, flächeText + " m²", false);
        ZelleSchreiben(t, R + 3, 2, "Anzahl der berechneten Flächen", false);
        ZelleSchreiben(t, R + 3, 3, p.anzahlText, false);
        ZelleSchreiben(t, R + 4, 2, "durchschnittlicher Verkehrswert", false);
        ZelleSchreiben(t, R + 4, 3, Bodenwertklasse(p.V) + " €/m²", false);
        if (!p.liste)
            schreiben([&] { Dokument().Comments().Add(t.Cell(R + 4, 3).Range(), kBodenwertKennung + CStr(p.V)); });
        ZelleSchreiben(t, R + 5, 1, "10.1.1", false);
        ZelleSchreiben(t, R + 5, 2, "Gebühr nach Staffel 1", false);
        ZelleSchreiben(t, R + 5, 3, p.faktorText, false);
        ZelleSchreiben(t, R + 5, 4, "x " + WertFormatieren(p.S1, 8, 2) + " €", false);
        ZelleSchreiben(t, R + 5, betrag, Betragstext(p.A1), false);
        if (p.art == "10.1") {
            ZelleSchreiben(t, R + 6, 1, "11.4", false);
            ZelleSchreiben(t, R + 6, 2,
                           "Gebühr nach Staffel 3, Teil B, in der Örtlichkeit hergestellte Grenzpunkte", false);
            ZelleSchreiben(t, R + 6, 3, Trim(MaskEdBoxGrenzpunkte.Text()), false);
            ZelleSchreiben(t, R + 6, 4, "x 0,8 x " + WertFormatieren(p.B, 8, 2) + " €", false);
            ZelleSchreiben(t, R + 6, betrag, Betragstext(p.A2), false);
        }

        const std::string vonZwischensumme = p.Prozent() + " % von " + WertFormatieren(p.zwischensumme, 8, 2) + " €";
        if (p.Geteilt()) {
            ZelleSchreiben(t, R + 8, 2, "Zwischensumme\r", true);
            ZelleSchreiben(t, R + 8, 7, Betragstext(p.zwischensumme), true);
            const std::string anteilZeile =
                nachFläche ? "Ihr Anteil beträgt " + zahlenText + " m² zu " + flächeText + " m²\r" + vonZwischensumme
                           : "Ihr Anteil beträgt " + anteilText + "/1000\r\n" + vonZwischensumme;
            ZelleSchreiben(t, R + 9, 2, anteilZeile, false);
            ZelleSchreiben(t, R + 9, 5, Betragstext(p.anteil * p.zwischensumme), false);
            Breite(t, R + 9, 5, 3.0);
            Breite(t, R + 9, 2, 7.2);
            Breite(t, R + 9, 3, 2.4);
            Breite(t, R + 9, 7, 0.3);
        }
        long z = p.Geteilt() ? R + 10 : R + 8;
        if (p.MitAuslagen()) ZelleSchreiben(t, z++, 2, "Umsatzsteuerfreie Auslagen\r", true);
        // An expense: the amount counts VAT-free in column 5, or with a share it stands undivided in
        // column 8 and the shared sum follows below.
        const auto auslage = [&](const char* stelle, const char* text, const char* hinweis, double wert) {
            ZelleSchreiben(t, z, 1, stelle, false);
            ZelleSchreiben(t, z, 2, text, false);
            if (*hinweis) ZelleSchreiben(t, z, 3, hinweis, false);
            Breite(t, z, 4, 3.14);
            Breite(t, z, 5, 0.3);
            Breite(t, z, 7, 0.3);
            if (!p.Geteilt()) {
                Breite(t, z, 5, 2.8);
                ZelleSchreiben(t, z, 5, Betragstext(wert), false);
                MwStKennungSetzen(t, z, "0");
                schreiben([&] { t.Cell(z, 6).Select(); });
            } else {
                Breite(t, z, 8, 3.0);
                ZelleSchreiben(t, z, 8, Betragstext(wert), false);
                schreiben([&] { t.Cell(z, 8).Select(); });
            }
            ++z;
        };
        if (p.unterlagen) auslage("9.1", "Vermessungsunterlagen", "", kVermessungsunterlagen);
        if (p.übernahme)
            auslage("14.1", "Übernahmegebühr", "8% der Gebühr nach Gebührenstaffel 1", p.übernahmegebühr);
        if (p.Geteilt() && p.MitAuslagen()) {
            ZelleSchreiben(t, z, 2,
                           "anteilige Auslagen \r" + p.Prozent() + " % von " + WertFormatieren(p.auslagen, 8, 2) + " €",
                           false);
            ZelleSchreiben(t, z, 5, Betragstext(p.anteil * p.auslagen), false);
            MwStKennungSetzen(t, z, "0");
            Breite(t, z, 5, 2.8);
            Breite(t, z, 2, 7.2);
            Breite(t, z, 3, 2.1);
            Breite(t, z, 7, 0.3);
        }
    };
    proc([&] { GebührentabelleSchreiben(formTabelle_, auftrag); });
    proc([&] { Unload(); });
}

}  // namespace vk
