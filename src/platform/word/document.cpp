#include "platform/word/document.h"

#include "common/fehler.h"
#include "common/stoerstelle.h"
#include "platform/word/detail/kern.h"
#include "platform/word/detail/paket.h"
#include "platform/word/detail/xml.h"

namespace vk::word {

using detail::Kern;

namespace {

const char* kDeklaration = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";

// A blank A4 page in German. The letter text is Arial 11 pt. Tables get the style "Rechnungstabelle"
// (named as the style for new tables): Arial 10 pt with cell margins of 0,1 cm left and right, so an
// amount up to "999.999,99 €" (a leading blank included, as the totals pad it) stays on one line in
// an amount column of 2,5 cm: about 61 pt of text in 65 pt between the margins. At 11 pt, or with
// Word's usual margins of 0,19 cm, the five-digit amounts already wrap.
detail::Paket LeeresPaket() {
    detail::Paket p;
    p.NeuerTeil("[Content_Types].xml",
                std::string(kDeklaration) +
                    "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
                    "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
                    "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
                    "<Override PartName=\"/word/document.xml\" "
                    "ContentType=\"application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml\"/>"
                    "<Override PartName=\"/word/styles.xml\" "
                    "ContentType=\"application/vnd.openxmlformats-officedocument.wordprocessingml.styles+xml\"/>"
                    "<Override PartName=\"/word/settings.xml\" "
                    "ContentType=\"application/vnd.openxmlformats-officedocument.wordprocessingml.settings+xml\"/>"
                    "</Types>");
    p.NeuerTeil("_rels/.rels",
                std::string(kDeklaration) +
                    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                    "<Relationship Id=\"rId1\" "
                    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" "
                    "Target=\"word/document.xml\"/></Relationships>");
    p.NeuerTeil("word/_rels/document.xml.rels",
                std::string(kDeklaration) +
                    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                    "<Relationship Id=\"rId1\" "
                    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles\" "
                    "Target=\"styles.xml\"/>"
                    "<Relationship Id=\"rId2\" "
                    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/settings\" "
                    "Target=\"settings.xml\"/></Relationships>");
    p.NeuerTeil("word/document.xml",
                std::string(kDeklaration) +
                    "<w:document xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\" "
                    "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\" "
                    "xmlns:wp=\"http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing\" "
                    "xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\" "
                    "xmlns:wps=\"http://schemas.microsoft.com/office/word/2010/wordprocessingShape\">"
                    "<w:body><w:p/><w:sectPr><w:pgSz w:w=\"11906\" w:h=\"16838\"/>"
                    "<w:pgMar w:top=\"1417\" w:right=\"1134\" w:bottom=\"1134\" w:left=\"1417\" w:header=\"708\" "
                    "w:footer=\"708\" w:gutter=\"0\"/></w:sectPr></w:body></w:document>");
    p.NeuerTeil("word/styles.xml",
                std::string(kDeklaration) +
                    "<w:styles xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\">"
                    "<w:docDefaults><w:rPrDefault><w:rPr><w:rFonts w:ascii=\"Arial\" w:hAnsi=\"Arial\" w:cs=\"Arial\"/>"
                    "<w:sz w:val=\"22\"/><w:szCs w:val=\"22\"/><w:lang w:val=\"de-DE\"/></w:rPr></w:rPrDefault>"
                    "<w:pPrDefault/></w:docDefaults>"
                    "<w:style w:type=\"paragraph\" w:default=\"1\" w:styleId=\"Standard\"><w:name w:val=\"Normal\"/></w:style>"
                    "<w:style w:type=\"table\" w:default=\"1\" w:styleId=\"NormaleTabelle\"><w:name w:val=\"Normal Table\"/>"
                    "<w:tblPr><w:tblInd w:w=\"0\" w:type=\"dxa\"/><w:tblCellMar><w:top w:w=\"0\" w:type=\"dxa\"/>"
                    "<w:left w:w=\"108\" w:type=\"dxa\"/><w:bottom w:w=\"0\" w:type=\"dxa\"/>"
                    "<w:right w:w=\"108\" w:type=\"dxa\"/></w:tblCellMar></w:tblPr></w:style>"
                    "<w:style w:type=\"table\" w:styleId=\"Rechnungstabelle\"><w:name w:val=\"Rechnungstabelle\"/>"
                    "<w:basedOn w:val=\"NormaleTabelle\"/><w:rPr><w:sz w:val=\"20\"/><w:szCs w:val=\"20\"/></w:rPr>"
                    "<w:tblPr><w:tblCellMar><w:top w:w=\"0\" w:type=\"dxa\"/><w:left w:w=\"57\" w:type=\"dxa\"/>"
                    "<w:bottom w:w=\"0\" w:type=\"dxa\"/><w:right w:w=\"57\" w:type=\"dxa\"/></w:tblCellMar></w:tblPr>"
                    "</w:style>"
                    "</w:styles>");
    p.NeuerTeil("word/settings.xml",
                std::string(kDeklaration) +
                    "<w:settings xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\">"
                    "<w:defaultTabStop w:val=\"708\"/><w:defaultTableStyle w:val=\"Rechnungstabelle\"/></w:settings>");
    return p;
}

}  // namespace

Document::Document(std::shared_ptr<Kern> kern) : kern_(std::move(kern)) {}

std::shared_ptr<Document> Document::New() { return std::make_shared<Document>(std::make_shared<Kern>(LeeresPaket())); }

std::shared_ptr<Document> Document::Open(const std::filesystem::path& pfad) {
    DokumentStoerung.Punkt("Documents.Open", fehlernummer::Dokumentfehler);
    return std::make_shared<Document>(std::make_shared<Kern>(detail::Paket::Lesen(pfad)));
}

void Document::Save(const std::filesystem::path& pfad, const Ersetzen& schritte) {
    DokumentStoerung.Punkt("Document.SaveAs", fehlernummer::DateiZugriffsfehler);
    kern_->Speichern(pfad, schritte);
}

void Document::Save(const Ersetzen& schritte) {
    DokumentStoerung.Punkt("Document.Save", fehlernummer::DateiZugriffsfehler);
    if (kern_->pfad.empty())
        throw LaufzeitFehler(fehlernummer::UngueltigesArgument, "Das Dokument hat noch keinen Dateinamen");
    kern_->Speichern(kern_->pfad, schritte);
}

const std::filesystem::path& Document::Path() const { return kern_->pfad; }

word::Comments Document::Comments() const { return word::Comments(kern_); }
word::Tables Document::Tables() const { return word::Tables(kern_, {}, true); }

word::Range Document::Content() const {
    long n = kern_->cache(Kern::kHaupttext).Laenge();
    return word::Range(kern_, kern_->NeuerBereich(Kern::kHaupttext, 0, n));
}

word::Range Document::Range(long start, long ende) const {
    long n = kern_->cache(Kern::kHaupttext).Laenge();
    if (start < 0 || ende < start || ende > n) throw LaufzeitFehler(fehlernummer::UngueltigesArgument, "Unzulässiger Bereich");
    return word::Range(kern_, kern_->NeuerBereich(Kern::kHaupttext, start, ende));
}

word::Shapes Document::Shapes() const { return word::Shapes(kern_); }
word::Bookmarks Document::Bookmarks() const { return word::Bookmarks(kern_); }
DocumentSettings Document::Settings() const { return DocumentSettings(kern_); }

std::shared_ptr<word::Application> Document::Application() {
    if (!application_) application_ = std::make_shared<word::Application>(kern_);
    return application_;
}

// --- DocumentSettings ---------------------------------------------------------------------------

namespace {
bool Verborgen(Kern& k, const char* name) { return detail::AnAus(k.EinstellungenWurzel(false).child(name)); }

void Verbergen(Kern& k, const char* name, bool verbergen) {
    if (Verborgen(k, name) == verbergen) return;
    pugi::xml_node wurzel = k.EinstellungenWurzel(true);
    if (verbergen) {
        pugi::xml_node e = detail::Kind(wurzel, name, detail::kSettings);
        e.remove_attribute("w:val");
    } else {
        wurzel.remove_child(name);
    }
    k.EinstellungenGeaendert();
}
}  // namespace

bool DocumentSettings::ShowSpellingErrors() const { return !Verborgen(*kern_, "w:hideSpellingErrors"); }
void DocumentSettings::SetShowSpellingErrors(bool wert) { Verbergen(*kern_, "w:hideSpellingErrors", !wert); }
bool DocumentSettings::ShowGrammaticalErrors() const { return !Verborgen(*kern_, "w:hideGrammaticalErrors"); }
void DocumentSettings::SetShowGrammaticalErrors(bool wert) { Verbergen(*kern_, "w:hideGrammaticalErrors", !wert); }

double DocumentSettings::DefaultTabStop() const {
    const int twips = kern_->EinstellungenWurzel(false).child("w:defaultTabStop").attribute("w:val").as_int(0);
    return twips > 0 ? twips / 20.0 : 36.0;
}

}  // namespace vk::word
