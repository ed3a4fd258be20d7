// The per-procedure error scope: a failing statement is logged and skipped, the procedure goes on.
#pragma once

#include <exception>
#include <memory>
#include <new>
#include <string>
#include <string_view>
#include <utility>

#include "common/fehler.h"
#include "common/fehlerprotokoll.h"

namespace vk {

// Usage inside a procedure of module "modStatus":
//
//     Prozedur proc("modStatus", "Gebäudevermessung");
//     double ergebnis = 0;
//     proc([&] { ergebnis = 1.2 * Wurzel(baukosten); });   // logged and skipped on failure
//
// Compute into the target inside the statement, so a failed statement leaves the old value.
class Prozedur {
public:
    Prozedur(std::string_view modul, std::string_view name) : modul_(modul), name_(name) {}

    // Runs one statement. Returns true when it succeeded; on a run-time error logs it and returns false.
    template <class Anweisung>
    bool operator()(Anweisung&& anweisung) noexcept {
        try {
            std::forward<Anweisung>(anweisung)();
            return true;
        } catch (const LaufzeitFehler& f) {
            Melden(f);
        } catch (const std::bad_alloc&) {
            Melden(LaufzeitFehler(fehlernummer::NichtGenuegendSpeicher));
        } catch (const std::out_of_range& e) {
            Melden(LaufzeitFehler(fehlernummer::IndexAusserhalb, e.what()));
        } catch (const std::exception& e) {
            Melden(LaufzeitFehler(fehlernummer::UngueltigesArgument, e.what()));
        } catch (...) {
            Melden(LaufzeitFehler(fehlernummer::UngueltigesArgument));
        }
        return false;
    }

    const std::string& Modul() const noexcept { return modul_; }
    const std::string& Name() const noexcept { return name_; }
    int Fehleranzahl() const noexcept { return fehler_; }
    // The description of the last failed statement ("" while none failed).
    const std::string& LetzterFehler() const noexcept { return letzter_; }

private:
    void Melden(const LaufzeitFehler& f) noexcept {
        ++fehler_;
        try {
            letzter_ = f.Beschreibung();
        } catch (...) {
        }
        FehlerProtokollieren(modul_, name_, f);
    }

    std::string modul_;
    std::string name_;
    int fehler_ = 0;
    std::string letzter_;
};

// The object behind a reference, or run-time error 91 when there is none: a statement that uses an
// object an earlier statement failed to set fails, is logged and skipped, instead of crashing.
//
//     proc([&] { rs = db.OpenRecordset("Version"); });         // may fail: rs stays empty
//     proc([&] { text = CStr(Gesetzt(rs).Fields("Text").Value()); });
template <class T>
T& Gesetzt(const std::shared_ptr<T>& objekt) {
    if (!objekt) throw LaufzeitFehler(fehlernummer::ObjektNichtFestgelegt);
    return *objekt;
}

// Runs a statement and ignores any error without logging it (for steps documented as "errors ignored").
template <class Anweisung>
bool FehlerIgnorieren(Anweisung&& anweisung) noexcept {
    try {
        std::forward<Anweisung>(anweisung)();
        return true;
    } catch (...) {
        return false;
    }
}

}  // namespace vk
