#include "platform/word/document.h"

#include "common/fehler.h"

namespace vk::word {

std::shared_ptr<Document> Document::New() { return std::make_shared<Document>(); }

std::shared_ptr<Document> Document::Open(const std::filesystem::path&) {
    throw LaufzeitFehler(fehlernummer::Dokumentfehler, "not implemented yet");
}

void Document::Save(const std::filesystem::path&) {
    throw LaufzeitFehler(fehlernummer::Dokumentfehler, "not implemented yet");
}

std::shared_ptr<word::Application> Document::Application() {
    if (!application_) application_ = std::make_shared<word::Application>();
    return application_;
}

}  // namespace vk::word
