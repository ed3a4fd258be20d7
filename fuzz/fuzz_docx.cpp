// Opening a .docx: a damaged or foreign file gives a document error and nothing else — no crash,
// no other exception. Input starting with "PK" is taken as the whole zip file; any other input is
// the main XML part (and, after a line "----", the comments part) of an otherwise sound package,
// so the fuzzer reaches the XML reader without first having to learn zip. Two seeds are whole
// packages (one stored, one deflated), from which the fuzzer mutates the zip container itself.
//
// An opened document is read the way the component reads an invoice (text, tables, cells,
// comments and their anchors, text boxes), edited (a table added, a piece of the input typed into a
// cell and a comment, the table tagged), saved and opened again: what the layer saved must open
// again (a finding otherwise). The seeds include parts nested far deeper than any word processor
// writes and characters XML forbids (raw, as references, an encoded surrogate).
#include <unistd.h>
#include <zip.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "common/fehler.h"
#include "fuzzhilfe.h"
#include "platform/word/document.h"

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kTypen =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
    "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
    "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
    "<Default Extension=\"xml\" ContentType=\"application/xml\"/></Types>";
constexpr std::string_view kPaketBeziehungen =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
    "officeDocument\" Target=\"word/document.xml\"/></Relationships>";
constexpr std::string_view kDokumentBeziehungen =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
    "comments\" Target=\"comments.xml\"/></Relationships>";

// In memory where the machine has it: a save syncs to disk, which would otherwise dominate a run.
fs::path Datei(const char* art) {
    std::error_code ec;
    const fs::path ordner = fs::is_directory("/dev/shm", ec) ? fs::path("/dev/shm") : fs::temp_directory_path();
    return ordner / ("vk-fuzz-" + std::to_string(::getpid()) + art);
}

void Schreiben(const fs::path& pfad, std::string_view bytes) {
    std::ofstream aus(pfad, std::ios::binary | std::ios::trunc);
    aus.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void Hinzufuegen(zip_t* za, const char* name, std::string_view bytes) {
    zip_source_t* q = zip_source_buffer(za, bytes.data(), bytes.size(), 0);
    if (!q || zip_file_add(za, name, q, ZIP_FL_OVERWRITE) < 0) std::abort();
}

// A package around the fuzzer's main part and comments part.
void PaketSchreiben(const fs::path& pfad, std::string_view eingabe) {
    std::string_view dokument = eingabe, kommentare;
    if (auto trenner = eingabe.find("\n----\n"); trenner != std::string_view::npos) {
        dokument = eingabe.substr(0, trenner);
        kommentare = eingabe.substr(trenner + 6);
    }
    fs::remove(pfad);
    int fehler = 0;
    zip_t* za = zip_open(pfad.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &fehler);
    if (!za) std::abort();
    Hinzufuegen(za, "[Content_Types].xml", kTypen);
    Hinzufuegen(za, "_rels/.rels", kPaketBeziehungen);
    Hinzufuegen(za, "word/_rels/document.xml.rels", kDokumentBeziehungen);
    Hinzufuegen(za, "word/document.xml", dokument);
    if (!kommentare.empty()) Hinzufuegen(za, "word/comments.xml", kommentare);
    if (zip_close(za) != 0) std::abort();
}

// Everything the component reads of an invoice.
void Lesen(vk::word::Document& doc) {
    (void)doc.Content().Text();
    for (vk::word::Comment c : doc.Comments()) {
        (void)c.Text();
        (void)c.Reference().Text();
    }
    vk::word::Tables tabellen = doc.Tables();
    for (long i = 1; i <= tabellen.Count() && i <= 20; ++i) {
        vk::word::Table t = tabellen.Item(i);
        (void)t.Range().Text();
        for (long r = 1; r <= t.Rows().Count() && r <= 20; ++r)
            for (long s = 1; s <= t.Rows().Item(r).CellCount() && s <= 10; ++s) (void)t.Cell(r, s).Range().Text();
    }
    (void)doc.Shapes().Count();
}

void Pruefen(const fs::path& pfad, std::string_view getippt) {
    std::shared_ptr<vk::word::Document> doc;
    try {
        doc = vk::word::Document::Open(pfad);
    } catch (const vk::LaufzeitFehler&) {
        return;  // refused with a clear error: fine
    }
    const fs::path kopie = Datei("-kopie.docx");
    bool gespeichert = false;
    try {
        Lesen(*doc);
        vk::word::Table t = doc->Tables().Add(doc->Range(0, 0), 2, 5);
        t.Cell(1, 1).Range().InsertAfter("Titel");
        t.Cell(2, 1).Range().InsertAfter(getippt);
        doc->Comments().Add(t.Cell(2, 2).Range(), getippt);
        doc->Comments().Add(t.Cell(1, 5).Range(), "VK_LP_02_5");
        doc->Save(kopie);
        gespeichert = true;
        Lesen(*vk::word::Document::Open(kopie));
    } catch (const vk::LaufzeitFehler& f) {
        // A run-time error on a strange document is the documented outcome; a package the layer
        // saved that it cannot read again is not.
        if (gespeichert && f.Nummer() == vk::fehlernummer::Dokumentfehler) std::abort();
    }
    std::error_code ec;
    fs::remove(kopie, ec);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    vkfuzz::OhneProtokoll();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
    const std::string_view eingabe(reinterpret_cast<const char*>(daten), groesse);
    const fs::path pfad = Datei(".docx");
    if (eingabe.substr(0, 2) == "PK") Schreiben(pfad, eingabe);
    else PaketSchreiben(pfad, eingabe);
    // The input's last bytes, as a person might type them (whatever they hold).
    Pruefen(pfad, eingabe.substr(eingabe.size() > 48 ? eingabe.size() - 48 : 0));
    return 0;
}
