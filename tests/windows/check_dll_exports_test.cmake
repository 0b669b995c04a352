# Runs cmake/check_dll_exports.cmake on made-up "objdump -p" listings and .def files:
# a matching pair passes, and every kind of mismatch fails with its own message.
#   cmake -DCHECKER=<check_dll_exports.cmake> -DWORK_DIR=<scratch folder> -P <this file>
cmake_minimum_required(VERSION 3.25)
file(MAKE_DIRECTORY "${WORK_DIR}")

set(def_header "LIBRARY demo\nEXPORTS\n")
set(good_def "${def_header}    Prs_A   @1\n    Prs_B   @2\n    Prs_C   @10\n")

# A listing as objdump prints it: the address table by ordinal, the name table by index
# (ordinal minus the base). Each entry is "ordinal name"; a name of "-" has no name.
function(write_listing file)
    set(addresses "")
    set(names "")
    foreach(entry IN LISTS ARGN)
        string(REPLACE " " ";" entry "${entry}")
        list(GET entry 0 ordinal)
        list(GET entry 1 name)
        math(EXPR index "${ordinal} - 1")
        string(APPEND addresses "\t[${index}] +base[${ordinal}] 1000 Export RVA\n")
        if(NOT name STREQUAL "-")
            string(APPEND names "\t[${index}] ${name}\n")
        endif()
    endforeach()
    file(WRITE "${file}"
         "There is an export table in .edata at 0x70022000\n\n"
         "Ordinal Base \t\t\t1\n\n"
         "Export Address Table -- Ordinal Base 1\n${addresses}\n"
         "[Ordinal/Name Pointer] Table\n${names}\n")
endfunction()

set(failures 0)
# expect: PASS, or the text the failure message must contain.
function(check case def_text expect)
    set(listing "${WORK_DIR}/${case}.txt")
    set(def "${WORK_DIR}/${case}.def")
    write_listing("${listing}" ${ARGN})
    file(WRITE "${def}" "${def_text}")
    execute_process(COMMAND "${CMAKE_COMMAND}" -DLISTING=${listing} -DDEF=${def} -P "${CHECKER}"
                    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
    if(expect STREQUAL "PASS")
        set(ok FALSE)
        if(status EQUAL 0)
            set(ok TRUE)
        endif()
    else()
        string(FIND "${out}" "${expect}" at)
        set(ok FALSE)
        if(NOT status EQUAL 0 AND at GREATER -1)
            set(ok TRUE)
        endif()
    endif()
    if(ok)
        message(STATUS "ok: ${case}")
    else()
        message(STATUS "FAILED: ${case} (expected ${expect}, exit ${status}):\n${out}")
        math(EXPR n "${failures} + 1")
        set(failures ${n} PARENT_SCOPE)
    endif()
endfunction()

check(matching "${good_def}" PASS "1 Prs_A" "2 Prs_B" "10 Prs_C")
check(comments_in_def "; exports\n${good_def}    ; end\n" PASS "1 Prs_A" "2 Prs_B" "10 Prs_C")
check(wrong_ordinal "${good_def}" "wrong ordinal: Prs_C @11, expected @10"
      "1 Prs_A" "2 Prs_B" "11 Prs_C")
check(swapped_ordinals "${good_def}" "wrong ordinal: Prs_A @2, expected @1"
      "2 Prs_A" "1 Prs_B" "10 Prs_C")
check(missing "${good_def}" "missing: Prs_B @2" "1 Prs_A" "10 Prs_C")
check(stdcall_suffix "${good_def}" "decorated name: Prs_B@8 @2" "1 Prs_A" "2 Prs_B@8" "10 Prs_C")
check(underscore_prefix "${good_def}" "decorated name: _Prs_B @2" "1 Prs_A" "2 _Prs_B" "10 Prs_C")
check(extra_name "${good_def}" "not in the .def file: Prs_D @3"
      "1 Prs_A" "2 Prs_B" "3 Prs_D" "10 Prs_C")
check(extra_ordinal_without_name "${good_def}" "ordinal not in the .def file: @4"
      "1 Prs_A" "2 Prs_B" "4 -" "10 Prs_C")
check(no_exports "${def_header}" "lists no exports" "1 Prs_A")

if(failures GREATER 0)
    message(FATAL_ERROR "${failures} case(s) of the export check failed")
endif()
