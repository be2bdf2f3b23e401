# Every test has a time limit and a label; a run that selects no test fails (ctest --no-tests=error,
# and each test program fails when its filter matches nothing).
function(bitki_add_test name)
    cmake_parse_arguments(PARSE_ARGV 1 arg "" "TIMEOUT;LABEL" "COMMAND;ENVIRONMENT")
    add_test(NAME ${name} COMMAND ${arg_COMMAND})
    if(NOT arg_TIMEOUT)
        set(arg_TIMEOUT 120)
    endif()
    set_tests_properties(${name} PROPERTIES TIMEOUT ${arg_TIMEOUT} LABELS ${arg_LABEL})
    if(arg_ENVIRONMENT)
        set_tests_properties(${name} PROPERTIES ENVIRONMENT "${arg_ENVIRONMENT}")
    endif()
endfunction()
