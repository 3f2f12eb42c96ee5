// Rounds of the client's own receiving turns (ProcessData: budgeted passes, reading held back
// while the backlog is full) over a real loopback connection through the socket control: once
// with the frames already in the receive buffer, and once offered by a peer as fast as the
// socket takes them, so that only backpressure holds the peer back.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace bench {

struct FedRound {
    double ms = 0;           // until every byte was received and every frame handled
    double longest = 0;      // the longest time between two turns of the message loop
    size_t mostWaiting = 0;  // the most bytes that waited for the dispatcher at a turn
    uint64_t handed = 0;     // the frames the passes handed on
    bool complete = false;   // every byte came and nothing was left
};

class SocketFedRounds {
public:
    // Registers the control, listens on loopback and connects to itself; false when it cannot.
    bool Open();
    SocketFedRounds();
    ~SocketFedRounds();
    SocketFedRounds(const SocketFedRounds&) = delete;
    SocketFedRounds& operator=(const SocketFedRounds&) = delete;

    // The wire put into the receive buffer and handled in the client's turns.
    FedRound Preloaded(const std::string& wire);
    // The wire sent by the peer thread, read and handled as the client reads and handles.
    FedRound Offered(const std::string& wire);

private:
    struct Parts;
    std::unique_ptr<Parts> parts_;
};

}  // namespace bench
