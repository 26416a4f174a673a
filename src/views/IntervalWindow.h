// IntervalWindow: the interval calculation. From a sounder reading, now or at a recorded time of
// the selected day, and a wanted depth, the instants of the day at which the sounder will show
// that depth, drawn on the curve.
#pragma once

#include <QDialog>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace ondrel {

struct AppState;
class MessageBoxes;
class CurveWindow;

class IntervalWindow : public QDialog {
    Q_OBJECT
public:
    IntervalWindow(AppState& state, MessageBoxes& messages, CurveWindow& curve, QWidget* parent = nullptr);

    void FormActivate();
    void BOKClick();
    void BAnnulerClick();
    void RBHauteurActuelleClick();
    void RBHauteurDiffereeClick();

    QLineEdit* Sondeur() const { return Sondeur_; }
    QLineEdit* Hauteur_dem() const { return Hauteur_dem_; }
    QLineEdit* HeureSondeur() const { return HeureSondeur_; }
    QRadioButton* RBHauteurActuelle() const { return RBHauteurActuelle_; }
    QRadioButton* RBHauteurDifferee() const { return RBHauteurDifferee_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void ChargementLangue();
    QString incompleteMessage(const QString& field) const;

    AppState& state_;
    MessageBoxes& messages_;
    CurveWindow& curve_;
    QGroupBox* GroupBox1_ = nullptr;
    QGroupBox* GroupBox2_ = nullptr;
    QLabel* Label1_ = nullptr;
    QLabel* Label2_ = nullptr;
    QLabel* Label4_ = nullptr;
    QLineEdit* Sondeur_ = nullptr;
    QLineEdit* Hauteur_dem_ = nullptr;
    QLineEdit* HeureSondeur_ = nullptr;
    QRadioButton* RBHauteurActuelle_ = nullptr;
    QRadioButton* RBHauteurDifferee_ = nullptr;
    QPushButton* BOK_ = nullptr;
    QPushButton* BAnnuler_ = nullptr;
    QPushButton* BAide_ = nullptr;
};

} // namespace ondrel
