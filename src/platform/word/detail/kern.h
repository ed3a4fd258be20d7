// The core of an open document: the package, its XML trees, the stories with their cached
// character streams, the live ranges handed out, the selection and the in-memory view state.
// Every edit goes through here, so positions are invalidated and live ranges moved in one place.
#pragma once

#include <exception>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include <pugixml.hpp>

#include "platform/word/detail/paket.h"
#include "platform/word/detail/story.h"

namespace vk::word::detail {

// A live extent of one story.
struct Bereich {
    int story = 0;
    long start = 0;
    long ende = 0;
};

// The selection: a live extent plus an optional rectangular block of cells of one table.
struct Auswahl {
    std::shared_ptr<Bereich> bereich;
    pugi::xml_node_struct* tabelle = nullptr;  // block table, or none
    long zeile1 = 0, zeile2 = 0, spalte1 = 0, spalte2 = 0;  // 1-based, inclusive
};

struct Story {
    pugi::xml_node wurzel;  // w:body, w:txbxContent or w:comment
    bool gueltig = false;
    bool kommentar = false;  // a w:comment: its text lives in the comments part, apart from the rest
    bool markenGueltig = true;  // false: a mark was inserted since the read; the stream still holds
    StoryCache cache;
};

// Where text or a mark goes: before `vor` in `eltern` (append when vor is empty).
struct Ort {
    pugi::xml_node eltern;
    pugi::xml_node vor;
    pugi::xml_node absatz;
    pugi::xml_node vorlage;  // a run whose properties new text takes, or empty
};

class Kern {
public:
    Kern(Paket paket);

    // --- package and parts -------------------------------------------------------------------
    Paket& paket() { return paket_; }
    Teil& dokumentTeil() { return *dokument_; }
    pugi::xml_document& dokumentXml() { return *dokument_->xml; }
    void DokumentGeaendert() { dokument_->geaendert = true; }
    // Marks the part holding the node as changed (document or comments).
    void GeaendertBei(pugi::xml_node knoten);
    // comments part (created with content type and relationship when anlegen)
    pugi::xml_node KommentarWurzel(bool anlegen);
    void KommentareGeaendert();
    // A w:comment was added to the comments part: no node of the document part changed, so the
    // main text, its text boxes and the other comments stay valid.
    void KommentarHinzugefuegt();
    pugi::xml_node EinstellungenWurzel(bool anlegen);
    void EinstellungenGeaendert();
    void Speichern(const std::filesystem::path& pfad, const Ersetzen& schritte = {});

    // --- stories and positions ---------------------------------------------------------------
    static constexpr int kHaupttext = 0;
    int StoryVon(pugi::xml_node wurzel);           // id of a story root (registered on demand)
    int StoryEines(pugi::xml_node knoten);         // story a node lies in; -1 when none / removed
    Story& story(int id);                          // raises 91 for a removed story
    const StoryCache& cache(int id);               // builds the stream on demand
    // The stream, text and extents only: valid also while the marks are being changed (their
    // maps are then out of date and must not be used; cache() reads them again).
    const StoryCache& strom(int id);
    bool Lebt(pugi::xml_node knoten);              // not removed
    void Pruefen(pugi::xml_node knoten);           // raises 91 when removed
    // Invalidates cached streams and collections after an edit: of every story (a comment added
    // or removed, nodes removed for good) ...
    void Veraendert();
    // ... or after an edit inside one story. A comment's text shares no node with any other story,
    // so an edit of it leaves the others valid and an edit elsewhere leaves it valid; an edit of the
    // main text invalidates its text boxes too (it may have removed one), an edit of a text box only
    // the text box.
    void Veraendert(int story);
    // A zero-width mark was inserted into the story: characters, pieces and extents stay.
    void MarkenVeraendert(int story);
    // The text boxes were changed (one added or removed, nothing else): the main text's stream stays,
    // the text boxes are read again.
    void FormenVeraendert();
    // The same for one shape removed (the node taken out: its anchor and any inside it) or added (an
    // anchor in the main text): the anchors found are kept up to date rather than found again.
    void FormEntfernt(pugi::xml_node weg);
    void FormHinzugefuegt(pugi::xml_node form);
    // Marks the part holding the story as changed (document or comments).
    void StoryGeaendert(int story);
    unsigned long Generation() const { return generation_; }

    // --- live ranges -------------------------------------------------------------------------
    std::shared_ptr<Bereich> NeuerBereich(int story, long start, long ende);
    // Text of n characters was inserted at position: later positions move on.
    void Eingefuegt(int story, long position, long n, const Bereich* ausser = nullptr);
    // [a, b) was replaced by n characters: positions inside collapse to a, later ones shift.
    void Ersetzt(int story, long a, long b, long n, const Bereich* ausser = nullptr);

    // --- selection and view --------------------------------------------------------------------
    std::shared_ptr<Auswahl>& auswahl() { return auswahl_; }
    std::map<std::string, bool>& ansicht() { return ansicht_; }
    int textmarkenSortierung = 0;
    bool textmarkenVersteckteZeigen = false;

    // --- editing primitives (text.cpp) ---------------------------------------------------------
    // Insertion place for text at a position (before start marks, after end marks).
    Ort OrtBei(int story, long position);
    // Makes position a run boundary (splits a run); no change to the stream.
    void LaufTrennen(int story, long position);
    // Inserts text; returns the number of characters inserted.
    long TextEinfuegen(int story, long position, std::u32string_view text, const Bereich* ausser);
    // Deletes [a, b) (whole tables inside go, cell and row marks stay).
    void Loeschen(int story, long a, long b, const Bereich* ausser);
    // Runs whose characters lie inside [a, b) after splitting at a and b; paragraphs whose mark lies inside.
    std::vector<pugi::xml_node> LaeufeIn(int story, long a, long b, std::vector<pugi::xml_node>* marken = nullptr);
    std::vector<pugi::xml_node> AbsaetzeIn(int story, long a, long b);
    // Removes a node for good: handles to it see it as deleted; comments referenced inside go too.
    void Entfernen(pugi::xml_node knoten);
    // The same without invalidating any stream: returns the ids of the comments removed with it. A
    // comment or bookmark that only begins or only ends inside keeps that mark where the node was
    // (the story's marks are then read again).
    std::vector<std::string> Herausnehmen(pugi::xml_node knoten);

    // --- tables (tabelle.cpp) ------------------------------------------------------------------
    pugi::xml_node TabelleEinfuegen(int story, long position, long zeilen, long spalten);
    void TabelleLoeschen(pugi::xml_node tbl);
    // The tables nested in a table's cells, one level down, in document order.
    std::vector<pugi::xml_node_struct*> TabellenIn(pugi::xml_node tbl);
    void GitterNeuBerechnen(pugi::xml_node tbl);
    void GitterVormerken(pugi::xml_node tbl) { gitterOffen_.push_back(tbl.internal_object()); }
    long Textbreite();  // twips between the page margins
    // The table style the document names for newly inserted tables (settings, defaultTableStyle),
    // when the styles part holds it as a table style; "" otherwise.
    std::string VorlageNeuerTabellen();

    // --- marks (kommentar.cpp) -----------------------------------------------------------------
    // Zero-width element inserted at a start (before the character at position) or an end place
    // (after the character before position).
    pugi::xml_node MarkeEinfuegen(int story, long position, const char* name, bool amEnde);
    std::vector<std::string> KommentarIds();  // anchor order (cached per generation)
    // Every anchored comment with its anchor, in anchor order: ordered by story, then start
    // (cached per generation, so looking up the comments of a range needs no walk over all).
    struct KommentarStelle {
        int story;
        long start;
        std::string id;
    };
    const std::vector<KommentarStelle>& KommentarStellen();
    pugi::xml_node KommentarKnoten(const std::string& id);  // by w:id (index cached per generation)
    // Anchor of a comment: story and extent; false when it has no anchor in any story.
    bool KommentarAnker(const std::string& id, int& story, long& start, long& ende, long* folge = nullptr);
    void KommentarEntfernen(const std::string& id);
    // Comment marks (range start, range end, reference) just inserted into a story whose marks were
    // up to date before: entered into the cached maps in place. Otherwise, or when a mark's place
    // cannot be told without reading, the marks are read again on the next use.
    void KommentarmarkenEingefuegt(int story, bool vorherGueltig, std::initializer_list<pugi::xml_node> marken);

    // --- shapes (shape.cpp) --------------------------------------------------------------------
    // Floating shapes of the main text, in order: DrawingML anchors (wp:anchor) and absolutely
    // positioned VML shapes of picture elements; none inside a fallback or a text box.
    // (cached until an edit that may add or remove one)
    const std::vector<pugi::xml_node>& Anker();

    std::filesystem::path pfad;

private:
    Paket paket_;
    Teil* dokument_ = nullptr;
    std::string dokumentName_;
    Teil* kommentare_ = nullptr;
    Teil* einstellungen_ = nullptr;
    Teil* stile_ = nullptr;
    std::vector<Story> stories_;
    // The ids of the stories that are no comment (the main text and the text boxes), in the order
    // they were registered: an edit of the main text invalidates these, not every comment's story
    // (an invoice of 1000 tables has 2000 comments).
    std::vector<int> textStories_;
    std::unordered_map<pugi::xml_node_struct*, int> storyIds_;  // by root, for StoryVon
    std::vector<std::weak_ptr<Bereich>> bereiche_;
    std::shared_ptr<Auswahl> auswahl_;
    std::map<std::string, bool> ansicht_;
    unsigned long generation_ = 1;
    std::vector<pugi::xml_node_struct*> gitterOffen_;
    unsigned long kommentarGeneration_ = 0;
    std::vector<std::string> kommentarIds_;
    std::vector<KommentarStelle> kommentarStellen_;
    // Advanced whenever a w:comment is added to or removed from the comments part; the lookup of
    // comment nodes by id is built for one value of it.
    unsigned long kommentarBestand_ = 1;
    unsigned long knotenStand_ = 0;
    std::unordered_map<std::string, pugi::xml_node_struct*> kommentarKnoten_;
    // Advanced by every edit that may add or remove a shape (not by text written into runs, runs
    // cut or marks set): the anchors found stay valid until it moves.
    unsigned long ankerStand_ = 1;
    unsigned long ankerGelesen_ = 0;
    std::vector<pugi::xml_node> anker_;
    // Set by an edit that adds no shape and frees no node but may have moved some out (a table or
    // text put in, a table taken out): the anchors found stay valid once those that no longer live
    // are dropped, which the next reading of the list does.
    bool ankerPruefen_ = false;
    friend class AnkerBleiben;
    // Removes a comment and its marks from the XML; nothing is invalidated. `story`: the story its
    // reference stood in (-1: unknown), whose cached marks then save looking through the document.
    void KommentarLoesen(const std::string& id, int story = -1);
    // Blocks erster ... letzter, inserted directly in the story root before `vor` (none: at its end)
    // at stream position `position`, go into the cached stream in place; n gets their length. False
    // when the stream was not valid or cannot be updated so: it must then be read again.
    bool BloeckeEingefuegt(int story, pugi::xml_node erster, pugi::xml_node letzter, pugi::xml_node vor, long position,
                           long& n);
    // The table [ts, te) directly in the story root was taken out (comments `ids` with it): cut from
    // the cached stream in place. False when the stream must be read again.
    bool TabelleAusStrom(int story, pugi::xml_node tbl, long ts, long te, const std::vector<std::string>& ids);
    void StreamNachfuehren(int story, long position, const std::vector<Stueck>& neu, const std::u32string& neuText,
                           pugi::xml_node letzterLauf);
    void AbsatzGeteilt(int story, long position, pugi::xml_node erster, pugi::xml_node rest);
    // Marks at position inside the paragraph move on by n.
    void MarkenNachruecken(int story, long position, long n, pugi::xml_node absatz);
    void StromKuerzen(int story, long a, long b, std::size_t erstes, std::size_t hinter);
    void BereicheAbbilden(int story, const std::function<void(Bereich&)>& f, const Bereich* ausser);
};

// For the length of an edit that adds no shape and frees no node (removed nodes go to the
// holder of removed nodes, where they no longer live): an anchor list that was current before it
// stays current afterwards, checked once for anchors taken out with the edit.
class AnkerBleiben {
public:
    explicit AnkerBleiben(Kern& k) : k_(k), aktuell_(k.ankerGelesen_ == k.ankerStand_) {}
    AnkerBleiben(const AnkerBleiben&) = delete;
    AnkerBleiben& operator=(const AnkerBleiben&) = delete;
    // The edit may have freed a shape after all: the anchors are found again.
    void Aufheben() { aktuell_ = false; }
    ~AnkerBleiben() {
        if (!aktuell_ || std::uncaught_exceptions() > 0) return;
        k_.ankerGelesen_ = k_.ankerStand_;
        k_.ankerPruefen_ = true;
    }

private:
    Kern& k_;
    bool aktuell_;
};

}  // namespace vk::word::detail
