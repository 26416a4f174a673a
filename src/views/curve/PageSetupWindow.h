// PageSetupWindow: page set-up of the printed curve. Margins in percent of the paper, orientation,
// colour or black and white, with a small preview of the page and its printable area.
#pragma once

#include "state/Services.h"
#include "views/common/WindowContract.h"

#include "state/PageSetup.h"

#include <QDialog>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace ondrel {

struct Settings;
class MessageBoxes;
class CurveWindow;

class PageSetupWindow : public ActivatedWindow<QDialog> {
    Q_OBJECT
public:
    PageSetupWindow(const Settings& settings, const SettingsStore& store, const HelpHook& help,
                    MessageBoxes& messages, CurveWindow* curve, QWidget* parent = nullptr);
    void retranslate() override;

    void onActivated() override;
    // Stores the margins and the orientation flag; an empty margin field stores nothing.
    // Returns whether the values were stored.
    bool storeValues();
    void orientationChanged();
    void confirm();
    void cancel();

    const PageSettings& settings() const { return settings_; }
    bool blackAndWhite() const;
    QRect previewPage() const { return page_; }
    QRect previewPrintable() const { return printable_; }

    QLineEdit* leftMarginField() const { return leftMarginField_; }
    QLineEdit* rightMarginField() const { return rightMarginField_; }
    QLineEdit* topMarginField() const { return topMarginField_; }
    QLineEdit* bottomMarginField() const { return bottomMarginField_; }
    QRadioButton* portraitButton() const { return portrait_; }
    QRadioButton* landscapeButton() const { return landscape_; }
    QRadioButton* blackAndWhiteButton() const { return blackAndWhite_; }

protected:
    void activationChanged(bool active) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void buildPreviewBox();
    void buildMarginsBox();
    void connectControls();
    void setUp();
    void marginChanged(QLineEdit* field, int PageMargins::*margin);
    void updatePreview();

    const Settings& appSettings_;
    const SettingsStore& store_;
    const HelpHook& help_;
    MessageBoxes& messages_;
    CurveWindow* curve_;
    PageSettings settings_;
    QRect page_;
    QRect printable_;
    bool storePending_ = false;
    bool ownMessage_ = false; // the window's own message box is up

    QGroupBox* previewBox_ = nullptr;
    QGroupBox* orientationBox_ = nullptr;
    QGroupBox* coloursBox_ = nullptr;
    QGroupBox* marginsBox_ = nullptr;
    QRadioButton* portrait_ = nullptr;
    QRadioButton* landscape_ = nullptr;
    QRadioButton* colour_ = nullptr;
    QRadioButton* blackAndWhite_ = nullptr;
    QLabel *leftLabel_ = nullptr, *topLabel_ = nullptr, *rightLabel_ = nullptr,
           *bottomLabel_ = nullptr, *marginsHint_ = nullptr;
    QLineEdit *leftMarginField_ = nullptr, *rightMarginField_ = nullptr, *topMarginField_ = nullptr,
              *bottomMarginField_ = nullptr;
    QWidget* preview_ = nullptr;
    QPushButton* okButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QPushButton* helpButton_ = nullptr;
};

} // namespace ondrel
