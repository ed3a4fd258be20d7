// What other programs leave beside the invoice or say about it. A word processor that has the
// invoice open (its lock file beside it) would overwrite a confirmation with its next save: nothing
// is saved then, and the message names the lock file. The operating system's reasons are German.
#include <gtest/gtest.h>

#include <fstream>

#include "rechnungsordner.h"

namespace vktest {
namespace {

class FremdeProgramme : public DemoBuero {
protected:
    Lauf Bestaetigen(const std::string& mehr = "") {
        return Vk("apply " + RechnungsArgumente(Db(), Rechnung()) + " --category 4 --set chkOrt=1" + mehr);
    }
};

TEST_F(FremdeProgramme, AnInvoiceOpenInAWordProcessorIsNotSaved) {
    const std::string vorher = DateiLesen(Rechnung()), brutto = Brutto();
    for (const char* marke : {".~lock.Rechnung.docx#", "~$chnung.docx"}) {
        SCOPED_TRACE(marke);
        std::ofstream(ordner_ / marke) << ",Sachbearbeiterin,buero-pc,07.12.2026 09:15,file:///;";
        const Lauf l = Bestaetigen();
        EXPECT_EQ(l.status, 2) << l.ausgabe;
        EXPECT_NE(l.ausgabe.find("ist in einem Textverarbeitungsprogramm geöffnet (" + std::string(marke) + ")"),
                  std::string::npos)
            << l.ausgabe;
        EXPECT_EQ(DateiLesen(Rechnung()), vorher);
        EXPECT_EQ(Brutto(), brutto);
        std::filesystem::remove(ordner_ / marke);
    }
    // Closed there, the confirmation goes through: a certificate with inspection, 150,00 € net.
    const Lauf l = Bestaetigen();
    EXPECT_EQ(l.status, 0) << l.ausgabe;
    EXPECT_EQ(Brutto(), "2466951.0") << "24.491,01 € + 150,00 € + 19 % = 24.669,51 €";
}

TEST_F(FremdeProgramme, ATargetInAFolderThatIsNotThereIsRefusedInGerman) {
    const Lauf l = Bestaetigen(" --out " + Zitiert((ordner_ / "fehlt" / "R.docx").string()));
    EXPECT_EQ(l.status, 2) << l.ausgabe;
    EXPECT_NE(l.ausgabe.find("R.docx: kann nicht geschrieben werden (Datei oder Verzeichnis nicht gefunden)"),
              std::string::npos)
        << l.ausgabe;
}

}  // namespace
}  // namespace vktest
