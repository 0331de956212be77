#include "cmyktool/global_hotkey.h"

#include <QSocketNotifier>

#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

#include <cstdlib>
#include <cstring>

namespace brenmark::glimbert {
namespace {

constexpr xcb_keysym_t kF9 = 0xffc6;  // XK_F9

// Caps Lock and Num Lock must not stop the key: it is grabbed with every combination of them.
constexpr std::uint16_t kLockCombinations[] = {0, XCB_MOD_MASK_LOCK, XCB_MOD_MASK_2,
                                               XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2};

}  // namespace

GlobalHotKey::GlobalHotKey(QObject* parent) : QObject(parent)
{
    // Under Wayland an X server may still be there (Xwayland), but its grabs see only X
    // programs' keys; a key that works only sometimes is worse than the button.
    const char* session = std::getenv("XDG_SESSION_TYPE");
    if (std::getenv("WAYLAND_DISPLAY") || (session && std::strcmp(session, "wayland") == 0))
        return;
    if (!std::getenv("DISPLAY"))
        return;
    int screenNumber = 0;
    connection_ = xcb_connect(nullptr, &screenNumber);
    if (!connection_ || xcb_connection_has_error(connection_))
        return;
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection_));
    for (int i = 0; i < screenNumber && screens.rem; ++i)
        xcb_screen_next(&screens);
    if (!screens.rem)
        return;
    const xcb_window_t root = screens.data->root;

    xcb_key_symbols_t* symbols = xcb_key_symbols_alloc(connection_);
    if (!symbols)
        return;
    xcb_keycode_t* codes = xcb_key_symbols_get_keycode(symbols, kF9);
    if (codes && codes[0] != XCB_NO_SYMBOL)
        keycode_ = codes[0];
    std::free(codes);
    xcb_key_symbols_free(symbols);
    if (!keycode_)
        return;

    bool grabbed = true;
    for (std::uint16_t locks : kLockCombinations) {
        const xcb_void_cookie_t cookie =
            xcb_grab_key_checked(connection_, 1, root, XCB_MOD_MASK_CONTROL | locks, keycode_,
                                 XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
        if (xcb_generic_error_t* error = xcb_request_check(connection_, cookie)) {
            std::free(error);  // another program holds Ctrl+F9
            grabbed = false;
        }
    }
    if (!grabbed)
        return;
    active_ = true;
    notifier_ = new QSocketNotifier(xcb_get_file_descriptor(connection_), QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &GlobalHotKey::readEvents);
}

GlobalHotKey::~GlobalHotKey()
{
    if (connection_)
        xcb_disconnect(connection_);
}

void GlobalHotKey::readEvents()
{
    while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
        const bool press = (event->response_type & 0x7f) == XCB_KEY_PRESS;
        const bool ours = press && reinterpret_cast<xcb_key_press_event_t*>(event)->detail == keycode_;
        std::free(event);
        if (ours)
            emit pressed();
    }
}

}  // namespace brenmark::glimbert
