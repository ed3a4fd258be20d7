#include "document/Beispielvorlage.h"

#include <string>

#include "common/fehler.h"
#include "platform/controls/utf8.h"

namespace vk {

namespace {

// Tags the first occurrence of a text with a comment (positions count characters, not bytes).
void Markieren(word::Document& doc, const std::string& text, const std::string& tag) {
    const std::string alles = doc.Content().Text();
    const std::size_t byte = alles.find(text);
    if (byte == std::string::npos) throw LaufzeitFehler(5, "Vorlage: '" + text + "' fehlt");
    const long p = ui::utf8::Länge(std::string_view(alles).substr(0, byte));
    doc.Comments().Add(doc.Range(p, p + ui::utf8::Länge(text)), tag);
}

}  // namespace

std::shared_ptr<word::Document> BeispielVorlage() {
    auto doc = word::Document::New();
    doc->Content().InsertAfter(
        "Vermessungsbüro Beispiel, Öffentlich bestellter Vermessungsingenieur\r"
        "Rechnung Nr. 2026-001\r"
        "Sehr geehrte Damen und Herren,\r"
        "für unsere Leistungen berechnen wir Ihnen:\r"
        "Positionen\r"
        "Gesamtbetrag 0,00 € (Netto 0,00 € zuzüglich MwSt 0,00 €, Brutto 0,00 €; darin Auslagen 0,00 €).\r"
        "Mit freundlichen Grüßen");
    Markieren(*doc, "Positionen", "kalStart");
    Markieren(*doc, "Gesamtbetrag", "kalGesamt");
    Markieren(*doc, "Netto", "kalNetto");
    Markieren(*doc, "MwSt", "kalMwSt");
    Markieren(*doc, "Brutto", "kalBrutto");
    Markieren(*doc, "Auslagen", "kalAuslagen");
    return doc;
}

}  // namespace vk
