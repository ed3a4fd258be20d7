// The window manager: makes a form a child window of a host window with an extended style,
// and brings a window forward.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

namespace vk::ui {

using Fenster = std::intptr_t;  // a window handle; 0 is none

// Extended style of a dialog inside the host's MDI area: MDI child (0x40) with a raised edge (0x100).
inline constexpr long MdiKindMitRand = 0x140;

class Fensterverwaltung {
public:
    virtual ~Fensterverwaltung() = default;
    virtual void SetParent(Fenster kind, Fenster eltern) = 0;
    virtual void SetExtendedStyle(Fenster fenster, long stil) = 0;
    virtual void NachVorne(Fenster fenster) = 0;
};

// Headless default: records what was asked, per window and in order.
class KopfloseFensterverwaltung : public Fensterverwaltung {
public:
    struct Eintrag {
        Fenster eltern = 0;
        long stil = 0;
    };
    void SetParent(Fenster kind, Fenster eltern) override { fenster_[kind].eltern = eltern; }
    void SetExtendedStyle(Fenster fenster, long stil) override { fenster_[fenster].stil = stil; }
    void NachVorne(Fenster fenster) override { nachVorne_.push_back(fenster); }

    // What was set for a window (a default entry when nothing was).
    Eintrag Von(Fenster fenster) const;
    const std::vector<Fenster>& NachVorneGeholt() const noexcept { return nachVorne_; }
    void Zurücksetzen();

private:
    std::map<Fenster, Eintrag> fenster_;
    std::vector<Fenster> nachVorne_;
};

Fensterverwaltung& Fenstermanager();
void FensterverwaltungSetzen(std::shared_ptr<Fensterverwaltung> dienst);  // nullptr restores the default
KopfloseFensterverwaltung& StandardFensterverwaltung();

}  // namespace vk::ui
