#include "SimCommands.h"

#include <cstdio>

namespace radiosim {

namespace {

constexpr std::uint8_t kStatusOk = 0x00;
constexpr std::uint8_t kStatusRefused = 0xFF;
constexpr std::uint32_t kStep = 125;
constexpr std::uint32_t kReceiveOffset = 214000;

SimAnswer Acknowledge(std::string note) {
    return SimAnswer{{0x55, 0xAA, kStatusOk}, std::move(note), std::nullopt};
}

SimAnswer Refuse(std::string note) {
    return SimAnswer{{0x55, 0xAA, kStatusRefused}, "refused: " + std::move(note), std::nullopt};
}

std::string OnOff(bool on) {
    return on ? "on" : "off";
}

std::uint8_t Level(std::uint8_t bits) {
    return static_cast<std::uint8_t>(bits + 1);
}

bool IsChannelIndex(std::uint8_t index) {
    return index < SimRadioState::kChannels;
}

SimAnswer SetChannelWord(SimRadioState& state, const SimRequestFrame& frame, bool transmit) {
    const std::uint8_t index = frame[3];
    const char* which = transmit ? "transmit" : "receive";
    if (!IsChannelIndex(index)) {
        return Refuse(std::string(which) + " word for channel index " + std::to_string(index));
    }
    const auto word = static_cast<std::uint16_t>(frame[4] << 8 | frame[5]);
    auto& words = transmit ? state.txWord : state.rxWord;
    words[index] = word;
    const std::uint32_t frequency = word * kStep + (transmit ? 0 : kReceiveOffset);
    return Acknowledge("channel " + std::to_string(index + 1) + " " + which + " " +
                       std::to_string(frequency));
}

SimAnswer SetChannelTotal(SimRadioState& state, std::uint8_t total) {
    if (total < 1 || total > SimRadioState::kChannels) {
        return Refuse("channel total " + std::to_string(total));
    }
    state.channelTotal = total;
    return Acknowledge("channel total " + std::to_string(total));
}

SimAnswer SetCurrentChannel(SimRadioState& state, std::uint8_t index) {
    if (!IsChannelIndex(index)) {
        return Refuse("current channel index " + std::to_string(index));
    }
    state.currentChannel = static_cast<std::uint8_t>(index + 1);
    return Acknowledge("current channel " + std::to_string(state.currentChannel));
}

SimAnswer SetAudio(SimRadioState& state, const SimRequestFrame& frame) {
    const std::uint8_t gains = frame[4];
    const std::uint8_t txGains = frame[5];
    const std::uint8_t flags = frame[6];
    state.rxVoiceGain = Level(gains & 0x07);
    state.txChannelGain = Level(static_cast<std::uint8_t>(txGains >> 4));
    state.txVoiceGain = Level(txGains & 0x0F);
    state.compander = (flags & 0x80) != 0;
    state.preEmphasis = (flags & 0x40) != 0;
    state.eccUsed = (flags & 0x20) == 0;
    state.encryption = (flags & 0x10) != 0;
    state.rxChannelGain = Level(flags & 0x0F);
    return Acknowledge(
        "audio: gains rx channel " + std::to_string(state.rxChannelGain) + ", rx voice " +
        std::to_string(state.rxVoiceGain) + ", tx channel " + std::to_string(state.txChannelGain) +
        ", tx voice " + std::to_string(state.txVoiceGain) + "; compander " +
        OnOff(state.compander) + ", pre-emphasis " + OnOff(state.preEmphasis) + ", ecc " +
        (state.eccUsed ? "used" : "not used") + ", encryption " + OnOff(state.encryption));
}

// 0x1C carries either the radio's new line settings or the relay switches.
SimAnswer SetLineOrRelay(SimRadioState& state, const SimRequestFrame& frame) {
    const std::uint8_t code = frame[3];
    if (code > 1) {
        const std::optional<SimLineSettings> line = DecodeLineCode(code);
        if (!line) {
            return Refuse("line code " + std::to_string(code));
        }
        SimAnswer answer = Acknowledge("line settings become " + DescribeLine(*line));
        answer.newLine = line;
        return answer;
    }
    state.relayOn = code != 0;
    state.rxEndRelay = frame[4] != 0;
    return Acknowledge("relay " + OnOff(state.relayOn) + ", receiver-end relay " +
                       OnOff(state.rxEndRelay));
}

SimAnswer Block(std::vector<std::uint8_t> block, std::string note) {
    return SimAnswer{std::move(block), std::move(note), std::nullopt};
}

std::string StatusText(std::uint8_t status) {
    char text[8];
    std::snprintf(text, sizeof text, "%02X", status);
    return text;
}

bool IsSilent(const SimFaults& faults, std::uint8_t command, std::size_t frameNumber) {
    return faults.silent || faults.silentCommands.count(command) != 0 ||
           (faults.silentFromFrame > 0 &&
            frameNumber >= static_cast<std::size_t>(faults.silentFromFrame));
}

void DamageBlock(SimAnswer& answer, std::uint8_t command, const SimFaults& faults) {
    if (command == 0xCC && faults.badChecksum) {
        const auto wrong = static_cast<std::uint16_t>(ParameterBlockChecksum(answer.reply) + 1);
        answer.reply[0] = static_cast<std::uint8_t>(wrong & 0xFF);
        answer.reply[1] = static_cast<std::uint8_t>(wrong >> 8);
        answer.note += ", checksum spoiled";
    }
    const auto cut = static_cast<std::size_t>(faults.truncateBlockTo);
    if ((command == 0xCC || command == 0x1D) && cut > 0 && cut < answer.reply.size()) {
        answer.reply.resize(cut);
        answer.note += ", cut to " + std::to_string(cut) + " bytes";
    }
}

}  // namespace

SimAnswer AnswerRequest(SimRadioState& state, const SimRequestFrame& frame) {
    const std::uint8_t command = frame[2];
    const std::uint8_t b1 = frame[3];
    switch (command) {
        case 0x02:
            state.ani = static_cast<std::uint32_t>(b1 | frame[4] << 8 | frame[5] << 16);
            return Acknowledge("ANI " + std::to_string(state.ani));
        case 0x03:
            return SetChannelTotal(state, b1);
        case 0x04:
            return SetChannelWord(state, frame, false);
        case 0x05:
            return SetChannelWord(state, frame, true);
        case 0x06:
            state.txTimeLimit = b1;
            return Acknowledge("time limit " + std::to_string(b1) + " s");
        case 0x07:
            return SetCurrentChannel(state, b1);
        case 0x08:
            state.dataMode = false;
            return Acknowledge("voice mode");
        case 0x0A:
            state.eccUsed = b1 != 0;
            return Acknowledge(std::string("ecc ") + (state.eccUsed ? "used" : "not used"));
        case 0x0B:
            return Acknowledge("connect, line code " + HexText(&b1, 1));
        case 0x0E:
            state.dataMode = true;
            return Acknowledge("data mode");
        case 0x11:
            return SetAudio(state, frame);
        case 0x13:
            state.encryption = b1 != 0;
            return Acknowledge("encryption " + OnOff(state.encryption));
        case 0x15:
            state.transparent = b1 == 0x00;
            return Acknowledge(state.transparent ? "transparent" : "non-transparent");
        case 0x18:
            state.addressing = b1;
            return Acknowledge(std::string("addressing ") + (b1 == 0x00 ? "on" : "off"));
        case 0x1C:
            return SetLineOrRelay(state, frame);
        case 0xCC:
            return Block(BuildParameterBlock(state), "parameter block");
        case 0x1D:
            return Block(BuildChannelBlock(state, b1),
                         "channel block from channel " + std::to_string(b1 + 1));
        default:
            return Acknowledge("unknown command, acknowledged");
    }
}

std::optional<SimLineSettings> DecodeLineCode(std::uint8_t code) {
    static constexpr int kRates[] = {2400, 4800, 9600, 19200};  // rate codes 5 to 8
    const int rateCode = code & 0x0F;
    if (rateCode < 5 || rateCode > 8) {
        return std::nullopt;
    }
    SimLineSettings line;
    line.baudRate = kRates[rateCode - 5];
    switch (code & 0xC0) {
        case 0x00:
            line.parity = 0;
            break;
        case 0x40:
            line.parity = 1;
            break;
        case 0xC0:
            line.parity = 2;
            break;
        default:
            return std::nullopt;
    }
    return line;
}

std::string HexText(const std::uint8_t* bytes, std::size_t count) {
    std::string text;
    char hex[4];
    for (std::size_t i = 0; i < count; ++i) {
        std::snprintf(hex, sizeof hex, i == 0 ? "%02X" : " %02X", bytes[i]);
        text += hex;
    }
    return text;
}

std::string DescribeLine(const SimLineSettings& line) {
    static const char* const kParities[] = {"no parity", "odd parity", "even parity"};
    const bool known = line.parity >= 0 && line.parity <= 2;
    return std::to_string(line.baudRate) + " bit/s " + (known ? kParities[line.parity] : "?");
}

SimAnswer AnswerWithFaults(SimRadioState& state, const SimFaults& faults,
                           const SimRequestFrame& frame, std::size_t frameNumber) {
    const std::uint8_t command = frame[2];
    if (IsSilent(faults, command, frameNumber)) {
        return SimAnswer{{}, "no answer (silent)", std::nullopt};
    }
    if (const auto scripted = faults.replyFor.find(command); scripted != faults.replyFor.end()) {
        return SimAnswer{scripted->second, "scripted reply", std::nullopt};
    }
    const auto status = faults.statusFor.find(command);
    if (status != faults.statusFor.end() && status->second == kStatusRefused) {
        return SimAnswer{{0x55, 0xAA, kStatusRefused}, "refused on demand", std::nullopt};
    }
    SimAnswer answer = AnswerRequest(state, frame);
    if (status != faults.statusFor.end()) {
        answer.reply = {0x55, 0xAA, status->second};
        answer.note += ", answered with status " + StatusText(status->second);
        return answer;
    }
    DamageBlock(answer, command, faults);
    return answer;
}

}  // namespace radiosim
