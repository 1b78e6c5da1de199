// The "Information" box with its queue, the yes/no box and the plain message
// box, in the running program.
#include "ui/info_box.h"

#include <gtest/gtest.h>

#include "core/services.h"
#include "platform/dialog.h"
#include "platform/message_queue.h"
#include "platform/timer.h"
#include "platform/window.h"
#include "support/program_fixture.h"
#include "ui/shell_state.h"

namespace {

// A window whose timer reports once through ShowInformation.
pl::LResult TickerProc(pl::Hwnd hwnd, uint32_t message, pl::WParam wParam, pl::LParam lParam) {
    if (message == pl::WM_TIMER) {
        pl::KillTimer(hwnd, wParam);
        ShowInformation("From the timer", "tick");
        return 0;
    }
    return pl::DefWindowProc(hwnd, message, wParam, lParam);
}

class InformationBoxTest : public ProgramTest {
protected:
    void SetUp() override { ASSERT_TRUE(StartProgram()); }

    void Show(const std::string& text, const std::string& detail = "") {
        Ui([text, detail] { ShowInformation(text, detail); });
    }

    // Answers each box in turn; the texts shown, in order.
    std::vector<std::string> Drain() {
        std::vector<std::string> shown;
        while (BoxCount() > 0 && shown.size() < 20) {
            shown.push_back(BoxText());
            Answer(pl::IDOK);
        }
        return shown;
    }
};

// The Information box shows text and detail on two lines; the plain message
// box has no caption.
TEST_F(InformationBoxTest, InformationAndMessageBoxes) {
    Show("Could not open star database", "Please verify your configuration.");
    ASSERT_EQ(BoxCount(), 1);
    pl::MessageBoxInfo box = pl::OpenMessageBoxes()[0];
    EXPECT_EQ(box.text, "Could not open star database\nPlease verify your configuration.");
    EXPECT_EQ(box.caption, "Information");
    EXPECT_EQ(box.buttons, std::vector<int>{pl::IDOK});
    EXPECT_EQ(infoBoxOpen, 1);
    Answer(pl::IDOK);
    EXPECT_EQ(infoBoxOpen, 0);
    Show("Only text");
    EXPECT_EQ(BoxText(), "Only text\n");
    Answer(pl::IDOK);
    int shown = -1;
    Ui([&shown] { shown = ShowMessageBox("Can't add font ressource.", ""); });
    ASSERT_EQ(BoxCount(), 1);
    EXPECT_EQ(pl::OpenMessageBoxes()[0].caption, "");
    EXPECT_EQ(BoxText(), "Can't add font ressource.");
    Answer(pl::IDOK);
    EXPECT_EQ(shown, 1);
}

TEST_F(InformationBoxTest, AReportFromATimerIsShownAfterTheOpenBox) {
    pl::WindowClass c;
    c.name = "Ticker";
    c.proc = TickerProc;
    Ui([&c] {
        pl::RegisterClass(c);
        pl::CreateParams p;
        p.className = "Ticker";
        p.parent = mainWindow;
        pl::Hwnd ticker = pl::CreateWindow(p);
        pl::SetTimer(ticker, 1, 100);
    });
    Show("First");
    harness.advance(100);
    EXPECT_EQ(BoxCount(), 1);
    EXPECT_EQ(infoQueueText.Count(), 1);
    EXPECT_EQ(Drain(), (std::vector<std::string>{"First\n", "From the timer\ntick"}));
}

// Waiting messages come back A, C, B: each one shown takes the last one's
// place. Long texts are cut to 255 characters while they wait.
TEST_F(InformationBoxTest, QueuedMessagesComeInTheQueueOrder) {
    Show("First");
    for (const char* text : {"A", "B", "C"}) Show(text, "100% sure");
    EXPECT_EQ(Drain(), (std::vector<std::string>{"First\n", "A\n100% sure", "C\n100% sure", "B\n100% sure"}));
    Show("First");
    Show(std::string(300, 'x'));
    EXPECT_EQ(Drain(), (std::vector<std::string>{"First\n", std::string(255, 'x') + "\n"}));
}

TEST_F(InformationBoxTest, AtMostFiveMessagesWait) {
    Show("First");
    int results = 0;
    for (int i = 1; i <= 6; ++i)
        Ui([i, &results] { results += ShowInformation("Report " + std::to_string(i), ""); });
    EXPECT_EQ(results, 6);
    std::vector<std::string> shown = Drain();
    EXPECT_EQ(shown.size(), 6u);  // the first and five more
    EXPECT_EQ(std::count(shown.begin(), shown.end(), "Report 6\n"), 0);
}

TEST_F(InformationBoxTest, AskYesNoGivesZeroForYesAndOneForNo) {
    for (int button : {pl::IDYES, pl::IDNO}) {
        int answer = -1;
        Ui([&answer] { answer = AskYesNo("Would you want to restore your last alignment?", ""); });
        std::vector<pl::MessageBoxInfo> boxes = pl::OpenMessageBoxes();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].caption, "Information");
        EXPECT_EQ(boxes[0].buttons, (std::vector<int>{pl::IDYES, pl::IDNO}));
        Answer(button);
        EXPECT_EQ(answer, button == pl::IDYES ? 0 : 1);
    }
}

}  // namespace

// Without any window nothing can be shown.
TEST(InformationBoxWithoutWindows, ShowsNothingAndSaysSo) {
    pl::ResetWindows();
    ResetInformationBox();
    EXPECT_EQ(InformationBox("Nobody sees this", ""), 0);
    EXPECT_TRUE(pl::OpenMessageBoxes().empty());
    EXPECT_EQ(ShowMessageBox("Nor this", ""), 0);
}
