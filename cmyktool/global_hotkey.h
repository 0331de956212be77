#pragma once
// Ctrl+F9 for the whole desktop: a passive key grab on the X server's root window, through a
// connection of our own so it does not depend on the platform Qt runs on. Wayland gives no
// such grab; there the dialog's "自动填数" button runs the cycle.
#include <QObject>

class QSocketNotifier;
struct xcb_connection_t;

namespace brenmark::glimbert {

// The hot key's number (the one the tool has always registered it under).
inline constexpr int kHotKeyId = 53539;

class GlobalHotKey : public QObject {
    Q_OBJECT
public:
    explicit GlobalHotKey(QObject* parent = nullptr);
    ~GlobalHotKey() override;

    // True when Ctrl+F9 is grabbed; false on Wayland, without an X server, or when another
    // program holds the key already.
    bool active() const { return active_; }

signals:
    void pressed();

private:
    void readEvents();

    xcb_connection_t* connection_ = nullptr;
    QSocketNotifier* notifier_ = nullptr;
    unsigned char keycode_ = 0;
    bool active_ = false;
};

}  // namespace brenmark::glimbert
