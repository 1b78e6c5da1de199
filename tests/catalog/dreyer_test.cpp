// Expansion of Dreyer's abbreviated descriptions.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "catalog/dreyer.h"

namespace {

std::string Translate(const char* description, std::size_t capacity = kDreyerLongSize) {
    char output[256];
    std::memset(output, 0, sizeof output);
    TranslateDreyerDescription(description, output, capacity);
    return output;
}

// Expected texts: the worked examples and edge cases of the expansion rules
// (every expansion followed by one blank, a comma written as ", ", input blanks
// kept, table order and the context rule of "p").
TEST(Dreyer, WorkedExamplesTableOrderAndContextRule) {
    struct Case {
        const char* in;
        const char* out;
    } cases[] = {
        {"vF, S, R, bM", "very faint ,  small ,  round ,  brighter middle "},
        {"!!! eeB, eL, vmE", "a magnificent  most extremely bright ,  extremely large ,  very much extended "},
        {"pF, *10 p", "pretty faint ,  star 10 preceding "},
        {"Cl, pRi, lC", "cluster ,  pretty rich in stars ,  little compressed "},
        {"stell", "stellar "},       {"st", "stars from "},       {"s", "south "},
        {"ps", "pretty suddenly "},  {"pB", "pretty bright "},    {"pm", "pretty much "},
        {"p", "preceding "},         {"p ", "preceding  "},       {"**", "double star "},
        {"neby", "nebulosity "},     {"neb", "nebula "},          {"bf", "brightest towards the following side "},
        {"pxi", "pretty xirregular "},  // an "i" two places after the "p"
        {"ahoxz", "ahoxz"},          // letters that begin no abbreviation
        {"F...B", "faint  to  bright "},
        {"9...13", "9...13"},        // a number run is copied whole
        {"= M 31", "=M 31"},         // the blank right after "=" is dropped
        {"=", "="},                  {"=x", "="},
        {"(vF)", "(vF)"},            // parenthesised text unchanged
        {"rr", "partially relolved "},
    };
    for (const Case& c : cases) EXPECT_EQ(Translate(c.in), c.out) << c.in;
}

// An empty description writes nothing, not even a terminator; a small buffer is
// cut and terminated.
TEST(Dreyer, EmptyDescriptionAndSmallBuffers) {
    char output[8];
    std::memset(output, 'x', sizeof output);
    TranslateDreyerDescription("", output, sizeof output);
    EXPECT_EQ(std::string(output, sizeof output), "xxxxxxxx");
    EXPECT_EQ(Translate("vF", 8), "very fa");
    EXPECT_EQ(Translate("vF", 1), "");
}

TEST(Dreyer, TranslationEndsAfterTheStepThatPasses190Characters) {
    // Each "bf " adds 38 characters: five reach exactly 190, the sixth "bf" passes it and ends the translation.
    std::string text, expected;
    for (int k = 0; k < 10; ++k) text += "bf ";
    const std::string word = "brightest towards the following side ";
    for (int k = 0; k < 5; ++k) expected += word + " ";
    expected += word;
    EXPECT_EQ(Translate(text.c_str(), 256), expected);
    EXPECT_EQ(Translate(text.c_str()), expected.substr(0, kDreyerLongSize - 1));
}

// Acceptance: the longest expansion after the 190-character stop must not pass
// the 200-byte buffer.
TEST(Dreyer, MaximumLengthStaysInsideItsBuffer) {
    const char* texts[] = {
        "bf bf bf bf bf bfbf bf bf bf bf bf bf bf bf bf bf",  // 49 characters of long expansions
        "bfbfbfbfbfbfbfbfbfbfbfbfbfbfbfbfbfbfbfbfbfbfbfbfb",
        "bfbfbfbfbf(aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa",  // a parenthesised run after the stop
        "bfbfbfbfbf1234567890123456789012345678901234567890",
        "bfbfbfbfbf=x123456789012345678901234567890123456789",
    };
    for (const char* text : texts) {
        char guarded[kDreyerLongSize + 16];
        std::memset(guarded, '#', sizeof guarded);
        TranslateDreyerDescription(text, guarded, kDreyerLongSize);
        EXPECT_LT(std::strlen(guarded), kDreyerLongSize) << text;
        EXPECT_EQ(std::string(guarded + kDreyerLongSize, 16), std::string(16, '#')) << text;
    }
}

}  // namespace
