// vk_bench: generates the invoices, runs the benchmarks, measures the peak memory of a whole
// confirmation on 1000 tables in a process of its own and prints the targets.
//
//   vk_bench [--rechnungen DIR] [google benchmark flags]
//                                           everything (what ./run bench runs); the invoices are
//                                           kept in DIR and only written when missing there
//   vk_bench --erzeugen DIR                 only writes DIR/buero.sqlite and DIR/Rechnung_<n>.docx
//   vk_bench --speicher DOC.docx DB.sqlite  one confirmation, prints the peak memory in MB
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>

#include "auswertung.h"
#ifdef VK_BENCH_HOST
#include <QApplication>

#include "host_messungen.h"
#include "meldungsfilter.h"
#endif
#include "common/fehler.h"
#include "messungen.h"
#include "rechnungen.h"

namespace {

namespace fs = std::filesystem;

fs::path TempOrdner() {
    std::string muster = (fs::temp_directory_path() / "vk_bench_XXXXXX").string();
    if (!::mkdtemp(muster.data())) {
        std::perror("mkdtemp");
        std::exit(1);
    }
    return muster;
}

// Writing a large invoice table by table takes minutes; invoices already there are kept.
void Erzeugen(const fs::path& ordner) {
    fs::create_directories(ordner);
    vkbench::BueroAnlegen(ordner);
    for (int n : vkbench::kGroessen)
        if (!fs::exists(ordner / ("Rechnung_" + std::to_string(n) + ".docx"))) vkbench::RechnungAnlegen(ordner, n);
    for (int n : vkbench::kGroessen)
        if (!fs::exists(ordner / ("Echt_" + std::to_string(n) + ".docx"))) vkbench::EchteRechnungAnlegen(ordner, n);
}

double SpitzeMb() {
    rusage nutzung{};
    ::getrusage(RUSAGE_SELF, &nutzung);
    return static_cast<double>(nutzung.ru_maxrss) / 1024.0;  // kilobytes on Linux
}

// Runs "vk_bench --speicher" on the 1000-table invoice and reads the figure it prints.
double SpeicherMessen(const fs::path& ordner) {
    const std::string befehl = "'" + fs::read_symlink("/proc/self/exe").string() + "' --speicher '" +
                               (ordner / "Rechnung_1000.docx").string() + "' '" +
                               (ordner / "buero.sqlite").string() + "'";
    FILE* rohr = ::popen(befehl.c_str(), "r");
    if (!rohr) return -1;
    double mb = -1;
    if (std::fscanf(rohr, "%lf", &mb) != 1) mb = -1;
    return ::pclose(rohr) == 0 ? mb : -1;
}

}  // namespace

int main(int argc, char** argv) {
    const fs::path log = TempOrdner();
    ::setenv("VK_LOG_DIR", log.c_str(), 1);
    try {
        if (argc == 3 && std::strcmp(argv[1], "--erzeugen") == 0) {
            Erzeugen(argv[2]);
            std::cout << "wrote " << argv[2] << "/buero.sqlite and Rechnung_{10,100,1000}.docx\n";
            return 0;
        }
        if (argc == 4 && std::strcmp(argv[1], "--speicher") == 0) {
            const std::string fehler = vkbench::EineBestaetigung(argv[2], argv[3]);
            if (!fehler.empty()) {
                std::cerr << "vk_bench: " << fehler << "\n";
                return 1;
            }
            std::printf("%.1f\n", SpitzeMb());
            return 0;
        }
        const bool behalten = argc >= 3 && std::strcmp(argv[1], "--rechnungen") == 0;
        const fs::path ordner = behalten ? fs::path(argv[2]) : TempOrdner();
        if (behalten) {
            argv[2] = argv[0];
            argc -= 2;
            argv += 2;
        }
        std::cout << "invoices with 10, 100 and 1000 fee tables in " << ordner.string() << "\n";
        Erzeugen(ordner);
        benchmark::Initialize(&argc, argv);
        vkbench::MessungenRegistrieren(ordner);
#ifdef VK_BENCH_HOST
        // The host's windows offscreen, with their settings and the error log in the temporary folder.
        ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
        ::setenv("XDG_CONFIG_HOME", (log / "config").c_str(), 1);
        int qtArgc = 1;
        vkhost::QtMeldungenFiltern();
        QApplication app(qtArgc, argv);
        vkbench::HostMessungenRegistrieren(ordner);
#endif
        vkbench::Mitschrift mitschrift;
        for (int durchgang = 0; durchgang < vkbench::kWiederholungen; ++durchgang)
            benchmark::RunSpecifiedBenchmarks(&mitschrift);
        benchmark::Shutdown();
        const double mb = SpeicherMessen(ordner);
        bool erfuellt = vkbench::Zusammenfassen(mitschrift, mb, std::cout);
#ifdef VK_BENCH_HOST
        erfuellt = vkbench::HostZusammenfassen(mitschrift, vkbench::kHostOperationen, std::cout) && erfuellt;
#endif
        std::error_code ec;
        if (!behalten) fs::remove_all(ordner, ec);
        fs::remove_all(log, ec);
        return erfuellt ? 0 : 1;
    } catch (const vk::LaufzeitFehler& f) {
        std::cerr << "vk_bench: " << f.Beschreibung() << "\n";
        return 2;
    }
}
