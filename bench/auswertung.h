// The closing report of a benchmark run: the figures per operation and table count, the
// 1000/100 ratios, and whether the speed and memory targets are met.
#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <optional>
#include <ostream>
#include <set>
#include <string>

namespace vkbench {

// The console output as usual, and each benchmark's CPU time per iteration (ms) kept by its name
// ("Bestaetigung/100"): the median of its repetitions when it was repeated.
class Mitschrift : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override;
    std::optional<double> Millisekunden(const std::string& name) const;

private:
    std::map<std::string, double> ms_;
    std::set<std::string> median_;
};

// The targets: the whole confirmation on 100 tables under 5 ms, every operation's 1000-table
// figure at most 12 times its 100-table figure, peak memory for 1000 tables under 100 MB.
inline constexpr double kZielBestaetigungMs = 5.0;
inline constexpr double kZielVerhaeltnis = 12.0;
inline constexpr double kZielSpeicherMb = 100.0;
// Each benchmark runs this many times; the figures are the medians.
inline constexpr int kWiederholungen = 5;

// Prints the summary; returns whether every target is met. spitzeMb < 0: not measured.
bool Zusammenfassen(const Mitschrift& mitschrift, double spitzeMb, std::ostream& out);

}  // namespace vkbench
