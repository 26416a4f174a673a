// CurveWindow: the water-height curve window. The day curve of the selected day (or the coming week
// or month), the cross-hair readouts, the blinking position indicator, the colours, 3-D, the
// copy, the saved image and the printed page.
#pragma once

#include "views/common/WindowContract.h"

#include "chart/CurveChart.h"

#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <memory>

class QAction;
class QChartView;
class QLabel;
class QMenu;
class QPrinter;
class QProgressBar;
class QPushButton;
class QTimer;

namespace ondrel {

struct AppState;
class MessageBoxes;

// Where the window's controls go for a client area of `client`: the chart, the two readouts and
// Panel1 six pixels below it (Panel1 centred, the height readout 90 pixels from the right edge),
// the progress bar 35 pixels below the chart, centred.
struct CurveWindowGeometry {
    QRect chart, heure, hauteur, panel, progress;
};
CurveWindowGeometry CurveWindowLayout(const QSize& client, const QSize& panel, const QSize& readout,
                                      const QSize& progress);

class CurveWindow : public ActivatedWindow<QMainWindow> {
    Q_OBJECT
public:
    CurveWindow(AppState& state, MessageBoxes& messages, QWidget* parent = nullptr);
    ~CurveWindow() override;
    void retranslate() override;
    // A language switch refreshes the whole window, as an activation does.
    void followLanguage() override { onActivated(); }

    CurveChart* chart() const { return chart_; }
    QChartView* chartView() const { return view_; }
    bool curveComputed() const { return curveComputed_; }

    // The curve half of the day report: the curve from curveStart to curveEnd, every 0.003472
    // day. Shows the window.
    void drawDayCurve(double curveStart, double curveEnd);
    // The week (7) or month (31) curve from the selected day.
    void drawSpan(int spanDays);
    void drawSelectedDay();

    // Title, foot and colours from the present state.
    void refreshChart();
    void onActivated() override;

    void togglePositionIndicator();
    void updatePositionIndicator();
    // The date window allows the indicator on today only; it is switched off on every new date.
    void setPositionIndicatorAllowed(bool allowed);
    bool indicatorOn() const;
    bool elementsOn() const;
    bool cursorOn() const;
    bool threeDOn() const;

    void toggleElements();
    void toggleCursor();
    void toggleThreeD();

    // The cross-hair for a mouse at `position` of the chart.
    void chartMouseMove(const QPointF& position);

    void chooseCurveColour();
    void chooseBackgroundColour();
    void applyCurveColour(const QColor& colour);
    void applyBackgroundColour(const QColor& colour);
    void restoreDefaultColours();

    void copyToClipboard();
    void saveImageAs();
    // Writes the chart at its on-screen size; an error is reported and nothing else changes.
    bool saveImage(const QString& file);
    void printChart();
    // Prints the chart alone on one page with the stored margins and orientation.
    void printTo(QPrinter& printer);
    void showPageSetup();
    void showIntervalWindow();

    // Height in the display unit at a Julian date, for the readouts and the interval search.
    // The date is counted in the frame of the day curve (see CurveFrameOf): with the legal
    // time, the fixed offset in force at the curve's start.
    double heightAt(double t);
    // The instant the time reference's clock reads as t (a Julian date), counted in that frame;
    // t itself for a fixed reference.
    double frameTimeOfClock(double t) const;
    // The present instant counted in that frame.
    double now() const;
    // The interval window adds its points here (it also keeps the next activation from
    // removing them).
    void addIntervalPoint(double t, double height);
    void prepareIntervalDrawing();

    // Windows of the page set-up and the interval calculation, created later by the program.
    void setIntervalWindow(QWidget* window) { intervalWindow_ = window; }
    void setPageSetupWindow(QWidget* window, std::function<bool()> blackAndWhite);

    QLabel* timeReadout() const { return timeReadout_; }
    QLabel* heightReadout() const { return heightReadout_; }
    QProgressBar* progressBar() const { return progressBar_; }
    QTimer* indicatorTimer() const { return indicatorTimer_; }
    QAction* action(const char* name) const;

    // Saves the bounds and the switches; only the first call writes.
    void saveSettings();

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setUp();
    void buildMenu();
    void layoutControls();
    long double unitFactor() const;
    // The context the curve and its readings are computed in.
    TideContext curveContext() const;
    QString dateText() const;
    bool mouseInPlot() const;
    void showReadouts(bool visible);

    AppState& state_;
    MessageBoxes& messages_;
    CurveChart* chart_ = nullptr;
    QChartView* view_ = nullptr;
    QLabel* timeReadout_ = nullptr;
    QLabel* heightReadout_ = nullptr;
    QWidget* readoutPanel_ = nullptr;
    QPushButton* intervalButton_ = nullptr;
    QProgressBar* progressBar_ = nullptr;
    QTimer* indicatorTimer_ = nullptr;
    std::unique_ptr<QPrinter> printer_;

    QMenu *viewMenu_ = nullptr, *printMenu_ = nullptr, *exportMenu_ = nullptr,
          *optionsMenu_ = nullptr, *coloursMenu_ = nullptr;
    QAction *selectedDayAction_ = nullptr, *weekAction_ = nullptr, *monthAction_ = nullptr,
            *printAction_ = nullptr, *printerSetUpAction_ = nullptr, *pageSetupAction_ = nullptr,
            *copyAction_ = nullptr, *saveAction_ = nullptr, *cursorAction_ = nullptr,
            *threeDAction_ = nullptr, *indicatorAction_ = nullptr, *elementsAction_ = nullptr,
            *backgroundColourAction_ = nullptr, *curveColourAction_ = nullptr,
            *defaultColoursAction_ = nullptr, *helpAction_ = nullptr;

    bool curveComputed_ = false;
    bool placeBeside_ = false; // no place stored: beside the main window at the first showing
    bool settingsSaved_ = false;
    bool keepIntervalOnActivation_ = false;
    std::optional<QPointF> lastMouse_;
    QPointer<QWidget> intervalWindow_;
    QPointer<QWidget> pageSetupWindow_;
    std::function<bool()> printBlackAndWhite_;

    // The readouts' own secondary-port days, so that reading an instant never disturbs the day
    // cache the curves are drawn with.
    SecondaryDayCache readingCache_;
    double readingDay_ = -1;
    // The fixed frame of the day curve with the legal time (hours ahead of UT); none otherwise.
    std::optional<double> frameOffset_;
};

} // namespace ondrel
