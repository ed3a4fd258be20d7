// Helpers of the document-layer tests: temporary folders, zip parts, the place of a fee table,
// python-docx as a second reader.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "common/datei_hilfe.h"
#include "platform/word/document.h"

namespace vk::word::test {

using vktest::Ausfuehren;
using vktest::DateiLesen;
using vktest::DateiSchreiben;

// A new document holding `text` ("\r" between paragraphs).
std::shared_ptr<Document> MitText(const std::string& text);

// A fresh folder below the temp directory, removed at the end of the test program.
std::filesystem::path TempOrdner();

// Bytes of one part of a package ("" when missing); replaces or adds a part (throws when the
// package cannot be written).
std::string ZipTeil(const std::filesystem::path& datei, const std::string& name);
std::vector<std::string> ZipNamen(const std::filesystem::path& datei);
void ZipTeilSetzen(const std::filesystem::path& datei, const std::string& name, const std::string& inhalt);

// The place of a new fee table before the "kalStart" tag, made as the callers make it: a new
// paragraph before the word ahead of the tag. A range that is nothing when there is no tag.
Range VorKalStart(Document& doc);

// Expects python-docx to open the saved file and read the cell texts `doc` holds (skipped without it).
void PythonLiestGleich(Document& doc, const std::filesystem::path& datei);
// A python3 that has python-docx ("python3" or Debian's /usr/bin/python3), empty when there is none.
std::string PythonMitDocx();
// `doc` saved as `datei` and opened again, read by python-docx alike.
std::shared_ptr<Document> GespeichertUndGeoeffnet(Document& doc, const std::filesystem::path& datei);

}  // namespace vk::word::test
