#include "skeleton/matrix_text_writer.h"

#include "skeleton/bone_matrix.h"

namespace skeleton {

MatrixTextWriter::MatrixTextWriter(frame::TextFileWriter& out,
                                   const frame::ExportSettings& settings)
    : out_(out), settings_(settings), thread_([this] { Run(); }) {}

MatrixTextWriter::~MatrixTextWriter() {
    Finish();
}

std::vector<Matrix3>& MatrixTextWriter::Matrices() {
    if (filling_ == nullptr) {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return submitted_ - written_ < kSlots; });
        filling_ = &batches_[submitted_ % kSlots];
        filling_->clear();
    }
    return *filling_;
}

void MatrixTextWriter::EndFrame() {
    if (filling_ != nullptr && filling_->size() >= kBatchMatrices) HandOver();
}

void MatrixTextWriter::HandOver() {
    {
        std::lock_guard lock(mutex_);
        ++submitted_;
    }
    filling_ = nullptr;
    changed_.notify_all();
}

bool MatrixTextWriter::Finish() {
    if (filling_ != nullptr) HandOver();
    if (thread_.joinable()) {
        {
            std::lock_guard lock(mutex_);
            finishing_ = true;
        }
        changed_.notify_all();
        thread_.join();
    }
    return !Failed();
}

void MatrixTextWriter::Run() {
    for (;;) {
        std::size_t next;
        {
            std::unique_lock lock(mutex_);
            changed_.wait(lock, [this] { return written_ < submitted_ || finishing_; });
            if (written_ == submitted_) return;  // finishing, and every frame is written
            next = written_;
        }
        // The batch stays the writer's until written_ moves past it.
        const std::vector<Matrix3>& batch = batches_[next % kSlots];
        if (!Failed()) {
            text_.resize(batch.size() * kBoneMatrixMaxLength);
            char* end = text_.data();
            for (const Matrix3& tm : batch) end = WriteBoneMatrixText(end, tm, settings_);
            out_.Write(text_.data(), static_cast<std::size_t>(end - text_.data()));
            if (!out_.Good()) failed_.store(true, std::memory_order_relaxed);
        }
        {
            std::lock_guard lock(mutex_);
            ++written_;
        }
        changed_.notify_all();
    }
}

}  // namespace skeleton
