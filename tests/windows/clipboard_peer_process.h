#pragma once

// Another program on the clipboard: clipboard_peer.exe, started from beside the
// test program, reading, holding or filling the clipboard.

#include <windows.h>

#include <string>
#include <string_view>

// Bytes as lower-case hex, the form in which clipboard_peer prints them.
std::string Hex(std::string_view bytes);

// A clipboard_peer process; the destructor waits for its end. Its standard
// output goes to `output` when given.
class Peer {
public:
    explicit Peer(const std::string& arguments, HANDLE output = nullptr);
    ~Peer();
    Peer(const Peer&) = delete;
    Peer& operator=(const Peer&) = delete;

    bool Started() const { return started_; }
    HANDLE Process() const { return process_.hProcess; }

    // True when the peer ended in time, successfully.
    bool Succeeded();

private:
    bool started_ = false;
    PROCESS_INFORMATION process_{};
};

// What another process finds on the clipboard: all bytes of the CF_TEXT block
// in hex, "none" without text, or "failed".
std::string TextSeenByAnotherProcess();

// Leaves a bitmap alone on the clipboard, placed by another process; true when
// that worked.
bool BitmapPlacedByAnotherProcess();

// A clipboard_peer that holds the clipboard open, with a window of its own,
// until Release or the end of the scope.
class PeerHoldingTheClipboard {
public:
    PeerHoldingTheClipboard();
    ~PeerHoldingTheClipboard();
    PeerHoldingTheClipboard(const PeerHoldingTheClipboard&) = delete;
    PeerHoldingTheClipboard& operator=(const PeerHoldingTheClipboard&) = delete;

    // True once the peer holds the clipboard open.
    bool Holds();

    // Lets the peer close the clipboard; true when it did so and ended.
    bool Release();

private:
    HANDLE held_;
    HANDLE release_;
    Peer peer_;
};
