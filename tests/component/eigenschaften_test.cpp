// VK's properties: automation conversions, rejected values keep the stored one, Doc sets WordApp,
// and every VK object shares the one context.
#include <gtest/gtest.h>

#include "component/komponente_test.h"
#include "component/vk.h"
#include "dao/testdatenbank.h"
#include "platform/dao/dao.h"
#include "platform/word/document.h"

using vk::Kontext;
using vk::Variant;
using vk::VarTyp;
using vktest::FehlerVon;

namespace {

class VKEigenschaften : public ::testing::Test {
protected:
    vktest::SauberesKomponentenumfeld umfeld;
    vk::VK komponente;
};

TEST_F(VKEigenschaften, IntegersRoundHalfToEvenAndRejectOverflow) {
    komponente.Achslänge(Variant(2.5));
    EXPECT_EQ(komponente.Achslänge(), Variant(std::int16_t{2}));
    komponente.Achslänge(Variant("3,5"));
    EXPECT_EQ(komponente.Achslänge(), Variant(std::int16_t{4}));

    EXPECT_EQ(FehlerVon([&] { komponente.Achslänge(Variant(40000)); }).nummer, vk::fehlernummer::Ueberlauf);
    EXPECT_EQ(Kontext().Achslänge, 4) << "the stored value stays";
    EXPECT_EQ(FehlerVon([&] { komponente.Grenzlänge(Variant(3e9)); }).nummer, vk::fehlernummer::Ueberlauf);
    komponente.Grenzlänge(Variant(100000));
    EXPECT_EQ(komponente.Grenzlänge().Typ(), VarTyp::Long);
    komponente.Flurstücke(Variant(true));
    EXPECT_EQ(komponente.Flurstücke(), Variant(std::int16_t{-1}));
    komponente.ID_Benutzer(Variant("7"));
    EXPECT_EQ(Kontext().ID_Benutzer, 7);
}

TEST_F(VKEigenschaften, NumbersRejectTextThatIsNoNumber) {
    komponente.Fläche(Variant("1.234,5"));
    EXPECT_EQ(komponente.Fläche(), Variant(1234.5));
    EXPECT_EQ(FehlerVon([&] { komponente.Fläche(Variant("achthundert")); }).nummer, vk::fehlernummer::TypenUnvertraeglich);
    EXPECT_EQ(FehlerVon([&] { komponente.Fläche(Variant("800 m²")); }).nummer, vk::fehlernummer::TypenUnvertraeglich);
    EXPECT_EQ(Kontext().Fläche, 1234.5);
    EXPECT_EQ(FehlerVon([&] { komponente.Baukosten(Variant::Null()); }).nummer, vk::fehlernummer::UnzulaessigeVerwendungVonNull);
    EXPECT_EQ(FehlerVon([&] { komponente.Bodenwert(Variant(std::make_shared<vk::dao::Workspace>())); }).nummer,
              vk::fehlernummer::TypenUnvertraeglich);

    komponente.Flurstücksnummer(Variant(12.5));
    EXPECT_EQ(komponente.Flurstücksnummer(), Variant("12,5"));
}

TEST_F(VKEigenschaften, DocAcceptsOnlyADocumentAndSetsWordApp) {
    auto doc = vk::word::Document::New();
    komponente.Doc(Variant(doc));
    EXPECT_EQ(komponente.Doc().Objekt_als<vk::word::Document>(), doc);
    EXPECT_EQ(Kontext().WordApp, doc->Application());

    EXPECT_EQ(FehlerVon([&] { komponente.Doc(Variant(std::make_shared<vk::dao::Workspace>())); }).nummer,
              vk::fehlernummer::TypenUnvertraeglich);
    EXPECT_EQ(FehlerVon([&] { komponente.Doc(Variant("Rechnung.docx")); }).nummer, vk::fehlernummer::TypenUnvertraeglich);
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

TEST_F(VKEigenschaften, DatabaseObjectsMustHaveTheirType) {
    vktest::TempOrdner ordner;
    auto ws = std::make_shared<vk::dao::Workspace>();
    auto db = ws->OpenDatabase(vktest::NeueDatenbank(ordner).string());
    komponente.KalWorkspace(Variant(ws));
    komponente.NeueAbfrage(Variant(db));
    EXPECT_EQ(FehlerVon([&] { komponente.KalWorkspace(Variant(db)); }).nummer, vk::fehlernummer::TypenUnvertraeglich);
    EXPECT_EQ(FehlerVon([&] { komponente.NeueAbfrage(Variant(ws)); }).nummer, vk::fehlernummer::TypenUnvertraeglich);
    EXPECT_EQ(komponente.KalWorkspace().Objekt_als<vk::dao::Workspace>(), ws);
    EXPECT_EQ(komponente.NeueAbfrage().Objekt_als<vk::dao::Database>(), db);
}

TEST_F(VKEigenschaften, AllObjectsShareOneContextAndAktualisierenChangesNothing) {
    vk::VK zweite;
    komponente.Bodenwert(Variant(10));
    EXPECT_EQ(zweite.Bodenwert(), Variant(10.0));
    zweite.Lage(Variant("Am Hang 3"));
    komponente.Aktualisieren();
    EXPECT_EQ(Kontext().Lage, "Am Hang 3");
    EXPECT_EQ(Kontext().Bodenwert, 10.0);
}

}  // namespace
