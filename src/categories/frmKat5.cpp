#include "categories/frmKat5.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "common/funktionen.h"
#include "common/konvertierung.h"
#include "common/prozedur.h"
#include "component/dialogregister.h"
#include "document/Bestaetigung.h"
#include "document/GebuehrenTabelle.h"
#include "platform/controls/formen.h"

namespace vk {

namespace {

constexpr const char* kModul = "frmKat5";
constexpr const char* kSchluessel = "VK_LP_02_5";
constexpr const char* kMitVermessung = "in Zusammenhang mit einer Vermessung\rTarifstelle 13";

// Show(4) opens this dialog; registered when the library loads.
const bool registriert = [] {
    DialogRegistrieren(4, [] { ui::Formen::Instanz<frmKat5>().Show(); });
    return true;
}();

}  // namespace

Grenzbescheinigungsposition GrenzbescheinigungsPosition(bool mitVermessung, bool mitOrtsbesichtigung) {
    if (mitVermessung) return {kMitVermessung, 60.0};
    if (mitOrtsbesichtigung) return {"mit Ortsbesichtigung\rTarifstelle 8.2.2", 150.0};
    return {"ohne Ortsbesichtigung\rTarifstelle 8.2.1", 75.0};
}

frmKat5::frmKat5() : Kategoriedialog(kModul) {
    SetCaption("Grenzbescheinigungen");
    Label1.SetCaption("Grenzbescheinigungen");
    chkOrt.SetCaption("Ortsbesichtigung durchgeführt");
    chkMitVermessung.SetCaption("In Zusammenhang mit Vermessung");
    Label2.SetCaption("Anzahl der Mehrausfertigungen:");
    mskMehrfach.SetMaxLength(8);

    // With a survey the inspection does not count; its box keeps its value for later.
    chkMitVermessung.Click.Verbinden([this] { chkOrt.SetEnabled(chkMitVermessung.Value() != 1); });
    mskMehrfach.GotFocus.Verbinden([this] {
        Prozedur proc(kModul, "mskMehrfach_GotFocus");
        proc([&] { AllesMarkieren(mskMehrfach); });
    });
    mskMehrfach.LostFocus.Verbinden([this] {
        Prozedur proc(kModul, "mskMehrfach_LostFocus");
        proc([&] { mskMehrfach.SetText(MengeFormatieren(mskMehrfach.Text(), 8, 0)); });
    });
    CommandEnde.Click.Verbinden([this] { CommandEnde_Click(); });
}

void frmKat5::Form_Load() {
    KategorieLaden(kSchluessel, [this] {
        if (!formTabelle_.IstNothing()) TabelleEinlesen();
    });
}

void frmKat5::TabelleEinlesen() {
    Prozedur proc(kModul, "Form_Load");
    std::string position;
    proc([&] { position = ZellText(formTabelle_, 2, 1); });
    // The survey position is recognised again, so confirming it unchanged keeps its fee. The inspection
    // is read from the inspection texts only: the "mit" of "in Zusammenhang mit einer Vermessung" is
    // no inspection, and unticking the survey must not charge one nobody ticked.
    const bool vermessung = position.rfind("in Zusammenhang mit einer Vermessung", 0) == 0;
    proc([&] { chkMitVermessung.SetValue(vermessung ? 1 : 0); });
    proc([&] { chkOrt.SetValue(!vermessung && position.substr(0, 30).find("mit") != std::string::npos ? 1 : 0); });
    // The count is shown as the field shows it after editing, so it is written back unchanged.
    proc([&] {
        if (formTabelle_.Rows().Count() == 4)
            mskMehrfach.SetText(WertFormatieren(CVal(ZellText(formTabelle_, 4, 2)), 8, 0));
    });
}

void frmKat5::CommandEnde_Click() {
    Prozedur proc(kModul, "CommandEnde_Click");
    // The copies are a whole count read as typed ("1.200" is twelve hundred); the table shows the count
    // it charges, as the field shows it after editing.
    double anzahl = 0;
    proc([&] { anzahl = std::round(std::max(0.0, CVal(mskMehrfach.Text()))); });
    const bool kopien = anzahl > 0;
    const std::string kopienText = WertFormatieren(anzahl, 8, 0);
    const Grenzbescheinigungsposition pos =
        GrenzbescheinigungsPosition(chkMitVermessung.Value() == 1, chkOrt.Value() == 1);

    Tabellenauftrag auftrag;
    auftrag.modul = kModul;
    auftrag.schluessel = kSchluessel;
    auftrag.zeilen = kopien ? 4 : 3;
    auftrag.spalten = 5;
    auftrag.formatieren = [](word::Table& t) {
        TabelleFormatierenGemeinsam(t, {2, 5}, {8.0, 3.0, 1.0, 3.0, 2.5}, kModul);
    };
    auftrag.zeilenSchreiben = [&](word::Table& t) {
        double betrag = pos.gebühr;
        ZelleSchreiben(t, 1, 1, "Grenzbescheinigungen", true);
        ZelleSchreiben(t, 2, 1, pos.text, false);
        if (kopien) {
            ZelleSchreiben(t, 4, 1, "Anzahl Mehrfachausfertigungen:", false);
            ZelleSchreiben(t, 4, 2, kopienText, false);
            betrag *= anzahl;
        }
        ZelleSchreiben(t, auftrag.zeilen, 5, Betragstext(betrag), false);
    };
    proc([&] { GebührentabelleSchreiben(formTabelle_, auftrag); });
    proc([&] { Unload(); });
}

}  // namespace vk
