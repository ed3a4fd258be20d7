// The closing report of a benchmark run: the figures per operation and table count, the
// 1000/100 ratios, and whether the speed and memory targets are met.
#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <optional>
#include <ostream>
#include <vector>
#include <string>

namespace vkbench {

// The console output as usual, and each benchmark's CPU time per iteration (ms) kept by its name
// ("Bestaetigung/100") from every pass over the benchmarks; the figure is the median of the passes.
class Mitschrift : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override;
    std::optional<double> Millisekunden(const std::string& name) const;

private:
    std::map<std::string, std::vector<double>> ms_;
};

// The targets: the whole confirmation on 100 tables under 5 ms, writing its e-invoice (file to file)
// under 50 ms, every operation's 1000-table figure at most 12 times its 100-table figure, peak memory
// for 1000 tables under 100 MB.
inline constexpr double kZielBestaetigungMs = 5.0;
inline constexpr double kZielERechnungMs = 50.0;
inline constexpr double kZielVerhaeltnis = 12.0;
inline constexpr double kZielSpeicherMb = 100.0;
// vk check on 1000 real tables under 2 s; the host opens and confirms on 1000 tables within 2 s each.
inline constexpr double kZielPruefenMs = 2000.0;
inline constexpr double kZielHostMs = 2000.0;
// The benchmarks run in this many passes, each over all operations and sizes one after the other:
// a machine that gets slower or faster over a minute (others on the same host) moves the 100- and
// 1000-table figures of a pass alike. The figures are the medians of the passes.
inline constexpr int kWiederholungen = 5;

// Prints the summary; returns whether every target is met. spitzeMb < 0: not measured.
bool Zusammenfassen(const Mitschrift& mitschrift, double spitzeMb, std::ostream& out);
// The host's figures and targets.
struct Operation;
bool HostZusammenfassen(const Mitschrift& mitschrift, const std::vector<Operation>& operationen, std::ostream& out);

}  // namespace vkbench
