#pragma once

namespace radiosetup {

// Control ids of the main window's template.
namespace SetupId {
constexpr int kWorkModeOk = 1002;
constexpr int kQuery = 1009;
constexpr int kSetDevice = 1010;
constexpr int kRxFrequency = 1014;
constexpr int kRxFrequencyOk = 1015;
constexpr int kTxFrequency = 1017;
constexpr int kTxFrequencyOk = 1018;
constexpr int kAni = 1019;
constexpr int kAniOk = 1020;
constexpr int kChannelTotal = 1021;
constexpr int kChannelTotalOk = 1022;
constexpr int kCurrentChannel = 1023;
constexpr int kCurrentChannelOk = 1024;
constexpr int kTxTimeLimit = 1025;
constexpr int kTxTimeLimitOk = 1026;
constexpr int kRxChannelGain = 1027;
constexpr int kRxVoiceGain = 1028;
constexpr int kTxChannelGain = 1029;
constexpr int kTxVoiceGain = 1030;
constexpr int kCompander = 1032;
constexpr int kPreEmphasis = 1033;
constexpr int kTransparent = 1034;
constexpr int kNonTransparent = 1035;
constexpr int kRxEndRelay = 1036;
constexpr int kRelayOn = 1037;
constexpr int kRelayOff = 1038;
constexpr int kAddressingOn = 1039;
constexpr int kAddressingOff = 1040;
constexpr int kChangePort = 1041;
constexpr int kEccOff = 1042;
constexpr int kEccOn = 1043;
constexpr int kPortField = 1044;
constexpr int kClockField = 1045;
constexpr int kUnusedStatusField = 1046;  // hidden, never written
constexpr int kOperationField = 1047;
constexpr int kResultField = 1048;
constexpr int kEncryptionOff = 1049;
constexpr int kEncryptionOn = 1050;
constexpr int kDataMode = 1051;
constexpr int kVoiceMode = 1052;
constexpr int kExit = 1053;
constexpr int kLoadDefaults = 1054;
constexpr int kConfirmAudio = 1055;
constexpr int kRxChannelGainText = 1056;
constexpr int kRxVoiceGainText = 1057;
constexpr int kTxChannelGainText = 1058;
constexpr int kTxVoiceGainText = 1059;
constexpr int kMultiChannel = 1066;
}  // namespace SetupId

}  // namespace radiosetup
