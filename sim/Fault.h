#pragma once

// A misbehaviour of the sensor, injected on demand to exercise the master's error paths.
struct Fault {
    enum class Kind {
        None,       // a correct reply
        NoReply,    // the request is neither carried out nor answered
        Corrupt,    // the request is carried out; one byte of the reply is damaged on the line
        Exception,  // the request is refused with exception code Argument
        Late,       // the request is carried out and answered Argument ms after it arrived
        Surplus,    // the request is carried out; Argument zero bytes follow the reply
    };

    Kind Type = Kind::None;
    unsigned Argument = 0;
};
