// The program's version text, its home page and its contact address: shown by the about box and
// by every window or message that points the user to the project.
#pragma once

namespace ondrel {

inline constexpr char kVersionText[] = "version 4.6.6";
inline constexpr char kHomePage[] = "https://ondrel.org";
inline constexpr char kContactAddress[] = "contact@ondrel.org";
inline constexpr char kContactUrl[] = "mailto:contact@ondrel.org";
inline constexpr char kLicence[] = "GPL-3.0-or-later";

} // namespace ondrel
