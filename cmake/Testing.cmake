# varnello_add_test(NAME name SOURCES files... LIBS targets... [TIMEOUT seconds])
# One GoogleTest executable per test area. CTest lists each of its test cases on its own, so a
# failure names the case; every case runs in Qt's offscreen platform. In the sanitizer build the
# leak checker runs too, with the suppressions of the libraries we do not own.
include(GoogleTest)

set(VARNELLO_TEST_ENVIRONMENT
  "QT_QPA_PLATFORM=offscreen"
  "ASAN_OPTIONS=detect_leaks=1"
  "LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/cmake/lsan.supp:print_suppressions=0"
  "UBSAN_OPTIONS=print_stacktrace=1")

function(varnello_add_test)
  cmake_parse_arguments(T "" "NAME;TIMEOUT" "SOURCES;LIBS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock varnello_options)
  set_target_properties(${T_NAME} PROPERTIES VARNELLO_TEST ON)
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 600)
  endif()
  gtest_discover_tests(${T_NAME}
    EXTRA_ARGS --gtest_color=no
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES TIMEOUT ${T_TIMEOUT} ENVIRONMENT "${VARNELLO_TEST_ENVIRONMENT}")
endfunction()

# varnello_add_unprivileged_tests(TARGET target CASES case...)
# Tests of file permissions skip themselves where permissions do not bind, as for root, and CI runs
# as root. Each case named here is registered once more, as unprivileged/<case>: when the suite runs
# as root it runs as the user nobody (cmake/run-unprivileged.sh), otherwise it reports itself skipped,
# since the normal run already has these rights.
function(varnello_add_unprivileged_tests)
  cmake_parse_arguments(T "" "TARGET" "CASES" ${ARGN})
  foreach(case IN LISTS T_CASES)
    add_test(NAME unprivileged/${case}
      COMMAND bash ${PROJECT_SOURCE_DIR}/cmake/run-unprivileged.sh $<TARGET_FILE:${T_TARGET}> ${case})
    set_tests_properties(unprivileged/${case} PROPERTIES
      SKIP_RETURN_CODE 77 TIMEOUT 120 ENVIRONMENT "${VARNELLO_TEST_ENVIRONMENT}")
  endforeach()
endfunction()
