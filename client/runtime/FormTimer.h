// A timer control: fires its tick every Interval milliseconds while enabled (Interval 0
// never fires). Ticks run on the GUI thread from the message loop, inside an error guard.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

namespace skx {

class FormTimer {
public:
    FormTimer(std::string owner, std::string name, std::function<void()> tick);
    ~FormTimer();
    FormTimer(const FormTimer&) = delete;
    FormTimer& operator=(const FormTimer&) = delete;

    uint32_t Interval() const { return interval_; }
    void SetInterval(uint32_t ms);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    const std::string& Owner() const { return owner_; }
    const std::string& Name() const { return name_; }

    // Every timer of the program, in the order they were made.
    static void ForEach(const std::function<void(const FormTimer&)>& visit);

private:
    void Apply();
    static void Fire(uintptr_t id);
    friend struct TimerHost;

    std::string owner_, name_;
    std::function<void()> tick_;
    uint32_t interval_ = 0;
    bool enabled_ = false;
    bool running_ = false;
    uintptr_t id_;
};

}  // namespace skx
