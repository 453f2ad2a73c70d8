#include "settings/settings_rules.h"

namespace tintora::settings {

std::uint32_t ApplyRule(const IntSetting& setting, std::uint32_t read) {
    switch (setting.rule) {
    case IntRule::Flag:
        return read != 0 ? 1 : 0;
    case IntRule::InRange:
        return read >= setting.low && read <= setting.high ? read : setting.defaultValue;
    case IntRule::OddInRange:
        return read >= setting.low && read <= setting.high && read % 2 == 1 ? read : setting.defaultValue;
    case IntRule::AsRead:
        break;
    }
    return read;
}

std::int32_t ParseSignedDecimal(const char* text) {
    const bool negative = *text == '-';
    if (negative) ++text;
    std::uint32_t value = 0;
    for (; *text >= '0' && *text <= '9'; ++text) value = value * 10u + static_cast<std::uint32_t>(*text - '0');
    return static_cast<std::int32_t>(negative ? 0u - value : value);
}

}  // namespace tintora::settings
