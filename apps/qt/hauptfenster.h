// The host's main window: the MDI area the category dialogs open in (its handle is the hWndMDI of
// VK.Show), the read-only preview of the invoice beside it, the menus "Datei" (open a database and
// choose one of its invoices, open the invoice document, save, save the e-invoice, quit), "Gebühren" (the six
// categories), "Fenster" and "Extras" (the error log), and a status line that says what was saved
// and when. After every confirmation in a dialog the invoice is saved, the preview shows the table
// just written, and the status line says when the confirmation added entries to the error log.
#pragma once

#include <QMainWindow>
#include <array>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "dienste/dienste.h"
#include "rueckgaengig.h"
#include "sitzung.h"

class QMdiArea;
class QAction;
class QLabel;
class QMenu;
class QProgressBar;

namespace vk {
class Kategoriedialog;
}
namespace vkhost {
class Vorschau;
}

namespace vkhost {

// The user id the host hands to the component when the command line names none (default 1).
int BenutzerAusEinstellung();
void BenutzerEinstellen(int id);

// The captions of the six fee categories, by index.
extern const std::array<const char*, 6> kKategorien;

class Hauptfenster : public QMainWindow {
    Q_OBJECT
public:
    explicit Hauptfenster(QtDienste& dienste, QWidget* eltern = nullptr);
    ~Hauptfenster() override;

    // Opens database, invoice record, document and user in one go; false (and a message in the
    // status line) when something failed.
    bool Öffnen(const std::string& datenbank, int rechnung, const std::string& dokument, int benutzer);
    // The menu entry of a category: shows its dialog in the MDI area.
    void KategorieÖffnen(int index);
    void Speichern();
    void VorschauAktualisieren();
    // "Neue Rechnung aus Vorlage…": the template copied to `ziel` once the invoice record is chosen
    // (asked), then opened. False when nothing was opened.
    bool NeueRechnungAnlegen(const QString& vorlage, const QString& ziel);
    // "Als PDF speichern…" and "Drucken…" of the saved invoice through LibreOffice; false (and a
    // message) when it failed.
    bool AlsPdfSpeichern(const QString& ziel);
    bool Drucken(const QString& drucker);
    QMenu* ZuletztMenü() const { return zuletztMenü_; }

    Sitzung& Sitz() { return sitzung_; }
    QMdiArea* Bereich() const { return bereich_; }
    vkhost::Vorschau* Vorschau() const { return vorschau_; }
    QAction* KategorieAktion(int index) const { return kategorieAktionen_[static_cast<std::size_t>(index)]; }
    QAction* ProtokollAktion() const { return protokollAktion_; }
    QAction* PrüfenAktion() const { return prüfenAktion_; }
    QAction* ERechnungAktion() const { return eRechnungAktion_; }
    QAction* RückgängigAktion() const { return rückgängigAktion_; }
    // The lasting part of the status line: what was saved and when, and new entries of the error log.
    QLabel* Speicherstand() const { return speicherstand_; }
    vk::ui::Fenster HostFenster() const { return host_; }

protected:
    void closeEvent(QCloseEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    void MenüsAnlegen();
    void DatenbankWählen();
    void DatenbankAufServerWählen();
    void DatenbankÜbernehmen(const QString& name);
    void DokumentWählen();
    bool RechnungAuswählen();
    // The menu items of hauptfenster_datei.cpp: recent invoices, a new one from a template, PDF and
    // printing, and where LibreOffice is.
    void DateiMenüErgänzen(QMenu* datei);
    void ZuletztAnzeigen();
    void ZuletztMerkenWennVollständig();
    void NeueRechnungAusVorlage();
    void PdfWählen();
    void DruckerWählen();
    void LibreOfficeFestlegen();
    // Runs `arbeit` (LibreOffice) on a thread while a busy window says `was`; its error text, or "".
    QString MitWartefenster(const QString& was, const std::function<void()>& arbeit);
    // Before the invoice leaves the program: the version on disk, everything saved. False when not.
    bool FürDieAusgabeGespeichert();
    // The saved invoice handed to LibreOffice (`arbeit` gets its path and the LibreOffice of the
    // settings) while a busy window says `warten`; a failure is shown under `titel`.
    bool Ausgeben(const QString& titel, const QString& warten, const QString& misslungen,
                  const std::function<void(const std::filesystem::path&, const std::string&)>& arbeit);
    void NachAktion();
    // "Rechnung prüfen": the saved invoice proved, the report shown, differing tables marked.
    void RechnungPrüfen();
    // "E-Rechnung speichern": the saved invoice as an XRechnung, to a file the person chooses; what is
    // missing for it shown when it cannot be written.
    void ERechnungSpeichern();
    // Before a confirmation: what the log and the fee tables hold, to tell afterwards what it added.
    void BestätigungVormerken();
    // The fee table the last confirmation wrote (its index in the invoice), 0 when none is known.
    long GeschriebeneTabelle() const;
    bool Sichern();
    // The message box of a confirmation or save that saved nothing, with its reason.
    void NichtGespeichert(const vk::LaufzeitFehler& grund);
    // The category dialog of the active sub-window, or nullptr.
    vk::Kategoriedialog* AktiverDialog() const;
    // The invoice file saved elsewhere meanwhile (a word processor): opened again and said in the
    // status line; asked first when a change here is not saved. False when the person cancels or the
    // file cannot be read: then nothing else may write it.
    bool AußenGeändertÜbernehmen();
    // "Bearbeiten › Rückgängig: <dialog>": the invoice file and the record as before the last "&OK".
    void RückgängigMachen();
    void RückgängigAnzeigen();
    void Melden(const QString& text);
    void TitelSetzen();
    // The captions of the dialogs whose inputs changed since they opened, not confirmed.
    QStringList UnbestätigteDialoge() const;
    // Before the dialogs are closed (quitting, another invoice): asks whether unconfirmed edits may
    // go; true when there are none or the person agrees.
    bool UnbestätigteVerwerfen(const QString& wozu = "Beim Beenden");

    QtDienste& dienste_;
    Sitzung sitzung_;
    QMdiArea* bereich_;
    vkhost::Vorschau* vorschau_;
    vk::ui::Fenster host_;
    std::array<QAction*, 6> kategorieAktionen_{};
    QAction* protokollAktion_ = nullptr;
    QAction* prüfenAktion_ = nullptr;
    QAction* eRechnungAktion_ = nullptr;
    QAction* rückgängigAktion_ = nullptr;
    QMenu* zuletztMenü_ = nullptr;
    Rückgängig rückgängig_;
    QLabel* speicherstand_ = nullptr;
    QProgressBar* aufbau_ = nullptr;
    long long protokollStand_ = -1;           // the log's size before the confirmation under way
    std::vector<std::string> tabellenVorher_;  // the fee tables' texts before it
    long rangVorher_ = -1;                     // where among them the dialog's own table stood
    int entladungen_ = 0;
    int sanduhren_ = 0;
    std::string gespeichert_;  // fingerprint of the invoice as last saved or opened
    std::map<const vk::ui::Form*, std::string> eingabenBeimÖffnen_;  // each dialog's inputs as it opened
};

}  // namespace vkhost
