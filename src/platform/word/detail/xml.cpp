#include "platform/word/detail/xml.h"

#include <cstring>

#include "common/konvertierung.h"
#include "platform/word/detail/wohlgeformt.h"

namespace vk::word::detail {

double Zahl(const char* text, double standard) {
    std::string_view s = text ? text : "";
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return CZahlLesen(s).value_or(standard);
}

const std::initializer_list<const char*> kPPr = {
    "w:pStyle", "w:keepNext", "w:keepLines", "w:pageBreakBefore", "w:framePr", "w:widowControl", "w:numPr",
    "w:suppressLineNumbers", "w:pBdr", "w:shd", "w:tabs", "w:suppressAutoHyphens", "w:kinsoku", "w:wordWrap",
    "w:overflowPunct", "w:topLinePunct", "w:autoSpaceDE", "w:autoSpaceDN", "w:bidi", "w:adjustRightInd",
    "w:snapToGrid", "w:spacing", "w:ind", "w:contextualSpacing", "w:mirrorIndents", "w:suppressOverlap", "w:jc",
    "w:textDirection", "w:textAlignment", "w:textboxTightWrap", "w:outlineLvl", "w:divId", "w:cnfStyle",
    "w:rPr", "w:sectPr", "w:pPrChange"};
const std::initializer_list<const char*> kRPr = {
    "w:ins", "w:del", "w:moveFrom", "w:moveTo", "w:rStyle", "w:rFonts", "w:b", "w:bCs", "w:i", "w:iCs",
    "w:caps", "w:smallCaps", "w:strike", "w:dstrike", "w:outline", "w:shadow", "w:emboss", "w:imprint",
    "w:noProof", "w:snapToGrid", "w:vanish", "w:webHidden", "w:color", "w:spacing", "w:w", "w:kern",
    "w:position", "w:sz", "w:szCs", "w:highlight", "w:u", "w:effect", "w:bdr", "w:shd", "w:fitText",
    "w:vertAlign", "w:rtl", "w:cs", "w:em", "w:lang", "w:eastAsianLayout", "w:specVanish", "w:oMath",
    "w:rPrChange"};
const std::initializer_list<const char*> kTblPr = {
    "w:tblStyle", "w:tblpPr", "w:tblOverlap", "w:bidiVisual", "w:tblStyleRowBandSize", "w:tblStyleColBandSize",
    "w:tblW", "w:jc", "w:tblCellSpacing", "w:tblInd", "w:tblBorders", "w:shd", "w:tblLayout", "w:tblCellMar",
    "w:tblLook", "w:tblCaption", "w:tblDescription", "w:tblPrChange"};
const std::initializer_list<const char*> kTcPr = {
    "w:cnfStyle", "w:tcW", "w:gridSpan", "w:hMerge", "w:vMerge", "w:tcBorders", "w:shd", "w:noWrap",
    "w:tcMar", "w:textDirection", "w:tcFitText", "w:vAlign", "w:hideMark", "w:headers", "w:cellIns",
    "w:cellDel", "w:cellMerge", "w:tcPrChange"};
const std::initializer_list<const char*> kTblBorders = {"w:top", "w:left", "w:start", "w:bottom", "w:right",
                                                        "w:end", "w:insideH", "w:insideV"};
const std::initializer_list<const char*> kTcBorders = {"w:top", "w:left", "w:start", "w:bottom", "w:right",
                                                       "w:end", "w:insideH", "w:insideV", "w:tl2br", "w:tr2bl"};
// The whole sequence of the settings part: a setting is added at its place whatever the part holds.
const std::initializer_list<const char*> kSettings = {
    "w:writeProtection", "w:view", "w:zoom", "w:removePersonalInformation", "w:removeDateAndTime",
    "w:doNotDisplayPageBoundaries", "w:displayBackgroundShape", "w:printPostScriptOverText",
    "w:printFractionalCharacterWidth", "w:printFormsData", "w:embedTrueTypeFonts", "w:embedSystemFonts",
    "w:saveSubsetFonts", "w:saveFormsData", "w:mirrorMargins", "w:alignBordersAndEdges",
    "w:bordersDoNotSurroundHeader", "w:bordersDoNotSurroundFooter", "w:gutterAtTop", "w:hideSpellingErrors",
    "w:hideGrammaticalErrors", "w:activeWritingStyle", "w:proofState", "w:formsDesign", "w:attachedTemplate",
    "w:linkStyles", "w:stylePaneFormatFilter", "w:stylePaneSortMethod", "w:documentType", "w:mailMerge",
    "w:revisionView", "w:trackRevisions", "w:doNotTrackMoves", "w:doNotTrackFormatting", "w:documentProtection",
    "w:autoFormatOverride", "w:styleLockTheme", "w:styleLockQFSet", "w:defaultTabStop", "w:autoHyphenation",
    "w:consecutiveHyphenLimit", "w:hyphenationZone", "w:doNotHyphenateCaps", "w:showEnvelope", "w:summaryLength",
    "w:clickAndTypeStyle", "w:defaultTableStyle", "w:evenAndOddHeaders", "w:bookFoldRevPrinting",
    "w:bookFoldPrinting", "w:bookFoldPrintingSheets", "w:drawingGridHorizontalSpacing",
    "w:drawingGridVerticalSpacing", "w:displayHorizontalDrawingGridEvery", "w:displayVerticalDrawingGridEvery",
    "w:doNotUseMarginsForDrawingGridOrigin", "w:drawingGridHorizontalOrigin", "w:drawingGridVerticalOrigin",
    "w:doNotShadeFormData", "w:noPunctuationKerning", "w:characterSpacingControl", "w:printTwoOnOne",
    "w:strictFirstAndLastChars", "w:noLineBreaksAfter", "w:noLineBreaksBefore", "w:savePreviewPicture",
    "w:doNotValidateAgainstSchema", "w:saveInvalidXml", "w:ignoreMixedContent", "w:alwaysShowPlaceholderText",
    "w:doNotDemarcateInvalidXml", "w:saveXmlDataOnly", "w:useXSLTWhenSaving", "w:saveThroughXslt",
    "w:showXMLTags", "w:alwaysMergeEmptyNamespace", "w:updateFields", "w:hdrShapeDefaults", "w:footnotePr",
    "w:endnotePr", "w:compat", "w:docVars", "w:rsids", "m:mathPr", "w:attachedSchema", "w:themeFontLang",
    "w:clrSchemeMapping", "w:doNotIncludeSubdocsInStats", "w:doNotAutoCompressPictures", "w:forceUpgrade",
    "w:captions", "w:readModeInkLockDown", "w:smartTagType", "sl:schemaLibrary", "w:shapeDefaults",
    "w:doNotEmbedSmartTags", "w:decimalSymbol", "w:listSeparator"};
const std::initializer_list<const char*> kSpPr = {"a:xfrm", "a:custGeom", "a:prstGeom", "a:noFill",
                                                  "a:solidFill", "a:gradFill", "a:blipFill", "a:pattFill",
                                                  "a:grpFill", "a:ln", "a:effectLst", "a:effectDag",
                                                  "a:scene3d", "a:sp3d", "a:extLst"};

pugi::xml_node ErstesElement(pugi::xml_node eltern) {
    for (pugi::xml_node k = eltern.first_child(); k; k = k.next_sibling())
        if (IstElement(k)) return k;
    return {};
}

pugi::xml_node NaechstesElement(pugi::xml_node n) {
    for (pugi::xml_node k = n.next_sibling(); k; k = k.next_sibling())
        if (IstElement(k)) return k;
    return {};
}

pugi::xml_node VorigesElement(pugi::xml_node n) {
    for (pugi::xml_node k = n.previous_sibling(); k; k = k.previous_sibling())
        if (IstElement(k)) return k;
    return {};
}

pugi::xml_node LetztesElement(pugi::xml_node eltern) {
    for (pugi::xml_node k = eltern.last_child(); k; k = k.previous_sibling())
        if (IstElement(k)) return k;
    return {};
}

static int Rang(std::string_view name, std::initializer_list<const char*> reihenfolge) {
    int i = 0;
    for (const char* r : reihenfolge) {
        if (name == r) return i;
        ++i;
    }
    return -1;
}

pugi::xml_node KindEinfuegen(pugi::xml_node eltern, const char* name,
                             std::initializer_list<const char*> reihenfolge) {
    const int meinRang = Rang(name, reihenfolge);
    if (meinRang < 0) return eltern.append_child(name);
    // After the last child that comes before it in the sequence; without one, before the first
    // that comes after it. Children the sequence does not name (extensions) keep their place.
    pugi::xml_node davor, danach;
    for (pugi::xml_node k = eltern.first_child(); k; k = k.next_sibling()) {
        if (!IstElement(k)) continue;
        const int r = Rang(k.name(), reihenfolge);
        if (r < 0) continue;
        if (r <= meinRang) davor = k;
        else if (!danach) danach = k;
    }
    if (davor) return eltern.insert_child_after(name, davor);
    if (danach) return eltern.insert_child_before(name, danach);
    return eltern.append_child(name);
}

pugi::xml_node Kind(pugi::xml_node eltern, const char* name, std::initializer_list<const char*> reihenfolge) {
    if (pugi::xml_node k = eltern.child(name)) return k;
    return KindEinfuegen(eltern, name, reihenfolge);
}

pugi::xml_node Eigenschaften(pugi::xml_node eltern, const char* name) {
    if (pugi::xml_node k = eltern.child(name)) return k;
    return eltern.prepend_child(name);
}

void Setzen(pugi::xml_node n, const char* name, std::string_view wert) {
    pugi::xml_attribute a = n.attribute(name);
    if (!a) a = n.append_attribute(name);
    a.set_value(XmlText(wert).c_str());
}

void Setzen(pugi::xml_node n, const char* name, long wert) { Setzen(n, name, std::to_string(wert)); }

bool AnAus(pugi::xml_node e) {
    if (!e) return false;
    pugi::xml_attribute a = e.attribute("w:val");
    if (!a) return true;
    std::string_view v = a.value();
    return !(v == "0" || v == "false" || v == "off");
}

std::string Text(pugi::xml_node t) {
    std::string aus;
    for (pugi::xml_node k = t.first_child(); k; k = k.next_sibling())
        if (k.type() == pugi::node_pcdata || k.type() == pugi::node_cdata) aus += k.value();
    return aus;
}

void TextSetzen(pugi::xml_node t, std::string_view text) {
    while (t.first_child()) t.remove_child(t.first_child());
    t.append_child(pugi::node_pcdata).set_value(XmlText(text).c_str());
    bool rand = !text.empty() && (text.front() == ' ' || text.back() == ' ' || text.find("  ") != std::string_view::npos);
    if (rand) {
        Setzen(t, "xml:space", "preserve");
    } else if (pugi::xml_attribute a = t.attribute("xml:space")) {
        (void)a;  // keep what was there
    }
}

namespace {
struct StringWriter : pugi::xml_writer {
    std::string text;
    void write(const void* data, size_t size) override { text.append(static_cast<const char*>(data), size); }
};
}  // namespace

std::string Serialisieren(const pugi::xml_document& doc, pugi::xml_node auszulassen, std::size_t groesse) {
    StringWriter w;
    w.text.reserve(groesse);
    for (pugi::xml_node k = doc.first_child(); k; k = k.next_sibling()) {
        if (k == auszulassen) continue;
        k.print(w, "", pugi::format_raw, pugi::encoding_utf8);
    }
    return std::move(w.text);  // a member: returned by copy unless moved
}

}  // namespace vk::word::detail
