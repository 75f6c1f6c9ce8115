#pragma once

// Fakes of the tree core's services, a tree that opens its protected operations to tests, an event log and
// a checker that recomputes every stored counter from the raw node links.

#include "controls/tree/core/lazy_tree.h"

#include "tree_check.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace tree_test {

using namespace lazytree;

// A view whose client area and scroll bars behave like the platform's; calls are logged when asked.
class FakeView : public TreeView {
public:
    int width = 200;
    int height = 100;
    bool focused = false;
    std::vector<std::string>* log = nullptr;
    int invalidations = 0;
    std::vector<TRect> invalidatedRects;
    TreeView::ScrollBarState bars[2];

    int ClientWidth() const override { return width; }
    int ClientHeight() const override { return height; }
    void Invalidate() override
    {
        ++invalidations;
        Log("Invalidate");
    }
    void InvalidateRect(const TRect& r) override { invalidatedRects.push_back(r); }
    int SetScrollBar(TScrollBarKind bar, const ScrollBarState& state) override
    {
        bars[bar] = state;
        const int maxPosition = std::max(0, state.RangeMax - state.Page + 1);
        bars[bar].Position = std::clamp(state.Position, 0, maxPosition);
        return bars[bar].Position;
    }
    void SetRedrawSuspended(bool suspend) override { Log(suspend ? "RedrawOff" : "RedrawOn"); }
    bool HasFocus() const override { return focused; }

    // Input services.
    bool canFocus = false;
    bool cursorKnown = false;
    TPoint cursor;
    int wheelLines = 3;
    int dragThreshold = 4;
    int beeps = 0;
    int drags = 0;
    bool panningShown = false;
    TPanningImage panningImage = piMoveAll;
    TPanningCursor panningCursor = pcMoveAll;
    bool CanFocus() const override { return canFocus; }
    void SetFocus() override { focused = true; }
    bool CursorPosition(TPoint& client) const override
    {
        client = cursor;
        return cursorKnown;
    }
    int DragThreshold() const override { return dragThreshold; }
    int WheelScrollLines() const override { return wheelLines; }
    void Beep() override { ++beeps; }
    void BeginDrag() override { ++drags; }
    void ShowPanningWindow(TPoint, TPanningImage image) override
    {
        panningShown = true;
        panningImage = image;
    }
    void HidePanningWindow() override { panningShown = false; }
    void SetPanningCursor(TPanningCursor c) override { panningCursor = c; }
    void Log(const std::string& entry)
    {
        if (log)
            log->push_back(entry);
    }
};

// A clock the test moves by hand; due timers fire in deadline order.
class FakeClock : public TreeClock {
public:
    explicit FakeClock(TBaseLazyTree* tree = nullptr) : tree_(tree) {}
    void SetTree(TBaseLazyTree* tree) { tree_ = tree; }
    uint32_t Milliseconds() override { return now_; }
    void StartTimer(int id, uint32_t intervalMs) override
    {
        timers_[id] = now_ + intervalMs;
        starts.push_back({id, intervalMs});
    }
    void StopTimer(int id) override { timers_.erase(id); }
    bool Running(int id) const { return timers_.count(id) > 0; }
    uint32_t Now() const { return now_; }
    // Moves the clock by ms, firing every timer that falls due on the way.
    void Advance(uint32_t ms)
    {
        const uint32_t end = now_ + ms;
        for (;;) {
            auto next = std::min_element(timers_.begin(), timers_.end(),
                [](const auto& a, const auto& b) { return a.second < b.second; });
            if (next == timers_.end() || next->second > end)
                break;
            now_ = std::max(now_, next->second);
            const int id = next->first;
            timers_.erase(next);
            tree_->TimerFired(id);
        }
        now_ = end;
    }
    // Runs timers until none is left (each at its deadline), plus `lateness` ms per expiry.
    void RunAll(uint32_t lateness = 0)
    {
        while (!timers_.empty()) {
            auto next = std::min_element(timers_.begin(), timers_.end(),
                [](const auto& a, const auto& b) { return a.second < b.second; });
            now_ = std::max(now_, next->second) + lateness;
            const int id = next->first;
            timers_.erase(next);
            tree_->TimerFired(id);
        }
    }
    std::vector<std::pair<int, uint32_t>> starts;

private:
    TBaseLazyTree* tree_;
    uint32_t now_ = 1000;
    std::map<int, uint32_t> timers_;
};

// Every node's content is `width` pixels wide unless set per node.
class FakeMeasurer : public ContentMeasurer {
public:
    int width = 40;
    int fontHeight = 13;
    std::map<TImageSlot, TSize> images;
    std::map<PLazyNode, int> widths;
    int measured = 0; // content widths asked for
    int NodeContentWidth(TBaseLazyTree&, PLazyNode node, TColumnIndex) override
    {
        ++measured;
        auto it = widths.find(node);
        return it == widths.end() ? width : it->second;
    }
    int FontHeight() override { return fontHeight; }
    TSize ImageSize(TImageSlot slot) override
    {
        auto it = images.find(slot);
        return it == images.end() ? TSize{} : it->second;
    }
};

// Opens the protected operations the tests drive directly.
class TestTree : public TBaseLazyTree {
public:
    using TBaseLazyTree::AddNodeToSelection;
    using TBaseLazyTree::AnchorRangeAtFocus;
    using TBaseLazyTree::CacheEntryCount;
    using TBaseLazyTree::CompareNodeOrder;
    using TBaseLazyTree::DeselectRange;
    using TBaseLazyTree::FindInSelection;
    using TBaseLazyTree::FireFocusChanging;
    using TBaseLazyTree::GetInternalData;
    using TBaseLazyTree::LevelDifference;
    using TBaseLazyTree::MarkDeselected;
    using TBaseLazyTree::MergeIntoSelection;
    using TBaseLazyTree::MoveFocus;
    using TBaseLazyTree::PositionCache;
    using TBaseLazyTree::ReserveInternalData;
    using TBaseLazyTree::SelectRange;
    using TBaseLazyTree::StartCacheValidation;
    using TBaseLazyTree::StopCacheValidation;
    using TBaseLazyTree::TempNodeCacheLength;
    using TBaseLazyTree::AppendToTempCache;
    using TBaseLazyTree::ToggleRangeSelection;
    using TBaseLazyTree::UnlinkNode;
    using TBaseLazyTree::ValidateCacheIfQueued;
    using TBaseLazyTree::FireGetNodeDataSize;
    using TBaseLazyTree::ComputeCellContentMargin;
    using TBaseLazyTree::ApplyClickSelection;
    using TBaseLazyTree::ComputeScrollDirections;
    using TBaseLazyTree::IncrementalSearchKey;
    using TBaseLazyTree::UpdateBandRect;

    std::function<void(THitInfo&, int, int)> classify;

protected:
    void ClassifyHitLeftToRight(THitInfo& hitInfo, int x, int right, TAlignment alignment) override
    {
        if (classify)
            classify(hitInfo, x, right);
        else
            TBaseLazyTree::ClassifyHitLeftToRight(hitInfo, x, right, alignment);
    }
};

// Events as text, for order checks.
struct EventLog {
    std::vector<std::string> entries;
    std::map<PLazyNode, std::string> names;

    std::string Name(PLazyNode node) const
    {
        if (!node)
            return "nil";
        auto it = names.find(node);
        return it == names.end() ? "?" : it->second;
    }
    void Add(const std::string& s) { entries.push_back(s); }
    std::string Joined() const
    {
        std::string result;
        for (const auto& e : entries)
            result += (result.empty() ? "" : " ") + e;
        return result;
    }
    void Clear() { entries.clear(); }
};

inline const char* ReasonName(TChangeReason reason)
{
    static const char* const kNames[] = {
        "crIgnore", "crAccumulated", "crChildAdded", "crChildDeleted", "crNodeAdded", "crNodeCopied", "crNodeMoved"};
    return kNames[reason];
}

// Builds nodes from a compact shape: "A(a1 a2(x) a3) B" makes top-level A with three children, one of
// which has a child, and top-level B. Names go to the log.
inline void BuildShape(TBaseLazyTree& tree, const std::string& shape, EventLog& log)
{
    std::vector<PLazyNode> parents{nullptr};
    std::string name;
    PLazyNode last = nullptr;
    const auto flush = [&] {
        if (name.empty())
            return;
        last = tree.AddChild(parents.back());
        log.names[last] = name;
        name.clear();
    };
    for (char ch : shape) {
        if (ch == '(') {
            flush();
            parents.push_back(last);
        } else if (ch == ')') {
            flush();
            parents.pop_back();
        } else if (ch == ' ') {
            flush();
        } else {
            name += ch;
        }
    }
    flush();
}

inline PLazyNode Named(const EventLog& log, const std::string& name)
{
    for (const auto& [node, n] : log.names)
        if (n == name)
            return node;
    return nullptr;
}

} // namespace tree_test
