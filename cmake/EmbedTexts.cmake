# Writes OUTPUT, a C++ source holding each file of DIR that ends in .EXTENSION as a string,
# keyed by its name without the extension (an int when KEY is int, else a string), and
# FUNCTION(key), declared in HEADER, to look one up.
file(GLOB files ${DIR}/*.${EXTENSION})
if(KEY STREQUAL "int")
    set(key_type int)
    set(parameter "int key")
else()
    set(key_type std::string)
    set(parameter "const std::string& key")
endif()
set(entries "")
foreach(file ${files})
    get_filename_component(name ${file} NAME_WE)
    if(KEY STREQUAL "int")
        set(literal ${name})
    else()
        set(literal "\"${name}\"")
    endif()
    file(READ ${file} text)
    string(APPEND entries "        {${literal}, R\"embedded_text(${text})embedded_text\"},\n")
endforeach()
file(WRITE ${OUTPUT}.new "// Generated from ${DIR} by EmbedTexts.cmake.
#include <map>
#include <string>

#include \"${HEADER}\"

namespace radiosetup {

std::string ${FUNCTION}(${parameter}) {
    static const std::map<${key_type}, std::string> kTexts = {
${entries}    };
    const auto found = kTexts.find(key);
    return found == kTexts.end() ? std::string() : found->second;
}

}  // namespace radiosetup
")
file(COPY_FILE ${OUTPUT}.new ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.new)
