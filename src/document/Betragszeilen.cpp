#include "document/Betragszeilen.h"

#include <vector>

#include "document/KV_WordAuto.h"
#include "document/tabellenkennung.h"

namespace vk {
namespace {

std::string OhneZellende(const std::string& text) {
    return text.size() >= 2 ? text.substr(0, text.size() - 2) : std::string();
}

}  // namespace

void BetragszeilenDurchlaufen(Prozedur& proc, word::Document& doc,
                              const std::function<void(long, const word::Row&, const Betragszelle&)>& je) {
    std::vector<word::Table> tabellen;
    proc([&] { tabellen = AlleTabellen(doc); });
    long position = 0;
    for (word::Table& t : tabellen) {
        ++position;
        std::vector<word::Row> zeilen;
        proc([&] { zeilen = t.Rows().Each(); });
        bool summe = false;
        if (!zeilen.empty())
            proc([&] { summe = zeilen[0].CellCount() >= 2 && zeilen[0].Cell(2).Range().Text() == "Summe\r\a"; });
        if (summe) continue;
        for (const word::Row& zeile : zeilen) {
            // A row without an amount column (a foreign table) counts nothing.
            Betragszelle zelle;
            bool hatBetrag = false;
            proc([&] {
                if (zeile.CellCount() < 5) return;
                word::Range bereich = zeile.Cell(5).Range();
                if (HaeltTabelle(t, bereich)) return;  // counted through the table it holds
                zelle.text = OhneZellende(bereich.Text());
                zelle.kennung = ErsterKommentarText(bereich);
                hatBetrag = true;
            });
            if (hatBetrag) je(position, zeile, zelle);
        }
    }
}

}  // namespace vk
