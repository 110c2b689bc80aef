#include "core/tour.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using namespace std::string_literals;

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

const std::string kStep1 = "Cette zone permet de saisir un montant en Euros ou en Francs.";
const std::string kStep2 = "Ce bouton efface la zone de saisie + la zone de résultats.";
const std::string kStep9 =
    "Ce bouton efface la zone Ticket Note + la zone de saisie + le résultat des opérations.";

TEST(Tour, NextWalksTheTenZonesInOrder) {
    RecordingView view;
    int step = 0;
    for (int expected = 1; expected <= 10; ++expected) {
        assistant::ShowTourStep(step, view);
        EXPECT_EQ(step, expected);
        EXPECT_EQ(view.back, "Retour");
        EXPECT_EQ(view.next, "Suite");
        EXPECT_EQ(view.moves.back(), kAnchors[expected]) << "step " << expected;
        EXPECT_TRUE(view.arrowShown);
    }
    EXPECT_EQ(view.moves.size(), 10u);
}

TEST(Tour, FirstNextAfterStartGoesStraightToStepOne) {
    RecordingView view;
    int step = 0;
    assistant::ShowTourStep(step, view);
    EXPECT_EQ(view.text, kStep1);
    EXPECT_EQ(view.back, "Retour");
    EXPECT_EQ(view.moves, std::vector<std::string>{"Picture4"});
}

TEST(Tour, TheEndScreenRepeats) {
    for (int presses = 1; presses <= 3; ++presses) {
        RecordingView view;
        int step = 10;
        for (int i = 0; i < presses; ++i)
            assistant::ShowTourStep(step, view);
        EXPECT_EQ(step, 10);
        EXPECT_EQ(view.text, "FIN DE L'AIDE.");
        EXPECT_EQ(view.next, "...");
        EXPECT_EQ(view.back, "Retour");
        EXPECT_EQ(view.moves,
                  std::vector<std::string>(static_cast<std::size_t>(presses), "Picture12"));
    }
}

struct BackCase {
    int before;
    int after;
    std::vector<std::string> moves; // every arrow move of the one press
    std::string text;               // empty: the text of step `after`, not checked here
    std::string backCaption;
};

TEST(Tour, BackFromEveryStep) {
    const std::string start = "DEBUT DE L'AIDE.";
    const BackCase cases[] = {
        {0, 0, {"Picture4"}, start, "..."},
        {1, 0, {"Picture4"}, start, "..."},
        // Through step 1, then on to the start screen.
        {2, 0, {"Picture4", "Picture4"}, start, "..."},
        {3, 2, {"Picture6"}, kStep2, "Retour"},
        {4, 3, {"Picture7"}, "", "Retour"},
        {5, 4, {"Picture8"}, "", "Retour"},
        {6, 5, {"Picture14"}, "", "Retour"},
        {7, 6, {"Picture9"}, "", "Retour"},
        {8, 7, {"Picture13"}, "", "Retour"},
        {9, 8, {"Picture10"}, "", "Retour"},
        // From the end screen, back shows step 9.
        {10, 9, {"Picture11"}, kStep9, "Retour"},
    };
    for (const auto& c : cases) {
        RecordingView view;
        int step = c.before;
        assistant::TourBack(step, view);
        EXPECT_EQ(step, c.after) << "back from " << c.before;
        EXPECT_EQ(view.moves, c.moves) << "back from " << c.before;
        EXPECT_EQ(view.back, c.backCaption) << "back from " << c.before;
        EXPECT_EQ(view.next, "Suite") << "back from " << c.before;
        if (!c.text.empty()) {
            EXPECT_EQ(view.text, c.text) << "back from " << c.before;
        }
    }
}

TEST(Tour, BackThenNextResumesTheWalk) {
    RecordingView view;
    int step = 10;
    assistant::ShowTourStep(step, view); // end screen
    assistant::TourBack(step, view);     // step 9
    assistant::ShowTourStep(step, view); // step 10 again
    EXPECT_EQ(step, 10);
    EXPECT_EQ(view.text.rfind("Ce Ticket Note permet d'afficher en continu", 0), 0u);
    EXPECT_EQ(view.next, "Suite");
}

TEST(Tour, TextsKeepTheProgramsOwnSpelling) {
    // Typing mistakes included: they are the texts users have always seen.
    // TourRowFor(s) is the row that next takes from step s, to step s + 1.
    EXPECT_NE(assistant::TourRowFor(3).text.find("un vraie calculatrice"), std::string_view::npos);
    EXPECT_NE(assistant::TourRowFor(3).text.find("caratères spéciaux"), std::string_view::npos);
    EXPECT_NE(assistant::TourRowFor(9).text.find("calulatrice à ruban que vous pouvez enregister."),
              std::string_view::npos);
    EXPECT_NE(assistant::TourRowFor(2).text.find("Francs , il vous faut"), std::string_view::npos);
    EXPECT_EQ(assistant::kQuitCaption, "&Quitter "s);
}

} // namespace
