#pragma once

#include <string>
#include <vector>

#include "engine/win/transfer.h"
#include "platform/win/resource_string.h"

// A transfer with one of the saved presets, as the main window, the command
// line and the benchmark ask for it.
struct TransferRequest {
    int presetIndex = 0;
    // In the code page, as the extension button shows it; "*" lists every file.
    std::string extension = "*";
    // UTF-8, of any length; listed one after the other.
    std::vector<std::string> startPaths{};
    // The clipboard unless it names a file.
    TransferTarget target{};
    Messages messages = Messages::Shown;
};

// How a transfer with a preset ended.
enum class TransferOutcome {
    Delivered,   // the whole listing
    Incomplete,  // delivered, but some folders could not be read
    Failed,      // not delivered whole, or the window closed before the run began
};

// Reads the preset afresh from the registry and runs the transfer in the
// progress window, modal over the main window. Folders that could not be read
// are said in a message once the window has gone (unless quiet).
TransferOutcome RunPresetTransfer(const TransferRequest& request);
