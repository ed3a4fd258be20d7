// The confirmations of the session that can be undone: before each "&OK" the invoice file and the
// record's totals are kept (Vormerken); once it saved, they become the newest step (Übernehmen).
// Undoing puts back the newest step's file and record together. The last 20 steps are kept.
#pragma once

#include <QString>
#include <optional>
#include <vector>

#include "sitzung.h"

namespace vkhost {

class Rückgängig {
public:
    struct Schritt {
        QString titel;  // the dialog confirmed ("Grenzbescheinigungen")
        Sitzung::Stand stand;
    };

    void Vormerken(QString titel, Sitzung::Stand stand);
    // The confirmation saved: what was kept before it is the newest step.
    void Übernehmen();
    // The confirmation did not save (or was no confirmation): what was kept is dropped.
    void Verwerfen();
    void Leeren();

    const Schritt* Letzter() const { return schritte_.empty() ? nullptr : &schritte_.back(); }
    Schritt Entnehmen();

private:
    std::vector<Schritt> schritte_;
    std::optional<Schritt> vorgemerkt_;
};

}  // namespace vkhost
