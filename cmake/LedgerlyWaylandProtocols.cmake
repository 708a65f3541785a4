# Client code for the Wayland protocols the desktop shell speaks beyond what
# Qt does: layer-shell for our own menu, data-control for the clipboard, and
# the virtual pointer of the end-to-end tests. The wlroots protocols are kept
# in Sources/LedgerlyDesktop/Wayland/protocols (Debian ships none of them as
# XML); xdg-shell comes from wayland-protocols.
find_program(LEDGERLY_WAYLAND_SCANNER wayland-scanner REQUIRED)
pkg_check_modules(LEDGERLY_WAYLAND_CLIENT REQUIRED IMPORTED_TARGET wayland-client)
pkg_get_variable(LEDGERLY_WAYLAND_PROTOCOLS_DIR wayland-protocols pkgdatadir)
if(NOT LEDGERLY_WAYLAND_PROTOCOLS_DIR)
  message(FATAL_ERROR "wayland-protocols is missing: scripts/install-deps installs it")
endif()
set(LEDGERLY_WLR_PROTOCOLS_DIR ${PROJECT_SOURCE_DIR}/Sources/LedgerlyDesktop/Wayland/protocols)

# ledgerly_wayland_protocols(target xml...): generates the client header and
# code of each protocol into the build tree and adds them to `target`.
function(ledgerly_wayland_protocols target)
  set(output_dir ${CMAKE_CURRENT_BINARY_DIR}/wayland-protocols)
  file(MAKE_DIRECTORY ${output_dir})
  foreach(xml IN LISTS ARGN)
    get_filename_component(name ${xml} NAME_WE)
    set(header ${output_dir}/${name}-client-protocol.h)
    set(code ${output_dir}/${name}-protocol.c)
    add_custom_command(OUTPUT ${header} ${code}
      COMMAND ${LEDGERLY_WAYLAND_SCANNER} client-header ${xml} ${header}
      COMMAND ${LEDGERLY_WAYLAND_SCANNER} private-code ${xml} ${code}
      DEPENDS ${xml}
      VERBATIM)
    target_sources(${target} PRIVATE ${header} ${code})
  endforeach()
  target_include_directories(${target} PRIVATE ${output_dir})
  target_link_libraries(${target} PRIVATE PkgConfig::LEDGERLY_WAYLAND_CLIENT)
endfunction()
