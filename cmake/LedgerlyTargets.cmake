# Build options shared by every Ledgerly target. Applied per target through an
# INTERFACE library instead of CMAKE_CXX_FLAGS so third-party code is untouched.
add_library(LedgerlyCompileOptions INTERFACE)
target_compile_options(LedgerlyCompileOptions INTERFACE -Wall -Wextra -Wpedantic)
if(LEDGERLY_WERROR)
  target_compile_options(LedgerlyCompileOptions INTERFACE -Werror)
endif()
# libFuzzer's coverage hooks go into every Ledgerly library that a fuzz target
# links; the fuzzers run under AddressSanitizer and UndefinedBehaviorSanitizer
# unless other sanitizers are asked for.
if(LEDGERLY_BUILD_FUZZERS AND CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  if(NOT LEDGERLY_SANITIZERS)
    set(LEDGERLY_SANITIZERS "address,undefined")
  endif()
  target_compile_options(LedgerlyCompileOptions INTERFACE -fsanitize=fuzzer-no-link)
endif()
if(LEDGERLY_SANITIZERS)
  string(REPLACE ";" "," _ledgerly_sanitizers "${LEDGERLY_SANITIZERS}")
  target_compile_options(LedgerlyCompileOptions INTERFACE
    -fsanitize=${_ledgerly_sanitizers} -fno-omit-frame-pointer -fno-sanitize-recover=all)
  target_link_options(LedgerlyCompileOptions INTERFACE -fsanitize=${_ledgerly_sanitizers})
endif()

# The hardening of Debian's own builds (dpkg-buildflags with hardening=+all):
# a stack protector, format strings checked, position-independent executables,
# and relocations resolved at start and then made read-only. glibc's checked
# string and memory functions need optimisation, so Debug builds go without
# them; so do sanitizer builds, whose interceptors the checked variants bypass.
# -U first: a compiler or CPPFLAGS that already sets _FORTIFY_SOURCE would
# otherwise warn about the redefinition.
include(CheckPIESupported)
check_pie_supported(LANGUAGES C CXX)
set_property(TARGET LedgerlyCompileOptions PROPERTY INTERFACE_POSITION_INDEPENDENT_CODE ON)
target_compile_options(LedgerlyCompileOptions INTERFACE -fstack-protector-strong -Wformat -Werror=format-security)
if(NOT LEDGERLY_SANITIZERS)
  set(_ledgerly_optimised "$<CONFIG:Release,RelWithDebInfo,MinSizeRel>")
  target_compile_options(LedgerlyCompileOptions INTERFACE
    "$<${_ledgerly_optimised}:-U_FORTIFY_SOURCE>" "$<${_ledgerly_optimised}:-D_FORTIFY_SOURCE=2>")
endif()
target_link_options(LedgerlyCompileOptions INTERFACE LINKER:-z,relro LINKER:-z,now)

# ledgerly_add_library(Name SOURCES ... [DEPENDS ...])
# One static library per layer of the core; headers are included as
# "LedgerlyCore/<Layer>/<Type>.h" from the Sources folder.
function(ledgerly_add_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS;PRIVATE_DEPENDS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/Sources)
  target_link_libraries(${name} PUBLIC ${ARG_DEPENDS} PRIVATE LedgerlyCompileOptions ${ARG_PRIVATE_DEPENDS})
endfunction()

# add_ledgerly_test(Name SOURCES ... LIBS ... [ENVIRONMENT ...])
# One GoogleTest executable per area; each TEST becomes its own CTest case.
# A parameterised case is listed by the name its generator gives, without a
# dump of its parameter's bytes.
function(add_ledgerly_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;ENVIRONMENT" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest_main GTest::gmock LedgerlyCompileOptions)
  gtest_discover_tests(${name}
    DISCOVERY_TIMEOUT 60 NO_PRETTY_VALUES
    PROPERTIES ENVIRONMENT "LANG=C.UTF-8;${ARG_ENVIRONMENT}" TIMEOUT 120)
endfunction()
