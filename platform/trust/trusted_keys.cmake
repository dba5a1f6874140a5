# The public keys a build trusts to sign updates, written into the source that platform_trust compiles:
#   write_trusted_keys(OUTPUT KEY_FILE...)
# Run as a script, it writes what a release build trusts (every *.pub of MAKER_KEY_DIR, plus TRUST_KEY when given):
#   cmake -DMAKER_KEY_DIR=desktop/update-keys [-DTRUST_KEY=FILE] -DOUTPUT=FILE -P platform/trust/trusted_keys.cmake
function(write_trusted_keys output)
    set(TRUSTED_KEY_TEXTS "")
    foreach(key_file IN LISTS ARGN)
        file(READ ${key_file} key_text)
        string(APPEND TRUSTED_KEY_TEXTS "    R\"key(${key_text})key\",\n")
    endforeach()
    configure_file(${CMAKE_CURRENT_FUNCTION_LIST_DIR}/trusted_keys.cpp.in ${output} @ONLY)
endfunction()

if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
    file(GLOB maker_keys ${MAKER_KEY_DIR}/*.pub)
    write_trusted_keys(${OUTPUT} ${maker_keys} ${TRUST_KEY})
endif()
