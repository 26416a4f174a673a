// The four pages of the secondary-port wizard (SecondaryPortWizard), one class each: the
// explanation, the choice of the standard port, the port's name, position and corrections, and
// the summary. A page builds its controls, keeps them in named fields and sets their texts; the
// wizard connects the controls, goes from page to page, checks what was typed and stores the port.
#pragma once

#include "engine/Language.h"

#include <QString>
#include <QWidget>

#include <array>

class QGroupBox;
class QLabel;
class QLayout;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTableView;

namespace ondrel {

class PortListModel;
class PortTable;
struct PortRecord;

// A group of four corrections laid out in the order PM VE, PM ME, BM VE, BM ME, under the heads
// "Pleines mers" over the first two, "Basses mers" over the last two, and "V E" or "M E" over
// each.
struct CorrectionGroup {
    QGroupBox* box = nullptr;
    QLabel* highWaters = nullptr;
    QLabel* lowWaters = nullptr;
    std::array<QLabel*, 4> springsOrNeaps{};
};

// The corrections of times and of heights, as pages 3 and 4 both show them.
struct CorrectionGroups {
    CorrectionGroup times;
    CorrectionGroup heights;

    void retranslate(Language language) const;
};

// Page 1 (TFCorrections1): what the wizard does and what it needs.
class WizardIntroPage : public QWidget {
public:
    WizardIntroPage();
    void retranslate(Language language);

    QPlainTextEdit* explanation = nullptr;
    QPushButton* cancel = nullptr;
    QPushButton* next = nullptr;
};

// Page 2 (TFCorrections2): the standard port, chosen in the list of the table's standard ports.
class StandardPortPage : public QWidget {
public:
    explicit StandardPortPage(PortTable& table);
    void retranslate(Language language);
    // Reads the list again from the table and highlights its first port.
    void showFromFirst();

    QPlainTextEdit* explanation = nullptr;
    QTableView* list = nullptr;
    PortListModel* model = nullptr;
    QPushButton* cancel = nullptr;
    QPushButton* next = nullptr;
};

// Page 3 (TFCorrections3): the port's name, its position in degrees and minutes, and its
// corrections of times and heights (the heights typed with the given decimal separator).
class CorrectionsPage : public QWidget {
public:
    explicit CorrectionsPage(QChar decimal);
    // The name's label asks for a new port's name, or names the port being modified.
    void retranslate(Language language, bool modifying);
    // The position as the table holds it ("48 36 N", "005 00 W"), into the fields and back.
    void setPosition(const QString& latitude, const QString& longitude);
    QString latitude() const;
    QString longitude() const;

    QLabel* nameLabel = nullptr;
    QLineEdit* name = nullptr;
    QLineEdit* latitudeDegrees = nullptr;
    QLineEdit* latitudeMinutes = nullptr;
    QLineEdit* northSouth = nullptr;
    QLineEdit* longitudeDegrees = nullptr;
    QLineEdit* longitudeMinutes = nullptr;
    QLineEdit* eastWest = nullptr;
    std::array<QLineEdit*, 4> times{};   // PM VE, PM ME, BM VE, BM ME
    std::array<QLineEdit*, 4> heights{}; // the same order
    QPushButton* cancel = nullptr;
    QPushButton* next = nullptr;

private:
    void createCorrectionFields(QChar decimal);
    QLayout* positionRows();
    QLayout* correctionGroups();

    QLabel* latitudeUnit_ = nullptr;
    QLabel* longitudeUnit_ = nullptr;
    CorrectionGroups groups_;
};

// Page 4 (TFCorrections4): the port as it will be stored, with its standard port.
class SummaryPage : public QWidget {
public:
    explicit SummaryPage(QChar decimal);
    void retranslate(Language language);
    void fill(const PortRecord& port, const QString& standardName);

    QPushButton* previous = nullptr;
    QPushButton* ok = nullptr;

private:
    void layOutGroups();

    QChar decimal_;
    std::array<QLabel*, 4> times_{};   // PM VE, PM ME, BM VE, BM ME
    std::array<QLabel*, 4> heights_{}; // the same order
    QLabel* portName_ = nullptr;
    QLabel* standardPortName_ = nullptr;
    QLabel* latitude_ = nullptr;
    QLabel* longitude_ = nullptr;
    QLabel* standardPortCaption_ = nullptr;
    QGroupBox* nameGroup_ = nullptr;
    QGroupBox* miscellaneousGroup_ = nullptr;
    CorrectionGroups groups_;
};

} // namespace ondrel
