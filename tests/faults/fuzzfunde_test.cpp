// Inputs the fuzzers turned up, kept: a leading number beyond the double range.
#include <gtest/gtest.h>

#include "../common/protokoll_hilfe.h"
#include "common/fehler.h"
#include "common/funktionen.h"
#include "common/konvertierung.h"

namespace vktest {
namespace {

TEST(Fuzzfunde, ValOfANumberBeyondTheDoubleRangeIsOverflowAndItsCallersGoOn) {
    // Blanks are ignored by Val, so "921 6e925 6" reads as 9216e9256.
    try {
        vk::Val("921 6e925 6");
        ADD_FAILURE() << "no overflow";
    } catch (const vk::LaufzeitFehler& f) {
        EXPECT_EQ(f.Nummer(), vk::fehlernummer::Ueberlauf);
    }
    EXPECT_FALSE(vk::RegionalLesen("921 6e925 6").has_value());
    EXPECT_FALSE(vk::RegionalLesen("1e999").has_value());

    // The helpers that read user input through Val log the overflow and still return a text.
    vk::test::ProtokollLeeren();
    std::string text;
    ASSERT_NO_THROW(text = vk::WertFormatieren("9216e9256", 11, 2));
    EXPECT_EQ(text.size(), 11u) << text;
    EXPECT_EQ(vk::LetzterFehler().strNr, "6");
    EXPECT_DOUBLE_EQ(vk::CVal("921 6e925 6"), 921.0);
}

}  // namespace
}  // namespace vktest
