#pragma once
// Progress of a build on the status bar of the document's frame: "生成校历表…"
// (or "生成日历表…") with a bar over the days of the range. It starts with
// the first cell the build writes, so a build refused by its checks shows
// nothing, and it ends when the object goes, whatever happened.
#include <com/sun/star/task/XStatusIndicator.hpp>
#include <com/sun/star/uno/XInterface.hpp>

#include <cstdint>
#include <string>
#include <vector>

#include "office/host/uno_support.h"

namespace tavo::office {

// The indicator's text for an event, "" for events that build nothing.
std::string ProgressText(const std::string& event);

// Days from `start` to `end`, both included, as the dialog's date boxes
// give them; 0 when either is no date or the end comes first.
std::int32_t DaysOfRange(const std::string& start, const std::string& end);

class BuildProgress {
 public:
  // `log`, when given, gets a line for each step ("start|TEXT|DAYS",
  // "end|DAYS DONE") whether or not the frame has an indicator.
  BuildProgress(css::uno::Reference<css::uno::XInterface> document, std::string text, std::int32_t days,
                std::vector<std::string>* log);
  ~BuildProgress();
  BuildProgress(const BuildProgress&) = delete;
  BuildProgress& operator=(const BuildProgress&) = delete;

  // A value was written: the builder writes two per day (the day and its note).
  void ValueWritten();

 private:
  void Start();

  css::uno::Reference<css::uno::XInterface> document_;
  std::string text_;
  std::int32_t days_;
  std::vector<std::string>* log_;
  css::uno::Reference<css::task::XStatusIndicator> indicator_;
  bool started_ = false;
  std::int64_t values_ = 0;
  std::int32_t shown_ = 0;
};

}  // namespace tavo::office
