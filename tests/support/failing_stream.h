#pragma once
// Streams for tests of readers and writers: one that fails after a number of bytes, so write
// errors can be provoked without touching the disk.

#include <ostream>
#include <streambuf>

namespace tvx::test {

class FailingStreambuf : public std::streambuf {
  public:
    explicit FailingStreambuf(std::size_t acceptBytes) : left_(acceptBytes) {}

  protected:
    int_type overflow(int_type ch) override {
        if (traits_type::eq_int_type(ch, traits_type::eof())) return traits_type::not_eof(ch);
        if (left_ == 0) return traits_type::eof();
        --left_;
        return ch;
    }
    std::streamsize xsputn(const char*, std::streamsize count) override {
        const auto taken = static_cast<std::streamsize>(
            std::min<std::size_t>(left_, static_cast<std::size_t>(count)));
        left_ -= static_cast<std::size_t>(taken);
        return taken;
    }

  private:
    std::size_t left_;
};

// An output stream that accepts `acceptBytes` bytes and then fails.
class FailingOStream : public std::ostream {
  public:
    explicit FailingOStream(std::size_t acceptBytes = 0)
        : std::ostream(nullptr), buffer_(acceptBytes) {
        rdbuf(&buffer_);
    }

  private:
    FailingStreambuf buffer_;
};

}  // namespace tvx::test
