#include "devtools/frame_tree.h"

#include <algorithm>
#include <set>

namespace orvex::devtools {

FrameRecord& FrameTree::ensure(const std::string& frameId, const std::string& parentId,
                               const std::string& windowId) {
    auto [it, inserted] = m_frames.try_emplace(frameId);
    FrameRecord& frame = it->second;
    if (inserted) {
        frame.info.frameId = frameId;
        frame.info.windowId = windowId;
    }
    if (!parentId.empty() && frame.info.parentFrameId.empty() && parentId != frameId) {
        frame.info.parentFrameId = parentId;
    }
    if (!frame.info.parentFrameId.empty()) {
        const auto parent = m_frames.find(frame.info.parentFrameId);
        if (parent != m_frames.end()) {
            auto& children = parent->second.children;
            if (std::find(children.begin(), children.end(), frameId) == children.end())
                children.push_back(frameId);
        }
    }
    return frame;
}

FrameRecord* FrameTree::find(const std::string& frameId) {
    const auto it = m_frames.find(frameId);
    return it != m_frames.end() ? &it->second : nullptr;
}

const FrameRecord* FrameTree::find(const std::string& frameId) const {
    const auto it = m_frames.find(frameId);
    return it != m_frames.end() ? &it->second : nullptr;
}

void FrameTree::remove(const std::string& frameId) {
    const auto frame = m_frames.find(frameId);
    if (frame == m_frames.end()) return;
    if (const auto parent = m_frames.find(frame->second.info.parentFrameId); parent != m_frames.end()) {
        std::erase(parent->second.children, frameId);
    }
    // Iterative: a page decides how deep its frames nest.
    std::vector<std::string> pending{frameId};
    while (!pending.empty()) {
        const std::string id = pending.back();
        pending.pop_back();
        const auto it = m_frames.find(id);
        if (it == m_frames.end()) continue;
        for (const auto& child : it->second.children) pending.push_back(child);
        m_frames.erase(it);
    }
}

void FrameTree::removeWindow(const std::string& windowId) {
    std::erase_if(m_frames, [&](const auto& entry) { return entry.second.info.windowId == windowId; });
}

void FrameTree::moveSession(const std::string& from, const std::string& to) {
    for (auto& [id, frame] : m_frames) {
        if (frame.sessionId == from) frame.sessionId = to;
    }
}

std::vector<FrameInfo> FrameTree::framesOf(const std::string& windowId) const {
    std::vector<FrameInfo> result;
    if (m_frames.find(windowId) == m_frames.end()) return result;
    std::set<std::string> seen;
    std::vector<std::string> pending{windowId};
    while (!pending.empty()) {
        const std::string id = pending.back();
        pending.pop_back();
        const auto it = m_frames.find(id);
        if (it == m_frames.end() || !seen.insert(id).second) continue;
        result.push_back(it->second.info);
        const auto& children = it->second.children;
        for (auto child = children.rbegin(); child != children.rend(); ++child) pending.push_back(*child);
    }
    return result;
}

std::string FrameTree::sessionOf(const std::string& frameId) const {
    const FrameRecord* frame = find(frameId);
    return frame != nullptr ? frame->sessionId : std::string();
}

}  // namespace orvex::devtools
