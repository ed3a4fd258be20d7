#include "categories/frmKat6.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "categories/Zeitaufwand.h"
#include "common/funktionen.h"
#include "common/konvertierung.h"
#include "common/prozedur.h"
#include "component/dialogregister.h"
#include "document/Bestaetigung.h"
#include "document/GebuehrenTabelle.h"
#include "platform/controls/formen.h"
#include "platform/word/application.h"

namespace vk {

namespace {

constexpr const char* kModul = "frmKat6";
constexpr const char* kSchluessel = "VK_LP_02_6";
constexpr const char* kTitel = "Gebühren nach Zeitaufwand";

// Show(5) opens this dialog; registered when the library loads.
const bool registriert = [] {
    DialogRegistrieren(5, [] { ui::Formen::Instanz<frmKat6>().Show(); });
    return true;
}();

// An amount cell: the value formatted (5, 2) and " €", or empty when it is not above 0.
std::string Betragszelle(const std::string& gridText) {
    const double wert = CVal(gridText);
    // Through the number: the grid shows amounts right-aligned in their own widths.
    return wert > 0 ? WertFormatieren(wert, 5, 2) + " €" : std::string();
}

// A quantity cell of the grid as a plain number text ("" and negatives as 0).
std::string Menge(const std::string& gridText) { return CStr(std::max(0.0, CVal(gridText))); }

}  // namespace

frmKat6::frmKat6() : Kategoriedialog(kModul) {
    SetCaption(kTitel);
    Label1.SetCaption(kTitel);
    unterlagenCheck.SetCaption("Unterlagen berechnen");
    CommandLöschen.SetCaption("&Löschen");
    CommandNeu.SetCaption("&Einfügen");
    GridGebühren.SetZellEditor(1, &comKategorie);
    GridGebühren.SetAnfügeSpalte(2);
    comKategorie.SetVisible(false);

    GridGebühren.EditEnd.Verbinden([this](std::int16_t& annehmen) {
        Prozedur proc(kModul, "GridGebühren_EditEnd");
        annehmen = 0;
        proc([&] { ÜbernehmenWerte(); });
    });
    GridGebühren.KeyDown.Verbinden([this](std::int16_t& taste, int shift) {
        Prozedur proc(kModul, "GridGebühren_KeyDown");
        proc([&] {
            if ((taste == ui::taste::Tab || taste == ui::taste::Rechts) && shift == 0 && GridGebühren.Col() == 2)
                ÜbernehmenWerte();
            GridAnfügeTaste(GridGebühren, 2, taste, shift, [this] {
                NeuWerte();
                ÜbernehmenWerte();
            });
        });
    });
    GridGebühren.RowColChange.Verbinden([this] {
        Prozedur proc(kModul, "GridGebühren_RowColChange");
        proc([&] { TestComboEdit(GridGebühren.Row(), GridGebühren.Col()); });
    });
    comKategorie.LostFocus.Verbinden([this] {
        Prozedur proc(kModul, "comKategorie_LostFocus");
        proc([&] { GridGebühren.SetTextMatrix(GridGebühren.Row(), 1, comKategorie.Text()); });
        proc([&] { comKategorie.SetVisible(false); });
        proc([&] { if (ActiveControl() == &GridGebühren) GridGebühren.SetCol(2); });
        proc([&] { ÜbernehmenWerte(); });
        proc([&] { TestComboEdit(GridGebühren.Row(), GridGebühren.Col()); });
    });
    CommandNeu.Click.Verbinden([this] {
        Prozedur proc(kModul, "Commandneu_Click");
        proc([&] {
            GridZeileEinfügen(GridGebühren, [this] {
                AlleZeilenPreisen();
                NeuWerte();
            });
        });
    });
    CommandLöschen.Click.Verbinden([this] {
        Prozedur proc(kModul, "CommandLöschen_Click");
        proc([&] { GridZeilenLöschen(GridGebühren); });
    });
    CommandEnde.Click.Verbinden([this] { CommandEnde_Click(); });
}

void frmKat6::Form_Load() {
    KategorieLaden(
        kSchluessel,
        [this] {
            Prozedur proc(kModul, "Form_Load");
            proc([&] {
                comKategorie.Clear();
                for (const auto& k : Zeitaufwandsklassen()) comKategorie.AddItem(k.text);
                comKategorie.AddItem("");
            });
            if (formTabelle_.IstNothing()) {
                proc([&] {
                    GridGebühren.SetCols(4);
                    GridGebühren.SetRows(1);
                    GridGebühren.SetRowHeight(1, 300);
                    GridGebühren.SetRow(1);
                });
                proc([&] { NeuWerte(); });
            } else {
                TabelleEinlesen();
            }
            proc([&] { GridEinrichten(); });
            // The current cell was chosen before its text was filled in: the in-cell editor shows
            // the class the cell now holds.
            proc([&] { TestComboEdit(GridGebühren.Row(), GridGebühren.Col()); });
        },
        &CommandNeu, &CommandLöschen);
}

void frmKat6::GridEinrichten() {
    const int breiten[] = {3225, 2435, 1345, 1035};
    const char* köpfe[] = {" Art", " Stunden/km", " Gebühr [€]", " Kosten [€]"};
    for (int c = 1; c <= 4; ++c) {
        GridGebühren.SetColWidth(c, breiten[c - 1]);
        GridGebühren.SetHeaderText(c, köpfe[c - 1]);
    }
    GridGebühren.SetColReadOnly(3, true);
    GridGebühren.SetColReadOnly(4, true);
    if (GridGebühren.Rows() > 0) GridGebühren.SetRow(1);
}

void frmKat6::TabelleEinlesen() {
    Prozedur proc(kModul, "Form_Load");
    long zeilen = 0;
    proc([&] { zeilen = formTabelle_.Rows().Count(); });
    for (long z = 1; z <= zeilen; ++z)
        proc([&] {
            if (ZellText(formTabelle_, z, 2).rfind("Katasterunterlagen", 0) == 0) unterlagenCheck.SetValue(1);
        });
    const int g = static_cast<int>(std::max(zeilen - 3, 1L));
    proc([&] {
        GridGebühren.SetCols(4);
        GridGebühren.SetRows(g);
    });
    for (int i = 1; i <= g && i + 1 <= zeilen; ++i) {
        proc([&] {
            const Zeitaufwandsklasse* k = KlasseZuTarifstelle(ZellText(formTabelle_, i + 1, 1));
            GridGebühren.SetTextMatrix(i, 1, k ? k->text : std::string());
        });
        proc([&] { GridGebühren.SetTextMatrix(i, 2, CStr(CVal(ZellText(formTabelle_, i + 1, 3)))); });
        // Rate and amount priced again from class and quantity, not taken from the table: a rate or
        // amount changed by hand is not confirmed as if the ordinance gave it.
        proc([&] { ZeilePreisen(i); });
        proc([&] { GridGebühren.SetRowHeight(i, 300); });
    }
}

void frmKat6::NeuWerte() {
    GridGebühren.SetTextMatrix(GridGebühren.Row(), 1, Zeitaufwandsklassen().front().text);
    GridGebühren.SetCol(1);
}

void frmKat6::ÜbernehmenWerte() { ZeilePreisen(GridGebühren.Row()); }

void frmKat6::ZeilePreisen(int r) {
    if (r < 1) return;
    const std::string art = GridGebühren.TextMatrix(r, 1);
    // Negative hours or kilometres are a typing slip: priced as none.
    double menge = std::max(0.0, CVal(GridGebühren.TextMatrix(r, 2)));
    double satz = kSatzSonstige;
    const Zeitaufwandsklasse* k = KlasseZuText(art);
    const bool fahrzeug = art == kKraftfahrzeug;
    if (art.empty()) {
        satz = 0;
        menge = 0;
    } else if (fahrzeug) {
        satz = k->satz;
        menge = Int(menge);
    } else if (k) {
        satz = k->satz;
        menge = AufHalbeStundeRunden(menge);
    }
    if (satz == 0) {
        for (int c = 2; c <= 4; ++c) GridGebühren.SetTextMatrix(r, c, "");
        return;
    }
    double betrag = satz * menge;
    if (fahrzeug && betrag < kKraftfahrzeugMindestens) betrag = kKraftfahrzeugMindestens;
    GridGebühren.SetTextMatrix(r, 2, CStr(menge));
    GridGebühren.SetTextMatrix(r, 3, WertFormatieren(satz, 5, 2));
    GridGebühren.SetTextMatrix(r, 4, WertFormatieren(betrag, 10, 2));
}

// Every row by the rule of a typed row, so that the table carries each row's rate and amount as the
// ordinance gives them, whether the row was typed, added or read back.
void frmKat6::AlleZeilenPreisen() {
    for (int r = 1; r <= GridGebühren.Rows(); ++r) ZeilePreisen(r);
}

void frmKat6::TestComboEdit(int row, int col) {
    if (col != 1 || row < 1) {
        comKategorie.SetVisible(false);
        return;
    }
    const std::string& text = GridGebühren.TextMatrix(row, 1);
    for (int i = 0; i < comKategorie.ListCount(); ++i)
        if (comKategorie.List(i) == text) comKategorie.SetListIndex(i);
    comKategorie.ÜberZelleLegen(GridGebühren, row, col);
}

void frmKat6::CommandEnde_Click() {
    Prozedur proc(kModul, "CommandEnde_Click");
    proc([&] { AlleZeilenPreisen(); });
    const int g = GridGebühren.Rows();
    const bool unterlagen = unterlagenCheck.Value() == 1;

    Tabellenauftrag auftrag;
    auftrag.modul = kModul;
    auftrag.schluessel = kSchluessel;
    auftrag.zeilen = g + 3;
    auftrag.spalten = 6;
    auftrag.formatieren = [](word::Table& t) {
        TabelleFormatierenGemeinsam(t, {4, 5}, {1.62, 6.87, 2.25, 2.25, 3.0, 0.3}, kModul);
        Prozedur p(kModul, "TabelleFormatieren");
        // The table is written in 10 point.
        p([&] { t.Range().SetFontSize(10); });
        p([&] { t.Cell(1, 1).SetWidth(word::Application::CentimetersToPoints(7.0)); });
        p([&] { t.Cell(1, 2).SetWidth(word::Application::CentimetersToPoints(1.5)); });
    };
    auftrag.zeilenSchreiben = [&](word::Table& t) {
        ZelleSchreiben(t, 1, 1, kTitel, true);
        ZelleSchreiben(t, 1, 3, "", true);
        ZelleSchreiben(t, 1, 4, "Gebühr", true);
        for (int i = 1; i <= g; ++i) {
            const std::string art = GridGebühren.TextMatrix(i, 1);
            const Zeitaufwandsklasse* k = KlasseZuText(art);
            const long z = i + 1;
            if (k) {
                ZelleSchreiben(t, z, 1, k->tarifstelle, false);
                ZelleSchreiben(t, z, 2, k->beschreibung, false);
                // The quantity as the number it was priced with: a row without one shows "0 h",
                // as it reads back, rather than " h".
                ZelleSchreiben(t, z, 3, Menge(GridGebühren.TextMatrix(i, 2)) + k->einheit, false);
            } else {
                const std::string leer = art.empty() ? "" : " ";
                for (long c = 1; c <= 3; ++c) ZelleSchreiben(t, z, c, leer, false);
            }
            ZelleSchreiben(t, z, 4, Betragszelle(GridGebühren.TextMatrix(i, 3)), false);
            ZelleSchreiben(t, z, 5, Betragszelle(GridGebühren.TextMatrix(i, 4)), false);
        }
        if (unterlagen) {
            ZelleSchreiben(t, g + 2, 1, "Auslagen", true);
            ZelleSchreiben(t, g + 3, 2, "Katasterunterlagen", false);
            ZelleSchreiben(t, g + 3, 5, std::string(kKatasterunterlagen) + " €", false);
        }
    };
    proc([&] { GebührentabelleSchreiben(formTabelle_, auftrag); });
    proc([&] { Unload(); });
}

}  // namespace vk
