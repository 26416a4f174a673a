// The main window's parts: the upper panel (the chosen port and day, the day's coefficients, the
// side buttons), the lower panel (the day's report and the port information) and the menu bar's
// commands. Each builds its controls with the historical objectNames, sets its texts in either
// language and keeps the width of its widest texts, so that the window does not change width
// with the language; the main window connects them and decides what they show.
#pragma once

#include "engine/Language.h"
#include "views/common/Widgets.h"

#include <QFrame>

#include <string>
#include <vector>

class QAction;
class QGroupBox;
class QLabel;
class QMenu;
class QMenuBar;
class QPlainTextEdit;
class QPushButton;

namespace ondrel {

struct ChosenPort;
struct CoefficientPair;

// The upper panel ("Panel2").
class MainTopPanel : public QFrame {
public:
    explicit MainTopPanel(QWidget* parent);

    QPushButton* portButton() const { return portButton_; }
    QPushButton* dateButton() const { return dateButton_; }
    QPushButton* tideTableButton() const { return tideTableButton_; }
    QPushButton* quitButton() const { return quitButton_; }
    QPushButton* helpButton() const { return helpButton_; }
    QGroupBox* coefficientsBox() const { return coefficientsBox_; }

    void retranslate(Language language);
    // "Quitter", or "Réduire" when the quit button hides the program.
    void setQuitCaption(bool reduces, Language language);
    // A name of up to 50 characters is shown whole, on two lines when it needs them.
    void showPortName(const QString& name);
    void clearPortName();
    bool portNameShown() const;
    void showDate(const QString& text);
    void showCoefficients(const CoefficientPair& coefficients, Language language);
    std::vector<FontSizedControl> fontControls() const;

private:
    void holdWidths();

    QPushButton* portButton_ = nullptr;
    QPushButton* dateButton_ = nullptr;
    QLabel* portLabel_ = nullptr;
    QLabel* dateLabel_ = nullptr;
    QGroupBox* coefficientsBox_ = nullptr;
    QLabel* morningCoefficient_ = nullptr;
    QLabel* eveningCoefficient_ = nullptr;
    QPushButton* tideTableButton_ = nullptr;
    QPushButton* quitButton_ = nullptr;
    QPushButton* helpButton_ = nullptr;
};

// The lower panel ("Infos"): the day's report, the model it was made with, the port information
// and the time reference.
class MainInfoPanel : public QFrame {
public:
    explicit MainInfoPanel(QWidget* parent);

    QPushButton* ephemeridesButton() const { return ephemeridesButton_; }

    void retranslate(Language language);
    void showReport(const std::vector<std::string>& lines);
    void showPort(const ChosenPort& port);
    void clearPort();
    // Shown while the full harmonics are chosen; the tooltip gives the reason of a fallback.
    void showModel(const QString& text, const QString& reason);
    void hideModel();
    void setTimeReference(const QString& text, const QString& tooltip = {});
    std::vector<FontSizedControl> fontControls() const;

private:
    QFrame* buildTimesPanel();
    QFrame* buildPortPanel();
    void holdWidths();

    QLabel* timesTitle_ = nullptr;
    QPlainTextEdit* dayReport_ = nullptr;
    QLabel* modelLabel_ = nullptr;
    QLabel* infoTitle_ = nullptr;
    std::vector<QLabel*> infoLines_; // one label per line
    QLabel* portInfo_ = nullptr;
    QLabel* latitude_ = nullptr;
    QLabel* longitude_ = nullptr;
    QLabel* timeZone_ = nullptr;
    QPushButton* ephemeridesButton_ = nullptr;
    QLabel* timeReferenceLabel_ = nullptr;
};

// The menu bar's menus and commands; the main window connects them.
struct MainMenu {
    explicit MainMenu(QMenuBar* bar);
    void retranslate(Language language) const;
    // The port-management commands wait for a port table.
    void setPortManagementEnabled(bool enabled) const;

    QMenu* ports = nullptr;
    QAction* addSecondaryPort = nullptr;
    QAction* modifySecondaryPort = nullptr;
    QAction* importPorts = nullptr;
    QMenu* tools = nullptr;
    QAction* options = nullptr;
    QAction* hideOnQuit = nullptr;
    QMenu* font = nullptr;
    QAction* changeFont = nullptr;
    QAction* defaultFont = nullptr;
    QAction* otherLanguage = nullptr;
    QMenu* help = nullptr;
    QAction* helpTopics = nullptr;
    QAction* about = nullptr;
};

} // namespace ondrel
