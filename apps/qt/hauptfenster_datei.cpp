// The main window's ways with invoice files beyond opening and saving: the invoices opened last, a
// new invoice from the office's template, and the invoice as the word processor prints it (a PDF
// file, or on a printer) through LibreOffice.
#include <QApplication>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPrinterInfo>
#include <QProgressDialog>
#include <QSettings>
#include <QStatusBar>
#include <QTimer>
#include <atomic>
#include <filesystem>
#include <thread>

#include "common/fehler.h"
#include "common/systemfehler.h"
#include "document/Druck.h"
#include "hauptfenster.h"
#include "platform/controls/formen.h"
#include "zuletzt.h"

namespace vkhost {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }
QSettings Einstellungen() { return QSettings(QSettings::IniFormat, QSettings::UserScope, "KalVerwaltung", "vk-host"); }
std::string LibreOfficeEinstellung() { return Einstellungen().value("LibreOffice").toString().toStdString(); }

}  // namespace

void Hauptfenster::DateiMenüErgänzen(QMenu* datei) {
    datei->addAction("&Neue Rechnung aus Vorlage…", QKeySequence::New, this, &Hauptfenster::NeueRechnungAusVorlage);
    zuletztMenü_ = datei->addMenu("&Zuletzt geöffnet");
    zuletztMenü_->setObjectName("Zuletzt");
    connect(zuletztMenü_, &QMenu::aboutToShow, this, &Hauptfenster::ZuletztAnzeigen);
    ZuletztAnzeigen();
    datei->addSeparator();
    datei->addAction("Als &PDF speichern…", this, &Hauptfenster::PdfWählen);
    datei->addAction("&Drucken…", QKeySequence::Print, this, &Hauptfenster::DruckerWählen);
}

void Hauptfenster::ZuletztAnzeigen() {
    zuletztMenü_->clear();
    const std::vector<ZuletztGeöffnet> liste = ZuletztLesen();
    zuletztMenü_->setEnabled(!liste.empty());
    int nummer = 0;
    for (const ZuletztGeöffnet& e : liste) {
        const QFileInfo datei(e.dokument);
        const QString text = QString("&%1  %2 (%3) – %4, Rechnung %5")
                                 .arg(++nummer)
                                 .arg(datei.fileName(), datei.absolutePath(), QFileInfo(e.datenbank).fileName())
                                 .arg(e.rechnung);
        zuletztMenü_->addAction(text, this, [this, e] {
            if (!UnbestätigteVerwerfen("Mit einer anderen Rechnung")) return;
            Öffnen(e.datenbank.toStdString(), e.rechnung, e.dokument.toStdString(), sitzung_.Benutzer());
        });
    }
}

void Hauptfenster::ZuletztMerkenWennVollständig() {
    if (sitzung_.DatenbankPfad().empty() || !sitzung_.RechnungsId() || !sitzung_.Dokument()) return;
    std::error_code ec;
    const std::string dokument = std::filesystem::absolute(sitzung_.Dokument()->Path(), ec).string();
    std::string datenbank = sitzung_.DatenbankPfad();
    if (!vk::dao::IstServerAdresse(datenbank)) datenbank = std::filesystem::absolute(datenbank, ec).string();
    ZuletztMerken({Q(datenbank), sitzung_.RechnungsId(), Q(dokument)});
}

void Hauptfenster::NeueRechnungAusVorlage() {
    if (!UnbestätigteVerwerfen("Mit einer neuen Rechnung")) return;
    QSettings s = Einstellungen();
    const QString vorlage = QFileDialog::getOpenFileName(this, "Vorlage der Rechnung", s.value("Vorlage").toString(),
                                                         "Rechnungsvorlage (*.docx)");
    if (vorlage.isEmpty()) return;
    s.setValue("Vorlage", vorlage);
    const QString ziel = QFileDialog::getSaveFileName(this, "Neue Rechnung speichern unter",
                                                      QFileInfo(vorlage).absolutePath() + "/Rechnung.docx", "Rechnung (*.docx)");
    if (ziel.isEmpty()) return;
    NeueRechnungAnlegen(vorlage, ziel);
}

bool Hauptfenster::NeueRechnungAnlegen(const QString& vorlage, const QString& ziel) {
    if (sitzung_.DatenbankPfad().empty()) {
        QMessageBox::information(this, "Neue Rechnung", "Bitte zuerst die Bürodatenbank öffnen (Datei › Datenbank öffnen).");
        return false;
    }
    // The invoice record first: cancelled there, nothing is copied.
    if (!RechnungAuswählen()) return false;
    vk::ui::Formen::AlleEntladen();
    std::error_code ec;
    std::filesystem::copy_file(vorlage.toStdString(), ziel.toStdString(), std::filesystem::copy_options::overwrite_existing, ec);
    if (ec) {
        QMessageBox::warning(this, "Neue Rechnung", QString("Die Vorlage %1 kann nicht nach %2 kopiert werden:\n%3")
                                                        .arg(vorlage, ziel, Q(vk::Systemfehlertext(ec))));
        return false;
    }
    return Öffnen(sitzung_.DatenbankPfad(), sitzung_.RechnungsId(), ziel.toStdString(), sitzung_.Benutzer());
}

bool Hauptfenster::FürDieAusgabeGespeichert() {
    if (const std::string fehlt = sitzung_.Fehlt(); !fehlt.empty()) {
        Melden(Q(fehlt));
        return false;
    }
    if (!AußenGeändertÜbernehmen()) return false;
    return sitzung_.Fingerabdruck() == gespeichert_ || Sichern();
}

QString Hauptfenster::MitWartefenster(const QString& was, const std::function<void()>& arbeit) {
    QProgressDialog warten(was, QString(), 0, 0, this);
    warten.setWindowTitle("vk-host");
    warten.setWindowModality(Qt::WindowModal);
    warten.setMinimumDuration(500);
    std::atomic<bool> fertig = false;
    QString fehler;
    std::thread faden([&] {
        try {
            arbeit();
        } catch (const vk::LaufzeitFehler& f) {
            fehler = Q(f.Beschreibung());
        } catch (const std::exception& e) {
            fehler = e.what();
        }
        fertig = true;
    });
    QEventLoop schleife;
    QTimer uhr;
    connect(&uhr, &QTimer::timeout, &schleife, [&] {
        if (fertig) schleife.quit();
    });
    uhr.start(50);
    schleife.exec(QEventLoop::ExcludeUserInputEvents);
    faden.join();
    return fehler;
}

void Hauptfenster::PdfWählen() {
    if (!sitzung_.Dokument()) {
        Melden(Q(sitzung_.Fehlt()));
        return;
    }
    const QFileInfo rechnung(Q(sitzung_.Dokument()->Path().string()));
    const QString ziel = QFileDialog::getSaveFileName(this, "Als PDF speichern",
                                                      rechnung.absolutePath() + "/" + rechnung.completeBaseName() + ".pdf",
                                                      "PDF (*.pdf)");
    if (!ziel.isEmpty()) AlsPdfSpeichern(ziel);
}

bool Hauptfenster::AlsPdfSpeichern(const QString& ziel) {
    const bool gespeichert = Ausgeben("Als PDF speichern", "Die Rechnung wird als PDF gespeichert …",
                                      "Das PDF wurde nicht geschrieben",
                                      [&](const std::filesystem::path& dokument, const std::string& libreoffice) {
                                          vk::PdfSchreiben(dokument, ziel.toStdString(), libreoffice);
                                      });
    if (gespeichert) Melden(QString("Als PDF gespeichert: %1").arg(ziel));
    return gespeichert;
}

void Hauptfenster::DruckerWählen() {
    if (!sitzung_.Dokument()) {
        Melden(Q(sitzung_.Fehlt()));
        return;
    }
    const QStringList drucker = QPrinterInfo::availablePrinterNames();
    if (drucker.isEmpty()) {
        QMessageBox::information(this, "Drucken", "Es ist kein Drucker eingerichtet.");
        return;
    }
    const QString standard = QPrinterInfo::defaultPrinterName();
    bool ok = false;
    const QString wahl = QInputDialog::getItem(this, "Drucken", "Drucker:", drucker,
                                               std::max(0, static_cast<int>(drucker.indexOf(standard))), false, &ok);
    if (ok) Drucken(wahl);
}

bool Hauptfenster::Drucken(const QString& drucker) {
    const bool gedruckt = Ausgeben("Drucken", "Die Rechnung wird gedruckt …", "Die Rechnung wurde nicht gedruckt",
                                   [&](const std::filesystem::path& dokument, const std::string& libreoffice) {
                                       vk::Drucken(dokument, drucker.toStdString(), libreoffice);
                                   });
    if (gedruckt) Melden(QString("An %1 gedruckt.").arg(drucker.isEmpty() ? QString("den Standarddrucker") : drucker));
    return gedruckt;
}

bool Hauptfenster::Ausgeben(const QString& titel, const QString& warten, const QString& misslungen,
                            const std::function<void(const std::filesystem::path&, const std::string&)>& arbeit) {
    if (!FürDieAusgabeGespeichert()) return false;
    const std::filesystem::path dokument = sitzung_.Dokument()->Path();
    const std::string libreoffice = LibreOfficeEinstellung();
    const QString fehler = MitWartefenster(warten, [&] { arbeit(dokument, libreoffice); });
    if (fehler.isEmpty()) return true;
    QMessageBox::warning(this, titel, misslungen + ":\n" + fehler);
    return false;
}

void Hauptfenster::LibreOfficeFestlegen() {
    QSettings s = Einstellungen();
    const QString gefunden = Q(vk::LibreOfficeFinden(s.value("LibreOffice").toString().toStdString()));
    const QString programm = QFileDialog::getOpenFileName(
        this, "LibreOffice festlegen (das Programm soffice)", gefunden.isEmpty() ? QString("/usr/bin") : gefunden);
    if (programm.isEmpty()) return;
    if (vk::LibreOfficeFinden(programm.toStdString()).empty()) {
        QMessageBox::warning(this, "LibreOffice festlegen", programm + " ist kein Programm, das sich starten lässt.");
        return;
    }
    s.setValue("LibreOffice", programm);
    Melden("LibreOffice: " + programm);
}

}  // namespace vkhost
