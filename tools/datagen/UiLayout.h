#pragma once

#include <QRect>

// Where the window's surfaces lie (window pixels). The window places its controls at fixed spots;
// these surfaces are cut around them so each control sits on one flat colour.
namespace UiLayout {

inline constexpr int kWindowWidth = 1000;
inline constexpr int kWindowHeight = 650;

inline constexpr int kTitleBottom = 50;                // the title band is y < 50
inline constexpr int kSidebarLeft = 736;               // the look panels live right of this
inline constexpr int kToolBandTop = 580;               // the tool buttons sit below this
inline constexpr QRect kPictureArea{10, 60, 700, 500}; // (10, 60) to (710, 560)
inline constexpr QRect kTabTrack{755, 55, 225, 38};    // holds the tabs at y 59..88
inline constexpr QRect kListWell{758, 95, 226, 486};   // around the list at (764, 100)-(978, 575)

} // namespace UiLayout
