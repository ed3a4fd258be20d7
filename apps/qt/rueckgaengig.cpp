#include "rueckgaengig.h"

#include <utility>

namespace vkhost {

namespace {
constexpr std::size_t kSchritte = 20;
}

void Rückgängig::Vormerken(QString titel, Sitzung::Stand stand) { vorgemerkt_ = Schritt{std::move(titel), std::move(stand)}; }

void Rückgängig::Übernehmen() {
    if (!vorgemerkt_) return;
    schritte_.push_back(std::move(*vorgemerkt_));
    vorgemerkt_.reset();
    if (schritte_.size() > kSchritte) schritte_.erase(schritte_.begin());
}

void Rückgängig::Verwerfen() { vorgemerkt_.reset(); }

void Rückgängig::Leeren() {
    schritte_.clear();
    vorgemerkt_.reset();
}

Rückgängig::Schritt Rückgängig::Entnehmen() {
    Schritt s = std::move(schritte_.back());
    schritte_.pop_back();
    return s;
}

}  // namespace vkhost
