// The invoice document: a .docx package opened, edited through the object model and saved.
// (First outline; the document layer fills it in.)
#pragma once

#include <filesystem>
#include <memory>

#include "common/variant.h"

namespace vk::word {

class Application;

class Document : public Objekt, public std::enable_shared_from_this<Document> {
public:
    static std::shared_ptr<Document> New();
    static std::shared_ptr<Document> Open(const std::filesystem::path& pfad);
    void Save(const std::filesystem::path& pfad);

    // The application object of this document (selection, view flags, units).
    std::shared_ptr<word::Application> Application();

private:
    std::shared_ptr<word::Application> application_;
};

class Application : public Objekt {
public:
    static double CentimetersToPoints(double cm) { return cm * 72.0 / 2.54; }
};

}  // namespace vk::word
