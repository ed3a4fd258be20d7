#include "document/Tabellenkopie.h"

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace vk {

word::Table TabelleKopieren(const word::Table& quelle, word::Document& ziel) {
    const std::vector<word::Row> zeilen = quelle.Rows().Each();
    long spalten = 1;
    for (const word::Row& z : zeilen) spalten = std::max(spalten, z.CellCount());
    word::Range ende = ziel.Content();
    ende.Collapse(word::wdCollapseEnd);
    word::Table kopie = ziel.Tables().Add(ende, static_cast<long>(zeilen.size()), spalten);
    const std::vector<word::Row> neu = kopie.Rows().Each();
    std::set<std::string> kopiert;  // a comment over several cells is copied once, onto the first
    for (std::size_t r = 0; r < zeilen.size(); ++r) {
        for (long c = 1; c <= zeilen[r].CellCount(); ++c) {
            const word::Range zelle = zeilen[r].Cell(c).Range();
            std::string text = zelle.Text();
            if (text.size() >= 2) text.erase(text.size() - 2);  // the end-of-cell mark
            if (!text.empty()) neu[r].Cell(c).Range().InsertAfter(text);
            for (word::Comment k : zelle.Comments())
                if (kopiert.insert(k.Id()).second) ziel.Comments().Add(neu[r].Cell(c).Range(), k.Text());
        }
    }
    return kopie;
}

}  // namespace vk
