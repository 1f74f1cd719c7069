// Formatted appending into a fixed buffer: what does not fit is cut, and the
// buffer always ends with a terminator.
#pragma once
#include <cstdarg>
#include <cstddef>
#include <cstdio>

class BoundedText {
  public:
    BoundedText(char* buffer, size_t capacity) : buffer_(buffer), capacity_(capacity) { buffer_[0] = '\0'; }
    void Put(char c) {
        if (used_ + 1 >= capacity_) return;
        buffer_[used_++] = c;
        buffer_[used_] = '\0';
    }
    void Add(const char* format, ...) __attribute__((format(printf, 2, 3))) {
        if (used_ + 1 >= capacity_) return;
        va_list args;
        va_start(args, format);
        int n = std::vsnprintf(buffer_ + used_, capacity_ - used_, format, args);
        va_end(args);
        if (n > 0) used_ = size_t(n) < capacity_ - used_ ? used_ + size_t(n) : capacity_ - 1;
    }

  private:
    char* buffer_;
    size_t capacity_;
    size_t used_ = 0;
};
