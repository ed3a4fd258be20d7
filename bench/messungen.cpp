#include "messungen.h"

#include <benchmark/benchmark.h>

#include "categories/frmKat5.h"
#include "common/fehlerprotokoll.h"
#include "component/rechnungskontext.h"
#include "component/vk.h"
#include "document/G_frmTabelle.h"
#include "document/GebuehrenTabelle.h"
#include "document/KV_WordAuto.h"
#include "document/Rechnungspruefung.h"
#include "document/SummeBilden.h"
#include "einvoice/ERechnung.h"
#include "platform/controls/formen.h"
#include "platform/controls/wiedergabe.h"
#include "rechnungen.h"

namespace vkbench {

namespace fs = std::filesystem;

const std::vector<Operation> kOperationen{
    {"Oeffnen", "open"},
    {"TabelleFinden", "find a table by its tag"},
    {"TabelleSchreiben", "write a category's table"},
    {"SummeBilden", "rebuild the totals"},
    {"Speichern", "save"},
    {"Bestaetigung", "whole confirmation (OK)"},
    {"ERechnung", "write the e-invoice"},
    {"Pruefen", "vk check, real tables"},
};

namespace {

fs::path gOrdner;

fs::path Datei(benchmark::State& st) { return gOrdner / ("Rechnung_" + std::to_string(st.range(0)) + ".docx"); }
fs::path Datenbank() { return gOrdner / "buero.sqlite"; }

// The user picks the category's existing table in the table-choice dialog.
void BestehendeTabelleWaehlen() {
    vk::G_frmTabelle::ModalHandlerSetzen([](vk::G_frmTabelle& f) {
        if (f.optTabelle(0).Enabled()) f.optTabelle(0).SetValue(true);
        f.cmdEnde.Click.Auslösen();
    });
}

// A figure measured on a path that logged an error would be misleading: the run is marked failed.
void FehlerfreiPruefen(benchmark::State& st) {
    const auto& f = vk::LetzterFehler();
    if (!f.Funktionsname.empty()) st.SkipWithError((f.Funktionsname + ": " + f.strFehler).c_str());
    vk::LetztenFehlerZuruecksetzen();
}

void Oeffnen(benchmark::State& st) {
    const fs::path pfad = Datei(st);
    for (auto _ : st) {
        auto doc = vk::word::Document::Open(pfad);
        benchmark::DoNotOptimize(doc.get());
    }
}

void TabelleFinden(benchmark::State& st) {
    Sitzung s = SitzungOeffnen(Datei(st), Datenbank());
    BestehendeTabelleWaehlen();
    vk::LetztenFehlerZuruecksetzen();
    for (auto _ : st) {
        vk::word::Table t = vk::TabelleErmitteln(kSchluesselKategorie, vk::kSucheInteraktiv);
        if (t.IstNothing()) st.SkipWithError("the category's table was not found");
    }
    FehlerfreiPruefen(st);
}

void TabelleSchreiben(benchmark::State& st) {
    Sitzung s = SitzungOeffnen(Datei(st), Datenbank());
    vk::SummeLöschen();  // as a confirmation does before it writes
    vk::LetztenFehlerZuruecksetzen();
    for (auto _ : st) {
        vk::word::Table t = KategorietabelleSchreiben(kSchluesselKategorie, 75.0);
        st.PauseTiming();
        t.Delete();  // the document keeps its size from one round to the next
        st.ResumeTiming();
    }
    FehlerfreiPruefen(st);
}

void Summen(benchmark::State& st) {
    Sitzung s = SitzungOeffnen(Datei(st), Datenbank());
    vk::LetztenFehlerZuruecksetzen();
    // The old totals go first, as in a confirmation: without that every round would add one more
    // totals table and the document would grow while it is measured.
    for (auto _ : st) {
        vk::SummeLöschen();
        vk::SummeBilden(true);
    }
    FehlerfreiPruefen(st);
}

void Speichern(benchmark::State& st) {
    auto doc = vk::word::Document::Open(Datei(st));
    const fs::path ziel = gOrdner / ("Kopie_" + std::to_string(st.range(0)) + ".docx");
    for (auto _ : st) {
        // an edit before each save: the main part is serialised and packed, not copied as it was
        st.PauseTiming();
        doc->Content().InsertAfter("x");
        st.ResumeTiming();
        doc->Save(ziel);
    }
}

// Show, tick the inspection, two copies: untimed. Timed: the OK button, which finds the table,
// replaces it, rebuilds the totals and stores them in the invoice record.
void Bestaetigung(benchmark::State& st) {
    Sitzung s = SitzungOeffnen(Datei(st), Datenbank());
    BestehendeTabelleWaehlen();
    vk::VK komponente;
    vk::LetztenFehlerZuruecksetzen();
    for (auto _ : st) {
        st.PauseTiming();
        komponente.Show(4, s.rechnung, 0);
        auto& form = vk::ui::Formen::Instanz<vk::frmKat5>();
        vk::ui::Setzen(form, "chkOrt=1");
        vk::ui::Setzen(form, "mskMehrfach=2");
        st.ResumeTiming();
        vk::ui::Klicken(form, "CommandEnde");
    }
    FehlerfreiPruefen(st);
}

// The invoice's e-invoice, file to file as `vk einvoice` writes it: open the document and the database,
// price the lines, check the totals, write the XML. Untimed first: a database of its own whose invoice
// record holds this invoice's totals (the other benchmarks store theirs in the shared one), which the
// e-invoice checks before it is written.
void ERechnung(benchmark::State& st) {
    const std::string n = std::to_string(st.range(0));
    const fs::path datenbank = gOrdner / ("ERechnung_" + n + ".sqlite"), dokument = gOrdner / ("ERechnung_" + n + ".docx");
    fs::copy_file(Datenbank(), datenbank, fs::copy_options::overwrite_existing);
    {
        Sitzung s = SitzungOeffnen(Datei(st), datenbank);
        vk::Kontext().Rechnung = s.rechnung;  // as Show hands it over: the totals are stored there
        vk::SummeLöschen();
        vk::SummeBilden(true);
        s.doc->Save(dokument);
        vk::KontextZuruecksetzen();
    }
    const vk::ERechnungsauftrag auftrag{datenbank.string(), 1, 1, dokument, gOrdner / ("ERechnung_" + n + ".xml")};
    if (const std::vector<std::string> mängel = vk::ERechnungSchreiben(auftrag); !mängel.empty()) {
        st.SkipWithError(mängel.front().c_str());
        return;
    }
    vk::LetztenFehlerZuruecksetzen();
    for (auto _ : st) benchmark::DoNotOptimize(vk::ERechnungSchreiben(auftrag));
    FehlerfreiPruefen(st);
}

// The whole check of an invoice of real tables (each category's dialog confirmed again on every
// table, the totals, the letter and the record compared); it must prove the invoice.
void Pruefen(benchmark::State& st) {
    const std::string n = std::to_string(st.range(0));
    const vk::Prüfauftrag auftrag{(gOrdner / ("Echt_" + n + ".sqlite")).string(), 1, 1, gOrdner / ("Echt_" + n + ".docx")};
    vk::LetztenFehlerZuruecksetzen();
    for (auto _ : st) {
        const vk::Prüfbericht bericht = vk::RechnungPrüfen(auftrag);
        if (!bericht.Stimmt()) st.SkipWithError("the invoice does not prove");
    }
    FehlerfreiPruefen(st);
}

}  // namespace

void MessungenRegistrieren(const fs::path& ordner) {
    gOrdner = ordner;
    using Funktion = void (*)(benchmark::State&);
    const Funktion funktionen[] = {Oeffnen,     TabelleFinden, TabelleSchreiben, Summen,
                                   Speichern,   Bestaetigung,  ERechnung,        Pruefen};
    for (std::size_t i = 0; i < kOperationen.size(); ++i) {
        auto* b = benchmark::RegisterBenchmark(kOperationen[i].name, funktionen[i]);
        for (int n : kGroessen) b->Arg(n);
        b->Unit(benchmark::kMillisecond)->MinTime(0.2);
    }
}

std::string EineBestaetigung(const fs::path& dokument, const fs::path& datenbank) {
    Sitzung s = SitzungOeffnen(dokument, datenbank);
    BestehendeTabelleWaehlen();
    vk::LetztenFehlerZuruecksetzen();
    vk::VK komponente;
    komponente.Show(4, s.rechnung, 0);
    auto& form = vk::ui::Formen::Instanz<vk::frmKat5>();
    vk::ui::Setzen(form, "chkOrt=1");
    vk::ui::Setzen(form, "mskMehrfach=2");
    vk::ui::Klicken(form, "CommandEnde");
    s.doc->Save(dokument.parent_path() / "Speicherprobe.docx");
    const auto& f = vk::LetzterFehler();
    return f.Funktionsname.empty() ? std::string() : f.Funktionsname + ": " + f.strFehler;
}

}  // namespace vkbench
