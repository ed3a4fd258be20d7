#include "platform/word/application.h"

#include "common/fehler.h"
#include "platform/word/detail/kern.h"
#include "platform/word/detail/xml.h"

namespace vk::word {

using detail::Kern;

word::Selection Application::Selection() const {
    if (!kern_) throw LaufzeitFehler(fehlernummer::ObjektNichtFestgelegt, "Kein Dokument");
    return word::Selection(kern_);
}

Window Application::ActiveWindow() const {
    if (!kern_) throw LaufzeitFehler(fehlernummer::ObjektNichtFestgelegt, "Kein Dokument");
    return Window(kern_);
}

View::View(std::shared_ptr<Kern> kern) : kern_(std::move(kern)) {
    if (!kern_) throw LaufzeitFehler(fehlernummer::ObjektNichtFestgelegt, "Kein Dokument");
}

namespace {

bool Merker(Kern& k, const char* name) {
    auto it = k.ansicht().find(name);
    return it == k.ansicht().end() ? false : it->second;
}

// Flags of the revision view in the settings part: missing means shown.
bool RevisionsansichtLesen(Kern& k, const char* attribut) {
    pugi::xml_node e = k.EinstellungenWurzel(false).child("w:revisionView");
    pugi::xml_attribute a = e.attribute(attribut);
    if (!a) return true;
    std::string_view v = a.value();
    return !(v == "0" || v == "false" || v == "off");
}

void RevisionsansichtSetzen(Kern& k, const char* attribut, bool wert) {
    if (RevisionsansichtLesen(k, attribut) == wert) return;
    pugi::xml_node e = detail::Kind(k.EinstellungenWurzel(true), "w:revisionView", detail::kSettings);
    detail::Setzen(e, attribut, wert ? "1" : "0");
    k.EinstellungenGeaendert();
}

}  // namespace

bool View::ShowHiddenText() const { return Merker(*kern_, "ShowHiddenText"); }
void View::SetShowHiddenText(bool wert) { kern_->ansicht()["ShowHiddenText"] = wert; }
bool View::ShowAll() const { return Merker(*kern_, "ShowAll"); }
void View::SetShowAll(bool wert) { kern_->ansicht()["ShowAll"] = wert; }
bool View::ShowComments() const { return RevisionsansichtLesen(*kern_, "w:comments"); }
void View::SetShowComments(bool wert) { RevisionsansichtSetzen(*kern_, "w:comments", wert); }
bool View::ShowInsertionsAndDeletions() const { return RevisionsansichtLesen(*kern_, "w:insDel"); }
void View::SetShowInsertionsAndDeletions(bool wert) { RevisionsansichtSetzen(*kern_, "w:insDel", wert); }
bool View::ShowFormatting() const { return RevisionsansichtLesen(*kern_, "w:formatting"); }
void View::SetShowFormatting(bool wert) { RevisionsansichtSetzen(*kern_, "w:formatting", wert); }

}  // namespace vk::word
