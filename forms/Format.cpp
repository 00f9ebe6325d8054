#include "forms/Format.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <cstddef>
#include <optional>
#include <system_error>

namespace forms {

namespace {

// Float output: default significant digits of e and g, default decimals of
// f, n and m, and the largest precision honoured for floats.
constexpr int kDefaultDigits = 15;
constexpr int kDefaultDecimals = 2;
constexpr int kMaxFloatPrecision = 18;
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

// ---- floats ---------------------------------------------------------------

// A finite value as decimal digits: |value| = 0.d1d2d3... * 10^exponent.
// The digits carry no leading or trailing zeros; none at all means zero.
struct Decimal {
    std::string digits;
    int exponent = 0;
    bool negative = false;
};

// The exact decimal expansion of the value. A double's expansion has at most
// 767 significant digits, so asking for that many loses nothing, and all
// rounding afterwards is done on the exact value.
Decimal Decompose(double value) {
    Decimal d;
    d.negative = std::signbit(value);
    value = std::fabs(value);
    if (value == 0) return d;

    char buf[800];
    const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 767);
    const std::string_view text(buf, static_cast<std::size_t>(r.ptr - buf));
    const std::size_t e = text.find('e');
    for (std::size_t i = 0; i < e; ++i)
        if (text[i] != '.') d.digits += text[i];
    int exp10 = 0;
    const char* expBegin = text.data() + e + 1;
    if (*expBegin == '+') ++expBegin;
    std::from_chars(expBegin, text.data() + text.size(), exp10);
    d.exponent = exp10 + 1;
    while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
    return d;
}

// Keeps the first `keep` digits, rounding half away from zero.
void RoundTo(Decimal& d, int keep) {
    if (keep >= static_cast<int>(d.digits.size())) return;
    if (keep < 0) {
        d.digits.clear();
        d.exponent = 0;
        return;
    }
    const bool up = d.digits[static_cast<std::size_t>(keep)] >= '5';
    d.digits.resize(static_cast<std::size_t>(keep));
    if (up) {
        while (!d.digits.empty() && d.digits.back() == '9') d.digits.pop_back();
        if (d.digits.empty()) {
            d.digits = "1";
            ++d.exponent;
        } else {
            ++d.digits.back();
        }
    }
    while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
    if (d.digits.empty()) d.exponent = 0;
}

// The digit at position i of the expansion (0 is the first digit), zero
// outside the stored ones.
char DigitAt(const Decimal& d, long long i) {
    return i >= 0 && i < static_cast<long long>(d.digits.size()) ? d.digits[static_cast<std::size_t>(i)] : '0';
}

// A rounded-to-zero value shows no sign.
std::string Sign(const Decimal& d) { return d.negative && !d.digits.empty() ? "-" : ""; }

std::string ExponentText(int exponent) {
    std::string s = Digits(static_cast<std::uint64_t>(exponent < 0 ? -static_cast<long long>(exponent) : exponent), 10);
    ZeroPad(s, 3);
    return (exponent < 0 ? "E-" : "E+") + s;
}

// "-d.ddd...E+ddd" with `digits` significant digits.
std::string Scientific(double value, int digits) {
    Decimal d = Decompose(value);
    RoundTo(d, digits);
    std::string s = Sign(d);
    s += DigitAt(d, 0);
    if (digits > 1) {
        s += '.';
        for (int i = 1; i < digits; ++i) s += DigitAt(d, i);
    }
    return s + ExponentText(d.digits.empty() ? 0 : d.exponent - 1);
}

// The integer part and `decimals` decimals; `grouped` puts a "," between
// groups of three integer digits.
struct FixedText {
    std::string sign, integer, fraction;
};

FixedText Fixed(double value, int decimals, bool grouped) {
    Decimal d = Decompose(value);
    RoundTo(d, d.exponent + decimals);
    FixedText t;
    t.sign = Sign(d);
    if (d.digits.empty() || d.exponent <= 0)
        t.integer = "0";
    else
        for (int i = 0; i < d.exponent; ++i) t.integer += DigitAt(d, i);
    if (grouped)
        for (std::size_t at = t.integer.size(); at > 3; at -= 3) t.integer.insert(at - 3, 1, ',');
    for (int i = 0; i < decimals; ++i) t.fraction += DigitAt(d, static_cast<long long>(d.exponent) + i);
    return t;
}

std::string Join(const FixedText& t) { return t.integer + (t.fraction.empty() ? "" : "." + t.fraction); }

// The shorter of fixed and scientific notation with `digits` significant
// digits, without trailing zeros. Fixed is used while the integer part has
// no more than `digits` digits and the value is at least 0.00001.
std::string General(double value, int digits) {
    Decimal d = Decompose(value);
    RoundTo(d, digits);
    if (d.digits.empty()) return "0";
    std::string s = Sign(d);
    const int n = static_cast<int>(d.digits.size());
    if (d.exponent <= digits && d.exponent >= -4) {
        if (d.exponent <= 0) {
            s += "0.";
            s.append(static_cast<std::size_t>(-d.exponent), '0');
            s += d.digits;
        } else if (d.exponent >= n) {
            s += d.digits;
            s.append(static_cast<std::size_t>(d.exponent - n), '0');
        } else {
            s += d.digits.substr(0, static_cast<std::size_t>(d.exponent));
            s += '.';
            s += d.digits.substr(static_cast<std::size_t>(d.exponent));
        }
        return s;
    }
    s += d.digits[0];
    if (n > 1) s += "." + d.digits.substr(1);
    return s + ExponentText(d.exponent - 1);
}

// e, f, g, n, m of one value; precision < 0 means the default.
std::string FloatText(char type, double value, int precision) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
    switch (type) {
        case 'e':
        case 'g': {
            int digits = precision < 0 ? kDefaultDigits : precision;
            if (digits < 1) digits = 1;
            if (digits > kMaxFloatPrecision) digits = kMaxFloatPrecision;
            return type == 'e' ? Scientific(value, digits) : General(value, digits);
        }
        default: {
            int decimals = precision < 0 ? kDefaultDecimals : precision;
            if (decimals > kMaxFloatPrecision) decimals = kMaxFloatPrecision;
            const FixedText t = Fixed(value, decimals, type != 'f');
            return t.sign + (type == 'm' ? "$" : "") + Join(t);
        }
    }
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
            case 'e':
            case 'f':
            case 'g':
            case 'n':
            case 'm':
                if (const auto* v = std::get_if<double>(&arg)) return FloatText(type, *v, precision);
                break;
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
