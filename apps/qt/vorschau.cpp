#include "vorschau.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <atomic>
#include <cmath>
#include <thread>

namespace vkhost {

namespace {
constexpr double kAbstand = 12;  // between the pages and around them, in view pixels
// Fitted to the preview's width the page is shown at 50 to 125 % of its printed size; zoomed, at 25
// to 400 %. Printed size: a point is a 72nd of the screen's logical inch (Qt scales that inch with
// the screen's scale factor).
constexpr double kKleinsterMaßstab = 0.5, kGrößterMaßstab = 1.25;
constexpr double kKleinsterZoom = 0.25, kGrößterZoom = 4;
const QColor kMarkierung(255, 200, 200);  // a table the check found different
// New blocks up to this many are set at once; of more, those of the first pages are, and the rest
// on a thread of their own.
constexpr std::size_t kSofort = 300;
constexpr int kSofortSeiten = 3;
}  // namespace

// Blocks measured on a thread of their own, in order; the preview collects what is done.
struct Vorschau::Auftrag {
    std::shared_ptr<const Vorschaudaten> daten;
    std::vector<std::size_t> offen;  // the blocks to measure
    std::vector<double> ergebnis;
    std::atomic<std::size_t> fertig{0};
    std::size_t abgeholt = 0;
    std::atomic<bool> abbrechen{false};
    std::thread faden;
};

Vorschau::Vorschau(QWidget* eltern) : QAbstractScrollArea(eltern) {
    setObjectName("Vorschau");
    viewport()->setBackgroundRole(QPalette::Dark);
    viewport()->setAutoFillBackground(true);
    verticalScrollBar()->setSingleStep(20);
    abholen_.setInterval(50);
    connect(&abholen_, &QTimer::timeout, this, &Vorschau::AuftragAbholen);
}

Vorschau::~Vorschau() { AuftragAbbrechen(); }

void Vorschau::AuftragAbbrechen() {
    abholen_.stop();
    if (!auftrag_) return;
    auftrag_->abbrechen = true;
    if (auftrag_->faden.joinable()) auftrag_->faden.join();
    auftrag_.reset();
}

double Vorschau::Scrollanteil() const {
    const QScrollBar& s = *verticalScrollBar();
    return s.maximum() > 0 ? static_cast<double>(s.value()) / s.maximum() : 0;
}

void Vorschau::ScrollanteilSetzen(double anteil) {
    verticalScrollBar()->setValue(static_cast<int>(std::lround(anteil * verticalScrollBar()->maximum())));
}

void Vorschau::Anzeigen(const vk::word::Document& dokument) {
    AuftragAbbrechen();
    const double anteil = Scrollanteil();
    auto daten = std::make_shared<const Vorschaudaten>(VorschauLesen(dokument));
    const std::size_t n = daten->blöcke.size();
    std::vector<std::shared_ptr<const GesetzterBlock>> gesetzt(n);
    std::vector<double> höhen(n, -1);
    std::vector<std::size_t> offen;
    for (std::size_t i = 0; i < n; ++i) {
        const std::size_t schlüssel = daten->blöcke[i].schlüssel;
        if (auto da = vorrat_.find(schlüssel); da != vorrat_.end()) gesetzt[i] = da->second;
        if (auto da = höhenVorrat_.find(schlüssel); da != höhenVorrat_.end()) höhen[i] = da->second;
        else if (gesetzt[i]) höhen[i] = gesetzt[i]->höhe;
        else offen.push_back(i);
    }
    // At once: every new block when they are few, else those of the first pages.
    std::size_t sofort = offen.size();
    if (offen.size() > kSofort) {
        const double genug = kSofortSeiten * (daten->seitenhöhe - daten->oben - daten->unten);
        double höhe = 0;
        std::size_t bis = 0;
        while (bis < n && höhe < genug) höhe += HöheSchätzen(daten->blöcke[bis++]);
        sofort = static_cast<std::size_t>(std::lower_bound(offen.begin(), offen.end(), bis) - offen.begin());
    }
    for (std::size_t k = 0; k < sofort; ++k) {
        gesetzt[offen[k]] = BlockSetzen(daten->blöcke[offen[k]], daten->tabstopp);
        höhen[offen[k]] = gesetzt[offen[k]]->höhe;
    }
    // The stores keep what the invoice now holds.
    vorrat_.clear();
    höhenVorrat_.clear();
    for (std::size_t i = 0; i < n; ++i) {
        if (gesetzt[i]) vorrat_.emplace(daten->blöcke[i].schlüssel, gesetzt[i]);
        if (höhen[i] >= 0) höhenVorrat_.emplace(daten->blöcke[i].schlüssel, höhen[i]);
    }
    kästen_.clear();
    for (const Kastendaten& k : daten->kästen) kästen_.push_back(KastenSetzen(k, daten->tabstopp));
    daten_ = std::move(daten);
    gesetzt_ = std::move(gesetzt);
    höhen_ = std::move(höhen);
    markiert_.clear();
    hinweis_.clear();
    if (sofort < offen.size()) {
        auftrag_ = std::make_shared<Auftrag>();
        auftrag_->daten = daten_;
        auftrag_->offen.assign(offen.begin() + static_cast<long>(sofort), offen.end());
        auftrag_->ergebnis.resize(auftrag_->offen.size());
        auftrag_->faden = std::thread([a = auftrag_.get()] {
            for (std::size_t k = 0; k < a->offen.size() && !a->abbrechen; ++k) {
                a->ergebnis[k] = BlockSetzen(a->daten->blöcke[a->offen[k]], a->daten->tabstopp)->höhe;
                a->fertig.store(k + 1, std::memory_order_release);
            }
        });
        abholen_.start();
        emit Aufbau(0);
    }
    Umbrechen();
    Einpassen();
    ScrollanteilSetzen(anteil);
    viewport()->update();
}

void Vorschau::AuftragAbholen() {
    if (!auftrag_) return;
    Auftrag& a = *auftrag_;
    const std::size_t fertig = a.fertig.load(std::memory_order_acquire);
    for (; a.abgeholt < fertig; ++a.abgeholt) {
        const std::size_t block = a.offen[a.abgeholt];
        if (höhen_[block] < 0) höhen_[block] = a.ergebnis[a.abgeholt];
        höhenVorrat_.emplace(daten_->blöcke[block].schlüssel, höhen_[block]);
    }
    const int wert = verticalScrollBar()->value();
    Umbrechen();
    Einpassen();
    verticalScrollBar()->setValue(wert);
    viewport()->update();
    if (fertig < a.offen.size()) {
        emit Aufbau(static_cast<int>(100 * fertig / a.offen.size()));
        return;
    }
    abholen_.stop();
    if (a.faden.joinable()) a.faden.join();
    auftrag_.reset();
    emit Aufbau(100);
}

void Vorschau::Leeren(const QString& hinweis) {
    AuftragAbbrechen();
    daten_.reset();
    gesetzt_.clear();
    höhen_.clear();
    plätze_.clear();
    kästen_.clear();
    markiert_.clear();
    hinweis_ = hinweis;
    seiten_ = 1;
    Einpassen();
    viewport()->update();
}

void Vorschau::Umbrechen() {
    if (!daten_) return;
    std::vector<double> höhen(höhen_.size());
    for (std::size_t i = 0; i < höhen_.size(); ++i) höhen[i] = höhen_[i] >= 0 ? höhen_[i] : HöheSchätzen(daten_->blöcke[i]);
    plätze_ = vkhost::Umbrechen(*daten_, höhen, seiten_);
}

const GesetzterBlock* Vorschau::Gesetzt(std::size_t block) const {
    if (!daten_ || block >= gesetzt_.size()) return nullptr;
    if (!gesetzt_[block]) {
        const Blockdaten& b = daten_->blöcke[block];
        auto da = vorrat_.find(b.schlüssel);
        gesetzt_[block] = da != vorrat_.end() ? da->second : BlockSetzen(b, daten_->tabstopp);
        vorrat_.emplace(b.schlüssel, gesetzt_[block]);
    }
    return gesetzt_[block].get();
}

std::optional<std::size_t> Vorschau::ErsterBlock(long tabelle) const {
    if (!daten_) return std::nullopt;
    for (std::size_t i = 0; i < daten_->blöcke.size(); ++i)
        if (daten_->blöcke[i].tabelle == tabelle) return i;
    return std::nullopt;
}

QString Vorschau::Text() const {
    if (!daten_) return hinweis_;
    QStringList zeilen;
    const auto absätze = [&](const std::vector<vk::word::FormattedParagraph>& liste) {
        for (const auto& a : liste) {
            QString zeile;
            for (const auto& r : a.runs) zeile += QString::fromStdString(r.text);
            zeilen << zeile;
        }
    };
    for (const Blockdaten& b : daten_->blöcke)
        for (const Zellendaten& z : b.zellen) absätze(z.absätze);
    for (const Kastendaten& k : daten_->kästen) absätze(k.absätze);
    return zeilen.join("\n");
}

void Vorschau::Einpassen() {
    if (!daten_) {
        verticalScrollBar()->setRange(0, 0);
        horizontalScrollBar()->setRange(0, 0);
        return;
    }
    // The page as wide as the preview allows, within limits that keep the text readable; then zoomed.
    const double hundert = logicalDpiX() / 72.0 / kEinheitenProPunkt;
    const double verfügbar = viewport()->width() - 2 * kAbstand;
    const double eingepasst = std::clamp(verfügbar / daten_->seitenbreite, kKleinsterMaßstab * hundert, kGrößterMaßstab * hundert);
    maßstab_ = std::clamp(eingepasst * zoom_, kKleinsterZoom * hundert, kGrößterZoom * hundert);
    zoom_ = maßstab_ / eingepasst;  // at a limit, the next step back zooms out at once
    const double breite = daten_->seitenbreite * maßstab_ + 2 * kAbstand;
    const double höhe = SeiteOben(seiten_);
    horizontalScrollBar()->setRange(0, std::max(0, static_cast<int>(std::ceil(breite)) - viewport()->width()));
    horizontalScrollBar()->setPageStep(viewport()->width());
    verticalScrollBar()->setRange(0, std::max(0, static_cast<int>(std::ceil(höhe)) - viewport()->height()));
    verticalScrollBar()->setPageStep(viewport()->height());
}

double Vorschau::SeiteOben(int seite) const {
    return kAbstand + seite * ((daten_ ? daten_->seitenhöhe : 0) * maßstab_ + kAbstand);
}

double Vorschau::SeitenLinks() const {
    return std::max(kAbstand, (viewport()->width() - daten_->seitenbreite * maßstab_) / 2);
}

QPointF Vorschau::Ansichtspunkt(int seite, QPointF punkt) const {
    if (!daten_) return punkt;
    return {SeitenLinks() + punkt.x() * maßstab_ - horizontalScrollBar()->value(),
            SeiteOben(seite) + punkt.y() * maßstab_ - verticalScrollBar()->value()};
}

void Vorschau::TabelleZeigen(long index) {
    const std::optional<std::size_t> block = ErsterBlock(index);
    if (!block) return;
    const Platz& p = plätze_[*block];
    verticalScrollBar()->setValue(static_cast<int>(SeiteOben(p.seite) + p.oben * maßstab_ - kAbstand));
    viewport()->update();
}

void Vorschau::TabellenMarkieren(const std::vector<long>& indizes) {
    markiert_.insert(indizes.begin(), indizes.end());
    if (!indizes.empty()) TabelleZeigen(*std::min_element(indizes.begin(), indizes.end()));
    viewport()->update();
}

bool Vorschau::Markiert(long index) const { return markiert_.count(index) > 0; }

void Vorschau::Zoomen(int schritte) {
    const double anteil = Scrollanteil();
    zoom_ *= std::pow(1.1, schritte);
    Einpassen();
    ScrollanteilSetzen(anteil);
    viewport()->update();
}

void Vorschau::ZoomZurücksetzen() {
    zoom_ = 1;
    Zoomen(0);
}

void Vorschau::wheelEvent(QWheelEvent* e) {
    if (!(e->modifiers() & Qt::ControlModifier)) {
        QAbstractScrollArea::wheelEvent(e);
        return;
    }
    if (const int schritte = e->angleDelta().y() / 120) Zoomen(schritte);
    e->accept();
}

void Vorschau::resizeEvent(QResizeEvent* e) {
    QAbstractScrollArea::resizeEvent(e);
    const double anteil = Scrollanteil();
    Einpassen();
    ScrollanteilSetzen(anteil);
}

namespace {

// Black on the white page: the painter's pen of the viewport is the light colour of its dark ground.
void ZelleZeichnen(QPainter& p, const GesetzteZelle& z, QPointF ursprung) {
    p.setPen(Qt::black);
    for (const GesetzterAbsatz& a : z.absätze) a.layout->draw(&p, ursprung + z.rahmen.topLeft() + a.ort);
}

}  // namespace

void Vorschau::paintEvent(QPaintEvent* e) {
    QPainter p(viewport());
    if (!daten_) {
        p.setPen(palette().color(QPalette::BrightText));
        p.drawText(viewport()->rect().adjusted(12, 12, -12, -12), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, hinweis_);
        return;
    }
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const double w = daten_->seitenbreite, h = daten_->seitenhöhe;
    const double x = SeitenLinks() - horizontalScrollBar()->value();
    for (int seite = 0; seite < seiten_; ++seite) {
        const double y = SeiteOben(seite) - verticalScrollBar()->value();
        const QRectF blatt(x, y, w * maßstab_, h * maßstab_);
        if (!blatt.intersects(e->rect())) continue;
        p.fillRect(blatt.translated(3, 3), QColor(0, 0, 0, 60));
        p.fillRect(blatt, Qt::white);
        p.save();
        p.translate(x, y);
        p.scale(maßstab_, maßstab_);
        p.setClipRect(QRectF(0, 0, w, h));
        // The blocks of this page: they stand in order, page by page.
        const auto erster = std::lower_bound(plätze_.begin(), plätze_.end(), seite,
                                             [](const Platz& a, int s) { return a.seite < s; });
        for (auto it = erster; it != plätze_.end() && it->seite == seite; ++it) {
            const std::size_t i = static_cast<std::size_t>(it - plätze_.begin());
            const GesetzterBlock* b = Gesetzt(i);
            // Set now and not measured before: the pages follow its height once this is drawn.
            if (höhen_[i] < 0) {
                höhen_[i] = b->höhe;
                höhenVorrat_.emplace(daten_->blöcke[i].schlüssel, b->höhe);
                neuUmbrechen_ = true;
            }
            const QPointF ursprung(daten_->links, it->oben);
            const Blockdaten& daten = daten_->blöcke[i];
            for (const GesetzteZelle& z : b->zellen) {
                const QRectF r = z.rahmen.translated(ursprung);
                if (daten.tabelle && markiert_.count(daten.tabelle)) p.fillRect(r, kMarkierung);
                if (daten.rahmen) {
                    p.setPen(QPen(Qt::black, 0));
                    p.drawRect(r);
                }
                ZelleZeichnen(p, z, ursprung);
            }
        }
        if (seite == 0)
            for (std::size_t k = 0; k < kästen_.size(); ++k) {
                if (daten_->kästen[k].linie) {
                    p.setPen(QPen(Qt::black, 0.75 * kEinheitenProPunkt));
                    p.drawRect(kästen_[k].rahmen);
                }
                ZelleZeichnen(p, kästen_[k], QPointF(0, 0));
            }
        p.restore();
    }
    if (neuUmbrechen_) {
        neuUmbrechen_ = false;
        QTimer::singleShot(0, this, [this] {
            const int wert = verticalScrollBar()->value();
            Umbrechen();
            Einpassen();
            verticalScrollBar()->setValue(wert);
            viewport()->update();
        });
    }
}

}  // namespace vkhost
