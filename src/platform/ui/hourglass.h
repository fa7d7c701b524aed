// The hourglass pointer of the program: one on/off state, so any number of
// "on" requests are ended by one "off".
#pragma once

namespace tnq {

class Hourglass {
public:
    Hourglass() = default;
    ~Hourglass() { Set(false); }
    Hourglass(const Hourglass&) = delete;
    Hourglass& operator=(const Hourglass&) = delete;

    void Set(bool on);
    bool On() const { return on_; }

private:
    bool on_ = false;
};

} // namespace tnq
