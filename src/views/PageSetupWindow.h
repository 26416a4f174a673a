// PageSetupWindow: page set-up of the printed curve. Margins in percent of the paper, orientation,
// colour or black and white, with a small preview of the page and its printable area.
#pragma once

#include "PageSetup.h"

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

class PageSetupWindow : public QDialog {
    Q_OBJECT
public:
    PageSetupWindow(AppState& state, MessageBoxes& messages, CurveWindow* curve, QWidget* parent = nullptr);

    void FormActivate();
    // Stores the margins and the orientation flag; an empty margin field stores nothing.
    // Returns whether the values were stored.
    bool FormDeactivate();
    void ChoixmepClick();
    void boutonOKClick();
    void boutonAnnulerClick();

    const PageSettings& settings() const { return settings_; }
    bool blackAndWhite() const;
    QRect previewPage() const { return page_; }
    QRect previewPrintable() const { return printable_; }

    QLineEdit* Egauche() const { return Egauche_; }
    QLineEdit* Edroite() const { return Edroite_; }
    QLineEdit* Ehaute() const { return Ehaute_; }
    QLineEdit* Ebasse() const { return Ebasse_; }
    QRadioButton* portraitButton() const { return portrait_; }
    QRadioButton* paysageButton() const { return paysage_; }
    QRadioButton* noirEtBlancButton() const { return noirEtBlanc_; }

protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void FormCreate();
    void marginChanged(QLineEdit* field, int PageMargins::*margin);
    void updatePreview();

    AppState& state_;
    MessageBoxes& messages_;
    CurveWindow* curve_;
    PageSettings settings_;
    QRect page_;
    QRect printable_;
    bool storePending_ = false;
    bool ownMessage_ = false; // the window's own message box is up

    QGroupBox* GroupBox1_ = nullptr;
    QGroupBox* Choixmep_ = nullptr;
    QGroupBox* ChoixCouleursImpression_ = nullptr;
    QGroupBox* ChoixMargesImpression_ = nullptr;
    QRadioButton* portrait_ = nullptr;
    QRadioButton* paysage_ = nullptr;
    QRadioButton* couleur_ = nullptr;
    QRadioButton* noirEtBlanc_ = nullptr;
    QLabel *Label1_ = nullptr, *Label2_ = nullptr, *Label3_ = nullptr, *Label4_ = nullptr,
           *Label5_ = nullptr;
    QLineEdit *Egauche_ = nullptr, *Edroite_ = nullptr, *Ehaute_ = nullptr, *Ebasse_ = nullptr;
    QWidget* preview_ = nullptr;
    QPushButton* boutonOK_ = nullptr;
    QPushButton* boutonAnnuler_ = nullptr;
    QPushButton* BMiseEnPageAide_ = nullptr;
};

} // namespace ondrel
