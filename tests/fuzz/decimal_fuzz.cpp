// Decimal parsing of what the settings file holds: any text reads as its leading number modulo
// 2^32, and every number the program writes ("%u", "%d") reads back whatever follows it.
#include <algorithm>
#include <string>
#include <string_view>

#include "fuzz_input.h"
#include "settings/ini_text.h"
#include "settings/settings_rules.h"

namespace {

using tintora::fuzz::Require;

constexpr std::string_view kDigits = "0123456789";
// 10^32 is a multiple of 2^32, so a number's last 32 digits decide it modulo 2^32.
constexpr std::size_t kDigitsThatCount = 32;

// The leading number of text, sign included, worked out apart from the parser.
std::uint32_t LeadingNumber(std::string_view text, bool plusTaken) {
    const bool negative = text.starts_with('-');
    if (negative || (plusTaken && text.starts_with('+'))) text.remove_prefix(1);
    std::string_view digits = text.substr(0, text.find_first_not_of(kDigits));
    if (digits.size() > kDigitsThatCount) digits.remove_prefix(digits.size() - kDigitsThatCount);
    unsigned __int128 number = 0;
    for (char d : digits) number = number * 10 + static_cast<unsigned>(d - '0');
    const auto low = static_cast<std::uint32_t>(number);
    return negative ? 0u - low : low;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tintora::fuzz::Input input(data, size);
    const auto number = input.Take<std::uint32_t>();
    const std::vector<char> block = tintora::fuzz::CText(input.Rest());
    const std::string_view text(block.data());

    Require(tintora::ini::ParseInt(text) == LeadingNumber(text, true),
            "an integer read gives the leading number, '+' taken");
    Require(static_cast<std::uint32_t>(tintora::settings::ParseSignedDecimal(block.data())) ==
                LeadingNumber(text, false),
            "a position read gives the leading number, no '+' taken");

    // What follows a written number never starts with a digit of its own.
    const std::string_view after =
        text.substr(std::min(text.find_first_not_of(kDigits), text.size()));
    const std::string unsignedText = std::to_string(number) + std::string(after);
    Require(tintora::ini::ParseInt(unsignedText) == number, "a number written with %u reads back");
    const auto signedNumber = static_cast<std::int32_t>(number);
    const std::string signedText = std::to_string(signedNumber) + std::string(after);
    Require(tintora::settings::ParseSignedDecimal(signedText.c_str()) == signedNumber,
            "a number written with %d reads back");
    return 0;
}
