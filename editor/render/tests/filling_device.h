#pragma once
// For the writers' tests: a device that takes the first bytes and then fails every write, as
// a full disk would.
#include <QIODevice>

namespace brenmark::test {

class FillingDevice final : public QIODevice {
public:
    explicit FillingDevice(qint64 room) : room_(room) { open(QIODevice::WriteOnly); }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char*, qint64 size) override
    {
        if (size > room_)
            return -1;
        room_ -= size;
        return size;
    }

private:
    qint64 room_;
};

}  // namespace brenmark::test
