// Documents as LibreOffice prints them, for the tests that read what a real client lays out: the
// conversion to PDF, its text (pdftotext -layout) and the fonts LibreOffice used (pdffonts). An
// amount that wraps on one machine and not on another usually means a different font: without a
// font metric-compatible with Arial LibreOffice substitutes a wider one, so every failure message
// built from a Druck names the fonts first.
#pragma once

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <ostream>
#include <string>

namespace vktest {

namespace druck_detail {

inline std::string Ausgabe(const std::string& befehl, int* status = nullptr) {
    std::string aus;
    FILE* p = ::popen(befehl.c_str(), "r");
    if (!p) return aus;
    std::array<char, 4096> puffer{};
    while (std::size_t n = std::fread(puffer.data(), 1, puffer.size(), p)) aus.append(puffer.data(), n);
    const int rc = ::pclose(p);
    if (status) *status = WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
    return aus;
}

inline std::string Zitiert(const std::string& s) {
    std::string aus = "'";
    for (char c : s) aus += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return aus + "'";
}

}  // namespace druck_detail

// Whether soffice, pdftotext and pdffonts are installed.
inline bool LibreOfficeVorhanden() {
    return std::system("command -v soffice >/dev/null 2>&1 && command -v pdftotext >/dev/null 2>&1 && "
                       "command -v pdffonts >/dev/null 2>&1") == 0;
}

// The start of a LibreOffice command run in `ordner`, with a profile of its own there, so tests running
// at the same time do not share one: append "--convert-to pdf FILE" and the like.
inline std::string LibreOffice(const std::filesystem::path& ordner) {
    const std::string o = ordner.string();
    return "cd " + druck_detail::Zitiert(o) + " && HOME=" + druck_detail::Zitiert(o) +
           " soffice -env:UserInstallation=file://" + (ordner / "libreoffice-profil").string() + " --headless ";
}

struct Druck {
    bool gedruckt = false;   // LibreOffice wrote the PDF
    std::string datei;       // the PDF
    std::string text;        // pdftotext -layout: pages separated by form feeds
    std::string schriften;   // pdffonts: the fonts LibreOffice used

    // The text of page n (from 1); empty when there is no such page.
    std::string Seite(int n) const {
        std::size_t anfang = 0;
        for (int i = 1; i < n; ++i) {
            anfang = text.find('\f', anfang);
            if (anfang == std::string::npos) return {};
            ++anfang;
        }
        return text.substr(anfang, text.find('\f', anfang) - anfang);
    }
};

inline std::ostream& operator<<(std::ostream& aus, const Druck& d) {
    if (!d.gedruckt) return aus << "LibreOffice wrote no PDF (" << d.datei << ")";
    return aus << "fonts LibreOffice used (pdffonts " << d.datei << "):\n"
               << d.schriften << "text (pdftotext -layout):\n"
               << d.text;
}

// `datei` in `ordner` converted to PDF by LibreOffice, with its text and fonts. Call only when
// LibreOfficeVorhanden().
inline Druck Drucken(const std::filesystem::path& ordner, const std::string& datei) {
    Druck d;
    const std::filesystem::path pdf = ordner / (std::filesystem::path(datei).stem().string() + ".pdf");
    d.datei = pdf.string();
    std::filesystem::remove(pdf);
    druck_detail::Ausgabe(LibreOffice(ordner) + "--convert-to pdf " + druck_detail::Zitiert(datei) + " 2>&1");
    d.gedruckt = std::filesystem::exists(pdf);
    if (!d.gedruckt) return d;
    d.text = druck_detail::Ausgabe("pdftotext -layout " + druck_detail::Zitiert(d.datei) + " - 2>&1");
    d.schriften = druck_detail::Ausgabe("pdffonts " + druck_detail::Zitiert(d.datei) + " 2>&1");
    return d;
}

}  // namespace vktest
