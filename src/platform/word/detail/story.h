// A story read as the callers see it: the character stream of the main text, a comment or a text
// box, with the XML node behind every character and the zero-width marks between them.
#pragma once

#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include <pugixml.hpp>

#include "platform/word/detail/knotenbereiche.h"

namespace vk::word::detail {

enum class StueckArt : unsigned char {
    Text,        // characters of a w:t
    Zeichen,     // one character of its own node: w:tab, w:br, w:cr, inline object, ...
    Absatzende,  // "\r" of a paragraph (knoten = w:p)
    Zellende,    // "\r\a" after a cell's text (knoten = w:tc, absatz = its last paragraph)
    Zeilenende,  // "\r\a" after a row (knoten = w:tr)
};

struct Stueck {
    long start = 0;
    long laenge = 0;
    StueckArt art = StueckArt::Text;
    pugi::xml_node_struct* knoten = nullptr;
    pugi::xml_node_struct* absatz = nullptr;  // the paragraph the character belongs to (if any)
};

// Where a zero-width mark sits.
struct Marke {
    long position = 0;
    pugi::xml_node_struct* knoten = nullptr;
    long folge = 0;  // order of the marks in the XML
};

// Marks are numbered in reading order with gaps of this size, so a mark inserted later can take a
// number between its neighbours without renumbering the others.
inline constexpr long kFolgeSchritt = 1L << 20;

struct StoryCache {
    std::u32string text;
    std::vector<Stueck> stuecke;  // only pieces with length > 0, in order
    // [start, end) of paragraphs (end after the mark), cells (end after "\r\a"), rows and tables.
    KnotenBereiche bereiche;
    std::vector<pugi::xml_node_struct*> absaetze;  // in order
    std::vector<pugi::xml_node_struct*> tabellen;  // outermost tables of the story, in order
    std::vector<pugi::xml_node_struct*> alleTabellen;  // every table, nested ones too, in order of their start
    std::vector<pugi::xml_node_struct*> zellen;    // every cell, in order
    std::unordered_map<std::string, Marke> kommentarStart, kommentarEnde, kommentarReferenz;
    std::unordered_map<std::string, Marke> textmarkeStart;  // by name
    std::unordered_map<std::string, Marke> textmarkeEnde;   // by id
    std::unordered_map<std::string, std::string> textmarkeId;  // name -> id
    std::vector<std::string> textmarkenNamen;                 // in order
    // A key met twice while reading (two marks of one comment id or bookmark name): the maps then
    // hold the last of them, and a mark removed in place could leave the other one unseen.
    bool markenDoppelt = false;

    // Index of the piece holding the character at position, or stuecke.size() at/after the end.
    std::size_t Finde(long position) const;
    long Laenge() const { return static_cast<long>(text.size()); }
    // Empties everything, keeping the memory for the next read.
    void Leeren();
};

// Builds the stream of a story root (w:body, w:txbxContent or w:comment). xmlGroesse: the size of the
// part it is read from, when it is the whole of it, to reserve the lists at once.
void StoryLesen(pugi::xml_node wurzel, StoryCache& cache, std::size_t xmlGroesse = 0);

// Reads the sibling blocks erster ... letzter of a story root as if the stream so far had `basis`
// characters (for splicing blocks inserted there into a cached stream); `teil` is emptied first.
void BloeckeLesen(pugi::xml_node erster, pugi::xml_node letzter, long basis, StoryCache& teil);

// The position a reading gives the mark inside paragraph p, which starts at `basis` (letzterInZelle:
// p is its cell's last paragraph, read without a mark of its own); -1 when the mark is not read there.
long MarkenStelle(pugi::xml_node p, bool letzterInZelle, long basis, pugi::xml_node marke);

}  // namespace vk::word::detail
