#include "hauptfenster.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>
#include <QTime>
#include <optional>
#include <set>

#include "bindung/aktion.h"
#include "bindung/formfenster.h"
#include "categories/Kategoriedialog.h"
#include "common/fehler.h"
#include "document/kennungen.h"
#include "common/nachricht.h"
#include "platform/controls/fensterverwaltung.h"
#include "platform/controls/formen.h"
#include "platform/controls/mauszeiger.h"
#include "pruefbericht.h"
#include "protokoll.h"
#include "vorschau.h"

namespace vkhost {

const std::array<const char*, 6> kKategorien = {
    "Teilung / Grenzherstellung (Zerlegung / Sonderung)",
    "Grenzfeststellung und Abmarkungen",
    "Einmessung von Gebäuden",
    "Langgestreckte Anlagen",
    "Grenzbescheinigungen",
    "Gebühren nach Zeitaufwand",
};

namespace {
QString Q(const std::string& s) { return QString::fromStdString(s); }
QSettings HostEinstellungen() { return QSettings(QSettings::IniFormat, QSettings::UserScope, "KalVerwaltung", "vk-host"); }

// The invoice's fee tables (every table but the totals), by index, with their texts.
std::vector<std::pair<long, std::string>> Gebührentabellen(const vk::word::Document& dokument) {
    std::vector<std::pair<long, std::string>> aus;
    const vk::word::Tables tabellen = dokument.Tables();
    for (long i = 1; i <= tabellen.Count(); ++i) {
        const vk::word::Table t = tabellen.Item(i);
        bool summe = false;
        for (vk::word::Comment c : t.Range().Comments()) summe = summe || c.Text() == vk::kennung::Summe;
        if (!summe) aus.emplace_back(i, t.Range().Text());
    }
    return aus;
}
}  // namespace

int BenutzerAusEinstellung() { return HostEinstellungen().value("Benutzer", 1).toInt(); }
void BenutzerEinstellen(int id) { HostEinstellungen().setValue("Benutzer", id); }

Hauptfenster::Hauptfenster(QtDienste& dienste, QWidget* eltern) : QMainWindow(eltern), dienste_(dienste) {
    setObjectName("Hauptfenster");
    bereich_ = new QMdiArea;
    bereich_->setObjectName("Bereich");
    vorschau_ = new vkhost::Vorschau;
    auto* teiler = new QSplitter;
    teiler->addWidget(bereich_);
    teiler->addWidget(vorschau_);
    teiler->setStretchFactor(0, 3);
    teiler->setStretchFactor(1, 2);
    teiler->setSizes({760, 520});
    setCentralWidget(teiler);
    host_ = dienste_.fenster->HostRegistrieren(bereich_);
    MenüsAnlegen();
    speicherstand_ = new QLabel;
    speicherstand_->setObjectName("Speicherstand");
    speicherstand_->setTextFormat(Qt::RichText);
    connect(speicherstand_, &QLabel::linkActivated, this, [this] { ProtokollZeigen(this); });
    statusBar()->addPermanentWidget(speicherstand_);
    sitzung_.BenutzerSetzen(BenutzerAusEinstellung());
    TitelSetzen();
    resize(1280, 800);

    FehlerMelden([this](const std::string& text) { Melden(Q(text)); });
    // A confirmation's changes to the invoice record wait for the invoice to be saved. Only a
    // confirmation holds the database's write lock, and only while it writes and saves: never while
    // a person looks at a message box.
    VorJederAktion([this](Aktionsart art) {
        if (art != Aktionsart::Bestätigen) return;
        try {
            sitzung_.TransaktionBeginnen();
        } catch (const vk::LaufzeitFehler& f) {
            NichtGespeichert(f);
            throw;
        }
        BestätigungVormerken();
    });
    NachJederAktion([this] { NachAktion(); });
}

Hauptfenster::~Hauptfenster() {
    VorJederAktion({});
    NachJederAktion({});
    FehlerMelden([](const std::string&) {});
    vk::ui::Formen::AlleEntladen();
}

void Hauptfenster::MenüsAnlegen() {
    QMenu* datei = menuBar()->addMenu("&Datei");
    datei->addAction("&Datenbank öffnen…", this, &Hauptfenster::DatenbankWählen);
    datei->addAction("Datenbank auf dem &Server öffnen…", this, &Hauptfenster::DatenbankAufServerWählen);
    datei->addAction("&Rechnung öffnen…", QKeySequence::Open, this, &Hauptfenster::DokumentWählen);
    datei->addAction("&Speichern", QKeySequence::Save, this, &Hauptfenster::Speichern);
    datei->addSeparator();
    datei->addAction("&Beenden", QKeySequence::Quit, this, &QWidget::close);

    QMenu* gebühren = menuBar()->addMenu("&Gebühren");
    for (int i = 0; i < 6; ++i) {
        QAction* a = gebühren->addAction(QString::fromUtf8(kKategorien[static_cast<std::size_t>(i)]),
                                         this, [this, i] { KategorieÖffnen(i); });
        a->setObjectName(QString("Kategorie%1").arg(i));
        kategorieAktionen_[static_cast<std::size_t>(i)] = a;
    }

    QMenu* fenster = menuBar()->addMenu("&Fenster");
    fenster->addAction("Über&lappend", bereich_, &QMdiArea::cascadeSubWindows);
    fenster->addAction("&Nebeneinander", bereich_, &QMdiArea::tileSubWindows);

    QMenu* extras = menuBar()->addMenu("E&xtras");
    protokollAktion_ = extras->addAction("&Fehlerprotokoll…", this, [this] { ProtokollZeigen(this); });
    protokollAktion_->setObjectName("Fehlerprotokoll");
    prüfenAktion_ = extras->addAction("Rechnung &prüfen…", this, &Hauptfenster::RechnungPrüfen);
    prüfenAktion_->setObjectName("RechnungPruefen");
}

void Hauptfenster::RechnungPrüfen() {
    if (const std::string fehlt = sitzung_.Fehlt(); !fehlt.empty()) {
        QMessageBox::information(this, "Rechnung prüfen", Q(fehlt));
        return;
    }
    // The check opens each category on its table itself: a dialog the person has open is that one
    // instance, and it would be closed without asking.
    for (vk::ui::Form* f : vk::ui::Formen::Alle())
        if (f->Geladen() && f->Name() != "G_frmTabelle") {
            QMessageBox::information(this, "Rechnung prüfen",
                                     "Bitte zuerst die offenen Gebührendialoge bestätigen oder abbrechen.");
            return;
        }
    // The check's own dialogs run without windows, pointer or messages on the screen, and the host
    // does not take them for a person's confirmation.
    vk::ui::FensterverwaltungSetzen(nullptr);
    vk::ui::BildschirmSetzen(nullptr);
    vk::NachrichtenDienstSetzen(nullptr);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    std::optional<vk::Prüfbericht> bericht;
    QString fehler;
    try {
        bericht = sitzung_.Prüfen();
    } catch (const vk::LaufzeitFehler& f) {
        fehler = Q(f.Beschreibung());
    }
    QApplication::restoreOverrideCursor();
    vk::NachrichtenDienstSetzen(dienste_.nachrichten);
    vk::ui::BildschirmSetzen(dienste_.bildschirm);
    vk::ui::FensterverwaltungSetzen(dienste_.fenster);
    if (!bericht) {
        QMessageBox::warning(this, "Rechnung prüfen", "Die Rechnung kann nicht geprüft werden:\n" + fehler);
        return;
    }
    VorschauAktualisieren();
    vorschau_->TabellenMarkieren(AbweichendeTabellen(*bericht));
    Melden(bericht->Stimmt() ? "Rechnung geprüft: sie stimmt." : "Rechnung geprüft: sie weicht ab.");
    PrüfberichtZeigen(this, *bericht);
}

bool Hauptfenster::Öffnen(const std::string& datenbank, int rechnung, const std::string& dokument, int benutzer) {
    vk::ui::Formen::AlleEntladen();
    std::string hinweis;
    try {
        sitzung_.BenutzerSetzen(benutzer);
        sitzung_.DatenbankÖffnen(datenbank);
        sitzung_.RechnungWählen(rechnung);
        hinweis = sitzung_.DokumentÖffnen(dokument);
    } catch (const vk::LaufzeitFehler& f) {
        Melden(Q(f.Beschreibung()));
        TitelSetzen();
        return false;
    }
    gespeichert_ = sitzung_.Fingerabdruck();
    speicherstand_->clear();
    VorschauAktualisieren();
    TitelSetzen();
    Melden(hinweis.empty() ? "Rechnung geöffnet: " + Q(dokument) : Q(hinweis));
    return true;
}

void Hauptfenster::DatenbankWählen() {
    DatenbankÜbernehmen(
        QFileDialog::getOpenFileName(this, "Datenbank öffnen", {}, "Bürodatenbank (*.sqlite *.db);;Alle Dateien (*)"));
}

// The office database on a PostgreSQL server, by its address; the password comes from PGPASSWORD
// or ~/.pgpass, never from this field.
void Hauptfenster::DatenbankAufServerWählen() {
    DatenbankÜbernehmen(QInputDialog::getText(this, "Datenbank auf dem Server öffnen",
                                              "Adresse (postgresql://benutzer@server:5432/datenbank):", QLineEdit::Normal,
                                              "postgresql://"));
}

void Hauptfenster::DatenbankÜbernehmen(const QString& pfad) {
    if (pfad.isEmpty() || pfad == "postgresql://") return;
    vk::ui::Formen::AlleEntladen();
    try {
        sitzung_.DatenbankÖffnen(pfad.toStdString());
    } catch (const vk::LaufzeitFehler& f) {
        QMessageBox::warning(this, "Datenbank öffnen", Q(f.Beschreibung()));
        return;
    }
    RechnungAuswählen();
    TitelSetzen();
}

bool Hauptfenster::RechnungAuswählen() {
    std::vector<Rechnungszeile> zeilen;
    try {
        zeilen = sitzung_.Rechnungen();
    } catch (const vk::LaufzeitFehler& f) {
        QMessageBox::warning(this, "Rechnung wählen", Q(f.Beschreibung()));
        return false;
    }
    if (zeilen.empty()) {
        QMessageBox::information(this, "Rechnung wählen", "Die Datenbank enthält keine Rechnung.");
        return false;
    }
    QStringList einträge;
    for (const Rechnungszeile& z : zeilen) einträge << QString("%1 – %2").arg(z.id).arg(Q(z.nummer));
    bool ok = false;
    const QString wahl = QInputDialog::getItem(this, "Rechnung wählen", "Rechnung:", einträge, 0, false, &ok);
    if (!ok) return false;
    try {
        sitzung_.RechnungWählen(zeilen[static_cast<std::size_t>(einträge.indexOf(wahl))].id);
    } catch (const vk::LaufzeitFehler& f) {
        QMessageBox::warning(this, "Rechnung wählen", Q(f.Beschreibung()));
        return false;
    }
    return true;
}

void Hauptfenster::DokumentWählen() {
    const QString pfad = QFileDialog::getOpenFileName(this, "Rechnung öffnen", {}, "Rechnung (*.docx)");
    if (pfad.isEmpty()) return;
    vk::ui::Formen::AlleEntladen();
    std::string hinweis;
    try {
        hinweis = sitzung_.DokumentÖffnen(pfad.toStdString());
    } catch (const vk::LaufzeitFehler& f) {
        QMessageBox::warning(this, "Rechnung öffnen", Q(f.Beschreibung()));
        return;
    }
    if (!hinweis.empty()) QMessageBox::information(this, "Rechnung öffnen", Q(hinweis));
    gespeichert_ = sitzung_.Fingerabdruck();
    speicherstand_->clear();
    VorschauAktualisieren();
    TitelSetzen();
}

void Hauptfenster::KategorieÖffnen(int index) {
    const std::string fehlt = sitzung_.Fehlt();
    if (!fehlt.empty()) {
        Melden(Q(fehlt));
        return;
    }
    const int vorher = dienste_.fenster->Hervorgeholt();
    std::string fehler;
    Ausführen([&] {
        try {
            sitzung_.KategorieZeigen(index, host_);
        } catch (const vk::LaufzeitFehler& f) {
            fehler = f.Beschreibung();
        }
    });
    if (!fehler.empty()) {
        QMessageBox::warning(this, QString::fromUtf8(kKategorien[static_cast<std::size_t>(index)]), Q(fehler));
        return;
    }
    // A form that opened without making itself a child of the host still belongs in the area.
    for (vk::ui::Form* f : vk::ui::Formen::Alle())
        if (f->Geladen() && f->Visible() && f->Name() != "G_frmTabelle") dienste_.fenster->Aufnehmen(*f, host_);
    // Every form shown comes forward through the window manager: nothing came, no dialog opened.
    if (dienste_.fenster->Hervorgeholt() == vorher) {
        Melden(QString("Die Kategorie „%1“ hat noch keinen Dialog.").arg(QString::fromUtf8(kKategorien[static_cast<std::size_t>(index)])));
        return;
    }
    // A dialog that opened on its table: the preview shows that table.
    if (vk::Kategoriedialog* dialog = AktiverDialog(); dialog && !dialog->FormTabelle().IstNothing() && sitzung_.Dokument()) {
        const vk::word::Tables tabellen = sitzung_.Dokument()->Tables();
        for (long i = 1; i <= tabellen.Count(); ++i)
            if (dialog->FormTabelle().IsSame(tabellen.Item(i))) vorschau_->TabelleZeigen(i);
    }
}

vk::Kategoriedialog* Hauptfenster::AktiverDialog() const {
    QMdiSubWindow* sub = bereich_->activeSubWindow();
    auto* fenster = sub ? qobject_cast<FormFenster*>(sub->widget()) : nullptr;
    return fenster ? dynamic_cast<vk::Kategoriedialog*>(fenster->Form()) : nullptr;
}

void Hauptfenster::Speichern() { Sichern(); }

void Hauptfenster::NichtGespeichert(const vk::LaufzeitFehler& grund) {
    QMessageBox::critical(this, "Speichern",
                          "Die Rechnung wurde nicht gespeichert; Datei und Rechnungsbeträge der Datenbank bleiben, "
                          "wie sie waren:\n" + Q(grund.Beschreibung()));
}

bool Hauptfenster::Sichern() {
    try {
        sitzung_.Speichern();
    } catch (const vk::LaufzeitFehler& f) {
        NichtGespeichert(f);
        return false;
    }
    gespeichert_ = sitzung_.Fingerabdruck();
    VorschauAktualisieren();
    const QString datei = Q(sitzung_.Dokument()->Path().filename().string());
    speicherstand_->setText(QString("%1 gespeichert, %2").arg(datei.toHtmlEscaped(), QTime::currentTime().toString("hh:mm")));
    speicherstand_->setToolTip(Q(sitzung_.Dokument()->Path().string()));
    return true;
}

void Hauptfenster::BestätigungVormerken() {
    protokollStand_ = ProtokollStand();
    tabellenVorher_.clear();
    rangVorher_ = -1;
    if (!sitzung_.Dokument()) return;
    // The dialog being confirmed is the active one; its own table is the one it replaces.
    vk::word::Table eigene;
    if (vk::Kategoriedialog* dialog = AktiverDialog()) eigene = dialog->FormTabelle();
    for (const auto& [index, text] : Gebührentabellen(*sitzung_.Dokument())) {
        if (!eigene.IstNothing() && eigene.IsSame(sitzung_.Dokument()->Tables().Item(index)))
            rangVorher_ = static_cast<long>(tabellenVorher_.size());
        tabellenVorher_.push_back(text);
    }
}

long Hauptfenster::GeschriebeneTabelle() const {
    if (!sitzung_.Dokument()) return 0;
    const auto nachher = Gebührentabellen(*sitzung_.Dokument());
    // The first fee table whose text was not there before; confirmed unchanged, the dialog's own.
    std::multiset<std::string> vorher(tabellenVorher_.begin(), tabellenVorher_.end());
    for (const auto& [index, text] : nachher) {
        const auto gleich = vorher.find(text);
        if (gleich == vorher.end()) return index;
        vorher.erase(gleich);
    }
    if (rangVorher_ >= 0 && rangVorher_ < static_cast<long>(nachher.size())) return nachher[static_cast<std::size_t>(rangVorher_)].first;
    return 0;
}

void Hauptfenster::NachAktion() {
    dienste_.fenster->Prüfen();
    const int entladungen = dienste_.fenster->Entladungen();
    const int sanduhren = dienste_.bildschirm->Sanduhren();
    // A dialog that closed after writing (the hourglass of "&OK", or a changed invoice) was confirmed.
    const bool geschlossen = entladungen != entladungen_;
    const bool geschrieben = sanduhren != sanduhren_;
    entladungen_ = entladungen;
    sanduhren_ = sanduhren;
    if (geschlossen && sitzung_.Dokument() && (geschrieben || sitzung_.Fingerabdruck() != gespeichert_) && Sichern())
        vorschau_->TabelleZeigen(GeschriebeneTabelle());
    sitzung_.TransaktionBeenden();
    if (protokollStand_ < 0) return;
    // What the confirmation logged: said where the person looks after saving, with the way to it.
    if (const int neu = ProtokollNeueEinträge(protokollStand_); neu > 0) {
        const QString hinweis = QString("<a href=\"protokoll\">%1 im Fehlerprotokoll</a>")
                                    .arg(neu == 1 ? QString("1 neuer Eintrag") : QString("%1 neue Einträge").arg(neu));
        const QString bisher = speicherstand_->text();
        speicherstand_->setText(bisher.isEmpty() || !geschlossen ? hinweis : bisher + " · " + hinweis);
    }
    protokollStand_ = -1;
}

void Hauptfenster::VorschauAktualisieren() {
    if (!sitzung_.Dokument()) {
        vorschau_->Leeren();
        return;
    }
    try {
        vorschau_->Anzeigen(*sitzung_.Dokument());
    } catch (const vk::LaufzeitFehler& f) {
        vorschau_->Leeren(Q(f.Beschreibung()));
    }
}

void Hauptfenster::Melden(const QString& text) { statusBar()->showMessage(text, 10000); }

void Hauptfenster::TitelSetzen() {
    QString titel = "vk-host";
    if (sitzung_.Dokument()) titel += " – " + Q(sitzung_.Dokument()->Path().filename().string());
    if (sitzung_.RechnungsId()) titel += QString(" (Rechnung %1, Benutzer %2)").arg(sitzung_.RechnungsId()).arg(sitzung_.Benutzer());
    setWindowTitle(titel);
}

void Hauptfenster::closeEvent(QCloseEvent* e) {
    // Open dialogs close as with "&Abbruch"; every confirmation is saved already.
    vk::ui::Formen::AlleEntladen();
    dienste_.fenster->Prüfen();
    QMainWindow::closeEvent(e);
}

}  // namespace vkhost
