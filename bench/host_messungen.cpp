#include "host_messungen.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "document/G_frmTabelle.h"
#include "hauptfenster.h"
#include "vorschau.h"

namespace vkbench {

namespace fs = std::filesystem;

const std::vector<Operation> kHostOperationen{
    {"HostOeffnen", "host: open, pages in view"},
    {"HostVorschau", "host: open, whole preview set"},
    {"HostBestaetigung", "host: OK, saved and shown"},
};

namespace {

fs::path gOrdner;

// A copy of the invoice of real tables and its database, for the host to write.
struct Arbeitskopie {
    fs::path ordner, dokument, datenbank;
    explicit Arbeitskopie(int tabellen) {
        ordner = gOrdner / "host";
        fs::create_directories(ordner);
        const std::string n = std::to_string(tabellen);
        dokument = ordner / ("Echt_" + n + ".docx");
        datenbank = ordner / ("Echt_" + n + ".sqlite");
        fs::copy_file(gOrdner / dokument.filename(), dokument, fs::copy_options::overwrite_existing);
        fs::copy_file(gOrdner / datenbank.filename(), datenbank, fs::copy_options::overwrite_existing);
    }
};

void Warten() {
    for (int i = 0; i < 2; ++i) {
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QApplication::processEvents();
    }
}

// Opening, up to the first pages shown (fenster_fertig false) or to the whole preview set.
void Oeffnen(benchmark::State& st, bool ganz) {
    const Arbeitskopie kopie(static_cast<int>(st.range(0)));
    vkhost::QtDienste dienste;
    for (auto _ : st) {
        st.PauseTiming();
        auto fenster = std::make_unique<vkhost::Hauptfenster>(dienste);
        fenster->resize(1280, 800);
        fenster->show();
        Warten();
        st.ResumeTiming();
        if (!fenster->Öffnen(kopie.datenbank.string(), 1, kopie.dokument.string(), 1)) st.SkipWithError("not opened");
        fenster->Vorschau()->viewport()->repaint();
        while (ganz && !fenster->Vorschau()->Fertig()) QTest::qWait(5);
        st.PauseTiming();
        fenster.reset();
        Warten();
        st.ResumeTiming();
    }
}

void HostOeffnen(benchmark::State& st) { Oeffnen(st, false); }
void HostVorschau(benchmark::State& st) { Oeffnen(st, true); }

// A boundary certificate on its table, two copies more, "&OK": confirmed, saved, the preview shown.
void HostBestaetigung(benchmark::State& st) {
    const Arbeitskopie kopie(static_cast<int>(st.range(0)));
    vkhost::QtDienste dienste;
    vkhost::Hauptfenster fenster(dienste);
    fenster.resize(1280, 800);
    fenster.show();
    if (!fenster.Öffnen(kopie.datenbank.string(), 1, kopie.dokument.string(), 1)) st.SkipWithError("not opened");
    while (!fenster.Vorschau()->Fertig()) QTest::qWait(5);
    const auto alt = vk::G_frmTabelle::ModalHandlerSetzen([](vk::G_frmTabelle& f) {
        f.optTabelle(0).SetValue(true);
        f.cmdEnde.Click.Auslösen();
    });
    int kopien = 1;
    for (auto _ : st) {
        st.PauseTiming();
        fenster.KategorieÖffnen(4);
        QMdiSubWindow* dialog = fenster.Bereich()->activeSubWindow();
        auto* feld = dialog ? dialog->findChild<QLineEdit*>("mskMehrfach") : nullptr;
        auto* ok = dialog ? dialog->findChild<QPushButton*>("CommandEnde") : nullptr;
        if (!feld || !ok) {
            st.SkipWithError("the dialog did not open");
            break;
        }
        feld->setFocus();
        QTest::keyClicks(feld, std::to_string(kopien++ % 9 + 1).c_str());
        Warten();
        st.ResumeTiming();
        ok->click();
        fenster.Vorschau()->viewport()->repaint();
        st.PauseTiming();
        Warten();
        st.ResumeTiming();
    }
    vk::G_frmTabelle::ModalHandlerSetzen(alt);
}

}  // namespace

void HostMessungenRegistrieren(const fs::path& ordner) {
    gOrdner = ordner;
    using Funktion = void (*)(benchmark::State&);
    const Funktion funktionen[] = {HostOeffnen, HostVorschau, HostBestaetigung};
    for (std::size_t i = 0; i < kHostOperationen.size(); ++i) {
        auto* b = benchmark::RegisterBenchmark(kHostOperationen[i].name, funktionen[i]);
        for (int n : kGroessen) b->Arg(n);
        b->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
    }
}

}  // namespace vkbench
