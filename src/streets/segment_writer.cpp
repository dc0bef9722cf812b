#include "streets/segment_writer.h"

#include <span>
#include <string>
#include <string_view>

#include "streets/street_shape.h"
#include "streets/street_table.h"

namespace routix::streets {

SegmentWriter::SegmentWriter(shapefile::ShapefileSet& set) : set_(set) {
  for (size_t i = 1; i < kBatches; ++i) empty_.push_back(&batches_[i]);
  thread_ = std::thread([this] { Run(); });
}

SegmentWriter::~SegmentWriter() { Stop(); }

void SegmentWriter::Stop() {
  if (!thread_.joinable()) return;
  {
    const std::lock_guard lock(mutex_);
    stop_ = true;
  }
  changed_.notify_all();
  thread_.join();
}

void SegmentWriter::HandOver() {
  std::unique_lock lock(mutex_);
  to_write_.push_back(filling_);
  changed_.notify_all();
  changed_.wait(lock, [this] { return !empty_.empty() || error_ != nullptr; });
  if (error_ != nullptr) std::rethrow_exception(error_);
  filling_ = empty_.back();
  empty_.pop_back();
}

void SegmentWriter::Finish() {
  {
    const std::lock_guard lock(mutex_);
    if (filling_->size() > 0) to_write_.push_back(filling_);
    no_more_ = true;
  }
  changed_.notify_all();
  thread_.join();
  if (error_ != nullptr) std::rethrow_exception(error_);
}

void SegmentWriter::Run() {
  std::string row;
  for (;;) {
    SegmentBatch* batch;
    {
      std::unique_lock lock(mutex_);
      changed_.wait(lock, [this] { return stop_ || no_more_ || !to_write_.empty(); });
      if (stop_ || to_write_.empty()) return;
      batch = to_write_.front();
      to_write_.pop_front();
    }
    try {
      for (size_t i = 0; i < batch->size(); ++i) {
        const std::string_view record = batch->record(i);
        const std::span<shapefile::ShapePoint> shape = batch->shape(i);
        shape.front() = FromEnd(record);
        shape.back() = ToEnd(record);
        FormatStreetRow(record, row);
        set_.WriteFeatureRow(shape, row);
      }
      batch->Clear();
    } catch (...) {
      const std::lock_guard lock(mutex_);
      error_ = std::current_exception();
      changed_.notify_all();
      return;
    }
    {
      const std::lock_guard lock(mutex_);
      empty_.push_back(batch);
    }
    changed_.notify_all();
  }
}

}  // namespace routix::streets
