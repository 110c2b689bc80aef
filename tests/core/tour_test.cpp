// The forward walk, the end screen and the back steps 10 to 9 and 2 to 0 are the assistant
// window test's; here every other back step and the end screen's repeat.
#include "core/tour.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// The captions as the tour leaves them, and every arrow move on the way.
class RecordingView final : public assistant::TourView {
  public:
    void setBackCaption(std::string_view c) override { back = c; }
    void setNextCaption(std::string_view c) override { next = c; }
    void setText(std::string_view) override {}
    void pointArrowAt(std::string_view a) override { moves.emplace_back(a); }
    void showArrow() override {}

    std::string back, next;
    std::vector<std::string> moves;
};

TEST(Tour, BackFromEveryStepAndTheEndScreenRepeats) {
    const char* const anchors[] = {"Picture4",  "Picture4",  "Picture6", "Picture7",
                                   "Picture8",  "Picture14", "Picture9", "Picture13",
                                   "Picture10", "Picture11", "Picture12"};
    for (int before = 0; before <= 10; ++before) {
        RecordingView view;
        int step = before;
        assistant::TourBack(step, view);
        // Back from step 2 goes through step 1 to the start screen.
        const int after = before <= 2 ? 0 : before - 1;
        std::vector<std::string> moves{anchors[after]};
        if (before == 2)
            moves.push_back(anchors[0]);
        EXPECT_EQ(step, after) << before;
        EXPECT_EQ(view.moves, moves) << before;
        EXPECT_EQ(view.back + view.next, (after == 0 ? "..." : "Retour") + std::string("Suite"))
            << before;
    }
    RecordingView view;
    int step = 10;
    for (int i = 0; i < 3; ++i)
        assistant::ShowTourStep(step, view);
    EXPECT_EQ(step, 10);
    EXPECT_EQ(view.next, "...");
    EXPECT_EQ(view.moves, std::vector<std::string>(3, "Picture12"));
}

} // namespace
