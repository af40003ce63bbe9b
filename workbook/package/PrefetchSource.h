// A part read ahead on a thread of its own, so that inflating it overlaps
// with whatever works through it (parsing a large sheet); read as asked for
// where the build has no threads.
#pragma once

#include <condition_variable>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "PartSource.h"

namespace trevalco::workbook {

class PrefetchSource final : public PartSource {
public:
    // `source` must outlive this and be used by nothing else meanwhile.
    explicit PrefetchSource(PartSource& source);
    explicit PrefetchSource(std::unique_ptr<PartSource> source);
    ~PrefetchSource() override;
    PrefetchSource(const PrefetchSource&) = delete;
    PrefetchSource& operator=(const PrefetchSource&) = delete;

    // What the source gave, in order; its failure is thrown here, after the
    // bytes read before it.
    std::size_t Read(char* buffer, std::size_t size) override;

private:
    // A piece read ahead; its bytes are not zero-filled before being read into.
    struct Piece {
        std::unique_ptr<char[]> bytes;
        std::size_t size = 0;
    };
    void Start();
    void Run();

    std::unique_ptr<PartSource> owned_;
    PartSource& source_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Piece> ready_;
    bool ended_ = false;
    bool stop_ = false;
    std::exception_ptr failure_;
    Piece current_;
    std::size_t at_ = 0;
    std::thread thread_;  // last: started once the rest is in place
};

}  // namespace trevalco::workbook
