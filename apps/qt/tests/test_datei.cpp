// The invoice file between the host and a word processor: an edit saved elsewhere while the invoice
// is open is never overwritten (the next "&OK" confirms into that version, the window shows it when
// it gets the focus), and the last confirmations can be undone, file and record together.
#include <QMenu>
#include <QSettings>

#include "druck.h"
#include "hilfen.h"
#include "platform/word/document.h"

namespace vkhost::test {
namespace {

class HostDatei : public HostTest {
protected:
    void SetUp() override {
        HostTest::SetUp();
        Aktivieren();
    }
    // What a word processor does: the letter's closing changed and the file saved (replaced).
    void AußenÄndern(const std::string& alt, const std::string& neu) {
        auto doc = vk::word::Document::Open(rechnung_);
        const std::string text = doc->Content().Text();
        const std::size_t stelle = text.find(alt);
        ASSERT_NE(stelle, std::string::npos) << alt;
        const long anfang = static_cast<long>(QString::fromStdString(text.substr(0, stelle)).toStdU32String().size());
        vk::word::Range r = doc->Range(anfang, anfang + static_cast<long>(QString::fromStdString(alt).toStdU32String().size()));
        r.SetText(neu);
        doc->Save();
    }
    // The boundary certificate on its table, its copies typed over and confirmed with Enter.
    void KopienBestätigen(const char* kopien) {
        ModalBeantworten([](QWidget&) { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); },
                         [&] { QTest::keyClick(fenster_.get(), Qt::Key_5, Qt::ControlModifier); });
        ASSERT_NE(Dialog(), nullptr);
        auto* feld = Widget<QLineEdit>("mskMehrfach");
        feld->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(feld, kopien);
        QTest::keyClick(feld, Qt::Key_Return);
        Warten();
        ASSERT_EQ(Dialog(), nullptr);
        Aktivieren();
    }
    std::string Datensatz() {
        vktest::Roh db(datenbank_);
        return db.Text("SELECT NettoRechnung || '/' || Brutto || '/' || MehrwertsteuerFreierbetrag || '/' || "
                       "Mehrwertsteuersatz FROM Rechnung WHERE ID_Rechnungsnummer = 1");
    }
};

// Three copies with inspection: 3 x 150,00 € = 450,00 €.
TEST_F(HostDatei, EineAußenGespeicherteÄnderungWirdNieÜberschrieben) {
    Öffnen(rechnung_);
    AußenÄndern("Mit freundlichen Grüßen", "Mit besten Grüßen");
    KopienBestätigen("3");
    const std::string text = vk::word::Document::Open(rechnung_)->Content().Text();
    EXPECT_NE(text.find("Mit besten Grüßen"), std::string::npos) << "the edit made elsewhere is kept";
    EXPECT_NE(TabellenText(rechnung_).find("450,00 €"), std::string::npos) << "and the confirmation is in";
    EXPECT_TRUE(fenster_->Speicherstand()->text().contains("gespeichert"));

    // Back at the window after the word processor saved again: the preview shows that version.
    AußenÄndern("Mit besten Grüßen", "Viele Grüße");
    QWidget anderes;
    anderes.show();
    anderes.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&anderes));
    Aktivieren();
    EXPECT_TRUE(fenster_->Vorschau()->Text().contains("Viele Grüße"));
    EXPECT_TRUE(fenster_->Speicherstand()->text().contains("außerhalb geändert und neu geladen"))
        << fenster_->Speicherstand()->text().toStdString();
}

TEST_F(HostDatei, RückgängigStelltDateiUndDatensatzVorDerBestätigungWiederHer) {
    Öffnen(rechnung_);
    const std::string datei0 = DateiLesen(rechnung_), satz0 = Datensatz();
    EXPECT_FALSE(fenster_->RückgängigAktion()->isEnabled());
    KopienBestätigen("3");
    const std::string satz1 = Datensatz();
    EXPECT_NE(satz1, satz0);
    const std::string tabellen1 = TabellenText(rechnung_);
    KopienBestätigen("5");
    EXPECT_EQ(fenster_->RückgängigAktion()->text(), "&Rückgängig: Grenzbescheinigungen");
    EXPECT_NE(TabellenText(rechnung_).find("750,00 €"), std::string::npos);

    QTest::keyClick(fenster_.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(TabellenText(rechnung_), tabellen1);
    EXPECT_EQ(Datensatz(), satz1);
    QTest::keyClick(fenster_.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(DateiLesen(rechnung_), datei0) << "the file as it was before the first confirmation";
    EXPECT_EQ(Datensatz(), satz0);
    EXPECT_FALSE(fenster_->RückgängigAktion()->isEnabled());
    EXPECT_TRUE(fenster_->Vorschau()->Text().contains("300,00 €"));
    // The invoice goes on from there: a dialog opens on the restored table.
    ModalBeantworten([](QWidget&) { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); },
                     [&] { QTest::keyClick(fenster_.get(), Qt::Key_5, Qt::ControlModifier); });
    ASSERT_NE(Dialog(), nullptr);
    EXPECT_EQ(Widget<QLineEdit>("mskMehrfach")->text().trimmed(), "2");
}

// The invoices opened last are in the Datei menu; a new invoice from the template asks for its record
// and is opened; the invoice is saved as the word processor prints it (a clear message when
// LibreOffice is not where the settings say).
TEST_F(HostDatei, ZuletztGeöffnetNeueRechnungAusVorlageUndPdf) {
    QSettings einstellungen(QSettings::IniFormat, QSettings::UserScope, "KalVerwaltung", "vk-host");
    einstellungen.remove("Zuletzt");  // what the tests before opened
    einstellungen.sync();
    Öffnen(rechnung_);
    emit fenster_->ZuletztMenü()->aboutToShow();
    ASSERT_EQ(fenster_->ZuletztMenü()->actions().size(), 1);
    EXPECT_TRUE(fenster_->ZuletztMenü()->actions()[0]->text().contains("Rechnung.docx"));

    const auto neu = ordner_ / "Neu.docx";
    bool angelegt = false;
    ModalBeantworten([](QWidget& w) { qobject_cast<QDialog*>(&w)->accept(); },
                     [&] { angelegt = fenster_->NeueRechnungAnlegen(QString::fromStdString(vorlage_.string()),
                                                                    QString::fromStdString(neu.string())); });
    ASSERT_TRUE(angelegt);
    EXPECT_EQ(DateiLesen(neu), DateiLesen(vorlage_));
    EXPECT_TRUE(fenster_->windowTitle().startsWith("Neu.docx"));
    // A fresh invoice: the category opens without a table choice.
    Aktivieren();
    OhneModal([&] { QTest::keyClick(fenster_.get(), Qt::Key_5, Qt::ControlModifier); });
    ASSERT_NE(Dialog(), nullptr);
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : fenster_.get(), Qt::Key_Escape);
    Warten();

    emit fenster_->ZuletztMenü()->aboutToShow();
    ASSERT_EQ(fenster_->ZuletztMenü()->actions().size(), 2);
    EXPECT_TRUE(fenster_->ZuletztMenü()->actions()[0]->text().contains("Neu.docx")) << "newest first";
    fenster_->ZuletztMenü()->actions()[1]->trigger();
    EXPECT_TRUE(fenster_->windowTitle().startsWith("Rechnung.docx"));

    einstellungen.setValue("LibreOffice", "/gibt/es/nicht/soffice");
    einstellungen.sync();
    const QString pdf = QString::fromStdString((ordner_ / "R.pdf").string());
    const QString meldung = Meldung([&] { EXPECT_FALSE(fenster_->AlsPdfSpeichern(pdf)); });
    EXPECT_TRUE(meldung.contains("LibreOffice gibt es nicht unter /gibt/es/nicht/soffice")) << meldung.toStdString();
    einstellungen.remove("LibreOffice");
    einstellungen.sync();
    if (!vktest::LibreOfficeVorhanden()) GTEST_SKIP() << "LibreOffice is not installed";
    ASSERT_TRUE(fenster_->AlsPdfSpeichern(pdf));
    const std::string text = vktest::Ausfuehren("pdftotext -layout '" + (ordner_ / "R.pdf").string() + "' - 2>&1");
    EXPECT_NE(vktest::ZeileMit(text, {"Rechnungsbetrag", "24.491,01 €"}), "") << text;
}

}  // namespace
}  // namespace vkhost::test
