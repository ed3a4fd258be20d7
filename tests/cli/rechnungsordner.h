// Running the command line in tests: `vk` with its arguments, and a demo office with an invoice
// copied from its template for `vk apply` (the invoice as LibreOffice prints it: druck.h).
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "../dao/testdatenbank.h"
#include "druck.h"

namespace vktest {

// One confirmed dialog of each category, as a person fills it in (`vk apply` arguments after
// --category K).
inline const std::vector<std::pair<int, std::string>> kJeKategorie = {
    {0, "--property Flurstücksnummer=7/1 --property Fläche=500 --property Bodenwert=25 --property AnzahlGrenzpunkte=4 "
        "--set 'GridGebühren1(2,3)=300' --set 'GridGebühren1(2,1)=Flst.Nr. 7/2' --set MaskEdBoxAnteil=500 --set chkUnterlagen=1"},
    {1, "--property Bodenwert=25 --property AnzahlGrenzpunkte=7 --set MaskEdBoxAnteil=333 --set chkVUnterlagen=1 "
        "--set chkÜbernahme=1"},
    {2, "--property Flurstücksnummer=12/3 --property Baukosten=200000 --set 'GridGebühren(2,4)=500' --set mskBrechpunkte=4 "
        "--set chkVUnterlagen=1 --set chkÜbernahme=1"},
    {3, "--property Flurstücksnummer=77 --property Achslänge=1200 --set 'GridGebühren(1,5)=2' --set chkVUnterlagen=1"},
    {4, "--set chkOrt=1 --set mskMehrfach=2"},
    {5, "--set 'GridGebühren(1,2)=2,25' --set 'GridGebühren(2,1)=Kraftfahrzeug' --set 'GridGebühren(2,2)=30' "
        "--set unterlagenCheck=1"},
};

struct Lauf {
    int status = -1;
    std::string ausgabe;  // standard output and error
};

inline Lauf Vk(const std::string& argumente) {
    Lauf l;
    l.ausgabe = Ausfuehren(std::string(VK_CLI_BINARY) + " " + argumente + " 2>&1", &l.status);
    return l;
}

// `vk` with its arguments under strace, with a fault injected into one system call: `fehler` as strace's
// -e inject takes it ("rename:error=EPERM", "unlink:signal=SIGKILL:when=2"). (LeakSanitizer, in a build
// with it, cannot run under strace.)
inline Lauf VkUnterStrace(const std::string& fehler, const std::string& argumente) {
    const std::string aufruf = fehler.substr(0, fehler.find(':'));
    Lauf l;
    l.ausgabe = Ausfuehren("ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0 strace -f -qq -o /dev/null -e trace=" + aufruf +
                               " -e inject=" + fehler + " " + VK_CLI_BINARY + " " + argumente + " 2>&1",
                           &l.status);
    return l;
}

// "--db DB --user 1 --invoice 1 --doc DOC": invoice 1 of the office, for user 1.
inline std::string RechnungsArgumente(const std::string& db, const std::filesystem::path& doc) {
    return "--db " + Zitiert(db) + " --user 1 --invoice 1 --doc " + Zitiert(doc.string());
}

// `vk demo` into `ordner` and the invoice `datei` copied from its template: the start of a `vk apply`
// on that invoice (append "--category K" and the rest), empty when the demo failed.
inline std::string ApplyAuf(const TempOrdner& ordner, const std::string& datei) {
    if (!std::filesystem::exists(ordner / "Vorlage.docx") && Vk("demo " + Zitiert(ordner.Pfad().string())).status != 0)
        return {};
    std::filesystem::copy_file(ordner / "Vorlage.docx", ordner / datei);
    return "apply " + RechnungsArgumente((ordner / "buero.sqlite").string(), ordner / datei) + " ";
}

// A test on the demo office of its own folder (`vk demo`): invoice 1 of user 1 in Rechnung.docx.
class DemoBuero : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(Vk("demo " + Zitiert(ordner_.Pfad().string())).status, 0); }
    std::string Db() const { return (ordner_ / "buero.sqlite").string(); }
    std::filesystem::path Rechnung() const { return ordner_ / "Rechnung.docx"; }
    std::string Brutto() const { return Roh(Db()).Text("SELECT Brutto FROM Rechnung WHERE ID_Rechnungsnummer = 1"); }
    // `vk check` of invoice 1 in `doc` (the demo's own by default), with `mehr` appended.
    Lauf Pruefen(const std::filesystem::path& doc = {}, const std::string& mehr = "") const {
        return Vk("check " + RechnungsArgumente(Db(), doc.empty() ? Rechnung() : doc) + mehr);
    }

    TempOrdner ordner_;
};

}  // namespace vktest
