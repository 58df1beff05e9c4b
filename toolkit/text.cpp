#include "toolkit/text.h"

#include <cstdlib>
#include <cstring>

namespace tk {

Text::Text(const char* s) : Text(s, s ? std::strlen(s) : 0) {}

Text::Text(const char* s, size_t length) {
  if (length == 0) return;
  data_ = static_cast<char*>(std::malloc(length + 1));
  if (!data_) std::abort();
  std::memcpy(data_, s, length);
  data_[length] = '\0';
  size_ = length;
}

Text::Text(Text&& other) noexcept : data_(other.data_), size_(other.size_) {
  other.data_ = nullptr;
  other.size_ = 0;
}

Text& Text::operator=(Text&& other) noexcept {
  if (this != &other) {
    std::free(data_);
    data_ = other.data_;
    size_ = other.size_;
    other.data_ = nullptr;
    other.size_ = 0;
  }
  return *this;
}

Text::~Text() { std::free(data_); }

Text Text::Concat(const char* tail) const {
  size_t tailLength = tail ? std::strlen(tail) : 0;
  Text joined;
  if (size_ + tailLength == 0) return joined;
  joined.data_ = static_cast<char*>(std::malloc(size_ + tailLength + 1));
  if (!joined.data_) std::abort();
  if (size_) std::memcpy(joined.data_, data_, size_);
  if (tailLength) std::memcpy(joined.data_ + size_, tail, tailLength);
  joined.size_ = size_ + tailLength;
  joined.data_[joined.size_] = '\0';
  return joined;
}

}  // namespace tk
