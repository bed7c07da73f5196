#pragma once
// Quorlin's persisted settings: their keys in the settings store and how their values are
// written and read back. The store, with the application and section both programs share,
// belongs to the window layer (`src/common/gui/settings_store.h`).

#include <optional>
#include <string>
#include <string_view>

namespace tvx::bar {

inline constexpr const char* kKerfKey = "BNokome";
inline constexpr const char* kPartCodesKey = "BKataban";
inline constexpr const char* kFolderKey = "BouFile";

struct BarSettings {
    float kerf = 0.0f;
    bool showPartCodes = false;
};

// Values as found in the store (nullopt when the key is missing). A kerf that is not a
// number, negative or beyond single precision reads as 0; the part-code display is on only
// for the value 1.
BarSettings ParseBarSettings(const std::optional<std::string>& kerfText,
                             const std::optional<std::string>& partCodesText);

std::string KerfSettingText(float kerf);
std::string PartCodesSettingText(bool showPartCodes);

}  // namespace tvx::bar
