// EphemeridesWindow: the sun and the moon of a day at the current port. Sunrise and sunset in the
// time reference of the options with their azimuths, the moon's age and phase, and a small
// picture of the moon as it looks from the port's hemisphere.
#pragma once

#include "views/common/WindowContract.h"

#include "astro/Ephemerides.h"
#include "views/common/Widgets.h"

#include <QDialog>

#include <vector>

class QColor;
class QDateEdit;
class QGroupBox;
class QLabel;
class QPainter;
class QPushButton;
class QStatusBar;

namespace ondrel {

struct AppState;

// The moon with this lit fraction of its disc in a 20 x 20 box cleared with `background`: the
// disc in a shade of the background, the lit half in white, then the terminator as half an
// ellipse, white on the dark side for a gibbous moon or in the shade on the lit side for a
// crescent. Seen from the north, the waxing moon is lit on the right; from the south the picture
// is mirrored.
void DrawMoon(QPainter& painter, double illuminated, bool waxing, bool north,
              const QColor& background);

class EphemeridesWindow : public ActivatedWindow<QDialog> {
    Q_OBJECT
public:
    explicit EphemeridesWindow(AppState& state, QWidget* parent = nullptr);
    // Its texts come with its values: the whole window is brought up to date.
    void retranslate() override { onActivated(); }

    // The texts of the language, the main window's day and port, and the sun and moon of the
    // picker's day. Runs at every activation and every event of the picker.
    void onActivated() override;
    // The main window's day or port changed: the picker takes its day, the values follow.
    void followMainWindow();

    // The controls that follow the main window's font commands.
    std::vector<FontSizedControl> fontControls() const;

    QDateEdit* datePicker() const { return datePicker_; }
    const astro::Moon& moon() const { return moon_; }
    bool northern() const { return north_; }

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class MoonPicture;

    AppState& state_;
    astro::Moon moon_;
    bool north_ = true;
    bool updating_ = false;

    QDateEdit* datePicker_ = nullptr;
    QGroupBox* sunGroup_ = nullptr;
    QLabel* sunrise_ = nullptr;
    QLabel* sunset_ = nullptr;
    QLabel* sunriseAzimuth_ = nullptr;
    QLabel* sunsetAzimuth_ = nullptr;
    QGroupBox* moonGroup_ = nullptr;
    QLabel* moonAgeLabel_ = nullptr;
    QLabel* moonPhase_ = nullptr;
    MoonPicture* moonPicture_ = nullptr;
    QPushButton* okButton_ = nullptr;
    QStatusBar* statusBar_ = nullptr;
    QLabel* timeReferencePanel_ = nullptr;
    QLabel* dayPanel_ = nullptr;
    QLabel* portPanel_ = nullptr;
};

} // namespace ondrel
