#pragma once

#include <deque>
#include <functional>
#include <vector>

namespace tavi::test {

// Stands in for a timer: what is scheduled runs when the test says, so a test drives the
// time of a fade step by step.
struct ManualSchedule {
    std::function<void(int, std::function<void()>)> schedule() {
        return [this](int milliseconds, std::function<void()> next) {
            delays.push_back(milliseconds);
            pending.push_back(std::move(next));
        };
    }
    // Runs the oldest scheduled call; false when none is waiting.
    bool runNext() {
        if (pending.empty()) {
            return false;
        }
        std::function<void()> next = std::move(pending.front());
        pending.pop_front();
        next();
        return true;
    }
    void runAll() {
        while (runNext()) {
        }
    }

    std::vector<int> delays;
    std::deque<std::function<void()>> pending;
};

}  // namespace tavi::test
