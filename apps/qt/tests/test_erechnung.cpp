// "Datei › E-Rechnung speichern…": the saved invoice as an XRechnung at the place the person chooses,
// or, when master data are missing, a message that names them and no file.
#include <QFileDialog>
#include <QStatusBar>
#include <QTimer>

#include "hilfen.h"

namespace vkhost::test {
namespace {

class HostERechnung : public HostTest {
protected:
    // "E-Rechnung speichern…" with `ziel` chosen in the save dialog; returns the text of a message box
    // that follows ("" when none does).
    QString Speichern(const std::filesystem::path& ziel) {
        QString meldung;
        ModalBeantworten(
            [&](QWidget& w) {
                auto* dialog = qobject_cast<QFileDialog*>(&w);
                ASSERT_NE(dialog, nullptr) << w.metaObject()->className();
                // a warning that follows the dialog is read and closed once it shows
                QTimer::singleShot(50, [&] {
                    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                        meldung = box->text();
                        box->accept();
                    }
                });
                dialog->selectFile(QString::fromStdString(ziel.string()));
                static_cast<QDialog*>(dialog)->accept();
            },
            [&] { fenster_->ERechnungAktion()->trigger(); });
        return meldung;
    }
};

TEST_F(HostERechnung, SchreibtDieERechnungDerGespeichertenRechnung) {
    Öffnen(rechnung_);
    EXPECT_EQ(Speichern(ordner_ / "Rechnung.xml"), "");
    Warten();
    const std::string xml = DateiLesen(ordner_ / "Rechnung.xml");
    EXPECT_NE(xml.find("<ram:GrandTotalAmount>24491.01</ram:GrandTotalAmount>"), std::string::npos) << xml.substr(0, 400);
    EXPECT_NE(xml.find("<ram:BuyerReference>04011000-12345-03</ram:BuyerReference>"), std::string::npos);
    EXPECT_TRUE(fenster_->statusBar()->currentMessage().startsWith("E-Rechnung gespeichert: "))
        << fenster_->statusBar()->currentMessage().toStdString();
}

TEST_F(HostERechnung, FehlendeStammdatenWerdenGenanntUndNichtsGeschrieben) {
    vktest::Roh(datenbank_).Sql("UPDATE Buero SET IBAN = NULL");
    Öffnen(rechnung_);
    const QString meldung = Speichern(ordner_ / "Rechnung.xml");
    EXPECT_TRUE(meldung.contains("Buero.IBAN fehlt")) << meldung.toStdString();
    EXPECT_FALSE(std::filesystem::exists(ordner_ / "Rechnung.xml"));
}

}  // namespace
}  // namespace vkhost::test
