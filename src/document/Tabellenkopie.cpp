#include "document/Tabellenkopie.h"

#include <algorithm>
#include <set>

namespace vk {

Tabellenbild TabelleLesen(const word::Table& tabelle) {
    Tabellenbild bild;
    for (const word::Row& zeile : tabelle.Rows().Each()) {
        std::vector<Zellbild> zellen;
        for (long c = 1; c <= zeile.CellCount(); ++c) {
            const word::Range bereich = zeile.Cell(c).Range();
            Zellbild z;
            z.text = bereich.Text();
            if (z.text.size() >= 2) z.text.erase(z.text.size() - 2);  // the end-of-cell mark
            for (word::Comment k : bereich.Comments()) z.kommentare.emplace_back(k.Id(), k.Text());
            zellen.push_back(std::move(z));
        }
        bild.push_back(std::move(zellen));
    }
    return bild;
}

word::Table TabelleKopieren(const Tabellenbild& bild, word::Document& ziel) {
    std::size_t spalten = 1;
    for (const auto& zeile : bild) spalten = std::max(spalten, zeile.size());
    word::Range ende = ziel.Content();
    ende.Collapse(word::wdCollapseEnd);
    word::Table kopie = ziel.Tables().Add(ende, static_cast<long>(bild.size()), static_cast<long>(spalten));
    const std::vector<word::Row> neu = kopie.Rows().Each();
    std::set<std::string> kopiert;
    for (std::size_t r = 0; r < bild.size(); ++r)
        for (std::size_t c = 0; c < bild[r].size(); ++c) {
            const Zellbild& z = bild[r][c];
            if (!z.text.empty()) neu[r].Cell(static_cast<long>(c + 1)).Range().InsertAfter(z.text);
            for (const auto& [id, text] : z.kommentare)
                if (kopiert.insert(id).second) ziel.Comments().Add(neu[r].Cell(static_cast<long>(c + 1)).Range(), text);
        }
    return kopie;
}

}  // namespace vk
