#include "office/host/build_progress.h"

#include "hostbook/built_sheets.h"

#include <com/sun/star/frame/XController.hpp>
#include <com/sun/star/frame/XFrame.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/task/XStatusIndicatorFactory.hpp>

#include <algorithm>

#include "common/dates.h"
#include "host/dialog_controls.h"

namespace tavo::office {
namespace {

using css::uno::Reference;
using css::uno::UNO_QUERY;

constexpr int kValuesPerDay = 2;
constexpr int kDaysPerWeek = 7;

Reference<css::task::XStatusIndicator> IndicatorOf(const Reference<css::uno::XInterface>& document) {
  Reference<css::frame::XModel> model(document, UNO_QUERY);
  if (!model.is()) return {};
  Reference<css::frame::XController> controller = model->getCurrentController();
  if (!controller.is()) return {};
  Reference<css::task::XStatusIndicatorFactory> factory(controller->getFrame(), UNO_QUERY);
  if (!factory.is()) return {};
  return factory->createStatusIndicator();
}

}  // namespace

std::string ProgressText(const std::string& event) {
  const hostbook::BuiltSheet* built = hostbook::BuiltSheetOfEvent(event);
  return built != nullptr ? built->progress_caption : "";
}

std::int32_t DaysOfRange(const std::string& start, const std::string& end) {
  const std::optional<Date> from = ParseDate(start);
  const std::optional<Date> to = ParseDate(end);
  if (!from || !to) return 0;
  const long days = DaysBetween(*from, *to) + 1;
  return days > 0 && days < 1000000 ? static_cast<std::int32_t>(days) : 0;
}

std::int32_t WeeksOf(std::int32_t days) { return days > 0 ? (days + kDaysPerWeek - 1) / kDaysPerWeek : 0; }

std::int32_t BarSteps::DaysDone() const {
  return static_cast<std::int32_t>(std::min<std::int64_t>(days_, values_ / kValuesPerDay));
}

// The bar at `done` of `of`, in whole steps of 1/kBarSteps; a step that
// shows no further week waits for the next.
std::optional<std::int32_t> BarSteps::MoveTo(std::int64_t done, std::int64_t of) {
  const auto step = static_cast<std::int32_t>(std::min<std::int64_t>(kBarSteps, done * kBarSteps / of));
  if (step <= step_) return std::nullopt;
  step_ = step;
  const auto weeks = static_cast<std::int32_t>(std::int64_t{Weeks()} * step / kBarSteps);
  if (weeks <= shown_) return std::nullopt;
  shown_ = weeks;
  return weeks;
}

std::optional<std::int32_t> BarSteps::ValueWritten(const std::function<std::int64_t()>& held) {
  if (days_ <= 0 || DaysWritten()) return std::nullopt;
  ++values_;
  if (DaysWritten()) held_at_last_day_ = held ? held() : 0;
  // The first half: days written of the range's days.
  return MoveTo(DaysDone(), std::int64_t{2} * days_);
}

std::optional<std::int32_t> BarSteps::Sent(std::int64_t writes) {
  if (!held_at_last_day_) return std::nullopt;
  sent_ += writes;
  // The second half: sent of what the build will send, reckoned from what
  // it held at its last day; a bar that reckoned short waits at its end.
  const std::int64_t of = std::max<std::int64_t>(1, *held_at_last_day_ * kSentPerHeldAtLastDay);
  return MoveTo(of + std::min(sent_, of), 2 * of);
}

std::optional<std::int32_t> BarSteps::Done() {
  step_ = kBarSteps;
  if (shown_ >= Weeks()) return std::nullopt;
  shown_ = Weeks();
  return shown_;
}

BuildProgress::BuildProgress(Reference<css::uno::XInterface> document, std::string text, std::int32_t days,
                             ProgressHooks hooks, std::vector<std::string>* log)
    : document_(std::move(document)), text_(std::move(text)), steps_(days), hooks_(std::move(hooks)), log_(log) {}

void BuildProgress::Start() {
  started_ = true;
  const std::int32_t weeks = steps_.Weeks();
  if (log_) log_->push_back("start|" + text_ + "|" + std::to_string(weeks));
  // The bar is a courtesy: a frame without one builds all the same.
  try {
    indicator_ = IndicatorOf(document_);
    if (indicator_.is()) indicator_->start(ToUno(text_), weeks);
  } catch (const css::uno::Exception&) {
    indicator_.clear();
  }
}

void BuildProgress::Show(std::int32_t weeks) {
  if (log_) log_->push_back("step|" + std::to_string(weeks));
  try {
    if (indicator_.is()) indicator_->setValue(weeks);
  } catch (const css::uno::Exception&) {
  }
  if (hooks_.draw) hooks_.draw();
}

void BuildProgress::ValueWritten() {
  if (steps_.Weeks() <= 0) return;
  if (!started_) Start();
  const std::optional<std::int32_t> weeks = steps_.ValueWritten(hooks_.held);
  if (!weeks) return;
  // The days the bar counts are in the document when it shows them; a
  // failure to send them is the build's own, and the build reports it.
  if (hooks_.send_days) hooks_.send_days();
  Show(*weeks);
}

void BuildProgress::Sent(std::int64_t writes) {
  if (!started_) return;
  if (const std::optional<std::int32_t> weeks = steps_.Sent(writes)) Show(*weeks);
}

void BuildProgress::Done() {
  if (!started_) return;
  if (const std::optional<std::int32_t> weeks = steps_.Done()) Show(*weeks);
}

BuildProgress::~BuildProgress() {
  if (!started_) return;
  if (log_) log_->push_back("end|" + std::to_string(steps_.Shown()));
  try {
    if (indicator_.is()) indicator_->end();
  } catch (...) {
  }
}

}  // namespace tavo::office
