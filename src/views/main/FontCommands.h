// FontCommands: the main window's font menu. "Change the font" applies a face, style and effects
// (never a size) to the controls the windows hand in; "Default font" gives each back the font it
// was built with.
#pragma once

#include "engine/Language.h"
#include "views/common/Widgets.h"

#include <QFont>
#include <QHash>

#include <optional>
#include <vector>

class QFontDialog;
class QWidget;

namespace ondrel {

class FontCommands {
public:
    // The controls of a window, with the fonts they have now as their defaults; a window made
    // after a font was applied takes that font too.
    void add(const std::vector<FontSizedControl>& controls);
    // Applies a face, style and effects; every control keeps its size.
    void apply(const QFont& font);
    void restoreDefaults();
    // Asks for a font in Qt's font dialog (Apply tries it; OK applies it), starting at `current`.
    void choose(QWidget* parent, const QFont& current, Language language);

private:
    static void applyTo(const FontSizedControl& control, const QFont& font);

    std::vector<FontSizedControl> controls_;
    QHash<QWidget*, QFont> builtIn_;
    std::optional<QFont> applied_;
};

// The font commands choose face, style and effects: the size controls of Qt's font dialog are
// hidden.
void HideFontSizeControls(QFontDialog& dialog);

} // namespace ondrel
