// Work handed to a few threads kept for the program's life, instead of a
// thread started for each piece: starting one costs its stack's pages and a
// wake-up, hundreds of times in a large sheet. Where there are no threads
// (the browser edition) the work runs when its result is asked for.
//
//   std::future<R> done = RunTask(function, arguments...);
//
// Tasks must not wait on one another. Their futures do not wait when they
// are destroyed: an owner whose tasks hold references to it waits for them.
#pragma once

#include <functional>
#include <future>
#include <memory>
#include <type_traits>
#include <utility>

#include "Compat.h"

namespace trevalco::workbook {

// Hands `task` to the pool's threads.
void EnqueueTask(std::function<void()> task);

template <class F, class... Args>
auto RunTask(F&& function, Args&&... arguments) {
    using Result = std::invoke_result_t<std::decay_t<F>, std::decay_t<Args>...>;
    if constexpr (!compat::kThreads) {
        return std::async(std::launch::deferred, std::forward<F>(function), std::forward<Args>(arguments)...);
    } else {
        auto task = std::make_shared<std::packaged_task<Result()>>(
            [function = std::forward<F>(function), ... arguments = std::forward<Args>(arguments)]() mutable {
                return std::invoke(std::move(function), std::move(arguments)...);
            });
        std::future<Result> result = task->get_future();
        EnqueueTask([task] { (*task)(); });
        return result;
    }
}

}  // namespace trevalco::workbook
