#include "categories/frmKat3.h"

#include <initializer_list>
#include <string>
#include <vector>

#include "categories/Gebaeudeeinmessung.h"
#include "common/funktionen.h"
#include "common/konvertierung.h"
#include "common/prozedur.h"
#include "component/dialogregister.h"
#include "component/rechnungskontext.h"
#include "document/Bestaetigung.h"
#include "document/GebuehrenTabelle.h"
#include "document/SummeBilden.h"
#include "document/kontextdokument.h"
#include "feescale/modStatus.h"
#include "platform/controls/formen.h"
#include "platform/controls/mauszeiger.h"
#include "platform/word/application.h"
#include "platform/word/paragraph_format.h"

namespace vk {

namespace {

constexpr const char* kModul = "frmKat3";
constexpr const char* kSchluessel = "VK_LP_02_3";
constexpr const char* kTitel = "Einmessung von Gebäuden";
constexpr const char* kNutzungsartengrenzen = "Einmessung von Nutzungsartengrenzen für";
constexpr const char* kBrechpunkte = " Brechpunkte";
constexpr const char* kUnterlagen = "9.3";
constexpr const char* kÜbernahme = "14.4";
constexpr const char* kAuslagen = "Auslagen";
constexpr const char* kUnterlagenText = "Vermessungsunterlagen";
constexpr const char* kÜbernahmeText = "Übernahmegebühr";
constexpr const char* kUnterlagenBetrag = "52,00";
constexpr int kZeilenhöhe = 300;
// The size of the document's default font, for a cell without a size of its own.
constexpr double kStandardSchriftgröße = 11;

enum Spalte { Bezeichnung = 1, Wert = 2, Anzahl = 3, Anteilsspalte = 4, Kosten = 5 };

// Show(2) opens this dialog; registered when the library loads.
const bool registriert = [] {
    DialogRegistrieren(2, [] { ui::Formen::Instanz<frmKat3>().Show(); });
    return true;
}();

bool BeginntMit(const std::string& text, std::string_view anfang) { return text.rfind(anfang, 0) == 0; }

// Sets the widths of cells 1, 2, ... of one table row in centimetres.
void ZellbreitenSetzen(word::Table& t, long zeile, std::initializer_list<double> breitenCm) {
    Prozedur proc(kModul, "CommandEnde_Click");
    long spalte = 1;
    for (double cm : breitenCm) {
        proc([&] { t.Cell(zeile, spalte).SetWidth(word::Application::CentimetersToPoints(cm)); });
        ++spalte;
    }
}

// Appends the share line to a designation cell, 2 points smaller than the cell's text.
void AnteilszeileAnfügen(word::Table& t, long zeile, const std::string& text) {
    word::Range zelle = t.Cell(zeile, 1).Range();
    double größe = zelle.FontSize();
    if (größe <= 0) größe = kStandardSchriftgröße;
    const long anfang = zelle.End() - 2;  // before the end-of-cell mark
    zelle.InsertAfter(text);
    word::Range zusatz = t.Cell(zeile, 1).Range();
    zusatz.SetRange(anfang, zusatz.End() - 2);
    zusatz.SetFontSize(größe - 2);
}

void TabelleFormatieren(word::Table& t) {
    TabelleFormatierenGemeinsam(t, {}, {5.73, 2.6, 2.75, 3.42, 3.0, 0.3}, kModul);
    Prozedur proc(kModul, "TabelleFormatieren");
    proc([&] { t.Range().ParagraphFormat().SetAlignment(word::wdAlignParagraphRight); });
    proc([&] { t.Columns().Item(1).Select(); });
    proc([&] { Anwendung().Selection().ParagraphFormat().SetAlignment(word::wdAlignParagraphLeft); });
}

}  // namespace

frmKat3::frmKat3() : Kategoriedialog(kModul) {
    SetCaption(kTitel);
    Label1.SetCaption(kTitel);
    chkFortführung.SetCaption("Zusammenhang mit Fortführung");
    Label2.SetCaption("Nutzungsartengrenzen, Anzahl Brechpunkte:");
    mskBrechpunkte.SetMaxLength(64);
    mskBrechpunkte.SetText("  ");
    chkVUnterlagen.SetCaption("Unterlagen berechnen");
    chkÜbernahme.SetCaption("Übernahmegebühr");
    CommandLöschen.SetCaption("&Löschen");
    CommandNeu.SetCaption("&Einfügen");
    GridGebühren.SetAnfügeSpalte(Kosten);

    GridGebühren.EditEnd.Verbinden([this](std::int16_t& annehmen) {
        annehmen = 0;
        GridGebühren_EditEnd();
    });
    GridGebühren.KeyDown.Verbinden([this](std::int16_t& taste, int shift) {
        Prozedur proc(kModul, "GridGebühren_KeyDown");
        proc([&] {
            GridAnfügeTaste(GridGebühren, Kosten, taste, shift, [this] {
                NeuWerte();
                ÜbernehmenWerte();
            });
        });
    });
    chkFortführung.Click.Verbinden([this] { chkFortführung_Click(); });
    mskBrechpunkte.GotFocus.Verbinden([this] {
        Prozedur proc(kModul, "mskBrechpunkte_GotFocus");
        proc([&] { AllesMarkieren(mskBrechpunkte); });
    });
    mskBrechpunkte.LostFocus.Verbinden([this] {
        Prozedur proc(kModul, "mskBrechpunkte_LostFocus");
        proc([&] { mskBrechpunkte.SetText(WertFormatieren(mskBrechpunkte.Text(), 5, 0)); });
    });
    CommandNeu.Click.Verbinden([this] {
        Prozedur proc(kModul, "Commandneu_Click");
        // The new row is priced at once, so that it follows the cadastral update like every other row.
        proc([&] {
            GridZeileEinfügen(GridGebühren, [this] {
                NeuWerte();
                ÜbernehmenWerte();
            });
        });
    });
    CommandLöschen.Click.Verbinden([this] {
        Prozedur proc(kModul, "CommandLöschen_Click");
        proc([&] { GridZeilenLöschen(GridGebühren); });
    });
    CommandEnde.Click.Verbinden([this] { CommandEnde_Click(); });
}

void frmKat3::Form_Load() {
    KategorieLaden(
        kSchluessel,
        [this] {
            Prozedur proc(kModul, "Form_Load");
            if (formTabelle_.IstNothing()) {
                ErsteZeile();
            } else {
                TabelleEinlesen();
            }
            proc([&] { GridEinrichten(); });
        },
        &CommandNeu, &CommandLöschen);
}

void frmKat3::GridEinrichten() {
    Prozedur proc(kModul, "Form_Load");
    const int breiten[] = {2555, 1035, 975, 735, 1020};
    const char* köpfe[] = {"", " Wert [€]", " Anzahl", " Anteil ", " Kosten [€]"};
    for (int c = 1; c <= 5; ++c)
        proc([&] {
            GridGebühren.SetColWidth(c, breiten[c - 1]);
            GridGebühren.SetHeaderText(c, köpfe[c - 1]);
            GridGebühren.SetColAlignment(c, c == Bezeichnung ? ui::ausrichtung::Links : ui::ausrichtung::Rechts);
        });
    proc([&] { GridGebühren.SetColReadOnly(Kosten, true); });
    proc([&] { if (GridGebühren.Rows() > 0) GridGebühren.SetRow(1); });
}

void frmKat3::ErsteZeile() {
    Prozedur proc(kModul, "Form_Load");
    proc([&] {
        GridGebühren.SetCols(5);
        GridGebühren.SetRows(1);
        GridGebühren.SetRowHeight(1, kZeilenhöhe);
        GridGebühren.SetRow(1);
    });
    proc([&] { NeuWerte(); });
}

void frmKat3::NeuWerte() {
    const int r = GridGebühren.Row();
    GridGebühren.SetTextMatrix(r, Wert, WertFormatieren(Kontext().Baukosten, 9, 2));
    GridGebühren.SetTextMatrix(r, Anzahl, "  1");
    GridGebühren.SetTextMatrix(r, Anteilsspalte, "1000");
    // Priced by the rule of every later edit (the 1900 minimum and a cadastral update included), so
    // the same job costs the same however its row came to be.
    ZeilePreisen(r);
    GridGebühren.SetCol(Bezeichnung);
    GridGebühren.SetTextMatrix(r, Bezeichnung, "Flst.Nr. " + Kontext().Flurstücksnummer);
}

void frmKat3::ZeilePreisen(int zeile) {
    const double kosten = Zeilenkosten(CVal(GridGebühren.TextMatrix(zeile, Wert)),
                                       CVal(GridGebühren.TextMatrix(zeile, Anzahl)), chkFortführung.Value() == 1,
                                       Anteil(GridGebühren.TextMatrix(zeile, Anteilsspalte)));
    GridGebühren.SetTextMatrix(zeile, Kosten, WertFormatieren(kosten, 8, 2));
}

void frmKat3::ÜbernehmenWerte() {
    if (GridGebühren.Row() >= 1) ZeilePreisen(GridGebühren.Row());
}

void frmKat3::chkFortführung_Click() {
    Prozedur proc(kModul, "chkFortführung_Click");
    // Every row by the same rule as an edited row (the 1900 minimum included), so that a row's cost
    // does not depend on whether the box was ticked before or after the row was typed.
    for (int r = 1; r <= GridGebühren.Rows(); ++r) proc([&] { ZeilePreisen(r); });
}

void frmKat3::GridGebühren_EditEnd() {
    Prozedur proc(kModul, "GridGebühren_CellIsDirty");
    proc([&] {
        const int c = GridGebühren.Col();
        const std::string& text = GridGebühren.Text();
        switch (c) {
            case Wert: GridGebühren.SetText(WertFormatieren(text, 9, 2)); break;
            case Anzahl: GridGebühren.SetText(WertFormatieren(text, 3, 0)); break;
            case Anteilsspalte: GridGebühren.SetText(WertFormatieren(AnteilInPromille(text), 3, 0)); break;
            case Kosten: GridGebühren.SetText(WertFormatieren(text, 4, 0)); break;
            default: break;
        }
    });
    proc([&] { ÜbernehmenWerte(); });
}

void frmKat3::TabelleEinlesen() {
    Prozedur proc(kModul, "Form_Load");
    long zeilen = 0;
    proc([&] { zeilen = formTabelle_.Rows().Count(); });
    // The update box first: its click re-prices the grid, which must not touch the amounts read back.
    proc([&] {
        if (ZellText(formTabelle_, 1, 1).find("Fort") != std::string::npos) chkFortführung.SetValue(1);
    });
    std::vector<long> gebäude;
    for (long z = 2; z <= zeilen; ++z)
        proc([&] {
            // A row is one of ours by its first two cells, so that a building designated like one
            // ("9.3 Garage") is read back as a building.
            const std::string zelle = ZellText(formTabelle_, z, 1);
            const std::string zweite = ZellText(formTabelle_, z, 2);
            const std::size_t ende = zweite.rfind(kBrechpunkte);
            if (BeginntMit(zelle, kNutzungsartengrenzen) && ende != std::string::npos) {
                // The count is the text before " Brechpunkte", whatever its length.
                mskBrechpunkte.SetText(WertFormatieren(zweite.substr(0, ende), 5, 0));
            } else if (BeginntMit(zelle, kUnterlagen) && zweite == kUnterlagenText) {
                chkVUnterlagen.SetValue(1);
            } else if (BeginntMit(zelle, kÜbernahme) && zweite == kÜbernahmeText) {
                chkÜbernahme.SetValue(1);
            } else if (!(BeginntMit(zelle, kAuslagen) && zweite.empty())) {
                gebäude.push_back(z);
            }
        });
    if (gebäude.empty()) {
        // A table edited down to no building starts with one new row, so that rows can be added.
        ErsteZeile();
        return;
    }
    proc([&] {
        GridGebühren.SetCols(5);
        GridGebühren.SetRows(static_cast<int>(gebäude.size()));
    });
    for (std::size_t i = 0; i < gebäude.size(); ++i) {
        const int g = static_cast<int>(i) + 1;
        const long z = gebäude[i];
        proc([&] {
            const Bezeichnungszelle zelle = BezeichnungszelleLesen(ZellText(formTabelle_, z, 1));
            GridGebühren.SetTextMatrix(g, Bezeichnung, zelle.bezeichnung);
            // The share as the cell edit shows it, so that confirming unchanged writes the same line.
            GridGebühren.SetTextMatrix(g, Anteilsspalte,
                                       AnteilIstGanz(zelle.anteil) ? "1000" : WertFormatieren(zelle.anteil, 3, 0));
        });
        proc([&] { GridGebühren.SetTextMatrix(g, Wert, ZellText(formTabelle_, z, 2)); });
        proc([&] { GridGebühren.SetTextMatrix(g, Anzahl, ZellText(formTabelle_, z, 3)); });
        // The cost is priced again from the row's inputs, not taken from the table: an amount changed
        // by hand (or left stale by a hand-changed cost or count) is not confirmed as if the ordinance
        // gave it. A table the dialog wrote prices to the same amount.
        proc([&] { ZeilePreisen(g); });
        proc([&] { GridGebühren.SetRowHeight(g, kZeilenhöhe); });
    }
}

long frmKat3::Tabellenzeilen() const {
    const bool unterlagen = chkVUnterlagen.Value() == 1;
    const bool übernahme = chkÜbernahme.Value() == 1;
    long zeilen = GridGebühren.Rows() + 1;
    if (CVal(mskBrechpunkte.Text()) > 0) ++zeilen;
    if (unterlagen || übernahme) ++zeilen;
    if (unterlagen) ++zeilen;
    if (übernahme) ++zeilen;
    return zeilen;
}

void frmKat3::ZeilenSchreiben(word::Table& t) {
    Prozedur proc(kModul, "CommandEnde_Click");
    const bool fortführung = chkFortführung.Value() == 1;
    ZelleSchreiben(t, 1, 1,
                   std::string(kTitel) + (fortführung ? "\rim Zusammenhang mit einer Fortführung \rTarifstelle 13.1.3"
                                                      : "\rTarifstelle 13.1.1"),
                   true);
    ZelleSchreiben(t, 1, 2, "Wert \r[€] ", true);
    ZelleSchreiben(t, 1, 3, "Anzahl", true);

    double kostensumme = 0;
    const int g = GridGebühren.Rows();
    for (int i = 1; i <= g; ++i) {
        const long z = i + 1;
        ZelleSchreiben(t, z, 1, GridGebühren.TextMatrix(i, Bezeichnung), false);
        ZelleSchreiben(t, z, 2, GridGebühren.TextMatrix(i, Wert), false);
        ZelleSchreiben(t, z, 3, GridGebühren.TextMatrix(i, Anzahl), false);
        ZelleSchreiben(t, z, 5, GridGebühren.TextMatrix(i, Kosten) + " €", false);
        kostensumme += CVal(GridGebühren.TextMatrix(i, Kosten));
        const std::string& anteilText = GridGebühren.TextMatrix(i, Anteilsspalte);
        if (!AnteilIstGanz(Anteil(anteilText)))
            proc([&] {
                // The whole fee from the row's inputs, not from its rounded share (a third of 475,00
                // shows 158,33, and three times that is not the whole).
                const double ganz = GanzeGebühr(CVal(GridGebühren.TextMatrix(i, Wert)),
                                                CVal(GridGebühren.TextMatrix(i, Anzahl)), fortführung);
                AnteilszeileAnfügen(t, z, Anteilszeile(ganz, anteilText));
            });
    }

    long z = g + 2;
    const double brechpunkte = CVal(mskBrechpunkte.Text());
    if (brechpunkte > 0) {
        ZelleSchreiben(t, z, 1, kNutzungsartengrenzen, false);
        ZelleSchreiben(t, z, 2, mskBrechpunkte.Text() + kBrechpunkte, false);
        ZelleSchreiben(t, z, 5, Betragstext(brechpunkte * kJeBrechpunkt), false);
        ZellbreitenSetzen(t, z, {8.5, 3.5, 1.5, 1.0, 3.0});
        ++z;
    }
    const bool unterlagen = chkVUnterlagen.Value() == 1;
    const bool übernahme = chkÜbernahme.Value() == 1;
    if (unterlagen || übernahme) {
        ZellbreitenSetzen(t, z, {11.37, 5.0});
        ZelleSchreiben(t, z, 1, kAuslagen, true);
        ++z;
    }
    if (unterlagen) {
        ZelleSchreiben(t, z, 1, kUnterlagen, false);
        ZelleSchreiben(t, z, 2, kUnterlagenText, false);
        ZellbreitenSetzen(t, z, {1.4, 4.6, 4.5, 3.0, 4.0});
        ZelleSchreiben(t, z, 5, std::string(kUnterlagenBetrag) + " €", false);
        MwStKennungSetzen(t, z, "0");
        ++z;
    }
    if (übernahme) {
        ZelleSchreiben(t, z, 1, kÜbernahme, false);
        ZelleSchreiben(t, z, 2, kÜbernahmeText, false);
        ZelleSchreiben(t, z, 3, "10% der Gebühr nach Gebührenstaffel", false);
        ZellbreitenSetzen(t, z, {1.4, 4.6, 4.5, 3.0, 4.0});
        ZelleSchreiben(t, z, 5, Betragstext(kostensumme * 0.1), false);
        MwStKennungSetzen(t, z, "0");
    }
}

void frmKat3::CommandEnde_Click() {
    Prozedur proc(kModul, "CommandEnde_Click");
    proc([&] { GridGebühren.FinishEditing(); });
    long zeilen = 0;
    proc([&] { zeilen = Tabellenzeilen(); });
    bool leer = false;
    proc([&] {
        leer = zeilen == 2 && GridGebühren.Rows() == 1 && CVal(GridGebühren.TextMatrix(1, Kosten)) == 0;
    });
    if (leer) {
        // Nothing to invoice: the category's old table goes, and the totals are rebuilt without it so
        // that the invoice keeps its totals table.
        proc([] { ui::Screen().SetMousePointer(ui::mauszeiger::Sanduhr); });
        SummeLöschen();
        if (!formTabelle_.IstNothing()) EinfügestelleErmitteln(formTabelle_);
        SummeBilden(Kontext().Zahlungsziel);
        proc([] { ui::Screen().SetMousePointer(ui::mauszeiger::Standard); });
        proc([&] { Unload(); });
        return;
    }

    Tabellenauftrag auftrag;
    auftrag.modul = kModul;
    auftrag.schluessel = kSchluessel;
    auftrag.zeilen = zeilen;
    auftrag.spalten = 6;
    auftrag.formatieren = [](word::Table& t) { TabelleFormatieren(t); };
    auftrag.zeilenSchreiben = [this](word::Table& t) { ZeilenSchreiben(t); };
    proc([&] { GebührentabelleSchreiben(formTabelle_, auftrag); });
    proc([&] { Unload(); });
}

}  // namespace vk
