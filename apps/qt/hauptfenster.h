// The host's main window: the MDI area the category dialogs open in (its handle is the hWndMDI of
// VK.Show), the read-only preview of the invoice beside it, the menus "Datei" (open a database and
// choose one of its invoices, open the invoice document, save, quit), "Gebühren" (the six
// categories), "Fenster" and "Extras" (the error log), and a status line that says what was saved
// and when. After every confirmation in a dialog the invoice is saved, the preview shows the table
// just written, and the status line says when the confirmation added entries to the error log.
#pragma once

#include <QMainWindow>
#include <array>
#include <string>
#include <vector>

#include "dienste/dienste.h"
#include "sitzung.h"

class QMdiArea;
class QAction;
class QLabel;

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

    Sitzung& Sitz() { return sitzung_; }
    QMdiArea* Bereich() const { return bereich_; }
    vkhost::Vorschau* Vorschau() const { return vorschau_; }
    QAction* KategorieAktion(int index) const { return kategorieAktionen_[static_cast<std::size_t>(index)]; }
    QAction* ProtokollAktion() const { return protokollAktion_; }
    QAction* PrüfenAktion() const { return prüfenAktion_; }
    // The lasting part of the status line: what was saved and when, and new entries of the error log.
    QLabel* Speicherstand() const { return speicherstand_; }
    vk::ui::Fenster HostFenster() const { return host_; }

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    void MenüsAnlegen();
    void DatenbankWählen();
    void DatenbankAufServerWählen();
    void DatenbankÜbernehmen(const QString& name);
    void DokumentWählen();
    bool RechnungAuswählen();
    void NachAktion();
    // "Rechnung prüfen": the saved invoice proved, the report shown, differing tables marked.
    void RechnungPrüfen();
    // Before a confirmation: what the log and the fee tables hold, to tell afterwards what it added.
    void BestätigungVormerken();
    // The fee table the last confirmation wrote (its index in the invoice), 0 when none is known.
    long GeschriebeneTabelle() const;
    bool Sichern();
    // The message box of a confirmation or save that saved nothing, with its reason.
    void NichtGespeichert(const vk::LaufzeitFehler& grund);
    // The category dialog of the active sub-window, or nullptr.
    vk::Kategoriedialog* AktiverDialog() const;
    void Melden(const QString& text);
    void TitelSetzen();

    QtDienste& dienste_;
    Sitzung sitzung_;
    QMdiArea* bereich_;
    vkhost::Vorschau* vorschau_;
    vk::ui::Fenster host_;
    std::array<QAction*, 6> kategorieAktionen_{};
    QAction* protokollAktion_ = nullptr;
    QAction* prüfenAktion_ = nullptr;
    QLabel* speicherstand_ = nullptr;
    long long protokollStand_ = -1;           // the log's size before the confirmation under way
    std::vector<std::string> tabellenVorher_;  // the fee tables' texts before it
    long rangVorher_ = -1;                     // where among them the dialog's own table stood
    int entladungen_ = 0;
    int sanduhren_ = 0;
    std::string gespeichert_;  // fingerprint of the invoice as last saved or opened
};

}  // namespace vkhost
