#pragma once
// Money: whole öre in a 64-bit integer. Stored and shown as "%.2f" text
// (point, two decimals, leading minus, no thousands separator, never "-0.00").
#include <QString>
#include <compare>
#include <cstdint>
#include <optional>

namespace mv {

class Amount {
public:
    constexpr Amount() = default;
    static constexpr Amount fromOre(std::int64_t ore) { return Amount(ore); }
    static constexpr Amount fromKronor(std::int64_t kronor) { return Amount(kronor * 100); }

    constexpr std::int64_t ore() const { return ore_; }
    constexpr bool isZero() const { return ore_ == 0; }

    // Stored values: leading blanks skipped, reading stops at the first
    // character that cannot continue the number, nothing readable is 0.
    // More than two decimals round half away from zero.
    static Amount parseLenient(const QString& text);

    // Typed values: optional blanks around, an optional minus, digits and at
    // most two decimals after "." or ",". Anything else is refused.
    static std::optional<Amount> parseStrict(const QString& text);

    QString toText() const; // "%.2f"

    // value * numerator / denominator rounded once to whole öre, half away from zero.
    Amount mulDiv(std::int64_t numerator, std::int64_t denominator) const;
    // A whole percentage of the amount, rounded as mulDiv.
    Amount percent(std::int64_t rate) const { return mulDiv(rate, 100); }

    constexpr Amount operator-() const { return Amount(-ore_); }
    constexpr Amount operator+(Amount o) const { return Amount(ore_ + o.ore_); }
    constexpr Amount operator-(Amount o) const { return Amount(ore_ - o.ore_); }
    constexpr Amount& operator+=(Amount o) { ore_ += o.ore_; return *this; }
    constexpr Amount& operator-=(Amount o) { ore_ -= o.ore_; return *this; }
    constexpr auto operator<=>(const Amount&) const = default;

private:
    constexpr explicit Amount(std::int64_t ore) : ore_(ore) {}
    std::int64_t ore_ = 0;
};

// Reads a stored total file (missing or unreadable is 0.00).
Amount readAmountFile(const QString& path);
// Writes "value\n" in one atomic write; 0, 2 or 3 as the file primitives.
int writeAmountFile(const QString& path, Amount value);
// Reads, adds and writes back a total file; 0, 2 or 3.
int addToAmountFile(const QString& path, Amount delta);

} // namespace mv
