#include "platform/word/document.h"

#include "common/fehler.h"

namespace vk::word {

std::shared_ptr<Document> Document::New() {
    throw LaufzeitFehler(fehlernummer::Dokumentfehler, "not implemented yet");
}

std::shared_ptr<Document> Document::Open(const std::filesystem::path&) {
    throw LaufzeitFehler(fehlernummer::Dokumentfehler, "not implemented yet");
}

}  // namespace vk::word
