// The help tour: ten steps over the main window, each a text in the bubble and an anchor box
// of the main window that the arrow points at.
#pragma once

#include <string_view>

namespace assistant {

inline constexpr std::string_view kGreeting =
    "Bonjour, pour commencer l'Aide, cliquez sur le bouton (Suite).";
inline constexpr std::string_view kGoodbye = "Au revoir !";
inline constexpr std::string_view kIdleCaption = "...";
inline constexpr std::string_view kBackCaption = "Retour";
inline constexpr std::string_view kNextCaption = "Suite";
inline constexpr std::string_view kQuitCaption = "&Quitter ";
inline constexpr int kLastTourStep = 10;

// What a step changes in the bubble and where the arrow goes.
class TourView {
  public:
    virtual ~TourView() = default;
    virtual void setBackCaption(std::string_view caption) = 0;
    virtual void setNextCaption(std::string_view caption) = 0;
    virtual void setText(std::string_view text) = 0;
    // Moves the arrow beside the named anchor box of the main window, loading it if needed.
    virtual void pointArrowAt(std::string_view anchor) = 0;
    virtual void showArrow() = 0;
};

struct TourRow {
    int after = 0;
    std::string_view text;
    std::string_view anchor;
    // Empty: the caption stays as it is.
    std::string_view backCaption;
    std::string_view nextCaption;
};

// The row taken when next is pressed with `tourStep` (-1 to 10).
const TourRow& TourRowFor(int tourStep);

// Next: one step forward; the end screen repeats.
void ShowTourStep(int& tourStep, TourView& view);
// Back: one step back, or the start screen from the first two steps.
void TourBack(int& tourStep, TourView& view);

} // namespace assistant
