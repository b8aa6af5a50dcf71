#pragma once

#include <array>

namespace radiosetup {

// Control ids of the multi-channel template.
namespace MultiChannelId {
constexpr int kSave = 1073;
constexpr int kSet = 1074;
constexpr int kQuery = 1075;
constexpr int kStatus = 1076;
constexpr int kChannelCount = 1091;
constexpr int kStartChannel = 1092;

struct RowIds {
    int group;
    int rx;
    int tx;
};

// Rows 1 to 10; the edit ids do not follow the rows.
constexpr std::array<RowIds, 10> kRows = {{
    {1093, 1044, 1071},
    {1094, 1045, 1062},
    {1095, 1048, 1065},
    {1096, 1052, 1069},
    {1097, 1053, 1070},
    {1098, 1072, 1063},
    {1099, 1047, 1064},
    {1100, 1049, 1066},
    {1101, 1050, 1067},
    {1102, 1051, 1068},
}};
}  // namespace MultiChannelId

}  // namespace radiosetup
