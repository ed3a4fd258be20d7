#include "document/Druck.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <system_error>
#include <thread>
#include <vector>

#include "common/fehler.h"
#include "common/systemfehler.h"

extern char** environ;

namespace vk {

namespace {

namespace fs = std::filesystem;

// LibreOffice's first start in a new profile takes a while; a conversion that takes longer than this
// has hung.
constexpr auto kHöchstens = std::chrono::minutes(3);

[[noreturn]] void Fehler(const std::string& text) { throw LaufzeitFehler(fehlernummer::DateiZugriffsfehler, text); }

bool Ausführbar(const fs::path& p) { return !p.empty() && ::access(p.c_str(), X_OK) == 0 && !fs::is_directory(p); }

std::string AufDemPfad(const std::string& name) {
    if (name.find('/') != std::string::npos) return Ausführbar(name) ? name : "";
    const char* pfad = std::getenv("PATH");
    std::string rest = pfad ? pfad : "/usr/bin:/bin";
    for (std::size_t a = 0;;) {
        const std::size_t e = rest.find(':', a);
        const fs::path kandidat = fs::path(rest.substr(a, e - a)) / name;
        if (Ausführbar(kandidat)) return kandidat.string();
        if (e == std::string::npos) return "";
        a = e + 1;
    }
}

// A temporary folder, removed with everything in it when it goes.
class Ordner {
public:
    Ordner() {
        std::string muster = (fs::temp_directory_path() / "vk_libreoffice_XXXXXX").string();
        if (!::mkdtemp(muster.data())) Fehler("Kein Platz für LibreOffices Arbeitsordner in " + fs::temp_directory_path().string());
        pfad_ = muster;
    }
    ~Ordner() {
        std::error_code ec;
        fs::remove_all(pfad_, ec);
    }
    Ordner(const Ordner&) = delete;
    Ordner& operator=(const Ordner&) = delete;
    const fs::path& Pfad() const { return pfad_; }

private:
    fs::path pfad_;
};

// Runs LibreOffice headless with the arguments after its own; its output goes nowhere. The exit
// status, or -1 when it did not end in time (it is stopped then).
int LibreOfficeAusführen(const std::string& programm, const Ordner& arbeit, const std::vector<std::string>& argumente) {
    std::vector<std::string> alle{programm, "-env:UserInstallation=file://" + (arbeit.Pfad() / "profil").string(),
                                  "--headless", "--norestore", "--nologo", "--nodefault", "--nolockcheck"};
    alle.insert(alle.end(), argumente.begin(), argumente.end());
    std::vector<char*> argv;
    for (std::string& a : alle) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t aktionen;
    posix_spawn_file_actions_init(&aktionen);
    posix_spawn_file_actions_addopen(&aktionen, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&aktionen, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&aktionen, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int rc = ::posix_spawn(&pid, programm.c_str(), &aktionen, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&aktionen);
    if (rc != 0) Fehler("LibreOffice (" + programm + ") lässt sich nicht starten: " + std::generic_category().message(rc));
    const auto ende = std::chrono::steady_clock::now() + kHöchstens;
    for (;;) {
        int status = 0;
        const pid_t fertig = ::waitpid(pid, &status, WNOHANG);
        if (fertig == pid) return WIFEXITED(status) ? WEXITSTATUS(status) : 128;
        if (fertig < 0) return 128;
        if (std::chrono::steady_clock::now() > ende) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &status, 0);
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

std::string Programm(const std::string& libreoffice) {
    const std::string programm = LibreOfficeFinden(libreoffice);
    if (!programm.empty()) return programm;
    if (!libreoffice.empty()) Fehler("LibreOffice gibt es nicht unter " + libreoffice + ".");
    Fehler("LibreOffice ist nicht installiert (Debian: libreoffice-writer-nogui), oder sein Programm soffice ist nicht "
           "auf dem Suchpfad; es kann auch beim Namen genannt werden.");
}

void DokumentPrüfen(const fs::path& dokument) {
    if (!fs::is_regular_file(dokument)) Fehler("Das Rechnungsdokument " + dokument.string() + " gibt es nicht.");
}

}  // namespace

std::string LibreOfficeFinden(const std::string& benannt) {
    if (!benannt.empty()) return AufDemPfad(benannt);
    for (const char* name : {"soffice", "libreoffice"})
        if (std::string p = AufDemPfad(name); !p.empty()) return p;
    return "";
}

void PdfSchreiben(const fs::path& dokument, const fs::path& pdf, const std::string& libreoffice) {
    DokumentPrüfen(dokument);
    const std::string programm = Programm(libreoffice);
    const Ordner arbeit;
    const int rc = LibreOfficeAusführen(programm, arbeit,
                                        {"--convert-to", "pdf", "--outdir", arbeit.Pfad().string(), fs::absolute(dokument).string()});
    const fs::path erzeugt = arbeit.Pfad() / (dokument.stem().string() + ".pdf");
    if (rc == -1) Fehler("LibreOffice hat die Rechnung nicht in " + std::to_string(3) + " Minuten umgewandelt.");
    if (rc != 0 || !fs::is_regular_file(erzeugt) || fs::file_size(erzeugt) == 0)
        Fehler("LibreOffice hat aus " + dokument.string() + " kein PDF gemacht (Rückgabewert " + std::to_string(rc) + ").");
    // Beside the target first, then in its place: a PDF is there whole or not at all.
    const fs::path neu = pdf.parent_path() / ("." + pdf.filename().string() + ".neu");
    std::error_code ec;
    fs::copy_file(erzeugt, neu, fs::copy_options::overwrite_existing, ec);
    if (!ec) fs::rename(neu, pdf, ec);
    if (ec) {
        const std::string grund = Systemfehlertext(ec);
        fs::remove(neu, ec);
        Fehler("Das PDF kann nicht nach " + pdf.string() + " geschrieben werden: " + grund);
    }
}

void Drucken(const fs::path& dokument, const std::string& drucker, const std::string& libreoffice) {
    DokumentPrüfen(dokument);
    const std::string programm = Programm(libreoffice);
    const Ordner arbeit;
    std::vector<std::string> argumente;
    if (drucker.empty()) argumente = {"-p", fs::absolute(dokument).string()};
    else argumente = {"--pt", drucker, fs::absolute(dokument).string()};
    const int rc = LibreOfficeAusführen(programm, arbeit, argumente);
    if (rc != 0)
        Fehler("LibreOffice hat die Rechnung nicht gedruckt" + (drucker.empty() ? std::string() : " (Drucker " + drucker + ")") +
               "; Rückgabewert " + std::to_string(rc) + ".");
}

}  // namespace vk
