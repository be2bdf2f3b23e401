# A tool that a part of the build needs: where it is missing that part is left out, except where
# every test must run (CI), where it is an error. LEFT_OUT names the part; by default the tests
# that need the tool.
function(bitki_find_tool variable name)
    cmake_parse_arguments(PARSE_ARGV 2 arg "" "LEFT_OUT" "")
    if(NOT arg_LEFT_OUT)
        set(arg_LEFT_OUT "the tests that need it are")
    endif()
    if(BITKI_REQUIRE_ALL_TESTS)
        find_program(${variable} ${name} REQUIRED)
    else()
        find_program(${variable} ${name})
        if(NOT ${variable})
            message(STATUS "${name} not found: ${arg_LEFT_OUT} left out")
        endif()
    endif()
endfunction()
