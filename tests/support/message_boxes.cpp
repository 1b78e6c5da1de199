#include "support/message_boxes.h"

std::string OpenBoxText() {
    std::vector<pl::MessageBoxInfo> boxes = pl::OpenMessageBoxes();
    return boxes.empty() ? std::string() : boxes.back().text;
}

bool AnswerBox(pl::Harness& harness, int button) {
    bool answered = false;
    harness.runOnUi([&] { answered = pl::AnswerMessageBox(button); });
    return answered;
}
