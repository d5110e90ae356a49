// The listing script's answer read, apart from the bus: any bytes may be
// handed in.
#pragma once

#include <string>
#include <vector>

#include "platform/kwin/walk.h"

namespace KWin {

// The windows of the answer, in its order. False, with no windows, when it is
// not a JSON array; an entry without an id is passed over.
bool ReadList(const std::string& reply, std::vector<KWinRecord>& records);

}  // namespace KWin
