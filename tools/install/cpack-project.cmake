# Read by cpack itself while it packs. CPack's RPM generator tests rpm for
# weak dependencies (Suggests) through a variable that it never sets.
if(CPACK_GENERATOR STREQUAL "RPM")
    find_program(RPM_EXECUTABLE rpm)
endif()
