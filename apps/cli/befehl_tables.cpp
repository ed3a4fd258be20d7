// vk tables FILE.docx [--json]: every table in document order with its cell texts and the comments
// anchored in its cells.
#include <iostream>
#include <sstream>

#include "befehle.h"
#include "common/fehler.h"
#include "platform/word/document.h"

namespace vkcli {
namespace {

std::string OhneZellende(const std::string& t) { return t.size() >= 2 ? t.substr(0, t.size() - 2) : t; }

std::string Sichtbar(const std::string& t) {
    std::string s;
    for (char c : t) {
        if (c == '\r') s += "\\r";
        else if (c == '\v') s += "\\v";
        else if (c == '\t') s += "\\t";
        else s += c;
    }
    return s;
}

}  // namespace

std::string Json(const std::string& t) {
    std::string s = "\"";
    for (unsigned char c : t) {
        if (c == '"' || c == '\\') { s += '\\'; s += static_cast<char>(c); }
        else if (c == '\r') s += "\\r";
        else if (c == '\n') s += "\\n";
        else if (c == '\t') s += "\\t";
        else if (c < 0x20) { char b[8]; std::snprintf(b, sizeof b, "\\u%04x", c); s += b; }
        else s += static_cast<char>(c);
    }
    return s + "\"";
}

void TabellenAusgeben(vk::word::Document& doc, bool json, std::ostream& out) {
    long nummer = 0;
    if (json) out << "[";
    for (vk::word::Table t : doc.Tables()) {
        ++nummer;
        if (json) out << (nummer > 1 ? "," : "") << "{\"table\":" << nummer << ",\"rows\":[";
        else out << "Tabelle " << nummer << '\n';
        for (long r = 1; r <= t.Rows().Count(); ++r) {
            const long zellen = t.Rows().Item(r).CellCount();
            if (json) out << (r > 1 ? "," : "") << "[";
            else out << "  " << r << ":";
            for (long c = 1; c <= zellen; ++c) {
                vk::word::Range bereich = t.Cell(r, c).Range();
                std::string text = OhneZellende(bereich.Text());
                std::string kommentare;
                std::vector<std::string> liste;
                for (vk::word::Comment k : bereich.Comments()) liste.push_back(k.Text());
                if (json) {
                    out << (c > 1 ? "," : "") << "{\"text\":" << Json(text) << ",\"comments\":[";
                    for (std::size_t i = 0; i < liste.size(); ++i) out << (i ? "," : "") << Json(liste[i]);
                    out << "]}";
                } else {
                    out << " | " << Sichtbar(text);
                    for (const auto& k : liste) out << " [" << k << "]";
                }
            }
            out << (json ? "]" : "\n");
        }
        if (json) out << "]}";
    }
    out << (json ? "]\n" : "");
}

int BefehlTables(const Argumente& args) {
    std::string datei;
    bool json = false;
    for (const auto& a : args) {
        if (a == "--json") json = true;
        else if (datei.empty()) datei = a;
        else throw Aufruffehler{"tables: unerwartetes Argument '" + a + "'"};
    }
    if (datei.empty()) throw Aufruffehler{"tables: DATEI.docx fehlt"};
    std::shared_ptr<vk::word::Document> doc;
    try {
        doc = vk::word::Document::Open(datei);
    } catch (const vk::LaufzeitFehler& f) {
        throw Aufruffehler{"tables: " + f.Beschreibung()};
    }
    TabellenAusgeben(*doc, json, std::cout);
    return 0;
}

}  // namespace vkcli
