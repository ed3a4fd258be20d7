// Wert_Key (the comma key of a fixed-width amount input) on any text and width: never throws, and
// leaves a selection inside the bounds an edit box accepts.
#include <cstdlib>
#include <string>

#include "common/fehler.h"
#include "common/funktionen.h"
#include "common/schnittstellen.h"
#include "fuzzhilfe.h"

namespace {

// An edit box as a masked input behaves: a selection start beyond the text is refused.
class Eingabefeld : public vk::TextEingabe {
public:
    explicit Eingabefeld(std::string text) : text_(std::move(text)) {}
    std::string Text() const override { return text_; }
    void SetText(const std::string& text) override {
        text_ = text;
        start_ = laenge_ = 0;
    }
    int SelStart() const override { return start_; }
    void SetSelStart(int start) override {
        if (start < 0) throw vk::LaufzeitFehler(380);
        start_ = std::min<int>(start, static_cast<int>(text_.size()));
        laenge_ = 0;
    }
    int SelLength() const override { return laenge_; }
    void SetSelLength(int laenge) override {
        if (laenge < 0) throw vk::LaufzeitFehler(380);
        laenge_ = std::min<int>(laenge, static_cast<int>(text_.size()) - start_);
    }

private:
    std::string text_;
    int start_ = 0;
    int laenge_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    vkfuzz::OhneProtokoll();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
    vkfuzz::Eingabe eingabe(daten, groesse);
    const int breite = eingabe.Zahl(0, 40);
    const int nachkomma = eingabe.Zahl(0, 4);
    Eingabefeld feld{std::string(eingabe.Rest())};
    vk::Wert_Key(feld, breite, nachkomma);
    const int n = static_cast<int>(feld.Text().size());
    if (feld.SelStart() < 0 || feld.SelStart() > n || feld.SelStart() + feld.SelLength() > n) std::abort();
    return 0;
}
