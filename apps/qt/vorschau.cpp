#include "vorschau.h"

#include <QAbstractTextDocumentLayout>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <QTextTable>
#include <algorithm>
#include <cmath>

namespace vkhost {

namespace {
constexpr double kAbstand = 12;  // between the pages and around them, in view pixels
// Fitted to the preview's width the page is shown at 50 to 125 % of its printed size; zoomed, at 25
// to 400 %. Printed size: a point is a 72nd of the screen's logical inch (Qt scales that inch with
// the screen's scale factor).
constexpr double kKleinsterMaßstab = 0.5, kGrößterMaßstab = 1.25;
constexpr double kKleinsterZoom = 0.25, kGrößterZoom = 4;
const QColor kMarkierung(255, 200, 200);  // a table the check found different
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
    // The page as wide as the preview allows, within limits that keep the text readable; then zoomed.
    const double hundert = logicalDpiX() / 72.0 / kEinheitenProPunkt;
    const double verfügbar = viewport()->width() - 2 * kAbstand;
    const double eingepasst = std::clamp(verfügbar / inhalt_.seitenbreite, kKleinsterMaßstab * hundert, kGrößterMaßstab * hundert);
    maßstab_ = std::clamp(eingepasst * zoom_, kKleinsterZoom * hundert, kGrößterZoom * hundert);
    zoom_ = maßstab_ / eingepasst;  // at a limit, the next step back zooms out at once
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

void Vorschau::Zoomen(int schritte) {
    const double anteil = verticalScrollBar()->maximum() > 0
                              ? static_cast<double>(verticalScrollBar()->value()) / verticalScrollBar()->maximum() : 0;
    zoom_ *= std::pow(1.1, schritte);
    Einpassen();
    verticalScrollBar()->setValue(static_cast<int>(std::lround(anteil * verticalScrollBar()->maximum())));
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

void Vorschau::TabellenMarkieren(const std::vector<long>& indizes) {
    // Every cell's background: the layout draws no background for a table whose borders collapse.
    for (long index : indizes) {
        if (index < 1 || index > static_cast<long>(inhalt_.tabellen.size())) continue;
        for (const auto& teil : inhalt_.tabellen[static_cast<std::size_t>(index - 1)])
            for (int z = 0; z < teil.tabelle->rows(); ++z)
                for (int s = 0; s < teil.tabelle->columns(); ++s) {
                    QTextTableCell zelle = teil.tabelle->cellAt(z, s);
                    QTextCharFormat format = zelle.format();
                    format.setBackground(kMarkierung);
                    zelle.setFormat(format);
                }
    }
    if (!indizes.empty()) TabelleZeigen(*std::min_element(indizes.begin(), indizes.end()));
    viewport()->update();
}

bool Vorschau::Markiert(long index) const {
    if (index < 1 || index > static_cast<long>(inhalt_.tabellen.size())) return false;
    const auto& teile = inhalt_.tabellen[static_cast<std::size_t>(index - 1)];
    return !teile.empty() && teile.front().tabelle->cellAt(0, 0).format().background().color() == kMarkierung;
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
