#include "core/tour.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// The bubble and the arrow as the tour leaves them, and every arrow move on the way.
class RecordingView final : public assistant::TourView {
  public:
    void setBackCaption(std::string_view c) override { back = c; }
    void setNextCaption(std::string_view c) override { next = c; }
    void setText(std::string_view t) override { text = t; }
    void pointArrowAt(std::string_view a) override { moves.emplace_back(a); }
    void showArrow() override { arrowShown = true; }

    std::string back{assistant::kIdleCaption};
    std::string next{assistant::kNextCaption};
    std::string text{assistant::kGreeting};
    std::vector<std::string> moves;
    bool arrowShown = false;
};

const char* const kAnchors[] = {"Picture4",  "Picture4",  "Picture6", "Picture7",
                                "Picture8",  "Picture14", "Picture9", "Picture13",
                                "Picture10", "Picture11", "Picture12"};

const std::string kStep2 = "Ce bouton efface la zone de saisie + la zone de résultats.";
const std::string kStep9 =
    "Ce bouton efface la zone Ticket Note + la zone de saisie + le résultat des opérations.";

// The walk forward, through the main window, is
// Assistant.NextAndBackWalkTheArrowOverTheMainWindow's.
TEST(Tour, TheEndScreenRepeats) {
    RecordingView view;
    int step = 10;
    for (int i = 0; i < 3; ++i)
        assistant::ShowTourStep(step, view);
    EXPECT_EQ(step, 10);
    EXPECT_EQ(view.text, "FIN DE L'AIDE.");
    EXPECT_EQ(view.next, "...");
    EXPECT_EQ(view.moves, std::vector<std::string>(3, "Picture12"));
}

TEST(Tour, BackFromEveryStep) {
    for (int before = 0; before <= 10; ++before) {
        RecordingView view;
        int step = before;
        assistant::TourBack(step, view);
        // Back from step 2 goes through step 1 to the start screen, from the end to step 9.
        const int after = before <= 2 ? 0 : before - 1;
        std::vector<std::string> moves{kAnchors[after]};
        if (before == 2)
            moves.push_back(kAnchors[0]);
        EXPECT_EQ(step, after) << "back from " << before;
        EXPECT_EQ(view.moves, moves) << "back from " << before;
        EXPECT_EQ(view.back, after == 0 ? "..." : "Retour") << "back from " << before;
        EXPECT_EQ(view.next, "Suite") << "back from " << before;
        if (after == 0 || after == 2 || after == 9) {
            EXPECT_EQ(view.text, after == 0 ? "DEBUT DE L'AIDE." : after == 2 ? kStep2 : kStep9);
        }
    }
}

} // namespace
