#pragma once

#include <array>
#include <cstddef>

// Captions and texts of the options window, the help window and the About box.
namespace dialogtexts {

// Joins two literals at compile time, so a text that ends with the web
// address still lives in one table row.
template <std::size_t A, std::size_t B>
constexpr std::array<char, A + B - 1> join(const char (&a)[A], const char (&b)[B])
{
    std::array<char, A + B - 1> out{};
    for (std::size_t i = 0; i + 1 < A; ++i)
        out[i] = a[i];
    for (std::size_t i = 0; i < B; ++i)
        out[A - 1 + i] = b[i];
    return out;
}

inline constexpr char kWebAddress[] = "https://quorvadine.example/";

// Options window.
inline constexpr char kOptionsCaption[] = " Options";
inline constexpr char kBordersOnScenes[] = "Borders on scenes";
inline constexpr char kResolutionAlerts[] = "Screen resolution alerts";
inline constexpr char kShowTips[] = "Show tips at mouse hesitation";
inline constexpr char kColourSchemes[] = " Colour schemes:";
inline constexpr char kSceneLabelSample[] = "Scene Label";
inline constexpr char kBackgroundSample[] = "Quorvadine Background";
inline constexpr char kGoDefaults[] = "Go Defaults";
inline constexpr char kOK[] = "OK";
// What a screen reader reads for a scheme's option button, whose caption is hidden.
inline constexpr char kSchemeName[] = "Colour scheme %1";

// Help window.
inline constexpr char kHelpCaption[] = "Help";
inline constexpr char kClose[] = "Close";
inline constexpr char kTopicsName[] = "Help topics";
inline constexpr char kTopicTextName[] = "Topic";
inline constexpr std::array<const char *, 3> kSleepLetters{"z", "Z", "Z"};

// About box. The description lacks the blank after "animators.": users have
// seen it so since the first release.
inline constexpr char kAboutCaption[] = "About Quorvadine";
inline constexpr auto kDescription = join(
    "This application may be of particular use to designers, cartoonists, script writers, "
    "children book illustrators, directors and animators.Further information can be found at: ",
    kWebAddress);
inline constexpr char kVersion[] = "Version 1.0";
// Short enough to fit beside the OK button.
inline constexpr char kPublisherNotice[] = "\u00A9 2026 Quorvadine";

} // namespace dialogtexts
