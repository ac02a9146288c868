#pragma once
// Writes bone matrices as text on a thread of its own: the caller evaluates the scene frame by
// frame and hands the matrices over; the writer turns them into text and writes them to the
// file in the order they came, while the caller works on the next frames. The file belongs
// to the writer from construction until Finish().
#include <hostsdk/geometry.h>

#include <array>
#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <thread>
#include <vector>

#include "frame/export_settings.h"
#include "frame/text_output.h"

namespace skeleton {

class MatrixTextWriter {
  public:
    MatrixTextWriter(frame::TextFileWriter& out, const frame::ExportSettings& settings);
    ~MatrixTextWriter();  // finishes
    MatrixTextWriter(const MatrixTextWriter&) = delete;
    MatrixTextWriter& operator=(const MatrixTextWriter&) = delete;

    // The list to add the current frame's matrices to; waits while every batch is in use.
    std::vector<Matrix3>& Matrices();
    // Ends a frame. Frames are handed over in batches of several thousand matrices, so that
    // threads meet and the file is written a few hundred kilobytes at a time.
    void EndFrame();
    // A write has failed (a full disk): the caller may stop early. Later frames are dropped.
    bool Failed() const { return failed_.load(std::memory_order_relaxed); }
    // Hands over the frames not yet handed over, waits until all are written and ends the
    // thread; true when all writes succeeded. The file is the caller's again afterwards.
    bool Finish();

  private:
    void Run();

    void HandOver();

    static constexpr std::size_t kSlots = 3;
    static constexpr std::size_t kBatchMatrices = 4096;

    frame::TextFileWriter& out_;
    const frame::ExportSettings& settings_;
    std::array<std::vector<Matrix3>, kSlots> batches_;
    std::vector<Matrix3>* filling_ = nullptr;  // the caller's batch, when it holds one
    std::vector<char> text_;                   // the writer's: one batch's text
    std::mutex mutex_;
    std::condition_variable changed_;
    std::size_t submitted_ = 0;  // batches handed over
    std::size_t written_ = 0;    // batches the writer is done with
    bool finishing_ = false;
    std::atomic<bool> failed_{false};
    std::thread thread_;
};

}  // namespace skeleton
