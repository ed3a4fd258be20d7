#include "common/stoerstelle.h"

#include "common/fehler.h"

namespace vk {

Stoerstelle DatenbankStoerung;
Stoerstelle DokumentStoerung;

namespace {

// The description the layer gives for a real failure of that number.
std::string Beschreibung(int nummer) {
    switch (nummer) {
    case 3051: return "Die Datenbank kann nicht geöffnet werden.";
    case 3260: return "Die Datenbank ist gesperrt: ein anderer Benutzer ändert sie gerade.";
    case 4605: return "Diese Methode oder Eigenschaft ist nicht verfügbar.";
    case 5152: return "Das Dokument ist beschädigt oder kein Word-Dokument.";
    default: return StandardBeschreibung(nummer);
    }
}

}  // namespace

void Stoerstelle::Scharf(long k) noexcept {
    rest_ = k > 0 ? k : 0;
    aufrufe_ = 0;
    ausgeloest_ = false;
    nummer_ = 0;
    ort_.clear();
    meldung_.clear();
}

void Stoerstelle::Zaehlen(const char* ort, int nummer) {
    ++aufrufe_;
    if (--rest_ != 0) return;
    ausgeloest_ = true;
    nummer_ = nummer;
    ort_ = ort;
    // The call is named in the description, so the log shows which failure was injected.
    meldung_ = Beschreibung(nummer) + " (eingeschleust: " + ort_ + ", Aufruf " + std::to_string(aufrufe_) + ")";
    throw LaufzeitFehler(nummer, meldung_);
}

}  // namespace vk
