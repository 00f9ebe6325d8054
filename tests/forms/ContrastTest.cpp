// The choice of a readable text colour, over the colour schemes that Windows
// ships and the colours that Wine starts with.

#include <gtest/gtest.h>

#include "forms/Contrast.h"

using forms::ContrastRatio;
using forms::ReadableColor;

namespace {

constexpr std::uint32_t Rgb(unsigned r, unsigned g, unsigned b) { return r | g << 8 | b << 16; }

TEST(Contrast, RatioAndChoiceOverTheShippedSchemes) {
    EXPECT_DOUBLE_EQ(ContrastRatio(Rgb(0, 0, 0), Rgb(255, 255, 255)), 21.0);
    EXPECT_DOUBLE_EQ(ContrastRatio(Rgb(255, 255, 255), Rgb(0, 0, 0)), 21.0);
    EXPECT_DOUBLE_EQ(ContrastRatio(Rgb(9, 9, 9), Rgb(9, 9, 9)), 1.0);
    EXPECT_NEAR(ContrastRatio(Rgb(153, 180, 209), Rgb(240, 240, 240)), 1.9, 0.05);
    EXPECT_NEAR(ContrastRatio(Rgb(0, 0, 255), Rgb(0, 0, 0)), 2.4, 0.05);

    const std::uint32_t black = Rgb(0, 0, 0), white = Rgb(255, 255, 255);
    struct Case {
        const char* scheme;
        std::uint32_t wanted, face, hotLight, buttonText, heading, caption;
    };
    // A heading falls back to the link colour, then to the button text; the
    // captions of Save and Exit (plain black) to the button text.
    for (const Case& c : {
             Case{"Windows 7 to 11", Rgb(153, 180, 209), Rgb(240, 240, 240), Rgb(0, 102, 204), black, Rgb(0, 102, 204),
                  black},
             // Windows 10's accent blue reads 3.95 : 1 on the face colour.
             Case{"Windows 10 accent", Rgb(0, 120, 215), Rgb(240, 240, 240), Rgb(0, 102, 204), black, Rgb(0, 102, 204),
                  black},
             Case{"High Contrast Black", Rgb(0, 0, 255), black, Rgb(0, 0, 255), white, white, white},
             Case{"High Contrast White", Rgb(0, 0, 0), white, Rgb(0, 0, 159), black, black, black},
             Case{"Wine", Rgb(10, 36, 106), Rgb(212, 208, 200), Rgb(0, 0, 200), black, Rgb(10, 36, 106), black},
             Case{"Windows classic", Rgb(0, 0, 128), Rgb(192, 192, 192), Rgb(0, 0, 128), black, Rgb(0, 0, 128), black},
         }) {
        EXPECT_EQ(ReadableColor(c.wanted, c.face, {c.hotLight, c.buttonText}), c.heading) << c.scheme;
        EXPECT_EQ(ReadableColor(black, c.face, {c.buttonText}), c.caption) << c.scheme;
    }
    // Nothing readable: the last fallback.
    EXPECT_EQ(ReadableColor(Rgb(128, 128, 128), Rgb(120, 120, 120), {Rgb(100, 100, 100), Rgb(130, 130, 130)}),
              Rgb(130, 130, 130));
}

}  // namespace
