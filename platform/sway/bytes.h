// Titles as the bytes they are. sway's replies carry each title as the client
// set it, and a title that is not UTF-8 (an XWayland client's Latin-1 WM_NAME)
// makes the reply JSON that no strict parser takes. Before parsing, each byte
// that is not part of well-formed UTF-8 becomes a stand-in code point; copying
// a title out maps each stand-in back to its byte.
#pragma once

#include <string>

#include "platform/linux/desktop.h"

namespace Sway {

// The reply as well-formed UTF-8 that a JSON parser reads as the reply.
std::string WithStandIns(const std::string& reply);

// The parsed name as the window's title: each stand-in its byte again, cut at
// 255 bytes.
void AssignTitle(const std::string& name, Desktop::Title& title);

}  // namespace Sway
