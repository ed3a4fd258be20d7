// The host's main window: the MDI area the category dialogs open in (its handle is the hWndMDI of
// VK.Show), the read-only preview of the invoice beside it, the menus "Datei" (open a database and
// choose one of its invoices, open the invoice document, save, quit) and "Gebühren" (the six
// categories), and a status line. After every confirmation in a dialog the invoice is saved and the
// preview refreshed.
#pragma once

#include <QMainWindow>
#include <array>
#include <string>

#include "dienste/dienste.h"
#include "sitzung.h"

class QMdiArea;
class QTextBrowser;
class QAction;

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
    QTextBrowser* Vorschau() const { return vorschau_; }
    QAction* KategorieAktion(int index) const { return kategorieAktionen_[static_cast<std::size_t>(index)]; }
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
    void Melden(const QString& text);
    void TitelSetzen();

    QtDienste& dienste_;
    Sitzung sitzung_;
    QMdiArea* bereich_;
    QTextBrowser* vorschau_;
    vk::ui::Fenster host_;
    std::array<QAction*, 6> kategorieAktionen_{};
    int entladungen_ = 0;
    int sanduhren_ = 0;
    std::string gespeichert_;  // fingerprint of the invoice as last saved or opened
};

}  // namespace vkhost
