#include "categories/frmKat4.h"

#include <string>

#include "categories/LanganlageTabelle.h"
#include "common/funktionen.h"
#include "common/konvertierung.h"
#include "common/prozedur.h"
#include "component/dialogregister.h"
#include "component/rechnungskontext.h"
#include "document/Bestaetigung.h"
#include "document/KV_WordAuto.h"
#include "platform/controls/formen.h"

namespace vk {

namespace {

constexpr const char* kModul = "frmKat4";
constexpr const char* kSchluessel = "VK_LP_08_4";
constexpr const char* kFolgeSchluessel = "VK_LP_08_4_Ein";
constexpr int kKategorie = 2, kLänge = 3, kSeite = 4, kTrennstücke = 5;

// Show(3) opens this dialog; registered when the library loads.
const bool registriert = [] {
    DialogRegistrieren(3, [] { ui::Formen::Instanz<frmKat4>().Show(); });
    return true;
}();

// Lengths and counts are shown as the defaults show them, so that what is priced is what the table
// says and a table read back is written again unchanged; a negative one, priced as none, as 0.
std::string LängeText(const std::string& text) { return MengeFormatieren(text, 4, 0); }
std::string AnzahlText(const std::string& text) { return MengeFormatieren(text, 3, 0); }

}  // namespace

frmKat4::frmKat4() : Kategoriedialog(kModul) {
    SetCaption("Langgestreckte Anlagen");
    lblFlächen.SetCaption("Anzahl Flächenberechnungen (Anmerkung 2)");
    mskFlächen.SetMask("###");
    chkVUnterlagen.SetCaption("Unterlagen berechnen");
    chkÜbernahme.SetCaption("Übernahmegebühr");
    CommandNeu.SetCaption("&Einfügen");
    CommandLöschen.SetCaption("&Löschen");
    for (const char* k : {"I", "II", "III"}) comKategorie.AddItem(k);
    for (const char* s : {kSeite1, kSeite2}) comSeitig.AddItem(s);
    comKategorie.SetVisible(false);
    comSeitig.SetVisible(false);
    GridGebühren.SetZellEditor(kKategorie, &comKategorie);
    GridGebühren.SetZellEditor(kSeite, &comSeitig);
    GridGebühren.SetAnfügeSpalte(kTrennstücke);

    GridGebühren.RowColChange.Verbinden([this] {
        Prozedur proc(kModul, "GridGebühren_RowColChange");
        proc([&] { TestComboEdit(GridGebühren.Row(), GridGebühren.Col()); });
    });
    GridGebühren.EditEnd.Verbinden([this](std::int16_t& annehmen) {
        Prozedur proc(kModul, "GridGebühren_EditEnd");
        annehmen = 0;
        proc([&] {
            const int r = GridGebühren.Row(), c = GridGebühren.Col();
            if (c == kLänge) GridGebühren.SetTextMatrix(r, c, LängeText(GridGebühren.TextMatrix(r, c)));
            if (c == kTrennstücke) GridGebühren.SetTextMatrix(r, c, AnzahlText(GridGebühren.TextMatrix(r, c)));
        });
    });
    GridGebühren.KeyDown.Verbinden([this](std::int16_t& taste, int shift) {
        Prozedur proc(kModul, "GridGebühren_KeyDown");
        proc([&] { GridAnfügeTaste(GridGebühren, kTrennstücke, taste, shift, [this] { NeuWerte(); }); });
    });
    comKategorie.LostFocus.Verbinden([this] { ComboVerlassen(comKategorie, kKategorie); });
    comSeitig.LostFocus.Verbinden([this] { ComboVerlassen(comSeitig, kSeite); });
    mskFlächen.GotFocus.Verbinden([this] {
        Prozedur proc(kModul, "mskFlächen_GotFocus");
        proc([&] { AllesMarkieren(mskFlächen); });
    });
    mskFlächen.LostFocus.Verbinden([this] {
        Prozedur proc(kModul, "mskFlächen_LostFocus");
        proc([&] { mskFlächen.SetText(AnzahlText(mskFlächen.Text())); });
    });
    CommandNeu.Click.Verbinden([this] {
        Prozedur proc(kModul, "Commandneu_Click");
        proc([&] { GridZeileEinfügen(GridGebühren, [this] { NeuWerte(); }); });
    });
    CommandLöschen.Click.Verbinden([this] {
        Prozedur proc(kModul, "CommandLöschen_Click");
        proc([&] { GridZeilenLöschen(GridGebühren); });
    });
    CommandEnde.Click.Verbinden([this] { CommandEnde_Click(); });
}

void frmKat4::Form_Load() {
    KategorieLaden(
        kSchluessel,
        [this] {
            Prozedur proc(kModul, "Form_Load");
            // A table that is not one of ours (a plain table chosen at the cursor) gives the defaults.
            if (formTabelle_.IstNothing() || !TabelleEinlesen()) {
                proc([&] {
                    GridGebühren.SetCols(5);
                    GridGebühren.SetRows(1);
                    GridGebühren.SetRowHeight(1, 300);
                    GridGebühren.SetRow(1);
                });
                proc([&] { NeuWerte(); });
            }
            proc([&] { folgeTabelle_ = TabelleErmitteln(kFolgeSchluessel, kSucheFolgetabelle); });
            proc([&] { GridEinrichten(); });
        },
        &CommandNeu, &CommandLöschen);
}

bool frmKat4::TabelleEinlesen() {
    Prozedur proc(kModul, "Form_Load");
    const long tarif = LanganlageTarifzeile(formTabelle_);
    // The sections stand from row 2 up to the blank row above the tariff row; a table whose blank
    // row was deleted by hand keeps its last section.
    int n = static_cast<int>(tarif - 2);
    proc([&] {
        if (n >= 1 && ZellText(formTabelle_, tarif - 1, 1).empty() && ZellText(formTabelle_, tarif - 1, 2).empty())
            --n;
    });
    if (n < 1) return false;
    long zeilen = 0;
    proc([&] { zeilen = formTabelle_.Rows().Count(); });
    // Only the rows below the tariff row hold expenses and area calculations: a section label that
    // happens to start like one must not tick a box.
    for (long r = tarif + 1; r <= zeilen; ++r)
        proc([&] {
            const std::string t = ZellText(formTabelle_, r, 1);
            if (t.rfind("9.2", 0) == 0) chkVUnterlagen.SetValue(1);
            if (t.rfind("14.2", 0) == 0) chkÜbernahme.SetValue(1);
            if (t.find("Flächenbe") != std::string::npos) mskFlächen.SetText(AnzahlText(CStr(CVal(t))));
        });
    proc([&] {
        GridGebühren.SetCols(5);
        GridGebühren.SetRows(n);
    });
    for (int k = 1; k <= n; ++k) {
        const Abschnitt a = LanganlageAbschnittLesen(formTabelle_, k + 1);
        proc([&] { GridGebühren.SetTextMatrix(k, 1, a.bezeichnung); });
        proc([&] { GridGebühren.SetTextMatrix(k, kKategorie, a.kategorie); });
        proc([&] { GridGebühren.SetTextMatrix(k, kLänge, LängeText(a.länge)); });
        proc([&] { GridGebühren.SetTextMatrix(k, kSeite, a.seite); });
        proc([&] { GridGebühren.SetTextMatrix(k, kTrennstücke, AnzahlText(a.trennstücke)); });
        proc([&] { GridGebühren.SetRowHeight(k, 300); });
    }
    return true;
}

void frmKat4::GridEinrichten() {
    const int breiten[] = {2590, 900, 930, 870, 2000};
    const char* köpfe[] = {"", " Kategorie", " Länge [m]", " Seite", " Anzahl Trennstücke"};
    const int ausrichtungen[] = {ui::ausrichtung::Links, ui::ausrichtung::Rechts, ui::ausrichtung::Rechts,
                                 ui::ausrichtung::Rechts, ui::ausrichtung::Rechts};
    for (int c = 1; c <= 5; ++c) {
        GridGebühren.SetColWidth(c, breiten[c - 1]);
        GridGebühren.SetHeaderText(c, köpfe[c - 1]);
        GridGebühren.SetColAlignment(c, ausrichtungen[c - 1]);
    }
    if (GridGebühren.Rows() > 0) GridGebühren.SetZelle(1, 1);
}

void frmKat4::NeuWerte() {
    const int r = GridGebühren.Row();
    const auto& k = Kontext();
    GridGebühren.SetTextMatrix(r, 1, "Flst.Nr. " + k.Flurstücksnummer);
    GridGebühren.SetTextMatrix(r, kKategorie, "II");
    GridGebühren.SetTextMatrix(r, kLänge, WertFormatieren(static_cast<double>(k.Achslänge), 4, 0));
    GridGebühren.SetTextMatrix(r, kSeite, kSeite1);
    GridGebühren.SetTextMatrix(r, kTrennstücke, WertFormatieren("0", 3, 0));
}

std::vector<Abschnitt> frmKat4::Abschnitte() const {
    std::vector<Abschnitt> abschnitte;
    for (int r = 1; r <= GridGebühren.Rows(); ++r)
        abschnitte.push_back({GridGebühren.TextMatrix(r, 1), GridGebühren.TextMatrix(r, kKategorie),
                              GridGebühren.TextMatrix(r, kLänge), GridGebühren.TextMatrix(r, kSeite),
                              GridGebühren.TextMatrix(r, kTrennstücke)});
    return abschnitte;
}

Langanlagengebühr frmKat4::Gebühr() const { return LanganlageBerechnen(Abschnitte(), CVal(mskFlächen.Text())); }

void frmKat4::TestComboEdit(int row, int col) {
    if (col != kKategorie) comKategorie.SetVisible(false);
    if (col != kSeite) comSeitig.SetVisible(false);
    if (row < 1 || (col != kKategorie && col != kSeite)) return;
    const std::string& text = GridGebühren.TextMatrix(row, col);
    if (col == kKategorie) {
        comKategorie.SetListIndex(text == "III" ? 2 : text == "II" ? 1 : 0);
        comKategorie.ÜberZelleLegen(GridGebühren, row, col);
    } else {
        comSeitig.SetListIndex(text == kSeite1 ? 0 : 1);
        comSeitig.ÜberZelleLegen(GridGebühren, row, col);
    }
}

void frmKat4::ComboVerlassen(ui::ComboBox& combo, int spalte) {
    Prozedur proc(kModul, std::string(combo.Name()) + "_LostFocus");
    proc([&] { GridGebühren.SetTextMatrix(GridGebühren.Row(), spalte, combo.Text()); });
    proc([&] { combo.SetVisible(false); });
    // Still on the cell, the editor is laid over it again as when the cell became current.
    proc([&] { TestComboEdit(GridGebühren.Row(), GridGebühren.Col()); });
}

void frmKat4::CommandEnde_Click() {
    Prozedur proc(kModul, "CommandEnde_Click");
    Langanlagenangaben angaben;
    proc([&] { angaben.abschnitte = Abschnitte(); });
    proc([&] { angaben.flächenText = mskFlächen.Text(); });
    angaben.unterlagen = chkVUnterlagen.Value() == 1;
    angaben.übernahme = chkÜbernahme.Value() == 1;
    Langanlagengebühr gebühr;
    proc([&] { gebühr = LanganlageBerechnen(angaben.abschnitte, CVal(angaben.flächenText)); });

    Tabellenauftrag auftrag;
    auftrag.modul = kModul;
    auftrag.schluessel = kSchluessel;
    auftrag.zeilen = LanganlageZeilenzahl(angaben);
    auftrag.spalten = 5;
    auftrag.formatieren = [](word::Table& t) { LanganlageTabelleFormatieren(t); };
    auftrag.zeilenSchreiben = [&](word::Table& t) {
        Prozedur p(kModul, "CommandEnde_Click");
        p([&] { LanganlageZeilenSchreiben(t, angaben, gebühr); });
    };
    proc([&] { GebührentabelleSchreiben(formTabelle_, auftrag); });
    proc([&] { Unload(); });
}

}  // namespace vk
