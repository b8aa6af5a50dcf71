#pragma once

namespace radiosetup {

// What a judge made of a reply. Each conversation has its own judge, because the radio
// answers each request kind in its own way:
//  - the main window's status operations read byte 2 of whatever came (the parameter
//    write and the switches take anything but FF, mode and ANI only their listed codes);
//  - connect and the search's probe take only exactly 55 AA 00/11/22, so that a line at
//    the wrong rate, which garbles or splits the reply, never counts as found;
//  - the multi-channel acknowledgement needs 55 AA 00 at the start and ignores the rest;
//  - the radio-port dialog reads the status at offset 2 of any answer, zero when short,
//    because the radio changes its line right after answering.
enum class ReplyVerdict {
    Accepted,
    Refused,      // the radio answered with a refusal
    Silent,       // nothing came in time
    Short,        // fewer bytes than the answer needs
    BadChecksum,  // a parameter block whose checksum does not match
    Unexpected,   // bytes that are no answer to this request
};

// A short English name for traces and logs.
const char* VerdictName(ReplyVerdict verdict);

}  // namespace radiosetup
