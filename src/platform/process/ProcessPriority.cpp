#include "ProcessPriority.h"

#include <sys/resource.h>
#include <cerrno>

namespace tavi::process {

int niceForPriorityClass(uint32_t priorityClass) {
    switch (priorityClass) {
        case RealtimePriorityClass:
            return -20;
        case HighPriorityClass:
            return -10;
        default:
            return 0;
    }
}

uint32_t priorityClassForNice(int nice) {
    // Nice values set by other tools fall to the nearest class.
    if (nice <= -15) {
        return RealtimePriorityClass;
    }
    if (nice <= -5) {
        return HighPriorityClass;
    }
    return NormalPriorityClass;
}

bool setProcessPriorityClass(uint32_t priorityClass) {
    return ::setpriority(PRIO_PROCESS, 0, niceForPriorityClass(priorityClass)) == 0;
}

uint32_t processPriorityClass() {
    errno = 0;
    const int nice = ::getpriority(PRIO_PROCESS, 0);
    return errno == 0 ? priorityClassForNice(nice) : NormalPriorityClass;
}

}  // namespace tavi::process
