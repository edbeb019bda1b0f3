# Read by cpack itself while it packs. CPack's RPM generator tests rpm for
# weak dependencies (Suggests) through a variable that it never sets.
if(CPACK_GENERATOR STREQUAL "RPM")
    find_program(RPM_EXECUTABLE rpm)
endif()
# Lintian's notes are for the .deb alone.
if(CPACK_GENERATOR STREQUAL "RPM" AND CPACK_ZARTEX_LINTIAN_OVERRIDES)
    set(CPACK_RPM_USER_FILELIST "%exclude /usr/share/lintian/overrides/zartex")
    list(APPEND CPACK_RPM_EXCLUDE_FROM_AUTO_FILELIST_ADDITION /usr/share/lintian /usr/share/lintian/overrides)
endif()
