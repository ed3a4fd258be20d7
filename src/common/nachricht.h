// The message box service behind MsgBox: a replaceable implementation with a scriptable headless default.
#pragma once

#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace vk {

// Button codes and flags with the usual values.
namespace msgbox {
inline constexpr int OK = 1, Abbrechen = 2, Abbruch = 3, Wiederholen = 4, Ignorieren = 5, Ja = 6, Nein = 7;
inline constexpr int NurOK = 0, OKAbbrechen = 1, AbbruchWiederholenIgnorieren = 2, JaNeinAbbrechen = 3,
                     JaNein = 4, WiederholenAbbrechen = 5;
inline constexpr int Frage = 32;
}  // namespace msgbox

class NachrichtenDienst {
public:
    virtual ~NachrichtenDienst() = default;
    // Shows a modal message and returns the code of the button pressed.
    virtual int Zeigen(const std::string& text, int flags, const std::string& titel) = 0;
};

// Headless default: answers from a script, in order; without a scripted answer the safe
// choice of the button set (No for Yes/No, Cancel where there is one, else OK).
class SkriptNachrichtenDienst : public NachrichtenDienst {
public:
    struct Frage {
        std::string text;
        int flags = 0;
        std::string titel;
    };

    int Zeigen(const std::string& text, int flags, const std::string& titel) override;
    void Antworten(int code) { antworten_.push_back(code); }
    const std::vector<Frage>& Gestellt() const { return gestellt_; }
    void Zuruecksetzen() { antworten_.clear(); gestellt_.clear(); }

private:
    std::deque<int> antworten_;
    std::vector<Frage> gestellt_;
};

// The process-wide service (the headless default until a host installs its own).
NachrichtenDienst& Nachrichten();
void NachrichtenDienstSetzen(std::shared_ptr<NachrichtenDienst> dienst);  // nullptr restores the default
SkriptNachrichtenDienst& StandardNachrichten();

}  // namespace vk
