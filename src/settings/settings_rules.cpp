#include "settings/settings_rules.h"

#include "settings/ini_text.h"

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
    // The integer read's own parse, less the '+' it takes.
    if (*text == '+') return 0;
    return static_cast<std::int32_t>(ini::ParseInt(text));
}

}  // namespace tintora::settings
