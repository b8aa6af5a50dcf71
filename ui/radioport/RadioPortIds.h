#pragma once

namespace radiosetup {

// Control ids of the radio-port template.
namespace RadioPortId {
constexpr int kRateList = 1057;
constexpr int kPortList = 1058;
constexpr int kParityList = 1059;
constexpr int kAutoDetect = 3;
}  // namespace RadioPortId

// Control ids of the search's progress template.
namespace DetectId {
constexpr int kProgress = 1060;
constexpr int kFocusSink = 1061;
}  // namespace DetectId

}  // namespace radiosetup
