#include "common/fehlerprotokoll.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <mutex>

namespace vk {
namespace {

std::mutex& ProtokollMutex() {
    static std::mutex m;
    return m;
}

Protokollstand& StandSpeicher() {
    static Protokollstand stand;
    return stand;
}

VK_Error& LetzterFehlerSpeicher() {
    static VK_Error fehler;
    return fehler;
}

Uhr& UhrSpeicher() {
    static Uhr uhr;
    return uhr;
}

std::filesystem::path UmgebungsPfad(const char* name) {
    const char* wert = std::getenv(name);
    if (wert == nullptr || *wert == '\0') return {};
    return std::filesystem::path(wert);
}

// Where the log rolls over: past this size it becomes Verw.log.1 (the one before is dropped) and a
// new one starts, so the log of a busy office never fills its disk.
constexpr std::uintmax_t kMaxProtokollGroesse = 1024 * 1024;

bool DieselbeDatei(int fd, const std::filesystem::path& pfad) {
    struct stat offen {}, benannt {};
    if (::fstat(fd, &offen) != 0 || ::lstat(pfad.c_str(), &benannt) != 0) return false;
    return offen.st_dev == benannt.st_dev && offen.st_ino == benannt.st_ino;
}

// Writes the whole entry with one append, so entries of two processes never interleave. The log is
// never reached through a link (it would grow wherever the link points) and is only ever a regular
// file; the roll-over happens under the file's lock, so two processes roll it over once.
void Anhaengen(const std::filesystem::path& pfad, const std::string& text) {
    std::error_code ec;
    std::filesystem::create_directories(pfad.parent_path(), ec);
    for (int versuch = 0; versuch < 3; ++versuch) {
        const int fd = ::open(pfad.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0644);
        if (fd < 0) return;
        struct stat st {};
        if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || ::flock(fd, LOCK_EX) != 0) {
            ::close(fd);
            return;
        }
        // Another process rolled it over meanwhile: the new one is written to.
        if (!DieselbeDatei(fd, pfad) || ::fstat(fd, &st) != 0) {
            ::close(fd);
            continue;
        }
        if (st.st_size > 0 && static_cast<std::uintmax_t>(st.st_size) + text.size() > kMaxProtokollGroesse) {
            std::filesystem::path alt = pfad;
            alt += ".1";
            std::filesystem::rename(pfad, alt, ec);
            ::close(fd);
            continue;
        }
        const char* p = text.data();
        std::size_t rest = text.size();
        while (rest > 0) {
            ssize_t n = ::write(fd, p, rest);
            if (n <= 0) break;
            p += n;
            rest -= static_cast<std::size_t>(n);
        }
        ::close(fd);
        return;
    }
}

// A value as the log shows it: a control character (a line break in a file name) written as an
// escape, so no value can make a line of its own or forge an entry.
std::string Wert(std::string_view wert) {
    std::string aus;
    aus.reserve(wert.size());
    for (char c : wert) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x20 && b != 0x7F) {
            aus += c;
        } else if (c == '\r') {
            aus += "\\r";
        } else if (c == '\n') {
            aus += "\\n";
        } else if (c == '\t') {
            aus += "\\t";
        } else {
            static constexpr char kHex[] = "0123456789abcdef";
            aus += "\\x";
            aus += kHex[b >> 4];
            aus += kHex[b & 15];
        }
    }
    return aus;
}

}  // namespace

std::filesystem::path ProtokollPfad() {
    if (auto dir = UmgebungsPfad("VK_LOG_DIR"); !dir.empty()) return dir / "Verw.log";
    if (auto state = UmgebungsPfad("XDG_STATE_HOME"); !state.empty())
        return state / "KalVerwaltung" / "Verw.log";
    if (auto home = UmgebungsPfad("HOME"); !home.empty())
        return home / ".local" / "state" / "KalVerwaltung" / "Verw.log";
    return std::filesystem::path("Verw.log");
}

std::string ProtokollEintrag(std::string_view modul, std::string_view prozedur, const LaufzeitFehler& fehler,
                             std::int32_t zeile, std::chrono::system_clock::time_point zeitpunkt) {
    std::time_t t = std::chrono::system_clock::to_time_t(zeitpunkt);
    std::tm lokal{};
    localtime_r(&t, &lokal);
    char kopf[64];
    std::snprintf(kopf, sizeof kopf, "%d.%d.%02d %02d:%02d   ", lokal.tm_mday, lokal.tm_mon + 1,
                  lokal.tm_year % 100, lokal.tm_hour, lokal.tm_min);
    std::string text = kopf;
    text += "Error " + std::to_string(fehler.Nummer()) + ": \r\n";
    text += Wert(fehler.Beschreibung()) + "\r\n";
    text += "Zeile: " + std::to_string(zeile) + "\r\n";
    text += "Ort  : -KalDienste- ";
    text += Wert(modul);
    text += ".";
    text += Wert(prozedur);
    text += "\r\n";
    text += "User : ohne, ohne";
    text += "\r\n\r\n";
    return text;
}

void FehlerProtokollieren(std::string_view modul, std::string_view prozedur, const LaufzeitFehler& fehler,
                          std::int32_t zeile) noexcept {
    try {
        std::string eintrag = ProtokollEintrag(modul, prozedur, fehler, zeile, Jetzt());
        std::lock_guard lock(ProtokollMutex());
        Protokollstand& stand = StandSpeicher();
        ++stand.anzahl;
        stand.letzter = fehler.Beschreibung() + " (" + std::string(modul) + "." + std::string(prozedur) + ")";
        Anhaengen(ProtokollPfad(), eintrag);
        std::string schluessel = std::string(modul) + std::string(prozedur);
        VK_Error& letzter = LetzterFehlerSpeicher();
        if (schluessel != letzter.Funktionsname) {
            letzter.Funktionsname = schluessel;
            letzter.strFehler = fehler.Beschreibung();
            letzter.strModul = std::string(modul);
            letzter.strFunktion = std::string(prozedur);
            letzter.strNr = std::to_string(fehler.Nummer());
            letzter.Hinweis = zeile;
        }
    } catch (...) {
        // Logging must never fail the procedure that reports an error.
    }
}

Protokollstand Protokolliert() {
    std::lock_guard lock(ProtokollMutex());
    return StandSpeicher();
}

VK_Error LetzterFehler() {
    std::lock_guard lock(ProtokollMutex());
    return LetzterFehlerSpeicher();
}

void LetztenFehlerZuruecksetzen() {
    std::lock_guard lock(ProtokollMutex());
    LetzterFehlerSpeicher() = VK_Error{};
}

void UhrSetzen(Uhr uhr) { UhrSpeicher() = std::move(uhr); }

std::chrono::system_clock::time_point Jetzt() {
    const Uhr& uhr = UhrSpeicher();
    return uhr ? uhr() : std::chrono::system_clock::now();
}

}  // namespace vk
