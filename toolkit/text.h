// An owned, NUL-terminated GBK text. Empty and absent are the same.
#pragma once
#include <cstddef>

namespace tk {

class Text {
 public:
  Text() = default;
  explicit Text(const char* s);
  Text(const char* s, size_t length);
  Text(Text&& other) noexcept;
  Text& operator=(Text&& other) noexcept;
  Text(const Text&) = delete;
  Text& operator=(const Text&) = delete;
  ~Text();

  const char* c_str() const { return data_ ? data_ : ""; }
  size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }

  // A new text: this one followed by `tail`.
  Text Concat(const char* tail) const;

 private:
  char* data_ = nullptr;
  size_t size_ = 0;
};

}  // namespace tk
