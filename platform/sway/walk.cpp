// EnumWindows under sway: one get_tree, then a walk over it that visits each
// container's children most recently focused first, so the windows come in
// sway's focus order; the scratchpad's hidden windows come after all others.
#include <algorithm>
#include <cstring>
#include <nlohmann/json.hpp>
#include <utility>
#include <vector>

#include "platform/sway/ipc.h"
#include "platform/sway/sway.h"
#include "platform/sway/walk.h"

namespace Sway {

namespace {

using Json = nlohmann::json;

constexpr int MaxDepth = 64;  // sway nests far less; a deeper tree is cut there

std::vector<ViewRecord> Walk;

// The member as an integer, or 0 when it is absent or of another type.
std::int64_t IdOf(const Json& node) {
    const auto id = node.find("id");
    return id != node.end() && id->is_number_integer() ? id->get<std::int64_t>() : 0;
}

const Json& ArrayAt(const Json& node, const char* name) {
    static const Json None = Json::array();
    const auto member = node.find(name);
    return member != node.end() && member->is_array() ? *member : None;
}

void AddView(const Json& node, bool hidden) {
    ViewRecord record;
    record.ConId = IdOf(node);
    const auto type = node.find("type");
    record.Floating =
        type != node.end() && type->is_string() && type->get_ref<const std::string&>() == "floating_con";
    record.Hidden = hidden;
    const auto name = node.find("name");
    if (name != node.end() && name->is_string()) {
        const std::string& title = name->get_ref<const std::string&>();
        record.Title.Assign(title.data(), title.size());
    }
    const std::string mark = TiledMark + std::to_string(record.ConId);
    const Json& marks = ArrayAt(node, "marks");
    record.WasTiled = std::find(marks.begin(), marks.end(), Json(mark)) != marks.end();
    Walk.push_back(record);
}

// A window is a container that a client owns: it has a process id.
void Visit(const Json& node, bool hidden, int depth) {
    if (!node.is_object() || depth > MaxDepth) {
        return;
    }
    const auto name = node.find("name");
    const auto type = node.find("type");
    if (type != node.end() && *type == "workspace" && name != node.end() && *name == "__i3_scratch") {
        hidden = true;
    }
    if (node.contains("pid")) {
        AddView(node, hidden);
        return;
    }
    // Each child with its place in the focus list; those sway does not list
    // come last, in their own order.
    const Json& focus = ArrayAt(node, "focus");
    std::vector<std::pair<std::ptrdiff_t, const Json*>> children;
    for (const char* list : {"nodes", "floating_nodes"}) {
        for (const Json& child : ArrayAt(node, list)) {
            const auto at = std::find(focus.begin(), focus.end(), Json(IdOf(child)));
            children.emplace_back(at - focus.begin(), &child);
        }
    }
    std::stable_sort(children.begin(), children.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& child : children) {
        Visit(*child.second, hidden, depth + 1);
    }
}

bool Connect() {
    return IpcConnect();
}

void Disconnect() {
    IpcDisconnect();
}

BOOL EnumWindows(WNDENUMPROC callback, LPARAM value) {
    // Only the members the walk reads are kept: the rest of sway's tree
    // (geometry, outputs, properties) is dropped as it is read.
    const auto kept = [](int, Json::parse_event_t event, Json& parsed) {
        static const char* const Names[] = {"id",    "type",  "name",  "pid",
                                            "marks", "focus", "nodes", "floating_nodes"};
        return event != Json::parse_event_t::key ||
               std::any_of(std::begin(Names), std::end(Names), [&](const char* n) { return parsed == n; });
    };
    const Json tree = Json::parse(IpcRequest(GetTree, ""), kept, false);
    Walk.clear();
    Visit(tree, false, 0);
    std::stable_partition(Walk.begin(), Walk.end(), [](const ViewRecord& record) { return !record.Hidden; });
    return Desktop::PresentEach(Walk, callback, value);
}

BOOL IsWindowVisible(HWND window) {
    return Desktop::RecordOf<ViewRecord>(window).Hidden ? 0 : 1;
}

const Desktop::Title& TitleOf(HWND window) {
    return Desktop::RecordOf<ViewRecord>(window).Title;
}

}  // namespace

const Desktop::Operations Operations = {Connect, Disconnect, EnumWindows, IsWindowVisible, TitleOf, ShowWindow};

}  // namespace Sway
