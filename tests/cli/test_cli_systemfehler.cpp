// The operating system's reason for a failed write is given in German, as the rest of the message:
// the C library's catalogue speaks English on a German workstation.
#include <gtest/gtest.h>

#include "rechnungsordner.h"

namespace vktest {
namespace {

TEST(Systemfehler, ATargetInAFolderThatIsNotThereIsRefusedInGerman) {
    TempOrdner ordner;
    ASSERT_EQ(Vk("demo " + Zitiert(ordner.Pfad().string())).status, 0);
    const Lauf l = Vk("apply --db " + Zitiert((ordner / "buero.sqlite").string()) + " --user 1 --invoice 1 --doc " +
                      Zitiert((ordner / "Rechnung.docx").string()) + " --out " +
                      Zitiert((ordner / "fehlt" / "R.docx").string()) + " --category 4 --set chkOrt=1");
    EXPECT_EQ(l.status, 2) << l.ausgabe;
    EXPECT_NE(l.ausgabe.find("R.docx: kann nicht geschrieben werden (Datei oder Verzeichnis nicht gefunden)"),
              std::string::npos)
        << l.ausgabe;
}

}  // namespace
}  // namespace vktest
