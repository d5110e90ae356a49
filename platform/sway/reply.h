// sway's JSON replies read, apart from the socket: any bytes may be handed in.
#pragma once

#include <string>
#include <vector>

#include "platform/sway/walk.h"

namespace Sway {

// The windows of a get_tree reply in the walk's order: sway's focus order,
// those in the scratchpad last. False, with no windows, when the reply is not
// a JSON object.
bool ReadTree(const std::string& reply, std::vector<ViewRecord>& records);

// get_version's reply: an object with the major version.
bool IsVersion(const std::string& reply);

// A command's reply: an array of results, one per command. A command that
// failed still gets one (a window closed since the walk has "no matching node").
bool IsCommandReply(const std::string& reply);

}  // namespace Sway
