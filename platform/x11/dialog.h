// The usage box of the Linux build: layout and drawing of a small dialog
// with the text line by line and one OK button, in the server's "fixed" font.
#pragma once

#include "platform/x11/x11.h"

struct DialogLayout {
    const char* Text = nullptr;
    std::uint16_t Width = 0;
    std::uint16_t Height = 0;
    std::int16_t LineHeight = 0;
    std::int16_t Ascent = 0;
    std::int16_t CharWidth = 0;
    xcb_rectangle_t Button = {};
};

// Lines past this count are not shown; a box must fit on the screen.
constexpr int MaxDialogLines = 64;

// Opens the font into font and measures text with it.
DialogLayout LayOutDialog(const char* text, xcb_font_t font);

void DrawDialog(const DialogLayout& layout, xcb_window_t window, xcb_gcontext_t gc, bool pressed);

bool InButton(const DialogLayout& layout, std::int16_t x, std::int16_t y);
