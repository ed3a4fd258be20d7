#include "vorschau.h"

#include <QAbstractTextDocumentLayout>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTextTable>
#include <algorithm>
#include <cmath>

namespace vkhost {

namespace {
constexpr double kAbstand = 12;  // between the pages and around them, in view pixels
// The page at its printed size on a 96 dpi screen is 100 %; the view shows it at 50 to 125 %.
constexpr double kHundertProzent = 96.0 / 72.0 / kEinheitenProPunkt;
constexpr double kKleinsterMaßstab = 0.5 * kHundertProzent;
constexpr double kGrößterMaßstab = 1.25 * kHundertProzent;
}  // namespace

Vorschau::Vorschau(QWidget* eltern) : QAbstractScrollArea(eltern) {
    setObjectName("Vorschau");
    viewport()->setBackgroundRole(QPalette::Dark);
    viewport()->setAutoFillBackground(true);
    verticalScrollBar()->setSingleStep(20);
}

void Vorschau::Anzeigen(const vk::word::Document& dokument) {
    const double anteil = verticalScrollBar()->maximum() > 0
                              ? static_cast<double>(verticalScrollBar()->value()) / verticalScrollBar()->maximum() : 0;
    inhalt_ = VorschauAufbauen(dokument);
    hinweis_.clear();
    Einpassen();
    verticalScrollBar()->setValue(static_cast<int>(std::lround(anteil * verticalScrollBar()->maximum())));
    viewport()->update();
}

void Vorschau::Leeren(const QString& hinweis) {
    inhalt_ = Vorschaudokument{};
    hinweis_ = hinweis;
    Einpassen();
    viewport()->update();
}

QString Vorschau::Text() const {
    if (!inhalt_.text) return hinweis_;
    QString text = inhalt_.text->toPlainText();
    for (const auto& k : inhalt_.kästen) text += "\n" + k.text->toPlainText();
    return text;
}

void Vorschau::Einpassen() {
    if (!inhalt_.text) {
        verticalScrollBar()->setRange(0, 0);
        horizontalScrollBar()->setRange(0, 0);
        return;
    }
    // The page as wide as the preview allows, within limits that keep the text readable.
    const double verfügbar = viewport()->width() - 2 * kAbstand;
    maßstab_ = std::clamp(verfügbar / inhalt_.seitenbreite, kKleinsterMaßstab, kGrößterMaßstab);
    const double breite = inhalt_.seitenbreite * maßstab_ + 2 * kAbstand;
    const double höhe = SeiteOben(inhalt_.seiten);
    horizontalScrollBar()->setRange(0, std::max(0, static_cast<int>(std::ceil(breite)) - viewport()->width()));
    horizontalScrollBar()->setPageStep(viewport()->width());
    verticalScrollBar()->setRange(0, std::max(0, static_cast<int>(std::ceil(höhe)) - viewport()->height()));
    verticalScrollBar()->setPageStep(viewport()->height());
}

double Vorschau::SeiteOben(int seite) const { return kAbstand + seite * (inhalt_.seitenhöhe * maßstab_ + kAbstand); }

double Vorschau::SeitenLinks() const {
    return std::max(kAbstand, (viewport()->width() - inhalt_.seitenbreite * maßstab_) / 2);
}

QPointF Vorschau::Ansichtspunkt(QPointF p) const {
    if (!inhalt_.text) return p;
    const int seite = std::clamp(static_cast<int>(p.y() / inhalt_.seitenhöhe), 0, inhalt_.seiten - 1);
    const double y = SeiteOben(seite) + (p.y() - seite * inhalt_.seitenhöhe) * maßstab_;
    return {SeitenLinks() + p.x() * maßstab_ - horizontalScrollBar()->value(), y - verticalScrollBar()->value()};
}

void Vorschau::TabelleZeigen(long index) {
    if (!inhalt_.text || index < 1 || index > static_cast<long>(inhalt_.tabellen.size())) return;
    const auto& teile = inhalt_.tabellen[static_cast<std::size_t>(index - 1)];
    if (teile.empty()) return;
    const QRectF r = inhalt_.text->documentLayout()->frameBoundingRect(teile.front().tabelle);
    const double y = Ansichtspunkt(r.topLeft()).y() + verticalScrollBar()->value();
    verticalScrollBar()->setValue(static_cast<int>(y - kAbstand));
    viewport()->update();
}

void Vorschau::resizeEvent(QResizeEvent* e) {
    QAbstractScrollArea::resizeEvent(e);
    const double anteil = verticalScrollBar()->maximum() > 0
                              ? static_cast<double>(verticalScrollBar()->value()) / verticalScrollBar()->maximum() : 0;
    Einpassen();
    verticalScrollBar()->setValue(static_cast<int>(std::lround(anteil * verticalScrollBar()->maximum())));
}

void Vorschau::TabellenMarkieren(const std::vector<long>& indizes) {
    for (long index : indizes) {
        if (index < 1 || index > static_cast<long>(inhalt_.tabellen.size())) continue;
        for (const auto& teil : inhalt_.tabellen[static_cast<std::size_t>(index - 1)]) {
            QTextTableFormat format = teil.tabelle->format();
            format.setBackground(QColor(255, 220, 220));
            teil.tabelle->setFormat(format);
        }
    }
    viewport()->update();
}

void Vorschau::paintEvent(QPaintEvent* e) {
    QPainter p(viewport());
    if (!inhalt_.text) {
        p.setPen(palette().color(QPalette::BrightText));
        p.drawText(viewport()->rect().adjusted(12, 12, -12, -12), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, hinweis_);
        return;
    }
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const double w = inhalt_.seitenbreite, h = inhalt_.seitenhöhe;
    const double x = SeitenLinks() - horizontalScrollBar()->value();
    for (int seite = 0; seite < inhalt_.seiten; ++seite) {
        const double y = SeiteOben(seite) - verticalScrollBar()->value();
        const QRectF blatt(x, y, w * maßstab_, h * maßstab_);
        if (!blatt.intersects(e->rect())) continue;
        p.fillRect(blatt.translated(3, 3), QColor(0, 0, 0, 60));
        p.fillRect(blatt, Qt::white);
        p.save();
        p.translate(x, y);
        p.scale(maßstab_, maßstab_);
        p.setClipRect(QRectF(0, 0, w, h));
        p.translate(0, -seite * h);
        inhalt_.text->drawContents(&p, QRectF(0, seite * h, w, h));
        p.restore();
        for (const auto& k : inhalt_.kästen) {
            if (k.seite != seite) continue;
            p.save();
            p.translate(x, y);
            p.scale(maßstab_, maßstab_);
            if (k.linie) {
                p.setPen(QPen(Qt::black, 0.75));
                p.drawRect(k.rahmen);
            }
            p.translate(k.rahmen.topLeft());
            k.text->drawContents(&p, QRectF(QPointF(0, 0), k.rahmen.size()));
            p.restore();
        }
    }
}

}  // namespace vkhost
