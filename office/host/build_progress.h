#pragma once
// Progress of a build on the status bar of the document's frame: "生成校历表…"
// (or "生成日历表…") with a bar over the weeks of the range. It starts with
// the first cell the build writes, so a build refused by its checks shows
// nothing, and it ends when the object goes, whatever happened. The build
// holds the office's only thread, so at every step of the bar the office is
// let draw it.
#include <com/sun/star/task/XStatusIndicator.hpp>
#include <com/sun/star/uno/XInterface.hpp>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "office/host/uno_support.h"

namespace tavo::office {

// The indicator's text for an event, "" for events that build nothing.
std::string ProgressText(const std::string& event);

// Days from `start` to `end`, both included, as the dialog's date boxes
// give them; 0 when either is no date or the end comes first.
std::int32_t DaysOfRange(const std::string& start, const std::string& end);

// The weeks the bar counts for a range of `days` days.
std::int32_t WeeksOf(std::int32_t days);

// Where the bar stands in a build over `days` days. A build writes its days
// first, two values a day (the day and its note), and quickly, as the
// office holds what is written; most of its time goes in formatting the
// weeks and sending what is held. So the bar's first half follows the days
// written, and its second half the writes sent after the last day. It moves
// in at most kBarSteps steps, each a week further at least, and comes to the
// range's weeks when the build is done.
class BarSteps {
 public:
  static constexpr int kBarSteps = 20;
  // What a build sends after its last day, for each write held then: 10 to
  // 13 in both sheets, both directions, a term or 20 years (the formatting
  // of the weeks comes after their days).
  static constexpr std::int64_t kSentPerHeldAtLastDay = 12;
  explicit BarSteps(std::int32_t days) : days_(days) {}
  std::int32_t Weeks() const { return WeeksOf(days_); }
  std::int32_t Shown() const { return shown_; }
  bool DaysWritten() const { return days_ > 0 && DaysDone() == days_; }

  // A value was written; `held` tells the writes the office holds (asked
  // once, at the last day). The weeks to show when the bar moves a step,
  // else nothing.
  std::optional<std::int32_t> ValueWritten(const std::function<std::int64_t()>& held);
  // `writes` were sent to the document.
  std::optional<std::int32_t> Sent(std::int64_t writes);
  // The build is done: the bar at all the weeks, if not there yet.
  std::optional<std::int32_t> Done();

 private:
  std::int32_t DaysDone() const;
  std::optional<std::int32_t> MoveTo(std::int64_t done, std::int64_t of);

  std::int32_t days_;
  std::int64_t values_ = 0;
  std::optional<std::int64_t> held_at_last_day_;
  std::int64_t sent_ = 0;
  std::int32_t step_ = 0;
  std::int32_t shown_ = 0;
};

// What the bar asks of the office.
struct ProgressHooks {
  std::function<std::int64_t()> held;  // the writes held
  std::function<void()> send_days;     // sends the days written so far
  std::function<void()> draw;          // lets the office draw the bar
};

class BuildProgress {
 public:
  // `log`, when given, gets a line for each step ("start|TEXT|WEEKS",
  // "step|WEEKS", "end|WEEKS") whether or not the frame has an indicator.
  BuildProgress(css::uno::Reference<css::uno::XInterface> document, std::string text, std::int32_t days,
                ProgressHooks hooks, std::vector<std::string>* log);
  ~BuildProgress();
  BuildProgress(const BuildProgress&) = delete;
  BuildProgress& operator=(const BuildProgress&) = delete;

  // A value was written (held or sent).
  void ValueWritten();
  // A call of a flush sent `writes`.
  void Sent(std::int64_t writes);
  // The build ended without a failure, all it wrote sent.
  void Done();

 private:
  void Start();
  void Show(std::int32_t weeks);

  css::uno::Reference<css::uno::XInterface> document_;
  std::string text_;
  BarSteps steps_;
  ProgressHooks hooks_;
  std::vector<std::string>* log_;
  css::uno::Reference<css::task::XStatusIndicator> indicator_;
  bool started_ = false;
};

}  // namespace tavo::office
