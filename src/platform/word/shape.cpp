#include "platform/word/shape.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <system_error>
#include <string>
#include <vector>

#include "common/fehler.h"
#include "common/stoerstelle.h"
#include "platform/word/detail/kern.h"
#include "platform/word/detail/xml.h"
#include "platform/word/konstanten.h"

namespace vk::word {

using detail::Kern;

namespace {

const char* kNsV = "urn:schemas-microsoft-com:vml";
const char* kNsW10 = "urn:schemas-microsoft-com:office:word";

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
    return detail::Zahl(position.child_value("wp:posOffset")) / 12700.0;
}

// --- VML shapes (w:pict): place and size live in the style attribute, "key:value;key:value" ---

bool IstVml(pugi::xml_node form) { return std::string_view(form.name()).substr(0, 2) == "v:"; }

std::string_view Leerraumfrei(std::string_view t) {
    while (!t.empty() && (t.front() == ' ' || t.front() == '\t')) t.remove_prefix(1);
    while (!t.empty() && (t.back() == ' ' || t.back() == '\t')) t.remove_suffix(1);
    return t;
}

std::string StilLesen(pugi::xml_node form, std::string_view schluessel) {
    std::string_view stil = form.attribute("style").value();
    while (!stil.empty()) {
        std::size_t ende = stil.find(';');
        std::string_view paar = stil.substr(0, ende);
        stil = ende == std::string_view::npos ? std::string_view() : stil.substr(ende + 1);
        std::size_t dp = paar.find(':');
        if (dp != std::string_view::npos && Leerraumfrei(paar.substr(0, dp)) == schluessel)
            return std::string(Leerraumfrei(paar.substr(dp + 1)));
    }
    return {};
}

void StilSetzen(pugi::xml_node form, std::string_view schluessel, const std::string& wert) {
    std::string_view stil = form.attribute("style").value();
    std::string neu;
    bool gesetzt = false;
    while (!stil.empty()) {
        std::size_t ende = stil.find(';');
        std::string_view paar = stil.substr(0, ende);
        stil = ende == std::string_view::npos ? std::string_view() : stil.substr(ende + 1);
        if (Leerraumfrei(paar).empty()) continue;
        std::size_t dp = paar.find(':');
        if (!neu.empty()) neu += ';';
        if (dp != std::string_view::npos && Leerraumfrei(paar.substr(0, dp)) == schluessel) {
            neu += std::string(schluessel) + ":" + wert;
            gesetzt = true;
        } else {
            neu += paar;
        }
    }
    if (!gesetzt) neu += (neu.empty() ? "" : ";") + std::string(schluessel) + ":" + wert;
    detail::Setzen(form, "style", neu);
}

// A VML length in points: pt, in, cm, mm, pc, px (at 96 per inch) or a bare number of pixels. Read
// and written without the process locale: a host may run with a decimal comma.
double VmlLaenge(const std::string& text) {
    std::string_view t = Leerraumfrei(text);
    double zahl = 0;
    auto [rest, fehler] = std::from_chars(t.data(), t.data() + t.size(), zahl);
    if (fehler != std::errc()) return 0;
    std::string_view einheit = Leerraumfrei(std::string_view(rest, static_cast<std::size_t>(t.data() + t.size() - rest)));
    if (einheit == "pt") return zahl;
    if (einheit == "in") return zahl * 72.0;
    if (einheit == "cm") return zahl * 72.0 / 2.54;
    if (einheit == "mm") return zahl * 72.0 / 25.4;
    if (einheit == "pc") return zahl * 12.0;
    return zahl * 0.75;
}

std::string PunkteText(double punkte) {
    char puffer[48];
    auto [ende, fehler] = std::to_chars(puffer, puffer + sizeof puffer, punkte, std::chars_format::fixed, 2);
    std::string t(puffer, fehler == std::errc() ? ende : puffer);
    if (t.find('.') != std::string::npos) {
        while (t.back() == '0') t.pop_back();
        if (t.back() == '.') t.pop_back();
    }
    return (t.empty() || t == "-0" ? std::string("0") : t) + "pt";
}

// VML switches: "f", "false", "0" and "off" are off; a missing one has its default.
bool VmlSchalter(pugi::xml_node form, const char* name, bool vorgabe) {
    pugi::xml_attribute a = form.attribute(name);
    if (!a) return vorgabe;
    std::string_view v = a.value();
    return !(v == "f" || v == "false" || v == "0" || v == "off");
}

const char* VmlVertikalName(int bezug) {
    switch (bezug) {
    case wdRelativeVerticalPositionMargin: return "margin";
    case wdRelativeVerticalPositionPage: return "page";
    case wdRelativeVerticalPositionParagraph: return "text";
    case 3: return "line";
    default: throw LaufzeitFehler(fehlernummer::UngueltigesArgument, "Unzulässiger Bezug");
    }
}

const char* VmlHorizontalName(int bezug) {
    switch (bezug) {
    case wdRelativeHorizontalPositionMargin: return "margin";
    case wdRelativeHorizontalPositionPage: return "page";
    case wdRelativeHorizontalPositionColumn: return "text";
    case 3: return "char";
    default: throw LaufzeitFehler(fehlernummer::UngueltigesArgument, "Unzulässiger Bezug");
    }
}

pugi::xml_node Textinhalt(pugi::xml_node form) {
    if (IstVml(form)) return form.child("v:textbox").child("w:txbxContent");
    return Form(form).child("wps:txbx").child("w:txbxContent");
}

}  // namespace

// --- LineFormat / FillFormat / TextFrame --------------------------------------------------------

LineFormat::LineFormat(std::shared_ptr<Kern> kern, pugi::xml_node_struct* anker) : kern_(std::move(kern)), anker_(anker) {}

bool LineFormat::Visible() const {
    Pruefen(kern_, anker_);
    if (IstVml(pugi::xml_node(anker_))) return VmlSchalter(pugi::xml_node(anker_), "stroked", true);
    pugi::xml_node ln = Form(pugi::xml_node(anker_)).child("wps:spPr").child("a:ln");
    if (!ln) return Form(pugi::xml_node(anker_)).child("wps:style").child("a:lnRef") != pugi::xml_node();
    return !ln.child("a:noFill");
}

void LineFormat::SetVisible(bool wert) {
    DokumentStoerung.Punkt("Shape.Line.Visible =", fehlernummer::NichtVerfuegbar);
    Kern& k = Pruefen(kern_, anker_);
    if (IstVml(pugi::xml_node(anker_))) {
        detail::Setzen(pugi::xml_node(anker_), "stroked", wert ? "t" : "f");
        k.DokumentGeaendert();
        return;
    }
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
    if (IstVml(pugi::xml_node(anker_))) return VmlSchalter(pugi::xml_node(anker_), "filled", true);
    pugi::xml_node sp = Form(pugi::xml_node(anker_)).child("wps:spPr");
    return !sp.child("a:noFill");
}

void FillFormat::SetVisible(bool wert) {
    DokumentStoerung.Punkt("Shape.Fill.Visible =", fehlernummer::NichtVerfuegbar);
    Kern& k = Pruefen(kern_, anker_);
    if (IstVml(pugi::xml_node(anker_))) {
        detail::Setzen(pugi::xml_node(anker_), "filled", wert ? "t" : "f");
        k.DokumentGeaendert();
        return;
    }
    pugi::xml_node sp = SpPr(pugi::xml_node(anker_));
    Aufraeumen(sp, {"a:noFill", "a:solidFill", "a:gradFill", "a:blipFill", "a:pattFill", "a:grpFill"});
    if (wert) detail::Setzen(detail::KindEinfuegen(sp, "a:solidFill", detail::kSpPr).append_child("a:srgbClr"), "val", "FFFFFF");
    else detail::KindEinfuegen(sp, "a:noFill", detail::kSpPr);
    k.DokumentGeaendert();
}

TextFrame::TextFrame(std::shared_ptr<Kern> kern, pugi::xml_node_struct* anker) : kern_(std::move(kern)), anker_(anker) {}

bool TextFrame::HasText() const {
    Pruefen(kern_, anker_);
    return Textinhalt(pugi::xml_node(anker_)) != pugi::xml_node();
}

word::Range TextFrame::TextRange() const {
    DokumentStoerung.Punkt("TextFrame.TextRange", fehlernummer::NichtVerfuegbar);
    Kern& k = Pruefen(kern_, anker_);
    pugi::xml_node inhalt = Textinhalt(pugi::xml_node(anker_));
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
    pugi::xml_node form(anker_);
    if (IstVml(form)) return form.attribute("id").value();  // a VML shape is named by its id, as Word names it
    return form.child("wp:docPr").attribute("name").value();
}

void Shape::SetName(std::string_view name) {
    DokumentStoerung.Punkt("Shape.Name =", fehlernummer::NichtVerfuegbar);
    Kern& k = kern();
    if (IstVml(pugi::xml_node(anker_))) {
        detail::Setzen(pugi::xml_node(anker_), "id", name);
        k.DokumentGeaendert();
        return;
    }
    pugi::xml_node docPr = pugi::xml_node(anker_).child("wp:docPr");
    if (!docPr) throw LaufzeitFehler(fehlernummer::UngueltigesArgument, "Die Form hat keine Eigenschaften");
    detail::Setzen(docPr, "name", name);
    k.DokumentGeaendert();
}

void Shape::Delete() {
    DokumentStoerung.Punkt("Shape.Delete", fehlernummer::NichtVerfuegbar);
    Kern& k = kern();
    pugi::xml_node zeichnung = pugi::xml_node(anker_).parent();  // w:drawing or w:pict
    pugi::xml_node weg = zeichnung;
    // in an alternate-content block the fallback is dropped with the choice
    for (pugi::xml_node v = zeichnung.parent(); v && !detail::Ist(v, "w:r"); v = v.parent())
        if (detail::Ist(v, "mc:AlternateContent")) weg = v;
    pugi::xml_node lauf = weg.parent();
    const bool kommentareDarin = !k.Herausnehmen(weg).empty();
    if (detail::Ist(lauf, "w:r")) {
        bool leer = true;
        for (pugi::xml_node c = detail::ErstesElement(lauf); c; c = detail::NaechstesElement(c))
            if (!detail::Ist(c, "w:rPr")) leer = false;
        if (leer) lauf.parent().remove_child(lauf);
    }
    k.DokumentGeaendert();
    // The anchor held no character of the main text (nor did its emptied run); comments anchored in
    // the box went with it, and their marks may have stood anywhere.
    if (kommentareDarin) k.Veraendert();
    else k.FormEntfernt(weg);
}

word::LineFormat Shape::Line() const { return kern(), word::LineFormat(kern_, anker_); }
word::FillFormat Shape::Fill() const { return kern(), word::FillFormat(kern_, anker_); }
word::TextFrame Shape::TextFrame() const { return kern(), word::TextFrame(kern_, anker_); }

void Shape::SetRelativeVerticalPosition(int bezug) {
    DokumentStoerung.Punkt("Shape.RelativeVerticalPosition =", fehlernummer::NichtVerfuegbar);
    Kern& k = kern();
    if (IstVml(pugi::xml_node(anker_))) {
        StilSetzen(pugi::xml_node(anker_), "mso-position-vertical-relative", VmlVertikalName(bezug));
        k.DokumentGeaendert();
        return;
    }
    pugi::xml_node pos = pugi::xml_node(anker_).child("wp:positionV");
    detail::Setzen(pos, "relativeFrom", VertikalName(bezug));
    k.DokumentGeaendert();
}

int Shape::RelativeVerticalPosition() const {
    kern();
    const std::string vml = IstVml(pugi::xml_node(anker_))
                                ? StilLesen(pugi::xml_node(anker_), "mso-position-vertical-relative") : std::string();
    std::string_view v = IstVml(pugi::xml_node(anker_))
                             ? std::string_view(vml)
                             : pugi::xml_node(anker_).child("wp:positionV").attribute("relativeFrom").value();
    return v == "page" ? wdRelativeVerticalPositionPage : v == "margin" ? wdRelativeVerticalPositionMargin
           : v == "line" ? 3 : wdRelativeVerticalPositionParagraph;
}

void Shape::SetRelativeHorizontalPosition(int bezug) {
    DokumentStoerung.Punkt("Shape.RelativeHorizontalPosition =", fehlernummer::NichtVerfuegbar);
    Kern& k = kern();
    if (IstVml(pugi::xml_node(anker_))) {
        StilSetzen(pugi::xml_node(anker_), "mso-position-horizontal-relative", VmlHorizontalName(bezug));
        k.DokumentGeaendert();
        return;
    }
    detail::Setzen(pugi::xml_node(anker_).child("wp:positionH"), "relativeFrom", HorizontalName(bezug));
    k.DokumentGeaendert();
}

int Shape::RelativeHorizontalPosition() const {
    kern();
    const std::string vml = IstVml(pugi::xml_node(anker_))
                                ? StilLesen(pugi::xml_node(anker_), "mso-position-horizontal-relative") : std::string();
    std::string_view v = IstVml(pugi::xml_node(anker_))
                             ? std::string_view(vml)
                             : pugi::xml_node(anker_).child("wp:positionH").attribute("relativeFrom").value();
    return v == "page" ? wdRelativeHorizontalPositionPage : v == "margin" ? wdRelativeHorizontalPositionMargin
           : v == "character" || v == "char" ? 3 : wdRelativeHorizontalPositionColumn;
}

void Shape::SetTop(double punkte) {
    DokumentStoerung.Punkt("Shape.Top =", fehlernummer::NichtVerfuegbar);
    Kern& k = kern();
    if (IstVml(pugi::xml_node(anker_))) StilSetzen(pugi::xml_node(anker_), "margin-top", PunkteText(punkte));
    else Versatz(pugi::xml_node(anker_).child("wp:positionV"), punkte);
    k.DokumentGeaendert();
}
double Shape::Top() const {
    kern();
    if (IstVml(pugi::xml_node(anker_))) return VmlLaenge(StilLesen(pugi::xml_node(anker_), "margin-top"));
    return VersatzLesen(pugi::xml_node(anker_).child("wp:positionV"));
}

void Shape::SetLeft(double punkte) {
    DokumentStoerung.Punkt("Shape.Left =", fehlernummer::NichtVerfuegbar);
    Kern& k = kern();
    if (IstVml(pugi::xml_node(anker_))) StilSetzen(pugi::xml_node(anker_), "margin-left", PunkteText(punkte));
    else Versatz(pugi::xml_node(anker_).child("wp:positionH"), punkte);
    k.DokumentGeaendert();
}
double Shape::Left() const {
    kern();
    if (IstVml(pugi::xml_node(anker_))) return VmlLaenge(StilLesen(pugi::xml_node(anker_), "margin-left"));
    return VersatzLesen(pugi::xml_node(anker_).child("wp:positionH"));
}

double Shape::Width() const {
    kern();
    if (IstVml(pugi::xml_node(anker_))) return VmlLaenge(StilLesen(pugi::xml_node(anker_), "width"));
    return detail::Zahl(pugi::xml_node(anker_).child("wp:extent").attribute("cx").value()) / 12700.0;
}
double Shape::Height() const {
    kern();
    if (IstVml(pugi::xml_node(anker_))) return VmlLaenge(StilLesen(pugi::xml_node(anker_), "height"));
    return detail::Zahl(pugi::xml_node(anker_).child("wp:extent").attribute("cy").value()) / 12700.0;
}

// --- Shapes -------------------------------------------------------------------------------------

Shapes::Shapes(std::shared_ptr<Kern> kern) : kern_(std::move(kern)) {
    if (!kern_) throw LaufzeitFehler(fehlernummer::ObjektNichtFestgelegt);
}

long Shapes::Count() const { return static_cast<long>(kern_->Anker().size()); }

Shape Shapes::Item(long index) const {
    const auto& anker = kern_->Anker();
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
    NamensraumSichern(wurzel, "v", kNsV);
    NamensraumSichern(wurzel, "w10", kNsW10);

    // a name no other shape has: "Textfeld N"
    std::vector<std::string> namen;
    for (long i = 1; i <= Count(); ++i) namen.push_back(Item(i).Name());
    long nummer = Count() + 1;
    while (std::find(namen.begin(), namen.end(), "Textfeld " + std::to_string(nummer)) != namen.end()) ++nummer;

    // the anchor paragraph: the first paragraph of the main text at body level
    pugi::xml_node body = k.story(Kern::kHaupttext).wurzel;
    pugi::xml_node p = body.child("w:p");
    const bool neuerAbsatz = !p;
    if (!p) {
        pugi::xml_node erstes = detail::ErstesElement(body);
        p = erstes ? body.insert_child_before("w:p", erstes) : body.append_child("w:p");
    }
    pugi::xml_node ppr = p.child("w:pPr");
    pugi::xml_node lauf = ppr ? p.insert_child_after("w:r", ppr) : p.prepend_child("w:r");

    // A VML text box, as Word writes one in a document of its 2007 format, rather than a DrawingML
    // anchor: LibreOffice lays a VML text box out as a frame and keeps table rows clear of it, while
    // it draws a DrawingML shape over any table that runs into it. The body text flows above and
    // below the box (top and bottom wrapping) in both programs, so nothing prints over it. Line and
    // fill are VML's defaults: black, 0,75 pt, on white.
    pugi::xml_node form = lauf.append_child("w:pict").append_child("v:rect");
    detail::Setzen(form, "id", "Textfeld " + std::to_string(nummer));
    std::string stil = "position:absolute;margin-left:" + PunkteText(links) + ";margin-top:" + PunkteText(oben) +
                       ";width:" + PunkteText(breite) + ";height:" + PunkteText(hoehe) +
                       ";z-index:251659264;mso-position-horizontal-relative:page;mso-position-vertical-relative:page";
    detail::Setzen(form, "style", stil);
    pugi::xml_node textbox = form.append_child("v:textbox");
    if (ausrichtung == 5) detail::Setzen(textbox, "style", "layout-flow:vertical");
    textbox.append_child("w:txbxContent").append_child("w:p");
    pugi::xml_node umbruch = form.append_child("w10:wrap");
    detail::Setzen(umbruch, "type", "topAndBottom");
    detail::Setzen(umbruch, "anchorx", "page");
    detail::Setzen(umbruch, "anchory", "page");

    k.DokumentGeaendert();
    // The anchor run adds no character to the main text; a paragraph made for it does.
    if (neuerAbsatz) k.Veraendert();
    else k.FormHinzugefuegt(form);
    return Shape(kern_, form.internal_object());
}

}  // namespace vk::word
