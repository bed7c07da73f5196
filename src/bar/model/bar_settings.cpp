#include "bar/model/bar_settings.h"

#include "common/number_text.h"

namespace tvx::bar {

BarSettings ParseBarSettings(const std::optional<std::string>& kerfText,
                             const std::optional<std::string>& partCodesText) {
    BarSettings settings;
    if (kerfText) {
        const std::optional<float> kerf = ToSingle(LeadingNumber(*kerfText));
        if (kerf && *kerf > 0.0f) settings.kerf = *kerf;
    }
    if (partCodesText) {
        settings.showPartCodes =
            IsWholeNumberText(*partCodesText) && LeadingNumber(*partCodesText) == 1.0;
    }
    return settings;
}

std::string KerfSettingText(float kerf) {
    return FormatSingle(kerf);
}

std::string PartCodesSettingText(bool showPartCodes) {
    return showPartCodes ? "1" : "0";
}

}  // namespace tvx::bar
