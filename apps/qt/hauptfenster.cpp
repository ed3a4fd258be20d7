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
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>
#include <QTime>
#include <QTimer>
#include <filesystem>
#include <optional>
#include <set>

#include "bindung/aktion.h"
#include "dienste/tabellenwahl.h"
#include "bindung/formfenster.h"
#include "categories/Kategoriedialog.h"
#include "common/fehler.h"
#include "document/kennungen.h"
#include "common/nachricht.h"
#include "platform/controls/fensterverwaltung.h"
#include "platform/controls/formen.h"
#include "platform/controls/mauszeiger.h"
#include "eingabestand.h"
#include "platform/dao/dao.h"
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
    // Dialogs that do not fit beside each other are scrolled to: the area never asks for more room
    // than the window has (without scroll bars it would widen the window beyond the screen).
    bereich_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    bereich_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
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
    // The preview of a large invoice is set on a thread of its own: how far it is, after half a second.
    aufbau_ = new QProgressBar;
    aufbau_->setObjectName("Vorschauaufbau");
    aufbau_->setRange(0, 100);
    aufbau_->setFormat("Vorschau %p %");
    aufbau_->setMaximumWidth(180);
    aufbau_->hide();
    statusBar()->addPermanentWidget(aufbau_);
    connect(vorschau_, &vkhost::Vorschau::Aufbau, this, [this](int prozent) {
        aufbau_->setValue(prozent);
        if (prozent >= 100) {
            aufbau_->hide();
            return;
        }
        if (prozent == 0) QTimer::singleShot(500, aufbau_, [this] { aufbau_->setVisible(!vorschau_->Fertig()); });
    });
    sitzung_.BenutzerSetzen(BenutzerAusEinstellung());
    TitelSetzen();
    // The first window fits its screen at any scale factor.
    const QRect frei = screen()->availableGeometry();
    resize(QSize(1280, 800).boundedTo(frei.size() * 9 / 10));

    FehlerMelden([this](const std::string& text) { Melden(Q(text)); });
    // A confirmation's changes to the invoice record wait for the invoice to be saved. Only a
    // confirmation holds the database's write lock, and only while it writes and saves: never while
    // a person looks at a message box.
    VorJederAktion([this](Aktionsart art) {
        if (art != Aktionsart::Bestätigen) return true;
        // An invoice a word processor saved meanwhile is confirmed in that version, never overwritten.
        if (!AußenGeändertÜbernehmen()) return false;
        try {
            sitzung_.TransaktionBeginnen();
        } catch (const vk::LaufzeitFehler& f) {
            NichtGespeichert(f);
            throw;
        }
        BestätigungVormerken();
        return true;
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
    eRechnungAktion_ = datei->addAction("&E-Rechnung speichern…", this, &Hauptfenster::ERechnungSpeichern);
    eRechnungAktion_->setObjectName("ERechnungSpeichern");
    DateiMenüErgänzen(datei);
    datei->addSeparator();
    // Ctrl+Q whatever the platform's own binding for quitting (some have none).
    datei->addAction("&Beenden", QKeySequence(Qt::CTRL | Qt::Key_Q), this, &QWidget::close);

    QMenu* bearbeiten = menuBar()->addMenu("&Bearbeiten");
    rückgängigAktion_ = bearbeiten->addAction("&Rückgängig", QKeySequence(Qt::CTRL | Qt::Key_Z), this, &Hauptfenster::RückgängigMachen);
    rückgängigAktion_->setObjectName("Rueckgaengig");
    RückgängigAnzeigen();

    QMenu* gebühren = menuBar()->addMenu("&Gebühren");
    for (int i = 0; i < 6; ++i) {
        // From the keyboard: Alt+G and the digit, or Ctrl and the digit.
        QAction* a = gebühren->addAction(QString("&%1  %2").arg(i + 1).arg(QString::fromUtf8(kKategorien[static_cast<std::size_t>(i)])),
                                         this, [this, i] { KategorieÖffnen(i); });
        a->setShortcut(QKeySequence(Qt::CTRL | static_cast<Qt::Key>(Qt::Key_1 + i)));
        a->setObjectName(QString("Kategorie%1").arg(i));
        kategorieAktionen_[static_cast<std::size_t>(i)] = a;
    }

    QMenu* ansicht = menuBar()->addMenu("&Ansicht");
    QAction* größer = ansicht->addAction("Vorschau &vergrößern", this, [this] { vorschau_->Zoomen(1); });
    größer->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    ansicht->addAction("Vorschau ver&kleinern", QKeySequence(Qt::CTRL | Qt::Key_Minus), this, [this] { vorschau_->Zoomen(-1); });
    ansicht->addAction("Vorschau auf &Seitenbreite", QKeySequence(Qt::CTRL | Qt::Key_0), this, [this] { vorschau_->ZoomZurücksetzen(); });

    QMenu* fenster = menuBar()->addMenu("&Fenster");
    fenster->addAction("Über&lappend", bereich_, &QMdiArea::cascadeSubWindows);
    fenster->addAction("&Nebeneinander", bereich_, &QMdiArea::tileSubWindows);

    QMenu* extras = menuBar()->addMenu("E&xtras");
    protokollAktion_ = extras->addAction("&Fehlerprotokoll…", this, [this] { ProtokollZeigen(this); });
    protokollAktion_->setObjectName("Fehlerprotokoll");
    prüfenAktion_ = extras->addAction("Rechnung &prüfen…", this, &Hauptfenster::RechnungPrüfen);
    prüfenAktion_->setObjectName("RechnungPruefen");
    extras->addSeparator();
    extras->addAction("&LibreOffice festlegen…", this, &Hauptfenster::LibreOfficeFestlegen);
}

void Hauptfenster::RechnungPrüfen() {
    if (const std::string fehlt = sitzung_.Fehlt(); !fehlt.empty()) {
        QMessageBox::information(this, "Rechnung prüfen", Q(fehlt));
        return;
    }
    // The check reads the file: the preview shows the same version.
    if (!AußenGeändertÜbernehmen()) return;
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

void Hauptfenster::ERechnungSpeichern() {
    if (const std::string fehlt = sitzung_.Fehlt(); !fehlt.empty()) {
        QMessageBox::information(this, "E-Rechnung speichern", Q(fehlt));
        return;
    }
    QString vorschlag = Q(sitzung_.Dokument()->Path().string());
    vorschlag = vorschlag.left(vorschlag.lastIndexOf('.')) + ".xml";
    const QString ziel = QFileDialog::getSaveFileName(this, "E-Rechnung speichern", vorschlag, "XRechnung (*.xml)", nullptr,
                                                      QFileDialog::DontUseNativeDialog);
    if (ziel.isEmpty()) return;
    std::vector<std::string> mängel;
    try {
        mängel = sitzung_.ERechnungSchreiben(ziel.toStdString());
    } catch (const vk::LaufzeitFehler& f) {
        QMessageBox::warning(this, "E-Rechnung speichern", "Die E-Rechnung kann nicht geschrieben werden:\n" + Q(f.Beschreibung()));
        return;
    }
    if (!mängel.empty()) {
        QString text = "Die E-Rechnung wurde nicht geschrieben; es fehlt oder stimmt nicht:";
        for (const std::string& m : mängel) text += "\n• " + Q(m);
        QMessageBox::warning(this, "E-Rechnung speichern", text);
        return;
    }
    Melden("E-Rechnung gespeichert: " + ziel);
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
    rückgängig_.Leeren();
    RückgängigAnzeigen();
    VorschauAktualisieren();
    TitelSetzen();
    ZuletztMerkenWennVollständig();
    Melden(hinweis.empty() ? "Rechnung geöffnet: " + Q(dokument) : Q(hinweis));
    return true;
}

void Hauptfenster::DatenbankWählen() {
    if (!UnbestätigteVerwerfen("Mit einer anderen Datenbank")) return;
    DatenbankÜbernehmen(
        QFileDialog::getOpenFileName(this, "Datenbank öffnen", {}, "Bürodatenbank (*.sqlite *.db);;Alle Dateien (*)"));
}

// The office database on a PostgreSQL server, by its address; the password comes from PGPASSWORD
// or ~/.pgpass, never from this field.
void Hauptfenster::DatenbankAufServerWählen() {
    if (!UnbestätigteVerwerfen("Mit einer anderen Datenbank")) return;
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
    if (!UnbestätigteVerwerfen("Mit einer anderen Rechnung")) return;
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
    rückgängig_.Leeren();
    RückgängigAnzeigen();
    VorschauAktualisieren();
    TitelSetzen();
    ZuletztMerkenWennVollständig();
}

void Hauptfenster::KategorieÖffnen(int index) {
    const std::string fehlt = sitzung_.Fehlt();
    if (!fehlt.empty()) {
        Melden(Q(fehlt));
        return;
    }
    const int vorher = dienste_.fenster->Hervorgeholt();
    std::set<vk::ui::Form*> geladen;
    for (vk::ui::Form* f : vk::ui::Formen::Alle())
        if (f->Geladen()) geladen.insert(f);
    TabellenwahlAbgebrochen();
    // A dialog that cannot open as it must (the user's settings unreadable) says why.
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
    // The table choice closed without a choice: the dialog it was asked for does not stay.
    if (TabellenwahlAbgebrochen()) {
        for (vk::ui::Form* f : vk::ui::Formen::Alle())
            if (f->Geladen() && !geladen.count(f)) Ausführen([&] { f->Unload(); });
        dienste_.fenster->Prüfen();
        Melden("Tabellenwahl abgebrochen.");
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
    for (vk::ui::Form* f : vk::ui::Formen::Alle())
        if (f->Geladen() && !geladen.count(f)) eingabenBeimÖffnen_[f] = Eingabestand(*f);
    // The keys go to the dialog's first field.
    if (QMdiSubWindow* sub = bereich_->activeSubWindow()) {
        activateWindow();
        if (auto* f = qobject_cast<FormFenster*>(sub->widget())) f->ErstesFeldFokussieren();
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
    // What to put back should this confirmation be undone: the invoice as saved and its record.
    if (sitzung_.Fingerabdruck() == gespeichert_) {
        vk::Kategoriedialog* dialog = AktiverDialog();
        try {
            rückgängig_.Vormerken(dialog ? Q(dialog->Caption()) : QString("Bestätigung"), sitzung_.StandMerken());
        } catch (const vk::LaufzeitFehler&) {
            rückgängig_.Verwerfen();
        }
    }
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
    if (geschlossen && sitzung_.Dokument() && (geschrieben || sitzung_.Fingerabdruck() != gespeichert_) && Sichern()) {
        vorschau_->TabelleZeigen(GeschriebeneTabelle());
        rückgängig_.Übernehmen();
    } else {
        rückgängig_.Verwerfen();
    }
    RückgängigAnzeigen();
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

bool Hauptfenster::AußenGeändertÜbernehmen() {
    if (!sitzung_.DateiAußenGeändert()) return true;
    const QString datei = Q(sitzung_.Dokument()->Path().filename().string());
    if (sitzung_.Fingerabdruck() != gespeichert_) {
        QMessageBox frage(QMessageBox::Warning, "Rechnung außerhalb geändert",
                          QString("%1 wurde außerhalb dieses Programms geändert, und eine Änderung hier ist nicht "
                                  "gespeichert. Die Datei neu laden und die Änderung hier verwerfen?").arg(datei),
                          QMessageBox::NoButton, this);
        QPushButton* laden = frage.addButton("Neu laden", QMessageBox::AcceptRole);
        frage.addButton("Abbrechen", QMessageBox::RejectRole);
        frage.exec();
        if (frage.clickedButton() != laden) return false;
    }
    try {
        sitzung_.DokumentNeuLaden();
    } catch (const vk::LaufzeitFehler& f) {
        QMessageBox::warning(this, "Rechnung außerhalb geändert",
                             datei + " wurde außerhalb geändert und kann nicht gelesen werden:\n" + Q(f.Beschreibung()));
        return false;
    }
    gespeichert_ = sitzung_.Fingerabdruck();
    // An earlier version put back would undo the edit made outside: no step before it is offered.
    rückgängig_.Leeren();
    RückgängigAnzeigen();
    VorschauAktualisieren();
    speicherstand_->setText(QString("%1 außerhalb geändert und neu geladen, %2")
                                .arg(datei.toHtmlEscaped(), QTime::currentTime().toString("hh:mm")));
    Melden(datei + " wurde außerhalb geändert und neu geladen.");
    return true;
}

void Hauptfenster::changeEvent(QEvent* e) {
    QMainWindow::changeEvent(e);
    // Back at the window: what a word processor saved meanwhile is shown.
    if (e->type() == QEvent::ActivationChange && isActiveWindow() && !QApplication::activeModalWidget() && !AktionLäuft() &&
        sitzung_.Dokument())
        AußenGeändertÜbernehmen();
}

void Hauptfenster::RückgängigAnzeigen() {
    const Rückgängig::Schritt* letzter = rückgängig_.Letzter();
    rückgängigAktion_->setEnabled(letzter != nullptr);
    rückgängigAktion_->setText(letzter ? "&Rückgängig: " + letzter->titel : QString("&Rückgängig"));
}

void Hauptfenster::RückgängigMachen() {
    const Rückgängig::Schritt* letzter = rückgängig_.Letzter();
    if (!letzter || !sitzung_.Dokument()) return;
    if (sitzung_.DateiAußenGeändert() &&
        QMessageBox::question(this, "Rückgängig",
                              "Die Rechnung wurde außerhalb geändert. Rückgängig stellt die Fassung vor der letzten "
                              "Bestätigung wieder her und verwirft diese Änderung. Fortfahren?") != QMessageBox::Yes)
        return;
    const QString titel = letzter->titel;
    try {
        sitzung_.StandWiederherstellen(letzter->stand);
    } catch (const vk::LaufzeitFehler& f) {
        QMessageBox::critical(this, "Rückgängig",
                              "Die Bestätigung wurde nicht rückgängig gemacht; Datei und Rechnungsbeträge bleiben, wie sie "
                              "sind:\n" + Q(f.Beschreibung()));
        return;
    }
    rückgängig_.Entnehmen();
    RückgängigAnzeigen();
    gespeichert_ = sitzung_.Fingerabdruck();
    VorschauAktualisieren();
    const QString datei = Q(sitzung_.Dokument()->Path().filename().string());
    speicherstand_->setText(QString("%1: %2 rückgängig gemacht, %3")
                                .arg(datei.toHtmlEscaped(), titel.toHtmlEscaped(), QTime::currentTime().toString("hh:mm")));
    Melden(QString("Rückgängig: %1. Rechnung und Rechnungsbeträge sind wie vor der Bestätigung.").arg(titel));
}

void Hauptfenster::Melden(const QString& text) { statusBar()->showMessage(text, 10000); }

void Hauptfenster::TitelSetzen() {
    // The invoice and its folder, the database, then the program: "Rechnung.docx (/büro/2026) –
    // buero.sqlite, Rechnung 1, Benutzer 1 – vk-host".
    QStringList teile;
    if (sitzung_.Dokument()) {
        std::error_code ec;
        const std::filesystem::path pfad = std::filesystem::absolute(sitzung_.Dokument()->Path(), ec);
        teile << QString("%1 (%2)").arg(Q(pfad.filename().string()), Q(pfad.parent_path().string()));
    }
    if (!sitzung_.DatenbankPfad().empty()) {
        const std::string& db = sitzung_.DatenbankPfad();
        QString datenbank = vk::dao::IstServerAdresse(db) ? Q(vk::dao::OhnePasswort(db)) : Q(std::filesystem::path(db).filename().string());
        if (sitzung_.RechnungsId()) datenbank += QString(", Rechnung %1, Benutzer %2").arg(sitzung_.RechnungsId()).arg(sitzung_.Benutzer());
        teile << datenbank;
    }
    teile << "vk-host";
    setWindowTitle(teile.join(" – "));
}

QStringList Hauptfenster::UnbestätigteDialoge() const {
    QStringList dialoge;
    for (const vk::ui::Form* f : vk::ui::Formen::Alle()) {
        auto beim = eingabenBeimÖffnen_.find(f);
        if (f->Geladen() && f->Visible() && beim != eingabenBeimÖffnen_.end() && beim->second != Eingabestand(*f))
            dialoge << QString::fromStdString(f->Caption());
    }
    return dialoge;
}

bool Hauptfenster::UnbestätigteVerwerfen(const QString& wozu) {
    const QStringList offen = UnbestätigteDialoge();
    if (offen.isEmpty()) return true;
    QMessageBox frage(QMessageBox::Question, "vk-host",
                      (offen.size() == 1 ? QString("Der Dialog „%1“ hat Eingaben, die nicht bestätigt sind.")
                                         : QString("Die Dialoge „%1“ haben Eingaben, die nicht bestätigt sind."))
                              .arg(offen.join("“, „")) +
                          "\n" + wozu + " gehen sie verloren.",
                      QMessageBox::NoButton, this);
    QPushButton* weiter = frage.addButton("Verwerfen", QMessageBox::DestructiveRole);
    QPushButton* zurück = frage.addButton("Zurück zum Dialog", QMessageBox::RejectRole);
    frage.setDefaultButton(zurück);
    frage.setEscapeButton(zurück);
    frage.exec();
    return frage.clickedButton() == weiter;
}

void Hauptfenster::closeEvent(QCloseEvent* e) {
    // Edits in an open dialog that were not confirmed are lost with it: asked first.
    if (!UnbestätigteVerwerfen()) {
        e->ignore();
        return;
    }
    // Open dialogs close as with "&Abbruch"; every confirmation is saved already.
    vk::ui::Formen::AlleEntladen();
    dienste_.fenster->Prüfen();
    QMainWindow::closeEvent(e);
}

}  // namespace vkhost
