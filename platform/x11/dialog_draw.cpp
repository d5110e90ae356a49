#include <cstdlib>
#include <cstring>

#include "platform/x11/dialog.h"

namespace {

constexpr std::int16_t Margin = 16;
constexpr std::uint16_t ButtonWidth = 80;
constexpr std::uint16_t ButtonHeight = 26;
constexpr std::size_t MaxTextRequest = 255;  // bytes one ImageText8 request carries

// Length of the line starting at text, and where the next one starts; lines
// end at CR LF, a lone LF or a lone CR.
std::size_t LineAt(const char* text, const char** next) {
    std::size_t length = 0;
    while (text[length] != '\0' && text[length] != '\r' && text[length] != '\n') {
        ++length;
    }
    const char* rest = text + length;
    if (*rest == '\r') {
        ++rest;
        rest += *rest == '\n' ? 1 : 0;
    } else if (*rest == '\n') {
        ++rest;
    }
    *next = rest;
    return length;
}

}  // namespace

DialogLayout LayOutDialog(const char* text, xcb_font_t font) {
    DialogLayout layout;
    layout.Text = text;
    xcb_open_font(Connection, font, 5, "fixed");
    xcb_query_font_reply_t* metrics =
        xcb_query_font_reply(Connection, xcb_query_font(Connection, font), nullptr);
    layout.Ascent = metrics != nullptr ? metrics->font_ascent : 11;
    layout.LineHeight =
        static_cast<std::int16_t>(layout.Ascent + (metrics != nullptr ? metrics->font_descent : 2));
    layout.CharWidth = metrics != nullptr && metrics->max_bounds.character_width > 0
                           ? metrics->max_bounds.character_width
                           : 6;
    std::free(metrics);

    std::size_t widest = 0;
    int lines = 0;
    for (const char* line = text; *line != '\0' && lines < MaxDialogLines; ++lines) {
        const std::size_t length = LineAt(line, &line);
        widest = length > widest ? length : widest;
    }
    const std::size_t screenWidth = Screen->width_in_pixels;
    std::size_t width = widest * static_cast<std::size_t>(layout.CharWidth) + 2 * Margin;
    width = width < 2 * ButtonWidth ? 2 * ButtonWidth : width;
    layout.Width = static_cast<std::uint16_t>(width < screenWidth ? width : screenWidth);
    layout.Height =
        static_cast<std::uint16_t>(Margin + lines * layout.LineHeight + Margin + ButtonHeight + Margin);
    layout.Button = {static_cast<std::int16_t>((layout.Width - ButtonWidth) / 2),
                     static_cast<std::int16_t>(layout.Height - Margin - ButtonHeight), ButtonWidth,
                     ButtonHeight};
    return layout;
}

void DrawDialog(const DialogLayout& layout, xcb_window_t window, xcb_gcontext_t gc, bool pressed) {
    xcb_clear_area(Connection, 0, window, 0, 0, 0, 0);
    std::int16_t y = static_cast<std::int16_t>(Margin + layout.Ascent);
    int lines = 0;
    for (const char* line = layout.Text; *line != '\0' && lines < MaxDialogLines; ++lines) {
        const char* start = line;
        std::size_t length = LineAt(line, &line);
        std::int16_t x = Margin;
        // Bytes past the window's right edge would not be seen anyway.
        const std::size_t fits = static_cast<std::size_t>(layout.Width / layout.CharWidth);
        length = length < fits ? length : fits;
        for (std::size_t done = 0; done < length; done += MaxTextRequest) {
            const std::size_t part = length - done < MaxTextRequest ? length - done : MaxTextRequest;
            xcb_image_text_8(Connection, static_cast<std::uint8_t>(part), window, gc, x, y, start + done);
            x = static_cast<std::int16_t>(x + part * static_cast<std::size_t>(layout.CharWidth));
        }
        y = static_cast<std::int16_t>(y + layout.LineHeight);
    }
    const xcb_rectangle_t& b = layout.Button;
    const xcb_rectangle_t outer = {b.x, b.y, static_cast<std::uint16_t>(b.width - 1),
                                   static_cast<std::uint16_t>(b.height - 1)};
    const xcb_rectangle_t inner = {static_cast<std::int16_t>(b.x + 2), static_cast<std::int16_t>(b.y + 2),
                                   static_cast<std::uint16_t>(b.width - 5),
                                   static_cast<std::uint16_t>(b.height - 5)};
    xcb_poly_rectangle(Connection, window, gc, 1, &outer);
    if (!pressed) {
        xcb_poly_rectangle(Connection, window, gc, 1, &inner);  // the default button's double frame
    }
    const std::int16_t textX =
        static_cast<std::int16_t>(b.x + (b.width - 2 * layout.CharWidth) / 2 + (pressed ? 1 : 0));
    const std::int16_t textY =
        static_cast<std::int16_t>(b.y + (b.height + layout.Ascent) / 2 - 1 + (pressed ? 1 : 0));
    xcb_image_text_8(Connection, 2, window, gc, textX, textY, "OK");
}

bool InButton(const DialogLayout& layout, std::int16_t x, std::int16_t y) {
    const xcb_rectangle_t& b = layout.Button;
    return x >= b.x && y >= b.y && x < b.x + b.width && y < b.y + b.height;
}
