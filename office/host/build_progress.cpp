#include "office/host/build_progress.h"

#include <com/sun/star/frame/XController.hpp>
#include <com/sun/star/frame/XFrame.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/task/XStatusIndicatorFactory.hpp>

#include <algorithm>

#include "common/dates.h"

namespace tavo::office {
namespace {

using css::uno::Reference;
using css::uno::UNO_QUERY;

constexpr int kValuesPerDay = 2;
constexpr int kSteps = 100;  // the bar moves in steps of a hundredth

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
  if (event == "cmdDoXL") return "生成校历表…";
  if (event == "cmdDoRL") return "生成日历表…";
  return {};
}

std::int32_t DaysOfRange(const std::string& start, const std::string& end) {
  const std::optional<Date> from = ParseDate(start);
  const std::optional<Date> to = ParseDate(end);
  if (!from || !to) return 0;
  const long days = DaysBetween(*from, *to) + 1;
  return days > 0 && days < 1000000 ? static_cast<std::int32_t>(days) : 0;
}

BuildProgress::BuildProgress(Reference<css::uno::XInterface> document, std::string text, std::int32_t days,
                             std::vector<std::string>* log)
    : document_(std::move(document)), text_(std::move(text)), days_(days), log_(log) {}

void BuildProgress::Start() {
  started_ = true;
  if (log_) log_->push_back("start|" + text_ + "|" + std::to_string(days_));
  // The bar is a courtesy: a frame without one builds all the same.
  try {
    indicator_ = IndicatorOf(document_);
    if (indicator_.is()) indicator_->start(ToUno(text_), days_);
  } catch (const css::uno::Exception&) {
    indicator_.clear();
  }
}

void BuildProgress::ValueWritten() {
  if (days_ <= 0) return;
  if (!started_) Start();
  ++values_;
  const auto done = static_cast<std::int32_t>(std::min<std::int64_t>(days_, values_ / kValuesPerDay));
  if (done == shown_ || (done - shown_) * kSteps < days_) return;
  shown_ = done;
  try {
    if (indicator_.is()) indicator_->setValue(done);
  } catch (const css::uno::Exception&) {
  }
}

BuildProgress::~BuildProgress() {
  if (!started_) return;
  if (log_) log_->push_back("end|" + std::to_string(std::min<std::int64_t>(days_, values_ / kValuesPerDay)));
  try {
    if (indicator_.is()) indicator_->end();
  } catch (...) {
  }
}

}  // namespace tavo::office
