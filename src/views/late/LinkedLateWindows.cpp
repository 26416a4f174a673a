#include "LateWindows.h"

#include "AppState.h"
#include "CurveWindow.h"
#include "HelpWindow.h"
#include "IntervalWindow.h"
#include "PageSetupWindow.h"

namespace ondrel {

namespace {

template <typename Window> LateWindow Late(Window* window) {
    return {window, window};
}

CurveWindows MakeCurveWindows(AppState& state, MessageBoxes& messages, QWidget* parent) {
    CurveWindows made;
    made.curve = new CurveWindow(state, messages, parent);
    made.interval = new IntervalWindow(state, messages, *made.curve, parent);
    made.pageSetup = new PageSetupWindow(state.settings, state.settingsStore, state.help, messages,
                                         made.curve, parent);
    made.curve->setIntervalWindow(made.interval);
    PageSetupWindow* pageSetup = made.pageSetup;
    made.curve->setPageSetupWindow(pageSetup, [pageSetup] { return pageSetup->blackAndWhite(); });
    made.windows[0] = Late(made.curve);
    made.windows[1] = Late(made.interval);
    made.windows[2] = Late(made.pageSetup);
    return made;
}

HelpWindowMade MakeHelpWindow(const Settings& settings, QWidget* parent) {
    auto* help = new HelpWindow(settings, parent);
    return {help, Late(help)};
}

} // namespace

const LateWindowFunctions& LinkedLateWindows() {
    static const LateWindowFunctions functions{
        MakeCurveWindows,
        [](CurveWindow& curve, double start, double end) { curve.drawDayCurve(start, end); },
        [](CurveWindow& curve, bool allowed) { curve.setPositionIndicatorAllowed(allowed); },
        MakeHelpWindow,
        [](const HelpWindow& help) { return help.isOpen(); },
        [](HelpWindow& help, const QString& file) { return help.open(file); },
        [](HelpWindow& help, int context) { help.showTopic(context); },
    };
    return functions;
}

} // namespace ondrel
