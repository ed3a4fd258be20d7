#include "categories/Langanlage.h"

#include <algorithm>
#include <cmath>

#include "common/funktionen.h"

namespace vk {

namespace {

constexpr Langanlagensatz kSätze[] = {
    {"I", 1020.0, "78,00 ", "147,00"},
    {"II", 770.0, "73,00 ", "137,00"},
    {"III", 410.0, "66,00 ", "132,00"},
};

double NichtNegativ(const std::string& text) { return std::max(0.0, CVal(text)); }

}  // namespace

const Langanlagensatz* LanganlagensatzVon(std::string_view kategorie) {
    for (const Langanlagensatz& s : kSätze)
        if (s.kategorie == kategorie) return &s;
    return nullptr;
}

double Angefangene(double einheiten) {
    if (!(einheiten > 0)) return 0;
    return std::ceil(einheiten - 1e-6);
}

bool ZweiteSeite(std::string_view seite) { return seite != kSeite1; }

Langanlagengebühr LanganlageBerechnen(const std::vector<Abschnitt>& abschnitte, double flächen) {
    Langanlagengebühr g;
    g.satz = LanganlagensatzVon("III");
    double gesamtlänge = 0;
    for (const Abschnitt& a : abschnitte) {
        const double länge = NichtNegativ(a.länge);
        const bool zweite = ZweiteSeite(a.seite);
        const double u = Angefangene((zweite ? länge * kFaktorSeite2 : länge) / 10);
        g.einheiten.push_back(u);
        g.grenzeinheiten += u;
        // Parcel counts are whole numbers; a fraction is rounded as the running count is kept.
        g.trennstücke = std::nearbyint(g.trennstücke + NichtNegativ(a.trennstücke));
        // The lowest category present sets every rate; texts that are no category do not count.
        const Langanlagensatz* s = LanganlagensatzVon(a.kategorie);
        if (s && s->kategorie.size() < g.satz->kategorie.size()) g.satz = s;
        // Sections surveyed on the second side lie along axis already counted on the first.
        if (!zweite) g.achslänge += länge;
        gesamtlänge += länge;
    }
    g.kilometer = Angefangene(g.achslänge / 1000);
    g.grundgebühr = g.satz->grundgebühr * g.kilometer;
    g.grenzlängengebühr = CVal(g.satz->grenzlänge) * g.grenzeinheiten;
    g.trennstückgebühr = g.trennstücke * CVal(g.satz->trennstück);
    g.flächenberechnungen = std::max(0.0, flächen) * kJeFlächenberechnung;
    g.halbeKilometer = Angefangene(2 * gesamtlänge / 1000);
    g.unterlagen = g.halbeKilometer * kUnterlagenJeHalbemKm;
    g.übernahme = g.trennstücke * kÜbernahmeJeTrennstück;
    return g;
}

}  // namespace vk
