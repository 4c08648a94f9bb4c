#pragma once
// Colour values as the windows store them: the low three bytes are red, green and
// blue (red lowest); a high byte of 2 marks a palette-relative colour; named system
// colours have the high byte 0xFF and are resolved when drawing.
#include <cstdint>

using TColor = std::uint32_t;

constexpr TColor clBlack = 0x000000;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clWhite = 0xFFFFFF;

// System colours: the high byte SystemColorMark, the low byte the platform's colour
// index.
constexpr TColor SystemColorMark = 0xFF000000;
constexpr TColor SystemColorIndex = 0xFF;
constexpr TColor clBtnFace = 0xFF00000F;
constexpr TColor clBtnShadow = 0xFF000010;
constexpr TColor clBtnHighlight = 0xFF000014;
constexpr TColor clWindowFrame = 0xFF000006;
constexpr TColor clWindow = 0xFF000005;
constexpr TColor clWindowText = 0xFF000008;

// The blue of the secondary windows once a game has started: red 63, green 132,
// blue 237, mapped by the display to the nearest palette entry.
constexpr TColor GameBlue = 0x02ED843F;
