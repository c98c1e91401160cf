#pragma once
// A scripted automation object for tests: it answers any member name, logs
// every Invoke as one line ("app.ScreenUpdating PUT BOOL 0"), and returns
// what the script says: a value, a failure, or by default a new child object
// labelled "<label>.<member>" that logs into the same script.
#include <windows.h>
#include <oaidl.h>

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace tavo::wintest {

struct ScriptFailure {
  HRESULT hr = DISP_E_EXCEPTION;  // anything else is returned without EXCEPINFO
  HRESULT scode = 0;
  WORD wcode = 0;
  std::wstring source;
  std::wstring description;
  bool deferred = false;  // fill EXCEPINFO only through pfnDeferredFillIn
};

struct Script {
  std::vector<std::string> log;
  // Results of property gets and method calls by "label.Member".
  std::map<std::string, std::function<void(VARIANT*)>> values;
  // Failures by "label.Member" (any access) or "label.Member PUT".
  std::map<std::string, ScriptFailure> failures;
  std::set<std::wstring> unknown_names;  // GetIDsOfNames rejects these

  void Text(const std::string& key, const std::wstring& text);
  void Number(const std::string& key, double n);
  void Bool(const std::string& key, bool b);
  void Date(const std::string& key, double serial);
  void Nothing(const std::string& key);
  std::string Joined() const;  // the log, one line per access, '\n' between
};

// A new object with one reference.
IDispatch* NewScriptObject(const std::string& label, std::shared_ptr<Script> script);

// "I2 5", "BSTR 宋体", "DISPATCH app.Cells" ...
std::string DescribeVariant(const VARIANT& v);

}  // namespace tavo::wintest
