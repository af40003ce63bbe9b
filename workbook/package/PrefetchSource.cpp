#include "PrefetchSource.h"

#include <algorithm>
#include <cstring>

#include "Compat.h"

namespace trevalco::workbook {

namespace {

constexpr std::size_t kPiece = 1 << 18;
constexpr std::size_t kAhead = 8;  // pieces read ahead at most (2 MB)

}  // namespace

PrefetchSource::PrefetchSource(PartSource& source) : source_(source) { Start(); }

PrefetchSource::PrefetchSource(std::unique_ptr<PartSource> source) : owned_(std::move(source)), source_(*owned_) {
    Start();
}

// Without threads the source is read as it is asked for.
void PrefetchSource::Start() {
    if constexpr (compat::kThreads) thread_ = std::thread([this] { Run(); });
}

PrefetchSource::~PrefetchSource() {
    if (!thread_.joinable()) return;
    {
        const std::lock_guard lock(mutex_);
        stop_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

void PrefetchSource::Run() {
    for (;;) {
        {
            std::unique_lock lock(mutex_);
            changed_.wait(lock, [this] { return stop_ || ready_.size() < kAhead; });
            if (stop_) return;
        }
        Piece piece{std::unique_ptr<char[]>(new char[kPiece]), 0};
        std::exception_ptr failure;
        try {
            piece.size = source_.Read(piece.bytes.get(), kPiece);
        } catch (...) {
            failure = std::current_exception();
        }
        const bool last = failure != nullptr || piece.size == 0;
        {
            const std::lock_guard lock(mutex_);
            if (failure != nullptr) failure_ = failure;
            else if (!last) ready_.push_back(std::move(piece));
            ended_ = last;
        }
        changed_.notify_all();
        if (last) return;
    }
}

std::size_t PrefetchSource::Read(char* buffer, std::size_t size) {
    if (!thread_.joinable()) return source_.Read(buffer, size);
    if (at_ == current_.size) {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return !ready_.empty() || ended_; });
        if (ready_.empty()) {
            if (failure_ != nullptr) std::rethrow_exception(failure_);
            return 0;
        }
        current_ = std::move(ready_.front());
        ready_.pop_front();
        at_ = 0;
        lock.unlock();
        changed_.notify_all();
    }
    const std::size_t count = std::min(size, current_.size - at_);
    std::memcpy(buffer, current_.bytes.get() + at_, count);
    at_ += count;
    return count;
}

}  // namespace trevalco::workbook
