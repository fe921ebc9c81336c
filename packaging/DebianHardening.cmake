# The hardening Debian gives its packages, as dpkg-buildflags reports it with every feature on: stack
# protector, _FORTIFY_SOURCE, format checks, full RELRO and immediate binding (gcc makes PIE by default).
# The optimisation and debug flags stay the build type's.
find_program(DPKG_BUILDFLAGS dpkg-buildflags REQUIRED)
foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all ${DPKG_BUILDFLAGS} --get ${kind}
    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
    OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
  separate_arguments(flags UNIX_COMMAND "${flags}")
  list(FILTER flags EXCLUDE REGEX "^-O|^-g")
  if(kind STREQUAL "LDFLAGS")
    add_link_options(${flags})
  else()
    add_compile_options(${flags})
  endif()
endforeach()
# Newer dpkg-buildflags (1.22, Debian 13) add stack clash protection under hardening=+all (the feature
# "stackclash"); Debian 12's dpkg does not give it yet.
include(CheckCXXCompilerFlag)
check_cxx_compiler_flag(-fstack-clash-protection ZK_COMPILER_TAKES_STACK_CLASH_PROTECTION)
if(ZK_COMPILER_TAKES_STACK_CLASH_PROTECTION)
  add_compile_options(-fstack-clash-protection)
endif()
