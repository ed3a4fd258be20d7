#include "word/word_hilfen.h"

#include <zip.h>

#include <iostream>
#include <stdexcept>

#include <gtest/gtest.h>

#include "druck.h"  // Zitiert

namespace vk::word::test {

std::filesystem::path TempOrdner() {
    static vktest::TempOrdner basis;
    static int n = 0;
    auto p = basis / ("t" + std::to_string(++n));
    std::filesystem::create_directories(p);
    return p;
}

std::shared_ptr<Document> MitText(const std::string& text) {
    auto doc = Document::New();
    doc->Content().InsertBefore(text);
    return doc;
}

std::string ZipTeil(const std::filesystem::path& datei, const std::string& name) {
    int fehler = 0;
    zip_t* za = zip_open(datei.c_str(), ZIP_RDONLY, &fehler);
    if (!za) return {};
    std::string aus;
    zip_stat_t st;
    if (zip_stat(za, name.c_str(), 0, &st) == 0) {
        aus.resize(st.size);
        zip_file_t* f = zip_fopen(za, name.c_str(), 0);
        if (f) {
            zip_fread(f, aus.data(), st.size);
            zip_fclose(f);
        }
    }
    zip_discard(za);
    return aus;
}

std::vector<std::string> ZipNamen(const std::filesystem::path& datei) {
    std::vector<std::string> aus;
    int fehler = 0;
    zip_t* za = zip_open(datei.c_str(), ZIP_RDONLY, &fehler);
    if (!za) return aus;
    for (zip_int64_t i = 0; i < zip_get_num_entries(za, 0); ++i) aus.push_back(zip_get_name(za, i, 0));
    zip_discard(za);
    return aus;
}

void ZipTeilSetzen(const std::filesystem::path& datei, const std::string& name, const std::string& inhalt) {
    int fehler = 0;
    zip_t* za = zip_open(datei.c_str(), 0, &fehler);
    if (!za) throw std::runtime_error("cannot open " + datei.string());
    zip_source_t* s = zip_source_buffer(za, inhalt.data(), inhalt.size(), 0);
    if (!s || zip_file_add(za, name.c_str(), s, ZIP_FL_OVERWRITE) < 0 || zip_close(za) != 0) {
        zip_discard(za);
        throw std::runtime_error("cannot write " + name + " into " + datei.string());
    }
}

Range VorKalStart(Document& doc) {
    for (Comment c : doc.Comments()) {
        if (c.Text() != "kalStart") continue;
        Range stelle = c.Reference();
        stelle.Collapse(wdCollapseStart);
        stelle.MoveStart(wdWord, -1);
        stelle.InsertParagraphBefore();
        stelle.Collapse(wdCollapseStart);
        return stelle;
    }
    return Range();
}

namespace {

// Cell texts as python-docx reads them ("\n" between paragraphs and for line breaks), cells ended by
// 0x1F, rows by 0x1E, tables by 0x1D.
const char* kPythonTabellen =
    "import sys, docx\n"
    "from docx.table import _Cell\n"
    "d = docx.Document(sys.argv[1])\n"
    "sys.stdout.write(''.join(''.join(''.join(_Cell(tc, t).text + chr(31) for tc in r._tr.tc_lst) + chr(30) "
    "for r in t.rows) + chr(29) for t in d.tables))";

std::string Tabellen(Document& doc) {
    std::string aus;
    for (Table tabelle : doc.Tables()) {
        for (long z = 1; z <= tabelle.Rows().Count(); ++z) {
            Row zeile = tabelle.Rows().Item(z);
            for (long s = 1; s <= zeile.CellCount(); ++s) {
                std::string text = zeile.Cell(s).Range().Text();
                text = text.substr(0, text.size() - 2);  // end-of-cell mark
                for (char& c : text)
                    if (c == '\r' || c == '\v') c = '\n';
                aus += text + '\x1f';
            }
            aus += '\x1e';
        }
        aus += '\x1d';
    }
    return aus;
}

}  // namespace

std::string PythonMitDocx() {
    static const std::string gefunden = [] {
        for (std::string py : {"python3", "/usr/bin/python3"}) {
            int rc = 0;
            Ausfuehren(py + " -c 'import docx' >/dev/null 2>&1", &rc);
            if (rc == 0) return py;
        }
        return std::string();
    }();
    return gefunden;
}

void PythonLiestGleich(Document& doc, const std::filesystem::path& datei) {
    if (PythonMitDocx().empty()) {
        std::cout << "python-docx fehlt: Vergleich mit python-docx übersprungen\n";
        return;
    }
    EXPECT_EQ(Ausfuehren(PythonMitDocx() + " -c " + vktest::Zitiert(kPythonTabellen) + " " +
                         vktest::Zitiert(datei.string()) + " 2>&1"),
              Tabellen(doc))
        << datei;
}

std::shared_ptr<Document> GespeichertUndGeoeffnet(Document& doc, const std::filesystem::path& datei) {
    doc.Save(datei);
    auto wieder = Document::Open(datei);
    PythonLiestGleich(*wieder, datei);
    return wieder;
}

}  // namespace vk::word::test
