#include "TaskPool.h"

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

namespace trevalco::workbook {

namespace {

class TaskPool {
public:
    TaskPool() {
        const unsigned count = std::max(2U, compat::HardwareThreads());
        for (unsigned i = 0; i < count; ++i) threads_.emplace_back([this] { Work(); });
    }

    ~TaskPool() {
        {
            const std::lock_guard lock(mutex_);
            stop_ = true;
        }
        changed_.notify_all();
        for (std::thread& thread : threads_) thread.join();
    }

    void Enqueue(std::function<void()> task) {
        {
            const std::lock_guard lock(mutex_);
            tasks_.push_back(std::move(task));
        }
        changed_.notify_one();
    }

private:
    void Work() {
        for (;;) {
            std::function<void()> task;
            {
                std::unique_lock lock(mutex_);
                changed_.wait(lock, [this] { return stop_ || !tasks_.empty(); });
                if (tasks_.empty()) return;
                task = std::move(tasks_.front());
                tasks_.pop_front();
            }
            task();
        }
    }

    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::function<void()>> tasks_;
    bool stop_ = false;
    std::vector<std::thread> threads_;
};

}  // namespace

void EnqueueTask(std::function<void()> task) {
    static TaskPool pool;
    pool.Enqueue(std::move(task));
}

}  // namespace trevalco::workbook
