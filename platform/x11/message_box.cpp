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
constexpr xcb_rectangle_t ButtonSize = {0, 0, 80, 26};
constexpr int MaxLines = 64;       // a box must fit on the screen
constexpr int MaxLineBytes = 255;  // what one ImageText8 request carries
constexpr xcb_keysym_t DismissingKeys[] = {0xff0d /* Return */, 0xff8d /* KP_Enter */, 0xff1b /* Escape */,
                                           0x0020 /* space */};

struct Box {
    const char* Text = "";
    xcb_window_t Window = XCB_WINDOW_NONE;
    xcb_gcontext_t Gc = 0;
    int Ascent = 11, LineHeight = 13, CharWidth = 6, Lines = 0, Width = 0, Height = 0;
    xcb_rectangle_t Button = ButtonSize;
};

// Calls draw(line, length, index) for each line, ended by CR LF, LF or CR.
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

void LayOut(xcb_font_t font, Box& box) {
    xcb_query_font_reply_t* metrics =
        xcb_query_font_reply(Connection, xcb_query_font(Connection, font), nullptr);
    if (metrics != nullptr && metrics->max_bounds.character_width > 0) {
        box.Ascent = metrics->font_ascent;
        box.LineHeight = metrics->font_ascent + metrics->font_descent;
        box.CharWidth = metrics->max_bounds.character_width;
    }
    std::free(metrics);
    int widest = 0;
    box.Lines =
        ForEachLine(box.Text, [&](const char*, int length, int) { widest = std::max(widest, length); });
    box.Width = std::min(std::max(widest * box.CharWidth + 2 * Margin, 2 * ButtonSize.width + 0),
                         static_cast<int>(Screen->width_in_pixels));
    box.Height = box.Lines * box.LineHeight + 3 * Margin + ButtonSize.height;
    box.Button.x = static_cast<std::int16_t>((box.Width - ButtonSize.width) / 2);
    box.Button.y = static_cast<std::int16_t>(box.Height - Margin - ButtonSize.height);
}

void Create(const char* caption, Box& box) {
    box.Window = xcb_generate_id(Connection);
    const std::uint32_t events = XCB_EVENT_MASK_EXPOSURE | XCB_EVENT_MASK_KEY_PRESS |
                                 XCB_EVENT_MASK_KEY_RELEASE | XCB_EVENT_MASK_BUTTON_PRESS |
                                 XCB_EVENT_MASK_BUTTON_RELEASE | XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    const std::uint32_t values[] = {Screen->white_pixel, events};
    const auto w = static_cast<std::uint32_t>(box.Width), h = static_cast<std::uint32_t>(box.Height);
    const auto x = (Screen->width_in_pixels - w) / 2, y = (Screen->height_in_pixels - h) / 2;
    const auto set = [&box](xcb_atom_t property, xcb_atom_t type, int format, std::size_t count,
                            const void* data) {
        xcb_change_property(Connection, XCB_PROP_MODE_REPLACE, box.Window, property, type,
                            static_cast<std::uint8_t>(format), static_cast<std::uint32_t>(count), data);
    };
    xcb_create_window(Connection, XCB_COPY_FROM_PARENT, box.Window, Screen->root, std::int16_t(x),
                      std::int16_t(y), std::uint16_t(w), std::uint16_t(h), 1, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                      Screen->root_visual, XCB_CW_BACK_PIXEL | XCB_CW_EVENT_MASK, values);
    set(XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8, std::strlen(caption), caption);
    set(Atoms[NetWmName], Atoms[Utf8String], 8, std::strlen(caption), caption);
    set(Atoms[DrapenoMessage], XCB_ATOM_STRING, 8, std::strlen(box.Text), box.Text);
    set(XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 8, 16, "drapeno\0Drapeno\0");
    set(Atoms[WmProtocols], XCB_ATOM_ATOM, 32, 1, &Atoms[WmDeleteWindow]);
    set(Atoms[NetWmWindowType], XCB_ATOM_ATOM, 32, 1, &Atoms[NetWmWindowTypeDialog]);
    // Centred and never resized: its minimum and maximum size are its size, and
    // the Motif hints offer moving and closing only, so no maximise button.
    const std::uint32_t size[18] = {1 | 16 | 32, x, y, w, h, w, h, w, h};
    set(XCB_ATOM_WM_NORMAL_HINTS, XCB_ATOM_WM_SIZE_HINTS, 32, 18, size);
    const std::uint32_t motif[5] = {1 | 2, 4 | 32, 2 | 8 | 16, 0, 0};  // move, close; border, title, menu
    set(Atoms[MotifWmHints], Atoms[MotifWmHints], 32, 5, motif);
}

void Draw(const Box& box, bool pressed) {
    xcb_clear_area(Connection, 0, box.Window, 0, 0, 0, 0);
    ForEachLine(box.Text, [&](const char* line, int length, int i) {
        xcb_image_text_8(Connection, static_cast<std::uint8_t>(length), box.Window, box.Gc, Margin,
                         static_cast<std::int16_t>(Margin + box.Ascent + i * box.LineHeight), line);
    });
    const xcb_rectangle_t& b = box.Button;
    const xcb_rectangle_t frames[2] = {{b.x, b.y, std::uint16_t(b.width - 1), std::uint16_t(b.height - 1)},
                                       {std::int16_t(b.x + 2), std::int16_t(b.y + 2),
                                        std::uint16_t(b.width - 5), std::uint16_t(b.height - 5)}};
    xcb_poly_rectangle(Connection, box.Window, box.Gc, pressed ? 1 : 2,
                       frames);  // the default's double frame
    const int shift = pressed ? 1 : 0;
    xcb_image_text_8(Connection, 2, box.Window, box.Gc,
                     std::int16_t(b.x + b.width / 2 - box.CharWidth + shift),
                     std::int16_t(b.y + (b.height + box.Ascent) / 2 - 1 + shift), "OK");
}

bool OnButton(const Box& box, const xcb_button_press_event_t* click) {
    const xcb_rectangle_t& b = box.Button;
    return click->detail == 1 && click->event_x >= b.x && click->event_y >= b.y &&
           click->event_x < b.x + b.width && click->event_y < b.y + b.height;
}

// Whether the key, by its unshifted keysym, is one that ends the box.
bool Dismisses(xcb_keycode_t key) {
    if (key < xcb_get_setup(Connection)->min_keycode) {
        return false;
    }
    xcb_get_keyboard_mapping_reply_t* map =
        xcb_get_keyboard_mapping_reply(Connection, xcb_get_keyboard_mapping(Connection, key, 1), nullptr);
    const xcb_keysym_t* symbol =
        map != nullptr && map->length > 0 ? xcb_get_keyboard_mapping_keysyms(map) : nullptr;
    const bool ends =
        symbol != nullptr && std::count(std::begin(DismissingKeys), std::end(DismissingKeys), *symbol);
    std::free(map);
    return ends;
}

}  // namespace

namespace X11 {

int MessageBoxA(HWND /*owner*/, const char* text, const char* caption, UINT /*type*/) {
    Box box;
    box.Text = text != nullptr ? text : "";
    const xcb_font_t font = xcb_generate_id(Connection);
    xcb_open_font(Connection, font, 5, "fixed");
    LayOut(font, box);
    Create(caption != nullptr ? caption : "", box);
    box.Gc = xcb_generate_id(Connection);
    const std::uint32_t colours[] = {Screen->black_pixel, Screen->white_pixel, font};
    xcb_create_gc(Connection, box.Gc, box.Window, XCB_GC_FOREGROUND | XCB_GC_BACKGROUND | XCB_GC_FONT,
                  colours);
    xcb_map_window(Connection, box.Window);
    xcb_flush(Connection);
    bool pressed = false, done = false;
    xcb_keycode_t heldKey = 0;
    while (xcb_generic_event_t* event = done ? nullptr : xcb_wait_for_event(Connection)) {
        const auto* input = reinterpret_cast<const xcb_button_press_event_t*>(event);
        const int type = event->response_type & 0x7f;
        if (type == XCB_EXPOSE) {
            Draw(box, pressed);
        } else if (type == XCB_MAP_NOTIFY && !WindowManagerRuns) {  // nobody else gives it the keyboard
            xcb_set_input_focus(Connection, XCB_INPUT_FOCUS_POINTER_ROOT, box.Window, XCB_CURRENT_TIME);
        } else if (type == XCB_KEY_PRESS) {
            heldKey = input->detail;
        } else if (type == XCB_KEY_RELEASE) {  // not the Enter that started Drapeno in a terminal
            done = input->detail == heldKey && Dismisses(heldKey);
        } else if (type == XCB_BUTTON_PRESS || type == XCB_BUTTON_RELEASE) {
            done = type == XCB_BUTTON_RELEASE && pressed && OnButton(box, input);
            pressed = type == XCB_BUTTON_PRESS && OnButton(box, input);
            Draw(box, pressed);
        } else if (type == XCB_CLIENT_MESSAGE) {
            done =
                reinterpret_cast<xcb_client_message_event_t*>(event)->data.data32[0] == Atoms[WmDeleteWindow];
        }
        std::free(event);
        xcb_flush(Connection);
    }
    xcb_destroy_window(Connection, box.Window);
    return 1;  // IDOK
}

}  // namespace X11
