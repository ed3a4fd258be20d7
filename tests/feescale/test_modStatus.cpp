// The fee scales at their band edges.
#include <gtest/gtest.h>

#include <cmath>

#include "../common/protokoll_hilfe.h"
#include "feescale/modStatus.h"

namespace vk {
namespace {

double S1(double wert, double flaeche) { return Gebührenstaffel1(wert, flaeche); }

TEST(Gebuehrenstaffel1, AreaRows) {
    EXPECT_EQ(S1(10, 100), 870);
    EXPECT_EQ(S1(10, 100.9), 870);
    EXPECT_EQ(S1(10, 101), 1200);
    EXPECT_EQ(S1(10, 800), 1500);
    EXPECT_EQ(S1(10, 100000), 4000);
    EXPECT_EQ(S1(10, 100000.5), 4000);
}

TEST(Gebuehrenstaffel1, LandValueColumnsCountWithOneDecimal) {
    EXPECT_EQ(S1(1.0, 50), 800);
    EXPECT_EQ(S1(1.09, 50), 800);
    EXPECT_EQ(S1(1.1, 50), 870);
    EXPECT_EQ(S1(10.1, 50), 950);
    EXPECT_EQ(S1(40.0, 50), 950);
    EXPECT_EQ(S1(40.1, 50), 980);
    EXPECT_EQ(S1(250.09, 50), 1050);
    EXPECT_EQ(S1(250.1, 50), 1120);
    EXPECT_EQ(S1(-0.1, 50), 800);  // a negative land value counts as 0
}

TEST(Gebuehrenstaffel1, EveryStartedFiftyThousandAboveTheTableAddsAStep) {
    EXPECT_EQ(S1(0.5, 100001), 4090);
    EXPECT_EQ(S1(0.5, 150000), 4090);
    EXPECT_EQ(S1(0.5, 150001), 4480);
    EXPECT_EQ(S1(300, 200001), 5240 + 3 * 690);
    EXPECT_EQ(S1(0.5, -1), 800);  // a negative area counts as 0
}

TEST(Gebuehrenstaffel1, ArgumentsAreNotChanged) {
    double wert = 10.19, flaeche = 800.7;
    Gebührenstaffel1(wert, flaeche);
    EXPECT_EQ(wert, 10.19);
    EXPECT_EQ(flaeche, 800.7);
}

TEST(GrenzfeststellungB, RowsAndColumns) {
    for (double wert : {0.0, 3.0, 100.0, 1000.0}) EXPECT_EQ(Grenzfeststellung_B(wert, 0), 0);
    EXPECT_EQ(Grenzfeststellung_B(10, 5), 170);
    EXPECT_EQ(Grenzfeststellung_B(10, 6), 150);
    EXPECT_EQ(Grenzfeststellung_B(5, 50), 120);
    EXPECT_EQ(Grenzfeststellung_B(5, 51), 115);
    EXPECT_EQ(Grenzfeststellung_B(5, 0.5), 115);
    EXPECT_EQ(Grenzfeststellung_B(5, 50.5), 115);
    EXPECT_EQ(Grenzfeststellung_B(250, 3), 210);
}

TEST(GrenzfeststellungB, LastColumnAddsTenPerStartedHundred) {
    EXPECT_EQ(Grenzfeststellung_B(250.5, 3), 220);
    EXPECT_EQ(Grenzfeststellung_B(350, 3), 230);
    EXPECT_EQ(Grenzfeststellung_B(351, 3), 230);
    EXPECT_EQ(Grenzfeststellung_B(1000, 3), 290);
}

// A land value with cents between two listed columns belongs to the column above it; it never falls
// into the open-ended column, which priced 5,50 €/m² dearer than 100 €/m².
TEST(GrenzfeststellungB, ValuesBetweenBandsBelongToTheBandAbove) {
    EXPECT_EQ(Grenzfeststellung_B(5.5, 3), 170);
    EXPECT_EQ(Grenzfeststellung_B(40.5, 60), 125);
    EXPECT_EQ(Grenzfeststellung_B(100.5, 3), 210);
    EXPECT_EQ(Grenzfeststellung_B(25, 5.5), 150);  // points between rows: the row above
    EXPECT_EQ(Gebäudevermessung(25000.5), 475);
    EXPECT_EQ(Gebäudevermessung(2500000.5), 1.2 * std::sqrt(2500000.5));
}

TEST(Gebaeudevermessung, BandsAndSquareRoot) {
    auto G = [](double k) { return Gebäudevermessung(k); };
    EXPECT_EQ(G(0), 220);
    EXPECT_EQ(G(25000), 220);
    EXPECT_EQ(G(25001), 475);
    EXPECT_EQ(G(2500000), 1900);
    EXPECT_NEAR(G(2500001), 1897.37, 0.01);
    EXPECT_NEAR(G(10000000), 3794.73, 0.01);
}

TEST(Gebaeudevermessung, NegativeCostIsLoggedAndGivesZero) {
    test::ProtokollLeeren();
    EXPECT_EQ(Gebäudevermessung(-1), 0);
    EXPECT_EQ(test::ProtokollEintraege(), 1);
    EXPECT_NE(test::ProtokollText().find("-KalDienste- modStatus.Gebäudevermessung"), std::string::npos);
}

}  // namespace
}  // namespace vk
