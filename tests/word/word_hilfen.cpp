#include "word/word_hilfen.h"

#include <zip.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <stdexcept>

#include <gtest/gtest.h>

namespace vk::word::test {

std::filesystem::path TempOrdner() {
    static std::filesystem::path basis = [] {
        std::string muster = (std::filesystem::temp_directory_path() / "vk_word_XXXXXX").string();
        char* d = ::mkdtemp(muster.data());
        static std::filesystem::path ort = d ? d : "";
        if (d) std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all(ort, ec);
        });
        return ort.empty() ? std::filesystem::temp_directory_path() : ort;
    }();
    static int n = 0;
    auto p = basis / ("t" + std::to_string(++n));
    std::filesystem::create_directories(p);
    return p;
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

bool ProgrammVorhanden(const std::string& name) {
    int rc = 0;
    Ausfuehren("command -v " + name + " >/dev/null 2>&1", &rc);
    return rc == 0;
}

std::string PythonMitDocx() {
    static std::string gefunden = [] {
        for (std::string py : {"python3", "/usr/bin/python3"}) {
            int rc = 0;
            Ausfuehren(py + " -c 'import docx' >/dev/null 2>&1", &rc);
            if (rc == 0) return py;
        }
        return std::string();
    }();
    return gefunden;
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
std::string Json(const std::string& s) {
    std::string aus = "\"";
    for (unsigned char c : s) {
        switch (c) {
        case '"': aus += "\\\""; break;
        case '\\': aus += "\\\\"; break;
        case '\n': aus += "\\n"; break;
        case '\t': aus += "\\t"; break;
        default:
            if (c < 0x20) {
                char b[8];
                std::snprintf(b, sizeof b, "\\u%04x", c);
                aus += b;
            } else {
                aus += static_cast<char>(c);
            }
        }
    }
    return aus + "\"";
}
}  // namespace

std::string TabellenAlsJson(vk::word::Document& doc) {
    std::string aus = "[";
    auto tabellen = doc.Tables();
    for (long t = 1; t <= tabellen.Count(); ++t) {
        auto tabelle = tabellen.Item(t);
        aus += t > 1 ? ", [" : "[";
        auto zeilen = tabelle.Rows();
        for (long z = 1; z <= zeilen.Count(); ++z) {
            auto zeile = zeilen.Item(z);
            aus += z > 1 ? ", [" : "[";
            for (long s = 1; s <= zeile.CellCount(); ++s) {
                std::string text = zeile.Cell(s).Range().Text();
                text = text.substr(0, text.size() - 2);  // end-of-cell mark
                for (char& c : text)
                    if (c == '\r' || c == '\v') c = '\n';
                aus += (s > 1 ? ", " : "") + Json(text);
            }
            aus += "]";
        }
        aus += "]";
    }
    return aus + "]";
}

std::string TabellenAlsJsonPython(const std::filesystem::path& datei) {
    std::string py = PythonMitDocx();
    std::string befehl = py + " -c 'import sys, json, docx\n"
                  "from docx.table import _Cell\n"
                  "d = docx.Document(sys.argv[1])\n"
                  "print(json.dumps([[[_Cell(tc, t).text for tc in r._tr.tc_lst] for r in t.rows] for t in d.tables], "
                  "ensure_ascii=False))' '" +
             datei.string() + "' 2>&1";
    std::string aus = Ausfuehren(befehl);
    while (!aus.empty() && (aus.back() == '\n' || aus.back() == '\r')) aus.pop_back();
    return aus;
}

void PythonLiestGleich(vk::word::Document& doc, const std::filesystem::path& datei) {
    if (PythonMitDocx().empty()) {
        std::cout << "python-docx fehlt: Vergleich mit python-docx übersprungen\n";
        return;
    }
    EXPECT_EQ(TabellenAlsJsonPython(datei), TabellenAlsJson(doc)) << datei;
}

}  // namespace vk::word::test
