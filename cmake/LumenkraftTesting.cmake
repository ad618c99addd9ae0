# Sanitized builds run many times slower and may allow each test longer.
set(LK_TEST_TIMEOUT 600 CACHE STRING "Seconds a test may run")

# lk_add_test(<name> SOURCES <files...> LIBS <targets...> [LABELS <labels...>])
# A Qt Test executable run by CTest offscreen, against the data folder of the build tree,
# with its working files in a folder of its own.
function(lk_add_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE Qt6::Test lk_testsupport ${T_LIBS})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  add_test(NAME ${name} COMMAND ${name})
  set(env
    "QT_QPA_PLATFORM=offscreen"
    "LUMENKRAFT_DATA_DIR=${LK_BIN_DIR}"
    "LUMENKRAFT_WORK_DIR=${CMAKE_BINARY_DIR}/tests/work/${name}"
    "LK_TEST_DATA=${CMAKE_SOURCE_DIR}/tests/data"
    "LK_BIN_DIR=${LK_BIN_DIR}"
    "LSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/tests/sanitizers/lsan.supp:use_tls=0:print_suppressions=0")
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "${env}" TIMEOUT ${LK_TEST_TIMEOUT})
  if(T_LABELS)
    set_tests_properties(${name} PROPERTIES LABELS "${T_LABELS}")
  endif()
endfunction()
