// A person's action on the headless forms, run from a widget's event: a refused action (a key the
// mask refuses, a disabled control) beeps and is reported, nothing escapes into Qt's event loop, and
// after each outermost action the host gets its turn (saving after a confirmation).
#pragma once

#include <functional>
#include <string>

namespace vkhost {

// What an action can do beyond editing a dialog's inputs.
enum class Aktionsart {
    Eingabe,     // typing, ticking, choosing, opening a dialog
    Bestätigen,  // a dialog's "&OK": writes the invoice and its record
};

// Runs the action; returns false when it was refused.
bool Ausführen(const std::function<void()>& aktion, Aktionsart art = Aktionsart::Eingabe);

// Run before and after every outermost action (not around actions inside a modal dialog that an
// action opened). The one before may refuse the action: silently (false: a person declined) or with a
// run-time error, which is reported as a failing action is. Either way the action is not run.
void VorJederAktion(std::function<bool(Aktionsart)> beobachter);
void NachJederAktion(std::function<void()> beobachter);

// Whether an action is running (the host must not exchange the invoice under it).
bool AktionLäuft();

// Where a refused action is reported (the host's status line); by default standard error.
void FehlerMelden(std::function<void(const std::string&)> melden);

}  // namespace vkhost
