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
        # PARSE_ARGV keeps each argument whole by escaping its semicolons; the property wants a
        # list of VAR=value, so "A=1;B=2" must come apart here, or B is never set.
        string(REPLACE "\\;" ";" environment "${arg_ENVIRONMENT}")
        set_tests_properties(${name} PROPERTIES ENVIRONMENT "${environment}")
    endif()
endfunction()
