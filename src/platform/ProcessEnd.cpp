#include "platform/ProcessEnd.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>

#if defined(__SANITIZE_ADDRESS__)
#define LADDERLY_LEAK_CHECK 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define LADDERLY_LEAK_CHECK 1
#endif
#endif
#ifdef LADDERLY_LEAK_CHECK
#include <sanitizer/lsan_interface.h>
#endif

void EndProcess(int status) {
    std::cout.flush(); // std::cerr writes through
    std::fflush(nullptr);
#ifdef LADDERLY_LEAK_CHECK
    // The check a normal exit runs; it ends the process itself when it finds a leak.
    __lsan_do_leak_check();
#endif
    std::_Exit(status);
}
