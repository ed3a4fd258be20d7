// Fault injection, a test facility: the k-th call of a platform layer fails the way a real failure
// of that call does, so a test can prove that each failing statement is logged and skipped.
//
//     vk::DatenbankStoerung.Scharf(3);   // the third database call from now fails, once
//     ... run a confirmation ...
//     if (vk::DatenbankStoerung.Ausgeloest()) ... Ort(), Meldung() ...
//
// One counter per layer: the database layer (src/platform/dao) and the document layer
// (src/platform/word) count their own calls and never depend on each other. Off by default; a call
// site then costs one integer test (no lock, no allocation, no virtual call). The counters are
// plain process-wide state, not synchronised: arm and read them on the thread that runs the
// component. Nothing outside tests arms them.
#pragma once

#include <string>

namespace vk {

class Stoerstelle {
public:
    // From now on counts the calls of the layer and lets the k-th one (k >= 1) fail once; then the
    // counter is off again. k <= 0 only switches it off. Forgets an earlier failure.
    void Scharf(long k) noexcept;
    void Aus() noexcept { rest_ = 0; }

    // Whether the armed call failed; which call it was ("Recordset.Update"), the error number and
    // description it threw; and how many calls were counted since Scharf (up to the failing one).
    bool Ausgeloest() const noexcept { return ausgeloest_; }
    const std::string& Ort() const noexcept { return ort_; }
    int Nummer() const noexcept { return nummer_; }
    const std::string& Meldung() const noexcept { return meldung_; }
    long Aufrufe() const noexcept { return aufrufe_; }

    // Placed at the start of every call of the layer that can fail: `ort` names the call as the
    // object model does, `nummer` is the run-time error a real failure of it gives. Throws that
    // LaufzeitFehler when this is the armed call; the call then has no effect.
    void Punkt(const char* ort, int nummer) {
        if (rest_ != 0) [[unlikely]]
            Zaehlen(ort, nummer);
    }

private:
    [[gnu::cold, gnu::noinline]] void Zaehlen(const char* ort, int nummer);

    long rest_ = 0;  // calls until the failing one; 0 off
    long aufrufe_ = 0;
    bool ausgeloest_ = false;
    int nummer_ = 0;
    std::string ort_;
    std::string meldung_;
};

// The counters of the database layer (failures 3051 "cannot be opened" for OpenDatabase, 3260
// "locked" for every other call) and of the document layer (5152 for opening a document, 75 for
// saving it, 4605 "not available" for the table, range, selection and shape operations).
extern Stoerstelle DatenbankStoerung;
extern Stoerstelle DokumentStoerung;

}  // namespace vk
