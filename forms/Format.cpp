#include "forms/Format.h"

#include <charconv>
#include <climits>
#include <cstddef>
#include <optional>

namespace forms {

namespace {

// Specifier numbers stop growing here; an index this large is past the end
// of any list anyway.
constexpr long long kNumberCap = INT_MAX;
// A wider field or longer precision is refused rather than allocated: a
// typed "%999999999p" must not ask for a gigabyte.
constexpr long long kMaxWidth = 65535;

[[noreturn]] void Fail(std::string_view format) {
    throw EConvertError("Format '" + std::string(format) + "' invalid or incompatible with argument");
}

// ---- integers -------------------------------------------------------------

std::string Digits(std::uint64_t value, unsigned base) {
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, value, static_cast<int>(base));
    std::string s(buf, r.ptr);
    for (char& c : s)
        if (c >= 'a' && c <= 'f') c = static_cast<char>(c - 'a' + 'A');
    return s;
}

// Pads with leading zeros to at least minDigits digits.
void ZeroPad(std::string& digits, int minDigits) {
    if (minDigits > 0 && digits.size() < static_cast<std::size_t>(minDigits))
        digits.insert(0, static_cast<std::size_t>(minDigits) - digits.size(), '0');
}

// ---- the template ---------------------------------------------------------

class Formatter {
public:
    Formatter(std::string_view format, std::span<const FormatArg> args) : format_(format), args_(args) {}

    std::string Run() {
        std::string out;
        while (pos_ < format_.size()) {
            const std::size_t percent = format_.find('%', pos_);
            if (percent == std::string_view::npos) {
                out.append(format_.substr(pos_));
                break;
            }
            out.append(format_.substr(pos_, percent - pos_));
            pos_ = percent + 1;
            if (pos_ < format_.size() && format_[pos_] == '%') {
                out += '%';
                ++pos_;
                continue;
            }
            out += Specifier();
        }
        return out;
    }

private:
    char Peek() const { return pos_ < format_.size() ? format_[pos_] : '\0'; }

    const FormatArg& NextArg() {
        if (next_ >= args_.size()) Fail(format_);
        return args_[next_++];
    }

    // Digits, or "*" for an integer taken from the arguments; nothing if
    // neither is there.
    std::optional<long long> Number() {
        if (Peek() == '*') {
            ++pos_;
            const FormatArg& arg = NextArg();
            if (const auto* i = std::get_if<std::int32_t>(&arg)) return *i;
            if (const auto* l = std::get_if<std::int64_t>(&arg)) {
                if (*l < INT_MIN || *l > INT_MAX) Fail(format_);
                return *l;
            }
            Fail(format_);
        }
        if (Peek() < '0' || Peek() > '9') return std::nullopt;
        long long n = 0;
        while (Peek() >= '0' && Peek() <= '9') {
            n = n * 10 + (Peek() - '0');
            if (n > kNumberCap) n = kNumberCap;
            ++pos_;
        }
        return n;
    }

    // Everything after the "%": [index ":"] ["-"] [width] ["." precision] type.
    std::string Specifier() {
        bool left = false;
        std::optional<long long> number = Number();
        if (number && Peek() == ':') {
            ++pos_;
            if (*number < 0 || *number >= static_cast<long long>(args_.size())) Fail(format_);
            next_ = static_cast<std::size_t>(*number);
            number.reset();
        }
        if (!number) {
            if (Peek() == '-') {
                left = true;
                ++pos_;
            }
            number = Number();
        }
        long long width = number.value_or(0);
        if (width < 0) {  // a negative "*" width justifies to the left
            left = true;
            width = -width;
        }
        long long precision = -1;
        if (Peek() == '.') {
            ++pos_;
            precision = Number().value_or(0);
            if (precision < 0) precision = -1;
        }
        if (width > kMaxWidth || precision > kMaxWidth) Fail(format_);
        if (pos_ >= format_.size()) Fail(format_);
        char type = format_[pos_++];
        if (type >= 'A' && type <= 'Z') type = static_cast<char>(type - 'A' + 'a');

        std::string text = Convert(type, NextArg(), static_cast<int>(precision));
        if (static_cast<long long>(text.size()) < width) {
            const std::size_t fill = static_cast<std::size_t>(width) - text.size();
            if (left)
                text.append(fill, ' ');
            else
                text.insert(0, fill, ' ');
        }
        return text;
    }

    std::string Convert(char type, const FormatArg& arg, int precision) {
        const auto* i32 = std::get_if<std::int32_t>(&arg);
        const auto* i64 = std::get_if<std::int64_t>(&arg);
        switch (type) {
            case 'd': {
                if (!i32 && !i64) break;
                const long long v = i32 ? *i32 : *i64;
                const std::uint64_t magnitude =
                    v < 0 ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
                std::string s = Digits(magnitude, 10);
                ZeroPad(s, precision);
                return (v < 0 ? "-" : "") + s;
            }
            case 'u':
            case 'x': {
                if (!i32 && !i64) break;
                // The value's own bits: a negative 32-bit value reads as 32 bits.
                const std::uint64_t bits = i32 ? static_cast<std::uint32_t>(*i32) : static_cast<std::uint64_t>(*i64);
                std::string s = Digits(bits, type == 'u' ? 10 : 16);
                ZeroPad(s, precision);
                return s;
            }
            case 'p':
                if (const auto* p = std::get_if<const void*>(&arg)) {
                    std::string s = Digits(reinterpret_cast<std::uintptr_t>(*p), 16);
                    ZeroPad(s, static_cast<int>(2 * sizeof(void*)));
                    return s;
                }
                break;
            case 's': {
                std::string s;
                if (const auto* str = std::get_if<std::string>(&arg))
                    s = *str;
                else if (const auto* c = std::get_if<char>(&arg))
                    s = std::string(1, *c);
                else
                    break;
                if (precision >= 0 && s.size() > static_cast<std::size_t>(precision))
                    s.resize(static_cast<std::size_t>(precision));
                return s;
            }
            default: break;
        }
        Fail(format_);
    }

    std::string_view format_;
    std::span<const FormatArg> args_;
    std::size_t pos_ = 0;
    std::size_t next_ = 0;
};

}  // namespace

std::string Format(std::string_view format, std::span<const FormatArg> args) { return Formatter(format, args).Run(); }

}  // namespace forms
