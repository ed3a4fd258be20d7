// The .docx package: its parts read from and written to a zip file.
//
// Every part keeps its data as packed in the file; a part parsed into an XML tree and changed is
// serialised from the tree on save, every other part is written back byte for byte (and as packed).
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <pugixml.hpp>

#include "platform/word/detail/zip.h"
#include "platform/word/speichern.h"

namespace vk::word::detail {

// Limits that keep a damaged or hostile file from exhausting memory.
inline constexpr unsigned long long kMaxTeilGroesse = 200ull * 1024 * 1024;    // per part, unpacked
inline constexpr unsigned long long kMaxPaketGroesse = 1024ull * 1024 * 1024;  // all parts, unpacked
inline constexpr long long kMaxTeile = 20000;

struct Teil {
    std::string name;   // zip entry name, e.g. "word/document.xml"
    // The unpacked bytes; once the part is parsed, the buffer its tree was parsed in (in place: its
    // text no longer reads as the part). The part as read or last saved is `roh`.
    std::string bytes;
    ZipRoh roh;  // packed, as in the file it came from or was last saved to
    std::unique_ptr<pugi::xml_document> xml;  // parsed tree, when parsed
    pugi::xml_node friedhof;                  // holder of removed nodes (not written)
    bool geaendert = false;

    Teil() = default;
    Teil(const Teil&) = delete;
    Teil& operator=(const Teil&) = delete;
    // The buffer of a large part is kept for the next package read (see paket.cpp).
    ~Teil();
};

class Paket {
public:
    // Reads every part; raises Dokumentfehler "<file>: <what>" for a damaged or foreign file.
    static Paket Lesen(const std::filesystem::path& pfad);

    // An empty package (for a new document; add its parts with NeuerTeil).
    Paket() = default;
    Paket(Paket&&) = default;
    Paket& operator=(Paket&&) = default;

    Teil* Finden(const std::string& name);
    // The parsed tree of a part (parsed on first use; Dokumentfehler when it is not well-formed XML).
    pugi::xml_document& Xml(Teil& teil);
    // Adds a new XML part (marked changed) and returns it.
    Teil& NeuerTeil(const std::string& name, std::string_view xml);

    // Content type override and relationship of a part.
    void InhaltstypSetzen(const std::string& teilname, const std::string& typ);
    // Relationship target (relative to the source part's folder) of the first relationship of type;
    // empty when there is none.
    std::string Beziehungsziel(const std::string& quellteil, const std::string& typ);
    void BeziehungHinzufuegen(const std::string& quellteil, const std::string& typ, const std::string& ziel);
    // Absolute part name of a target relative to a source part.
    static std::string ZielTeil(const std::string& quellteil, const std::string& ziel);

    // Writes the package atomically with the host's steps around the replace (speichern.h). A target
    // that is no regular file, or is read-only, is refused (75) before anything is written; so is a
    // changed part that is no well-formed XML.
    void Schreiben(const std::filesystem::path& pfad, const Ersetzen& schritte = {});

    const std::filesystem::path& Quelle() const { return quelle_; }
    void SetzeQuelle(const std::filesystem::path& p) { quelle_ = p; }

private:
    std::string Fehlerort() const;

    std::vector<std::unique_ptr<Teil>> teile_;
    std::filesystem::path quelle_;
};

}  // namespace vk::word::detail
