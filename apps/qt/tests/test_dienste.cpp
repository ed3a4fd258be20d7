// The Qt services behind the controls layer: the message box's buttons and answers, the busy cursor,
// the table-choice dialog's placement through the settings store, the preview of the invoice.
#include <QCursor>
#include <QDialog>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSettings>
#include <QTest>

#include "common/nachricht.h"
#include "hilfen.h"
#include "platform/controls/mauszeiger.h"
#include "bildschirmfoto.h"

namespace vkhost::test {
namespace {

using HostDienste = HostTest;

TEST_F(HostDienste, MeldungsfensterFragtMitJaUndNeinUndSchließenHeißtNein) {
    int antwort = 0;
    ModalBeantworten(
        [](QWidget& w) {
            auto* box = qobject_cast<QMessageBox*>(&w);
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->icon(), QMessageBox::Question);
            EXPECT_EQ(box->buttons().size(), 2);
            EXPECT_NE(KnopfMitText(w, "Ja"), nullptr);
            box->reject();  // Escape or the title bar
        },
        [&] { antwort = vk::Nachrichten().Zeigen("Zeile löschen?", 36, ""); });
    EXPECT_EQ(antwort, vk::msgbox::Nein);
    ModalBeantworten([](QWidget& w) { KnopfMitText(w, "Ja")->click(); },
                     [&] { antwort = vk::Nachrichten().Zeigen("Zeile löschen?", 36, ""); });
    EXPECT_EQ(antwort, vk::msgbox::Ja);
}

TEST_F(HostDienste, SanduhrIstDerBeschäftigtZeigerEinmalUndGehtWieder) {
    vk::ui::Screen().SetMousePointer(vk::ui::mauszeiger::Sanduhr);
    vk::ui::Screen().SetMousePointer(vk::ui::mauszeiger::Sanduhr);  // not stacked
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::BusyCursor);
    vk::ui::Screen().SetMousePointer(vk::ui::mauszeiger::Standard);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(dienste_->bildschirm->Sanduhren(), 2);
}

TEST_F(HostDienste, TabellenwahlSpeichertIhrePlatzierungUndStelltSieWiederHer) {
    Öffnen(rechnung_);
    auto wahl = [&](const std::function<void(QWidget&)>& tun) {
        ModalBeantworten(tun, [&] { fenster_->KategorieAktion(4)->trigger(); });
        ASSERT_NE(Dialog(), nullptr);
        Widget<QPushButton>("CommandAbbruch")->click();
        Warten();
    };
    QRect innen;
    wahl([&](QWidget& d) {
        d.move(120, 80);
        innen = d.geometry();
        d.findChild<QPushButton*>("cmdEnde")->click();
    });
    // The inner top left in twips (15 to a pixel), as the form keeps its place.
    QSettings gespeichert(QSettings::IniFormat, QSettings::UserScope, "KalVerwaltung", "KalVerwaltung");
    EXPECT_EQ(gespeichert.value("G_frmTabelle/Left").toInt(), innen.x() * 15);
    EXPECT_EQ(gespeichert.value("G_frmTabelle/Top").toInt(), innen.y() * 15);
    // Opened again and again, it stays where it was left (it does not creep by its frame).
    for (int mal = 0; mal < 3; ++mal) {
        QPoint wieder;
        wahl([&](QWidget& d) {
            wieder = d.pos();
            d.findChild<QPushButton*>("cmdEnde")->click();
        });
        EXPECT_EQ(wieder, QPoint(120, 80)) << mal;
    }
    // A place off the screen (another screen's, since unplugged) is brought onto it.
    gespeichert.setValue("G_frmTabelle/Left", 15 * 20000);
    gespeichert.setValue("G_frmTabelle/Top", 15 * 20000);
    gespeichert.sync();
    wahl([&](QWidget& d) {
        EXPECT_TRUE(d.screen()->availableGeometry().contains(d.geometry())) << d.geometry().x() << "," << d.geometry().y();
        d.findChild<QPushButton*>("cmdEnde")->click();
    });
}

TEST_F(HostDienste, EingabeÜberDieMaximalLängeWirdAbgelehntUndDasFeldZeigtDenStandDerForm) {
    std::filesystem::copy_file(vorlage_, ordner_ / "Arbeit.docx");
    Öffnen(ordner_ / "Arbeit.docx");
    fenster_->KategorieAktion(4)->trigger();
    auto* kopien = Widget<QLineEdit>("mskMehrfach");
    ASSERT_NE(kopien, nullptr);
    QTest::keyClicks(kopien, "123456789");
    EXPECT_EQ(kopien->text(), "12345678") << "the field takes 8 characters";
    QTest::keyClick(kopien, Qt::Key_Backspace);
    EXPECT_EQ(kopien->text(), "1234567");
    // Leaving the field runs its LostFocus: the count formatted by the form, longer than the typing
    // limit and shown whole.
    QFocusEvent weg(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(kopien, &weg);
    EXPECT_EQ(kopien->text(), "1.234.567");
}

TEST_F(HostDienste, BildschirmfotosJedesDialogsOhneDieRechnungZuÄndern) {
    Öffnen(rechnung_);
    const std::string vorher = DateiLesen(rechnung_);
    const QStringList dateien = BildschirmfotosSchreiben(*fenster_, QString::fromStdString((ordner_ / "fotos").string()));
    QStringList namen;
    for (const QString& d : dateien) {
        EXPECT_FALSE(QImage(d).isNull()) << d.toStdString();
        namen << QFileInfo(d).fileName();
    }
    EXPECT_EQ(namen, QStringList({"hauptfenster.png", "kategorie0.png", "kategorie1.png", "kategorie2.png", "kategorie3.png",
                                  "kategorie4.png", "kategorie5.png", "tabellenwahl.png"}));
    // A dialog's picture is the dialog, the main window's the whole window.
    const QImage haupt(dateien.front());
    EXPECT_EQ(haupt.size(), fenster_->size());
    EXPECT_LT(QImage(dateien[dateien.indexOf(QRegularExpression(".*/kategorie4.png"))]).width(), haupt.width() / 2);
    Warten();
    EXPECT_EQ(Dialog(), nullptr) << "every dialog closed again";
    EXPECT_EQ(DateiLesen(rechnung_), vorher);
}

// The command a person runs: pictures of the demo, and nothing of Qt's offscreen notices on the
// terminal.
TEST_F(HostDienste, BildschirmfotoBefehlOhneMeldungenImTerminal) {
    const auto fotos = ordner_ / "befehl";
    int rc = -1;
    const std::string fehler = vktest::Ausfuehren(std::string(VK_HOST) + " --db '" + datenbank_.string() + "' --doc '" +
                                                  rechnung_.string() + "' --invoice 1 --user 1 --screenshot '" +
                                                  fotos.string() + "' 2>&1 >/dev/null",
                                                  &rc);
    EXPECT_EQ(rc, 0);
    EXPECT_EQ(fehler.find("propagateSizeHints"), std::string::npos) << fehler;
    EXPECT_TRUE(std::filesystem::exists(fotos / "kategorie3.png"));
}

// What a person reads is German, Qt's own buttons and the command line's messages too, and the
// dialogs' version label shows the program's version.
TEST_F(HostDienste, DeutscheTexteUndDieProgrammversion) {
    std::filesystem::copy_file(vorlage_, ordner_ / "Arbeit.docx");
    Öffnen(ordner_ / "Arbeit.docx");
    fenster_->KategorieAktion(4)->trigger();
    ASSERT_NE(Dialog(), nullptr);
    EXPECT_EQ(Widget<QLabel>("lblVersion")->text(), "V 1.0.0");
    ModalBeantworten([](QWidget& w) {
        EXPECT_NE(KnopfMitText(w, "Schließen"), nullptr) << "Qt's Close in German";
        w.close();
    }, [&] { fenster_->ProtokollAktion()->trigger(); });
    int rc = -1;
    const std::string fehler = vktest::Ausfuehren(std::string(VK_HOST) + " --user x 2>&1 >/dev/null", &rc);
    EXPECT_EQ(rc, 2);
    EXPECT_EQ(fehler, "vk-host: --user braucht eine ganze Zahl\n");
    const std::string hilfe = vktest::Ausfuehren("QT_QPA_PLATFORM=offscreen " + std::string(VK_HOST) + " --help 2>&1", &rc);
    EXPECT_NE(hilfe.find("Optionen:"), std::string::npos) << hilfe;
}

}  // namespace
}  // namespace vkhost::test
