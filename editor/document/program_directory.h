#pragma once
#include <string>
#include <string_view>

namespace brenmark {

// The directory of the running executable, ending in "/", found once per process.
const std::string& programDirectory();

// Fills each "%s" of a path template in turn, e.g. ("%sPAL/%s.pal", {dir, "DMC"}).
std::string expandPathTemplate(std::string_view pathTemplate, std::initializer_list<std::string_view> args);

inline constexpr std::string_view kPaletteTemplate = "%sPAL/%s.pal";
inline constexpr std::string_view kSystemPaletteTemplate = "%sSysPAL/%s.pal";
inline constexpr std::string_view kPaletteFolderTemplate = "%sPAL";
inline constexpr std::string_view kSystemPaletteFolderTemplate = "%sSysPAL";
inline constexpr std::string_view kSplashTemplate = "%sSysPAL/splash.jpg";
inline constexpr std::string_view kPluginFolderTemplate = "%sDllPin";

}  // namespace brenmark
