// Number parsing of what the settings file holds: an integer read gives the leading number
// modulo 2^32, in the base its prefix names; a position read the leading decimal number; and
// every number the program writes ("%u", "%d") reads back whatever follows it.
#include <algorithm>
#include <string>
#include <string_view>

#include "fuzz_input.h"
#include "settings/ini_text.h"
#include "settings/settings_rules.h"

namespace {

using tintora::fuzz::Require;

constexpr std::string_view kDigitsAndLetters =
    "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";

unsigned DigitValue(char c) {
    const std::size_t at = kDigitsAndLetters.find(c);
    return at == std::string_view::npos ? 99 : static_cast<unsigned>(at < 36 ? at : at - 26);
}

// The leading number of text, worked out apart from the parsers. The integer read skips
// control characters and blanks, takes '+' as well as '-', and a "0x", "0o" or "0b" prefix.
std::uint32_t LeadingNumber(std::string_view text, bool integerRead) {
    while (integerRead && !text.empty() && static_cast<unsigned char>(text[0]) <= ' ') text.remove_prefix(1);
    const bool negative = text.starts_with('-');
    if (negative || (integerRead && text.starts_with('+'))) text.remove_prefix(1);
    unsigned base = 10;
    if (integerRead && text.size() >= 2 && text[0] == '0') {
        base = text[1] == 'x' ? 16 : text[1] == 'o' ? 8 : text[1] == 'b' ? 2 : 10;
        if (base != 10) text.remove_prefix(2);
    }
    std::uint64_t low = 0;  // exact modulo 2^32 however many digits
    for (char d : text) {
        if (DigitValue(d) >= base) break;
        low = (low * base + DigitValue(d)) & 0xFFFFFFFFu;
    }
    return negative ? 0u - static_cast<std::uint32_t>(low) : static_cast<std::uint32_t>(low);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tintora::fuzz::Input input(data, size);
    const auto number = input.Take<std::uint32_t>();
    const std::vector<char> block = tintora::fuzz::CText(input.Rest());
    const std::string_view text(block.data());

    Require(tintora::ini::ParseInt(text) == LeadingNumber(text, true),
            "an integer read gives the leading number, blanks, '+' and base prefixes taken");
    Require(static_cast<std::uint32_t>(tintora::settings::ParseSignedDecimal(block.data())) ==
                LeadingNumber(text, false),
            "a position read gives the leading number, no '+' taken");

    // What follows a written number never starts with a digit or a letter of its own.
    const std::string_view after =
        text.substr(std::min(text.find_first_not_of(kDigitsAndLetters), text.size()));
    const std::string unsignedText = std::to_string(number) + std::string(after);
    Require(tintora::ini::ParseInt(unsignedText) == number, "a number written with %u reads back");
    const auto signedNumber = static_cast<std::int32_t>(number);
    const std::string signedText = std::to_string(signedNumber) + std::string(after);
    Require(tintora::settings::ParseSignedDecimal(signedText.c_str()) == signedNumber,
            "a number written with %d reads back");
    return 0;
}
