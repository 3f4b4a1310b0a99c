// Colour values of the colouring editor. Window-free.
//
// A TColor is 0x00BBGGRR (red in the low byte) for a plain colour, or
// 0x800000nn for a system colour, which the window layer turns into red,
// green and blue when it draws.
#pragma once

#include <cstdint>

namespace qm {

using TColor = uint32_t;

inline constexpr TColor clBlack = 0x00000000;
inline constexpr TColor clMaroon = 0x00000080;
inline constexpr TColor clGreen = 0x00008000;
inline constexpr TColor clOlive = 0x00008080;
inline constexpr TColor clNavy = 0x00800000;
inline constexpr TColor clPurple = 0x00800080;
inline constexpr TColor clTeal = 0x00808000;
inline constexpr TColor clGray = 0x00808080;
inline constexpr TColor clSilver = 0x00C0C0C0;
inline constexpr TColor clRed = 0x000000FF;
inline constexpr TColor clLime = 0x0000FF00;
inline constexpr TColor clYellow = 0x0000FFFF;
inline constexpr TColor clBlue = 0x00FF0000;
inline constexpr TColor clFuchsia = 0x00FF00FF;
inline constexpr TColor clAqua = 0x00FFFF00;
inline constexpr TColor clWhite = 0x00FFFFFF;

inline constexpr TColor clWindow = 0x80000005;
inline constexpr TColor clWindowText = 0x80000008;

// True for the 0x800000nn values that name a system colour.
inline constexpr bool IsSystemColor(TColor Color) {
    return (Color & 0xFF000000u) == 0x80000000u;
}

}  // namespace qm
