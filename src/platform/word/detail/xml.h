// Small helpers over pugixml for WordprocessingML: names, ordered property children, units.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include <pugixml.hpp>

namespace vk::word::detail {

// Parse flags that keep whitespace-only text (a w:t holding " ") and everything else of a part.
inline constexpr unsigned int kParseFlags = pugi::parse_full | pugi::parse_ws_pcdata;

// Names are compared without measuring them first: most comparisons fail at the third character.
inline bool NameIst(const char* n, const char* name) {
    while (*name && *n == *name) ++n, ++name;
    return *n == *name;
}

inline bool Ist(pugi::xml_node n, const char* name) { return n.type() == pugi::node_element && NameIst(n.name(), name); }
inline bool IstElement(pugi::xml_node n) { return n.type() == pugi::node_element; }

// First / next element sibling (skips whitespace text and comments).
pugi::xml_node ErstesElement(pugi::xml_node eltern);
pugi::xml_node NaechstesElement(pugi::xml_node n);
pugi::xml_node VorigesElement(pugi::xml_node n);
pugi::xml_node LetztesElement(pugi::xml_node eltern);

// The child named name, created at its place in the schema order when missing.
pugi::xml_node Kind(pugi::xml_node eltern, const char* name, std::initializer_list<const char*> reihenfolge);
// Inserts a new child named name at its place in the schema order (even if one exists).
pugi::xml_node KindEinfuegen(pugi::xml_node eltern, const char* name,
                             std::initializer_list<const char*> reihenfolge);

// Schema orders of the property elements the layer writes.
extern const std::initializer_list<const char*> kPPr;
extern const std::initializer_list<const char*> kRPr;
extern const std::initializer_list<const char*> kTblPr;
extern const std::initializer_list<const char*> kTcPr;
extern const std::initializer_list<const char*> kTblBorders;
extern const std::initializer_list<const char*> kTcBorders;
extern const std::initializer_list<const char*> kSettings;
extern const std::initializer_list<const char*> kSpPr;

// The w:pPr / w:rPr / w:tcPr / w:trPr / w:tblPr child, created first in its parent when missing.
pugi::xml_node Eigenschaften(pugi::xml_node eltern, const char* name);

// The w:trPr of a row, created at its place when missing.
pugi::xml_node ZeilenEigenschaften(pugi::xml_node tr);

// Sets attribute name to wert (creating it). Here and in TextSetzen what XML forbids in a text is
// left out (wohlgeformt.h).
void Setzen(pugi::xml_node n, const char* name, std::string_view wert);
void Setzen(pugi::xml_node n, const char* name, long wert);

// A numeric attribute or text ("22", "-12.5") read without the process locale; standard when it is
// missing or no number.
double Zahl(const char* text, double standard = 0.0);

// An OOXML on/off value ("1", "true", "on", missing = on).
bool AnAus(pugi::xml_node element);

// The text of a w:t; sets it with xml:space="preserve" where blanks need it.
std::string Text(pugi::xml_node t);
void TextSetzen(pugi::xml_node t, std::string_view text);

inline long PunkteNachTwips(double punkte) { return static_cast<long>(punkte * 20.0 + (punkte >= 0 ? 0.5 : -0.5)); }
inline double TwipsNachPunkte(long twips) { return twips / 20.0; }
inline long long PunkteNachEmu(double punkte) {
    return static_cast<long long>(punkte * 12700.0 + (punkte >= 0 ? 0.5 : -0.5));
}

// Serialises the document without the holding element for removed nodes (groesse: the expected size,
// reserved at once).
std::string Serialisieren(const pugi::xml_document& doc, pugi::xml_node auszulassen, std::size_t groesse = 0);

}  // namespace vk::word::detail
