#include "controls/tree/core/validation_worker.h"

#include "controls/tree/core/tree_errors.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

namespace lazytree {

namespace {

struct Waiting {
    TBaseLazyTree* Tree;
    uint64_t Generation;
};

struct Finished {
    TBaseLazyTree* Tree;
    uint64_t Generation;
    TCache Cache;
};

struct WorkerState {
    std::mutex mutex;
    std::condition_variable work;     // the queue or the pause changed, or the end
    std::condition_variable released; // the worker left its tree
    std::deque<Waiting> queue;
    std::vector<Finished> finished;
    TBaseLazyTree* current = nullptr;
    uint64_t currentGeneration = 0;
    bool dropCurrent = false; // the current tree was removed: do not queue it again
    std::atomic<bool> stop{false};
    bool paused = true;
    bool terminate = false;
    uint32_t refCount = 0;
    uint64_t validated = 0;
    TValidationWorker::Poster poster;
    std::jthread thread;

    ~WorkerState()
    {
        {
            std::lock_guard lock(mutex);
            terminate = true;
            stop = true;
        }
        work.notify_all();
        if (thread.joinable())
            thread.join();
    }
};

WorkerState& State()
{
    static WorkerState state;
    return state;
}

void Run(WorkerState& s)
{
    std::unique_lock lock(s.mutex);
    for (;;) {
        s.work.wait(lock, [&s] { return s.terminate || (!s.paused && !s.queue.empty()); });
        if (s.terminate)
            return;
        const Waiting next = s.queue.front();
        s.queue.pop_front();
        s.current = next.Tree;
        s.currentGeneration = next.Generation;
        s.dropCurrent = false;
        s.stop = false;
        lock.unlock();

        TCache cache;
        bool built = false;
        try {
            built = next.Tree->BuildCacheOnWorker(s.stop, cache);
        } catch (...) {
            built = false;
        }

        lock.lock();
        bool post = false;
        if (built) {
            s.finished.push_back({next.Tree, next.Generation, std::move(cache)});
            ++s.validated;
            post = static_cast<bool>(s.poster);
        } else if (!s.dropCurrent && !s.terminate) {
            s.queue.push_front(next); // paused midway: again when the GUI thread is idle
        }
        s.current = nullptr;
        s.released.notify_all();
        if (post) {
            TValidationWorker::Poster poster = s.poster;
            lock.unlock();
            poster([] { TValidationWorker::DeliverResults(); });
            lock.lock();
        }
    }
}

} // namespace

void TValidationWorker::Acquire()
{
    WorkerState& s = State();
    std::lock_guard lock(s.mutex);
    if (s.refCount++ == 0) {
        s.terminate = false;
        s.thread = std::jthread([&s] { Run(s); });
    }
}

void TValidationWorker::Release()
{
    WorkerState& s = State();
    std::jthread ending;
    {
        std::lock_guard lock(s.mutex);
        if (s.refCount == 0 || --s.refCount > 0)
            return;
        s.terminate = true;
        s.stop = true;
        ending = std::move(s.thread);
    }
    s.work.notify_all();
    if (ending.joinable())
        ending.join();
    std::lock_guard lock(s.mutex);
    s.queue.clear();
    s.finished.clear();
}

void TValidationWorker::AddTree(TBaseLazyTree* tree, uint64_t generation)
{
    TreeAssert(tree != nullptr, "Tree must not be nil.");
    WorkerState& s = State();
    {
        std::lock_guard lock(s.mutex);
        std::erase_if(s.finished, [tree](const Finished& f) { return f.Tree == tree; });
        auto it = std::find_if(s.queue.begin(), s.queue.end(), [tree](const Waiting& w) { return w.Tree == tree; });
        if (it != s.queue.end())
            it->Generation = generation;
        else
            s.queue.push_back({tree, generation});
    }
    s.work.notify_all();
}

void TValidationWorker::RemoveTree(TBaseLazyTree* tree)
{
    TreeAssert(tree != nullptr, "Tree must not be nil.");
    WorkerState& s = State();
    std::unique_lock lock(s.mutex);
    std::erase_if(s.queue, [tree](const Waiting& w) { return w.Tree == tree; });
    std::erase_if(s.finished, [tree](const Finished& f) { return f.Tree == tree; });
    if (s.current == tree) {
        s.dropCurrent = true;
        s.stop = true;
        s.released.wait(lock, [&s, tree] { return s.current != tree; });
    }
}

void TValidationWorker::Pause()
{
    WorkerState& s = State();
    std::unique_lock lock(s.mutex);
    if (s.paused && !s.current)
        return;
    s.paused = true;
    if (s.current) {
        s.stop = true;
        s.released.wait(lock, [&s] { return s.current == nullptr; });
    }
}

void TValidationWorker::Resume()
{
    WorkerState& s = State();
    {
        std::lock_guard lock(s.mutex);
        if (!s.paused)
            return;
        s.paused = false;
    }
    s.work.notify_all();
}

void TValidationWorker::SetPoster(Poster poster)
{
    WorkerState& s = State();
    std::lock_guard lock(s.mutex);
    s.poster = std::move(poster);
}

void TValidationWorker::DeliverResults()
{
    WorkerState& s = State();
    std::vector<Finished> results;
    {
        std::lock_guard lock(s.mutex);
        results.swap(s.finished);
    }
    for (Finished& f : results)
        f.Tree->AdoptWorkerCache(std::move(f.Cache), f.Generation);
}

bool TValidationWorker::TakeResult(TBaseLazyTree* tree, TCache& cache, uint64_t& generation)
{
    WorkerState& s = State();
    std::lock_guard lock(s.mutex);
    auto it = std::find_if(s.finished.begin(), s.finished.end(), [tree](const Finished& f) { return f.Tree == tree; });
    if (it == s.finished.end())
        return false;
    cache = std::move(it->Cache);
    generation = it->Generation;
    s.finished.erase(it);
    return true;
}

bool TValidationWorker::ThreadRunning()
{
    WorkerState& s = State();
    std::lock_guard lock(s.mutex);
    return s.thread.joinable();
}

TBaseLazyTree* TValidationWorker::CurrentTree()
{
    WorkerState& s = State();
    std::lock_guard lock(s.mutex);
    return s.current;
}

uint64_t TValidationWorker::ValidatedCount()
{
    WorkerState& s = State();
    std::lock_guard lock(s.mutex);
    return s.validated;
}

bool TValidationWorker::WaitIdle(int timeoutMs)
{
    WorkerState& s = State();
    std::unique_lock lock(s.mutex);
    return s.released.wait_for(lock, std::chrono::milliseconds(timeoutMs),
        [&s] { return s.current == nullptr && (s.queue.empty() || s.paused); });
}

} // namespace lazytree
