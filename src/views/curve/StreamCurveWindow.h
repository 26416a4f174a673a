// StreamCurveWindow: the speed of the tidal stream at the current station over a day, a week or a
// month: flood above the zero line, ebb below, each slack marked; printable.
#pragma once

#include "views/common/WindowContract.h"

#include <QMainWindow>

#include <memory>

class QAction;
class QChart;
class QChartView;
class QPrinter;

namespace ondrel {

struct AppState;

class StreamCurveWindow : public QMainWindow, public WindowContract {
    Q_OBJECT
public:
    explicit StreamCurveWindow(AppState& state, QWidget* parent = nullptr);
    ~StreamCurveWindow() override;
    void retranslate() override;
    void followLanguage() override;

    // The curve of the station's day, week (7 days) or month (30 days) from the selected day.
    void draw(int days);
    int shownDays() const { return days_; }
    // The drawn chart, for the print and the tests.
    QChart* chart() const;
    void printTo(QPrinter& printer);

private:
    void print();

    AppState& state_;
    QChartView* view_ = nullptr;
    QAction* dayAction_ = nullptr;
    QAction* weekAction_ = nullptr;
    QAction* monthAction_ = nullptr;
    QAction* printAction_ = nullptr;
    QAction* helpAction_ = nullptr;
    QAction* closeAction_ = nullptr;
    std::unique_ptr<QPrinter> printer_;
    int days_ = 1;
};

} // namespace ondrel
