// LateWindows: the windows whose Qt libraries are loaded when one of them is first needed, not
// at the start: the curve, interval and page set-up windows (Qt Charts draws the curve) and the
// help window (Qt Help). The desktop program loads them from a module of their own
// (ondrel-late-windows, through LateWindowsLoader); the tests link them in. The program reaches
// them only through these functions and as widgets, so that it links neither library nor any of
// their code (the type checks of a sanitized build included).
#pragma once

class QString;
class QWidget;

namespace ondrel {

struct AppState;
struct Settings;
class CurveWindow;
class HelpWindow;
class IntervalWindow;
class MessageBoxes;
class PageSetupWindow;
class WindowContract;

// A window made from the module, as a widget and as a window that follows a language switch.
struct LateWindow {
    QWidget* widget = nullptr;
    WindowContract* contract = nullptr;
};

// The curve window and the two it works with, made and connected together.
struct CurveWindows {
    CurveWindow* curve = nullptr;
    IntervalWindow* interval = nullptr;
    PageSetupWindow* pageSetup = nullptr;
    LateWindow windows[3];
};

struct HelpWindowMade {
    HelpWindow* help = nullptr;
    LateWindow window;
};

struct LateWindowFunctions {
    CurveWindows (*makeCurveWindows)(AppState& state, MessageBoxes& messages, QWidget* parent);
    // The curve half of the day report, and the position indicator allowed on today only.
    void (*drawDayCurve)(CurveWindow& curve, double curveStart, double curveEnd);
    void (*allowPositionIndicator)(CurveWindow& curve, bool allowed);
    HelpWindowMade (*makeHelpWindow)(const Settings& settings, QWidget* parent);
    bool (*helpIsOpen)(const HelpWindow& help);
    bool (*openHelp)(HelpWindow& help, const QString& collectionFile);
    void (*showHelpTopic)(HelpWindow& help, int context);
};

// The functions of the windows linked in (what the module hands out).
const LateWindowFunctions& LinkedLateWindows();

// The functions the desktop windows use: those of the module, loaded on the first call, or of
// the windows linked in. Null, with `problem` set, when the module cannot be loaded.
const LateWindowFunctions* LateWindows(QString& problem);

} // namespace ondrel
