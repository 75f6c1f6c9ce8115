#include "controls/grid/core/axis_sizes.h"

#include <algorithm>

namespace grid {

AxisSizes::AxisSizes(int defaultSize) : default_(std::max(0, defaultSize)) {}

quint32 AxisSizes::NextPrio()
{
    seed_ ^= seed_ << 13;
    seed_ ^= seed_ >> 17;
    seed_ ^= seed_ << 5;
    return seed_;
}

int AxisSizes::NewNode(int len, int size, quint32 prio)
{
    int id;
    if (!free_.empty()) {
        id = free_.back();
        free_.pop_back();
    } else {
        id = static_cast<int>(nodes_.size());
        nodes_.emplace_back();
    }
    Node& n = nodes_[id];
    n = Node{};
    n.len = len;
    n.size = size;
    n.prio = prio;
    Pull(id);
    return id;
}

int AxisSizes::NewNode(int len, int size)
{
    return NewNode(len, size, NextPrio());
}

void AxisSizes::FreeTree(int t)
{
    // Iterative, so a deep tree cannot exhaust the stack.
    std::vector<int> stack;
    if (t >= 0)
        stack.push_back(t);
    while (!stack.empty()) {
        const int n = stack.back();
        stack.pop_back();
        if (nodes_[n].left >= 0)
            stack.push_back(nodes_[n].left);
        if (nodes_[n].right >= 0)
            stack.push_back(nodes_[n].right);
        free_.push_back(n);
    }
}

std::vector<int> AxisSizes::Sizes(int from, int n) const
{
    std::vector<int> out(size_t(std::max(0, n)), default_);
    const qint64 end = qint64(from) + std::max(0, n);
    // Depth-first over the subtrees that meet the range: (node, first index).
    std::vector<std::pair<int, int>> stack;
    if (root_ >= 0)
        stack.push_back({root_, 0});
    while (!stack.empty()) {
        const auto [t, base] = stack.back();
        stack.pop_back();
        const Node& node = nodes_[size_t(t)];
        if (base >= end || qint64(base) + node.count <= from)
            continue;
        const int runStart = base + CountOf(node.left);
        const qint64 lo = std::max<qint64>(runStart, from);
        const qint64 hi = std::min<qint64>(qint64(runStart) + node.len, end);
        for (qint64 i = lo; i < hi; ++i)
            out[size_t(i - from)] = node.size;
        if (node.left >= 0)
            stack.push_back({node.left, base});
        if (node.right >= 0)
            stack.push_back({node.right, runStart + node.len});
    }
    return out;
}

void AxisSizes::Pull(int t)
{
    Node& n = nodes_[t];
    n.count = n.len + CountOf(n.left) + CountOf(n.right);
    n.sum = qint64(n.len) * n.size + SumOf(n.left) + SumOf(n.right);
}

void AxisSizes::Split(int t, int k, int& a, int& b)
{
    if (t < 0) {
        a = b = -1;
        return;
    }
    const int leftCount = CountOf(nodes_[t].left);
    const int len = nodes_[t].len;
    if (k <= leftCount) {
        int l = -1;
        Split(nodes_[t].left, k, a, l);
        nodes_[t].left = l;
        Pull(t);
        b = t;
    } else if (k >= leftCount + len) {
        int r = -1;
        Split(nodes_[t].right, k - leftCount - len, r, b);
        nodes_[t].right = r;
        Pull(t);
        a = t;
    } else {
        // Callers cut runs at the split point first (EnsureBoundary); should
        // a cut still fall inside a run, the rest keeps this node's priority,
        // which keeps the heap order.
        const int keep = k - leftCount;
        const int rest = NewNode(len - keep, nodes_[t].size, nodes_[t].prio);
        nodes_[rest].right = nodes_[t].right;
        Pull(rest);
        nodes_[t].right = -1;
        nodes_[t].len = keep;
        Pull(t);
        a = t;
        b = rest;
    }
}

int AxisSizes::CutAt(int t, int k, int& size)
{
    if (t < 0)
        return 0;
    const int leftCount = CountOf(nodes_[t].left);
    int cut;
    if (k < leftCount) {
        cut = CutAt(nodes_[t].left, k, size);
    } else if (k < leftCount + nodes_[t].len) {
        const int inside = k - leftCount;
        if (inside == 0)
            return 0;
        cut = nodes_[t].len - inside;
        size = nodes_[t].size;
        nodes_[t].len = inside;
    } else {
        cut = CutAt(nodes_[t].right, k - leftCount - nodes_[t].len, size);
    }
    Pull(t);
    return cut;
}

void AxisSizes::EnsureBoundary(int k)
{
    if (k <= 0 || k >= Count())
        return;
    int size = default_;
    const int cut = CutAt(root_, k, size);
    if (cut <= 0)
        return;
    // The cut-off tail goes back in as a node of its own with a fresh
    // priority: a plain insertion at a run boundary.
    int a = -1, b = -1;
    Split(root_, k, a, b);
    root_ = Merge(Merge(a, NewNode(cut, size)), b);
}

int AxisSizes::Merge(int a, int b)
{
    if (a < 0)
        return b;
    if (b < 0)
        return a;
    if (nodes_[a].prio >= nodes_[b].prio) {
        const int r = Merge(nodes_[a].right, b);
        nodes_[a].right = r;
        Pull(a);
        return a;
    }
    const int l = Merge(a, nodes_[b].left);
    nodes_[b].left = l;
    Pull(b);
    return b;
}

int AxisSizes::Count() const
{
    return CountOf(root_);
}

void AxisSizes::SetCount(int count)
{
    count = std::max(0, count);
    const int old = Count();
    if (count > old) {
        root_ = Merge(root_, NewNode(count - old, default_));
    } else if (count < old) {
        EnsureBoundary(count);
        int a = -1, b = -1;
        Split(root_, count, a, b);
        FreeTree(b);
        root_ = a;
    }
}

void AxisSizes::SetDefaultSize(int size)
{
    default_ = std::max(0, size);
    const int count = Count();
    FreeTree(root_);
    nodes_.clear();
    free_.clear();
    root_ = count > 0 ? NewNode(count, default_) : -1;
}

int AxisSizes::Size(int i) const
{
    if (i < 0 || i >= Count())
        return default_;
    int t = root_;
    while (t >= 0) {
        const Node& n = nodes_[t];
        const int leftCount = CountOf(n.left);
        if (i < leftCount) {
            t = n.left;
        } else if (i < leftCount + n.len) {
            return n.size;
        } else {
            i -= leftCount + n.len;
            t = n.right;
        }
    }
    return default_;
}

void AxisSizes::SetSize(int i, int size)
{
    if (i < 0 || i >= Count())
        return;
    size = std::max(0, size);
    if (Size(i) == size)
        return;
    EnsureBoundary(i);
    EnsureBoundary(i + 1);
    int a = -1, b = -1, m = -1, c = -1;
    Split(root_, i, a, b);
    Split(b, 1, m, c);
    nodes_[m].size = size;
    Pull(m);
    root_ = Merge(Merge(a, m), c);
}

qint64 AxisSizes::Offset(int i) const
{
    i = std::clamp(i, 0, Count());
    qint64 sum = 0;
    int t = root_;
    while (t >= 0 && i > 0) {
        const Node& n = nodes_[t];
        const int leftCount = CountOf(n.left);
        if (i <= leftCount) {
            t = n.left;
        } else if (i <= leftCount + n.len) {
            return sum + SumOf(n.left) + qint64(i - leftCount) * n.size;
        } else {
            sum += SumOf(n.left) + qint64(n.len) * n.size;
            i -= leftCount + n.len;
            t = n.right;
        }
    }
    return sum;
}

qint64 AxisSizes::Total() const
{
    return SumOf(root_);
}

int AxisSizes::IndexAt(qint64 pos) const
{
    if (pos < 0)
        return -1;
    if (pos >= Total())
        return Count();
    int base = 0;
    int t = root_;
    while (t >= 0) {
        const Node& n = nodes_[t];
        const qint64 leftSum = SumOf(n.left);
        if (pos < leftSum) {
            t = n.left;
            continue;
        }
        pos -= leftSum;
        const qint64 runSum = qint64(n.len) * n.size;
        if (pos < runSum)
            return base + CountOf(n.left) + static_cast<int>(pos / n.size);
        pos -= runSum;
        base += CountOf(n.left) + n.len;
        t = n.right;
    }
    return Count();
}

void AxisSizes::Insert(int at, int n, int size)
{
    if (n <= 0)
        return;
    at = std::clamp(at, 0, Count());
    EnsureBoundary(at);
    int a = -1, b = -1;
    Split(root_, at, a, b);
    root_ = Merge(Merge(a, NewNode(n, std::max(0, size))), b);
}

void AxisSizes::Remove(int at, int n)
{
    const int count = Count();
    if (n <= 0 || at < 0 || at >= count)
        return;
    n = std::min(n, count - at);
    EnsureBoundary(at);
    EnsureBoundary(at + n);
    int a = -1, b = -1, m = -1, c = -1;
    Split(root_, at, a, b);
    Split(b, n, m, c);
    FreeTree(m);
    root_ = Merge(a, c);
}

void AxisSizes::Move(int from, int to)
{
    const int count = Count();
    if (from == to || from < 0 || to < 0 || from >= count || to >= count)
        return;
    const int size = Size(from);
    Remove(from, 1);
    Insert(to, 1, size);
}

} // namespace grid
