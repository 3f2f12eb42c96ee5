// A counter that holds how many scopes of a kind are under way: one more on the way in, one
// less on the way out, however the scope is left (a return, a raise).
#pragma once

namespace skx {

class ScopedCount {
public:
    explicit ScopedCount(int& count) : count_(count) { ++count_; }
    ~ScopedCount() { --count_; }
    ScopedCount(const ScopedCount&) = delete;
    ScopedCount& operator=(const ScopedCount&) = delete;

private:
    int& count_;
};

}  // namespace skx
