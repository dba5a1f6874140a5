# Install step: writes the desktop entry with the installed program's absolute path in Exec. It is written
# straight into the prefix, so installs into different prefixes from one build never share a file.
get_filename_component(program "${CMAKE_INSTALL_PREFIX}/${ENTRY_PROGRAM}" ABSOLUTE)
# Exec quoting: inside quotes \ " ` $ take a backslash; then the value's own escape doubles every backslash,
# and a literal % is written %%.
string(REPLACE "\\" "\\\\" program "${program}")
string(REPLACE "\"" "\\\"" program "${program}")
string(REPLACE "`" "\\`" program "${program}")
string(REPLACE "$" "\\$" program "${program}")
string(REPLACE "\\" "\\\\" program "${program}")
string(REPLACE "%" "%%" program "${program}")
set(QUILLET_PROGRAM "${program}")

set(entry "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/${ENTRY_FILE}")
message(STATUS "Installing: ${entry}")
configure_file("${ENTRY_TEMPLATE}" "${entry}" @ONLY
               FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${entry}")
