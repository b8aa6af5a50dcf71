#include "ResourceIds.h"

namespace radiosetup {

std::string StringResource(int id) {
    if (id == Res::kAboutMenuText) {
        return "关于 Tarnwick(&A)...";
    }
    return {};
}

}  // namespace radiosetup
