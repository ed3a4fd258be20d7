// The invoice as the word processor prints it, through LibreOffice without a window: converted to a
// PDF file, or printed on a printer. LibreOffice is the program named (a path, or a name on the
// PATH), else soffice or libreoffice on the PATH. It runs with a profile of its own in a temporary
// folder, so that a LibreOffice the person has open does not keep it from starting.
#pragma once

#include <filesystem>
#include <string>

namespace vk {

// The LibreOffice program to run, "" when there is none.
std::string LibreOfficeFinden(const std::string& benannt = "");

// Writes the invoice as a PDF file (complete or not at all). A missing LibreOffice, a document that
// cannot be read and a conversion that fails raise a LaufzeitFehler whose text a person understands.
void PdfSchreiben(const std::filesystem::path& dokument, const std::filesystem::path& pdf,
                  const std::string& libreoffice = "");

// Prints the invoice on the printer (the system's default printer when `drucker` is empty).
void Drucken(const std::filesystem::path& dokument, const std::string& drucker, const std::string& libreoffice = "");

}  // namespace vk
