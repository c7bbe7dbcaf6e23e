# Read by ctest before it runs the tests of a RATSIONIK_SANITIZE build: every test runs with leak
# checking on, stops at the first finding of either sanitizer and prints a stack for it. Leaks
# that belong to the system libraries under Qt would be named in lsan.supp. Options already set
# in the environment are kept, so that a run can change them (make sanitize does for the
# installed program under X).
if(NOT DEFINED ENV{ASAN_OPTIONS})
  set(ENV{ASAN_OPTIONS} "detect_leaks=1:check_initialization_order=1:strict_init_order=1:detect_stack_use_after_return=1")
endif()
if(NOT DEFINED ENV{LSAN_OPTIONS})
  set(ENV{LSAN_OPTIONS} "suppressions=${CMAKE_CURRENT_LIST_DIR}/lsan.supp:print_suppressions=0")
endif()
if(NOT DEFINED ENV{UBSAN_OPTIONS})
  set(ENV{UBSAN_OPTIONS} "print_stacktrace=1:halt_on_error=1")
endif()
