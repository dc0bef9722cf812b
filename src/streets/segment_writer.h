// A SegmentWriter writes the segments of the street conversion into its set on a thread of
// its own, so that reading the exports (on the calling thread, which alone reports progress
// and yields) and formatting and writing the set share two cores. The calling thread fills
// one batch at a time and hands it over; at most kBatches are held at once, so memory does
// not grow with the network. An error of the writing thread stops it and is thrown again on
// the calling thread at its next hand-over or at Finish(); a writer destroyed before
// Finish() stops its thread, which writes nothing more, and waits for it.
#pragma once

#include <array>
#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

#include "shapefile/shapefile_set.h"
#include "streets/segment_batch.h"

namespace routix::streets {

class SegmentWriter {
 public:
  static constexpr size_t kBatches = 4;

  // set must outlive the writer, and nothing else may use it until Finish() returns.
  explicit SegmentWriter(shapefile::ShapefileSet& set);
  SegmentWriter(const SegmentWriter&) = delete;
  SegmentWriter& operator=(const SegmentWriter&) = delete;
  ~SegmentWriter();

  // The batch the calling thread fills.
  SegmentBatch& batch() { return *filling_; }
  // Hands the batch over once it is full, and goes on with an empty one.
  void HandOverIfFull() {
    if (filling_->full()) HandOver();
  }
  // Hands over what is left and waits until every segment is written.
  void Finish();

 private:
  void HandOver();
  void Run();
  void Stop();

  shapefile::ShapefileSet& set_;
  std::array<SegmentBatch, kBatches> batches_;
  SegmentBatch* filling_ = &batches_[0];
  std::mutex mutex_;
  std::condition_variable changed_;
  // Guarded by mutex_: the batches to write, in order, and the empty ones.
  std::deque<SegmentBatch*> to_write_;
  std::vector<SegmentBatch*> empty_;
  bool no_more_ = false;  // nothing more comes: write what there is, then end
  bool stop_ = false;     // write nothing more
  std::exception_ptr error_;
  std::thread thread_;  // last, so it starts once the rest is there
};

}  // namespace routix::streets
