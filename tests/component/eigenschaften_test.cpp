// VK's properties: automation conversions, rejected values keep the stored one, Doc sets WordApp,
// and every VK object shares the one context.
#include <gtest/gtest.h>

#include <functional>

#include "component/komponente_test.h"
#include "component/vk.h"
#include "dao/testdatenbank.h"
#include "platform/dao/dao.h"
#include "platform/word/document.h"

using vk::Kontext;
using vk::Variant;
using vktest::FehlerVon;
namespace nummer = vk::fehlernummer;

namespace {

class VKEigenschaften : public ::testing::Test {
protected:
    vktest::SauberesKomponentenumfeld umfeld;
    vk::VK komponente;
};

TEST_F(VKEigenschaften, ConversionsRoundHalfToEvenRejectedValuesKeepTheStoredOneInTheSharedContext) {
    komponente.Achslänge(Variant(2.5));
    EXPECT_EQ(komponente.Achslänge(), Variant(std::int16_t{2}));
    komponente.Achslänge(Variant("3,5"));
    EXPECT_EQ(komponente.Achslänge(), Variant(std::int16_t{4}));
    komponente.Grenzlänge(Variant(100000));
    EXPECT_EQ(komponente.Grenzlänge().Typ(), vk::VarTyp::Long);
    komponente.Flurstücke(Variant(true));
    EXPECT_EQ(komponente.Flurstücke(), Variant(std::int16_t{-1}));
    komponente.ID_Benutzer(Variant("7"));
    EXPECT_EQ(Kontext().ID_Benutzer, 7);
    komponente.Fläche(Variant("1.234,5"));
    EXPECT_EQ(komponente.Fläche(), Variant(1234.5));
    komponente.Flurstücksnummer(Variant(12.5));
    EXPECT_EQ(komponente.Flurstücksnummer(), Variant("12,5"));

    const std::pair<std::function<void()>, int> abgelehnt[] = {
        {[&] { komponente.Achslänge(Variant(40000)); }, nummer::Ueberlauf},
        {[&] { komponente.Grenzlänge(Variant(3e9)); }, nummer::Ueberlauf},
        {[&] { komponente.Fläche(Variant("achthundert")); }, nummer::TypenUnvertraeglich},
        {[&] { komponente.Fläche(Variant("800 m²")); }, nummer::TypenUnvertraeglich},
        {[&] { komponente.Baukosten(Variant::Null()); }, nummer::UnzulaessigeVerwendungVonNull},
        {[&] { komponente.Bodenwert(Variant(std::make_shared<vk::dao::Workspace>())); }, nummer::TypenUnvertraeglich},
    };
    for (std::size_t i = 0; i < std::size(abgelehnt); ++i) EXPECT_EQ(FehlerVon(abgelehnt[i].first).nummer, abgelehnt[i].second) << i;
    EXPECT_EQ(Kontext().Achslänge, 4) << "the stored value stays";
    EXPECT_EQ(Kontext().Fläche, 1234.5);

    // Every VK object shares the one context; Aktualisieren changes nothing of it.
    vk::VK zweite;
    komponente.Bodenwert(Variant(10));
    EXPECT_EQ(zweite.Bodenwert(), Variant(10.0));
    zweite.Lage(Variant("Am Hang 3"));
    komponente.Aktualisieren();
    EXPECT_EQ(Kontext().Lage, "Am Hang 3");
    EXPECT_EQ(Kontext().Bodenwert, 10.0);
}

TEST_F(VKEigenschaften, ObjectPropertiesTakeOnlyTheirTypeAndDocSetsWordApp) {
    vktest::TempOrdner ordner;
    auto ws = std::make_shared<vk::dao::Workspace>();
    auto db = ws->OpenDatabase(vktest::NeueDatenbank(ordner).string());
    komponente.KalWorkspace(Variant(ws));
    komponente.NeueAbfrage(Variant(db));
    EXPECT_EQ(FehlerVon([&] { komponente.KalWorkspace(Variant(db)); }).nummer, nummer::TypenUnvertraeglich);
    EXPECT_EQ(FehlerVon([&] { komponente.NeueAbfrage(Variant(ws)); }).nummer, nummer::TypenUnvertraeglich);
    EXPECT_EQ(komponente.KalWorkspace().Objekt_als<vk::dao::Workspace>(), ws);
    EXPECT_EQ(komponente.NeueAbfrage().Objekt_als<vk::dao::Database>(), db);

    auto doc = vk::word::Document::New();
    komponente.Doc(Variant(doc));
    EXPECT_EQ(komponente.Doc().Objekt_als<vk::word::Document>(), doc);
    EXPECT_EQ(Kontext().WordApp, doc->Application());
    EXPECT_EQ(FehlerVon([&] { komponente.Doc(Variant(ws)); }).nummer, nummer::TypenUnvertraeglich);
    EXPECT_EQ(FehlerVon([&] { komponente.Doc(Variant("Rechnung.docx")); }).nummer, nummer::TypenUnvertraeglich);
    EXPECT_EQ(Kontext().Doc, doc);
    // A second document replaces document and application and releases the first.
    std::weak_ptr<vk::word::Document> erstes = doc;
    std::weak_ptr<vk::word::Application> ersteAnwendung = doc->Application();
    auto zweites = vk::word::Document::New();
    komponente.Doc(Variant(zweites));
    doc.reset();
    EXPECT_TRUE(erstes.expired());
    EXPECT_TRUE(ersteAnwendung.expired());
    EXPECT_EQ(Kontext().WordApp, zweites->Application());
    // An empty object reference releases both.
    komponente.Doc(Variant(std::shared_ptr<vk::Objekt>{}));
    EXPECT_EQ(Kontext().Doc, nullptr);
    EXPECT_EQ(Kontext().WordApp, nullptr);
}

}  // namespace
