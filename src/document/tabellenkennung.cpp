#include "document/tabellenkennung.h"

#include <algorithm>

#include "document/kennungen.h"

namespace vk {
namespace {

void Anhaengen(const word::Table& t, std::vector<word::Table>& aus) {
    aus.push_back(t);
    for (word::Table innen : t.Tables()) Anhaengen(innen, aus);
}

}  // namespace

std::vector<word::Table> AlleTabellen(word::Document& doc) {
    std::vector<word::Table> aus;
    for (word::Table t : doc.Tables()) Anhaengen(t, aus);
    return aus;
}

std::vector<std::string> EigeneKommentare(const word::Table& tabelle) {
    std::vector<std::pair<long, long>> innen;
    for (word::Table t : tabelle.Tables()) {
        const word::Range r = t.Range();
        innen.emplace_back(r.Start(), r.End());
    }
    std::vector<std::string> texte;
    for (word::Comment c : tabelle.Range().Comments()) {
        const long anker = innen.empty() ? 0 : c.Reference().Start();
        const bool verschachtelt =
            std::any_of(innen.begin(), innen.end(), [&](const auto& b) { return anker >= b.first && anker < b.second; });
        if (!verschachtelt) texte.push_back(c.Text());
    }
    return texte;
}

bool TraegtKennung(const word::Table& tabelle, std::string_view schluessel) {
    const std::vector<std::string> texte = EigeneKommentare(tabelle);
    return std::find(texte.begin(), texte.end(), schluessel) != texte.end();
}

std::string Tabellenkennung(const word::Table& tabelle) {
    for (const std::string& text : EigeneKommentare(tabelle))
        if (std::find(kennung::Tabellen.begin(), kennung::Tabellen.end(), text) != kennung::Tabellen.end()) return text;
    return "";
}

bool HaeltTabelle(const word::Table& tabelle, const word::Range& bereich) {
    for (word::Table t : tabelle.Tables()) {
        const long start = t.Range().Start();
        if (start >= bereich.Start() && start < bereich.End()) return true;
    }
    return false;
}

}  // namespace vk
