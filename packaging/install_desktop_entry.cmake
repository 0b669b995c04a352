# Run by `cmake --install`: installs jotwise.desktop with the installed program's full path,
# so that the menu entry works for any prefix, in PATH or not.
file(READ "${CMAKE_CURRENT_LIST_DIR}/jotwise.desktop" entry)
set(program "${CMAKE_INSTALL_PREFIX}/bin/jotwise")

# Exec takes one quoted argument: ", `, $ and \ get a backslash; then, as in every value,
# each backslash is written twice, and % is doubled.
string(REPLACE "\\" "\\\\" quoted "${program}")
string(REPLACE "\"" "\\\"" quoted "${quoted}")
string(REPLACE "`" "\\`" quoted "${quoted}")
string(REPLACE "$" "\\$" quoted "${quoted}")
string(REPLACE "\\" "\\\\" quoted "${quoted}")
string(REPLACE "%" "%%" quoted "${quoted}")
# TryExec is a plain value: only backslashes are doubled.
string(REPLACE "\\" "\\\\" plain "${program}")

string(REPLACE "\nExec=jotwise\n" "\nExec=\"${quoted}\"\n" entry "${entry}")
string(REPLACE "\nTryExec=jotwise\n" "\nTryExec=${plain}\n" entry "${entry}")

file(MAKE_DIRECTORY "${JOTWISE_ENTRY_WORK_DIR}/entry")
file(WRITE "${JOTWISE_ENTRY_WORK_DIR}/entry/jotwise.desktop" "${entry}")
file(INSTALL DESTINATION "${CMAKE_INSTALL_PREFIX}/share/applications" TYPE FILE
     FILES "${JOTWISE_ENTRY_WORK_DIR}/entry/jotwise.desktop")
