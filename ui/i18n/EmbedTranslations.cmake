# Writes OUTPUT, a C++ source holding each .po file of PO_DIR (named <language>.po) as a
# string, and TranslationText(language) to look one up.
file(GLOB catalogs ${PO_DIR}/*.po)
set(entries "")
foreach(file ${catalogs})
    get_filename_component(code ${file} NAME_WE)
    file(READ ${file} po)
    string(APPEND entries "        {\"${code}\", R\"po_text(${po})po_text\"},\n")
endforeach()
file(WRITE ${OUTPUT}.new "// Generated from resources/translations by EmbedTranslations.cmake.
#include <map>
#include <string>

#include \"Catalog.h\"

namespace radiosetup {

std::string TranslationText(const std::string& languageCode) {
    static const std::map<std::string, std::string> kCatalogs = {
${entries}    };
    const auto found = kCatalogs.find(languageCode);
    return found == kCatalogs.end() ? std::string() : found->second;
}

}  // namespace radiosetup
")
file(COPY_FILE ${OUTPUT}.new ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.new)
