// vk pdf --doc FILE.docx --out FILE.pdf [--libreoffice PROGRAM]: the invoice as the word processor
// prints it, as a PDF file, through LibreOffice without a window.
#include "befehle.h"
#include "common/fehler.h"
#include "document/Druck.h"

namespace vkcli {

int BefehlPdf(const Argumente& args) {
    std::string dokument, pdf, libreoffice;
    for (Optionen o(args, "pdf"); o.Weiter();) {
        const std::string& n = o.Name();
        if (n == "--doc") dokument = o.Wert();
        else if (n == "--out") pdf = o.Wert();
        else if (n == "--libreoffice") libreoffice = o.Wert();
        else o.Unbekannt();
    }
    if (dokument.empty() || pdf.empty()) throw Aufruffehler{"pdf: --doc und --out werden gebraucht"};
    try {
        vk::PdfSchreiben(dokument, pdf, libreoffice);
    } catch (const vk::LaufzeitFehler& f) {
        throw Aufruffehler{"pdf: " + f.Beschreibung()};
    }
    return 0;
}

}  // namespace vkcli
