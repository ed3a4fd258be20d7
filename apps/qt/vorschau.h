// The read-only preview of the invoice: its pages one below the other, each as wide as the preview
// allows (the whole page width in view), the blocks of the body (vorschaudokument.h) set and put on
// pages (vorschausatz.h), the text boxes on their page. Ctrl and the mouse wheel, Ctrl++ and Ctrl+-
// zoom it, Ctrl+0 fits the page width again. After a confirmation the host scrolls it to the table
// just written.
//
// A large invoice stays quick: only the blocks of the pages in view are set for drawing, and blocks
// set or measured before are kept by their content, so after a confirmation only what it changed is
// set again. The height of every block, which the pages follow from, is measured at once for the
// first pages and, of many new blocks, for the rest on a thread of its own (blocks not measured yet
// take the room they are estimated to need); the preview reports how far it got. What a thread sets
// is measured only: Qt's fonts belong to the thread that loads them, so drawing sets anew.
#pragma once

#include <QAbstractScrollArea>
#include <QTimer>
#include <memory>
#include <optional>
#include <set>
#include <unordered_map>
#include <vector>

#include "vorschaudokument.h"
#include "vorschausatz.h"

namespace vkhost {

class Vorschau : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit Vorschau(QWidget* eltern = nullptr);
    ~Vorschau() override;

    // Shows the invoice as it stands and keeps the scroll position where it can.
    void Anzeigen(const vk::word::Document& dokument);
    // Shows the text instead of an invoice (a message, or nothing).
    void Leeren(const QString& hinweis = {});
    // Scrolls so that the invoice's table `index` (1-based) starts at the top.
    void TabelleZeigen(long index);
    // Marks the invoice's tables (1-based) with a light red background until the next Anzeigen, and
    // scrolls to the first of them.
    void TabellenMarkieren(const std::vector<long>& indizes);
    bool Markiert(long index) const;

    // The zoom: 1 shows the page as wide as the preview; each step in or out is a tenth more or less.
    void Zoomen(int schritte);
    void ZoomZurücksetzen();
    double Zoom() const { return zoom_; }

    // What is shown: the invoice's data (nullptr for none), its text, the view's scale.
    const Vorschaudaten* Daten() const { return daten_.get(); }
    QString Text() const;
    double Maßstab() const { return maßstab_; }
    // A block as set for drawing (set now when it was not), and where it stands.
    const GesetzterBlock* Gesetzt(std::size_t block) const;
    Platz PlatzVon(std::size_t block) const { return plätze_.at(block); }
    std::optional<std::size_t> ErsterBlock(long tabelle) const;
    const std::vector<GesetzteZelle>& Kästen() const { return kästen_; }
    int Seiten() const { return seiten_; }
    // Whether every block's height is measured.
    bool Fertig() const { return !auftrag_; }
    // Where a point of a page (its page from 0, the point in twips on it) is drawn in the viewport.
    QPointF Ansichtspunkt(int seite, QPointF punkt) const;

signals:
    // How far the blocks are measured, while a thread measures them (0 to 99; 100 when done).
    void Aufbau(int prozent);

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;

private:
    struct Auftrag;
    void Einpassen();
    void Umbrechen();
    void AuftragAbbrechen();
    void AuftragAbholen();
    double SeiteOben(int seite) const;  // in view pixels, without scrolling
    double SeitenLinks() const;
    double Scrollanteil() const;
    void ScrollanteilSetzen(double anteil);

    std::shared_ptr<const Vorschaudaten> daten_;
    std::vector<double> höhen_;  // by block; negative while not measured
    mutable std::vector<std::shared_ptr<const GesetzterBlock>> gesetzt_;  // by block; nullptr while not set
    std::vector<Platz> plätze_;
    std::vector<GesetzteZelle> kästen_;
    int seiten_ = 1;
    // Blocks set and heights measured so far, by the blocks' keys: what a confirmation did not
    // change is neither set nor measured again.
    mutable std::unordered_map<std::size_t, std::shared_ptr<const GesetzterBlock>> vorrat_;
    std::unordered_map<std::size_t, double> höhenVorrat_;
    bool neuUmbrechen_ = false;
    std::shared_ptr<Auftrag> auftrag_;
    QTimer abholen_;
    std::set<long> markiert_;
    QString hinweis_;
    double maßstab_ = 1;
    double zoom_ = 1;
};

}  // namespace vkhost
