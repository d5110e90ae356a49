// MessageBoxA on X11: a dialog of fixed size with the text line by line, in
// the server's "fixed" font, and one OK button. Enter, Escape, Space, a click
// on OK and the window manager's close button end it.
#include <xcb/xcb_icccm.h>
#include <xcb/xcb_keysyms.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/x11/connection.h"
#include "platform/x11/x11.h"

namespace X11 {

namespace {

// "fixed" is a 6x13 font on every X server: 11 pixels above the baseline.
constexpr int CharWidth = 6, LineHeight = 13, Ascent = 11, Margin = 16;
constexpr int MaxLines = 64;       // a box must fit on the screen
constexpr int MaxLineBytes = 255;  // what one ImageText8 request carries
constexpr xcb_keysym_t DismissingKeys[] = {0xff0d /* Return */, 0xff8d /* KP_Enter */, 0xff1b /* Escape */,
                                           0x0020 /* space */};

struct Box {
    const char* Text = "";
    xcb_window_t Window = XCB_WINDOW_NONE;
    xcb_gcontext_t Gc = 0;
    xcb_rectangle_t Button = {0, 0, 80, 26};
};

// Calls draw(line, length, index) for each line, ended by CR LF, LF or CR;
// returns the number of lines.
template <typename Draw>
int ForEachLine(const char* text, Draw draw) {
    int index = 0;
    for (; *text != '\0' && index < MaxLines; ++index) {
        const std::size_t length = std::strcspn(text, "\r\n");
        draw(text, static_cast<int>(std::min<std::size_t>(length, MaxLineBytes)), index);
        text += length;
        text += (text[0] == '\r' && text[1] == '\n') ? 2 : (*text != '\0' ? 1 : 0);
    }
    return index;
}

void Create(const char* caption, Box& box) {
    int widest = 0;
    const int lines =
        ForEachLine(box.Text, [&](const char*, int length, int) { widest = std::max(widest, length); });
    const int w = std::min(std::max(widest * CharWidth, 2 * box.Button.width) + 2 * Margin,
                           static_cast<int>(Screen->width_in_pixels));
    const int h = lines * LineHeight + 3 * Margin + box.Button.height;
    const int x = (Screen->width_in_pixels - w) / 2, y = (Screen->height_in_pixels - h) / 2;
    box.Button.x = static_cast<std::int16_t>((w - box.Button.width) / 2);
    box.Button.y = static_cast<std::int16_t>(h - Margin - box.Button.height);
    box.Window = xcb_generate_id(Connection);
    const std::uint32_t values[] = {
        Screen->white_pixel, XCB_EVENT_MASK_EXPOSURE | XCB_EVENT_MASK_KEY_PRESS | XCB_EVENT_MASK_KEY_RELEASE |
                                 XCB_EVENT_MASK_BUTTON_PRESS | XCB_EVENT_MASK_BUTTON_RELEASE |
                                 XCB_EVENT_MASK_STRUCTURE_NOTIFY};
    xcb_create_window(Connection, XCB_COPY_FROM_PARENT, box.Window, Screen->root, std::int16_t(x),
                      std::int16_t(y), std::uint16_t(w), std::uint16_t(h), 1, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                      Screen->root_visual, XCB_CW_BACK_PIXEL | XCB_CW_EVENT_MASK, values);
    const auto length = static_cast<std::uint32_t>(std::strlen(caption));
    xcb_icccm_set_wm_name(Connection, box.Window, XCB_ATOM_STRING, 8, length, caption);
    xcb_ewmh_set_wm_name(&Ewmh, box.Window, length, caption);
    xcb_icccm_set_wm_class(Connection, box.Window, 16, "drapeno\0Drapeno\0");
    xcb_icccm_set_wm_protocols(Connection, box.Window, Ewmh.WM_PROTOCOLS, 1, &Atoms[WmDeleteWindow]);
    xcb_ewmh_set_wm_window_type(&Ewmh, box.Window, 1, &Ewmh._NET_WM_WINDOW_TYPE_DIALOG);
    xcb_change_property(Connection, XCB_PROP_MODE_REPLACE, box.Window, Atoms[DrapenoMessage], XCB_ATOM_STRING,
                        8, static_cast<std::uint32_t>(std::strlen(box.Text)), box.Text);
    // Centred and never resized: its minimum and maximum size are its size, and
    // the Motif hints offer moving and closing only, so no maximise button.
    xcb_size_hints_t size = {};
    xcb_icccm_size_hints_set_position(&size, 1, x, y);
    xcb_icccm_size_hints_set_min_size(&size, w, h);
    xcb_icccm_size_hints_set_max_size(&size, w, h);
    xcb_icccm_set_wm_normal_hints(Connection, box.Window, &size);
    const std::uint32_t motif[5] = {1 | 2, 4 | 32, 2 | 8 | 16, 0, 0};  // move, close; border, title, menu
    xcb_change_property(Connection, XCB_PROP_MODE_REPLACE, box.Window, Atoms[MotifWmHints],
                        Atoms[MotifWmHints], 32, 5, motif);
}

void Draw(const Box& box) {
    ForEachLine(box.Text, [&](const char* line, int length, int i) {
        xcb_image_text_8(Connection, static_cast<std::uint8_t>(length), box.Window, box.Gc, Margin,
                         static_cast<std::int16_t>(Margin + Ascent + i * LineHeight), line);
    });
    const xcb_rectangle_t& b = box.Button;
    const xcb_rectangle_t frames[2] = {{b.x, b.y, std::uint16_t(b.width - 1), std::uint16_t(b.height - 1)},
                                       {std::int16_t(b.x + 2), std::int16_t(b.y + 2),
                                        std::uint16_t(b.width - 5), std::uint16_t(b.height - 5)}};
    xcb_poly_rectangle(Connection, box.Window, box.Gc, 2, frames);  // the default button's double frame
    xcb_image_text_8(Connection, 2, box.Window, box.Gc, std::int16_t(b.x + b.width / 2 - CharWidth),
                     std::int16_t(b.y + (b.height + Ascent) / 2 - 1), "OK");
}

bool OnButton(const Box& box, const xcb_button_press_event_t* click) {
    const xcb_rectangle_t& b = box.Button;
    return click->detail == 1 && click->event_x >= b.x && click->event_y >= b.y &&
           click->event_x < b.x + b.width && click->event_y < b.y + b.height;
}

}  // namespace

int MessageBoxA(HWND /*owner*/, const char* text, const char* caption, UINT /*type*/) {
    Box box;
    box.Text = text != nullptr ? text : "";
    Create(caption != nullptr ? caption : "", box);
    const xcb_font_t font = xcb_generate_id(Connection);
    xcb_open_font(Connection, font, 5, "fixed");
    box.Gc = xcb_generate_id(Connection);
    const std::uint32_t colours[] = {Screen->black_pixel, Screen->white_pixel, font};
    xcb_create_gc(Connection, box.Gc, box.Window, XCB_GC_FOREGROUND | XCB_GC_BACKGROUND | XCB_GC_FONT,
                  colours);
    xcb_map_window(Connection, box.Window);
    xcb_flush(Connection);
    xcb_key_symbols_t* keys = xcb_key_symbols_alloc(Connection);
    bool pressed = false, done = false;
    xcb_keycode_t heldKey = 0;
    while (xcb_generic_event_t* event = done ? nullptr : xcb_wait_for_event(Connection)) {
        const auto* input = reinterpret_cast<const xcb_button_press_event_t*>(event);
        const int type = event->response_type & 0x7f;
        if (type == XCB_EXPOSE) {
            Desktop::LiftDeadline();  // the box is up: the run now waits for its user
            Draw(box);
        } else if (type == XCB_MAP_NOTIFY && !WindowManagerRuns) {  // nobody else gives it the keyboard
            xcb_set_input_focus(Connection, XCB_INPUT_FOCUS_POINTER_ROOT, box.Window, XCB_CURRENT_TIME);
        } else if (type == XCB_KEY_PRESS) {
            heldKey = input->detail;
        } else if (type == XCB_KEY_RELEASE) {  // not the Enter that started Drapeno in a terminal
            const xcb_keysym_t key = xcb_key_symbols_get_keysym(keys, input->detail, 0);
            done = input->detail == heldKey &&
                   std::count(std::begin(DismissingKeys), std::end(DismissingKeys), key) != 0;
        } else if (type == XCB_BUTTON_PRESS || type == XCB_BUTTON_RELEASE) {
            done = type == XCB_BUTTON_RELEASE && pressed && OnButton(box, input);
            pressed = type == XCB_BUTTON_PRESS && OnButton(box, input);
        } else if (type == XCB_CLIENT_MESSAGE) {
            done =
                reinterpret_cast<xcb_client_message_event_t*>(event)->data.data32[0] == Atoms[WmDeleteWindow];
        }
        std::free(event);
        xcb_flush(Connection);
    }
    xcb_key_symbols_free(keys);
    xcb_destroy_window(Connection, box.Window);
    return 1;  // IDOK
}

}  // namespace X11
