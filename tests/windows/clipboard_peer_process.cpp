#include "clipboard_peer_process.h"

#include "clipboard_wait.h"

namespace {

constexpr DWORD kTimeoutMs = 20000;

std::string PeerCommand(const std::string& arguments) {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string command(path, length);
    command.erase(command.find_last_of('\\') + 1);
    return '"' + command + "clipboard_peer.exe\" " + arguments;
}

std::string EventName(const char* what) {
    return "DovrinClipboardPeer-" + std::string(what) + '-' + std::to_string(GetCurrentProcessId());
}

HANDLE NewEvent(const char* what) { return CreateEventA(nullptr, TRUE, FALSE, EventName(what).c_str()); }

}  // namespace

std::string Hex(std::string_view bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string hex;
    for (unsigned char byte : bytes) {
        hex += digits[byte >> 4];
        hex += digits[byte & 0xF];
    }
    return hex;
}

Peer::Peer(const std::string& arguments, HANDLE output) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (output) {
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = output;
        startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    }
    std::string command = PeerCommand(arguments);
    started_ = CreateProcessA(nullptr, command.data(), nullptr, nullptr, output != nullptr, 0, nullptr, nullptr,
                              &startup, &process_) != FALSE;
    if (started_) CloseHandle(process_.hThread);
}

Peer::~Peer() {
    if (!started_) return;
    WaitWithMessages({process_.hProcess}, kTimeoutMs);
    CloseHandle(process_.hProcess);
}

bool Peer::Succeeded() {
    DWORD code = 1;
    return started_ && WaitWithMessages({process_.hProcess}, kTimeoutMs) == 0 &&
           GetExitCodeProcess(process_.hProcess, &code) && code == 0;
}

std::string TextSeenByAnotherProcess() {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE read = nullptr, write = nullptr;
    if (!CreatePipe(&read, &write, &inherit, 1 << 16)) return "failed";
    SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
    bool succeeded;
    {
        Peer peer("dump", write);
        CloseHandle(write);
        succeeded = peer.Succeeded();
    }
    std::string output;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(read, buffer, sizeof buffer, &got, nullptr) && got > 0) output.append(buffer, got);
    CloseHandle(read);
    if (!succeeded) return "failed";
    output.erase(output.find_last_not_of("\r\n") + 1);
    return output;
}

bool BitmapPlacedByAnotherProcess() { return Peer("bitmap").Succeeded(); }

PeerHoldingTheClipboard::PeerHoldingTheClipboard()
    : held_(NewEvent("held")), release_(NewEvent("release")),
      peer_("hold " + EventName("held") + ' ' + EventName("release")) {}

PeerHoldingTheClipboard::~PeerHoldingTheClipboard() {
    SetEvent(release_);
    CloseHandle(release_);
    CloseHandle(held_);
}

bool PeerHoldingTheClipboard::Holds() {
    return peer_.Started() && WaitWithMessages({held_, peer_.Process()}, kTimeoutMs) == 0;
}

bool PeerHoldingTheClipboard::Release() {
    SetEvent(release_);
    return peer_.Succeeded();
}
