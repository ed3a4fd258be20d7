#include "categories/frmKat2.h"

#include <string>

#include "categories/Grenzfeststellungstabelle.h"
#include "common/funktionen.h"
#include "common/konvertierung.h"
#include "common/prozedur.h"
#include "component/dialogregister.h"
#include "component/rechnungskontext.h"
#include "document/Bestaetigung.h"
#include "platform/controls/formen.h"

namespace vk {

namespace {

constexpr const char* kModul = "frmKat2";
constexpr const char* kSchluessel = "VK_LP_02_2";
constexpr const char* kFlstPräfix = "Flst.Nr. ";
constexpr const char* kAnteilPräfix = "Ihr Anteil beträgt ";

// Show(1) opens this dialog; registered when the library loads.
const bool registriert = [] {
    DialogRegistrieren(1, [] { ui::Formen::Instanz<frmKat2>().Show(); });
    return true;
}();

bool BeginntMit(const std::string& text, std::string_view präfix) { return text.rfind(präfix, 0) == 0; }

}  // namespace

frmKat2::frmKat2() : Kategoriedialog(kModul) {
    SetCaption("Grenzfeststellung und Abmarkungen");
    fraDaten.SetCaption("Daten");
    lblFlst.SetCaption("Flst. Nr.");
    lblWert.SetCaption("Bodenwert [€/m²]");
    lblAnteil.SetCaption("Anteil in 1000");
    lblPunkte.SetCaption("Grenzpunkte");
    MaskEdBoxWert.SetMaxLength(64);
    MaskEdBoxAnteil.SetMask("####");
    msk100.SetMask("##");
    fraArt.SetCaption("Art");
    optArt(0).SetCaption("Grenzfeststellung und Abmarkung");
    optArt(1).SetCaption("Nachträgliche Abmarkung");
    optArt(2).SetCaption("Abmarkung im Zusammenhang mit Katastererneuerung");
    optArt(0).SetValue(true);  // before the handler is wired: the preview keeps its first caption
    chkVUnterlagen.SetCaption("Unterlagen berechnen");
    chkÜbernahme.SetCaption("Übernahmegebühr");
    lblGebührText.SetCaption("Gebühr [€]");
    lblGebühr.SetCaption("    0,00");

    optArt.Click.Verbinden([this](int index) { optArt_Click(index); });
    EingabenVerbinden();
    CommandEnde.Click.Verbinden([this] { CommandEnde_Click(); });
}

void frmKat2::EingabenVerbinden() {
    TextboxFlst.GotFocus.Verbinden([this] {
        Prozedur proc(kModul, "TextboxFlst_GotFocus");
        proc([&] { TextboxFlst.SetSelStart(9); });  // behind the prefix "Flst.Nr. "
    });
    MaskEdBoxWert.GotFocus.Verbinden([this] {
        Prozedur proc(kModul, "MaskEdBoxWert_GotFocus");
        proc([&] { AllesMarkieren(MaskEdBoxWert); });
    });
    MaskEdBoxWert.KeyPress.Verbinden([this](int& taste) {
        Prozedur proc(kModul, "MaskEdBoxWert_KeyPress");
        if (taste == ',' || taste == '.') {
            proc([&] { Wert_Key(MaskEdBoxWert, 8, 2); });
            taste = 0;
        } else if (taste == ui::taste::Enter) {
            GebührBerechnen();
        }
    });
    MaskEdBoxWert.LostFocus.Verbinden([this] {
        Prozedur proc(kModul, "MaskEdBoxWert_LostFocus");
        proc([&] { MaskEdBoxWert.SetText(MengeFormatieren(MaskEdBoxWert.Text(), 8, 2)); });
        GebührBerechnen();
    });
    MaskEdBoxAnteil.GotFocus.Verbinden([this] {
        Prozedur proc(kModul, "MaskEdBoxAnteil_GotFocus");
        proc([&] { AllesMarkieren(MaskEdBoxAnteil); });
    });
    MaskEdBoxAnteil.KeyPress.Verbinden([this](int& taste) {
        if (taste == ui::taste::Enter) GebührBerechnen();
    });
    MaskEdBoxAnteil.LostFocus.Verbinden([this] { GebührBerechnen(); });
    msk100.GotFocus.Verbinden([this] {
        Prozedur proc(kModul, "msk100_GotFocus");
        proc([&] { AllesMarkieren(msk100); });
    });
    // Like every count field the points are shown right-aligned after editing, so that the table
    // written from them reads back to the same text.
    msk100.LostFocus.Verbinden([this] {
        Prozedur proc(kModul, "msk100_LostFocus");
        proc([&] { msk100.SetText(MengeFormatieren(msk100.Text(), 2, 0)); });
        GebührBerechnen();
    });
}

void frmKat2::Form_Load() {
    KategorieLaden(kSchluessel, [this] {
        // The defaults first: a cell a hand-edited table lacks leaves its input at the default.
        NeuWerte();
        Prozedur proc(kModul, "Form_Load");
        proc([&] { msk100.SetText(WertFormatieren(static_cast<double>(Kontext().AnzahlGrenzpunkte), 2, 0)); });
        if (formTabelle_.IstNothing()) return;
        TabelleEinlesen();
        // A kept table's preview shows the fee of the inputs just restored.
        GebührBerechnen();
    });
}

void frmKat2::NeuWerte() {
    Prozedur proc(kModul, "NeuWerte");
    proc([&] { TextboxFlst.SetText(kFlstPräfix + Kontext().Flurstücksnummer); });
    proc([&] { MaskEdBoxWert.SetText(FormatText(Format(Kontext().Bodenwert, "0.00"), "@@@@@@@@")); });
    proc([&] { MaskEdBoxAnteil.SetText("1000"); });
}

void frmKat2::TabelleEinlesen() {
    Prozedur proc(kModul, "Form_Load");
    word::Table& t = formTabelle_;
    proc([&] {
        const std::string art = ZellText(t, 4, 2);
        const int index = art == "Grenzfeststellung und Abmarkungen" ? 0 : art == "Nachträgliche Abmarkungen" ? 1 : 2;
        optArt(index).SetValue(true);
    });
    proc([&] { TextboxFlst.SetText(ZellText(t, 2, 1)); });
    proc([&] { MaskEdBoxWert.SetText(MengeFormatieren(ZellText(t, 5, 3), 8, 2)); });
    proc([&] { msk100.SetText(MengeFormatieren(ZellText(t, 7, 3), 2, 0)); });
    proc([&] { MaskEdBoxAnteil.SetText("1000"); });
    long zeilen = 0;
    proc([&] { zeilen = t.Rows().Count(); });
    for (long z = 8; z <= zeilen; ++z) {
        proc([&] {
            const std::string tarifstelle = ZellText(t, z, 1);
            if (BeginntMit(tarifstelle, "14.3")) chkÜbernahme.SetValue(1);
            if (BeginntMit(tarifstelle, "9.1")) chkVUnterlagen.SetValue(1);
        });
        proc([&] {
            const std::string text = ZellText(t, z, 2);
            if (!BeginntMit(text, kAnteilPräfix)) return;
            // "Ihr Anteil beträgt 333/1000": the per mille before the slash.
            const std::string rest = text.substr(std::string_view(kAnteilPräfix).size());
            MaskEdBoxAnteil.SetText(WertFormatieren(CVal(rest.substr(0, rest.find('/'))), 4, 0));
        });
    }
}

Grenzart frmKat2::Art() const {
    const int gewählt = optArt.Gewählt();
    return gewählt == 1 ? NachträglicheAbmarkung : gewählt == 2 ? AbmarkungKatastererneuerung
                                                                : GrenzfeststellungUndAbmarkung;
}

void frmKat2::optArt_Click(int index) {
    Prozedur proc(kModul, "optArt_Click");
    // A cadastre renewal is priced per point only: the land value does not count.
    proc([&] { MaskEdBoxWert.SetEnabled(index != 2); });
    GebührBerechnen();
}

void frmKat2::GebührBerechnen() {
    Prozedur proc(kModul, "GebührBerechnen");
    double gebühr = 0;
    proc([&] {
        gebühr = Vorschaugebühr(Art(), CVal(MaskEdBoxWert.Text()), CVal(msk100.Text()),
                                Anteilsfaktor(MaskEdBoxAnteil.Text()));
    });
    proc([&] { lblGebühr.SetCaption(WertFormatieren(gebühr, 9, 2)); });
}

void frmKat2::CommandEnde_Click() {
    Prozedur proc(kModul, "CommandEnde_Click");
    Grenzfeststellungseingaben e;
    e.art = Art();
    e.flurstück = TextboxFlst.Text();
    e.bodenwert = MaskEdBoxWert.Text();
    e.punkte = msk100.Text();
    e.anteil = MaskEdBoxAnteil.Text();
    e.unterlagen = chkVUnterlagen.Value() == 1;
    e.übernahme = chkÜbernahme.Value() == 1;
    const bool anteilig = Anteilsfaktor(e.anteil) < 1.0;

    Tabellenauftrag auftrag;
    auftrag.modul = kModul;
    auftrag.schluessel = kSchluessel;
    auftrag.zeilen = GrenzfeststellungZeilenzahl(e);
    auftrag.spalten = 8;
    auftrag.formatieren = [anteilig](word::Table& t) { GrenzfeststellungstabelleFormatieren(t, anteilig); };
    auftrag.zeilenSchreiben = [&e](word::Table& t) { GrenzfeststellungszeilenSchreiben(t, e); };
    proc([&] { GebührentabelleSchreiben(formTabelle_, auftrag); });
    proc([&] { Unload(); });
}

}  // namespace vk
