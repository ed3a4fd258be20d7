// The invoice document: a .docx package opened, edited through the object model and saved.
//
// The XML trees of the package are the document's truth: what the layer does not understand is
// carried through untouched, and parts that were not changed are written back byte for byte.
//
//     auto doc = vk::word::Document::Open("Rechnung.docx");
//     for (auto c : doc->Comments())
//         if (c.Text() == "kalStart") { auto r = c.Reference(); r.Collapse(1); ... }
//     auto t = doc->Tables().Add(r, 3, 5);
//     t.Cell(1, 1).Range().InsertAfter("Grenzbescheinigungen");
//     doc->Save("Rechnung.docx");   // atomic: a failed save leaves the old file
//
// Run-time errors are vk::LaufzeitFehler: 5 invalid argument or missing cell, 9 index out of range,
// 91 object not set or deleted, fehlernummer::Dokumentfehler for a damaged or foreign file
// ("<file>: <what is wrong>").
#pragma once

#include <filesystem>
#include <functional>
#include <memory>

#include "common/fehler.h"
#include "common/variant.h"
#include "platform/word/application.h"
#include "platform/word/bookmarks.h"
#include "platform/word/borders.h"
#include "platform/word/comment.h"
#include "platform/word/konstanten.h"
#include "platform/word/paragraph_format.h"
#include "platform/word/range.h"
#include "platform/word/selection.h"
#include "platform/word/shape.h"
#include "platform/word/speichern.h"
#include "platform/word/table.h"

namespace vk::word {

// The view-related document settings kept in the file (spelling and grammar marks) and the
// default tab stops.
class DocumentSettings {
public:
    explicit DocumentSettings(std::shared_ptr<detail::Kern> kern) : kern_(std::move(kern)) {}

    bool ShowSpellingErrors() const;
    void SetShowSpellingErrors(bool wert);
    bool ShowGrammaticalErrors() const;
    void SetShowGrammaticalErrors(bool wert);
    // The distance of the default tab stops in points (where a paragraph sets none of its own):
    // the document's setting, else the word processor's 36 pt.
    double DefaultTabStop() const;

private:
    std::shared_ptr<detail::Kern> kern_;
};

class Document : public Objekt, public std::enable_shared_from_this<Document> {
public:
    // A minimal valid document with one empty paragraph.
    static std::shared_ptr<Document> New();
    static std::shared_ptr<Document> Open(const std::filesystem::path& pfad);
    // Writes the package atomically (new file beside the target, fsync, rename; through a link the
    // file it points to, keeping its mode and owner). The document then knows that path. A target
    // that is no regular file or is read-only is refused (75) before anything is written. The
    // host's steps around the replace (speichern.h): `schritte.vorher` before it, `schritte.danach`
    // after it (a host commits the invoice record there; if it throws, the old file is put back).
    void Save(const std::filesystem::path& pfad, const Ersetzen& schritte = {});
    // Saves to the path it was opened from or last saved to.
    void Save(const Ersetzen& schritte = {});
    // Path opened from or last saved to (empty for a new, unsaved document).
    const std::filesystem::path& Path() const;

    word::Comments Comments() const;
    word::Tables Tables() const;
    // The whole main text, including its final paragraph mark.
    word::Range Content() const;
    // A range of the main text.
    word::Range Range(long start, long end) const;
    word::Shapes Shapes() const;
    word::Bookmarks Bookmarks() const;
    DocumentSettings Settings() const;

    // The application object of this document (selection, view flags, units).
    std::shared_ptr<word::Application> Application();

    explicit Document(std::shared_ptr<detail::Kern> kern);
    const std::shared_ptr<detail::Kern>& KernIntern() const noexcept { return kern_; }

private:
    std::shared_ptr<detail::Kern> kern_;
    std::shared_ptr<word::Application> application_;
};

}  // namespace vk::word
