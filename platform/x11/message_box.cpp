// MessageBoxA on X11: a dialog of fixed size with the text line by line, in
// the server's "fixed" font, and one OK button. Enter, Escape, Space, a click
// on OK and the window manager's close button end it.
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/x11/connection.h"
#include "platform/x11/x11.h"

namespace {

constexpr int Margin = 16;
constexpr int ButtonWidth = 80;
constexpr int ButtonHeight = 26;
constexpr int MaxLines = 64;        // a box must fit on the screen
constexpr int MaxLineBytes = 255;   // what one ImageText8 request carries
constexpr xcb_keysym_t DismissingKeys[] = {0xff0d /* Return */, 0xff8d /* KP_Enter */, 0xff1b /* Escape */,
                                           0x0020 /* space */};

struct Line {
    const char* Start = nullptr;
    int Length = 0;
};

struct Box {
    xcb_window_t Window = XCB_WINDOW_NONE;
    xcb_gcontext_t Gc = 0;
    Line Lines[MaxLines] = {};
    int LineCount = 0;
    int Ascent = 11, LineHeight = 13, CharWidth = 6, Width = 0, Height = 0;
    xcb_rectangle_t Button = {};
};

// Lines end at CR LF, LF or CR.
void SplitLines(const char* text, Box& box) {
    while (*text != '\0' && box.LineCount < MaxLines) {
        const std::size_t length = std::strcspn(text, "\r\n");
        box.Lines[box.LineCount++] = {text, static_cast<int>(std::min<std::size_t>(length, MaxLineBytes))};
        text += length;
        text += (*text == '\r' && text[1] == '\n') ? 2 : (*text != '\0' ? 1 : 0);
    }
}

void Measure(xcb_font_t font, Box& box) {
    xcb_query_font_reply_t* metrics = xcb_query_font_reply(Connection, xcb_query_font(Connection, font), nullptr);
    if (metrics != nullptr && metrics->max_bounds.character_width > 0) {
        box.Ascent = metrics->font_ascent;
        box.LineHeight = metrics->font_ascent + metrics->font_descent;
        box.CharWidth = metrics->max_bounds.character_width;
    }
    std::free(metrics);
    int widest = 0;
    for (int i = 0; i < box.LineCount; ++i) {
        widest = std::max(widest, box.Lines[i].Length);
    }
    box.Width = std::min(std::max(widest * box.CharWidth + 2 * Margin, 2 * ButtonWidth),
                         static_cast<int>(Screen->width_in_pixels));
    box.Height = box.LineCount * box.LineHeight + 3 * Margin + ButtonHeight;
    box.Button = {static_cast<std::int16_t>((box.Width - ButtonWidth) / 2),
                  static_cast<std::int16_t>(box.Height - Margin - ButtonHeight), ButtonWidth, ButtonHeight};
}

void SetProperty(xcb_window_t window, xcb_atom_t property, xcb_atom_t type, std::uint8_t format,
                 std::size_t count, const void* data) {
    xcb_change_property(Connection, XCB_PROP_MODE_REPLACE, window, property, type, format,
                        static_cast<std::uint32_t>(count), data);
}

void CreateBox(const char* text, const char* caption, Box& box) {
    box.Window = xcb_generate_id(Connection);
    const std::uint32_t values[] = {Screen->white_pixel, XCB_EVENT_MASK_EXPOSURE | XCB_EVENT_MASK_KEY_PRESS |
                                                             XCB_EVENT_MASK_KEY_RELEASE | XCB_EVENT_MASK_BUTTON_PRESS |
                                                             XCB_EVENT_MASK_BUTTON_RELEASE |
                                                             XCB_EVENT_MASK_STRUCTURE_NOTIFY};
    const int x = (Screen->width_in_pixels - box.Width) / 2;
    const int y = (Screen->height_in_pixels - box.Height) / 2;
    xcb_create_window(Connection, XCB_COPY_FROM_PARENT, box.Window, Screen->root, static_cast<std::int16_t>(x),
                      static_cast<std::int16_t>(y), static_cast<std::uint16_t>(box.Width),
                      static_cast<std::uint16_t>(box.Height), 1, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                      Screen->root_visual, XCB_CW_BACK_PIXEL | XCB_CW_EVENT_MASK, values);
    SetProperty(box.Window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8, std::strlen(caption), caption);
    SetProperty(box.Window, Atoms[NetWmName], Atoms[Utf8String], 8, std::strlen(caption), caption);
    SetProperty(box.Window, Atoms[DrapenoMessage], XCB_ATOM_STRING, 8, std::strlen(text), text);
    SetProperty(box.Window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 8, 16, "drapeno\0Drapeno\0");
    SetProperty(box.Window, Atoms[WmProtocols], XCB_ATOM_ATOM, 32, 1, &Atoms[WmDeleteWindow]);
    SetProperty(box.Window, Atoms[NetWmWindowType], XCB_ATOM_ATOM, 32, 1, &Atoms[NetWmWindowTypeDialog]);
    // Placed by us, never resized: minimum and maximum size are its size, and
    // the Motif hints offer moving and closing only, so no maximise button.
    const std::uint32_t size[18] = {1 | 4 | 8 | 16 | 32, std::uint32_t(x), std::uint32_t(y), std::uint32_t(box.Width),
                                    std::uint32_t(box.Height), std::uint32_t(box.Width), std::uint32_t(box.Height),
                                    std::uint32_t(box.Width), std::uint32_t(box.Height)};
    SetProperty(box.Window, XCB_ATOM_WM_NORMAL_HINTS, XCB_ATOM_WM_SIZE_HINTS, 32, 18, size);
    const std::uint32_t motif[5] = {1 | 2, 4 | 32, 2 | 8 | 16, 0, 0};  // move, close; border, title, menu
    SetProperty(box.Window, Atoms[MotifWmHints], Atoms[MotifWmHints], 32, 5, motif);
}

void Draw(const Box& box, bool pressed) {
    xcb_clear_area(Connection, 0, box.Window, 0, 0, 0, 0);
    for (int i = 0; i < box.LineCount; ++i) {
        xcb_image_text_8(Connection, static_cast<std::uint8_t>(box.Lines[i].Length), box.Window, box.Gc, Margin,
                         static_cast<std::int16_t>(Margin + box.Ascent + i * box.LineHeight), box.Lines[i].Start);
    }
    const xcb_rectangle_t& b = box.Button;
    const xcb_rectangle_t frames[2] = {{b.x, b.y, std::uint16_t(b.width - 1), std::uint16_t(b.height - 1)},
                                       {std::int16_t(b.x + 2), std::int16_t(b.y + 2), std::uint16_t(b.width - 5),
                                        std::uint16_t(b.height - 5)}};
    xcb_poly_rectangle(Connection, box.Window, box.Gc, pressed ? 1 : 2, frames);  // the default's double frame
    const int shift = pressed ? 1 : 0;
    xcb_image_text_8(Connection, 2, box.Window, box.Gc, std::int16_t(b.x + (b.width - 2 * box.CharWidth) / 2 + shift),
                     std::int16_t(b.y + (b.height + box.Ascent) / 2 - 1 + shift), "OK");
}

bool InButton(const Box& box, const xcb_button_press_event_t* click) {
    const xcb_rectangle_t& b = box.Button;
    return click->detail == 1 && click->event_x >= b.x && click->event_y >= b.y && click->event_x < b.x + b.width &&
           click->event_y < b.y + b.height;
}

// Whether the key, by its unshifted keysym, is one that dismisses the box.
bool Dismisses(xcb_keycode_t key) {
    if (key < xcb_get_setup(Connection)->min_keycode) {
        return false;
    }
    xcb_get_keyboard_mapping_reply_t* mapping =
        xcb_get_keyboard_mapping_reply(Connection, xcb_get_keyboard_mapping(Connection, key, 1), nullptr);
    const bool found = mapping != nullptr && xcb_get_keyboard_mapping_keysyms_length(mapping) > 0 &&
                       std::find(std::begin(DismissingKeys), std::end(DismissingKeys),
                                 xcb_get_keyboard_mapping_keysyms(mapping)[0]) != std::end(DismissingKeys);
    std::free(mapping);
    return found;
}

}  // namespace

namespace X11 {

int MessageBoxA(HWND /*owner*/, const char* text, const char* caption, UINT /*type*/) {
    Box box;
    SplitLines(text != nullptr ? text : "", box);
    const xcb_font_t font = xcb_generate_id(Connection);
    xcb_open_font(Connection, font, 5, "fixed");
    Measure(font, box);
    CreateBox(text != nullptr ? text : "", caption != nullptr ? caption : "", box);
    box.Gc = xcb_generate_id(Connection);
    const std::uint32_t gcValues[] = {Screen->black_pixel, Screen->white_pixel, font};
    xcb_create_gc(Connection, box.Gc, box.Window, XCB_GC_FOREGROUND | XCB_GC_BACKGROUND | XCB_GC_FONT, gcValues);
    xcb_map_window(Connection, box.Window);
    xcb_flush(Connection);
    bool pressed = false;
    bool done = false;
    xcb_keycode_t heldKey = 0;
    while (xcb_generic_event_t* event = done ? nullptr : xcb_wait_for_event(Connection)) {
        const auto* click = reinterpret_cast<const xcb_button_press_event_t*>(event);
        switch (event->response_type & 0x7f) {
            case XCB_EXPOSE:
                Draw(box, pressed);
                break;
            case XCB_MAP_NOTIFY:  // without a window manager nobody else gives it the keyboard
                if (!WindowManagerRuns) {
                    xcb_set_input_focus(Connection, XCB_INPUT_FOCUS_POINTER_ROOT, box.Window, XCB_CURRENT_TIME);
                }
                break;
            case XCB_KEY_PRESS:
                heldKey = click->detail;
                break;
            case XCB_KEY_RELEASE:  // the Enter that started Drapeno from a terminal was not pressed here
                done = click->detail == heldKey && Dismisses(heldKey);
                break;
            case XCB_BUTTON_PRESS:
            case XCB_BUTTON_RELEASE:
                done = (event->response_type & 0x7f) == XCB_BUTTON_RELEASE && pressed && InButton(box, click);
                pressed = (event->response_type & 0x7f) == XCB_BUTTON_PRESS && InButton(box, click);
                Draw(box, pressed);
                break;
            case XCB_CLIENT_MESSAGE:
                done = reinterpret_cast<const xcb_client_message_event_t*>(event)->data.data32[0] ==
                       Atoms[WmDeleteWindow];
                break;
            default:
                break;
        }
        std::free(event);
        xcb_flush(Connection);
    }
    xcb_destroy_window(Connection, box.Window);
    return 1;  // IDOK
}

}  // namespace X11
