// vk einvoice: the invoice as an XRechnung (CII) from the priced document, its record and the office's
// master data. Reads the document and the database only. Exit status 0 written, 2 refused (one line
// per missing or invalid datum on standard error, nothing written) or bad arguments and files.
#include <iostream>

#include "befehle.h"
#include "common/fehler.h"
#include "einvoice/ERechnung.h"

namespace vkcli {

int BefehlEinvoice(const Argumente& args) {
    vk::ERechnungsauftrag a;
    for (Optionen o(args, "einvoice"); o.Weiter();) {
        const std::string& n = o.Name();
        if (n == "--db") a.datenbank = o.Wert();
        else if (n == "--doc") a.dokument = o.Wert();
        else if (n == "--out") a.xml = o.Wert();
        else if (n == "--user") a.benutzer = o.Zahl();
        else if (n == "--invoice") a.rechnung = o.Zahl();
        else o.Unbekannt();
    }
    if (a.datenbank.empty() || a.dokument.empty() || a.xml.empty() || !a.benutzer || !a.rechnung)
        throw Aufruffehler{"einvoice: --db, --user, --invoice, --doc und --out sind nötig"};
    std::vector<std::string> mängel;
    try {
        mängel = vk::ERechnungSchreiben(a);
    } catch (const vk::LaufzeitFehler& f) {
        throw Aufruffehler{"einvoice: " + f.Beschreibung()};
    }
    if (mängel.empty()) {
        std::cout << "E-Rechnung geschrieben: " << a.xml.string() << '\n';
        return 0;
    }
    std::cerr << "vk: einvoice: keine E-Rechnung geschrieben:\n";
    for (const std::string& m : mängel) std::cerr << "  " << m << '\n';
    return 2;
}

}  // namespace vkcli
