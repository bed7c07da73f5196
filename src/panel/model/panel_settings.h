#pragma once
// Tavolex's persisted settings: the keys of its values in the settings store's section, and the
// optimising layout's switch, which lives in a section of its own. The store itself belongs to
// the window layer (common/gui/settings_store.h); the keys are what users' INI files hold.

namespace tvx::panel {

inline constexpr const char* kKerfKey = "Nokome";
inline constexpr const char* kCommentInKey = "ComIn";
inline constexpr const char* kPerRowTurnKey = "KTYFree";
inline constexpr const char* kCutSaleKey = "Cutsell";
inline constexpr const char* kJobFolderKey = "SaveFile";

inline constexpr const char* kOptimizeSection = "OptimizedLayout";
inline constexpr const char* kOptimizeKey = "Enabled";

}  // namespace tvx::panel
