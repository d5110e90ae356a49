// The walk over sway's tree visits each container's children most recently
// focused first, so the windows come in sway's focus order; the scratchpad's
// hidden windows come after all others.
#include "platform/sway/reply.h"

#include <algorithm>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <utility>

#include "platform/sway/bytes.h"

namespace Sway {

namespace {

using Json = nlohmann::json;

constexpr int MaxDepth = 64;  // sway nests far less; a deeper tree is cut there

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

ViewRecord ViewOf(const Json& node, bool hidden) {
    ViewRecord record;
    record.ConId = IdOf(node);
    const auto type = node.find("type");
    record.Floating =
        type != node.end() && type->is_string() && type->get_ref<const std::string&>() == "floating_con";
    record.Hidden = hidden;
    const auto name = node.find("name");
    if (name != node.end() && name->is_string()) {
        AssignTitle(name->get_ref<const std::string&>(), record.Title);
    }
    const std::string mark = TiledMark + std::to_string(record.ConId);
    const Json& marks = ArrayAt(node, "marks");
    record.WasTiled = std::find(marks.begin(), marks.end(), Json(mark)) != marks.end();
    return record;
}

// A window is a container that a client owns: it has a process id.
void Visit(const Json& node, bool hidden, int depth, std::vector<ViewRecord>& records) {
    if (!node.is_object() || depth > MaxDepth) {
        return;
    }
    const auto name = node.find("name");
    const auto type = node.find("type");
    if (type != node.end() && *type == "workspace" && name != node.end() && *name == "__i3_scratch") {
        hidden = true;
    }
    if (node.contains("pid")) {
        records.push_back(ViewOf(node, hidden));
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
        Visit(*child.second, hidden, depth + 1, records);
    }
}

Json Parsed(const std::string& reply, const Json::parser_callback_t& kept = nullptr) {
    return Json::parse(WithStandIns(reply), kept, false);
}

}  // namespace

bool ReadTree(const std::string& reply, std::vector<ViewRecord>& records) {
    // Only the members the walk reads are kept: the rest of sway's tree
    // (geometry, outputs, properties) is dropped as it is read.
    const auto kept = [](int, Json::parse_event_t event, Json& parsed) {
        static const char* const Names[] = {"id",    "type",  "name",  "pid",
                                            "marks", "focus", "nodes", "floating_nodes"};
        return event != Json::parse_event_t::key ||
               std::any_of(std::begin(Names), std::end(Names), [&](const char* n) { return parsed == n; });
    };
    const Json tree = Parsed(reply, kept);
    records.clear();
    Visit(tree, false, 0, records);
    std::stable_partition(records.begin(), records.end(),
                          [](const ViewRecord& record) { return !record.Hidden; });
    return tree.is_object();
}

bool IsVersion(const std::string& reply) {
    const Json version = Parsed(reply);
    return version.is_object() && version.contains("major");
}

bool IsCommandReply(const std::string& reply) {
    return Parsed(reply).is_array();
}

}  // namespace Sway
