// The three fee scales against their tables, typed in here from the fee ordinance: every cell, at
// the lower and upper bound of every band and just outside it.
#include <gtest/gtest.h>

#include <initializer_list>

#include "../common/protokoll_hilfe.h"
#include "feescale/modStatus.h"

namespace vk {
namespace {

// ---- Gebührenstaffel1: rows by area (m²), columns by land value (€/m², one decimal counts) ----

struct Staffel1Zeile {
    double von, bis;  // whole square metres
    double gebuehr[6];
};

constexpr Staffel1Zeile kStaffel1[] = {
    {0, 100, {800, 870, 950, 980, 1050, 1120}},
    {101, 500, {980, 1200, 1300, 1400, 1500, 1600}},
    {501, 1000, {1400, 1500, 1600, 1700, 1800, 1900}},
    {1001, 2500, {1700, 1850, 1950, 2000, 2050, 2100}},
    {2501, 5000, {1950, 2000, 2100, 2200, 2300, 2400}},
    {5001, 10000, {2200, 2350, 2500, 2800, 2900, 3000}},
    {10001, 25000, {2800, 3000, 3200, 3400, 3600, 3800}},
    {25001, 50000, {3330, 3500, 3700, 4100, 4200, 4400}},
    {50001, 100000, {3700, 4000, 4500, 4870, 5040, 5240}},
    // Above the table: base + one step per started 50 000 m² (base 3700 4000 4500 4870 5040 5240,
    // step 390 500 580 630 660 690).
    {100001, 150000, {4090, 4500, 5080, 5500, 5700, 5930}},
    {150001, 200000, {4480, 5000, 5660, 6130, 6360, 6620}},
    {200001, 250000, {4870, 5500, 6240, 6760, 7020, 7310}},
};

// Per column: its lowest land value, its highest and one more. The land value counts in cents, as the
// fee table prints its class ("40,01 - 100,00 €/m²"): 40,05 and 1,09 belong to the class they print
// in; a third decimal counts as the cents it rounds to (1,004 is 1,00; 249,995 is 250,00).
constexpr double kStaffel1Bodenwerte[6][3] = {
    {0, 1.0, 1.004}, {1.01, 10.0, 1.09}, {10.01, 40.0, 40.004}, {40.01, 100.0, 40.05}, {100.01, 250.0, 249.995},
    {250.01, 1000.0, 1000000.0},
};

TEST(Gebuehrenstaffeln, Staffel1EveryCellAtItsBandEdges) {
    for (const Staffel1Zeile& zeile : kStaffel1) {
        // The area counts in whole square metres: bis + 0,9 is still the row, the next row starts at bis + 1.
        for (double flaeche : {zeile.von, zeile.bis, zeile.bis + 0.9}) {
            for (int spalte = 0; spalte < 6; ++spalte) {
                for (double bodenwert : kStaffel1Bodenwerte[spalte]) {
                    EXPECT_EQ(Gebührenstaffel1(bodenwert, flaeche), zeile.gebuehr[spalte])
                        << "land value " << bodenwert << " €/m², area " << flaeche << " m²";
                }
            }
        }
    }
    EXPECT_EQ(Gebührenstaffel1(0.5, 1000001), 11110);  // 19 started steps: 3700 + 19 × 390
}

// ---- Grenzfeststellung_B: fee per point, rows by number of points, columns by land value -------

struct GrenzZeile {
    std::initializer_list<double> punkte;  // points at the edges of the row
    double gebuehr[4];                     // land value 0–5, 6–40, 41–100, 101–250
    double ueber250[4];                    // land value 250,5 / 349,5 / 350 / 1000: base + 10 per started 100
};

// A number of points between two rows (5,5) belongs to the row above it; below one point and above
// 50 points the last row applies.
const GrenzZeile kGrenzB[] = {
    {{1, 5}, {150, 170, 190, 210}, {220, 220, 230, 290}},
    {{5.5, 6, 10}, {140, 150, 170, 190}, {200, 200, 210, 270}},
    {{10.5, 11, 20}, {130, 140, 150, 170}, {180, 180, 190, 250}},
    {{20.5, 21, 30}, {125, 130, 140, 150}, {160, 160, 170, 230}},
    {{30.5, 31, 50}, {120, 125, 130, 140}, {150, 150, 160, 220}},
    {{0.5, 50.5, 51, 1000}, {115, 120, 125, 130}, {140, 140, 150, 210}},
};

// Per column: its edges; a land value between two columns (5,5) belongs to the column above it.
const std::initializer_list<double> kGrenzBBodenwerte[4] = {{0, 5}, {5.5, 6, 40}, {40.5, 41, 100}, {100.5, 101, 250}};
constexpr double kUeber250[4] = {250.5, 349.5, 350, 1000};

TEST(Gebuehrenstaffeln, GrenzfeststellungBEveryCellAtItsBandEdges) {
    for (const GrenzZeile& zeile : kGrenzB) {
        for (double punkte : zeile.punkte) {
            for (int spalte = 0; spalte < 4; ++spalte) {
                for (double bodenwert : kGrenzBBodenwerte[spalte]) {
                    EXPECT_EQ(Grenzfeststellung_B(bodenwert, punkte), zeile.gebuehr[spalte])
                        << "land value " << bodenwert << " €/m², " << punkte << " points";
                }
                EXPECT_EQ(Grenzfeststellung_B(kUeber250[spalte], punkte), zeile.ueber250[spalte])
                    << "land value " << kUeber250[spalte] << " €/m², " << punkte << " points";
            }
        }
    }
    for (double bodenwert : {0.0, 3.0, 100.0, 1000.0}) EXPECT_EQ(Grenzfeststellung_B(bodenwert, 0), 0) << bodenwert;
}

// ---- Gebäudevermessung: fee by construction cost -----------------------------------------------

TEST(Gebuehrenstaffeln, GebaeudevermessungEveryBandAndTheSquareRootAbove) {
    // Per band its upper bound and fee, checked at the lower edge, one euro above it and the upper
    // bound; a cost between two bands (25 000,50) belongs to the band above it.
    const std::pair<double, double> baender[] = {{25000, 220}, {250000, 475}, {500000, 950}, {1000000, 1250},
                                                 {1500000, 1500}, {2500000, 1900}};
    double unten = -0.5;
    for (const auto& [bis, gebuehr] : baender) {
        for (double kosten : {unten + 0.5, unten + 1, bis}) EXPECT_EQ(Gebäudevermessung(kosten), gebuehr) << kosten;
        unten = bis;
    }
    // Above the table 1,2 × √cost, which starts below 1900 and passes it only near 2 506 944,5.
    const std::pair<double, double> wurzel[] = {
        {2500000.5, 1897.3667858376777}, {2500001, 1897.3669755743089}, {2506944, 1899.9998315789399},
        {2506945, 1900.0002105263041},   {3000000, 2078.4609690826528}, {10000000, 3794.7331922020552},
        {25000000, 6000},
    };
    for (const auto& [kosten, gebuehr] : wurzel) EXPECT_DOUBLE_EQ(Gebäudevermessung(kosten), gebuehr) << kosten;
}

// A negative construction cost is logged and priced 0; a negative land value, area or number of
// points is priced as 0.
TEST(Gebuehrenstaffeln, NegativeInputsArePricedAsZero) {
    test::ProtokollLeeren();
    EXPECT_EQ(Gebäudevermessung(-1), 0);
    EXPECT_EQ(test::ProtokollEintraege(), 1);
    EXPECT_NE(test::ProtokollText().find("-KalDienste- modStatus.Gebäudevermessung"), std::string::npos);
    EXPECT_EQ(Gebührenstaffel1(-0.1, 800), 1400);
    EXPECT_EQ(Gebührenstaffel1(-1000, 50), 800);
    EXPECT_EQ(Gebührenstaffel1(10, -1), 870);  // row 0–100, column 1,1–10,0
    EXPECT_EQ(Gebührenstaffel1(-5, -200000), 800);
    EXPECT_EQ(Grenzfeststellung_B(-3000, 4), 150);
    EXPECT_EQ(Grenzfeststellung_B(-0.5, 12), 130);
    EXPECT_EQ(Grenzfeststellung_B(10, -3), 0);
    EXPECT_EQ(Grenzfeststellung_B(-10, -0.5), 0);
}

}  // namespace
}  // namespace vk
