# Writes OUTPUT, a C++ source holding each JSON file of TEMPLATE_DIR (named <id>.json) as
# a string, and TemplateText(id) to look one up.
file(GLOB templates ${TEMPLATE_DIR}/*.json)
set(entries "")
foreach(file ${templates})
    get_filename_component(id ${file} NAME_WE)
    file(READ ${file} json)
    string(APPEND entries "    {${id}, R\"template_json(${json})template_json\"},\n")
endforeach()
file(WRITE ${OUTPUT}.new "// Generated from resources/templates by EmbedTemplates.cmake.
#include <map>
#include <string>

#include \"DialogTemplate.h\"

namespace radiosetup {

std::string TemplateText(int id) {
    static const std::map<int, std::string> kTemplates = {
${entries}    };
    const auto found = kTemplates.find(id);
    return found == kTemplates.end() ? std::string() : found->second;
}

}  // namespace radiosetup
")
file(COPY_FILE ${OUTPUT}.new ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.new)
