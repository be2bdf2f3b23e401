# Debian's hardening for the Linux program, in every build type: what dpkg-buildflags gives a
# Debian package where it is there (so a newer Debian's additions come along), the same flags where
# it is not. Only the hardening is taken; the build type keeps its own optimisation and debug
# information. Fortified calls need optimisation: a build without it goes without them.
set(hardening -fstack-protector-strong -fstack-clash-protection -fcf-protection -Wformat
    -Werror=format-security)
set(hardening_link -Wl,-z,relro -Wl,-z,now)
find_program(BITKI_DPKG_BUILDFLAGS dpkg-buildflags)
if(BITKI_DPKG_BUILDFLAGS)
    set(hardening)
    set(hardening_link)
    foreach(kind IN ITEMS CXXFLAGS LDFLAGS)
        execute_process(COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
            ${BITKI_DPKG_BUILDFLAGS} --get ${kind} OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE)
        separate_arguments(flags UNIX_COMMAND "${flags}")
        list(FILTER flags INCLUDE REGEX "^(-fstack-|-fcf-protection|-Wformat|-Werror=format|-Wl,-z,)")
        if(kind STREQUAL LDFLAGS)
            set(hardening_link ${flags})
        else()
            set(hardening ${flags})
        endif()
    endforeach()
endif()
target_compile_options(bitki_settings INTERFACE ${hardening}
    $<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:-U_FORTIFY_SOURCE -D_FORTIFY_SOURCE=2>)
target_link_options(bitki_settings INTERFACE ${hardening_link})
