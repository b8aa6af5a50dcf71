#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <vector>

#include "Clock.h"
#include "RadioLink.h"
#include "TestNamespaces.h"

// A radio link whose far end follows a script in virtual time: each frame sent takes
// the next scripted answer, whose parts arrive at their delays after the frame.
// A frame without a scripted answer goes to the responder, if any, else meets silence.
class CScriptedLink final : public IRadioLink {
public:
    struct Part {
        std::chrono::milliseconds delay;
        std::vector<std::uint8_t> bytes;
    };
    struct Sent {
        std::chrono::milliseconds time;
        std::vector<std::uint8_t> bytes;
    };

    explicit CScriptedLink(const IClock& clock) : m_clock(clock) {}

    // The answer to the next unanswered frame, in parts.
    void Answer(std::vector<Part> parts) { m_script.push_back(std::move(parts)); }
    // One whole answer at once, after delay.
    void Answer(std::vector<std::uint8_t> bytes,
                std::chrono::milliseconds delay = std::chrono::milliseconds(0)) {
        Answer(std::vector<Part>{{delay, std::move(bytes)}});
    }
    using Responder = std::function<std::vector<Part>(const std::vector<std::uint8_t>& sent)>;
    void SetResponder(Responder responder) { m_responder = std::move(responder); }
    // Bytes that are on the line before anything is sent.
    void Arrive(std::vector<std::uint8_t> bytes) { m_arriving.push_back({m_clock.Now(), bytes}); }

    const std::vector<Sent>& SentFrames() const { return m_sent; }

    int Send(const std::uint8_t* bytes, int length) override;
    int PendingInput() override;
    int Read(std::uint8_t* buffer, int limit) override;

private:
    void Deliver();

    const IClock& m_clock;
    std::deque<std::vector<Part>> m_script;
    Responder m_responder;
    std::vector<Sent> m_arriving;  // time of arrival and bytes, in order
    std::deque<std::uint8_t> m_queued;
    std::vector<Sent> m_sent;
};
