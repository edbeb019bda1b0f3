# The package facts of packaging/facts as ZARTEX_<NAME> (Version as
# ZARTEX_VERSION, Description's lines joined by newlines). Read before
# project(), which takes its version from here.
file(STRINGS ${CMAKE_CURRENT_LIST_DIR}/facts zartex_fact_lines ENCODING UTF-8)
set(zartex_fact "")
foreach(line IN LISTS zartex_fact_lines)
    if(line MATCHES "^#")
    elseif(line MATCHES "^([A-Za-z-]+): *(.*)$")
        string(TOUPPER "${CMAKE_MATCH_1}" zartex_fact)
        set(ZARTEX_${zartex_fact} "${CMAKE_MATCH_2}")
    elseif(line MATCHES "^ (.*)$" AND zartex_fact)
        string(APPEND ZARTEX_${zartex_fact} "\n${CMAKE_MATCH_1}")
    endif()
endforeach()
foreach(fact NAME VERSION TITLE DEVELOPER MAINTAINER PUBLISHER HOMEPAGE SUMMARY DESCRIPTION)
    if(NOT DEFINED ZARTEX_${fact})
        message(FATAL_ERROR "packaging/facts gives no ${fact}")
    endif()
endforeach()
