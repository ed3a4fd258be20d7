#include "categories/frmKat1.h"

#include <string>

#include "categories/Flurstuecksbildung.h"
#include "common/fehler.h"
#include "common/funktionen.h"
#include "common/konvertierung.h"
#include "common/prozedur.h"
#include "component/dialogregister.h"
#include "component/rechnungskontext.h"
#include "document/KV_WordAuto.h"
#include "feescale/modStatus.h"
#include "platform/controls/formen.h"
#include "platform/controls/utf8.h"

namespace vk {

namespace {

constexpr const char* kModul = "frmKat1";
constexpr const char* kSchluessel = "VK_LP_02_1";
constexpr const char* kAnteilText = "Ihr Anteil beträgt ";
constexpr const char* kAnteilAlt = "Ihr Anteil entspre";

// Show(0) opens this dialog; registered when the library loads.
const bool registriert = [] {
    DialogRegistrieren(0, [] { ui::Formen::Instanz<frmKat1>().Show(); });
    return true;
}();

bool BeginntMit(const std::string& text, std::string_view anfang) { return text.rfind(anfang, 0) == 0; }

}  // namespace

frmKat1::frmKat1() : Kategoriedialog(kModul) {
    SetCaption("Teilung / Grenzherstellung");
    Label1.SetCaption("Teilung / Grenzherstellung (Zerlegung / Sonderung)");
    lblArt.SetCaption("Nr.");
    lblGrenzpunkte.SetCaption("Grenzpunkte");
    lblAnteil.SetCaption("Anteil in 1000");
    MaskEdBoxGrenzpunkte.SetMask("##");
    MaskEdBoxAnteil.SetMask("####");
    fraEingabe.SetCaption("Einzelne Flurstücke eingeben");
    optJa(0).SetCaption("ja");
    optJa(1).SetCaption("nein");
    CommandNeu.SetCaption("&Einfügen");
    CommandLöschen.SetCaption("&Löschen");
    lblFlächeText.SetCaption("Fläche [m²]");
    lblWertText.SetCaption("Bodenwert [€/m²]");
    lblGesamtwertText.SetCaption("Wert[€]");
    lblZusammenZahlenText.SetCaption("zu zahlender Flächenanteil");
    lblAnzahlText.SetCaption("Anzahl der Flurstücke");
    Frame3.SetCaption("Ergebnis");
    lblGebührText.SetCaption("Gebühr [€]");
    lblErgebnisWertText.SetCaption("Bodenwert [€/m²]");
    lblErgebnisFlächeText.SetCaption("Gesamtfläche [m²]");
    lblZahlenText.SetCaption("zu zahlen [m²]");
    txtzahlen.SetLocked(true);
    chkUnterlagen.SetCaption("Unterlagen berechnen");
    chkÜbernahme.SetCaption("Übernahmegebühr");
    ComboBox4.SetVisible(false);
    GridGebühren1.SetZellEditor(2, &ComboBox4);
    GridGebühren1.SetAnfügeSpalte(5);
    Verdrahten();
    GridVerdrahten();
}

void frmKat1::Verdrahten() {
    comArt.Click.Verbinden([this] { Berechnen(); });
    comArt.Change.Verbinden([this] { Berechnen(); });
    MaskEdBoxGrenzpunkte.Change.Verbinden([this] { Berechnen(); });
    MaskEdBoxAnteil.Change.Verbinden([this] { Berechnen(); });
    txtZusammenZahlen.Change.Verbinden([this] { Berechnen(); });
    MaskEdBoxAnteil.KeyPress.Verbinden([this](int& zeichen) {
        if (zeichen == ui::taste::Enter) ÜbernehmenWerte();
    });
    for (ui::TextFeld* feld : std::initializer_list<ui::TextFeld*>{
             &MaskEdBoxGrenzpunkte, &MaskEdBoxAnteil, &MaskEdBoxFläche, &MaskEdBoxWert, &mskWert,
             &txtZusammenZahlen, &txtAnzahl})
        feld->GotFocus.Verbinden([feld] {
            Prozedur proc(kModul, feld->Name() + "_GotFocus");
            proc([&] { AllesMarkieren(*feld); });
        });
    // An empty share (or one of 0) is the whole: the field shows "1000" once it is left, so that
    // "0500" can be typed and clearing the field does not jump to "1000" while typing.
    MaskEdBoxAnteil.LostFocus.Verbinden([this] {
        Prozedur proc(kModul, "MaskEdBoxAnteil_LostFocus");
        proc([&] {
            if (Val(MaskEdBoxAnteil.Text()) == 0) MaskEdBoxAnteil.SetText("1000");
        });
    });
    MaskEdBoxGrenzpunkte.LostFocus.Verbinden([this] {
        Prozedur proc(kModul, "MaskEdBoxGrenzpunkte_LostFocus");
        proc([&] { MaskEdBoxGrenzpunkte.SetText(WertFormatieren(MaskEdBoxGrenzpunkte.Text(), 2, 0)); });
    });
    MaskEdBoxFläche.LostFocus.Verbinden([this] { FlächeVerlassen(); });
    MaskEdBoxWert.LostFocus.Verbinden([this] {
        Prozedur proc(kModul, "MaskEdBoxWert_LostFocus");
        proc([&] { MaskEdBoxWert.SetText(MengeFormatieren(MaskEdBoxWert.Text(), 8, 2)); });
        proc([&] {
            mskWert.SetText(WertFormatieren(CVal(MaskEdBoxFläche.Text()) * CVal(MaskEdBoxWert.Text()), 12, 2));
        });
        proc([&] { OhneFlurstücke(); });
    });
    mskWert.LostFocus.Verbinden([this] {
        Prozedur proc(kModul, "mskWert_LostFocus");
        proc([&] {
            const double fläche = CVal(MaskEdBoxFläche.Text());
            if (fläche > 0) MaskEdBoxWert.SetText(MengeFormatieren(CStr(CVal(mskWert.Text()) / fläche), 9, 2));
        });
        proc([&] { OhneFlurstücke(); });
    });
    txtAnzahl.LostFocus.Verbinden([this] { OhneFlurstücke(); });
    optJa.Click.Verbinden([this](int index) {
        Prozedur proc(kModul, "optJa_Click");
        const bool liste = index == 0;
        proc([&] { fraAnzahl.SetVisible(!liste); });
        proc([&] { GridGebühren1.SetVisible(liste); });
        proc([&] { CommandNeu.SetVisible(liste); });
        proc([&] { CommandLöschen.SetVisible(liste); });
    });
    CommandNeu.Click.Verbinden([this] {
        Prozedur proc(kModul, "Commandneu_Click");
        proc([&] { GridZeileEinfügen(GridGebühren1, [this] { NeuWerte(); }); });
    });
    CommandLöschen.Click.Verbinden([this] {
        Prozedur proc(kModul, "CommandLöschen_Click");
        bool gelöscht = false;
        proc([&] { gelöscht = GridZeilenLöschen(GridGebühren1); });
        if (gelöscht) proc([&] { Berechnen(); });
    });
    CommandEnde.Click.Verbinden([this] { CommandEnde_Click(); });
}

void frmKat1::GridVerdrahten() {
    GridGebühren1.EditEnd.Verbinden([this](std::int16_t& annehmen) {
        Prozedur proc(kModul, "GridGebühren1_EditEnd");
        annehmen = 0;
        ui::Grid& g = GridGebühren1;
        const int r = g.Row();
        const int c = g.Col();
        const auto wertSetzen = [&] {
            g.SetTextMatrix(r, 5, WertFormatieren(CVal(g.TextMatrix(r, 3)) * CVal(g.TextMatrix(r, 4)), 9, 2));
        };
        if (c == 3) {
            proc([&] { g.SetTextMatrix(r, 3, MengeFormatieren(g.TextMatrix(r, 3), 5, 0)); });
            proc(wertSetzen);
        } else if (c == 4) {
            proc([&] { g.SetTextMatrix(r, 4, MengeFormatieren(g.TextMatrix(r, 4), 8, 2)); });
            proc(wertSetzen);
        } else if (c == 5) {
            proc([&] { g.SetTextMatrix(r, 5, MengeFormatieren(g.TextMatrix(r, 5), 9, 2)); });
            proc([&] {
                const double fläche = CVal(g.TextMatrix(r, 3));
                if (fläche > 0) g.SetTextMatrix(r, 4, WertFormatieren(CVal(g.TextMatrix(r, 5)) / fläche, 9, 2));
            });
        }
        proc([&] { ÜbernehmenWerte(); });
    });
    GridGebühren1.KeyDown.Verbinden([this](std::int16_t& taste, int shift) {
        Prozedur proc(kModul, "GridGebühren1_KeyDown");
        proc([&] {
            GridAnfügeTaste(GridGebühren1, 5, taste, shift, [this] {
                NeuWerte();
                ÜbernehmenWerte();
            });
        });
    });
    GridGebühren1.RowColChange.Verbinden([this] {
        Prozedur proc(kModul, "GridGebühren1_RowColChange");
        proc([&] { TestComboEdit(GridGebühren1.Row(), GridGebühren1.Col()); });
    });
    ComboBox4.LostFocus.Verbinden([this] {
        Prozedur proc(kModul, "ComboBox4_LostFocus");
        proc([&] { GridGebühren1.SetTextMatrix(GridGebühren1.Row(), 2, ComboBox4.Text()); });
        proc([&] { ComboBox4.SetVisible(false); });
        proc([&] { if (ActiveControl() == &GridGebühren1) GridGebühren1.SetCol(3); });
        // The area to pay changed with the choice: the preview follows at once.
        proc([&] { ÜbernehmenWerte(); });
        proc([&] { TestComboEdit(GridGebühren1.Row(), GridGebühren1.Col()); });
    });
}

void frmKat1::Form_Load() {
    KategorieLaden(
        kSchluessel,
        [this] {
            Prozedur proc(kModul, "Form_Load");
            proc([&] {
                comArt.Clear();
                comArt.AddItem("10.1");
                comArt.AddItem("10.3");
            });
            proc([&] {
                ComboBox4.Clear();
                ComboBox4.AddItem("ja");
                ComboBox4.AddItem("nein");
                ComboBox4.SetListIndex(0);
            });
            proc([&] { optJa(0).SetValue(true); });
            proc([&] {
                GridGebühren1.SetCols(5);
                GridGebühren1.SetRows(1);
                GridGebühren1.SetRowHeight(1, 300);
                GridGebühren1.SetRow(1);
            });
            // "10.1" unless the table read back names another known position.
            proc([&] { comArt.SetText("10.1"); });
            if (formTabelle_.IstNothing())
                Standardwerte();
            else
                TabelleEinlesen();
            // No share (none read back) shows as the whole.
            proc([&] {
                if (Val(MaskEdBoxAnteil.Text()) == 0) MaskEdBoxAnteil.SetText("1000");
            });
            proc([&] { GridEinrichten(); });
            proc([&] { Berechnen(); });
        },
        &CommandNeu, &CommandLöschen);
}

void frmKat1::GridEinrichten() {
    const int breiten[] = {2840, 1000, 900, 1400, 1000};
    const char* köpfe[] = {"", " zu zahlen", " Fläche [m²]", " Bodenwert [€/m²]", " Wert [€]"};
    for (int c = 1; c <= 5; ++c) {
        GridGebühren1.SetColWidth(c, breiten[c - 1]);
        GridGebühren1.SetHeaderText(c, köpfe[c - 1]);
    }
    for (int r = 1; r <= GridGebühren1.Rows(); ++r) GridGebühren1.SetRowHeight(r, 300);
    if (GridGebühren1.Rows() > 0) GridGebühren1.SetRow(1);
}

void frmKat1::Standardwerte() {
    Prozedur proc(kModul, "Form_Load");
    const Rechnungskontext& k = Kontext();
    proc([&] { NeuWerte(); });
    proc([&] { MaskEdBoxGrenzpunkte.SetText(WertFormatieren(k.AnzahlGrenzpunkte, 2, 0)); });
    proc([&] { MaskEdBoxFläche.SetText(WertFormatieren(k.Fläche, 7, 0)); });
    proc([&] { MaskEdBoxWert.SetText(WertFormatieren(k.Bodenwert, 9, 2)); });
    proc([&] { mskWert.SetText(WertFormatieren(k.Bodenwert * k.Fläche, 9, 2)); });
}

void frmKat1::NeuWerte() {
    const Rechnungskontext& k = Kontext();
    ui::Grid& g = GridGebühren1;
    const int r = g.Row();
    g.SetTextMatrix(r, 2, "ja");
    g.SetTextMatrix(r, 3, WertFormatieren(k.Fläche, 7, 0));
    g.SetTextMatrix(r, 4, WertFormatieren(k.Bodenwert, 9, 2));
    g.SetTextMatrix(r, 5, WertFormatieren(k.Bodenwert * k.Fläche, 9, 2));
    g.SetTextMatrix(r, 1, "Flst.Nr. " + k.Flurstücksnummer);
}

void frmKat1::TabelleEinlesen() {
    Prozedur proc(kModul, "Form_Load");
    word::Table& t = formTabelle_;
    const auto zelle = [&](long r, long c) { return ZellText(t, r, c); };
    const auto links = [](const std::string& s, int n) { return ui::utf8::Teil(s, 0, n); };
    long zeilen = 0;
    proc([&] { zeilen = t.Rows().Count(); });
    // The "Tarif- stelle" row, recognised by both its cells: a parcel labelled "Tarif..." has its
    // area in cell 2.
    long kopf = 0;
    for (long r = 2; r <= zeilen && kopf == 0; ++r)
        proc([&] {
            if (BeginntMit(zelle(r, 1), "Tarif") && zelle(r, 2) == "Bezeichnung") kopf = r;
        });
    if (kopf == 0) {
        // Not a table this dialog wrote: nothing can be read back, so the dialog starts as for a new one.
        proc([&] { throw LaufzeitFehler(fehlernummer::UngueltigesArgument, "die Tabelle hat keine Kopfzeile der Positionen"); });
        Standardwerte();
        return;
    }
    if (kopf < 3) {
        // Totals entry; the grid keeps one row of defaults for a switch back to the list.
        proc([&] { optJa(1).SetValue(true); });
        proc([&] { NeuWerte(); });
    } else {
        proc([&] { GridGebühren1.SetRows(static_cast<int>(kopf - 2)); });
        const int spalte[] = {1, 3, 4, 5, 2};  // table column -> grid column
        for (int r = 1; r <= kopf - 2; ++r) {
            for (int c = 1; c <= 5; ++c)
                proc([&] { GridGebühren1.SetTextMatrix(r, spalte[c - 1], zelle(r + 1, c)); });
            proc([&] { GridGebühren1.SetRowHeight(r, 300); });
        }
    }
    proc([&] {
        const std::string art = zelle(kopf + 1, 1);
        if (art == "10.1" || art == "10.3") comArt.SetText(art);
    });
    proc([&] {
        const std::string fläche = WertFormatieren(CVal(links(zelle(kopf + 2, 3), 12)), 8, 2);
        lblFläche.SetCaption(fläche);
        MaskEdBoxFläche.SetText(fläche);
    });
    // The count as the table wrote it: "2,5" parcels priced the table, not 3.
    proc([&] { txtAnzahl.SetText(Trim(zelle(kopf + 3, 3))); });
    proc([&] {
        // The class text shows only the lower bound; the land value that priced the table is kept
        // in the comment on that cell and wins when present.
        double wert = CVal(links(zelle(kopf + 4, 3), 12));
        const std::string gemerkt = ErsterKommentarText(t.Cell(kopf + 4, 3).Range());
        if (BeginntMit(gemerkt, kBodenwertKennung)) wert = CVal(gemerkt.substr(std::string(kBodenwertKennung).size()));
        const std::string text = WertFormatieren(wert, 8, 2);
        lblWert.SetCaption(text);
        MaskEdBoxWert.SetText(text);
    });
    proc([&] { MaskEdBoxGrenzpunkte.SetText(WertFormatieren(CVal(links(zelle(kopf + 6, 3), 8)), 2, 0)); });
    proc([&] { FlächeVerlassen(); });
    for (long r = kopf; r <= zeilen; ++r) {
        proc([&] {
            const std::string c1 = zelle(r, 1);
            if (links(c1, 5) == "9.1") chkUnterlagen.SetValue(1);
            if (BeginntMit(c1, "14.1")) chkÜbernahme.SetValue(1);
        });
        proc([&] {
            const std::string c2 = zelle(r, 2);
            if (BeginntMit(c2, kAnteilText)) {
                // "… 500/1000" is a share in per mille, "… 400 m² zu 800 m²" an area to pay.
                std::string rest = c2.substr(std::string(kAnteilText).size());
                rest = rest.substr(0, rest.find('\r'));
                const std::size_t promille = rest.find("/1000");
                if (promille != std::string::npos)
                    MaskEdBoxAnteil.SetText(Trim(rest.substr(0, promille)));
                else
                    txtZusammenZahlen.SetText(Trim(rest.substr(0, rest.find(" m²"))));
            } else if (BeginntMit(c2, kAnteilAlt)) {
                const double wert = CVal(WertFormatieren(ui::utf8::Teil(c2, 53, 5), 4, 0));
                const double fläche = CVal(lblFläche.Caption());
                txtZusammenZahlen.SetText(CStr(wert == 333 ? fläche / 3 : wert * fläche / 1000));
            }
        });
    }
}

void frmKat1::FlächeVerlassen() {
    Prozedur proc(kModul, "MaskEdBoxFläche_LostFocus");
    proc([&] {
        mskWert.SetText(WertFormatieren(CVal(MaskEdBoxFläche.Text()) * CVal(MaskEdBoxWert.Text()), 12, 2));
    });
    proc([&] { OhneFlurstücke(); });
}

void frmKat1::OhneFlurstücke() {
    Prozedur proc(kModul, "OhneFlurstücke");
    proc([&] { lblWert.SetCaption(MengeFormatieren(MaskEdBoxWert.Text(), 11, 2)); });
    proc([&] { lblFläche.SetCaption(MengeFormatieren(MaskEdBoxFläche.Text(), 5, 0)); });
    proc([&] { Berechnen(); });
}

double frmKat1::ZuZahlendeFläche(double gesamt) const {
    // An empty field means the whole area, as an empty share means the whole.
    const std::string text = Trim(txtZusammenZahlen.Text());
    return text.empty() ? gesamt : CVal(text);
}

void frmKat1::Berechnen() {
    if (imBerechnen_) return;  // the fields it writes back raise Change
    struct Sperre {
        bool& b;
        explicit Sperre(bool& x) : b(x) { b = true; }
        ~Sperre() { b = false; }
    } sperre(imBerechnen_);
    Prozedur proc(kModul, "Berechnen");
    double gebühr = 0, wert = 0, fläche = 0, zahlen = 0;
    if (Listenmodus()) {
        const ui::Grid& g = GridGebühren1;
        proc([&] {
            double summe = 0, gesamt = 0, bezahlt = 0;
            for (int r = 1; r <= g.Rows(); ++r) {
                summe += CVal(g.TextMatrix(r, 5));
                gesamt += CVal(g.TextMatrix(r, 3));
                if (g.TextMatrix(r, 2) == "ja") bezahlt += CVal(g.TextMatrix(r, 3));
            }
            fläche = gesamt;
            zahlen = bezahlt;
            wert = gesamt != 0 ? summe / gesamt : 0.0;
        });
        proc([&] { lblWert.SetCaption(WertFormatieren(wert, 11, 2)); });
        proc([&] { lblFläche.SetCaption(WertFormatieren(fläche, 5, 0)); });
        proc([&] { gebühr = Gebührenstaffel1(wert, fläche); });
        if (g.Rows() > 1) gebühr *= Flurstücksfaktor(g.Rows());
    } else {
        wert = CVal(lblWert.Caption());
        fläche = CVal(lblFläche.Caption());
        proc([&] { gebühr = Gebührenstaffel1(wert, fläche); });
        const double n = CVal(txtAnzahl.Text());
        if (n > 1) gebühr *= Flurstücksfaktor(n);
        zahlen = ZuZahlendeFläche(fläche);
    }
    // A negative area (typed, or from a negative parcel area) is nothing to pay, not a credit.
    if (zahlen < 0) zahlen = 0;
    const std::string art = comArt.Text();
    if (art == "10.1") {
        proc([&] {
            const double punkte = CVal(MaskEdBoxGrenzpunkte.Text());
            gebühr += Grenzfeststellung_B(wert, punkte) * punkte;
        });
    } else if (art == "10.3") {
        gebühr /= 2;
    }
    proc([&] {
        // The table's rule: empty, 0, 1000 and more are the whole; 333 is exactly a third.
        const double anteil = PromilleAnteil(MaskEdBoxAnteil.Text());
        if (anteil < 0 || anteil >= 1) return;
        gebühr = Val(MaskEdBoxAnteil.Text()) == 333 ? gebühr / 3 : anteil * gebühr;
    });
    proc([&] { txtzahlen.SetText(CStr(zahlen)); });
    // txtZusammenZahlen is not written back: it is the input of totals entry, where a copy of the
    // list's area to pay would price a share nobody typed, and rewriting it while the user types
    // would move the caret and garble the entry. txtzahlen shows the area to pay in both modes.
    proc([&] {
        if (fläche != zahlen) gebühr = gebühr * Division(zahlen, fläche);
    });
    proc([&] { lblGebühr.SetCaption(FormatText(Format(gebühr, "0.00"), "@@@@@@@@")); });
}

void frmKat1::TestComboEdit(int row, int col) {
    if (col != 2 || row < 1) {
        ComboBox4.SetVisible(false);
        return;
    }
    ComboBox4.SetListIndex(GridGebühren1.TextMatrix(row, 2) == "nein" ? 1 : 0);
    ComboBox4.ÜberZelleLegen(GridGebühren1, row, col);
}

}  // namespace vk
