// Documents as LibreOffice prints them, for the tests that read what a real client lays out: the
// conversion to PDF, its text (pdftotext -layout) and the fonts LibreOffice used (pdffonts). An
// amount that wraps on one machine and not on another usually means a different font: without a
// font metric-compatible with Arial LibreOffice substitutes a wider one, so every failure message
// built from a Druck names the fonts first.
#pragma once

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "common/datei_hilfe.h"

namespace vktest {

// A word for the shell: in single quotes, each quote of its own closed, escaped and reopened.
inline std::string Zitiert(const std::string& s) {
    std::string aus = "'";
    for (char c : s) aus += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return aus + "'";
}

// Whether soffice, pdftotext and pdffonts are installed.
inline bool LibreOfficeVorhanden() {
    return std::system("command -v soffice >/dev/null 2>&1 && command -v pdftotext >/dev/null 2>&1 && "
                       "command -v pdffonts >/dev/null 2>&1") == 0;
}

// The start of a LibreOffice command run in `ordner`, with a profile of its own there, so tests running
// at the same time do not share one: append "--convert-to pdf FILE" and the like.
inline std::string LibreOffice(const std::filesystem::path& ordner) {
    return "cd " + Zitiert(ordner.string()) + " && HOME=" + Zitiert(ordner.string()) +
           " soffice -env:UserInstallation=file://" + (ordner / "libreoffice-profil").string() + " --headless ";
}

// The first line of a text that contains every one of the parts, empty when there is none.
inline std::string ZeileMit(const std::string& text, const std::vector<const char*>& teile) {
    std::istringstream in(text);
    for (std::string zeile; std::getline(in, zeile);)
        if (std::all_of(teile.begin(), teile.end(), [&](const char* t) { return zeile.find(t) != std::string::npos; }))
            return zeile;
    return {};
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
    d.datei = (ordner / (std::filesystem::path(datei).stem().string() + ".pdf")).string();
    std::filesystem::remove(d.datei);
    Ausfuehren(LibreOffice(ordner) + "--convert-to pdf " + Zitiert(datei) + " 2>&1");
    if (!(d.gedruckt = std::filesystem::exists(d.datei))) return d;
    d.text = Ausfuehren("pdftotext -layout " + Zitiert(d.datei) + " - 2>&1");
    d.schriften = Ausfuehren("pdffonts " + Zitiert(d.datei) + " 2>&1");
    return d;
}

}  // namespace vktest
