// vk: the command line of the fee component (scripted invoicing, tests, a newcomer's demo).
#include <cstring>
#include <iostream>
#include <map>
#include <string>

#include "befehle.h"
#include "speicherpolitik.h"

namespace {

const char* kHilfe =
    "Aufruf:\n"
    "  vk demo DIR [--db postgresql://USER@HOST/DBNAME]\n"
    "  vk apply --db FILE|URI --user N --invoice ID --doc FILE.docx [--out FILE.docx] --category K\n"
    "           [--property NAME=VALUE]... [--set NAME=VALUE]... [--choose new|1|2|3|4|5|cursor]\n"
    "           [--answer yes|no] [--cancel] [--json]\n"
    "  vk check --db FILE|URI --user N --invoice ID --doc FILE.docx [--xml FILE.xml] [--json]\n"
    "  vk einvoice --db FILE|URI --user N --invoice ID --doc FILE.docx --out FILE.xml\n"
    "  vk tables FILE.docx [--json]\n"
    "  vk pdf --doc FILE.docx --out FILE.pdf [--libreoffice PROGRAM]\n"
    "  vk scale Gebührenstaffel1 BODENWERT FLAECHE\n"
    "  vk scale Grenzfeststellung_B BODENWERT PUNKTE\n"
    "  vk scale Gebäudevermessung BAUKOSTEN\n";

}  // namespace

int main(int argc, char** argv) {
    using namespace vkcli;
    SpeicherpolitikSetzen();
    const std::map<std::string, int (*)(const Argumente&)> befehle = {
        {"scale", &BefehlScale},
        {"tables", &BefehlTables},
        {"demo", &BefehlDemo},
        {"apply", &BefehlApply},
        {"check", &BefehlCheck},
        {"einvoice", &BefehlEinvoice},
        {"pdf", &BefehlPdf},
    };
    if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        std::cerr << kHilfe;
        return argc < 2 ? 2 : 0;
    }
    auto it = befehle.find(argv[1]);
    if (it == befehle.end()) {
        std::cerr << "vk: unbekannter Befehl '" << argv[1] << "'\n" << kHilfe;
        return 2;
    }
    try {
        return it->second(Argumente(argv + 2, argv + argc));
    } catch (const Aufruffehler& f) {
        std::cerr << "vk: " << f.meldung << '\n';
        return 2;
    } catch (const std::exception& e) {
        std::cerr << "vk: " << e.what() << '\n';
        return 2;
    }
}
