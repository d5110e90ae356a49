// MessageBoxA on X11: a small modal dialog of our own, titled by the caption.
// Enter, Escape, Space, the OK button and the window manager's close button
// end it.
#include <cstdlib>
#include <cstring>

#include "platform/x11/dialog.h"

namespace {

constexpr xcb_keysym_t DismissingKeys[] = {0xff0d /* Return */, 0xff8d /* KP_Enter */, 0xff1b /* Escape */,
                                           0x0020 /* space */};

void SetText(xcb_window_t window, xcb_atom_t property, xcb_atom_t type, const char* text) {
    xcb_change_property(Connection, XCB_PROP_MODE_REPLACE, window, property, type, 8,
                        static_cast<std::uint32_t>(std::strlen(text)), text);
}

void SetAtoms(xcb_window_t window, xcb_atom_t property, xcb_atom_t value) {
    xcb_change_property(Connection, XCB_PROP_MODE_REPLACE, window, property, XCB_ATOM_ATOM, 32, 1, &value);
}

// Fixed size, centred: the window manager should neither resize nor place it.
void SetSizeHints(xcb_window_t window, const DialogLayout& layout, std::int16_t x, std::int16_t y) {
    const std::uint32_t flags = 4 | 8 | 16 | 32;  // PPosition, PSize, PMinSize, PMaxSize
    const std::uint32_t hints[18] = {flags,
                                     static_cast<std::uint32_t>(x),
                                     static_cast<std::uint32_t>(y),
                                     layout.Width,
                                     layout.Height,
                                     layout.Width,
                                     layout.Height,
                                     layout.Width,
                                     layout.Height};
    xcb_change_property(Connection, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_NORMAL_HINTS,
                        XCB_ATOM_WM_SIZE_HINTS, 32, 18, hints);
}

xcb_window_t CreateDialog(const DialogLayout& layout, const char* text, const char* caption) {
    const xcb_window_t window = xcb_generate_id(Connection);
    const std::int16_t x = static_cast<std::int16_t>((Screen->width_in_pixels - layout.Width) / 2);
    const std::int16_t y = static_cast<std::int16_t>((Screen->height_in_pixels - layout.Height) / 2);
    const std::uint32_t values[] = {
        Screen->white_pixel, XCB_EVENT_MASK_EXPOSURE | XCB_EVENT_MASK_KEY_PRESS | XCB_EVENT_MASK_KEY_RELEASE |
                                 XCB_EVENT_MASK_BUTTON_PRESS | XCB_EVENT_MASK_BUTTON_RELEASE |
                                 XCB_EVENT_MASK_STRUCTURE_NOTIFY};
    xcb_create_window(Connection, XCB_COPY_FROM_PARENT, window, Screen->root, x, y, layout.Width,
                      layout.Height, 1, XCB_WINDOW_CLASS_INPUT_OUTPUT, Screen->root_visual,
                      XCB_CW_BACK_PIXEL | XCB_CW_EVENT_MASK, values);
    SetText(window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, caption);
    SetText(window, Atoms[NET_WM_NAME_ATOM], Atoms[UTF8_STRING_ATOM], caption);
    // The text as a property too, so scripts and screen readers can read what the box says.
    SetText(window, Atoms[DRAPENO_MESSAGE_ATOM], XCB_ATOM_STRING, text);
    xcb_change_property(Connection, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 8, 16,
                        "drapeno\0Drapeno\0");
    SetAtoms(window, Atoms[WM_PROTOCOLS_ATOM], Atoms[WM_DELETE_WINDOW_ATOM]);
    SetAtoms(window, Atoms[NET_WM_WINDOW_TYPE_ATOM], Atoms[NET_WM_WINDOW_TYPE_DIALOG_ATOM]);
    SetSizeHints(window, layout, x, y);
    return window;
}

// Whether the key pressed is one that dismisses the box, by its unshifted keysym.
bool Dismisses(xcb_keycode_t key, const xcb_get_keyboard_mapping_reply_t* mapping, xcb_keycode_t firstKey) {
    if (mapping == nullptr || key < firstKey || mapping->keysyms_per_keycode == 0) {
        return false;
    }
    const std::size_t index = static_cast<std::size_t>(key - firstKey) * mapping->keysyms_per_keycode;
    if (index >= static_cast<std::size_t>(xcb_get_keyboard_mapping_keysyms_length(mapping))) {
        return false;
    }
    const xcb_keysym_t symbol = xcb_get_keyboard_mapping_keysyms(mapping)[index];
    for (xcb_keysym_t dismissing : DismissingKeys) {
        if (symbol == dismissing) {
            return true;
        }
    }
    return false;
}

}  // namespace

namespace Platform {

int MessageBoxA(HWND /*owner*/, const char* text, const char* caption, UINT /*type*/) {
    const xcb_font_t font = xcb_generate_id(Connection);
    const DialogLayout layout = LayOutDialog(text != nullptr ? text : "", font);
    const xcb_window_t window = CreateDialog(layout, layout.Text, caption != nullptr ? caption : "");
    const xcb_gcontext_t gc = xcb_generate_id(Connection);
    const std::uint32_t gcValues[] = {Screen->black_pixel, Screen->white_pixel, font};
    xcb_create_gc(Connection, gc, window, XCB_GC_FOREGROUND | XCB_GC_BACKGROUND | XCB_GC_FONT, gcValues);
    const xcb_setup_t* setup = xcb_get_setup(Connection);
    const xcb_keycode_t firstKey = setup->min_keycode;
    xcb_get_keyboard_mapping_reply_t* mapping = xcb_get_keyboard_mapping_reply(
        Connection,
        xcb_get_keyboard_mapping(Connection, firstKey,
                                 static_cast<std::uint8_t>(setup->max_keycode - firstKey + 1)),
        nullptr);
    xcb_map_window(Connection, window);
    xcb_flush(Connection);

    bool pressed = false;
    bool done = false;
    xcb_keycode_t heldKey = 0;
    while (!done) {
        xcb_generic_event_t* event = xcb_wait_for_event(Connection);
        if (event == nullptr) {
            break;  // the connection is gone: nobody can answer the box any more
        }
        switch (event->response_type & 0x7f) {
            case XCB_EXPOSE:
                DrawDialog(layout, window, gc, pressed);
                break;
            case XCB_MAP_NOTIFY:
                // Without a window manager nobody else gives the box the keyboard.
                if (!WindowManagerRuns()) {
                    xcb_set_input_focus(Connection, XCB_INPUT_FOCUS_POINTER_ROOT, window, XCB_CURRENT_TIME);
                }
                break;
            case XCB_KEY_PRESS:
                heldKey = reinterpret_cast<xcb_key_press_event_t*>(event)->detail;
                break;
            case XCB_KEY_RELEASE: {
                // Only a key pressed in the box ends it: the release of the Enter
                // that started Drapeno from a terminal does not.
                const xcb_keycode_t key = reinterpret_cast<xcb_key_release_event_t*>(event)->detail;
                done = key == heldKey && Dismisses(key, mapping, firstKey);
                break;
            }
            case XCB_BUTTON_PRESS:
            case XCB_BUTTON_RELEASE: {
                const auto* button = reinterpret_cast<xcb_button_press_event_t*>(event);
                const bool inside = button->detail == 1 && InButton(layout, button->event_x, button->event_y);
                done = (event->response_type & 0x7f) == XCB_BUTTON_RELEASE && pressed && inside;
                pressed = (event->response_type & 0x7f) == XCB_BUTTON_PRESS && inside;
                DrawDialog(layout, window, gc, pressed);
                break;
            }
            case XCB_CLIENT_MESSAGE: {
                const auto* message = reinterpret_cast<xcb_client_message_event_t*>(event);
                done = message->type == Atoms[WM_PROTOCOLS_ATOM] &&
                       message->data.data32[0] == Atoms[WM_DELETE_WINDOW_ATOM];
                break;
            }
            default:
                break;
        }
        std::free(event);
        xcb_flush(Connection);
    }
    std::free(mapping);
    xcb_destroy_window(Connection, window);
    xcb_free_gc(Connection, gc);
    xcb_close_font(Connection, font);
    xcb_flush(Connection);
    return 1;  // IDOK
}

}  // namespace Platform
