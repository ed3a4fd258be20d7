// What the status line and the error log tell a person: which file was saved and when, how many
// entries a confirmation added to the log, and the log itself, newest first, under Extras.
#include <QPlainTextEdit>
#include <QRegularExpression>

#include "common/fehler.h"
#include "common/fehlerprotokoll.h"
#include "hilfen.h"
#include "protokoll.h"

namespace vkhost::test {
namespace {

class HostStatus : public HostTest {
protected:
    void SetUp() override {
        HostTest::SetUp();
        std::filesystem::remove(vk::ProtokollPfad());  // each test starts without a log
    }
    // Category 4 confirmed through its widgets.
    void Bestätigen() {
        fenster_->KategorieAktion(4)->trigger();
        ASSERT_NE(Dialog(), nullptr);
        Widget<QCheckBox>("chkOrt")->click();
        Widget<QPushButton>("CommandEnde")->click();
        Warten();
    }
    QString Stand() const { return fenster_->Speicherstand()->text(); }
};

TEST_F(HostStatus, DateiUhrzeitUndNeueProtokolleinträgeNeuesteZuerst) {
    ArbeitÖffnen();
    EXPECT_EQ(Stand(), "");
    Bestätigen();
    EXPECT_TRUE(QRegularExpression("^Arbeit\\.docx gespeichert, \\d\\d:\\d\\d$").match(Stand()).hasMatch())
        << Stand().toStdString();
    EXPECT_EQ(ProtokollEinträge().size(), 0) << "a confirmation that logged nothing says nothing of the log";

    // Without the payment-target settings the totals log what they could not place.
    vktest::Roh(datenbank_).Sql("DELETE FROM Version");
    vk::FehlerProtokollieren("Test", "Vorher", vk::LaufzeitFehler(5, "ein älterer Eintrag"));
    const auto wahlBestätigen = [&] {
        ModalBeantworten([](QWidget& wahl) { Klick(wahl, "cmdEnde"); }, [&] { Bestätigen(); });
    };
    wahlBestätigen();
    const QStringList einträge = ProtokollEinträge();
    const int neu = einträge.size() - 1;
    ASSERT_GT(neu, 0);
    const QString erwartet = neu == 1 ? "1 neuer Eintrag im Fehlerprotokoll" : QString("%1 neue Einträge im Fehlerprotokoll").arg(neu);
    EXPECT_TRUE(Stand().startsWith("Arbeit.docx gespeichert, ")) << Stand().toStdString();
    EXPECT_TRUE(Stand().contains(erwartet)) << Stand().toStdString();
    // Newest first: the entry logged before the confirmation comes last.
    EXPECT_TRUE(einträge.back().contains("ein älterer Eintrag"));
    EXPECT_TRUE(einträge.back().contains("Test.Vorher"));
    EXPECT_FALSE(einträge.front().contains("ein älterer Eintrag"));
    EXPECT_TRUE(einträge.front().contains("-KalDienste- ")) << einträge.front().toStdString();

    // The log's window, from the menu, shows the same entries in that order; Qt's Close in German.
    ModalBeantworten(
        [&](QWidget& w) {
            EXPECT_EQ(w.objectName(), "Fehlerprotokoll");
            EXPECT_NE(KnopfMitText(w, "Schließen"), nullptr);
            auto* text = w.findChild<QPlainTextEdit*>("Einträge");
            ASSERT_NE(text, nullptr);
            EXPECT_TRUE(text->toPlainText().startsWith(einträge.front()));
            EXPECT_TRUE(text->toPlainText().endsWith(einträge.back()));
            qobject_cast<QDialog*>(&w)->reject();
        },
        [&] { fenster_->ProtokollAktion()->trigger(); });

    // The next confirmation that logs nothing new leaves the log out of the status line.
    vktest::Roh(datenbank_).Sql("INSERT INTO Version (Zahlungsziel, AbstandZahlungsziel, BundZahlungsziel) "
                                "VALUES ('Zahlbar bis <14>.', 26, 1)");
    wahlBestätigen();
    EXPECT_FALSE(Stand().contains("Fehlerprotokoll")) << Stand().toStdString();
}

}  // namespace
}  // namespace vkhost::test
