#pragma once

// One background thread, shared by all trees of the process, that builds position caches. It works only
// while the GUI thread lets it (Resume: the GUI thread is about to wait for events; Pause: the GUI thread
// is about to run code), so it never walks a tree the GUI thread is changing. Finished caches wait until
// the GUI thread takes them (DeliverResults, or TakeResult at a lookup; an optional poster is told when one
// is ready), and a tree takes one only when it did not change meanwhile. Removing a tree waits on a condition variable until the worker has left it.

#include "controls/tree/core/lazy_tree.h"

#include <cstdint>
#include <functional>

namespace lazytree {

class TValidationWorker {
public:
    // Every tree: the thread exists while at least one tree does.
    static void Acquire();
    static void Release();

    // Queues a tree (once) for a cache built as of `generation`.
    static void AddTree(TBaseLazyTree* tree, uint64_t generation);
    // Takes a tree out of the queue and out of the finished results; waits while the worker is on it.
    static void RemoveTree(TBaseLazyTree* tree);

    // The GUI thread is about to run code: a running validation stops (and is queued again) and the
    // worker waits. Starts paused.
    static void Pause();
    // The GUI thread is about to wait for events: the worker may validate.
    static void Resume();

    // How a finished cache reaches the GUI thread: the poster runs the given call there, later.
    using Poster = std::function<void(std::function<void()>)>;
    static void SetPoster(Poster poster);
    // On the GUI thread: hands finished caches to their trees.
    static void DeliverResults();
    // On the GUI thread: takes the finished cache of one tree, if there is one.
    static bool TakeResult(TBaseLazyTree* tree, TCache& cache, uint64_t& generation);

    // For tests: whether the thread exists, the tree being validated, trees validated so far.
    static bool ThreadRunning();
    static TBaseLazyTree* CurrentTree();
    static uint64_t ValidatedCount();
    // Blocks until the queue is empty and the worker idle (or paused); false after timeoutMs.
    static bool WaitIdle(int timeoutMs);
};

} // namespace lazytree
