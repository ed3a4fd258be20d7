// Test fixture: an invoice document with the template's tags, an office database with one invoice,
// and the invoice context pointing at both.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "../dao/testdatenbank.h"
#include "common/fehlerprotokoll.h"
#include "component/rechnungskontext.h"
#include "document/GebuehrenTabelle.h"
#include "document/KV_WordAuto.h"
#include "platform/dao/dao.h"
#include "platform/word/document.h"

namespace vktest {

// How many tables of the document are tagged `schluessel`.
inline int TabellenMit(vk::word::Document& doc, const std::string& schluessel) {
    int n = 0;
    for (vk::word::Table t : doc.Tables())
        if (vk::ErsterKommentarText(t.Range()) == schluessel) ++n;
    return n;
}

// The texts of a table's cells without end marks, row by row, cells joined by "|".
inline std::vector<std::string> TabellenZeilen(vk::word::Table t) {
    std::vector<std::string> zeilen;
    for (long r = 1; r <= t.Rows().Count(); ++r) {
        std::string z;
        for (long c = 1; c <= t.Rows().Item(r).CellCount(); ++c) {
            std::string text = t.Cell(r, c).Range().Text();
            z += (c > 1 ? "|" : "") + text.substr(0, text.size() - 2);
        }
        zeilen.push_back(z);
    }
    return zeilen;
}

class Rechnungsumfeld : public ::testing::Test {
protected:
    void SetUp() override {
        vk::KontextZuruecksetzen();
        vk::TabellenIndex() = 0;
        datei_ = ordner_ / "buero.sqlite";
        vk::dao::DatenbankAnlegen(datei_);
        roh_ = std::make_unique<Roh>(datei_);
        roh_->Sql("INSERT INTO Rechnung (ID_Rechnungsnummer, ID_Auftragsnummer, Rechnungsart, Rechnungsnummer) "
                  "VALUES (1, 100, 1, '2026-001')");
        roh_->Sql("INSERT INTO Version (Zahlungsziel, AbstandZahlungsziel, BundZahlungsziel) "
                  "VALUES ('Zahlbar bis zum <14> ohne Abzug.', 25, 1)");
        auto& k = vk::Kontext();
        k.KalWorkspace = std::make_shared<vk::dao::Workspace>();
        k.NeueAbfrage = k.KalWorkspace->OpenDatabase(datei_.string());
        k.Mehrwertsteuersatz = 19;
        k.AbschlagProzent = 100;
        doc_ = vk::word::Document::New();
        k.Doc = doc_;
        k.WordApp = doc_->Application();
        Brief();
    }
    void TearDown() override { vk::KontextZuruecksetzen(); }

    // The invoice record of ID, as the host hands it over.
    void RechnungWaehlen(int id) {
        vk::Kontext().Rechnung =
            vk::Kontext().NeueAbfrage->OpenRecordset("SELECT * FROM Rechnung WHERE ID_Rechnungsnummer = " +
                                                     std::to_string(id));
    }

    // A short letter with the tags: "kalStart" where the tables go, "kalNetto", "kalMwSt", "kalBrutto"
    // and "kalAuslagen".
    void Brief() {
        vk::word::Range r = doc_->Content();
        r.InsertAfter("Rechnung\rPositionen:\rNetto: Betrag 0,00 € und weiter\rMwSt: Betrag\rBrutto: Betrag\r"
                      "Auslagen: Betrag\rGruß");
        for (auto [text, tag] : {std::pair{"Positionen:", "kalStart"}, {"Netto: Betrag", "kalNetto"},
                                 {"MwSt: Betrag", "kalMwSt"}, {"Brutto: Betrag", "kalBrutto"}, {"Auslagen: Betrag", "kalAuslagen"}})
            Markieren(text, tag);
    }
    // The letter's amount after a label ("Netto: Betrag"), as it reads.
    std::string Briefbetrag(const std::string& marke) {
        const std::string text = doc_->Content().Text();
        const std::size_t von = text.find(marke);
        if (von == std::string::npos) return "(" + marke + " fehlt)";
        const std::size_t anfang = von + marke.size();
        const std::size_t ende = text.find("€", anfang);
        return ende == std::string::npos ? "" : text.substr(anfang, ende + std::string("€").size() - anfang);
    }

    void Markieren(const std::string& text, const std::string& tag) {
        // Positions count characters, not UTF-8 bytes.
        const std::string alles = doc_->Content().Text();
        const std::size_t byte = alles.find(text);
        long p = 0;
        for (std::size_t i = 0; i < byte; ++i)
            if ((static_cast<unsigned char>(alles[i]) & 0xC0) != 0x80) ++p;
        doc_->Comments().Add(doc_->Range(p, p + static_cast<long>(text.size())), tag);
    }

    // A fee table with the amounts (and VAT tags) in column 5, written as a category writes it.
    vk::word::Table Gebuehrentabelle(const std::vector<std::pair<double, std::string>>& betraege,
                                     const std::string& schluessel = "VK_LP_02_5") {
        vk::word::Table form;
        vk::word::Range stelle = vk::EinfügestelleErmitteln(form);
        vk::word::Table t = doc_->Tables().Add(stelle, static_cast<long>(betraege.size()) + 1, 5);
        vk::ZelleSchreiben(t, 1, 1, "Titel", true);
        for (std::size_t i = 0; i < betraege.size(); ++i) {
            const long zeile = static_cast<long>(i) + 2;
            vk::ZelleSchreiben(t, zeile, 5, vk::Betragstext(betraege[i].first), false);
            if (!betraege[i].second.empty()) vk::MwStKennungSetzen(t, zeile, betraege[i].second);
        }
        vk::BookmarkSetzen(t, schluessel);
        return t;
    }

    // The texts of a table's cells without end marks, row by row, cells joined by "|".
    static std::vector<std::string> Zeilen(vk::word::Table t) { return TabellenZeilen(t); }

    // The first table tagged `schluessel` (Nothing when there is none), and how many there are.
    vk::word::Table Tabelle(const std::string& schluessel) {
        for (vk::word::Table t : doc_->Tables())
            if (vk::ErsterKommentarText(t.Range()) == schluessel) return t;
        return {};
    }
    int Anzahl(const std::string& schluessel) { return TabellenMit(*doc_, schluessel); }
    vk::word::Table Summentabelle() { return Tabelle("RE_Summe"); }
    // The tag of a cell ("" when it has none).
    static std::string Kennung(vk::word::Table t, long zeile, long spalte) {
        return vk::ErsterKommentarText(t.Cell(zeile, spalte).Range());
    }

    TempOrdner ordner_;
    std::filesystem::path datei_;
    std::unique_ptr<Roh> roh_;
    std::shared_ptr<vk::word::Document> doc_;
};

}  // namespace vktest
