#pragma once
#include <string>

// Everything declared here is the SDK's public interface, exported from hostsdk.
#pragma GCC visibility push(default)

// The host's text type.
class CStr {
  public:
    CStr() = default;
    CStr(const char* s) : text_(s ? s : "") {}
    CStr(std::string s) : text_(std::move(s)) {}

    const char* data() const { return text_.c_str(); }
    const std::string& str() const { return text_; }
    int Length() const { return static_cast<int>(text_.size()); }
    bool operator==(const CStr&) const = default;

  private:
    std::string text_;
};

#pragma GCC visibility pop
