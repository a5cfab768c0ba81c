# Sourced by the scripts that run sanitizer builds: any finding fails the process that meets it.
# Leaks inside the system's own libraries (fontconfig, D-Bus, X11) are not ours to fix. No strict
# string checks: libxkbcommon hands strndup() buffers without a terminating zero, as it may.
export ASAN_OPTIONS="detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1"
export LSAN_OPTIONS="suppressions=$PWD/tests/support/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1"
