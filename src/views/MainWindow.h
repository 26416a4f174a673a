// MainWindow: the main window. The chosen port and day, the day's high and low waters and
// coefficients, the port information, the safety warning of every start, and the commands that
// lead to the other windows.
#pragma once

#include "PortRecord.h"

#include <QDate>
#include <QFont>
#include <QHash>
#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <vector>

class QAction;
class QFrame;
class QGroupBox;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTextEdit;

namespace ondrel {

struct AppState;
struct ChosenPort;
class MessageBoxes;
class CurveWindow;
class DateWindow;
class IntervalWindow;
class PageSetupWindow;
class LanguageWindow;
class OptionsWindow;
class PortWindow;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // Loads the settings, then creates the other windows in their fixed order.
    MainWindow(AppState& state, MessageBoxes& messages, QWidget* parent = nullptr);
    ~MainWindow() override;

    DateWindow* dateWindow() const { return FDate_; }
    PortWindow* portWindow() const { return Fport_; }
    OptionsWindow* optionsWindow() const { return Foptions_; }
    CurveWindow* curveWindow() const { return Courbe_; }
    IntervalWindow* intervalWindow() const { return FIntervalle_; }
    PageSetupWindow* pageSetupWindow() const { return FMiseEnPage_; }
    LanguageWindow* languageWindow() const { return FInitialisation_; }

    // Runs each time the window goes from hidden to shown: the language question when no
    // language is known yet, then the texts of the language.
    void FormShow();
    // Saves the settings; only the first call writes.
    void FormDestroy();
    void ChargementLangue();
    void InitialisationValeurs(const QString& langue);

    // The acceptance step: today's date and coefficients, the last port reloaded.
    void avertissementOKClick();
    void AvertissementNOClick();
    bool warningShown() const;

    void ShowDayReport(const PortRecord& port, double curveEnd, double curveStart);
    void DayReport(const PortRecord& port);
    void ShowDayCoefficients(double day);

    void SelPortClick();
    void SelDateClick();
    void AnnuaireClick();
    void BQuitterClick();
    void AideClick();
    void OptionsClick();
    void Langue1Click();
    void changer1Click();
    void policepardefaut1Click();
    // Applies a face, style and effects to the controls that follow the font commands.
    void applyFont(const QFont& font);

    // The command line: "/a FILE" imports ports at start.
    void importAtStart(const QStringList& arguments);

    // Windows of later versions register here; until then their commands stay disabled.
    void setTideTableWindow(std::function<void()> show);
    void setEphemeridesWindow(std::function<void()> show);
    void setImport(std::function<bool(const QString& file)> importPorts);

signals:
    // The day curve from curveStart to curveEnd is to be drawn (the curve window connects here).
    void dayCurveRequested(double curveStart, double curveEnd);
    // A date other than today was chosen: the curve's position indicator must stop.
    void positionIndicatorAllowed(bool allowed);
    // The language changed; a visible curve window follows at once.
    void languageChanged();
    // The countries window is asked for (port window's BPays).
    void countriesRequested();
    // The program is to end (BQuitter, the warning refused, the window closed).
    void quitRequested();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void FormCreate();
    void buildControls();
    void buildMenu();
    void buildWarning();
    void placeWarning();
    void showChosenPort(const ChosenPort& port);
    void dateConfirmed(const QDate& date, bool isToday);
    void reportTableProblem();
    void showHelp(int context);
    void updateQuitCaption();
    QWidget* fontControl(const char* name) const;

    AppState& state_;
    MessageBoxes& messages_;
    bool settingsSaved_ = false;
    bool formShowPending_ = false;
    bool accepted_ = false;

    // The windows, created once in their fixed order.
    DateWindow* FDate_ = nullptr;
    PortWindow* Fport_ = nullptr;
    CurveWindow* Courbe_ = nullptr;
    OptionsWindow* Foptions_ = nullptr;
    LanguageWindow* FInitialisation_ = nullptr;
    IntervalWindow* FIntervalle_ = nullptr;
    PageSetupWindow* FMiseEnPage_ = nullptr;

    std::function<void()> showTideTable_;
    std::function<void()> showEphemerides_;
    std::function<bool(const QString&)> importPorts_;

    // Top panel.
    QFrame* Panel2_ = nullptr;
    QPushButton* SelPort_ = nullptr;
    QPushButton* SelDate_ = nullptr;
    QLabel* PortSelection_ = nullptr;
    QLabel* DateSelection_ = nullptr;
    QGroupBox* boiteCoefficients_ = nullptr;
    QLabel* coeffmatin_ = nullptr;
    QLabel* CoeffSoir_ = nullptr;
    QPushButton* Annuaire_ = nullptr;
    QPushButton* BQuitter_ = nullptr;
    QPushButton* Aide_ = nullptr;
    // Lower panel.
    QFrame* Infos_ = nullptr;
    QFrame* Horaires_ = nullptr;
    QLabel* Label4_ = nullptr;
    QPlainTextEdit* HeuresOndrel_ = nullptr;
    QFrame* Panel4_ = nullptr;
    QLabel* Label3_ = nullptr;
    std::vector<QLabel*> Memo_informations_; // one label per line
    QLabel* Informations_ = nullptr;
    QLabel* ELatitude_ = nullptr;
    QLabel* ELongitude_ = nullptr;
    QLabel* EFuseauHoraire_ = nullptr;
    QPushButton* BEphemerides_ = nullptr;
    QLabel* fuseau_ = nullptr;
    // The warning.
    QFrame* paneau_avertissement_ = nullptr;
    QTextEdit* Avertissement_ = nullptr;
    QPushButton* avertissementOK_ = nullptr;
    QPushButton* AvertissementNO_ = nullptr;
    // Menu.
    QMenu* PortSecondaire_ = nullptr;
    QAction* AjoutPortSecondaire_ = nullptr;
    QAction* Retraitportsecondaire_ = nullptr;
    QAction* Ajoutdeportsprincipaux_ = nullptr;
    QMenu* Outils1_ = nullptr;
    QAction* Options_ = nullptr;
    QAction* Icnedanslabarredestcheslarduction1_ = nullptr;
    QMenu* police1_ = nullptr;
    QAction* changer1_ = nullptr;
    QAction* policepardefaut1_ = nullptr;
    QAction* Langue1_ = nullptr;
    QMenu* Aide1_ = nullptr;
    QAction* Aide2_ = nullptr;
    QAction* Apropos1_ = nullptr;

    // The fonts the controls were built with, for the default-font command.
    QHash<QWidget*, QFont> builtInFonts_;
};

} // namespace ondrel
