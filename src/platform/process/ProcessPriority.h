#pragma once

#include <cstdint>

namespace tavi::process {

// The Windows priority classes the settings store, mapped onto nice values.
enum PriorityClass : uint32_t {
    NormalPriorityClass = 32,     // nice 0
    HighPriorityClass = 128,      // nice -10
    RealtimePriorityClass = 256,  // nice -20
};

int niceForPriorityClass(uint32_t priorityClass);
uint32_t priorityClassForNice(int nice);

// Sets the process's nice value for the class; false when the system refuses (raising the
// priority needs privileges most users do not have).
bool setProcessPriorityClass(uint32_t priorityClass);
// The class that the process's current nice value corresponds to.
uint32_t processPriorityClass();

}  // namespace tavi::process
