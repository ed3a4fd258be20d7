#include "vorschausatz.h"

#include <QTextOption>
#include <algorithm>
#include <cmath>

namespace vkhost {

namespace {

using vk::word::FormattedParagraph;
constexpr double E = kEinheitenProPunkt;
constexpr double kZeilenabstand = 1.15;  // an empty paragraph: a line of Arial, in font sizes
constexpr double kKastenRand = 3 * E;    // a text box's inner margin

Qt::Alignment Ausrichtung(int a) {
    switch (a) {
        case vk::word::wdAlignParagraphCenter: return Qt::AlignHCenter;
        case vk::word::wdAlignParagraphRight: return Qt::AlignRight;
        case vk::word::wdAlignParagraphJustify: return Qt::AlignJustify;
        default: return Qt::AlignLeft;
    }
}

QTextOption::Tab Tabstopp(const vk::word::TabStopFormat& t) {
    switch (t.alignment) {
        case vk::word::wdAlignTabCenter: return {t.position * E, QTextOption::CenterTab};
        case vk::word::wdAlignTabRight: return {t.position * E, QTextOption::RightTab};
        case vk::word::wdAlignTabDecimal: return {t.position * E, QTextOption::DelimiterTab, QChar(',')};
        default: return {t.position * E, QTextOption::LeftTab};
    }
}

QFont Schrift(const vk::word::TextRun& r) {
    QFont f(r.font.empty() ? QString("Arial") : QString::fromStdString(r.font));
    f.setPixelSize(std::max(1, static_cast<int>(std::lround(r.size * E))));
    f.setBold(r.bold);
    return f;
}

// One paragraph at `breite`, its lines from the paragraph's top.
GesetzterAbsatz AbsatzSetzen(const FormattedParagraph& a, double breite, double tabstopp, bool inZelle) {
    QString text;
    QList<QTextLayout::FormatRange> formate;
    for (const auto& r : a.runs) {
        QString stück = QString::fromStdString(r.text);
        stück.replace(QChar('\v'), QChar::LineSeparator);
        QTextCharFormat f;
        f.setFont(Schrift(r));
        formate.append({static_cast<int>(text.size()), static_cast<int>(stück.size()), f});
        text += stück;
    }
    // In a table cell a decimal tab stop aligns the number even without a tab before it.
    const bool dezimal = inZelle && !text.contains('\t') &&
                         std::any_of(a.tabStops.begin(), a.tabStops.end(),
                                     [](const auto& t) { return t.alignment == vk::word::wdAlignTabDecimal; });
    if (dezimal) {
        text.prepend('\t');
        for (auto& f : formate) f.start += 1;
        if (!formate.isEmpty()) formate.front().start = 0, formate.front().length += 1;
    }
    GesetzterAbsatz g;
    g.ausrichtung = dezimal ? Qt::AlignLeft : Ausrichtung(a.alignment);
    QTextOption option(g.ausrichtung);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    QList<QTextOption::Tab> tabs;
    for (const auto& t : a.tabStops) tabs << Tabstopp(t);
    option.setTabs(tabs);
    option.setTabStopDistance(tabstopp);
    const QFont grund = a.runs.empty() ? QFont("Arial") : Schrift(a.runs.front());
    g.layout = std::make_shared<QTextLayout>(text, grund);
    g.layout->setTextOption(option);
    g.layout->setFormats(formate);
    g.layout->setCacheEnabled(true);
    g.layout->beginLayout();
    double y = 0;
    for (QTextLine zeile = g.layout->createLine(); zeile.isValid(); zeile = g.layout->createLine()) {
        zeile.setLineWidth(breite);
        zeile.setPosition(QPointF(0, y));
        y += zeile.height();
    }
    g.layout->endLayout();
    return g;
}

double Höhe(const GesetzterAbsatz& a) {
    if (a.layout->text().isEmpty()) return a.layout->font().pixelSize() * kZeilenabstand;
    return a.layout->boundingRect().height();
}

GesetzteZelle ZelleSetzen(const std::vector<FormattedParagraph>& absätze, double breite, double randLinks, double randRechts,
                          double tabstopp, bool inZelle) {
    GesetzteZelle z;
    const double innen = std::max(1.0, breite - randLinks - randRechts);
    double y = 0;
    for (const FormattedParagraph& a : absätze) {
        GesetzterAbsatz g = AbsatzSetzen(a, innen, tabstopp, inZelle);
        g.ort = QPointF(randLinks, y);
        y += Höhe(g);
        z.absätze.push_back(std::move(g));
    }
    z.rahmen = QRectF(0, 0, breite, y);
    return z;
}

}  // namespace

std::shared_ptr<const GesetzterBlock> BlockSetzen(const Blockdaten& block, double tabstopp) {
    auto g = std::make_shared<GesetzterBlock>();
    double x = 0;
    for (const Zellendaten& z : block.zellen) {
        GesetzteZelle gesetzt = ZelleSetzen(z.absätze, z.breite, z.randLinks, z.randRechts, tabstopp, block.tabelle != 0);
        gesetzt.rahmen.moveLeft(x);
        x += z.breite;
        g->höhe = std::max(g->höhe, gesetzt.rahmen.height());
        g->zellen.push_back(std::move(gesetzt));
    }
    for (GesetzteZelle& z : g->zellen) z.rahmen.setHeight(g->höhe);
    return g;
}

GesetzteZelle KastenSetzen(const Kastendaten& kasten, double tabstopp) {
    GesetzteZelle z = ZelleSetzen(kasten.absätze, kasten.rahmen.width() - 2 * kKastenRand, 0, 0, tabstopp, false);
    z.rahmen = kasten.rahmen;
    for (GesetzterAbsatz& a : z.absätze) a.ort += QPointF(kKastenRand, kKastenRand);
    return z;
}

double HöheSchätzen(const Blockdaten& block) {
    double höhe = 0;
    for (const Zellendaten& z : block.zellen) {
        double h = 0;
        for (const FormattedParagraph& a : z.absätze) h += (a.runs.empty() ? 10.0 : a.runs.front().size) * E * kZeilenabstand;
        höhe = std::max(höhe, h);
    }
    return höhe;
}

std::vector<Platz> Umbrechen(const Vorschaudaten& daten, const std::vector<double>& höhen, int& seiten) {
    const double textOben = daten.oben, textUnten = daten.seitenhöhe - daten.unten;
    std::vector<Platz> plätze(höhen.size());
    int seite = 0;
    double y = textOben;
    const auto neueSeite = [&] {
        ++seite;
        y = textOben;
    };
    for (std::size_t i = 0; i < höhen.size(); ++i) {
        const double h = höhen[i];
        if (y + h > textUnten && y > textOben) neueSeite();
        // The text boxes stand on the first page; the body goes on below one, or on the next page
        // when the box reaches the page's end.
        for (const Kastendaten& k : daten.kästen) {
            if (seite != 0 || y >= k.rahmen.bottom() || y + h <= k.rahmen.top()) continue;
            if (k.rahmen.bottom() >= textUnten - 1) {
                neueSeite();
                break;
            }
            y = k.rahmen.bottom();
            if (y + h > textUnten) neueSeite();
        }
        plätze[i] = {seite, y};
        y += h;
    }
    seiten = seite + 1;
    return plätze;
}

}  // namespace vkhost
