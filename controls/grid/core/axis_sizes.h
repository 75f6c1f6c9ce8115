#pragma once
#include <QtGlobal>

#include <cstdint>
#include <vector>

namespace grid {

// The widths of the columns or the heights of the rows: a default size and
// runs of overridden sizes in a balanced tree, so that the offset of an index
// and the index at an offset take O(log n) whatever the count, and a count of
// a million costs one node.
class AxisSizes
{
public:
    explicit AxisSizes(int defaultSize);

    int Count() const;
    // Growing adds indices of the default size; shrinking drops the tail.
    void SetCount(int count);

    int DefaultSize() const { return default_; }
    // Every index takes the new default size.
    void SetDefaultSize(int size);

    // The size of index i; the default size outside 0 .. Count-1.
    int Size(int i) const;
    // The sizes of indices from .. from+n-1 in one walk over the runs.
    std::vector<int> Sizes(int from, int n) const;
    // Ignored outside 0 .. Count-1; negative sizes count as 0.
    void SetSize(int i, int size);

    // Sum of the sizes of the indices before i (i clamped to 0 .. Count).
    qint64 Offset(int i) const;
    qint64 Total() const;
    // The index whose span [Offset(i), Offset(i+1)) holds pos (indices of size
    // 0 hold nothing); -1 for a negative pos, Count at or past the total.
    int IndexAt(qint64 pos) const;

    // n new indices of the given size before index at (at clamped to 0 .. Count).
    void Insert(int at, int n, int size);
    // Removes n indices from at (clipped to the count).
    void Remove(int at, int n);
    // The size at from moves to to; those between shift by one.
    void Move(int from, int to);

private:
    struct Node
    {
        int left = -1;
        int right = -1;
        quint32 prio = 0;
        int len = 0;   // indices in this run
        int size = 0;  // size of each
        int count = 0; // indices in the subtree
        qint64 sum = 0;
    };

    int NewNode(int len, int size, quint32 prio);
    int NewNode(int len, int size);
    void FreeTree(int t);
    void Pull(int t);
    int CountOf(int t) const { return t < 0 ? 0 : nodes_[t].count; }
    qint64 SumOf(int t) const { return t < 0 ? 0 : nodes_[t].sum; }
    void Split(int t, int k, int& a, int& b);
    // Shortens the run holding index k so that a run starts at k; answers
    // the length cut off (0 when k starts a run already).
    int CutAt(int t, int k, int& size);
    // Makes k the start of a run (a real split point).
    void EnsureBoundary(int k);
    int Merge(int a, int b);
    quint32 NextPrio();

    std::vector<Node> nodes_;
    std::vector<int> free_;
    int root_ = -1;
    int default_;
    quint32 seed_ = 0x9E3779B9u;
};

} // namespace grid
