#include "auswertung.h"

#include <algorithm>
#include <cstdio>
#include <string_view>
#include <thread>

#include "messungen.h"

namespace vkbench {

void Mitschrift::ReportRuns(const std::vector<Run>& runs) {
    for (const Run& r : runs) {
        if (r.error_occurred || r.run_type != Run::RT_Iteration) continue;
        // CPU time of the process, in the run's unit (every benchmark here reports milliseconds): the
        // cost on one core, whatever else the machine is doing. Wall time adds the fsync of a save;
        // the host's benchmarks, which say so, are wall time: what a person waits for.
        const bool wand = !r.run_name.time_type.empty();
        ms_[r.run_name.function_name + "/" + r.run_name.args].push_back(wand ? r.GetAdjustedRealTime() : r.GetAdjustedCPUTime());
    }
    ConsoleReporter::ReportRuns(runs);
}

std::optional<double> Mitschrift::Millisekunden(const std::string& name) const {
    auto it = ms_.find(name);
    if (it == ms_.end() || it->second.empty()) return std::nullopt;
    std::vector<double> werte = it->second;
    std::sort(werte.begin(), werte.end());
    const std::size_t m = werte.size() / 2;
    return werte.size() % 2 ? werte[m] : (werte[m - 1] + werte[m]) / 2;
}

namespace {

std::string Zahl(std::optional<double> wert, const char* format = "%10.3f") {
    if (!wert) return "    failed";
    char puffer[32];
    std::snprintf(puffer, sizeof puffer, format, *wert);
    return puffer;
}

const char* Erfuellt(bool ja) { return ja ? "met" : "NOT met"; }

}  // namespace

namespace {

// One line per operation: its figures at each size and the 1000/100 ratio (nullopt: not measured).
std::optional<double> Zeile(const Mitschrift& m, const Operation& op, std::ostream& out) {
    std::string zeile = op.bezeichnung;
    zeile.resize(31, ' ');
    std::optional<double> werte[3];
    for (int i = 0; i < 3; ++i) {
        werte[i] = m.Millisekunden(std::string(op.name) + "/" + std::to_string(kGroessen[i]));
        zeile += " " + Zahl(werte[i], "%11.3f");
    }
    std::optional<double> verhaeltnis;
    if (werte[1] && werte[2] && *werte[1] > 0) verhaeltnis = *werte[2] / *werte[1];
    out << zeile << " " << Zahl(verhaeltnis, "%10.2f") << "\n";
    return verhaeltnis;
}

}  // namespace

bool HostZusammenfassen(const Mitschrift& m, const std::vector<Operation>& operationen, std::ostream& out) {
    out << "\n== vk-host on invoices of real tables, ms of wall time per operation, median of " << kWiederholungen
        << " passes\n";
    out << "operation                         10 tables  100 tables 1000 tables   1000/100\n";
    for (const Operation& op : operationen) Zeile(m, op, out);
    bool schnell = true;
    char zeile[160];
    for (const char* name : {"HostOeffnen", "HostBestaetigung"}) {
        const auto ms = m.Millisekunden(std::string(name) + "/1000");
        const bool ok = ms && *ms < kZielHostMs;
        schnell = schnell && ok;
        std::snprintf(zeile, sizeof zeile, "target: %s, 1000 tables: %s ms (< %.0f ms): %s\n",
                      std::string_view(name) == "HostOeffnen" ? "host opens an invoice" : "host confirms a dialog",
                      Zahl(ms, "%.1f").c_str(), kZielHostMs, Erfuellt(ok));
        out << zeile;
    }
    return schnell;
}

bool Zusammenfassen(const Mitschrift& m, double spitzeMb, std::ostream& out) {
    out << "\n== vk_lp_08 document operations, ms of CPU per operation, median of " << kWiederholungen
        << " passes (one thread; machine has " << std::thread::hardware_concurrency() << " cores)\n";
    out << "operation                         10 tables  100 tables 1000 tables   1000/100\n";
    bool linear = true;
    double schlimmstes = 0.0;
    for (const Operation& op : kOperationen) {
        const std::optional<double> verhaeltnis = Zeile(m, op, out);
        if (!verhaeltnis || *verhaeltnis > kZielVerhaeltnis) linear = false;
        if (verhaeltnis && *verhaeltnis > schlimmstes) schlimmstes = *verhaeltnis;
    }
    const auto pruefen = m.Millisekunden("Pruefen/1000");
    const bool pruefenSchnell = pruefen && *pruefen < kZielPruefenMs;
    const auto ok100 = m.Millisekunden("Bestaetigung/100");
    const bool schnell = ok100 && *ok100 < kZielBestaetigungMs;
    const bool sparsam = spitzeMb >= 0 && spitzeMb < kZielSpeicherMb;
    char zeile[160];
    std::snprintf(zeile, sizeof zeile, "target: whole confirmation, 100 tables: %s ms (< %.0f ms): %s\n",
                  Zahl(ok100, "%.3f").c_str(), kZielBestaetigungMs, Erfuellt(schnell));
    out << zeile;
    const auto erechnung100 = m.Millisekunden("ERechnung/100");
    const bool erechnungSchnell = erechnung100 && *erechnung100 < kZielERechnungMs;
    std::snprintf(zeile, sizeof zeile, "target: e-invoice, 100 tables: %s ms (< %.0f ms): %s\n",
                  Zahl(erechnung100, "%.3f").c_str(), kZielERechnungMs, Erfuellt(erechnungSchnell));
    out << zeile;
    std::snprintf(zeile, sizeof zeile, "target: linear cost, largest 1000/100 ratio: %.2f (<= %.0f): %s\n",
                  schlimmstes, kZielVerhaeltnis, Erfuellt(linear));
    out << zeile;
    std::snprintf(zeile, sizeof zeile,
                  "target: peak memory, 1000 tables (open, confirm, save): %.1f MB (< %.0f MB): %s\n", spitzeMb,
                  kZielSpeicherMb, Erfuellt(sparsam));
    out << zeile;
    std::snprintf(zeile, sizeof zeile, "target: vk check, 1000 real tables: %s ms (< %.0f ms): %s\n",
                  Zahl(pruefen, "%.1f").c_str(), kZielPruefenMs, Erfuellt(pruefenSchnell));
    out << zeile;
    return schnell && erechnungSchnell && linear && sparsam && pruefenSchnell;
}

}  // namespace vkbench
