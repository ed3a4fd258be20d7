#include "platform/word/paragraph_format.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "common/fehler.h"
#include "common/stoerstelle.h"
#include "platform/word/detail/kern.h"
#include "platform/word/detail/xml.h"
#include "platform/word/konstanten.h"

namespace vk::word {

using detail::Kern;

namespace {

pugi::xml_node PPr(pugi::xml_node p) { return detail::Eigenschaften(p, "w:pPr"); }

void Pruefe(const std::shared_ptr<Kern>& k, const std::vector<pugi::xml_node_struct*>& absaetze) {
    if (!k) throw LaufzeitFehler(fehlernummer::ObjektNichtFestgelegt);
    for (auto* p : absaetze) k->Pruefen(pugi::xml_node(p));
}

}  // namespace

// --- ParagraphFormat ----------------------------------------------------------------------------

ParagraphFormat::ParagraphFormat(std::shared_ptr<Kern> kern, std::vector<pugi::xml_node_struct*> absaetze)
    : kern_(std::move(kern)), absaetze_(std::move(absaetze)) {}

void ParagraphFormat::SetAlignment(int ausrichtung) {
    DokumentStoerung.Punkt("ParagraphFormat.Alignment =", fehlernummer::NichtVerfuegbar);
    Pruefe(kern_, absaetze_);
    const char* wert = nullptr;
    switch (ausrichtung) {
    case wdAlignParagraphLeft: wert = "left"; break;
    case wdAlignParagraphCenter: wert = "center"; break;
    case wdAlignParagraphRight: wert = "right"; break;
    case wdAlignParagraphJustify: wert = "both"; break;
    default: throw LaufzeitFehler(fehlernummer::UngueltigesArgument, "Unzulässige Ausrichtung");
    }
    for (auto* p : absaetze_) {
        detail::Setzen(detail::Kind(PPr(pugi::xml_node(p)), "w:jc", detail::kPPr), "w:val", wert);
        kern_->GeaendertBei(pugi::xml_node(p));
    }
}

int ParagraphFormat::Alignment() const {
    Pruefe(kern_, absaetze_);
    int ergebnis = -1;
    for (auto* p : absaetze_) {
        std::string_view v = pugi::xml_node(p).child("w:pPr").child("w:jc").attribute("w:val").value();
        int a = (v == "center") ? wdAlignParagraphCenter
                : (v == "right" || v == "end") ? wdAlignParagraphRight
                : (v == "both" || v == "distribute") ? wdAlignParagraphJustify
                                                     : wdAlignParagraphLeft;
        if (ergebnis < 0) ergebnis = a;
        else if (ergebnis != a) return wdUndefined;
    }
    return ergebnis < 0 ? wdAlignParagraphLeft : ergebnis;
}

word::TabStops ParagraphFormat::TabStops() const { return word::TabStops(kern_, absaetze_); }

// --- TabStops -----------------------------------------------------------------------------------

TabStops::TabStops(std::shared_ptr<Kern> kern, std::vector<pugi::xml_node_struct*> absaetze)
    : kern_(std::move(kern)), absaetze_(std::move(absaetze)) {}

void TabStops::Add(double position, int ausrichtung, int fuellzeichen) {
    DokumentStoerung.Punkt("TabStops.Add", fehlernummer::NichtVerfuegbar);
    Pruefe(kern_, absaetze_);
    if (!(position >= 0 && position <= 1584)) throw LaufzeitFehler(fehlernummer::UngueltigesArgument, "Unzulässige Tabstopp-Position");
    const char* art = nullptr;
    switch (ausrichtung) {
    case wdAlignTabLeft: art = "left"; break;
    case wdAlignTabCenter: art = "center"; break;
    case wdAlignTabRight: art = "right"; break;
    case wdAlignTabDecimal: art = "decimal"; break;
    case 4: art = "bar"; break;
    default: throw LaufzeitFehler(fehlernummer::UngueltigesArgument, "Unzulässige Tabstopp-Ausrichtung");
    }
    const char* fuellung = fuellzeichen == wdTabLeaderDots ? "dot" : fuellzeichen == 2 ? "hyphen" : fuellzeichen == 3 ? "underscore" : "none";
    long twips = detail::PunkteNachTwips(position);
    for (auto* pk : absaetze_) {
        pugi::xml_node tabs = detail::Kind(PPr(pugi::xml_node(pk)), "w:tabs", detail::kPPr);
        pugi::xml_node vor;
        for (pugi::xml_node t = tabs.child("w:tab"); t;) {
            pugi::xml_node weiter = t.next_sibling("w:tab");
            long pos = t.attribute("w:pos").as_int(0);
            if (pos == twips) tabs.remove_child(t);
            else if (pos > twips && !vor) vor = t;
            t = weiter;
        }
        pugi::xml_node tab = vor ? tabs.insert_child_before("w:tab", vor) : tabs.append_child("w:tab");
        detail::Setzen(tab, "w:val", art);
        detail::Setzen(tab, "w:leader", fuellung);
        detail::Setzen(tab, "w:pos", twips);
        kern_->GeaendertBei(pugi::xml_node(pk));
    }
}

void TabStops::ClearAll() {
    Pruefe(kern_, absaetze_);
    for (auto* p : absaetze_) {
        pugi::xml_node(p).child("w:pPr").remove_child("w:tabs");
        kern_->GeaendertBei(pugi::xml_node(p));
    }
}

long TabStops::Count() const {
    Pruefe(kern_, absaetze_);
    if (absaetze_.empty()) return 0;
    long n = 0;
    for (pugi::xml_node t : pugi::xml_node(absaetze_.front()).child("w:pPr").child("w:tabs").children("w:tab"))
        if (std::string_view(t.attribute("w:val").value()) != "clear") ++n;
    return n;
}

}  // namespace vk::word
