// The Qt services behind the controls layer: the message box's buttons and answers, the busy cursor,
// the table-choice dialog's placement through the settings store; vk-host on the command line.
#include <QCursor>
#include <QScreen>
#include <QSettings>

#include "common/nachricht.h"
#include "hilfen.h"
#include "platform/controls/mauszeiger.h"

namespace vkhost::test {
namespace {

using HostDienste = HostTest;

TEST_F(HostDienste, MeldungsfensterFragtMitJaUndNeinSchließenHeißtNeinUndDieSanduhrGehtWieder) {
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

    // The hourglass is the busy cursor, once however often it is set, and goes again.
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
        ModalBeantworten([&](QWidget& d) {
            tun(d);
            Klick(d, "cmdEnde");
        }, [&] { fenster_->KategorieAktion(4)->trigger(); });
        ASSERT_NE(Dialog(), nullptr);
        Widget<QPushButton>("CommandAbbruch")->click();
        Warten();
    };
    QRect innen;
    wahl([&](QWidget& d) {
        d.move(120, 80);
        innen = d.geometry();
    });
    // The inner top left in twips (15 to a pixel), as the form keeps its place.
    QSettings gespeichert(QSettings::IniFormat, QSettings::UserScope, "KalVerwaltung", "KalVerwaltung");
    EXPECT_EQ(gespeichert.value("G_frmTabelle/Left").toInt(), innen.x() * 15);
    EXPECT_EQ(gespeichert.value("G_frmTabelle/Top").toInt(), innen.y() * 15);
    // Opened again and again, it stays where it was left (it does not creep by its frame).
    for (int mal = 0; mal < 3; ++mal) {
        QPoint wieder;
        wahl([&](QWidget& d) { wieder = d.pos(); });
        EXPECT_EQ(wieder, QPoint(120, 80)) << mal;
    }
    // A place off the screen (another screen's, since unplugged) is brought onto it.
    gespeichert.setValue("G_frmTabelle/Left", 15 * 20000);
    gespeichert.setValue("G_frmTabelle/Top", 15 * 20000);
    gespeichert.sync();
    wahl([&](QWidget& d) {
        EXPECT_TRUE(d.screen()->availableGeometry().contains(d.geometry())) << d.geometry().x() << "," << d.geometry().y();
    });
}

// The command a person runs: pictures of the demo and nothing of Qt's offscreen notices on the
// terminal; the command line's messages in German.
TEST_F(HostDienste, BefehlSchreibtBildschirmfotosOhneMeldungenUndSprichtDeutsch) {
    const auto fotos = ordner_ / "befehl";
    int rc = -1;
    std::string fehler = vktest::Ausfuehren(std::string(VK_HOST) + " --db '" + datenbank_.string() + "' --doc '" +
                                            rechnung_.string() + "' --invoice 1 --user 1 --screenshot '" +
                                            fotos.string() + "' 2>&1 >/dev/null", &rc);
    EXPECT_EQ(rc, 0);
    EXPECT_EQ(fehler.find("propagateSizeHints"), std::string::npos) << fehler;
    EXPECT_TRUE(std::filesystem::exists(fotos / "kategorie3.png"));
    fehler = vktest::Ausfuehren(std::string(VK_HOST) + " --user x 2>&1 >/dev/null", &rc);
    EXPECT_EQ(rc, 2);
    EXPECT_EQ(fehler, "vk-host: --user braucht eine ganze Zahl\n");
    const std::string hilfe = vktest::Ausfuehren("QT_QPA_PLATFORM=offscreen " + std::string(VK_HOST) + " --help 2>&1", &rc);
    EXPECT_NE(hilfe.find("Optionen:"), std::string::npos) << hilfe;
}

}  // namespace
}  // namespace vkhost::test
