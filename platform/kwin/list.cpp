#include "platform/kwin/list.h"

#include <algorithm>
#include <nlohmann/json.hpp>

namespace KWin {

namespace {

using Json = nlohmann::json;

bool FlagOf(const Json& window, const char* name) {
    const auto flag = window.find(name);
    return flag != window.end() && flag->is_boolean() && flag->get<bool>();
}

// Copies a string member into a bounded buffer; empty when it is absent.
std::size_t CopyText(const Json& window, const char* name, char* buffer, std::size_t capacity) {
    const auto member = window.find(name);
    if (member == window.end() || !member->is_string()) {
        return 0;
    }
    const std::string& text = member->get_ref<const std::string&>();
    const std::size_t length = std::min(text.size(), capacity - 1);
    std::copy_n(text.data(), length, buffer);
    return length;
}

}  // namespace

bool ReadList(const std::string& reply, std::vector<KWinRecord>& records) {
    const Json list = Json::parse(reply, nullptr, false);
    records.clear();
    if (!list.is_array()) {
        return false;
    }
    for (const Json& window : list) {
        KWinRecord record;
        if (!window.is_object() || CopyText(window, "id", record.Id, sizeof record.Id) == 0) {
            continue;
        }
        record.Title.Length = CopyText(window, "title", record.Title.Bytes, sizeof record.Title.Bytes);
        record.Minimised = FlagOf(window, "minimised");
        record.SkipTaskbar = FlagOf(window, "taskbar");
        record.SkipPager = FlagOf(window, "pager");
        record.SkipSwitcher = FlagOf(window, "switcher");
        records.push_back(record);
    }
    return true;
}

}  // namespace KWin
