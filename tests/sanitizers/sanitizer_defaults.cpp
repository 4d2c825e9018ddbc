// Built into every executable of a sanitizer build, so the tests, the game and the fuzzers run
// with these settings without anyone setting environment variables.

extern "C" const char* __asan_default_options() {
    // The game ends through exit() with its world still on the stack, which is not a leak.
    return "detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1";
}

extern "C" const char* __ubsan_default_options() {
    return "print_stacktrace=1";
}

extern "C" const char* __lsan_default_options() {
    return "suppressions=" ORRISK_LSAN_SUPPRESSIONS;
}
