// The text log follows the pixels of the texts drawn: where each line's ink
// landed, whether its clip cut it, and what later fills and copies did to it.
#include "platform/text_log.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/drawing.h"
#include "platform/fonts.h"
#include "platform/screen.h"
#include "platform/text.h"
#include "support/test_canvas.h"

namespace {

class TextLog : public ::testing::Test {
protected:
    void SetUp() override {
        pl::SetScreenInfo(pl::kHeadlessScreen);
        pl::SelectObject(canvas.dc(), pl::GetSystemFont());
        pl::SetBkMode(canvas.dc(), pl::kTransparent);
        pl::StartTextLog();
    }
    void TearDown() override { pl::StopTextLog(); }
    std::vector<pl::TextRun> Runs() const { return pl::LoggedTexts(pl::SurfaceSerialOf(canvas.dc())); }
    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const pl::TextRun& r : Runs()) texts.push_back(r.text);
        return texts;
    }
    void Fill(const pl::Rect& r) {
        pl::Hbrush brush = pl::CreateSolidBrush(pl::Rgb(255, 255, 255));
        pl::FillRect(canvas.dc(), r, brush);
        pl::DeleteObject(brush);
    }
    TestCanvas canvas{100, 60};
};

// The ink lies inside the cell; a line of a wrapped text is one run each.
TEST_F(TextLog, EachLineIsOneRunWithItsInkInsideItsCell) {
    pl::TextOut(canvas.dc(), 5, 4, "Hello");
    pl::Rect r{0, 20, 40, 60};
    pl::DrawText(canvas.dc(), "one two", &r, pl::kTextWordBreak);
    std::vector<pl::TextRun> runs = Runs();
    ASSERT_EQ(Texts(), (std::vector<std::string>{"Hello", "one", "two"}));
    for (const pl::TextRun& run : runs) {
        EXPECT_FALSE(run.ink.IsEmpty()) << run.text;
        EXPECT_EQ(pl::Intersect(run.ink, run.cell), run.ink) << run.text;
        EXPECT_FALSE(run.cut) << run.text;
        EXPECT_FALSE(run.opaque) << run.text;
    }
    EXPECT_EQ(runs[0].cell.left, 5);
    EXPECT_EQ(runs[0].cell.top, 4);
    EXPECT_LT(runs[1].cell.bottom, runs[2].cell.bottom);
}

// A text wider than its rectangle, or past the surface's edge, is cut; the
// ink is what was drawn.
TEST_F(TextLog, ClippedTextIsCut) {
    const struct {
        pl::Rect rect;
        bool cut;
    } cases[] = {{{0, 0, 100, 20}, false}, {{0, 0, 20, 20}, true}, {{80, 0, 200, 20}, true}, {{0, 50, 100, 80}, true}};
    for (const auto& c : cases) {
        pl::StartTextLog();
        pl::Rect r = c.rect;
        pl::DrawText(canvas.dc(), "Settings", &r, pl::kTextSingleLine);
        ASSERT_EQ(Runs().size(), 1u);
        EXPECT_EQ(Runs()[0].cut, c.cut) << c.rect.left << "," << c.rect.right;
        EXPECT_LE(Runs()[0].ink.right, std::min(c.rect.right, 100));
    }
}

// A fill or an opaque cell that covers the ink removes the run; one that
// covers only part of it leaves it.
TEST_F(TextLog, CoveredTextsLeaveTheLog) {
    pl::TextOut(canvas.dc(), 2, 2, "Old");
    pl::TextOut(canvas.dc(), 2, 30, "Kept");
    pl::Rect ink = Runs()[1].ink;
    Fill(pl::Rect{0, 0, 100, 20});
    Fill(pl::Rect{ink.left, ink.top, ink.left + 2, ink.bottom});
    EXPECT_EQ(Texts(), (std::vector<std::string>{"Kept"}));
    pl::SetBkMode(canvas.dc(), pl::kOpaque);
    pl::TextOut(canvas.dc(), 0, 30, "Kept longer");
    ASSERT_EQ(Texts(), (std::vector<std::string>{"Kept longer"}));
    EXPECT_TRUE(Runs()[0].opaque);
}

// A block copy carries the runs of its source to the destination (one that
// lands only in part is cut); a stretched one only covers; exempt runs are
// marked.
TEST_F(TextLog, CopiesCarryTextsAndExemptionsAreMarked) {
    TestCanvas back(100, 60);
    {
        pl::TextLogExemption exempt;
        pl::TextOut(canvas.dc(), 10, 10, "Map");
    }
    pl::BitBlt(back.dc(), 0, 0, 100, 60, canvas.dc(), 0, 0);
    std::vector<pl::TextRun> carried = pl::LoggedTexts(pl::SurfaceSerialOf(back.dc()));
    ASSERT_EQ(carried.size(), 1u);
    EXPECT_TRUE(carried[0].exempt);
    EXPECT_EQ(carried[0].ink, Runs()[0].ink);
    pl::BitBlt(back.dc(), 50, 0, 50, 60, canvas.dc(), 0, 0);  // moved right, partly past the edge
    carried = pl::LoggedTexts(pl::SurfaceSerialOf(back.dc()));
    ASSERT_EQ(carried.size(), 2u);
    EXPECT_EQ(carried[1].cell.left, 60);
    EXPECT_FALSE(carried[0].cut);
    pl::TextOut(canvas.dc(), 40, 40, "Edge");
    pl::BitBlt(back.dc(), 50, 0, 50, 60, canvas.dc(), 0, 0);  // "Edge" lands at 90, past the side
    carried = pl::LoggedTexts(pl::SurfaceSerialOf(back.dc()));
    ASSERT_EQ(carried.back().text, "Edge");
    EXPECT_TRUE(carried.back().cut);
    EXPECT_LE(carried.back().ink.right, 100);
    pl::StretchBlt(back.dc(), 0, 0, 100, 60, canvas.dc(), 0, 0, 50, 30);
    EXPECT_TRUE(pl::LoggedTexts(pl::SurfaceSerialOf(back.dc())).empty());
    pl::StopTextLog();
    pl::TextOut(canvas.dc(), 10, 40, "Unseen");
    EXPECT_TRUE(Runs().empty());
}

}  // namespace
