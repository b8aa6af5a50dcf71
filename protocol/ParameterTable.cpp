#include "ParameterTable.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace radiosetup {

namespace {

using P = CParameterSet;
using Names = ParameterRow::Names;
using Range = ParameterRow::Range;
using Request = ParameterRow::Request;
using Access = ParameterRow::Access;
using Byte = std::uint8_t P::*;
using Words = std::vector<std::string>;

template <Byte member>
void Store(P& p, std::int32_t value) {
    p.*member = static_cast<std::uint8_t>(value);
}

template <Byte member>
Access ByteNumber() {
    return {[](const P& p) -> std::int32_t { return p.*member; }, Store<member>};
}

template <Byte member>
Access ByteSwitch() {
    return {[](const P& p) -> std::int32_t { return p.*member != 0; }, Store<member>};
}

template <std::uint32_t P::*member>
Access FrequencyIn() {
    return {[](const P& p) { return static_cast<std::int32_t>(p.*member); },
            [](P& p, std::int32_t value) { p.*member = static_cast<std::uint32_t>(value); }};
}

// A query shows the block's ANI as text and keeps the number typed before.
const Access kAniAccess{
    [](const P& p) {
        return static_cast<std::int32_t>(std::strtol(p.m_strAni.c_str(), nullptr, 10));
    },
    [](P& p, std::int32_t value) { p.m_nAni = value; }};

// A queried set holds the radio's option byte, where zero is on; one to be sent, 1 for on.
const Access kAddressingAccess{[](const P& p) -> std::int32_t { return p.m_bAddressing == 0; },
                               Store<&P::m_bAddressing>};

const Access kErrorCorrectionAccess{
    [](const P& p) -> std::int32_t { return p.m_nEccSetting == kEccUsed; },
    [](P& p, std::int32_t value) { p.m_nEccSetting = value != 0 ? kEccUsed : kEccNotUsed; }};

const Access kRelayAccess{nullptr, [](P& p, std::int32_t value) {
                              p.m_bRelayOn = value != 0;
                              p.m_bRxEndRelay = value == 2;
                          }};

ParameterRow Number(ParamId id, Names names, const char* unit, Range range, BlockField field,
                    Request request, Access access) {
    return {id, names, ParamKind::kNumber, unit, range, {}, {}, field, request, access};
}

ParameterRow Frequency(ParamId id, Names names, Request request, Access access) {
    const Range range{kLowestFrequency, kHighestFrequency, kFrequencyRangeMessage};
    return {id, names, ParamKind::kFrequency, "MHz", range, {}, {}, std::nullopt, request, access};
}

ParameterRow Switch(ParamId id, Names names, BlockField field, Request request, Access access,
                    Words shownWords = {}) {
    return {id,      names, ParamKind::kSwitch, "", {}, {"off", "on"}, std::move(shownWords), field,
            request, access};
}

ParameterRow Choice(ParamId id, const char* key, Words words, Request request, Access access) {
    return {id,
            {key, nullptr, nullptr},
            ParamKind::kChoice,
            "",
            {},
            std::move(words),
            {},
            std::nullopt,
            request,
            access};
}

template <Byte member>
ParameterRow Level(ParamId id, Names names, std::int32_t highest, BlockField field) {
    return {id,
            names,
            ParamKind::kLevel,
            "",
            {1, highest, nullptr},
            {},
            {},
            field,
            {OpKind::kAudio, AudioPayload},
            ByteNumber<member>()};
}

std::vector<ParameterRow> MakeTable() {
    using Id = ParamId;
    const Request audio{OpKind::kAudio, AudioPayload};
    return {
        Number(Id::kAni, {"ani", nullptr, "ANI"}, "", {0, 16777215, "设备ANI必须是0-16777215"},
               BlockAt::kAni, {OpKind::kAni, AniPayload}, kAniAccess),
        Number(Id::kChannelTotal, {"channel_total", "total", "channel total"}, "",
               {1, kRadioChannels, "信道总数必须是1-100"}, BlockAt::kChannelTotal,
               {OpKind::kChannelTotal, ChannelTotalPayload}, ByteNumber<&P::m_nChannelTotal>()),
        Number(Id::kCurrentChannel, {"current_channel", "channel", "current channel"}, "",
               {1, kRadioChannels, "当前信道必须是1-%1"}, BlockAt::kCurrentChannelIndex,
               {OpKind::kCurrentChannel, CurrentChannelPayload},
               ByteNumber<&P::m_nCurrentChannel>()),
        Frequency(Id::kRxFrequency, {"rx_hz", "rx", "rx frequency"},
                  {OpKind::kRxFrequency, RxFrequencyPayload}, FrequencyIn<&P::m_nRxFrequency>()),
        Frequency(Id::kTxFrequency, {"tx_hz", "tx", "tx frequency"},
                  {OpKind::kTxFrequency, TxFrequencyPayload}, FrequencyIn<&P::m_nTxFrequency>()),
        Number(Id::kTxTimeLimit, {"tx_time_limit_s", "time-limit", "tx time limit"}, "s",
               {0, 255, "发射限时必须是0-255"}, BlockAt::kTxTimeLimit,
               {OpKind::kTxTimeLimit, TxTimeLimitPayload}, ByteNumber<&P::m_nTxTimeLimit>()),
        Choice(Id::kWorkMode, "mode", {"voice", "data"}, {OpKind::kWorkMode, WorkModePayload},
               {nullptr, Store<&P::m_bDataMode>}),
        Switch(Id::kAddressing, {"addressing", nullptr, "addressing"}, BlockAt::kAddressing,
               {OpKind::kAddressing, AddressingPayload}, kAddressingAccess),
        Switch(Id::kTransparent, {"transparent", nullptr, "data method"}, BlockAt::kTransparent,
               {OpKind::kTransparent, TransparentPayload}, ByteSwitch<&P::m_bTransparent>(),
               {"non-transparent", "transparent"}),
        Choice(Id::kRelay, "relay", {"off", "on", "rx-end"}, {OpKind::kRelay, RelayPayload},
               kRelayAccess),
        Switch(Id::kErrorCorrection, {"error_correction", "ecc", "error correction"},
               BlockAt::kNoErrorCorrection, {OpKind::kErrorCorrection, ErrorCorrectionPayload},
               kErrorCorrectionAccess),
        Switch(Id::kEncryption, {"encryption", nullptr, "encryption"}, BlockAt::kEncryption,
               {OpKind::kEncryption, EncryptionPayload}, ByteSwitch<&P::m_bEncryption>()),
        Switch(Id::kCompander, {"compander", nullptr, "compander"}, BlockAt::kCompander, audio,
               ByteSwitch<&P::m_bCompander>()),
        Switch(Id::kPreEmphasis, {"pre_emphasis", "pre-emphasis", "pre-emphasis"},
               BlockAt::kPreEmphasis, audio, ByteSwitch<&P::m_bPreEmphasis>()),
        Level<&P::m_nRxChannelGain>(Id::kRxChannelGain,
                                    {"rx_channel_gain", "rx-channel-gain", "rx channel gain"}, 16,
                                    BlockAt::kRxChannelGain),
        Level<&P::m_nRxVoiceGain>(Id::kRxVoiceGain,
                                  {"rx_voice_gain", "rx-voice-gain", "rx voice gain"}, 8,
                                  BlockAt::kRxVoiceGain),
        Level<&P::m_nTxChannelGain>(Id::kTxChannelGain,
                                    {"tx_channel_gain", "tx-channel-gain", "tx channel gain"}, 16,
                                    BlockAt::kTxChannelGain),
        Level<&P::m_nTxVoiceGain>(Id::kTxVoiceGain,
                                  {"tx_voice_gain", "tx-voice-gain", "tx voice gain"}, 16,
                                  BlockAt::kTxVoiceGain),
    };
}

}  // namespace

const std::vector<ParameterRow>& ParameterTable() {
    static const std::vector<ParameterRow> table = MakeTable();
    return table;
}

const ParameterRow& Parameter(ParamId id) {
    const std::vector<ParameterRow>& table = ParameterTable();
    return *std::find_if(table.begin(), table.end(),
                         [id](const ParameterRow& row) { return row.id == id; });
}

}  // namespace radiosetup
