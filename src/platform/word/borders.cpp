#include "platform/word/borders.h"

#include <string_view>

#include "common/fehler.h"
#include "common/stoerstelle.h"
#include "platform/word/detail/block.h"
#include "platform/word/detail/kern.h"
#include "platform/word/detail/xml.h"
#include "platform/word/konstanten.h"

namespace vk::word {

using detail::Kern;

namespace {

const char* Seitenname(int seite) {
    switch (seite) {
    case wdBorderTop: return "w:top";
    case wdBorderLeft: return "w:left";
    case wdBorderBottom: return "w:bottom";
    case wdBorderRight: return "w:right";
    case wdBorderHorizontal: return "w:insideH";
    case wdBorderVertical: return "w:insideV";
    default: return nullptr;
    }
}

// "left"/"right" have the newer names "start"/"end"; a part may use either.
const char* Alternativname(std::string_view name) {
    if (name == "w:left") return "w:start";
    if (name == "w:right") return "w:end";
    return nullptr;
}

void Linie(pugi::xml_node raender, const char* name, int stil, std::initializer_list<const char*> reihenfolge) {
    if (const char* alt = Alternativname(name)) raender.remove_child(alt);
    pugi::xml_node r = detail::Kind(raender, name, reihenfolge);
    for (const char* a : {"w:val", "w:sz", "w:space", "w:color"}) r.remove_attribute(a);
    if (stil == wdLineStyleNone) {
        detail::Setzen(r, "w:val", "nil");
    } else {
        detail::Setzen(r, "w:val", "single");
        detail::Setzen(r, "w:sz", "4");
        detail::Setzen(r, "w:space", "0");
        detail::Setzen(r, "w:color", "auto");
    }
}

int Lesen(pugi::xml_node raender, const char* name) {
    pugi::xml_node r = raender.child(name);
    if (!r)
        if (const char* alt = Alternativname(name)) r = raender.child(alt);
    std::string_view v = r.attribute("w:val").value();
    return (!r || v == "nil" || v == "none") ? wdLineStyleNone : wdLineStyleSingle;
}

pugi::xml_node ZellRaender(pugi::xml_node tc) {
    return detail::Kind(detail::Eigenschaften(tc, "w:tcPr"), "w:tcBorders", detail::kTcPr);
}

}  // namespace

Borders::Borders(std::shared_ptr<Kern> kern, std::shared_ptr<detail::Auswahl> block)
    : kern_(std::move(kern)), block_(std::move(block)) {}

Border Borders::Item(int seite) const {
    if (!Seitenname(seite)) throw LaufzeitFehler(fehlernummer::UngueltigesArgument, "Unzulässiger Rahmen");
    return Border(kern_, block_, seite);
}

Border::Border(std::shared_ptr<Kern> kern, std::shared_ptr<detail::Auswahl> block, int seite)
    : kern_(std::move(kern)), block_(std::move(block)), seite_(seite) {}

void Border::SetLineStyle(int stil) {
    DokumentStoerung.Punkt("Border.LineStyle =", fehlernummer::NichtVerfuegbar);
    if (!kern_ || !block_ || !block_->tabelle) throw LaufzeitFehler(fehlernummer::ObjektNichtFestgelegt);
    if (stil < 0 || stil > 24) throw LaufzeitFehler(fehlernummer::UngueltigesArgument, "Unzulässige Linienart");
    pugi::xml_node tbl(block_->tabelle);
    kern_->Pruefen(tbl);
    const char* name = Seitenname(seite_);
    const detail::Auswahl& b = *block_;
    if (detail::GanzeTabelle(b)) {
        pugi::xml_node tblPr = detail::Eigenschaften(tbl, "w:tblPr");
        Linie(detail::Kind(tblPr, "w:tblBorders", detail::kTblPr), name, stil, detail::kTblBorders);
        // cell borders would override the table's: the same side of every cell follows it
        for (pugi::xml_node tc : detail::BlockZellen(b)) {
            pugi::xml_node r = tc.child("w:tcPr").child("w:tcBorders");
            if (r && (r.child(name) || (Alternativname(name) && r.child(Alternativname(name)))))
                Linie(r, name, stil, detail::kTcBorders);
        }
    } else {
        long z = 0;
        for (pugi::xml_node tr : detail::Zeilen(tbl)) {
            ++z;
            if (z < b.zeile1 || z > b.zeile2) continue;
            auto zellen = detail::Zellen(tr);
            long letzte = std::min<long>(b.spalte2, static_cast<long>(zellen.size()));
            for (long s = b.spalte1; s <= letzte; ++s) {
                pugi::xml_node tc = zellen[static_cast<std::size_t>(s) - 1];
                auto setzen = [&](const char* seite) { Linie(ZellRaender(tc), seite, stil, detail::kTcBorders); };
                switch (seite_) {
                case wdBorderTop: if (z == b.zeile1) setzen("w:top"); break;
                case wdBorderBottom: if (z == b.zeile2) setzen("w:bottom"); break;
                case wdBorderLeft: if (s == b.spalte1) setzen("w:left"); break;
                case wdBorderRight: if (s == letzte) setzen("w:right"); break;
                case wdBorderHorizontal:
                    if (z > b.zeile1) setzen("w:top");
                    if (z < b.zeile2) setzen("w:bottom");
                    break;
                case wdBorderVertical:
                    if (s > b.spalte1) setzen("w:left");
                    if (s < letzte) setzen("w:right");
                    break;
                }
            }
        }
    }
    kern_->DokumentGeaendert();
}

int Border::LineStyle() const {
    if (!kern_ || !block_ || !block_->tabelle) throw LaufzeitFehler(fehlernummer::ObjektNichtFestgelegt);
    pugi::xml_node tbl(block_->tabelle);
    kern_->Pruefen(tbl);
    const char* name = Seitenname(seite_);
    if (!detail::GanzeTabelle(*block_)) {
        auto zellen = detail::BlockZellen(*block_);
        if (!zellen.empty()) {
            pugi::xml_node r = zellen.front().child("w:tcPr").child("w:tcBorders");
            const char* zn = seite_ == wdBorderHorizontal ? "w:bottom" : seite_ == wdBorderVertical ? "w:right" : name;
            if (r.child(zn)) return Lesen(r, zn);
        }
    }
    return Lesen(tbl.child("w:tblPr").child("w:tblBorders"), name);
}

}  // namespace vk::word
