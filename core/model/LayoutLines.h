#pragma once
// The reading side of the layout and block files below the records: lines taken from a
// buffer or a file, and the `name="value"` attributes of one line.

#include "core/model/LayoutFile.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace plandor::layoutfile {

// Far above any real layout file; a larger file is refused before it is read.
constexpr std::uintmax_t kMaxFileBytes = 256u << 20;

constexpr std::size_t kMaxAttributesPerLine = 64;

// Loading spends much of its time here: a search for the tag's first character, then a
// plain comparison of the few characters after it.
inline bool contains(std::string_view line, std::string_view tag) {
    const std::size_t n = tag.size();
    for (std::size_t at = line.find(tag[0]); at != std::string_view::npos && n <= line.size() - at;
         at = line.find(tag[0], at + 1)) {
        std::size_t i = 1;
        while (i < n && line[at + i] == tag[i])
            ++i;
        if (i == n)
            return true;
    }
    return false;
}

// An attribute value with its entities turned back into characters.
std::string unescapeText(std::string_view v);

// The attributes of one line, in order. A name counts only where an attribute starts:
// after a blank and directly before `="`; the value runs to the next double quote.
// Values never hold a double quote (it is written as an entity), so walking the pairs
// in order never mistakes the inside of a value for an attribute.
// Index of the first quote at or after `from` in p[0, n), or n. Sixteen characters at a time
// where the processor allows: the stretches between quotes are short, but there are millions.
inline std::size_t findQuote(const char* p, std::size_t from, std::size_t n) {
#if defined(__SSE2__)
    const __m128i quote = _mm_set1_epi8('"');
    for (; from + 16 <= n; from += 16) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + from));
        const auto mask = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(chunk, quote)));
        if (mask)
            return from + static_cast<std::size_t>(__builtin_ctz(mask));
    }
#endif
    while (from < n && p[from] != '"')
        ++from;
    return from;
}

class Attributes {
  public:
    // Every value sits between a `="` and the next quote, so the line is read quote to quote;
    // a quote not preceded by '=' is skipped.
    void parse(std::string_view line) {
        count_ = 0;
        const char* const p = line.data();
        const std::size_t n = line.size();
        std::size_t from = 0;
        std::size_t quote = 0;
        while (true) {
            quote = findQuote(p, quote, n);
            if (quote >= n)
                return;
            if (quote == from || p[quote - 1] != '=') {
                from = ++quote;
                continue;
            }
            const std::size_t eq = quote - 1;
            const std::size_t valueStart = quote + 1;
            const std::size_t valueEnd = findQuote(p, valueStart, n);
            if (valueEnd >= n)
                return;
            // The name starts after the last blank before the '=', or at `from`.
            std::size_t nameStart = eq;
            while (nameStart > from && !isBlank(p[nameStart - 1]))
                --nameStart;
            if (nameStart < eq && nameStart > 0 && isBlank(p[nameStart - 1])) {
                // No record has more than a dozen attributes; a damaged line cannot make
                // the list grow with its length.
                if (count_ == kMaxAttributesPerLine)
                    return;
                list_[count_++] = {line.substr(nameStart, eq - nameStart),
                                   line.substr(valueStart, valueEnd - valueStart)};
            }
            from = quote = valueEnd + 1;
        }
    }

    const std::string_view* raw(std::string_view name) const {
        // The first character settles most comparisons without a call.
        for (std::size_t i = 0; i < count_; ++i) {
            const Entry& e = list_[i];
            if (e.name.size() == name.size() && e.name[0] == name[0] && e.name == name)
                return &e.value;
        }
        return nullptr;
    }
    std::string text(std::string_view name) const;

  private:
    static bool isBlank(char c) { return c == ' ' || c == '\t'; }
    struct Entry {
        std::string_view name;
        std::string_view value;
    };
    std::array<Entry, kMaxAttributesPerLine> list_;
    std::size_t count_ = 0;
};

inline std::string Attributes::text(std::string_view name) const {
    const std::string_view* v = raw(name);
    return v ? unescapeText(*v) : std::string();
}

// Lines of a whole file held in memory; a carriage return before the line feed is dropped.
class BufferLines {
  public:
    explicit BufferLines(std::string_view text) : text_(text) {}
    bool next(std::string_view& line) {
        if (pos_ >= text_.size())
            return false;
        std::size_t end = text_.find('\n', pos_);
        if (end == std::string_view::npos)
            end = text_.size();
        line = text_.substr(pos_, end - pos_);
        pos_ = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        return true;
    }
    std::size_t remainingBytes() const { return pos_ < text_.size() ? text_.size() - pos_ : 0; }

  private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

// Lines of a file read a block at a time, so a large layout never sits in memory whole. The
// lines are the ones BufferLines gives for the same bytes. Reading stops, and says so, when the
// file turns out larger than any layout can be or cannot be read to its end.
class FileLines {
  public:
    // `progress`, when given, hears the share of the file read so far, in percent, after each
    // block.
    FileLines(std::FILE* file, std::size_t expectedSize,
              std::function<void(int)> progress = nullptr)
        : file_(file), expected_(expectedSize), buffer_(kBlockBytes),
          progress_(std::move(progress)) {}
    bool next(std::string_view& line) {
        while (true) {
            const char* at = buffer_.data();
            if (const void* nl = std::memchr(at + begin_, '\n', end_ - begin_)) {
                const auto end = static_cast<std::size_t>(static_cast<const char*>(nl) - at);
                return take(line, end, end + 1);
            }
            if (ended_)
                return begin_ < end_ && take(line, end_, end_);
            refill();
        }
    }
    std::size_t remainingBytes() const { return expected_ > used_ ? expected_ - used_ : 0; }
    FileRead outcome() const { return outcome_; }

  private:
    static constexpr std::size_t kBlockBytes = 1 << 20;

    bool take(std::string_view& line, std::size_t end, std::size_t next) {
        line = std::string_view(buffer_.data() + begin_, end - begin_);
        used_ += next - begin_;
        begin_ = next;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        return true;
    }
    void refill() {
        // The unfinished line moves to the front; a line longer than the buffer widens it.
        std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
        end_ -= begin_;
        begin_ = 0;
        if (end_ == buffer_.size())
            buffer_.resize(std::min<std::size_t>(buffer_.size() * 2, kMaxFileBytes + 1));
        const std::size_t n = std::fread(buffer_.data() + end_, 1, buffer_.size() - end_, file_);
        end_ += n;
        read_ += n;
        if (progress_ && expected_ > 0)
            progress_(static_cast<int>(std::min<std::size_t>(read_, expected_) * 100 / expected_));
        if (read_ > kMaxFileBytes)
            stop(FileRead::TooLarge);
        else if (n == 0)
            stop(std::ferror(file_) ? FileRead::Unreadable : FileRead::Ok);
    }
    void stop(FileRead outcome) {
        ended_ = true;
        outcome_ = outcome;
        if (outcome != FileRead::Ok)
            begin_ = end_ = 0; // nothing more is handed out
    }

    std::FILE* file_;
    std::size_t expected_;
    std::vector<char> buffer_;
    std::function<void(int)> progress_;
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
    std::size_t read_ = 0;
    std::size_t used_ = 0;
    bool ended_ = false;
    FileRead outcome_ = FileRead::Ok;
};

// The size of a regular file of at most kMaxFileBytes.
FileRead layoutFileSize(const std::string& path, std::size_t& size);

} // namespace plandor::layoutfile
