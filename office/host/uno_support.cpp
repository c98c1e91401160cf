#include "office/host/uno_support.h"

#include <com/sun/star/beans/UnknownPropertyException.hpp>
#include <com/sun/star/container/NoSuchElementException.hpp>
#include <com/sun/star/lang/IllegalArgumentException.hpp>
#include <com/sun/star/lang/IndexOutOfBoundsException.hpp>
#include <com/sun/star/script/CannotConvertException.hpp>
#include <com/sun/star/uno/RuntimeException.hpp>
#include <cppuhelper/exc_hlp.hxx>

namespace tavo::office {

void RaiseFromUno(const css::uno::Exception& e) {
  std::string message = FromUno(e.Message);
  // The exception's type says more than its often empty message.
  css::uno::Any any(cppu::getCaughtException());
  std::string type = FromUno(any.getValueTypeName());
  std::string description = message.empty() ? type : type + ": " + message;
  std::int32_t number = kHostCallFailed;
  const char* kind = "应用程序定义或对象定义的错误";
  if (any.isExtractableTo(cppu::UnoType<css::lang::IndexOutOfBoundsException>::get()) ||
      any.isExtractableTo(cppu::UnoType<css::container::NoSuchElementException>::get())) {
    number = kOutOfRange;
    kind = "下标越界";
  } else if (any.isExtractableTo(cppu::UnoType<css::lang::IllegalArgumentException>::get())) {
    number = kInvalidArgument;
    kind = "无效的过程调用或参数";
  } else if (any.isExtractableTo(cppu::UnoType<css::script::CannotConvertException>::get())) {
    number = kTypeMismatch;
    kind = "类型不匹配";
  } else if (any.isExtractableTo(cppu::UnoType<css::beans::UnknownPropertyException>::get())) {
    number = 438;
    kind = "对象不支持该属性或方法";
  }
  throw Error(kOfficeErrorSource, number, std::string(kind) + "：" + description);
}

}  // namespace tavo::office
