#include "core/tour.h"

#include <algorithm>
#include <array>

namespace assistant {

namespace {

// Indexed by the step before the press, from -1. The texts are the program's own, as written.
constexpr std::array<TourRow, 12> kTourTable{{
    {0, "DEBUT DE L'AIDE.", "Picture4", kIdleCaption, {}},
    {1, "Cette zone permet de saisir un montant en Euros ou en Francs.", "Picture4", {}, {}},
    {2, "Ce bouton efface la zone de saisie + la zone de résultats.", "Picture6", {}, {}},
    {3,
     "Ces zones affichent les résultats en Francs ou en Euros. Exemple : si vous avez saisi des "
     "Francs , il vous faut prendre le résultat dans la zone Euros et vice et versa.",
     "Picture7",
     {},
     {}},
    {4,
     "Cette zone permet de saisir à partir de votre clavier numérique, comme sur un vraie "
     "calculatrice, des chiffres ou les caratères spéciaux + - / * Astuce la touche BackSpace "
     "permet d'effacer.",
     "Picture8",
     {},
     {}},
    {5,
     "Ce bouton efface la zone de saisie + la zone de résultats et met un saut de ligne-tiret "
     "dans le Ticket Note.",
     "Picture14",
     {},
     {}},
    {6,
     "Ce bouton efface la zone de saisie + la zone de résultats et vous permet de mettre un "
     "Titre dans la ligne Ticket Note.",
     "Picture9",
     {},
     {}},
    {7,
     "Ce bouton permet de coller dans le calcul la zone de chiffres selectionnée dans le Ticket "
     "Note.",
     "Picture13",
     {},
     {}},
    {8, "Cette zone affiche les résultats des opérations.", "Picture10", {}, {}},
    {9,
     "Ce bouton efface la zone Ticket Note + la zone de saisie + le résultat des opérations.",
     "Picture11",
     {},
     {}},
    {10,
     "Ce Ticket Note permet d'afficher en continu les résultats des opérations, comme une "
     "calulatrice à ruban que vous pouvez enregister.",
     "Picture12",
     {},
     {}},
    {10, "FIN DE L'AIDE.", "Picture12", {}, kIdleCaption},
}};

} // namespace

const TourRow& TourRowFor(int tourStep) {
    return kTourTable[static_cast<std::size_t>(std::clamp(tourStep, -1, kLastTourStep) + 1)];
}

void ShowTourStep(int& tourStep, TourView& view) {
    view.setBackCaption(kBackCaption);
    view.setNextCaption(kNextCaption);
    const TourRow& row = TourRowFor(tourStep);
    tourStep = row.after;
    view.setText(row.text);
    if (!row.backCaption.empty())
        view.setBackCaption(row.backCaption);
    if (!row.nextCaption.empty())
        view.setNextCaption(row.nextCaption);
    view.pointArrowAt(row.anchor);
    view.showArrow();
}

void TourBack(int& tourStep, TourView& view) {
    if (tourStep > 1) {
        tourStep -= 2;
        ShowTourStep(tourStep, view);
    }
    // Sees the value the first test left: step 2 goes on to the start screen.
    if (tourStep < 2) {
        tourStep = -1;
        ShowTourStep(tourStep, view);
    }
}

} // namespace assistant
