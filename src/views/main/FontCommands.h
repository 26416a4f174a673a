// FontCommands: the main window's font menu. "Change the font" applies a face, style and effects
// (never a size) to the controls the windows hand in; "Default font" gives each back the font it
// was built with.
#pragma once

#include "Language.h"
#include "Widgets.h"

#include <QFont>
#include <QHash>

#include <vector>

class QFontDialog;
class QWidget;

namespace ondrel {

class FontCommands {
public:
    // The controls of a window, with the fonts they have now as their defaults.
    void add(const std::vector<FontSizedControl>& controls);
    // Applies a face, style and effects; every control keeps its size.
    void apply(const QFont& font) const;
    void restoreDefaults() const;
    // Asks for a font in Qt's font dialog (Apply tries it; OK applies it), starting at `current`.
    void choose(QWidget* parent, const QFont& current, Language language) const;

private:
    std::vector<FontSizedControl> controls_;
    QHash<QWidget*, QFont> builtIn_;
};

// The font commands choose face, style and effects: the size controls of Qt's font dialog are
// hidden.
void HideFontSizeControls(QFontDialog& dialog);

} // namespace ondrel
