#include "script_dispatch.h"

#include "dispatch_base.h"

#include <cstdio>

namespace tavo::wintest {
namespace {

std::string Utf8(const wchar_t* text, int length) {
  if (!text || length <= 0) return {};
  int n = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, length, out.data(), n, nullptr, nullptr);
  return out;
}

class ScriptObject final : public DispatchBase {
 public:
  ScriptObject(std::string label, std::shared_ptr<Script> script) : label_(std::move(label)), script_(script) {}
  const std::string& label() const { return label_; }

  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
    for (UINT i = 0; i < count; ++i) {
      std::wstring name = names[i];
      if (script_->unknown_names.count(name)) {
        ids[i] = DISPID_UNKNOWN;
        return DISP_E_UNKNOWNNAME;
      }
      auto found = std::find(names_.begin(), names_.end(), name);
      if (found == names_.end()) found = names_.insert(names_.end(), name);
      ids[i] = static_cast<DISPID>(found - names_.begin()) + 1;
    }
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                   EXCEPINFO* info, UINT*) override {
    if (id < 1 || static_cast<size_t>(id) > names_.size()) return DISP_E_MEMBERNOTFOUND;
    std::string member = Utf8(names_[id - 1].c_str(), static_cast<int>(names_[id - 1].size()));
    std::string key = label_ + "." + member;
    bool put = flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF);
    std::string line = key + (put ? " PUT" : (flags & DISPATCH_METHOD) && !(flags & DISPATCH_PROPERTYGET) ? " CALL" : " GET");
    UINT positional = params->cArgs;
    if (put) {
      bool named = params->cNamedArgs == 1 && params->rgdispidNamedArgs[0] == DISPID_PROPERTYPUT;
      if (!named) line += " (value not named)";
      positional = params->cArgs - 1;
    }
    // Arguments in the caller's order: rgvarg holds them last first.
    for (UINT i = 0; i < positional; ++i) line += " " + DescribeVariant(params->rgvarg[params->cArgs - 1 - i]);
    if (put && params->cArgs > 0) line += " = " + DescribeVariant(params->rgvarg[0]);
    script_->log.push_back(line);

    auto failure = script_->failures.find(put ? key + " PUT" : key);
    if (failure == script_->failures.end()) failure = script_->failures.find(key);
    if (failure != script_->failures.end()) return Fail(failure->second, info);
    if (put) return S_OK;
    if (result == nullptr) return S_OK;
    VariantInit(result);
    auto value = script_->values.find(key);
    if (value != script_->values.end()) {
      value->second(result);
      return S_OK;
    }
    V_VT(result) = VT_DISPATCH;
    V_DISPATCH(result) = new ScriptObject(key, script_);
    return S_OK;
  }

 private:
  static HRESULT STDMETHODCALLTYPE FillIn(EXCEPINFO* info) {
    info->scode = g_deferred.scode;
    info->wCode = g_deferred.wcode;
    info->bstrSource = SysAllocString(g_deferred.source.c_str());
    info->bstrDescription = SysAllocString(g_deferred.description.c_str());
    info->pfnDeferredFillIn = nullptr;
    return S_OK;
  }

  HRESULT Fail(const ScriptFailure& f, EXCEPINFO* info) {
    if (f.hr != DISP_E_EXCEPTION || info == nullptr) return f.hr;
    *info = EXCEPINFO{};
    if (f.deferred) {
      g_deferred = f;
      info->pfnDeferredFillIn = &FillIn;
      return DISP_E_EXCEPTION;
    }
    info->scode = f.scode;
    info->wCode = f.wcode;
    info->bstrSource = SysAllocString(f.source.c_str());
    info->bstrDescription = SysAllocString(f.description.c_str());
    return DISP_E_EXCEPTION;
  }

  static inline ScriptFailure g_deferred;
  std::string label_;
  std::shared_ptr<Script> script_;
  std::vector<std::wstring> names_;
};

}  // namespace

IDispatch* NewScriptObject(const std::string& label, std::shared_ptr<Script> script) {
  return new ScriptObject(label, std::move(script));
}

std::string DescribeVariant(const VARIANT& v) {
  char number[64];
  switch (V_VT(&v)) {
    case VT_EMPTY: return "EMPTY";
    case VT_I2: std::snprintf(number, sizeof number, "I2 %d", V_I2(&v)); return number;
    case VT_I4: std::snprintf(number, sizeof number, "I4 %ld", static_cast<long>(V_I4(&v))); return number;
    case VT_R8: std::snprintf(number, sizeof number, "R8 %g", V_R8(&v)); return number;
    case VT_BOOL: return V_BOOL(&v) ? "BOOL -1" : "BOOL 0";
    case VT_DATE: std::snprintf(number, sizeof number, "DATE %.17g", V_DATE(&v)); return number;
    case VT_ERROR:
      std::snprintf(number, sizeof number, "ERROR %08lX", static_cast<unsigned long>(V_ERROR(&v)));
      return number;
    case VT_BSTR: return "BSTR " + Utf8(V_BSTR(&v), static_cast<int>(SysStringLen(V_BSTR(&v))));
    case VT_DISPATCH: {
      auto* object = dynamic_cast<ScriptObject*>(V_DISPATCH(&v));
      return std::string("DISPATCH ") + (object ? object->label() : V_DISPATCH(&v) ? "?" : "Nothing");
    }
    default: std::snprintf(number, sizeof number, "VT %d", V_VT(&v)); return number;
  }
}

void Script::Text(const std::string& key, const std::wstring& text) {
  values[key] = [text](VARIANT* v) {
    V_VT(v) = VT_BSTR;
    V_BSTR(v) = SysAllocString(text.c_str());
  };
}
void Script::Number(const std::string& key, double n) {
  values[key] = [n](VARIANT* v) {
    V_VT(v) = VT_R8;
    V_R8(v) = n;
  };
}
void Script::Bool(const std::string& key, bool b) {
  values[key] = [b](VARIANT* v) {
    V_VT(v) = VT_BOOL;
    V_BOOL(v) = b ? VARIANT_TRUE : VARIANT_FALSE;
  };
}
void Script::Date(const std::string& key, double serial) {
  values[key] = [serial](VARIANT* v) {
    V_VT(v) = VT_DATE;
    V_DATE(v) = serial;
  };
}
void Script::Nothing(const std::string& key) {
  values[key] = [](VARIANT* v) {
    V_VT(v) = VT_DISPATCH;
    V_DISPATCH(v) = nullptr;
  };
}

std::string Script::Joined() const {
  std::string all;
  for (const auto& line : log) all += (all.empty() ? "" : "\n") + line;
  return all;
}

}  // namespace tavo::wintest
