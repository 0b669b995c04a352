# Writes the stubs through which a program calls the functions of shared libraries it loads
# only on the first call (see shell/cli/lazy_libraries.h). Run as a script:
#   cmake -DNM=nm -DOBJDUMP=objdump -DARCHIVE=libcode.a -DLIBRARIES="/path/libA.so;..."
#         -DOUTPUT=stubs.cpp -P lazy_library_stubs.cmake
# Every function the archive calls that one of LIBRARIES defines gets a stub: a jump through
# a slot that first holds a jump to the resolver, and the function's address once resolved.
# x86-64 System V only. A data symbol of those libraries cannot be reached this way and stops
# the build.
cmake_minimum_required(VERSION 3.25)

foreach(variable NM OBJDUMP ARCHIVE LIBRARIES OUTPUT)
    if(NOT DEFINED ${variable})
        message(FATAL_ERROR "lazy_library_stubs.cmake: ${variable} is not set")
    endif()
endforeach()

function(run_tool out)
    execute_process(COMMAND ${ARGN} OUTPUT_VARIABLE text RESULT_VARIABLE code
                    ERROR_VARIABLE error)
    if(NOT code EQUAL 0)
        message(FATAL_ERROR "lazy_library_stubs.cmake: ${ARGN} failed: ${error}")
    endif()
    set(${out} "${text}" PARENT_SCOPE)
endfunction()

# What the archive calls from outside itself.
run_tool(undefined ${NM} -u -P ${ARCHIVE})
string(REGEX MATCHALL "\n[A-Za-z_][A-Za-z0-9_]* U" calls "\n${undefined}")
set(called "")
foreach(call IN LISTS calls)
    string(REGEX REPLACE "^\n([A-Za-z0-9_]+) U$" "\\1" name "${call}")
    list(APPEND called ${name})
endforeach()
list(REMOVE_DUPLICATES called)

set(sonames "")
set(functions "")
set(owners "")
set(library_index 0)
foreach(library IN LISTS LIBRARIES)
    run_tool(headers ${OBJDUMP} -p ${library})
    if(NOT headers MATCHES "SONAME +([^\n ]+)")
        message(FATAL_ERROR "lazy_library_stubs.cmake: ${library} has no SONAME")
    endif()
    set(soname "${CMAKE_MATCH_1}")
    run_tool(defined ${NM} -D --defined-only -P ${library})
    string(REGEX MATCHALL "\n[A-Za-z_][A-Za-z0-9_]* [A-Za-z]" entries "\n${defined}")
    foreach(entry IN LISTS entries)
        string(REGEX REPLACE "^\n([A-Za-z0-9_]+) ([A-Za-z])$" "\\1;\\2" parts "${entry}")
        list(GET parts 0 name)
        list(GET parts 1 type)
        if(NOT DEFINED owner_${name})
            set(owner_${name} ${library_index})
            set(type_${name} ${type})
        endif()
    endforeach()
    list(APPEND sonames "${soname}")
    math(EXPR library_index "${library_index} + 1")
endforeach()

foreach(name IN LISTS called)
    if(DEFINED owner_${name})
        if(NOT type_${name} MATCHES "^[TWi]$")
            message(FATAL_ERROR "lazy_library_stubs.cmake: ${name} is data, not a function")
        endif()
        list(APPEND functions ${name})
        list(APPEND owners ${owner_${name}})
    endif()
endforeach()

list(LENGTH functions count)
if(count EQUAL 0)
    message(FATAL_ERROR "lazy_library_stubs.cmake: ${ARCHIVE} calls nothing of ${LIBRARIES}")
endif()

set(names_table "")
set(stubs "")
set(slots "")
set(thunks "")
math(EXPR last "${count} - 1")
foreach(index RANGE ${last})
    list(GET functions ${index} name)
    list(GET owners ${index} owner)
    math(EXPR offset "${index} * 8")
    string(APPEND names_table "    {\"${name}\", ${owner}},\n")
    string(APPEND stubs
        "    .globl ${name}\n    .hidden ${name}\n    .type ${name}, @function\n"
        "${name}:\n    jmp *jotwise_lazy_slots+${offset}(%rip)\n")
    string(APPEND slots "    .quad .Ljotwise_lazy_thunk_${index}\n")
    string(APPEND thunks
        ".Ljotwise_lazy_thunk_${index}:\n    movl $${index}, %r11d\n    jmp .Ljotwise_lazy_common\n")
endforeach()

set(libraries_table "")
foreach(soname IN LISTS sonames)
    string(APPEND libraries_table "    \"${soname}\",\n")
endforeach()

file(WRITE "${OUTPUT}.new" "// Written by cmake/lazy_library_stubs.cmake from what ${ARCHIVE} calls: do not edit.
#include \"shell/cli/lazy_libraries.h\"

extern \"C\" {

const char* const jotwise_lazy_libraries[] = {
${libraries_table}};

const LazyFunction jotwise_lazy_functions[] = {
${names_table}};

}  // extern \"C\"

// Each stub jumps through its slot. A slot first holds its thunk, which hands the function's
// index to the resolver with every argument register kept (the vector ones too, and %al for
// variadic calls); the resolver stores the function's address in the slot and the thunk
// jumps there.
asm(R\"(
    .text
${stubs}
${thunks}
.Ljotwise_lazy_common:
    pushq %rbp
    movq %rsp, %rbp
    pushq %rdi
    pushq %rsi
    pushq %rdx
    pushq %rcx
    pushq %r8
    pushq %r9
    pushq %rax
    subq $136, %rsp
    movdqu %xmm0, 0(%rsp)
    movdqu %xmm1, 16(%rsp)
    movdqu %xmm2, 32(%rsp)
    movdqu %xmm3, 48(%rsp)
    movdqu %xmm4, 64(%rsp)
    movdqu %xmm5, 80(%rsp)
    movdqu %xmm6, 96(%rsp)
    movdqu %xmm7, 112(%rsp)
    movl %r11d, %edi
    call jotwise_lazy_resolve@PLT
    movq %rax, %r11
    movdqu 0(%rsp), %xmm0
    movdqu 16(%rsp), %xmm1
    movdqu 32(%rsp), %xmm2
    movdqu 48(%rsp), %xmm3
    movdqu 64(%rsp), %xmm4
    movdqu 80(%rsp), %xmm5
    movdqu 96(%rsp), %xmm6
    movdqu 112(%rsp), %xmm7
    addq $136, %rsp
    popq %rax
    popq %r9
    popq %r8
    popq %rcx
    popq %rdx
    popq %rsi
    popq %rdi
    popq %rbp
    jmp *%r11

    .data
    .balign 8
    .globl jotwise_lazy_slots
    .hidden jotwise_lazy_slots
jotwise_lazy_slots:
${slots}
    .text
)\");
")
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")
