#include "platform/word/shape.h"

#include <algorithm>
#include <cmath>

#include "common/fehler.h"
#include "common/stoerstelle.h"
#include "platform/word/detail/kern.h"
#include "platform/word/detail/xml.h"
#include "platform/word/konstanten.h"

namespace vk::word {

using detail::Kern;

namespace {

const char* kNsWp = "http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing";
const char* kNsWps = "http://schemas.microsoft.com/office/word/2010/wordprocessingShape";
const char* kNsA = "http://schemas.openxmlformats.org/drawingml/2006/main";

Kern& Pruefen(const std::shared_ptr<Kern>& k, pugi::xml_node_struct* anker) {
    if (!k || !anker) throw LaufzeitFehler(fehlernummer::ObjektNichtFestgelegt);
    k->Pruefen(pugi::xml_node(anker));
    return *k;
}

pugi::xml_node Form(pugi::xml_node anker) {
    return anker.child("a:graphic").child("a:graphicData").child("wps:wsp");
}

pugi::xml_node SpPr(pugi::xml_node anker) {
    pugi::xml_node wsp = Form(anker);
    if (!wsp) throw LaufzeitFehler(fehlernummer::UngueltigesArgument, "Die Form hat keine Formeigenschaften");
    pugi::xml_node sp = wsp.child("wps:spPr");
    if (!sp) sp = wsp.insert_child_after("wps:spPr", wsp.child("wps:cNvSpPr"));
    if (!sp) sp = wsp.prepend_child("wps:spPr");
    return sp;
}

void Aufraeumen(pugi::xml_node eltern, std::initializer_list<const char*> namen) {
    for (const char* n : namen) eltern.remove_child(n);
}

void NamensraumSichern(pugi::xml_node wurzel, const char* praefix, const char* uri) {
    std::string attr = std::string("xmlns:") + praefix;
    if (!wurzel.attribute(attr.c_str())) wurzel.append_attribute(attr.c_str()).set_value(uri);
}

const char* VertikalName(int bezug) {
    switch (bezug) {
    case wdRelativeVerticalPositionMargin: return "margin";
    case wdRelativeVerticalPositionPage: return "page";
    case wdRelativeVerticalPositionParagraph: return "paragraph";
    case 3: return "line";
    default: throw LaufzeitFehler(fehlernummer::UngueltigesArgument, "Unzulässiger Bezug");
    }
}

const char* HorizontalName(int bezug) {
    switch (bezug) {
    case wdRelativeHorizontalPositionMargin: return "margin";
    case wdRelativeHorizontalPositionPage: return "page";
    case wdRelativeHorizontalPositionColumn: return "column";
    case 3: return "character";
    default: throw LaufzeitFehler(fehlernummer::UngueltigesArgument, "Unzulässiger Bezug");
    }
}

void Versatz(pugi::xml_node position, double punkte) {
    position.remove_child("wp:align");
    pugi::xml_node off = position.child("wp:posOffset");
    if (!off) off = position.append_child("wp:posOffset");
    while (off.first_child()) off.remove_child(off.first_child());
    off.append_child(pugi::node_pcdata).set_value(std::to_string(detail::PunkteNachEmu(punkte)).c_str());
}

double VersatzLesen(pugi::xml_node position) {
    return std::atof(position.child_value("wp:posOffset")) / 12700.0;
}

void Groesse(pugi::xml_node knoten, long long cx, long long cy) {
    detail::Setzen(knoten, "cx", std::to_string(cx));
    detail::Setzen(knoten, "cy", std::to_string(cy));
}

}  // namespace

// --- LineFormat / FillFormat / TextFrame --------------------------------------------------------

LineFormat::LineFormat(std::shared_ptr<Kern> kern, pugi::xml_node_struct* anker) : kern_(std::move(kern)), anker_(anker) {}

bool LineFormat::Visible() const {
    Pruefen(kern_, anker_);
    pugi::xml_node ln = Form(pugi::xml_node(anker_)).child("wps:spPr").child("a:ln");
    if (!ln) return Form(pugi::xml_node(anker_)).child("wps:style").child("a:lnRef") != pugi::xml_node();
    return !ln.child("a:noFill");
}

void LineFormat::SetVisible(bool wert) {
    DokumentStoerung.Punkt("Shape.Line.Visible =", fehlernummer::NichtVerfuegbar);
    Kern& k = Pruefen(kern_, anker_);
    pugi::xml_node sp = SpPr(pugi::xml_node(anker_));
    pugi::xml_node ln = detail::Kind(sp, "a:ln", detail::kSpPr);
    Aufraeumen(ln, {"a:noFill", "a:solidFill", "a:gradFill", "a:pattFill"});
    if (wert) {
        detail::Setzen(ln, "w", "9525");
        detail::Setzen(ln.prepend_child("a:solidFill").append_child("a:srgbClr"), "val", "000000");
    } else {
        ln.prepend_child("a:noFill");
    }
    k.DokumentGeaendert();
}

FillFormat::FillFormat(std::shared_ptr<Kern> kern, pugi::xml_node_struct* anker) : kern_(std::move(kern)), anker_(anker) {}

bool FillFormat::Visible() const {
    Pruefen(kern_, anker_);
    pugi::xml_node sp = Form(pugi::xml_node(anker_)).child("wps:spPr");
    return !sp.child("a:noFill");
}

void FillFormat::SetVisible(bool wert) {
    DokumentStoerung.Punkt("Shape.Fill.Visible =", fehlernummer::NichtVerfuegbar);
    Kern& k = Pruefen(kern_, anker_);
    pugi::xml_node sp = SpPr(pugi::xml_node(anker_));
    Aufraeumen(sp, {"a:noFill", "a:solidFill", "a:gradFill", "a:blipFill", "a:pattFill", "a:grpFill"});
    if (wert) detail::Setzen(detail::KindEinfuegen(sp, "a:solidFill", detail::kSpPr).append_child("a:srgbClr"), "val", "FFFFFF");
    else detail::KindEinfuegen(sp, "a:noFill", detail::kSpPr);
    k.DokumentGeaendert();
}

TextFrame::TextFrame(std::shared_ptr<Kern> kern, pugi::xml_node_struct* anker) : kern_(std::move(kern)), anker_(anker) {}

bool TextFrame::HasText() const {
    Pruefen(kern_, anker_);
    return Form(pugi::xml_node(anker_)).child("wps:txbx").child("w:txbxContent") != pugi::xml_node();
}

word::Range TextFrame::TextRange() const {
    DokumentStoerung.Punkt("TextFrame.TextRange", fehlernummer::NichtVerfuegbar);
    Kern& k = Pruefen(kern_, anker_);
    pugi::xml_node inhalt = Form(pugi::xml_node(anker_)).child("wps:txbx").child("w:txbxContent");
    if (!inhalt) throw LaufzeitFehler(fehlernummer::UngueltigesArgument, "Die Form hat kein Textfeld");
    int sid = k.StoryVon(inhalt);
    long n = k.cache(sid).Laenge();
    return word::Range(kern_, k.NeuerBereich(sid, 0, n));
}

// --- Shape --------------------------------------------------------------------------------------

Shape::Shape(std::shared_ptr<Kern> kern, pugi::xml_node_struct* anker) : kern_(std::move(kern)), anker_(anker) {}
Kern& Shape::kern() const { return Pruefen(kern_, anker_); }

std::string Shape::Name() const {
    kern();
    return pugi::xml_node(anker_).child("wp:docPr").attribute("name").value();
}

void Shape::SetName(std::string_view name) {
    DokumentStoerung.Punkt("Shape.Name =", fehlernummer::NichtVerfuegbar);
    Kern& k = kern();
    pugi::xml_node docPr = pugi::xml_node(anker_).child("wp:docPr");
    if (!docPr) throw LaufzeitFehler(fehlernummer::UngueltigesArgument, "Die Form hat keine Eigenschaften");
    detail::Setzen(docPr, "name", name);
    k.DokumentGeaendert();
}

void Shape::Delete() {
    DokumentStoerung.Punkt("Shape.Delete", fehlernummer::NichtVerfuegbar);
    Kern& k = kern();
    pugi::xml_node zeichnung = pugi::xml_node(anker_).parent();  // w:drawing
    pugi::xml_node weg = zeichnung;
    // in an alternate-content block the fallback is dropped with the choice
    for (pugi::xml_node v = zeichnung.parent(); v && !detail::Ist(v, "w:r"); v = v.parent())
        if (detail::Ist(v, "mc:AlternateContent")) weg = v;
    pugi::xml_node lauf = weg.parent();
    k.Entfernen(weg);
    if (detail::Ist(lauf, "w:r")) {
        bool leer = true;
        for (pugi::xml_node c = detail::ErstesElement(lauf); c; c = detail::NaechstesElement(c))
            if (!detail::Ist(c, "w:rPr")) leer = false;
        if (leer) lauf.parent().remove_child(lauf);
    }
    k.DokumentGeaendert();
    k.Veraendert();
}

word::LineFormat Shape::Line() const { return kern(), word::LineFormat(kern_, anker_); }
word::FillFormat Shape::Fill() const { return kern(), word::FillFormat(kern_, anker_); }
word::TextFrame Shape::TextFrame() const { return kern(), word::TextFrame(kern_, anker_); }

void Shape::SetRelativeVerticalPosition(int bezug) {
    DokumentStoerung.Punkt("Shape.RelativeVerticalPosition =", fehlernummer::NichtVerfuegbar);
    Kern& k = kern();
    pugi::xml_node pos = pugi::xml_node(anker_).child("wp:positionV");
    detail::Setzen(pos, "relativeFrom", VertikalName(bezug));
    k.DokumentGeaendert();
}

int Shape::RelativeVerticalPosition() const {
    kern();
    std::string_view v = pugi::xml_node(anker_).child("wp:positionV").attribute("relativeFrom").value();
    return v == "page" ? wdRelativeVerticalPositionPage : v == "margin" ? wdRelativeVerticalPositionMargin
           : v == "line" ? 3 : wdRelativeVerticalPositionParagraph;
}

void Shape::SetRelativeHorizontalPosition(int bezug) {
    DokumentStoerung.Punkt("Shape.RelativeHorizontalPosition =", fehlernummer::NichtVerfuegbar);
    Kern& k = kern();
    detail::Setzen(pugi::xml_node(anker_).child("wp:positionH"), "relativeFrom", HorizontalName(bezug));
    k.DokumentGeaendert();
}

int Shape::RelativeHorizontalPosition() const {
    kern();
    std::string_view v = pugi::xml_node(anker_).child("wp:positionH").attribute("relativeFrom").value();
    return v == "page" ? wdRelativeHorizontalPositionPage : v == "margin" ? wdRelativeHorizontalPositionMargin
           : v == "character" ? 3 : wdRelativeHorizontalPositionColumn;
}

void Shape::SetTop(double punkte) {
    DokumentStoerung.Punkt("Shape.Top =", fehlernummer::NichtVerfuegbar);
    Kern& k = kern();
    Versatz(pugi::xml_node(anker_).child("wp:positionV"), punkte);
    k.DokumentGeaendert();
}
double Shape::Top() const { return kern(), VersatzLesen(pugi::xml_node(anker_).child("wp:positionV")); }

void Shape::SetLeft(double punkte) {
    DokumentStoerung.Punkt("Shape.Left =", fehlernummer::NichtVerfuegbar);
    Kern& k = kern();
    Versatz(pugi::xml_node(anker_).child("wp:positionH"), punkte);
    k.DokumentGeaendert();
}
double Shape::Left() const { return kern(), VersatzLesen(pugi::xml_node(anker_).child("wp:positionH")); }

double Shape::Width() const { return kern(), pugi::xml_node(anker_).child("wp:extent").attribute("cx").as_double() / 12700.0; }
double Shape::Height() const { return kern(), pugi::xml_node(anker_).child("wp:extent").attribute("cy").as_double() / 12700.0; }

// --- Shapes -------------------------------------------------------------------------------------

Shapes::Shapes(std::shared_ptr<Kern> kern) : kern_(std::move(kern)) {
    if (!kern_) throw LaufzeitFehler(fehlernummer::ObjektNichtFestgelegt);
}

long Shapes::Count() const { return static_cast<long>(kern_->Anker().size()); }

Shape Shapes::Item(long index) const {
    auto anker = kern_->Anker();
    if (index < 1 || index > static_cast<long>(anker.size())) throw LaufzeitFehler(fehlernummer::IndexAusserhalb);
    return Shape(kern_, anker[static_cast<std::size_t>(index) - 1].internal_object());
}

Shape Shapes::AddTextbox(int ausrichtung, double links, double oben, double breite, double hoehe) {
    DokumentStoerung.Punkt("Shapes.AddTextbox", fehlernummer::NichtVerfuegbar);
    Kern& k = *kern_;
    if (ausrichtung != msoTextOrientationHorizontal && ausrichtung != 5)
        throw LaufzeitFehler(fehlernummer::UngueltigesArgument, "Unzulässige Textausrichtung");
    if (!(breite > 0 && hoehe > 0 && breite < 1e5 && hoehe < 1e5 && std::fabs(links) < 1e5 && std::fabs(oben) < 1e5))
        throw LaufzeitFehler(fehlernummer::UngueltigesArgument, "Unzulässige Größe oder Lage");
    pugi::xml_node wurzel = k.dokumentXml().document_element();
    NamensraumSichern(wurzel, "wp", kNsWp);
    NamensraumSichern(wurzel, "wps", kNsWps);
    NamensraumSichern(wurzel, "a", kNsA);

    // the anchor paragraph: the first paragraph of the main text at body level
    pugi::xml_node body = k.story(Kern::kHaupttext).wurzel;
    pugi::xml_node p = body.child("w:p");
    if (!p) {
        pugi::xml_node erstes = detail::ErstesElement(body);
        p = erstes ? body.insert_child_before("w:p", erstes) : body.append_child("w:p");
    }
    pugi::xml_node ppr = p.child("w:pPr");
    pugi::xml_node lauf = ppr ? p.insert_child_after("w:r", ppr) : p.prepend_child("w:r");

    long id = 0;
    struct Sammler : pugi::xml_tree_walker {
        long* id;
        bool for_each(pugi::xml_node& n) override {
            std::string_view name = n.name();
            if (name == "wp:docPr" || name == "pic:cNvPr") *id = std::max(*id, static_cast<long>(n.attribute("id").as_llong(0) % 2000000000));
            return true;
        }
    } sammler;
    sammler.id = &id;
    wurzel.traverse(sammler);
    ++id;
    long long cx = detail::PunkteNachEmu(breite), cy = detail::PunkteNachEmu(hoehe);

    pugi::xml_node anker = lauf.append_child("w:drawing").append_child("wp:anchor");
    for (auto [n, v] : std::initializer_list<std::pair<const char*, const char*>>{
             {"distT", "0"}, {"distB", "0"}, {"distL", "114300"}, {"distR", "114300"}, {"simplePos", "0"},
             {"relativeHeight", "251659264"}, {"behindDoc", "0"}, {"locked", "0"}, {"layoutInCell", "1"},
             {"allowOverlap", "1"}})
        detail::Setzen(anker, n, v);
    pugi::xml_node sp = anker.append_child("wp:simplePos");
    detail::Setzen(sp, "x", "0");
    detail::Setzen(sp, "y", "0");
    pugi::xml_node ph = anker.append_child("wp:positionH");
    detail::Setzen(ph, "relativeFrom", "page");
    Versatz(ph, links);
    pugi::xml_node pv = anker.append_child("wp:positionV");
    detail::Setzen(pv, "relativeFrom", "page");
    Versatz(pv, oben);
    Groesse(anker.append_child("wp:extent"), cx, cy);
    pugi::xml_node ee = anker.append_child("wp:effectExtent");
    for (const char* s : {"l", "t", "r", "b"}) detail::Setzen(ee, s, "0");
    anker.append_child("wp:wrapNone");
    pugi::xml_node docPr = anker.append_child("wp:docPr");
    detail::Setzen(docPr, "id", id);
    detail::Setzen(docPr, "name", "Textfeld " + std::to_string(id));
    anker.append_child("wp:cNvGraphicFramePr");
    pugi::xml_node gd = anker.append_child("a:graphic").append_child("a:graphicData");
    detail::Setzen(gd, "uri", kNsWps);
    pugi::xml_node wsp = gd.append_child("wps:wsp");
    detail::Setzen(wsp.append_child("wps:cNvSpPr"), "txBox", "1");
    pugi::xml_node spPr = wsp.append_child("wps:spPr");
    pugi::xml_node xfrm = spPr.append_child("a:xfrm");
    pugi::xml_node off = xfrm.append_child("a:off");
    detail::Setzen(off, "x", "0");
    detail::Setzen(off, "y", "0");
    pugi::xml_node ext = xfrm.append_child("a:ext");
    Groesse(ext, cx, cy);
    pugi::xml_node geom = spPr.append_child("a:prstGeom");
    detail::Setzen(geom, "prst", "rect");
    geom.append_child("a:avLst");
    detail::Setzen(spPr.append_child("a:solidFill").append_child("a:srgbClr"), "val", "FFFFFF");
    pugi::xml_node ln = spPr.append_child("a:ln");
    detail::Setzen(ln, "w", "9525");
    detail::Setzen(ln.append_child("a:solidFill").append_child("a:srgbClr"), "val", "000000");
    wsp.append_child("wps:txbx").append_child("w:txbxContent").append_child("w:p");
    pugi::xml_node body_pr = wsp.append_child("wps:bodyPr");
    for (auto [n, v] : std::initializer_list<std::pair<const char*, const char*>>{
             {"rot", "0"}, {"vert", ausrichtung == 5 ? "vert" : "horz"}, {"wrap", "square"}, {"lIns", "91440"},
             {"tIns", "45720"}, {"rIns", "91440"}, {"bIns", "45720"}, {"anchor", "t"}, {"anchorCtr", "0"}})
        detail::Setzen(body_pr, n, v);
    body_pr.append_child("a:noAutofit");

    k.DokumentGeaendert();
    k.Veraendert();
    return Shape(kern_, anker.internal_object());
}

}  // namespace vk::word
