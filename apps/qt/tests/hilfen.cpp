#include "hilfen.h"

#include <QTimer>

namespace vkhost::test {

void ModalBeantworten(const std::function<void(QWidget&)>& antwort, const std::function<void()>& aktion) {
    bool beantwortet = false;
    QTimer wache;
    wache.setInterval(10);
    QObject::connect(&wache, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || beantwortet) return;
        beantwortet = true;
        QApplication::processEvents();
        antwort(*modal);
    });
    wache.start();
    aktion();
    wache.stop();
    EXPECT_TRUE(beantwortet) << "no modal dialog appeared";
}

QString Meldung(const std::function<void()>& aktion) {
    QString text;
    ModalBeantworten([&](QWidget& w) {
        if (auto* box = qobject_cast<QMessageBox*>(&w)) text = box->text();
        w.close();
    }, aktion);
    return text;
}

void OhneModal(const std::function<void()>& aktion) {
    QTimer wache;
    wache.setInterval(10);
    QObject::connect(&wache, &QTimer::timeout, [] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            ADD_FAILURE() << "unexpected modal dialog " << modal->windowTitle().toStdString();
            modal->close();
        }
    });
    wache.start();
    aktion();
    wache.stop();
}

QAbstractButton* KnopfMitText(QWidget& w, const QString& text) {
    for (QAbstractButton* b : w.findChildren<QAbstractButton*>())
        if (b->text().remove('&') == text) return b;
    return nullptr;
}

void Klick(QWidget& w, const char* name) {
    auto* knopf = w.findChild<QAbstractButton*>(name);
    ASSERT_NE(knopf, nullptr) << name;
    knopf->click();
}

int Befehl(const std::string& argumente) {
    int rc = -1;
    vktest::Ausfuehren(std::string(VK_CLI) + " " + argumente + " >/dev/null 2>&1", &rc);
    return rc;
}

std::string TabellenText(const std::filesystem::path& datei) {
    return vktest::Ausfuehren(std::string(VK_CLI) + " tables '" + datei.string() + "'");
}

void HostTest::SetUp() {
    std::string muster = (std::filesystem::temp_directory_path() / "vk_host_XXXXXX").string();
    ASSERT_NE(::mkdtemp(muster.data()), nullptr);
    ordner_ = muster;
    ASSERT_EQ(Befehl("demo '" + ordner_.string() + "'"), 0);
    datenbank_ = ordner_ / "buero.sqlite";
    vorlage_ = ordner_ / "Vorlage.docx";
    rechnung_ = ordner_ / "Rechnung.docx";
    dienste_ = std::make_unique<QtDienste>();
    fenster_ = std::make_unique<Hauptfenster>(*dienste_);
    fenster_->show();
}

void HostTest::TearDown() {
    fenster_.reset();
    Warten();
    dienste_.reset();
    std::error_code ec;
    std::filesystem::remove_all(ordner_, ec);
}

void HostTest::Öffnen(const std::filesystem::path& dokument) {
    ASSERT_TRUE(fenster_->Öffnen(datenbank_.string(), 1, dokument.string(), 1));
}

std::filesystem::path HostTest::ArbeitÖffnen() {
    const auto arbeit = ordner_ / "Arbeit.docx";
    std::filesystem::copy_file(vorlage_, arbeit);
    Öffnen(arbeit);
    return arbeit;
}

void HostTest::AufTabelleÖffnen(int kategorie) {
    ModalBeantworten([](QWidget& wahl) {
        Klick(wahl, "optTabelle(0)");
        Klick(wahl, "cmdEnde");
    }, [&] { fenster_->KategorieAktion(kategorie)->trigger(); });
    ASSERT_NE(Dialog(), nullptr);
}

void HostTest::Aktivieren() {
    fenster_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(fenster_.get()));
}

QMdiSubWindow* HostTest::Dialog() const {
    const auto liste = fenster_->Bereich()->subWindowList();
    return liste.isEmpty() ? nullptr : liste.back();
}

void HostTest::Warten() {
    for (int i = 0; i < 3; ++i) {
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QApplication::processEvents();
    }
}

}  // namespace vkhost::test
