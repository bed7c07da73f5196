#pragma once
// A small JSON value for the command-line tools' machine-readable output. Objects keep their
// keys sorted, so the output is stable.

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <variant>
#include <vector>

namespace tvx {

class Json {
  public:
    using Array = std::vector<Json>;
    using Object = std::map<std::string, Json>;

    Json() : value_(nullptr) {}
    Json(std::nullptr_t) : value_(nullptr) {}
    Json(bool b) : value_(b) {}
    Json(int v) : value_(static_cast<std::int64_t>(v)) {}
    Json(std::int64_t v) : value_(v) {}
    Json(double v) : value_(v) {}
    Json(float v) : value_(v) {}  // written as the shortest text of the single value
    Json(const char* s) : value_(std::string(s)) {}
    Json(std::string s) : value_(std::move(s)) {}
    Json(Array a) : value_(std::move(a)) {}
    Json(Object o) : value_(std::move(o)) {}

    static Json MakeArray() { return Json(Array{}); }
    static Json MakeObject() { return Json(Object{}); }

    // Object member access (the value must be an object) and array append.
    Json& operator[](const std::string& key) { return std::get<Object>(value_)[key]; }
    void Push(Json item) { std::get<Array>(value_).push_back(std::move(item)); }

    // Compact text, keys sorted, UTF-8 passed through, control characters escaped.
    std::string Dump() const;

  private:
    void DumpTo(std::string& out) const;
    std::variant<std::nullptr_t, bool, std::int64_t, double, float, std::string, Array, Object>
        value_;
};

}  // namespace tvx
